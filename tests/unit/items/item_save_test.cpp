// Saving the tree: records, icon cache files, the clean-up and its safety rules.
#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "items/atomic_write.h"
#include "items/bitmap_file.h"
#include "items/item_rules.h"
#include "items/item_saver.h"
#include "items/items_backup.h"
#include "unit/items/items_fixture.h"
#include "util/paths.h"

namespace pw::items::test {
namespace {

namespace fs = std::filesystem;
using SaveTest = ItemsFixture;

std::string Records(const std::vector<std::string>& records) {
    std::string text;
    for (const auto& r : records)
        text += r + "\r\n";
    return text;
}

TEST_F(SaveTest, FolderAndDocumentLinkWriteTwoRecordsAndRemoveTheRest) {
    tmp.mkdir("data/shortcuts/Tools");
    tmp.mkdir("data/shortcuts/Stale/Deep");
    tmp.write("data/shortcuts/Stale/Deep/x.txt", "x");
    tmp.write("data/shortcuts/shortcuts.txt", "^NorSep|\r\n");
    tmp.write("data/shortcuts/old.bmp", "x");
    tmp.write("data/shortcuts/.hidden", "x");
    WriteLevel("", {"^Folder|Tools", "^UnkLnk|/no/doc.pdf|pdf|Doc|"});
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""), Records({"^Folder|Tools", "^UnkLnk|/no/doc.pdf|pdf|Doc|"}));
    EXPECT_TRUE(DirectoryExists(root + "Tools/"));
    EXPECT_FALSE(PathExists(root + "Stale"));
    EXPECT_FALSE(PathExists(root + "shortcuts.txt"));
    EXPECT_FALSE(PathExists(root + "old.bmp"));
    EXPECT_FALSE(PathExists(root + ".hidden"));
    // The stale folder went to the trash in the (temporary) home, not away for good.
    EXPECT_TRUE(DirectoryExists(tmp.path() + "home/.local/share/Trash/files/Stale/Deep/"));
    EXPECT_FALSE(PathExists(temp + "item_bak")); // the save's backup is gone again
}

TEST_F(SaveTest, RoundTripIsByteForByte) {
    tmp.mkdir("data/shortcuts/Tools/Sub");
    tmp.mkdir("data/shortcuts/Empty");
    const std::string rootText =
        Records({"^Folder|Tools", "^NorSep|", "^SpeSep|Heading", "^NetLnk|https://x.org|X|",
                 "^NetLnk|www.y.org|Y|*WindowMax", "^UnkLnk|/no/doc.pdf|pdf|Doc|*WindowHid",
                 "^UnkLnk|/no/dir/||Dir|", "^ExeLnk|/no/run.bat|-a|bat|Run|/w|*WindowMin*UserRunAs",
                 "^Folder|Empty"});
    const std::string toolsText = Records({"^Folder|Sub", "^SpeSep|Caf\xC3\xA9 \xE2\x82\xAC"});
    const std::string subText = Records({"^UnkLnk|/no/a.txt|txt|A|"});
    tmp.write("data/shortcuts/shortcuts-utf8.txt", rootText);
    tmp.write("data/shortcuts/Tools/shortcuts-utf8.txt", toolsText);
    tmp.write("data/shortcuts/Tools/Sub/shortcuts-utf8.txt", subText);
    tmp.write("data/shortcuts/Empty/shortcuts-utf8.txt", "");
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""), rootText);
    EXPECT_EQ(ReadLevel("Tools/"), toolsText);
    EXPECT_EQ(ReadLevel("Tools/Sub/"), subText);
    EXPECT_EQ(ReadLevel("Empty/"), "");
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""), rootText);
}

