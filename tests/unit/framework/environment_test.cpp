#include "framework/environment.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace pw {
namespace {

TEST(Environment, XdgDefaultsBelowHome) {
    EnvLookup env = FixedEnvironment({{"HOME", "/home/u"}});
    EXPECT_EQ(EnvHomeFolder(env), "/home/u/");
    EXPECT_EQ(XdgConfigHome(env), "/home/u/.config/");
    EXPECT_EQ(XdgDataHome(env), "/home/u/.local/share/");
    EXPECT_EQ(XdgDocumentsDir(env), "/home/u/Documents/");
}

TEST(Environment, XdgVariablesWinWhenAbsolute) {
    EnvLookup env = FixedEnvironment(
        {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "relative/data"}});
    EXPECT_EQ(XdgConfigHome(env), "/cfg/");
    EXPECT_EQ(XdgDataHome(env), "/home/u/.local/share/") << "relative values are ignored";
}

TEST(Environment, UserDirsFileNamesTheDocumentsFolder) {
    EXPECT_EQ(ParseUserDirsDocuments("# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                     "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
                                     "/home/u/"),
              "/home/u/Dokumente/");
    EXPECT_EQ(ParseUserDirsDocuments("XDG_DOCUMENTS_DIR=\"/srv/docs\"", "/home/u/"), "/srv/docs/");
    EXPECT_EQ(ParseUserDirsDocuments("XDG_DOCUMENTS_DIR=\"docs\"", "/home/u/"), "");
    EXPECT_EQ(ParseUserDirsDocuments("XDG_DOCUMENTS_DIR=\"$HOMEX/docs\"", "/home/u/"), "");
    EXPECT_EQ(ParseUserDirsDocuments("XDG_DOCUMENTS_DIR=\"$HOME\"", "/home/u/"), "/home/u/");
    EXPECT_EQ(ParseUserDirsDocuments("", "/home/u/"), "");
}

TEST(Environment, DocumentsFolderFromConfigHome) {
    test::TempDir dir;
    dir.write("cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\r\n");
    EnvLookup env =
        FixedEnvironment({{"HOME", dir.path() + "h"}, {"XDG_CONFIG_HOME", dir.path() + "cfg"}});
    EXPECT_EQ(XdgDocumentsDir(env), dir.path() + "h/Papiere/");
}

TEST(Environment, ProcessEnvironmentAndExecutableFolder) {
    setenv("PATHWICK_TEST_VARIABLE", "value", 1);
    EXPECT_EQ(ProcessEnvironment()("PATHWICK_TEST_VARIABLE"), std::optional<std::string>("value"));
    EXPECT_EQ(ProcessEnvironment()("PATHWICK_TEST_UNSET_VARIABLE"), std::nullopt);
    std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.front(), '/');
}

} // namespace
} // namespace pw
