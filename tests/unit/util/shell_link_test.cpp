// Shell links: desktop entries, symbolic links, and the command-line splitting they use.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <random>

#include "support/temp_dir.h"
#include "util/shell_link.h"

using pw::ShellLinkRecord;
using pw::test::TempDir;
using Words = std::vector<std::string>;

namespace {

// --- SplitCommandLine and QuoteShellWord -----------------------------------------------------

TEST(SplitCommandLine, BlanksSeparateWords) {
    EXPECT_EQ(pw::SplitCommandLine("  prog   -a\t-b \n c  "), (Words{"prog", "-a", "-b", "c"}));
    EXPECT_TRUE(pw::SplitCommandLine("").empty());
    EXPECT_TRUE(pw::SplitCommandLine(" \t\n ").empty());
}

TEST(SplitCommandLine, QuotesAndBackslashes) {
    EXPECT_EQ(pw::SplitCommandLine("'a b' \"c d\" e\\ f"), (Words{"a b", "c d", "e f"}));
    EXPECT_EQ(pw::SplitCommandLine("x'y z'\"w\""), (Words{"xy zw"}));
    EXPECT_EQ(pw::SplitCommandLine("'a\\b' \"a\\b\" \"q\\\"q\" \"\\$\\`\\\\\""),
              (Words{"a\\b", "a\\b", "q\"q", "$`\\"}));
    EXPECT_EQ(pw::SplitCommandLine("'' \"\" x"), (Words{"", "", "x"}));
    EXPECT_EQ(pw::SplitCommandLine("a\\\nb"), (Words{"ab"}));
}

TEST(SplitCommandLine, UnfinishedInputRunsToTheEnd) {
    EXPECT_EQ(pw::SplitCommandLine("a 'b c"), (Words{"a", "b c"}));
    EXPECT_EQ(pw::SplitCommandLine("a \"b \\\"c"), (Words{"a", "b \"c"}));
    EXPECT_EQ(pw::SplitCommandLine("a \\"), (Words{"a", "\\"}));
}

TEST(QuoteShellWord, QuotesOnlyWhereNeeded) {
    EXPECT_EQ(pw::QuoteShellWord("--size=10"), "--size=10");
    EXPECT_EQ(pw::QuoteShellWord("/opt/caf\xC3\xA9/x.txt"), "/opt/caf\xC3\xA9/x.txt");
    EXPECT_EQ(pw::QuoteShellWord(""), "''");
    EXPECT_EQ(pw::QuoteShellWord("a b"), "'a b'");
    EXPECT_EQ(pw::QuoteShellWord("it's"), "'it'\\''s'");
    EXPECT_EQ(pw::QuoteShellWord("$HOME"), "'$HOME'");
}

TEST(QuoteShellWord, SplittingGivesTheWordsBack) {
    Words words = {"plain",       "",       "two words", "it's",      "\"quoted\"",
                   "back\\slash", "$x `y`", "tab\there", "new\nline", "*?[]",
                   "~user",       "#hash",  "a'b\"c\\d"};
    std::string line;
    for (const std::string& w : words)
        line += (line.empty() ? "" : " ") + pw::QuoteShellWord(w);
    EXPECT_EQ(pw::SplitCommandLine(line), words);
}

TEST(QuoteShellWord, RandomWordsSurviveTheRoundTrip) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        Words words(1 + rng() % 4);
        std::string line;
        for (std::string& w : words) {
            w.resize(rng() % 8);
            for (char& c : w)
                c = static_cast<char>(1 + rng() % 255);
            line += pw::QuoteShellWord(w) + " ";
        }
        ASSERT_EQ(pw::SplitCommandLine(line), words) << line;
    }
}

// --- desktop entries -------------------------------------------------------------------------

struct DesktopFixture : ::testing::Test {
    TempDir dir;
    ShellLinkRecord record;

    int Resolve(const std::string& text, const std::string& name = "app.desktop") {
        return pw::ResolveShellLink(dir.write(name, text), record);
    }
};

TEST_F(DesktopFixture, ExecPathNameAndIcon) {
    ASSERT_EQ(Resolve("[Desktop Entry]\n"
                      "Type=Application\n"
                      "Name=Text Editor\n"
                      "Comment=Edits text\n"
                      "Exec=/usr/bin/editor --new-window %U\n"
                      "Path=/home/user/work\n"
                      "Icon=accessories-text-editor\n"),
              pw::kShellLinkOk);
    EXPECT_EQ(record.Target, "/usr/bin/editor");
    EXPECT_EQ(record.Arguments, "--new-window");
    EXPECT_EQ(record.WorkingDirectory, "/home/user/work/");
    EXPECT_EQ(record.Description, "Text Editor");
    EXPECT_EQ(record.IconLocation, "accessories-text-editor");
    EXPECT_EQ(record.IconIndex, 0);
    EXPECT_EQ(record.ShowCmd, 1);
}

