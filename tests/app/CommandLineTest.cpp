#include "app/CommandLine.h"
#include "support/Text.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace kestrix;

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
        // Short folder names stay as they are given.
        {"C:\\DOKUME~1\\BRETT~1.ZVB", "C:\\DOKUME~1\\BRETT~1.ZVB.zvb"},
        {"/home/Käse/Brett.zvb", "/home/Käse/Brett.zvb"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(boardPathFromArgument(u(c.argument)), u(c.expected)) << c.argument;
    // A path of many thousand components, the length of the longest argument.
    const QString longPath = QStringLiteral("/a\\bc").repeated(131 * 1024 / 5) + QStringLiteral(".zvb");
    EXPECT_EQ(boardPathFromArgument(longPath), longPath);
}

TEST(CommandLine, OnlyTheFirstArgumentCountsForTheWindow)
{
    const struct {
        QStringList arguments;
        CommandLine::Action action;
        const char *boardPath;
    } cases[] = {
        {{}, CommandLine::Action::Run, nullptr},
        {{u("--help")}, CommandLine::Action::Help, nullptr},
        {{u("--version")}, CommandLine::Action::Version, nullptr},
        {{u("--help"), u("/b/Plan")}, CommandLine::Action::Help, nullptr},
        {{u("/b/Plan.ZVB"), u("/b/Other")}, CommandLine::Action::Run, "/b/Plan.ZVB.zvb"},
        {{u("/b/Plan"), u("--help")}, CommandLine::Action::Run, "/b/Plan.zvb"},
        // Near misses inside a path are board names, not options.
        {{u("/b/--help")}, CommandLine::Action::Run, "/b/--help.zvb"},
        {{u("/b/-platform")}, CommandLine::Action::Run, "/b/-platform.zvb"},
        // An option that does not exist is a mistake, not a board.
        {{u("--helpme")}, CommandLine::Action::Error, nullptr},
        {{u("--")}, CommandLine::Action::Error, nullptr},
    };
    for (const auto &c : cases) {
        const CommandLine commandLine = parseCommandLine(c.arguments);
        EXPECT_EQ(commandLine.action, c.action) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(commandLine.boards, c.boardPath ? QStringList{u(c.boardPath)} : QStringList())
            << c.arguments.join(u' ').toStdString();
    }
}

TEST(CommandLine, RelativeBoardPathsAreTakenFromTheCurrentFolder)
{
    for (const char *argument : {"Boards/Plan", "-style"}) {
        const QString expected = QDir::current().absoluteFilePath(u(argument)) + u(".zvb");
        EXPECT_EQ(parseCommandLine({u(argument)}).boards, QStringList{expected}) << argument;
        EXPECT_EQ(parseCommandLine({u("--check"), u(argument)}).boards, QStringList{expected}) << argument;
    }
}

TEST(CommandLine, CommandsWithoutAWindow)
{
    using A = CommandLine::Action;
    const struct {
        QStringList arguments;
        A action;
        QStringList boards;
        const char *output;
        int fromPage, toPage;
        int scale = 100;
        int thumbnailSize = 256;
    } cases[] = {
        {{u("--check"), u("/b/a"), u("/b/b.zvb"), u("/b/c")}, A::Check,
         {u("/b/a.zvb"), u("/b/b.zvb"), u("/b/c.zvb")}, "", 1, 4},
        {{u("--export"), u("/b/a")}, A::Export, {u("/b/a.zvb")}, "", 1, 4},
        {{u("--export"), u("/b/a"), u("out/x.jpg")}, A::Export, {u("/b/a.zvb")}, "out/x.jpg", 1, 4},
        {{u("--print-pdf"), u("/b/a"), u("/o.pdf")}, A::PrintPdf, {u("/b/a.zvb")}, "/o.pdf", 1, 4},
        {{u("--print-pdf"), u("/b/a"), u("/o.pdf"), u("--pages"), u("2-3")}, A::PrintPdf, {u("/b/a.zvb")}, "/o.pdf", 2, 3},
        {{u("--print-pdf"), u("--pages"), u("4-4"), u("/b/a"), u("/o.pdf")}, A::PrintPdf, {u("/b/a.zvb")}, "/o.pdf", 4, 4},
        {{u("--export-png"), u("/b/a"), u("/o.png")}, A::ExportPng, {u("/b/a.zvb")}, "/o.png", 1, 4, 100},
        {{u("--export-png"), u("--scale"), u("10"), u("/b/a"), u("/o.png")}, A::ExportPng, {u("/b/a.zvb")}, "/o.png",
         1, 4, 10},
        {{u("--export-png"), u("/b/a"), u("/o.png"), u("--scale"), u("100")}, A::ExportPng, {u("/b/a.zvb")}, "/o.png",
         1, 4, 100},
        {{u("--thumbnail"), u("/b/a.zvb"), u("/t.png")}, A::Thumbnail, {u("/b/a.zvb")}, "/t.png", 1, 4, 100, 256},
        {{u("--thumbnail"), u("/b/a"), u("/t.png"), u("16")}, A::Thumbnail, {u("/b/a.zvb")}, "/t.png", 1, 4, 100, 16},
        {{u("--thumbnail"), u("/b/a"), u("/t.png"), u("1024")}, A::Thumbnail, {u("/b/a.zvb")}, "/t.png", 1, 4, 100,
         1024},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandLine commandLine = parseCommandLine(c.arguments);
        EXPECT_EQ(commandLine.action, c.action);
        EXPECT_EQ(commandLine.boards, c.boards);
        EXPECT_EQ(commandLine.output, u(c.output));
        EXPECT_EQ(commandLine.fromPage, c.fromPage);
        EXPECT_EQ(commandLine.toPage, c.toPage);
        EXPECT_EQ(commandLine.scale, c.scale);
        EXPECT_EQ(commandLine.thumbnailSize, c.thumbnailSize);
    }
}

