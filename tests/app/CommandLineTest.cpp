#include "app/CommandLine.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(CommandLine, BoardPathGetsZvbUnlessItEndsInExactlyZvb)
{
    const struct { const char *argument, *expected; } cases[] = {
        {"/home/u/Boards/Plan", "/home/u/Boards/Plan.zvb"},
        {"/home/u/Boards/Plan.zvb", "/home/u/Boards/Plan.zvb"},
        {"/home/u/Boards/Plan.ZVB", "/home/u/Boards/Plan.ZVB.zvb"},
        {"/home/u/Boards/Plan.txt", "/home/u/Boards/Plan.txt.zvb"},
        {"/home/u/Boards/Plan.zvb.bak", "/home/u/Boards/Plan.zvb.bak.zvb"},
        {"/home/u/Boards/Plan.", "/home/u/Boards/Plan..zvb"},
        {"/home/u/Boards/.zvb", "/home/u/Boards/.zvb"},
        // A dot in a folder name is no extension.
        {"/home/u/my.zvb/Plan", "/home/u/my.zvb/Plan.zvb"},
        {"C:\\Boards.old\\Plan", "C:\\Boards.old\\Plan.zvb"},
        {"C:Plan.zvb", "C:Plan.zvb"},
        {"Plan", "Plan.zvb"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BoardPathFromArgument(u(c.argument)), u(c.expected)) << c.argument;
}

TEST(CommandLine, OnlyTheFirstArgumentCounts)
{
    const struct {
        QStringList arguments;
        CommandLine::Action action;
        const char *boardPath;
    } cases[] = {
        {{}, CommandLine::Action::Run, ""},
        {{u("--help")}, CommandLine::Action::Help, ""},
        {{u("--version")}, CommandLine::Action::Version, ""},
        {{u("--help"), u("/b/Plan")}, CommandLine::Action::Help, ""},
        {{u("/b/Plan.ZVB"), u("/b/Other")}, CommandLine::Action::Run, "/b/Plan.ZVB.zvb"},
        {{u("/b/Plan"), u("--help")}, CommandLine::Action::Run, "/b/Plan.zvb"},
        // Near misses are board names, not options.
        {{u("/b/--help")}, CommandLine::Action::Run, "/b/--help.zvb"},
        {{u("/b/-platform")}, CommandLine::Action::Run, "/b/-platform.zvb"},
    };
    for (const auto &c : cases) {
        const CommandLine commandLine = ParseCommandLine(c.arguments);
        EXPECT_EQ(commandLine.action, c.action) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(commandLine.boardPath, u(c.boardPath)) << c.arguments.join(u' ').toStdString();
    }
}

TEST(CommandLine, RelativeBoardPathsAreTakenFromTheCurrentFolder)
{
    for (const char *argument : {"Boards/Plan", "--helpme", "-style"}) {
        const QString expected = QDir::current().absoluteFilePath(u(argument)) + u(".zvb");
        EXPECT_EQ(ParseCommandLine({u(argument)}).boardPath, expected) << argument;
    }
}

TEST(CommandLine, VersionText)
{
    EXPECT_EQ(VersionText(), u("Kestrix 1.0.302 Beta\n"));
}
