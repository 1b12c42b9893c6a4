#include "framework/program_folder.h"

#include <cstdio>
#include <gtest/gtest.h>

#include "lang/ini_document.h"
#include "options/autostart_entry.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

// A build folder (binaries with the data beside them) and an installed prefix (bin/ and
// share/pathwick/), side by side in one temporary folder.
struct Layouts {
    test::TempDir dir;
    std::string build = dir.mkdir("build/bin");
    std::string prefix = dir.mkdir("prefix");
    Layouts() {
        dir.write("build/bin/trans/en-us/display.txt", "English (US)");
        dir.mkdir("prefix/bin");
        dir.write("prefix/share/pathwick/trans/en-us/display.txt", "English (US)");
        dir.write("prefix/share/pathwick/help/index.html", "<html></html>");
    }
};

TEST(ProgramFolder, TheBinarysFolderFirstThenTheInstalledDataFolder) {
    Layouts l;
    ProgramLocation build = FindProgramFolder(l.build, "../share/pathwick/");
    EXPECT_EQ(build.ProgramFolder, l.build);
    EXPECT_EQ(build.BinaryFolder, l.build);
    EXPECT_FALSE(build.Installed);

    ProgramLocation installed = FindProgramFolder(l.prefix + "bin", "../share/pathwick");
    EXPECT_EQ(installed.BinaryFolder, l.prefix + "bin/");
    EXPECT_EQ(installed.ProgramFolder, l.prefix + "share/pathwick/");
    EXPECT_TRUE(installed.Installed);

    // Data beside the binary wins over an installed data folder (a copy unpacked into bin/).
    l.dir.write("prefix/bin/trans/de-de/display.txt", "Deutsch");
    EXPECT_EQ(FindProgramFolder(l.prefix + "bin/", "../share/pathwick/").ProgramFolder,
              l.prefix + "bin/");
}

TEST(ProgramFolder, AMovedPrefixAndAnAbsoluteDataFolderAreFound) {
    Layouts l;
    std::string moved = l.dir.path() + "elsewhere/";
    ASSERT_EQ(std::rename(l.prefix.c_str(), moved.c_str()), 0);
    EXPECT_EQ(FindProgramFolder(moved + "bin/", "../share/pathwick/").ProgramFolder,
              moved + "share/pathwick/");
    // A build configured with an absolute data folder names it as it stands.
    ProgramLocation absolute = FindProgramFolder(l.build + "../../x/", moved + "share/pathwick/");
    EXPECT_EQ(absolute.ProgramFolder, moved + "share/pathwick/");
    EXPECT_TRUE(absolute.Installed);
}

TEST(ProgramFolder, WithoutDataAnywhereTheBinarysFolderStays) {
    test::TempDir dir;
    std::string bare = dir.mkdir("bare/bin");
    dir.write("bare/share/pathwick/help/index.html", "no trans/: not a program folder");
    ProgramLocation location = FindProgramFolder(bare, "../share/pathwick/");
    EXPECT_EQ(location.ProgramFolder, bare);
    EXPECT_FALSE(location.Installed);
    EXPECT_EQ(FindProgramFolder("", "../share/pathwick/").ProgramFolder, "");
    EXPECT_EQ(InstalledDataRelativeFolder().back(), '/');
}

// The autostart entry names the binary: the one in bin/ for an installed program, not a
// "pathwick" in its data folder.
TEST(ProgramFolder, AutostartEntryOfAnInstalledProgramNamesItsBinary) {
    Layouts l;
    ProgramLocation installed = FindProgramFolder(l.prefix + "bin/", "../share/pathwick/");
    IniDocument entry(AutostartEntryText(installed.BinaryFolder));
    EXPECT_EQ(entry.ReadString("Desktop Entry", "Exec", ""), l.prefix + "bin/pathwick");
    ProgramLocation build = FindProgramFolder(l.build, "../share/pathwick/");
    IniDocument buildEntry(AutostartEntryText(build.BinaryFolder));
    EXPECT_EQ(buildEntry.ReadString("Desktop Entry", "Exec", ""), l.build + "pathwick");
}

} // namespace
} // namespace pw