TEST_F(DesktopFixture, FieldCodesGoAndDoublePercentStays) {
    ASSERT_EQ(Resolve("[Desktop Entry]\nExec=/bin/tool %f %F %u %i %c %k -p 100%% --x=%f\n"),
              pw::kShellLinkOk);
    EXPECT_EQ(record.Target, "/bin/tool");
    EXPECT_EQ(record.Arguments, "-p 100% --x=");
}

TEST_F(DesktopFixture, QuotedArgumentsAreSplitAndQuotedAgain) {
    ASSERT_EQ(Resolve("[Desktop Entry]\n"
                      "Exec=\"/opt/my app/run\" \"two words\" 'it''s' \"a\\\\\\\\b\" plain\n"),
              pw::kShellLinkOk);
    EXPECT_EQ(record.Target, "/opt/my app/run");
    EXPECT_EQ(pw::SplitCommandLine(record.Arguments), (Words{"two words", "its", "a\\b", "plain"}));
    EXPECT_EQ(record.Arguments, "'two words' its 'a\\b' plain");
}

TEST_F(DesktopFixture, StringEscapesOfValues) {
    ASSERT_EQ(Resolve("[Desktop Entry]\nName=A\\sB\\tC\\\\D\nExec=/bin/x a\\sb\n"),
              pw::kShellLinkOk);
    EXPECT_EQ(record.Description, "A B\tC\\D");
    // "\s" is a blank inside the value, and a blank separates words.
    EXPECT_EQ(record.Arguments, "a b");
}

TEST_F(DesktopFixture, OnlyTheDesktopEntryGroupCounts) {
    ASSERT_EQ(Resolve("# a comment\n"
                      "[Desktop Action new]\nExec=/bin/wrong\nName=Wrong\n"
                      "[Desktop Entry]\n"
                      "Name[de]=Falsch\n"
                      "  Name = Right  \n"
                      "Exec=/bin/right\n"
                      "Exec=/bin/second\n"
                      "[Desktop Action other]\nIcon=wrong-icon\n"),
              pw::kShellLinkOk);
    EXPECT_EQ(record.Target, "/bin/right");
    EXPECT_EQ(record.Description, "Right  ");
    EXPECT_EQ(record.IconLocation, "");
}

TEST_F(DesktopFixture, CrLfLinesAndCommentFallback) {
    ASSERT_EQ(Resolve("\xEF\xBB\xBF[Desktop Entry]\r\nComment=Only a comment\r\nExec=/bin/c\r\n"),
              pw::kShellLinkOk);
    EXPECT_EQ(record.Target, "/bin/c");
    EXPECT_EQ(record.Description, "Only a comment");
}

TEST_F(DesktopFixture, BareProgramNameIsFoundOnThePath) {
    std::string bin = dir.mkdir("bin");
    std::string program = dir.write("bin/pathwick-test-prog", "#!/bin/sh\n");
    chmod(program.c_str(), 0755);
    dir.write("bin/not-executable", "");
    const char* old = std::getenv("PATH");
    std::string saved = old ? old : "";
    setenv("PATH", ("/nonexistent:" + bin).c_str(), 1);
    int status = Resolve("[Desktop Entry]\nExec=pathwick-test-prog --go\n");
    std::string found = record.Target;
    Resolve("[Desktop Entry]\nExec=not-executable\n", "b.desktop");
    std::string notFound = record.Target;
    setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(status, pw::kShellLinkOk);
    EXPECT_EQ(found, program);
    EXPECT_EQ(notFound, "not-executable");
}

TEST_F(DesktopFixture, LinkTypeGivesItsAddress) {
    ASSERT_EQ(Resolve("[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org/\n"),
              pw::kShellLinkOk);
    EXPECT_EQ(record.Target, "https://example.org/");
    EXPECT_EQ(record.Arguments, "");
}

