// Copies, backups, folder listings and snapshots, emptying and deleting folders.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "support/temp_dir.h"
#include "util/folders.h"
#include "util/paths.h"

namespace fs = std::filesystem;
using pw::StringArray;
using pw::test::SlurpFile;
using pw::test::TempDir;

namespace {

// Points HOME and XDG_DATA_HOME into the test's temporary folder, and back afterwards.
class FakeHome {
public:
    explicit FakeHome(const TempDir& dir)
        : home_(dir.mkdir("home")), oldHome_(Get("HOME")), oldData_(Get("XDG_DATA_HOME")) {
        setenv("HOME", home_.c_str(), 1);
        setenv("XDG_DATA_HOME", (home_ + ".local/share").c_str(), 1);
    }
    ~FakeHome() {
        Put("HOME", oldHome_);
        Put("XDG_DATA_HOME", oldData_);
    }
    const std::string& home() const { return home_; }

private:
    static std::optional<std::string> Get(const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    }
    static void Put(const char* name, const std::optional<std::string>& value) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    std::string home_;
    std::optional<std::string> oldHome_, oldData_;
};

// Puts a file where the trash folder would be, so that nothing can go to the trash.
void BlockTrash(const TempDir& dir) {
    dir.write("blocked/Trash", "a file where the trash folder should be");
    setenv("XDG_DATA_HOME", (dir.path() + "blocked").c_str(), 1);
}

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

void SetAge(const std::string& path, int secondsAgo) {
    std::error_code ec;
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(secondsAgo),
                        ec);
    ASSERT_FALSE(ec) << path;
}

