#include "options/autostart_entry.h"

#include <gtest/gtest.h>

#include "lang/ini_document.h"
#include "support/temp_dir.h"
#include "util/paths.h"
#include "util/shell_link.h"

namespace pw {
namespace {

TEST(AutostartEntry, FolderFollowsXdgConfigHome) {
    EXPECT_EQ(DefaultAutostartFolder(FixedEnvironment({{"HOME", "/home/u"}})),
              "/home/u/.config/autostart/");
    EXPECT_EQ(DefaultAutostartFolder(
                  FixedEnvironment({{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/etc/u"}})),
              "/etc/u/autostart/");
    EXPECT_EQ(AutostartEntryFile("/a/autostart"), "/a/autostart/HalvornEk-Pathwick.desktop");
}

TEST(AutostartEntry, TextIsADesktopEntryNamingTheProgram) {
    IniDocument entry(AutostartEntryText("/opt/pathwick/"));
    EXPECT_EQ(entry.ReadString("Desktop Entry", "Type", ""), "Application");
    EXPECT_EQ(entry.ReadString("Desktop Entry", "Exec", ""), "/opt/pathwick/pathwick");
    EXPECT_EQ(entry.ReadString("Desktop Entry", "Name", ""), "Pathwick");
}

TEST(AutostartEntry, ExecArgumentsAreQuotedWhereNeeded) {
    EXPECT_EQ(QuoteExecArgument("/opt/pathwick/pathwick"), "/opt/pathwick/pathwick");
    EXPECT_EQ(QuoteExecArgument("/home/u/My Apps/pathwick"), "\"/home/u/My Apps/pathwick\"");
    EXPECT_EQ(QuoteExecArgument("/x/100%/pathwick"), "/x/100%%/pathwick");
    EXPECT_EQ(QuoteExecArgument("/a$b/\"q\"/p"), "\"/a\\\\$b/\\\\\"q\\\\\"/p\"");
    // A shell-like split of the unescaped value gives the path back.
    std::string value = QuoteExecArgument("/home/u/My Apps/pathwick");
    EXPECT_EQ(SplitCommandLine(value), (std::vector<std::string>{"/home/u/My Apps/pathwick"}));
}

TEST(AutostartEntry, WrittenAndRemoved) {
    test::TempDir dir;
    std::string folder = dir.path() + "autostart/";
    std::string file = AutostartEntryFile(folder);
    ASSERT_TRUE(UpdateAutostartEntry(folder, "/opt/pathwick/", true));
    EXPECT_EQ(test::SlurpFile(file), AutostartEntryText("/opt/pathwick/"));
    ASSERT_TRUE(UpdateAutostartEntry(folder, "/usr/lib/pathwick/", true));
    EXPECT_NE(test::SlurpFile(file).find("Exec=/usr/lib/pathwick/pathwick"), std::string::npos);
    ASSERT_TRUE(UpdateAutostartEntry(folder, "/usr/lib/pathwick/", false));
    EXPECT_FALSE(PathExists(file));
    EXPECT_TRUE(UpdateAutostartEntry(folder, "/usr/lib/pathwick/", false));
    EXPECT_FALSE(UpdateAutostartEntry("", "/opt/pathwick/", true));
}

TEST(AutostartEntry, UnwritableFolderReportsFailure) {
    test::TempDir dir;
    dir.write("blocked", "a file where the folder should be");
    EXPECT_FALSE(UpdateAutostartEntry(dir.path() + "blocked/autostart/", "/opt/p/", true));
}

} // namespace
} // namespace pw