TEST_F(DesktopFixture, FailuresGiveNonZeroStatusAndAnEmptyRecord) {
    record.Target = "left over";
    EXPECT_EQ(Resolve("[Desktop Entry]\nName=No program\n"), pw::kShellLinkNoTarget);
    EXPECT_EQ(Resolve("[Desktop Entry]\nExec=%U %f\n"), pw::kShellLinkNoTarget);
    EXPECT_EQ(Resolve("[Desktop Entry]\nType=Link\n"), pw::kShellLinkNoTarget);
    EXPECT_EQ(Resolve("Name=x\nExec=/bin/x\n"), pw::kShellLinkNotALink);
    EXPECT_EQ(Resolve(""), pw::kShellLinkNotALink);
    EXPECT_EQ(Resolve("[Desktop Entry]\nExec=/bin/x\n", "app.txt"), pw::kShellLinkNotALink);
    EXPECT_EQ(pw::ResolveShellLink(dir.path() + "missing.desktop", record),
              pw::kShellLinkUnreadable);
    EXPECT_EQ(pw::ResolveShellLink("", record), pw::kShellLinkUnreadable);
    EXPECT_EQ(pw::ResolveShellLink(dir.mkdir("folder.desktop"), record), pw::kShellLinkNotALink);
    EXPECT_EQ(record.Target, "");
}

TEST_F(DesktopFixture, UpperCaseExtensionAndOddBytes) {
    EXPECT_EQ(Resolve("[Desktop Entry]\nExec=/bin/x \xE9t\xE9\n", "APP.DESKTOP"), pw::kShellLinkOk);
    EXPECT_EQ(record.Arguments, "\xC3\xA9t\xC3\xA9"); // Windows-1252 read as UTF-8 text
}

TEST_F(DesktopFixture, RandomBytesNeverCrash) {
    std::mt19937 rng(99);
    const std::string pieces[] = {
        "[Desktop Entry]", "\n",   "Exec=", "\"",  "'", "\\", "%", "=", "[", "]", " ", "Name",
        "Type=Link",       "URL=", "\r",    "\xFF"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += pieces[rng() % std::size(pieces)];
        int status = Resolve(text);
        EXPECT_TRUE(status == pw::kShellLinkOk || status == pw::kShellLinkNotALink ||
                    status == pw::kShellLinkNoTarget);
    }
}

// --- symbolic links --------------------------------------------------------------------------

TEST(ResolveShellLinkSymlink, GivesTheResolvedTarget) {
    TempDir dir;
    ShellLinkRecord record;
    std::string file = dir.write("real/prog.sh", "#!/bin/sh\n");
    std::string link = dir.path() + "link";
    ASSERT_EQ(symlink("real/prog.sh", link.c_str()), 0);
    EXPECT_EQ(pw::ResolveShellLink(link, record), pw::kShellLinkOk);
    EXPECT_EQ(record.Target, file);
    EXPECT_EQ(record.Arguments, "");

    std::string chain = dir.path() + "chain.desktop"; // a link to a link, named like an entry
    ASSERT_EQ(symlink(link.c_str(), chain.c_str()), 0);
    EXPECT_EQ(pw::ResolveShellLink(chain, record), pw::kShellLinkOk);
    EXPECT_EQ(record.Target, file);
}

TEST(ResolveShellLinkSymlink, FolderTargetEndsWithSlash) {
    TempDir dir;
    ShellLinkRecord record;
    std::string folder = dir.mkdir("real/sub");
    ASSERT_EQ(symlink(folder.c_str(), (dir.path() + "to-folder").c_str()), 0);
    EXPECT_EQ(pw::ResolveShellLink(dir.path() + "to-folder", record), pw::kShellLinkOk);
    EXPECT_EQ(record.Target, folder);
}

TEST(ResolveShellLinkSymlink, DanglingLinkIsBrokenButTellsWhere) {
    TempDir dir;
    ShellLinkRecord record;
    dir.mkdir("links");
    ASSERT_EQ(symlink("../gone/app", (dir.path() + "links/dead").c_str()), 0);
    EXPECT_EQ(pw::ResolveShellLink(dir.path() + "links/dead", record), pw::kShellLinkBroken);
    EXPECT_EQ(record.Target, dir.path() + "gone/app");
    std::string loop = dir.path() + "loop";
    ASSERT_EQ(symlink(loop.c_str(), loop.c_str()), 0);
    EXPECT_NE(pw::ResolveShellLink(loop, record), pw::kShellLinkOk);
}

TEST(ResolveShellLinkPlain, AnOrdinaryFileIsNoLink) {
    TempDir dir;
    ShellLinkRecord record;
    EXPECT_EQ(pw::ResolveShellLink(dir.write("prog.sh", "#!/bin/sh\n"), record),
              pw::kShellLinkNotALink);
    EXPECT_EQ(record.Target, "");
}

} // namespace