bool Contains(const StringArray& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

size_t IndexOf(const StringArray& list, const std::string& item) {
    return static_cast<size_t>(std::find(list.begin(), list.end(), item) - list.begin());
}

size_t EntryCount(const std::string& folder) {
    size_t n = 0;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        ++n;
    return n;
}

// Runs call as an unprivileged user (in a child process when running as root, since root may
// delete anything), handing over the given paths first; the call's result, false when the
// change of user fails.
bool Unprivileged(const std::function<bool()>& call, const StringArray& handOver) {
    if (geteuid() != 0)
        return call();
    const uid_t nobody = 65534;
    for (const std::string& path : handOver)
        if (lchown(path.c_str(), nobody, nobody) != 0)
            return false;
    pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (setgid(nobody) != 0 || setuid(nobody) != 0)
            _exit(2);
        _exit(call() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

// --- CopyFile and BackupFile -----------------------------------------------------------------

TEST(CopyFile, CopiesBytesAndKeepsTheLastWriteTime) {
    TempDir dir;
    std::string bytes("line one\r\n\0\xff binary", 20);
    std::string source = dir.write("a.bin", bytes);
    SetAge(source, 3600);
    ASSERT_TRUE(pw::CopyFile(source, dir.path() + "b.bin"));
    EXPECT_EQ(dir.read("b.bin"), bytes);
    EXPECT_EQ(fs::last_write_time(source), fs::last_write_time(dir.path() + "b.bin"));
    EXPECT_EQ(EntryCount(dir.path()), 2u); // no temporary file left behind
}

TEST(CopyFile, ReplacesAnExistingTarget) {
    TempDir dir;
    std::string source = dir.write("a.txt", "new");
    std::string target = dir.write("b.txt", "old and longer");
    ASSERT_TRUE(pw::CopyFile(source, target));
    EXPECT_EQ(SlurpFile(target), "new");
}

TEST(CopyFile, MissingSourceReportsTrueAndCreatesNothing) {
    TempDir dir;
    EXPECT_TRUE(pw::CopyFile(dir.path() + "missing.txt", dir.path() + "copy.txt"));
    EXPECT_FALSE(Exists(dir.path() + "copy.txt"));
}

TEST(CopyFile, FailuresReportFalse) {
    TempDir dir;
    std::string source = dir.write("a.txt", "abc");
    EXPECT_FALSE(pw::CopyFile(source, dir.path() + "no/such/folder/a.txt"));
    EXPECT_FALSE(pw::CopyFile(dir.mkdir("sub"), dir.path() + "x.txt")); // a folder is no file
    EXPECT_FALSE(Exists(dir.path() + "x.txt"));
    EXPECT_FALSE(pw::CopyFile(source, dir.path() + "sub")); // onto a folder
    EXPECT_FALSE(pw::CopyFile(source, ""));
    EXPECT_EQ(EntryCount(dir.path() + "sub"), 0u);
}

TEST(CopyFile, ReadOnlyTargetStaysUntouched) {
    TempDir dir;
    std::string source = dir.write("a.txt", "new");
    std::string target = dir.write("b.txt", "old");
    chmod(target.c_str(), 0444);
    EXPECT_FALSE(
        Unprivileged([&] { return pw::CopyFile(source, target); }, {dir.path(), source, target}));
    EXPECT_EQ(SlurpFile(target), "old");
    EXPECT_EQ(EntryCount(dir.path()), 2u);
}

TEST(CopyFile, ReplacesALinkAtTheTargetInsteadOfWritingThroughIt) {
    TempDir dir;
    std::string source = dir.write("a.txt", "new");
    std::string outside = dir.write("outside.txt", "keep");
    std::string target = dir.path() + "link.txt";
    ASSERT_EQ(symlink(outside.c_str(), target.c_str()), 0);
    ASSERT_TRUE(pw::CopyFile(source, target));
    EXPECT_EQ(SlurpFile(outside), "keep");
    EXPECT_EQ(SlurpFile(target), "new");
    EXPECT_FALSE(fs::is_symlink(target));
}

TEST(BackupFile, NameInsertsTildeBeforeTheExtension) {
    EXPECT_EQ(pw::BackupFileName("/d/config/options.ini"), "/d/config/options.~ini");
    EXPECT_EQ(pw::BackupFileName("/d/data"), "/d/data.~");
    EXPECT_EQ(pw::BackupFileName("/d.x/archive.tar.gz"), "/d.x/archive.tar.~gz");
}

TEST(BackupFile, KeepsFileAndBackupAndReplacesTheOlderBackup) {
    TempDir dir;
    std::string file = dir.write("options.ini", "first");
    pw::BackupFile(file);
    EXPECT_EQ(dir.read("options.ini"), "first");
    EXPECT_EQ(dir.read("options.~ini"), "first");
    dir.write("options.ini", "second");
    pw::BackupFile(file);
    EXPECT_EQ(dir.read("options.~ini"), "second");
}

TEST(BackupFile, DeleteFlagLeavesOnlyTheBackup) {
    TempDir dir;
    std::string file = dir.write("data", "payload");
    pw::BackupFile(file, true);
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(dir.read("data.~"), "payload");
}

TEST(BackupFile, MissingFileDoesNothing) {
    TempDir dir;
    dir.write("options.~ini", "older backup");
    pw::BackupFile(dir.path() + "options.ini", true);
    EXPECT_EQ(dir.read("options.~ini"), "older backup");
    EXPECT_EQ(EntryCount(dir.path()), 1u);
}

TEST(BackupFile, FileIsNotDeletedWhenItsBackupFails) {
    TempDir dir;
    std::string file = dir.write("options.ini", "precious");
    dir.mkdir("options.~ini"); // a folder in the way: the copy cannot be made
    pw::BackupFile(file, true);
    EXPECT_EQ(dir.read("options.ini"), "precious");
}

// --- CopyFolderTree --------------------------------------------------------------------------

struct CopyTreeFixture : ::testing::Test {
    TempDir dir;
    std::string src, dst;
    void SetUp() override {
        src = dir.mkdir("src");
        dst = dir.path() + "dst/";
        dir.write("src/a.txt", "A-new");
        dir.write("src/sub/b.txt", "B-new");
        dir.write("src/sub/deep/c.txt", "C-new");
        dir.write("src/.hidden", "H");
    }
};

TEST_F(CopyTreeFixture, IntoAMissingTargetCopiesEverything) {
    pw::CopyFolderTree(src, dst, 0);
    EXPECT_EQ(dir.read("dst/a.txt"), "A-new");
    EXPECT_EQ(dir.read("dst/sub/b.txt"), "B-new");
    EXPECT_EQ(dir.read("dst/sub/deep/c.txt"), "C-new");
    EXPECT_EQ(dir.read("dst/.hidden"), "H");
}

TEST_F(CopyTreeFixture, ModeZeroCopiesOnlyMissingFiles) {
    dir.write("dst/a.txt", "A-old");
    dir.write("dst/extra.txt", "mine");
    pw::CopyFolderTree(dir.path() + "src", dir.path() + "dst", 0); // without trailing "/"
    EXPECT_EQ(dir.read("dst/a.txt"), "A-old");
    EXPECT_EQ(dir.read("dst/sub/b.txt"), "B-new");
    EXPECT_EQ(dir.read("dst/extra.txt"), "mine");
}

TEST_F(CopyTreeFixture, ModeOneCopiesMissingAndOlderFiles) {
    std::string olderTarget = dir.write("dst/a.txt", "A-old");
    std::string newerTarget = dir.write("dst/sub/b.txt", "B-mine");
    SetAge(src + "a.txt", 100);
    SetAge(olderTarget, 1000);
    SetAge(src + "sub/b.txt", 1000);
    SetAge(newerTarget, 100);
    pw::CopyFolderTree(src, dst, 1);
    EXPECT_EQ(dir.read("dst/a.txt"), "A-new");
    EXPECT_EQ(dir.read("dst/sub/b.txt"), "B-mine");
    EXPECT_EQ(dir.read("dst/sub/deep/c.txt"), "C-new");
}

TEST_F(CopyTreeFixture, ModeTwoOverwritesAllAndNeverDeletes) {
    std::string newer = dir.write("dst/a.txt", "A-mine");
    SetAge(src + "a.txt", 1000);
    SetAge(newer, 10);
    dir.write("dst/sub/extra.txt", "keep me");
    pw::CopyFolderTree(src, dst, 2);
    EXPECT_EQ(dir.read("dst/a.txt"), "A-new");
    EXPECT_EQ(dir.read("dst/sub/b.txt"), "B-new");
    EXPECT_EQ(dir.read("dst/sub/extra.txt"), "keep me");
}

TEST(CopyFolderTree, EmptyOrMissingSourceCreatesOnlyTheTarget) {
    TempDir dir;
    std::string empty = dir.mkdir("empty");
    pw::CopyFolderTree(empty, dir.path() + "t1/x/", 2);
    EXPECT_TRUE(pw::DirectoryExists(dir.path() + "t1/x/"));
    EXPECT_EQ(EntryCount(dir.path() + "t1/x"), 0u);
    pw::CopyFolderTree(dir.path() + "missing/", dir.path() + "t2/", 0);
    EXPECT_TRUE(pw::DirectoryExists(dir.path() + "t2/"));
    EXPECT_EQ(EntryCount(dir.path() + "t2"), 0u);
}

TEST(CopyFolderTree, EmptySubfoldersAreCreatedAndLinkLoopsEndTheWalk) {
    TempDir dir;
    dir.mkdir("src/empty/inner");
    dir.write("src/f.txt", "F");
    ASSERT_EQ(symlink("..", (dir.path() + "src/empty/up").c_str()), 0);
    pw::CopyFolderTree(dir.path() + "src/", dir.path() + "dst/", 0);
    EXPECT_TRUE(pw::DirectoryExists(dir.path() + "dst/empty/inner/"));
    EXPECT_EQ(dir.read("dst/f.txt"), "F");
}

TEST(CopyFolderTree, NamesBreakingTheNameRulesAreNotCopied) {
    TempDir dir;
    dir.write("src/a|b.txt", "bar");
    dir.write("src/c:d.txt", "colon");
    dir.write("src/ok.txt", "ok");
    pw::CopyFolderTree(dir.path() + "src/", dir.path() + "dst/", 2);
    EXPECT_EQ(dir.read("dst/ok.txt"), "ok");
    EXPECT_EQ(EntryCount(dir.path() + "dst"), 1u);
}

TEST(CopyFolderTree, ATargetInsideTheSourceIsCopiedOnce) {
    TempDir dir;
    dir.write("src/a.txt", "A");
    dir.write("src/sub/b.txt", "B");
    pw::CopyFolderTree(dir.path() + "src/", dir.path() + "src/copy/", 0);
    EXPECT_EQ(dir.read("src/copy/a.txt"), "A");
    EXPECT_EQ(dir.read("src/copy/sub/b.txt"), "B");
    EXPECT_FALSE(Exists(dir.path() + "src/copy/copy"));
}

TEST(CopyFolderTree, EmptyPathsCopyNothing) {
    TempDir dir;
    dir.write("src/a.txt", "A");
    pw::CopyFolderTree("", dir.path() + "dst/", 2);
    pw::CopyFolderTree(dir.path() + "src/", "", 2);
    EXPECT_EQ(EntryCount(dir.path()), 1u);
}

// --- listings and snapshots ------------------------------------------------------------------

TEST(ListFolderTree, FoldersEndWithSlashAndComeBeforeTheirContents) {
    TempDir dir;
    dir.write("root/a.txt", "");
    dir.write("root/.dot", "");
    dir.write("root/sub/b.txt", "");
    dir.write("root/sub/deeper/c.txt", "");
    const std::string root = dir.path() + "root/";
    StringArray list = pw::ListFolderTree(dir.path() + "root");
    ASSERT_EQ(list.size(), 6u);
    for (const char* name :
         {"a.txt", ".dot", "sub/", "sub/b.txt", "sub/deeper/", "sub/deeper/c.txt"})
        EXPECT_TRUE(Contains(list, root + name)) << name;
    EXPECT_LT(IndexOf(list, root + "sub/"), IndexOf(list, root + "sub/b.txt"));
    EXPECT_LT(IndexOf(list, root + "sub/deeper/"), IndexOf(list, root + "sub/deeper/c.txt"));
}

TEST(ListFolderTree, LinkLoopsAreListedButNotEnteredAgain) {
    TempDir dir;
    dir.write("root/sub/f.txt", "");
    ASSERT_EQ(symlink("..", (dir.path() + "root/sub/up").c_str()), 0);
    ASSERT_EQ(symlink(".", (dir.path() + "root/self").c_str()), 0);
    StringArray list = pw::ListFolderTree(dir.path() + "root/");
    const std::string root = dir.path() + "root/";
    EXPECT_EQ(list.size(), 4u);
    EXPECT_TRUE(Contains(list, root + "sub/up/"));
    EXPECT_TRUE(Contains(list, root + "self/"));
    EXPECT_FALSE(Contains(list, root + "self/sub/"));
}

TEST(ListFolderTree, MissingOrEmptyPathGivesNothing) {
    TempDir dir;
    EXPECT_TRUE(pw::ListFolderTree(dir.path() + "missing/").empty());
    EXPECT_TRUE(pw::ListFolderTree("").empty());
    EXPECT_TRUE(pw::ListFolderTree(dir.write("file.txt", "x")).empty());
}

TEST(ListSubfolderNames, DotFoldersAndFilesAreLeftOut) {
    TempDir dir;
    dir.mkdir("trans/en-us");
    dir.mkdir("trans/.old");
    dir.mkdir("trans/de-de/inner");
    dir.write("trans/readme.txt", "");
    StringArray names = pw::ListSubfolderNames(dir.path() + "trans/");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (StringArray{"de-de", "en-us"}));
    EXPECT_TRUE(pw::ListSubfolderNames(dir.path() + "nothing/").empty());
    EXPECT_TRUE(pw::ListSubfolderNames("").empty());
}

const pw::FolderEntry* Find(const pw::FolderSnapshot& level, const std::string& name) {
    for (const pw::FolderEntry& e : level)
        if (e.name == name)
            return &e;
    return nullptr;
}

TEST(TakeFolderSnapshot, OneLevelNamesFoldersWithSlash) {
    TempDir dir;
    dir.write("items/shortcuts-utf8.txt", "");
    dir.write("items/Tools/x.txt", "");
    dir.write("items/.hidden", "");
    auto snap = pw::TakeFolderSnapshot(dir.path() + "items/", false);
    ASSERT_TRUE(snap);
    ASSERT_EQ(snap->size(), 3u);
    const pw::FolderEntry* tools = Find(*snap, "Tools/");
    ASSERT_TRUE(tools);
    EXPECT_TRUE(tools->isFolder);
    EXPECT_TRUE(tools->children.empty());
    const pw::FolderEntry* file = Find(*snap, "shortcuts-utf8.txt");
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->isFolder);
    EXPECT_TRUE(Find(*snap, ".hidden"));
}

TEST(TakeFolderSnapshot, RecursiveFillsChildrenAndStopsAtLoops) {
    TempDir dir;
    dir.write("items/A/B/leaf.txt", "");
    ASSERT_EQ(symlink("../..", (dir.path() + "items/A/B/loop").c_str()), 0);
    auto snap = pw::TakeFolderSnapshot(dir.path() + "items", true);
    ASSERT_TRUE(snap);
    const pw::FolderEntry* a = Find(*snap, "A/");
    ASSERT_TRUE(a);
    const pw::FolderEntry* b = Find(a->children, "B/");
    ASSERT_TRUE(b);
    EXPECT_TRUE(Find(b->children, "leaf.txt"));
    const pw::FolderEntry* loop = Find(b->children, "loop/");
    ASSERT_TRUE(loop);
    EXPECT_TRUE(loop->children.empty());
}

TEST(TakeFolderSnapshot, MissingFolderGivesNoSnapshot) {
    TempDir dir;
    EXPECT_FALSE(pw::TakeFolderSnapshot(dir.path() + "missing/", true));
    EXPECT_FALSE(pw::TakeFolderSnapshot("", false));
    EXPECT_TRUE(pw::TakeFolderSnapshot(dir.mkdir("empty"), true)->empty());
}

TEST(FirstEntryNotIn, SkipsListedNames) {
    pw::FolderSnapshot level(3);
    level[0].name = "A/";
    level[1].name = "C/";
    level[2].name = "B/";
    EXPECT_EQ(pw::FirstEntryNotIn({"A/", "B/"}, level), 1);
    EXPECT_EQ(pw::FirstEntryNotIn({"A/", "B/"}, level, 2), -1);
    EXPECT_EQ(pw::FirstEntryNotIn({"a/"}, level), 0); // exact comparison
    EXPECT_EQ(pw::FirstEntryNotIn({"A/", "B/", "C/"}, level), -1);
    EXPECT_EQ(pw::FirstEntryNotIn({}, level, -5), 0);
    EXPECT_EQ(pw::FirstEntryNotIn({}, level, 7), -1);
    EXPECT_EQ(pw::FirstEntryNotIn({}, pw::FolderSnapshot{}), -1);
}

// --- emptying and deleting folders -----------------------------------------------------------

TEST(EmptyFolder, RefusesEmptyRootAndHome) {
    TempDir dir;
    FakeHome fake(dir);
    std::string keep = dir.write("home/keep.txt", "k");
    EXPECT_FALSE(pw::EmptyFolder(""));
    EXPECT_FALSE(pw::EmptyFolder("   "));
    EXPECT_FALSE(pw::EmptyFolder("/"));
    EXPECT_FALSE(pw::EmptyFolder("//"));
    EXPECT_FALSE(pw::EmptyFolder(fake.home()));
    EXPECT_FALSE(pw::EmptyFolder(pw::ExcludeTrailingSeparator(fake.home())));
    EXPECT_FALSE(pw::EmptyFolder(fake.home() + "sub/../"));
    dir.mkdir("home/sub");
    EXPECT_FALSE(pw::EmptyFolder(fake.home() + "sub/../"));
    EXPECT_FALSE(pw::EmptyFolder(dir.path())); // holds the home folder
    EXPECT_FALSE(pw::DeleteFolder(""));
    EXPECT_FALSE(pw::DeleteFolder("/"));
    EXPECT_FALSE(pw::DeleteFolder(fake.home()));
    EXPECT_FALSE(pw::DeleteFolder(dir.path()));
    EXPECT_EQ(SlurpFile(keep), "k");
}

TEST(EmptyFolder, HomeIsRecognisedThroughALinkedPath) {
    TempDir dir;
    std::string real = dir.mkdir("real-home");
    std::string linked = dir.path() + "linked-home";
    ASSERT_EQ(symlink(real.c_str(), linked.c_str()), 0);
    const char* old = std::getenv("HOME");
    std::string saved = old ? old : "";
    setenv("HOME", linked.c_str(), 1);
    dir.write("real-home/keep.txt", "k");
    EXPECT_FALSE(pw::EmptyFolder(real));
    EXPECT_FALSE(pw::EmptyFolder(linked + "/"));
    EXPECT_TRUE(pw::IsProtectedFolder(real));
    EXPECT_FALSE(pw::IsProtectedFolder(real + "keep.txt"));
    if (old)
        setenv("HOME", saved.c_str(), 1);
    else
        unsetenv("HOME");
    EXPECT_EQ(dir.read("real-home/keep.txt"), "k");
}

TEST(EmptyFolder, DeletesEverythingInsideAndKeepsTheFolder) {
    TempDir dir;
    FakeHome fake(dir);
    dir.write("work/a.txt", "a");
    dir.write("work/.hidden", "h");
    dir.write("work/sub/deep/b.txt", "b");
    EXPECT_TRUE(pw::EmptyFolder(dir.path() + "work/"));
    EXPECT_TRUE(pw::DirectoryExists(dir.path() + "work/"));
    EXPECT_EQ(EntryCount(dir.path() + "work"), 0u);
    // Same file system as the fake home: the entries went to its trash.
    EXPECT_EQ(SlurpFile(fake.home() + ".local/share/Trash/files/a.txt"), "a");
    EXPECT_EQ(SlurpFile(fake.home() + ".local/share/Trash/files/sub/deep/b.txt"), "b");
}

TEST(EmptyFolder, FallsBackToPlainDeletionWhenTheTrashIsUnusable) {
    TempDir dir;
    FakeHome fake(dir);
    BlockTrash(dir);
    dir.write("work/a.txt", "a");
    dir.write("work/sub/b.txt", "b");
    EXPECT_TRUE(pw::EmptyFolder(dir.path() + "work"));
    EXPECT_EQ(EntryCount(dir.path() + "work"), 0u);
}

class EmptyFolderLinks : public ::testing::TestWithParam<bool> {};

TEST_P(EmptyFolderLinks, RemovesLinksButNeverWhatTheyPointAt) {
    TempDir dir;
    FakeHome fake(dir);
    if (!GetParam())
        BlockTrash(dir); // plain deletion
    std::string outsideFile = dir.write("outside/file.txt", "safe");
    dir.write("outside/folder/inner.txt", "safe too");
    dir.mkdir("work/sub");
    ASSERT_EQ(symlink(outsideFile.c_str(), (dir.path() + "work/file-link").c_str()), 0);
    ASSERT_EQ(symlink((dir.path() + "outside/folder").c_str(),
                      (dir.path() + "work/sub/folder-link").c_str()),
              0);
    ASSERT_EQ(symlink((dir.path() + "outside/folder/").c_str(),
                      (dir.path() + "work/folder-link-slash").c_str()),
              0);
    EXPECT_TRUE(pw::EmptyFolder(dir.path() + "work/"));
    EXPECT_EQ(EntryCount(dir.path() + "work"), 0u);
    EXPECT_EQ(dir.read("outside/file.txt"), "safe");
    EXPECT_EQ(dir.read("outside/folder/inner.txt"), "safe too");
    EXPECT_EQ(EntryCount(dir.path() + "outside/folder"), 1u);
}

INSTANTIATE_TEST_SUITE_P(TrashOrNot, EmptyFolderLinks, ::testing::Bool());

TEST(EmptyFolder, GoesOnAfterAnErrorAndReportsWhatIsLeft) {
    TempDir dir;
    FakeHome fake(dir);
    BlockTrash(dir);
    chmod(dir.path().c_str(), 0755);
    const std::string work = dir.path() + "work/";
    dir.write("work/a.txt", "a");
    dir.write("work/locked/inner.txt", "i");
    dir.write("work/z.txt", "z");
    StringArray owned = {work, work + "a.txt", work + "locked", work + "locked/inner.txt",
                         work + "z.txt"};
    chmod((work + "locked").c_str(), 0555);
    EXPECT_FALSE(Unprivileged([&] { return pw::EmptyFolder(work); }, owned));
    EXPECT_FALSE(Exists(work + "a.txt"));
    EXPECT_FALSE(Exists(work + "z.txt"));
    EXPECT_EQ(dir.read("work/locked/inner.txt"), "i");
    EXPECT_FALSE(Unprivileged([&] { return pw::DeleteFolder(work); }, {}));
    EXPECT_TRUE(pw::DirectoryExists(work));
    // The same walk succeeds once the folder may be changed.
    chmod((work + "locked").c_str(), 0755);
    EXPECT_TRUE(pw::DeleteFolder(work));
    EXPECT_FALSE(Exists(work));
}

TEST(EmptyFolder, AFolderThatIsItselfALinkIsRefused) {
    TempDir dir;
    FakeHome fake(dir);
    dir.write("real/keep.txt", "k");
    std::string link = dir.path() + "link";
    ASSERT_EQ(symlink((dir.path() + "real").c_str(), link.c_str()), 0);
    EXPECT_FALSE(pw::EmptyFolder(link + "/"));
    EXPECT_FALSE(pw::DeleteFolder(link + "/"));
    EXPECT_EQ(dir.read("real/keep.txt"), "k");
}

TEST(EmptyFolder, MissingFolderOrFileIsNotEmptied) {
    TempDir dir;
    FakeHome fake(dir);
    EXPECT_FALSE(pw::EmptyFolder(dir.path() + "missing/"));
    std::string file = dir.write("file.txt", "x");
    EXPECT_FALSE(pw::EmptyFolder(file));
    EXPECT_EQ(SlurpFile(file), "x");
}

TEST(DeleteFolder, RemovesTheFolderWithItsContents) {
    TempDir dir;
    FakeHome fake(dir);
    dir.write("temp/item_bak/Tools/shortcuts-utf8.txt", "x");
    dir.write("temp/item_bak/shortcuts-utf8.txt", "y");
    EXPECT_TRUE(pw::DeleteFolder(dir.path() + "temp/item_bak/"));
    EXPECT_FALSE(Exists(dir.path() + "temp/item_bak"));
    EXPECT_TRUE(pw::DirectoryExists(dir.path() + "temp/"));
    EXPECT_TRUE(pw::DeleteFolder(dir.path() + "temp/item_bak/")); // already gone
}

TEST(DeleteFolder, LinkedFolderInsideKeepsItsTarget) {
    TempDir dir;
    FakeHome fake(dir);
    BlockTrash(dir);
    dir.write("outside/inner.txt", "safe");
    dir.mkdir("gone");
    ASSERT_EQ(symlink((dir.path() + "outside").c_str(), (dir.path() + "gone/link").c_str()), 0);
    EXPECT_TRUE(pw::DeleteFolder(dir.path() + "gone"));
    EXPECT_FALSE(Exists(dir.path() + "gone"));
    EXPECT_EQ(dir.read("outside/inner.txt"), "safe");
}

TEST(DeletePathPermanently, RemovesFilesLinksAndTreesButRefusesDotNames) {
    TempDir dir;
    FakeHome fake(dir);
    std::string target = dir.write("target.txt", "t");
    std::string link = dir.path() + "link";
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    EXPECT_TRUE(pw::DeletePathPermanently(link));
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(SlurpFile(target), "t");
    dir.write("tree/a/b/c.txt", "c");
    EXPECT_FALSE(pw::DeletePathPermanently(dir.path() + "tree/a/.."));
    EXPECT_FALSE(pw::DeletePathPermanently(dir.path() + "tree/a/."));
    EXPECT_EQ(dir.read("tree/a/b/c.txt"), "c");
    EXPECT_TRUE(pw::DeletePathPermanently(dir.path() + "tree/"));
    EXPECT_FALSE(Exists(dir.path() + "tree"));
    EXPECT_TRUE(pw::DeletePathPermanently(dir.path() + "never-was"));
    EXPECT_FALSE(pw::DeletePathPermanently(fake.home()));
    EXPECT_FALSE(pw::DeletePathPermanently("/"));
    EXPECT_FALSE(pw::DeletePathPermanently(""));
}

} // namespace