TEST(CommandLine, MistakesAreOneLineErrors)
{
    const QStringList mistakes[] = {
        {u("--check")},
        {u("--check"), u("/b/a"), u("--fast")},
        {u("--export")},
        {u("--export"), u("/b/a"), u("/o.jpg"), u("/p.jpg")},
        {u("--export"), u("/b/a"), u("--quality")},
        {u("--print-pdf"), u("/b/a")},
        {u("--print-pdf"), u("/b/a"), u("/o.pdf"), u("/p.pdf")},
        {u("--print-pdf"), u("/b/a"), u("/o.pdf"), u("--pages")},
        {u("--print-pdf"), u("/b/a"), u("/o.pdf"), u("--pages"), u("3-2")},
        {u("--print-pdf"), u("/b/a"), u("/o.pdf"), u("--pages"), u("0-2")},
        {u("--print-pdf"), u("/b/a"), u("/o.pdf"), u("--pages"), u("1-5")},
        {u("--print-pdf"), u("/b/a"), u("/o.pdf"), u("--pages"), u("2")},
        {u("--print-pdf"), u("/b/a"), u("/o.pdf"), u("--pages"), u("a-b")},
        {u("--print-pdf"), u("/b/a"), u("/o.pdf"), u("--landscape")},
        {u("--export-png"), u("/b/a")},
        {u("--export-png"), u("/b/a"), u("/o.png"), u("/p.png")},
        {u("--export-png"), u("/b/a"), u("/o.png"), u("--scale")},
        {u("--export-png"), u("/b/a"), u("/o.png"), u("--scale"), u("9")},
        {u("--export-png"), u("/b/a"), u("/o.png"), u("--scale"), u("101")},
        {u("--export-png"), u("/b/a"), u("/o.png"), u("--scale"), u("50%")},
        {u("--export-png"), u("/b/a"), u("/o.png"), u("--pages"), u("1-2")},
        {u("--thumbnail"), u("/b/a")},
        {u("--thumbnail"), u("/b/a"), u("/t.png"), u("15")},
        {u("--thumbnail"), u("/b/a"), u("/t.png"), u("1025")},
        {u("--thumbnail"), u("/b/a"), u("/t.png"), u("256"), u("/u.png")},
        {u("--thumbnail"), u("/b/a"), u("/t.png"), u("--scale"), u("50")},
        {u("--verbose"), u("/b/a")},
    };
    for (const QStringList &arguments : mistakes) {
        const CommandLine commandLine = parseCommandLine(arguments);
        EXPECT_EQ(commandLine.action, CommandLine::Action::Error) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(commandLine.error.isEmpty());
        EXPECT_FALSE(commandLine.error.contains(u'\n'));
    }
}

TEST(CommandLine, ArgumentsAreDecodedAsTheFileSystemDecodesNames)
{
    // UTF-8 names come through; bytes that are no valid name could only
    // reach some other file, so they are refused.
    const CommandLine utf8 = parseCommandLine(QList<QByteArray>{"--check", "/b/K\xc3\xa4se.zvb"});
    EXPECT_EQ(utf8.action, CommandLine::Action::Check);
    EXPECT_EQ(utf8.boards, QStringList{u("/b/K\xc3\xa4se.zvb")});
    const CommandLine latin1 = parseCommandLine(QList<QByteArray>{"--check", "/b/K\xe4se.zvb"});
    EXPECT_EQ(latin1.action, CommandLine::Action::Error);
    EXPECT_TRUE(latin1.error.contains(u("/b/K%E4se.zvb"))) << latin1.error.toStdString();
    // The window's board: the window opens without it and says why.
    const CommandLine window = parseCommandLine(QList<QByteArray>{"/b/K\xe4se.zvb"});
    EXPECT_EQ(window.action, CommandLine::Action::Run);
    EXPECT_TRUE(window.boards.isEmpty());
    EXPECT_EQ(window.undecodableBoard, u("/b/K%E4se.zvb"));
}

TEST(CommandLine, HelpNamesEveryCommandAndTheExitStatuses)
{
    for (const char *word : {"--check", "--export", "--export-png", "--scale", "--thumbnail", "--print-pdf", "--pages", "--help", "--version", "0 ", "1 ", "2 "})
        EXPECT_TRUE(helpText().contains(u(word))) << word;
}

TEST(CommandLine, versionText)
{
    EXPECT_EQ(versionText(), u("Kestrix 1.0.302 Beta\n"));
}
