#include "items/items_backup.h"

#include <gtest/gtest.h>

#include "items/atomic_write.h"
#include "support/temp_dir.h"
#include "util/paths.h"

namespace pw::items {
namespace {

struct FixedAnswer : BackupQuestion {
    explicit FixedAnswer(BackupAnswer a) : answer(a) {}
    BackupAnswer AskRestoreBackup(const std::string& folder) override {
        ++asked;
        askedFor = folder;
        return answer;
    }
    BackupAnswer answer;
    int asked = 0;
    std::string askedFor;
};

class RecoverTest : public ::testing::Test {
protected:
    RecoverTest() {
        setenv("HOME", tmp.mkdir("home").c_str(), 1);
        setenv("XDG_DATA_HOME", tmp.mkdir("home/.local/share").c_str(), 1);
        root = tmp.path() + "data/shortcuts/";
        temp = tmp.mkdir("data/temp");
    }
    // The state a save leaves when it is cut short: the backup holds the tree before the save,
    // the items root is half written.
    void CrashDuringSave() {
        tmp.write("data/shortcuts/shortcuts-utf8.txt", "^Folder|F\r\n");
        tmp.write("data/shortcuts/F/shortcuts-utf8.txt", "^NetLnk|www.a.org|A|\r\n");
        ASSERT_TRUE(MakeItemsBackup(root, temp));
        // The save replaces files by rename, never in place.
        ASSERT_TRUE(WriteFileAtomically(root + "shortcuts-utf8.txt", "^Fold"));
        ASSERT_TRUE(WriteFileAtomically(root + "half.bmp", "BM"));
    }
    pw::test::TempDir tmp;
    std::string root, temp;
};

TEST_F(RecoverTest, NoBackupAsksNothingAndCreatesTheItemsRoot) {
    FixedAnswer q(BackupAnswer::Yes);
    EXPECT_EQ(RecoverItemsBackup(root, temp, q), RecoverResult::NoBackup);
    EXPECT_EQ(q.asked, 0);
    EXPECT_TRUE(DirectoryExists(root));
}

TEST_F(RecoverTest, YesRestoresTheBackupAndRemovesIt) {
    CrashDuringSave();
    FixedAnswer q(BackupAnswer::Yes);
    EXPECT_EQ(RecoverItemsBackup(root, temp, q), RecoverResult::Restored);
    EXPECT_EQ(q.asked, 1);
    EXPECT_EQ(q.askedFor, temp + "item_bak/");
    EXPECT_EQ(tmp.read("data/shortcuts/shortcuts-utf8.txt"), "^Folder|F\r\n");
    EXPECT_EQ(tmp.read("data/shortcuts/F/shortcuts-utf8.txt"), "^NetLnk|www.a.org|A|\r\n");
    EXPECT_FALSE(PathExists(root + "half.bmp"));
    EXPECT_FALSE(PathExists(temp + "item_bak"));
}

TEST_F(RecoverTest, NoDeletesTheBackupOnly) {
    CrashDuringSave();
    FixedAnswer q(BackupAnswer::No);
    EXPECT_EQ(RecoverItemsBackup(root, temp, q), RecoverResult::Deleted);
    EXPECT_FALSE(PathExists(temp + "item_bak"));
    EXPECT_EQ(tmp.read("data/shortcuts/shortcuts-utf8.txt"), "^Fold");
}

TEST_F(RecoverTest, CancelChangesNothingAndAsksAgainNextTime) {
    CrashDuringSave();
    FixedAnswer q(BackupAnswer::Cancel);
    EXPECT_EQ(RecoverItemsBackup(root, temp, q), RecoverResult::Kept);
    EXPECT_EQ(RecoverItemsBackup(root, temp, q), RecoverResult::Kept);
    EXPECT_EQ(q.asked, 2);
    EXPECT_TRUE(DirectoryExists(temp + "item_bak/"));
    EXPECT_EQ(tmp.read("data/shortcuts/shortcuts-utf8.txt"), "^Fold");
}

TEST_F(RecoverTest, HalfBuiltBackupIsNeverOfferedAndTheNextBackupReplacesIt) {
    // A save cut short while it built its backup: the items root is still untouched.
    tmp.write("data/shortcuts/shortcuts-utf8.txt", "^NorSep|\r\n");
    tmp.write("data/temp/item_bak.new/shortcuts-utf8.txt", "^Fol");
    FixedAnswer q(BackupAnswer::Yes);
    EXPECT_EQ(RecoverItemsBackup(root, temp, q), RecoverResult::NoBackup);
    EXPECT_EQ(q.asked, 0);
    EXPECT_EQ(tmp.read("data/shortcuts/shortcuts-utf8.txt"), "^NorSep|\r\n");
    // An older backup is replaced whole; nothing is left beside it.
    tmp.write("data/temp/item_bak/old.txt", "x");
    ASSERT_TRUE(MakeItemsBackup(root, temp));
    EXPECT_EQ(tmp.read("data/temp/item_bak/shortcuts-utf8.txt"), "^NorSep|\r\n");
    EXPECT_FALSE(PathExists(temp + "item_bak/old.txt"));
    EXPECT_FALSE(PathExists(temp + "item_bak.new"));
    EXPECT_FALSE(PathExists(temp + "item_bak.old"));
    ASSERT_TRUE(RemoveItemsBackup(temp));
    EXPECT_FALSE(PathExists(temp + "item_bak"));
    EXPECT_FALSE(PathExists(temp + "item_bak.old"));
}

TEST_F(RecoverTest, ItemsRootThatCannotBeCreatedIsAnError) {
    tmp.write("data/shortcuts", "a file in the way");
    FixedAnswer q(BackupAnswer::Cancel);
    EXPECT_THROW(RecoverItemsBackup(root, temp, q), std::runtime_error);
}

TEST(BackupText, CarriesTheDataFolderVariable) {
    EXPECT_NE(std::string(kBackupQuestionText).find("\"{AppDataPath}item_bak\""),
              std::string::npos);
    EXPECT_STREQ(kBackupQuestionKey, "DiskItemsDataBackup");
}

} // namespace
} // namespace pw::items
