#include "framework/path_macros.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(PathMacros, ProgramFolderPathsBecomeMacrosAndReadBackAfterAMove) {
    PathMacros old =
        MakeProgramPathMacros("/home/u/Documents/Halvorn-Ek/Pathwick/shortcuts/", "/opt/pathwick/");
    std::string stored = old.PathsToMacros("Editor=/opt/pathwick/tools/edit\r\n");
    EXPECT_EQ(stored, "Editor=?($AppPath)?tools/edit\r\n");
    PathMacros moved = MakeProgramPathMacros("/x/shortcuts/", "/usr/local/pathwick/");
    EXPECT_EQ(moved.MacrosToPaths(stored), "Editor=/usr/local/pathwick/tools/edit\r\n");
    EXPECT_EQ(moved.MacrosToPaths("a=?L?b"), "a=/usr/local/pathwick/b");
}

TEST(PathMacros, ItemsRootInsideProgramFolderWinsAtTheSamePosition) {
    PathMacros m = MakeProgramPathMacros("/opt/pw/shortcuts/", "/opt/pw/");
    EXPECT_EQ(m.PathsToMacros("p=/opt/pw/shortcuts/Games/x q=/opt/pw/y"),
              "p=?($AppDirData)?Games/x q=?($AppPath)?y");
}

TEST(PathMacros, EveryOccurrenceIsReplaced) {
    PathMacros m = MakeProgramPathMacros("/r/", "/p/");
    EXPECT_EQ(m.PathsToMacros("/p//p/"), "?($AppPath)?"
                                         "?($AppPath)?");
    EXPECT_EQ(m.MacrosToPaths("?($AppDirData)?"
                              "?L?"),
              "/r//p/");
}

TEST(PathMacros, AddReplacesTheEntryOfAKnownMacro) {
    PathMacros m;
    m.Add("?A?", "/one/");
    m.Add("?B?", "/two/");
    m.Add("?A?", "/three/");
    ASSERT_EQ(m.Pairs().size(), 2u);
    EXPECT_EQ(m.Pairs()[0].second, "/three/");
    EXPECT_EQ(m.PathsToMacros("/one/ /three/"), "/one/ ?A?");
}

TEST(PathMacros, EmptyOrSelfReferringPairsCannotLoop) {
    PathMacros m;
    m.Add("?E?", "");
    m.Add("/a", "/a/b"); // a macro that begins with a path it replaces
    std::string text = m.PathsToMacros("x/a/by");
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(m.MacrosToPaths("abc"), "abc");
    EXPECT_EQ(PathMacros().PathsToMacros("/p/"), "/p/");
}

} // namespace
} // namespace pw