TEST_F(SaveTest, UnchangedCachePicturesStayWhereTheyAreAndChangedOnesMove) {
    const std::string app = tmp.write("bin/app.exe", "MZ");
    WriteLevel("", {"^ExeLnk|" + app + "||app.bmp|App||"});
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""), Records({"^ExeLnk|" + app + "||app.bmp|App||"}));
    const std::string menuBytes = tmp.read("data/shortcuts/app.bmp");
    EXPECT_TRUE(FileExists(root + "app.wc.bmp"));
    struct stat before {};
    ASSERT_EQ(stat((root + "app.bmp").c_str(), &before), 0);
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""), Records({"^ExeLnk|" + app + "||app.bmp|App||"}));
    struct stat after {};
    ASSERT_EQ(stat((root + "app.bmp").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "an unchanged picture is not written again";
    EXPECT_FALSE(PathExists(temp + "item_bak")) << "nothing changed, so no backup was left";
    // A changed picture gets the next free name; the old files go.
    store.LoadItems();
    RootNode(1)->ImageIndex = store.AppendItemIcon("/no/other.com");
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""), Records({"^ExeLnk|" + app + "||app1.bmp|App||"}));
    EXPECT_FALSE(PathExists(root + "app.bmp"));
    EXPECT_FALSE(PathExists(root + "app.wc.bmp"));
    EXPECT_NE(tmp.read("data/shortcuts/app1.bmp"), menuBytes);
    EXPECT_TRUE(FileExists(root + "app1.wc.bmp"));
}

TEST_F(SaveTest, NamedPipeInTheWayNeverHoldsTheSave) {
    const std::string app = tmp.write("bin/app.exe", "MZ");
    WriteLevel("", {"^ExeLnk|" + app + "||app.bmp|App||"});
    ASSERT_EQ(mkfifo((root + "app.bmp").c_str(), 0600), 0);
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true)); // compared without waiting for a writer
    EXPECT_EQ(ReadLevel(""), Records({"^ExeLnk|" + app + "||app1.bmp|App||"}));
    EXPECT_FALSE(PathExists(root + "app.bmp"));
}

TEST_F(SaveTest, CachePicturesAreTheLinksPicturesOnTheListColours) {
    const std::string app = tmp.write("bin/app.exe", "MZ");
    store.Images.MenuColour = 0xFF112233u;
    store.Images.TreeColour = 0xFF445566u;
    store.Images.PrepareImageLists();
    WriteLevel("", {"^ExeLnk|" + app + "||app.bmp|App||"});
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    auto menu = ReadBmpFile(root + "app.bmp");
    auto tree = ReadBmpFile(root + "app.wc.bmp");
    ASSERT_TRUE(menu && tree);
    const Argb colour = PlainIconSource::ColourOf("exe");
    EXPECT_EQ(menu->At(5, 5), colour);
    EXPECT_EQ(tree->At(5, 5), colour);
    // The next load takes the pictures from the cache without asking the icon source.
    const int asked = icons.Questions();
    store.LoadItems();
    EXPECT_EQ(store.Images.ilPublicPM.At(RootNode(1)->ImageIndex).At(5, 5), colour);
    EXPECT_EQ(store.Images.ilPublicTV.At(RootNode(1)->ImageIndex).At(5, 5), colour);
    EXPECT_EQ(icons.Questions(), asked);
}

TEST_F(SaveTest, TwoProgramsNamedAlikeGetNumberedNames) {
    const std::string a = tmp.write("bin/a/tool.exe", "MZ");
    const std::string b = tmp.write("bin/b/tool.exe", "MZ");
    WriteLevel("", {"^ExeLnk|" + a + "||x.bmp|A||", "^ExeLnk|" + b + "||y.bmp|B||"});
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""),
              Records({"^ExeLnk|" + a + "||tool.bmp|A||", "^ExeLnk|" + b + "||tool1.bmp|B||"}));
    // Unchanged, each keeps its own files; a changed picture gets a fresh pair.
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""),
              Records({"^ExeLnk|" + a + "||tool.bmp|A||", "^ExeLnk|" + b + "||tool1.bmp|B||"}));
    store.LoadItems();
    RootNode(1)->ImageIndex = store.AppendItemIcon("/no/a.com");
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""),
              Records({"^ExeLnk|" + a + "||tool2.bmp|A||", "^ExeLnk|" + b + "||tool1.bmp|B||"}));
    EXPECT_FALSE(PathExists(root + "tool.bmp"));
    EXPECT_FALSE(PathExists(root + "tool.wc.bmp"));

    // With only S.bmp there before: S1 and S2.
    const std::string c = tmp.write("bin/c/ed.exe", "MZ");
    const std::string d = tmp.write("bin/d/ed.exe", "MZ");
    tmp.write("data/shortcuts/ed.bmp", EncodeBmp(Picture(16, 16)));
    WriteLevel("", {"^ExeLnk|" + c + "||x.bmp|C||", "^ExeLnk|" + d + "||y.bmp|D||"});
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""),
              Records({"^ExeLnk|" + c + "||ed1.bmp|C||", "^ExeLnk|" + d + "||ed2.bmp|D||"}));
}

