#pragma once

// The ways to call the program, written once: --help prints them, and the
// build turns them into the manual page and the shell completions. Plain
// text with no Qt, so the build tool that writes those files needs nothing
// else. A description breaks its lines where --help breaks them.

namespace kestrix {

struct CommandForm
{
    // The option, or the argument that stands alone: "--check", "BOARD".
    const char *name;
    // The usage line after the program's name, or nullptr for an option that
    // is listed but has no usage line of its own. Its words tell the
    // completions what follows the option: a BOARD, a file OUT.ext, a
    // bracketed option with its value, "..." for any number more.
    const char *usage;
    const char *description;
};

struct ExitStatusText
{
    const char *status;
    const char *description;
};

inline constexpr char commandName[] = "kestrix";

inline constexpr char commandIntroduction[] =
    "Editor for the game boards of Zorvan. \".zvb\" is appended to a BOARD\n"
    "unless its name ends in exactly \".zvb\".";

inline constexpr CommandForm commandForms[] = {
    {"BOARD", "[BOARD]", "open the board in the editor window"},
    {"--check", "--check BOARD...",
     "check the paired tiles of each board and print one line\n"
     "per board: its file name and the verdict"},
    {"--export", "--export BOARD [OUT.jpg]",
     "check the board, then write its four quarters as JPEG\n"
     "pictures OUT (1).jpg to OUT (4).jpg; without OUT they are\n"
     "named after the board and written beside it"},
    {"--export-png", "--export-png BOARD OUT.png [--scale PERCENT]",
     "check the board, then write it whole as one PNG picture,\n"
     "3148 x 3148 pixels, or PERCENT (10-100) of that"},
    {"--thumbnail", "--thumbnail BOARD OUT.png [SIZE]",
     "write a preview of the board, the picture of --export-png\n"
     "fitted into SIZE x SIZE pixels (16-1024, default 256),\n"
     "whether or not the board passes the check"},
    {"--print-pdf", "--print-pdf BOARD OUT.pdf [--pages FROM-TO]",
     "check the board, then print its pages into one PDF file\n"
     "(A4, pages 1-4 unless --pages chooses others)"},
    {"--help", nullptr, "show this text and exit"},
    {"--version", nullptr, "show the version and exit"},
};

inline constexpr char commandNotes[] =
    "--check, --export, --export-png, --thumbnail and --print-pdf need no\n"
    "display and use the language of the user's settings; they never change\n"
    "the settings.";

inline constexpr ExitStatusText exitStatusTexts[] = {
    {"0", "done; every board passed the check"},
    {"1", "a board failed the check (nothing was written for it)"},
    {"2", "a board or file could not be read or written, or the command\n"
          "line is wrong"},
};

} // namespace kestrix
