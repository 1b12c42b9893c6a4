// The freedesktop trash: DeleteToRecycleBin, MoveToTrash and TrashFolder.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>

#include "support/temp_dir.h"
#include "util/folders.h"
#include "util/paths.h"

namespace fs = std::filesystem;
using pw::test::SlurpFile;
using pw::test::TempDir;

namespace {

// Sets an environment variable for one test and restores it afterwards.
class EnvVar {
public:
    EnvVar(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        Put(value);
    }
    ~EnvVar() { Put(old_); }

private:
    void Put(const std::optional<std::string>& value) {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// A temporary home whose trash lies at home/.local/share/Trash/ (created by the trash itself).
struct TrashFixture : ::testing::Test {
    TempDir dir;
    std::string home = dir.mkdir("home");
    EnvVar homeVar{"HOME", home};
    EnvVar dataVar{"XDG_DATA_HOME", home + ".local/share"};
    std::string trash = home + ".local/share/Trash/";

    std::string Info(const std::string& name) const {
        return SlurpFile(trash + "info/" + name + ".trashinfo");
    }
};

TEST(TrashFolder, FollowsXdgDataHomeElseTheHomeFolder) {
    EnvVar home("HOME", std::string("/home/someone"));
    {
        EnvVar data("XDG_DATA_HOME", std::string("/data/xdg/"));
        EXPECT_EQ(pw::TrashFolder(), "/data/xdg/Trash/");
    }
    {
        EnvVar data("XDG_DATA_HOME", std::nullopt);
        EXPECT_EQ(pw::TrashFolder(), "/home/someone/.local/share/Trash/");
    }
    {
        EnvVar data("XDG_DATA_HOME", std::string("relative/xdg")); // not absolute: ignored
        EXPECT_EQ(pw::TrashFolder(), "/home/someone/.local/share/Trash/");
    }
}

TEST_F(TrashFixture, FileMovesIntoAFreshTrashWithItsInfo) {
    std::string file = dir.write("work/notes.txt", "hello");
    ASSERT_FALSE(Exists(home + ".local"));
    ASSERT_TRUE(pw::DeleteToRecycleBin(file, false, true));
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(SlurpFile(trash + "files/notes.txt"), "hello");
    std::string info = Info("notes.txt");
    std::smatch m;
    ASSERT_TRUE(
        std::regex_match(info, m,
                         std::regex("\\[Trash Info\\]\nPath=(.*)\nDeletionDate=(\\d{4}-\\d{2}-"
                                    "\\d{2}T\\d{2}:\\d{2}:\\d{2})\n")))
        << info;
    EXPECT_EQ(m[1].str(), file);
    struct stat st;
    ASSERT_EQ(stat(trash.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(TrashFixture, PathIsUrlEncoded) {
    std::string file = dir.write("work/my 50% caf\xC3\xA9.txt", "x");
    ASSERT_TRUE(pw::DeleteToRecycleBin(file));
    std::string info = Info("my 50% caf\xC3\xA9.txt");
    EXPECT_NE(info.find("Path=" + dir.path() + "work/my%2050%25%20caf%C3%A9.txt\n"),
              std::string::npos)
        << info;
}

TEST_F(TrashFixture, SameNameGetsAUniqueTrashName) {
    std::string first = dir.write("a/report.txt", "first");
    std::string second = dir.write("b/report.txt", "second");
    std::string third = dir.write("c/report.txt", "third");
    ASSERT_TRUE(pw::DeleteToRecycleBin(first));
    ASSERT_TRUE(pw::DeleteToRecycleBin(second));
    ASSERT_TRUE(pw::MoveToTrash(third));
    EXPECT_EQ(SlurpFile(trash + "files/report.txt"), "first");
    EXPECT_EQ(SlurpFile(trash + "files/report.txt.2"), "second");
    EXPECT_EQ(SlurpFile(trash + "files/report.txt.3"), "third");
    EXPECT_NE(Info("report.txt.2").find("Path=" + second + "\n"), std::string::npos);
}

TEST_F(TrashFixture, StaleInfoFileIsNotOverwritten) {
    dir.write("home/.local/share/Trash/info/x.txt.trashinfo", "stale");
    std::string file = dir.write("work/x.txt", "x");
    ASSERT_TRUE(pw::DeleteToRecycleBin(file));
    EXPECT_EQ(Info("x.txt"), "stale");
    EXPECT_EQ(SlurpFile(trash + "files/x.txt.2"), "x");
}

TEST_F(TrashFixture, FoldersOnlyWithFoldersToo) {
    dir.write("work/sub/inner.txt", "i");
    EXPECT_FALSE(pw::DeleteToRecycleBin(dir.path() + "work/sub/", false, true));
    EXPECT_EQ(dir.read("work/sub/inner.txt"), "i");
    EXPECT_TRUE(pw::DeleteToRecycleBin(dir.path() + "work/sub/", true, true));
    EXPECT_FALSE(Exists(dir.path() + "work/sub"));
    EXPECT_EQ(SlurpFile(trash + "files/sub/inner.txt"), "i");
    EXPECT_NE(Info("sub").find("Path=" + dir.path() + "work/sub\n"), std::string::npos);
}

TEST_F(TrashFixture, LinkMovesAndItsTargetStays) {
    std::string target = dir.write("outside/target.txt", "t");
    std::string link = dir.path() + "work/link";
    dir.mkdir("work");
    ASSERT_EQ(symlink((dir.path() + "outside").c_str(), link.c_str()), 0);
    ASSERT_TRUE(pw::DeleteToRecycleBin(link, false, true)); // a link is no folder
    EXPECT_FALSE(Exists(link));
    EXPECT_TRUE(fs::is_symlink(trash + "files/link"));
    EXPECT_EQ(SlurpFile(target), "t");

    // A link to the home folder is only a link: it goes, the home stays.
    std::string homeLink = dir.path() + "work/home-link";
    ASSERT_EQ(symlink(home.c_str(), homeLink.c_str()), 0);
    EXPECT_TRUE(pw::DeleteToRecycleBin(homeLink));
    EXPECT_FALSE(Exists(homeLink));
    EXPECT_TRUE(pw::DirectoryExists(trash));
}

TEST_F(TrashFixture, WildcardNamesEveryMatchingEntry) {
    dir.write("work/a.txt", "a");
    dir.write("work/b.log", "b");
    dir.write("work/.dot", "d");
    dir.write("work/sub/c.txt", "c");
    EXPECT_TRUE(pw::DeleteToRecycleBin(dir.path() + "work/*.txt", false, true));
    EXPECT_FALSE(Exists(dir.path() + "work/a.txt"));
    EXPECT_TRUE(Exists(dir.path() + "work/b.log"));
    EXPECT_TRUE(pw::DeleteToRecycleBin(dir.path() + "work/*.*", false, true));
    EXPECT_FALSE(Exists(dir.path() + "work/b.log"));
    EXPECT_FALSE(Exists(dir.path() + "work/.dot"));
    EXPECT_EQ(dir.read("work/sub/c.txt"), "c"); // files only
    EXPECT_TRUE(pw::DeleteToRecycleBin(dir.path() + "work/*.*", true, true));
    EXPECT_FALSE(Exists(dir.path() + "work/sub"));
    EXPECT_TRUE(Exists(dir.path() + "work"));
}

TEST_F(TrashFixture, AnExistingNameWithWildcardCharactersIsTakenLiterally) {
    dir.write("work/star*.txt", "s");
    dir.write("work/starry.txt", "keep");
    EXPECT_TRUE(pw::DeleteToRecycleBin(dir.path() + "work/star*.txt"));
    EXPECT_FALSE(Exists(dir.path() + "work/star*.txt"));
    EXPECT_EQ(dir.read("work/starry.txt"), "keep");
}

TEST_F(TrashFixture, MissingPathsAndProtectedFoldersAreRefused) {
    EXPECT_FALSE(pw::DeleteToRecycleBin(dir.path() + "missing.txt"));
    EXPECT_FALSE(pw::DeleteToRecycleBin(""));
    EXPECT_FALSE(pw::DeleteToRecycleBin("/"));
    EXPECT_FALSE(pw::DeleteToRecycleBin(home));
    EXPECT_FALSE(pw::DeleteToRecycleBin(dir.path())); // holds the home folder
    EXPECT_FALSE(pw::MoveToTrash(home));
    EXPECT_TRUE(pw::DirectoryExists(home));
}

TEST_F(TrashFixture, AFolderHoldingTheTrashCannotMoveIntoIt) {
    dir.write("home/.local/share/other.txt", "o");
    std::string share = home + ".local/share/";
    ASSERT_TRUE(pw::DeleteToRecycleBin(dir.write("work/f.txt", "f"))); // trash now exists
    EXPECT_FALSE(pw::MoveToTrash(share));
    EXPECT_EQ(SlurpFile(share + "other.txt"), "o");
    EXPECT_EQ(SlurpFile(trash + "files/f.txt"), "f");
}

TEST_F(TrashFixture, UnusableTrashMeansPlainDeletion) {
    dir.write("blocked/Trash", "a file where the trash folder should be");
    EnvVar blocked("XDG_DATA_HOME", dir.path() + "blocked");
    std::string file = dir.write("work/a.txt", "a");
    dir.write("work/sub/b.txt", "b");
    EXPECT_FALSE(pw::MoveToTrash(file));
    EXPECT_TRUE(Exists(file));
    EXPECT_TRUE(pw::DeleteToRecycleBin(file));
    EXPECT_FALSE(Exists(file));
    EXPECT_TRUE(pw::DeleteToRecycleBin(dir.path() + "work/sub"));
    EXPECT_FALSE(Exists(dir.path() + "work/sub"));
    EXPECT_EQ(SlurpFile(dir.path() + "blocked/Trash"), "a file where the trash folder should be");
}

TEST_F(TrashFixture, VeryLongNamesAreShortenedInTheTrash) {
    std::string name(240, 'n');
    std::string file = dir.write("work/" + name, "long");
    ASSERT_TRUE(pw::MoveToTrash(file));
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(SlurpFile(trash + "files/" + name.substr(0, 200)), "long");
    EXPECT_NE(Info(name.substr(0, 200)).find("Path=" + file + "\n"), std::string::npos);
}

TEST_F(TrashFixture, RelativePathsAreRecordedAbsolute) {
    dir.write("work/rel.txt", "r");
    std::string cwd = fs::current_path().string();
    ASSERT_EQ(chdir((dir.path() + "work").c_str()), 0);
    bool moved = pw::MoveToTrash("./rel.txt");
    ASSERT_EQ(chdir(cwd.c_str()), 0);
    ASSERT_TRUE(moved);
    EXPECT_NE(Info("rel.txt").find("Path=" + dir.path() + "work/rel.txt\n"), std::string::npos);
}

} // namespace
