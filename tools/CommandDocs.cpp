// Writes the manual page and the shell completions, from the same table of
// options that --help prints, into the folder named.
#include "ManPage.h"
#include "ShellCompletions.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool writeFile(const std::string &path, const std::string &text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file)
        std::fprintf(stderr, "kestrix_docs: cannot write %s\n", path.c_str());
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrix_docs FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + '/';
    using namespace kestrix::docs;
    const bool written = writeFile(folder + "kestrix.1", manPage())
        && writeFile(folder + "kestrix.bash", bashCompletion()) && writeFile(folder + "_kestrix", zshCompletion())
        && writeFile(folder + "kestrix.fish", fishCompletion());
    return written ? 0 : 1;
}
