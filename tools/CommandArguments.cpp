#include "CommandArguments.h"

#include "app/CommandOptions.h"

#include <sstream>

namespace kestrix::docs {

namespace {

// "[OUT.jpg]" -> "OUT.jpg", "BOARD..." -> "BOARD".
std::string bareWord(const std::string &word, bool &repeats)
{
    std::string bare = word;
    if (!bare.empty() && bare.front() == '[')
        bare.erase(0, 1);
    if (!bare.empty() && bare.back() == ']')
        bare.pop_back();
    repeats = bare.size() > 3 && bare.compare(bare.size() - 3, 3, "...") == 0;
    if (repeats)
        bare.resize(bare.size() - 3);
    return bare;
}

std::string extensionOf(const std::string &argument)
{
    if (argument == "BOARD")
        return "zvb";
    const std::size_t dot = argument.rfind('.');
    return dot == std::string::npos ? std::string() : argument.substr(dot + 1);
}

void readUsage(const CommandForm &form, CommandArguments &arguments)
{
    std::istringstream words(form.usage);
    std::string word;
    bool first = true;
    while (words >> word) {
        bool repeats = false;
        const std::string bare = bareWord(word, repeats);
        if (first && bare == arguments.option) {
            first = false;
            continue;
        }
        first = false;
        if (bare.rfind("--", 0) == 0) {
            arguments.valueOptions.push_back(bare);
            words >> word; // its value
            continue;
        }
        arguments.extensions.push_back(extensionOf(bare));
        arguments.lastRepeats = repeats;
    }
}

} // namespace

std::string oneLine(const char *text)
{
    std::string line = text;
    for (char &c : line) {
        if (c == '\n')
            c = ' ';
    }
    return line;
}

std::vector<CommandArguments> commandArguments()
{
    std::vector<CommandArguments> all;
    for (const CommandForm &form : commandForms) {
        CommandArguments arguments;
        const std::string name = form.name;
        arguments.option = name.rfind("--", 0) == 0 ? name : std::string();
        arguments.description = oneLine(form.description);
        if (form.usage)
            readUsage(form, arguments);
        all.push_back(arguments);
    }
    return all;
}

} // namespace kestrix::docs
