#pragma once

#include <string>
#include <vector>

// What follows each of the program's options, read from the words of its
// usage line, for the shell completions.

namespace kestrix::docs {

struct CommandArguments
{
    std::string option; // empty for the board named alone
    std::string description; // on one line
    // The file extension each argument after the option takes, in order;
    // empty for a value that is no file.
    std::vector<std::string> extensions;
    bool lastRepeats = false; // "...": the last argument may come any number of times
    std::vector<std::string> valueOptions; // options after it that take a value
};

std::vector<CommandArguments> commandArguments();

// Text with its line breaks turned into spaces.
std::string oneLine(const char *text);

} // namespace kestrix::docs