TEST_F(SaveTest, RefreshRewritesEveryCacheFileAndBlankForMissingTargets) {
    const std::string app = tmp.write("bin/app.exe", "MZ");
    WriteLevel("", {"^ExeLnk|" + app + "||app.bmp|App||"});
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    fs::remove(app);
    store.SaveItems(false); // without icon files: every cache file is deleted
    EXPECT_FALSE(PathExists(root + "app.bmp"));
    EXPECT_FALSE(PathExists(root + "app1.bmp"));
    EXPECT_EQ(ReadLevel(""), Records({"^ExeLnk|" + app + "||app1.bmp|App||"}));
    store.LoadItems();
    EXPECT_EQ(RootNode(1)->ImageIndex, -1); // neither cache nor target
    ASSERT_TRUE(store.SaveItems(true));
    auto menu = ReadBmpFile(root + "app.bmp");
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->At(8, 8), store.Images.MenuColour); // a blank, menu-coloured picture
}

TEST_F(SaveTest, EmptiedFolderIsWrittenAsAnEmptyLevel) {
    tmp.mkdir("data/shortcuts/F");
    WriteLevel("", {"^Folder|F"});
    WriteLevel("F/", {"^NetLnk|www.a.org|A|"});
    store.LoadItems();
    TreeNode* folder = RootNode(1);
    store.tvItems.Remove(folder->Children[1].get());
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel("F/"), "");
    store.LoadItems();
    EXPECT_EQ(RootNode(1)->Children.size(), 1u);
}

TEST_F(SaveTest, NewFolderGetsItsDirectory) {
    store.LoadItems();
    TreeNode* f =
        store.CreateItem(ItemKind::Folder, "", nullptr, nullptr, -1, false, "", "New", "", "");
    store.CreateItem(ItemKind::SpecialSeparator, "", f, nullptr, -1, false, "", "x-y", "", "");
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""), Records({"^Folder|New"}));
    EXPECT_EQ(ReadLevel("New/"), Records({"^SpeSep|xy"}));
}

TEST_F(SaveTest, FieldsNeverBreakTheRecord) {
    store.LoadItems();
    store.CreateItem(ItemKind::UnknownLink, "/a|b\r\nc.txt", nullptr, nullptr, -1, false, "",
                     "Cap|tion", "", "");
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""), Records({"^UnkLnk|/a_b__c.txt|txt|Cap_tion|"}));
}

TEST_F(SaveTest, FolderNameThatBreaksTheRulesIsNotWrittenAndNothingIsCleaned) {
    tmp.write("data/shortcuts/keep.bmp", "x");
    store.LoadItems();
    for (const char* bad : {"..", "a/b", "../../x", ""}) {
        TreeNode* f =
            store.CreateItem(ItemKind::Folder, "", nullptr, nullptr, -1, false, "", bad, "", "");
        EXPECT_FALSE(store.SaveItems(true)) << bad;
        store.tvItems.Remove(f);
    }
    EXPECT_TRUE(FileExists(root + "keep.bmp"));
    EXPECT_FALSE(PathExists(tmp.path() + "data/x"));
    EXPECT_FALSE(PathExists(root + "a"));
    EXPECT_GE(log.Count(kLogSaveNodes), 4);
}

TEST_F(SaveTest, CleanupRemovesALinkNotWhatItPointsAt) {
    const std::string outside = tmp.mkdir("outside");
    tmp.write("outside/precious.txt", "x");
    fs::create_directory_symlink(outside, root + "LinkDir");
    fs::create_symlink(outside + "precious.txt", root + "LinkFile");
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_FALSE(PathExists(root + "LinkDir"));
    EXPECT_FALSE(PathExists(root + "LinkFile"));
    EXPECT_TRUE(FileExists(outside + "precious.txt"));
}

TEST_F(SaveTest, FolderReachedThroughALinkIsNeverCleaned) {
    const std::string outside = tmp.mkdir("outside");
    tmp.write("outside/precious.txt", "x");
    fs::create_directory_symlink(outside, root + "Linked");
    WriteLevel("", {"^Folder|Linked"});
    store.LoadItems();
    ASSERT_EQ(RootNode(1)->Text, "Linked");
    store.CreateItem(ItemKind::NetLink, "www.a.org", RootNode(1), nullptr, -1, false, "", "A", "",
                     "");
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_TRUE(FileExists(outside + "precious.txt"));
    EXPECT_EQ(tmp.read("outside/shortcuts-utf8.txt"), Records({"^NetLnk|www.a.org|A|"}));
    EXPECT_TRUE(IsSymbolicLink(root + "Linked"));
}

