#include "ManPage.h"

#include "app/CommandLine.h"
#include "app/CommandOptions.h"

#include <sstream>

namespace kestrix::docs {

namespace {

// Text as roff reads it literally: a backslash is printed by "\e", a "-" is
// a minus (options must be typed as shown), and a line that starts with a
// control character starts with a zero-width "\&" instead.
std::string roffText(const std::string &text, bool lineStart = true)
{
    std::string escaped;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            escaped += "\\&";
        if (c == '\\')
            escaped += "\\e";
        else if (c == '-')
            escaped += "\\-";
        else
            escaped += c;
        lineStart = c == '\n';
    }
    return escaped;
}

// A usage word: options in bold, the arguments to replace in italics, the
// brackets and "..." plain.
std::string usageWord(const std::string &word)
{
    std::size_t begin = 0;
    while (begin < word.size() && word[begin] == '[')
        ++begin;
    std::size_t end = word.size();
    while (end > begin && word[end - 1] == ']')
        --end;
    if (end >= begin + 3 && word.compare(end - 3, 3, "...") == 0)
        end -= 3;
    const std::string bare = word.substr(begin, end - begin);
    const char *font = bare.rfind("--", 0) == 0 ? "\\fB" : "\\fI";
    return word.substr(0, begin) + font + roffText(bare, false) + "\\fR" + word.substr(end);
}

void writeSynopsis(std::ostringstream &page)
{
    page << ".SH SYNOPSIS\n";
    bool first = true;
    for (const CommandForm &form : commandForms) {
        if (!form.usage)
            continue;
        if (!first)
            page << ".br\n";
        first = false;
        page << "\\fB" << commandName << "\\fR";
        std::istringstream words(form.usage);
        std::string word;
        while (words >> word)
            page << ' ' << usageWord(word);
        page << '\n';
    }
}

void writeEntries(std::ostringstream &page)
{
    page << ".SH OPTIONS\n";
    for (const CommandForm &form : commandForms) {
        const std::string name = form.name;
        page << ".TP\n" << (name.rfind("--", 0) == 0 ? ".B " : ".I ") << roffText(name) << '\n';
        page << roffText(form.description) << '\n';
    }
    page << ".PP\n" << roffText(commandNotes) << '\n';
    page << ".SH \"EXIT STATUS\"\n";
    for (const ExitStatusText &status : exitStatusTexts)
        page << ".TP\n.B " << status.status << '\n' << roffText(status.description) << '\n';
}

} // namespace

std::string manPage()
{
    std::ostringstream page;
    page << ".TH KESTRIX 1 \"\" \"Kestrix " << ProgramVersion << "\" \"User Commands\"\n";
    page << ".SH NAME\n" << commandName << " \\- editor for the game boards of Zorvan\n";
    writeSynopsis(page);
    page << ".SH DESCRIPTION\n" << roffText(commandIntroduction) << '\n';
    writeEntries(page);
    return page.str();
}

} // namespace kestrix::docs