TEST_F(SaveTest, FolderRenamedOnlyInLetterCaseKeepsItsDirectory) {
    tmp.mkdir("data/shortcuts/tools/Deep");
    WriteLevel("", {"^Folder|tools"});
    WriteLevel("tools/", {"^Folder|Deep"});
    WriteLevel("tools/Deep/", {"^NetLnk|www.a.org|A|"});
    tmp.write("data/shortcuts/tools/Deep/extra.ico", "keep me");
    store.LoadItems();
    RootNode(1)->Text = "Tools";
    // The emptied sub-folder's files are not rewritten by the save: they must come along.
    ASSERT_TRUE(store.SaveItems(true));
    EXPECT_EQ(ReadLevel(""), Records({"^Folder|Tools"}));
    EXPECT_FALSE(PathExists(root + "tools"));
    EXPECT_EQ(ReadLevel("Tools/Deep/"), Records({"^NetLnk|www.a.org|A|"}));
    store.LoadItems();
    EXPECT_EQ(store.tvItems.Count(), 1 + 2 + 3);
}

TEST_F(SaveTest, UnwritableShortcutFileKeepsTheLevelsOldFiles) {
    const std::string app = tmp.write("bin/app.exe", "MZ");
    WriteLevel("", {"^ExeLnk|" + app + "||app.bmp|App||"});
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true));
    chmod((root + "shortcuts-utf8.txt").c_str(), 0444);
    store.LoadItems();
    ASSERT_TRUE(store.SaveItems(true)) << "an unchanged file needs no writing";
    RootNode(1)->Text = "Renamed";
    EXPECT_FALSE(store.SaveItems(true));
    // The old file still names app.bmp, so app.bmp must survive.
    EXPECT_EQ(ReadLevel(""), Records({"^ExeLnk|" + app + "||app.bmp|App||"}));
    EXPECT_TRUE(FileExists(root + "app.bmp"));
}

TEST_F(SaveTest, NeverLoadedStoreSavesNothing) {
    tmp.write("data/shortcuts/keep.txt", "x");
    EXPECT_FALSE(store.SaveItems(true));
    EXPECT_TRUE(FileExists(root + "keep.txt"));
}

TEST_F(SaveTest, SaveCommandReloadsEveryMirror) {
    store.LoadItems();
    store.CreateItem(ItemKind::NetLink, "www.a.org", nullptr, nullptr, -1, false, "", "A", "", "");
    EXPECT_EQ(store.pmItems.Count(), 2); // the popup shows the last load until the save
    store.Save();
    EXPECT_EQ(store.pmItems.Count(), 3);
    EXPECT_EQ(store.pmItems.Child(0)->Caption, "A");
    EXPECT_FALSE(store.HasUnsavedChanges());
    store.SaveAndRefreshImageCache();
    EXPECT_EQ(store.pmItems.Count(), 3);
}

TEST(ItemsBackup, SaveBackupHoldsTheOldBytesAfterAnAtomicRewrite) {
    pw::test::TempDir tmp;
    const std::string root = tmp.mkdir("shortcuts");
    const std::string temp = tmp.mkdir("temp");
    tmp.write("shortcuts/shortcuts-utf8.txt", "old");
    tmp.write("shortcuts/F/shortcuts-utf8.txt", "inner");
    ASSERT_TRUE(MakeItemsBackup(root, temp));
    ASSERT_TRUE(WriteBmpFile(root + "x.bmp", Picture(1, 1)));
    ASSERT_TRUE(WriteFileAtomically(root + "shortcuts-utf8.txt", "new"));
    EXPECT_EQ(tmp.read("temp/item_bak/shortcuts-utf8.txt"), "old");
    EXPECT_EQ(tmp.read("temp/item_bak/F/shortcuts-utf8.txt"), "inner");
    EXPECT_FALSE(PathExists(temp + "item_bak/x.bmp"));
    EXPECT_TRUE(RemoveItemsBackup(temp));
    EXPECT_FALSE(PathExists(temp + "item_bak"));
}

} // namespace
} // namespace pw::items::test
