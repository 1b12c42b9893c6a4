// The editing commands over a loaded tree: command states, cut / copy / paste with the placement
// rule, delete, moves, clean, undo, attach, and the save command with its failure.
#include <filesystem>
#include <set>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "items/bitmap_file.h"
#include "items/item_editing.h"
#include "items/item_rules.h"
#include "unit/items/items_fixture.h"
#include "util/paths.h"

namespace pw::items::test {
namespace {

namespace fs = std::filesystem;

class EditingTest : public ItemsFixture {
protected:
    // Root: top, Tools (top, tools-link "Doc", folder Inner (top)), separator, Run (a runnable
    // script with params), Web, Dir (a directory link), Gone (a link to nothing).
    void LoadSample() {
        doc = tmp.write("files/doc.txt", "x");
        script = tmp.write("files/run.sh", "#!/bin/sh\n");
        dir = tmp.mkdir("files/dir");
        tmp.mkdir("data/shortcuts/Tools/Inner");
        WriteLevel("", {"^Folder|Tools", "^NorSep|",
                        "^ExeLnk|" + script + "|-v|sh|Run|/work|*WindowMin*UserRunAs",
                        "^NetLnk|https://example.org|Web|", "^UnkLnk|" + dir + "||Dir|",
                        "^UnkLnk|/gone/file.pdf|pdf|Gone|"});
        WriteLevel("Tools/", {"^UnkLnk|" + doc + "|txt|Doc|", "^Folder|Inner"});
        store.LoadItems();
    }
    TreeNode* Named(const std::string& text) const {
        for (TreeNode* n : store.tvItems.AllNodes())
            if (n->Text == text)
                return n;
        return nullptr;
    }
    std::vector<std::string> Level(const TreeNode* folder) const {
        std::vector<std::string> texts;
        const auto& list = folder ? folder->Children : store.tvItems.RootNodes();
        for (const auto& n : list)
            texts.push_back(n->Text);
        return texts;
    }
    std::string doc, script, dir;
};

TEST_F(EditingTest, CommandStatesFollowTheSelectedKind) {
    LoadSample();
    CommandStates none = UpdateCommandStates(store, nullptr);
    EXPECT_FALSE(none.Cut || none.Copy || none.Paste || none.Delete || none.Attach || none.Launch ||
                 none.MoveUp || none.MoveDown || none.Set);
    EXPECT_TRUE(none.Clean && none.Undo && none.Save && none.Help && none.Close);

    CommandStates top = UpdateCommandStates(store, store.RootTopMarker());
    EXPECT_FALSE(top.Cut || top.Copy || top.Delete || top.MoveUp || top.MoveDown || top.Launch);
    EXPECT_TRUE(top.Attach);

    CommandStates folder = UpdateCommandStates(store, Named("Tools"));
    EXPECT_TRUE(folder.Cut && folder.Delete && folder.MoveDown);
    EXPECT_FALSE(folder.Copy) << "folders can be moved but not duplicated";
    EXPECT_FALSE(folder.MoveUp) << "nothing moves above the top marker";
    EXPECT_FALSE(folder.Launch || folder.Set);

    CommandStates link = UpdateCommandStates(store, Named("Gone"));
    EXPECT_TRUE(link.Copy && link.Launch && link.Set && link.MoveUp);
    EXPECT_FALSE(link.MoveDown) << "the last node of its level";
    EXPECT_FALSE(link.Paste) << "no paste source yet";

    // Inside a folder: the first node after the folder's top marker cannot go up.
    CommandStates inner = UpdateCommandStates(store, Named("Doc"));
    EXPECT_FALSE(inner.MoveUp);
    EXPECT_TRUE(inner.MoveDown);
}

TEST_F(EditingTest, CutFolderFollowsThePlacementRule) {
    LoadSample();
    TreeNode* tools = Named("Tools");
    ASSERT_TRUE(CutItem(store, tools));
    EXPECT_EQ(CutMarked(store), tools);
    // Inside itself: refused; on itself: allowed and leaves it where it is.
    EXPECT_FALSE(UpdateCommandStates(store, Named("Doc")).Paste);
    EXPECT_FALSE(UpdateCommandStates(store, Named("Inner")->FirstChild()).Paste);
    EXPECT_EQ(PasteItem(store, Named("Doc")), nullptr);
    EXPECT_TRUE(UpdateCommandStates(store, tools).Paste);

    // Another folder whose level holds an item named like the cut folder, in other case and
    // with blanks: refused beside it, allowed one level further down.
    auto named = [](const char* name) { return [name] { return std::string(name); }; };
    TreeNode* other = AttachMenuFolder(store, Named("Gone"), named("Other"));
    TreeNode* clash = AttachMenuFolder(store, other->FirstChild(), named(" tOOLS "));
    TreeNode* beside = AttachSeparator(store, clash);
    EXPECT_FALSE(UpdateCommandStates(store, beside).Paste);
    EXPECT_EQ(PasteItem(store, beside), nullptr);
    EXPECT_TRUE(UpdateCommandStates(store, clash->FirstChild()).Paste);

    // A link goes anywhere, and a cut source is used up by its paste.
    TreeNode* web = Named("Web");
    ASSERT_TRUE(CutItem(store, web));
    EXPECT_EQ(CutMarked(store), web) << "one cut mark at a time";
    EXPECT_EQ(PasteItem(store, Named("Doc")), web);
    EXPECT_EQ(store.PasteSource, nullptr);
    ASSERT_TRUE(CutItem(store, tools));
    EXPECT_FALSE(UpdateCommandStates(store, web).Paste) << "Web now lies inside Tools";

    // Its own level: allowed anywhere.
    TreeNode* separator = store.tvItems.RootNodes()[2].get();
    EXPECT_EQ(PasteItem(store, separator), tools);
    EXPECT_EQ(Level(nullptr), (std::vector<std::string>{"", "---------------", "Tools", "Run",
                                                        "Dir", "Gone", "Other"}));
    EXPECT_EQ(CutMarked(store), nullptr);
    EXPECT_EQ(Level(tools), (std::vector<std::string>{"", "Doc", "Web", "Inner"}));
}

TEST_F(EditingTest, CopiedLinksArePastedAsNewItemsEachWithItsOwnId) {
    LoadSample();
    const int32_t next = store.NextItemId;
    const int pictures = store.Images.ilPublicPM.Count();
    TreeNode* run = Named("Run");
    ASSERT_FALSE(CopyItem(store, Named("Tools")));
    ASSERT_TRUE(CopyItem(store, run));
    EXPECT_EQ(CutMarked(store), nullptr) << "a copy carries no cut mark";
    TreeNode* first = PasteItem(store, store.RootTopMarker());
    TreeNode* second = PasteItem(store, first);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Text, "(Run)");
    EXPECT_EQ(second->Text, "(Run)");
    EXPECT_EQ(first->Data, next);
    EXPECT_EQ(second->Data, next + 1);
    EXPECT_EQ(store.PasteSource, run) << "a copied source stays for the next paste";
    EXPECT_EQ(Level(nullptr)[1], "(Run)");
    // A runnable script keeps params, work dir, window state and run-as; its icon is new.
    EXPECT_EQ(store.Attributes.Path(second->Data), script);
    EXPECT_EQ(store.GetItemParams(second->Data), "-v");
    EXPECT_EQ(store.GetItemWorkDir(second->Data), "/work");
    EXPECT_EQ(store.GetItemWindowState(second->Data), "WindowMin");
    EXPECT_TRUE(store.GetItemRunAs(second->Data));
    EXPECT_EQ(store.Images.ilPublicPM.Count(), pictures + 2);
    EXPECT_EQ(store.Images.ilPublicTV.Count(), pictures + 2);
    EXPECT_EQ(first->ImageIndex, pictures);
    EXPECT_EQ(store.tvItems.Tag, 2);

    // A directory link: picture 5, the path and nothing else.
    ASSERT_TRUE(CopyItem(store, Named("Dir")));
    TreeNode* dirCopy = PasteItem(store, Named("Gone"));
    ASSERT_NE(dirCopy, nullptr);
    EXPECT_EQ(dirCopy->ImageIndex, kImageDirectoryLink);
    EXPECT_EQ(store.Attributes.Path(dirCopy->Data), dir);
    EXPECT_FALSE(store.Attributes.HasWindowState(dirCopy->Data));
    EXPECT_EQ(store.Images.ilPublicPM.Count(), pictures + 2) << "no picture for a directory";
    // A web link: its path only.
    ASSERT_TRUE(CopyItem(store, Named("Web")));
    TreeNode* webCopy = PasteItem(store, Named("Gone"));
    EXPECT_FALSE(store.Attributes.HasWindowState(webCopy->Data));
    // A separator: the same text and picture.
    ASSERT_TRUE(CopyItem(store, Named("---------------")));
    TreeNode* sepCopy = PasteItem(store, Named("Doc"));
    EXPECT_TRUE(IsNormalSeparator(sepCopy));
    EXPECT_EQ(sepCopy->Parent, Named("Tools"));
    EXPECT_TRUE(store.HasUnsavedChanges());
}

TEST_F(EditingTest, DeleteSelectsANeighbourAndDropsAPasteSourceInsideIt) {
    LoadSample();
    TreeNode* tools = Named("Tools");
    const int32_t goneId = Named("Gone")->Data;
    ASSERT_TRUE(CutItem(store, Named("Doc")));
    EXPECT_EQ(DeleteItem(store, store.RootTopMarker()), nullptr) << "top markers stay";
    TreeNode* next = DeleteItem(store, tools);
    EXPECT_EQ(next, Named("---------------"));
    EXPECT_EQ(store.PasteSource, nullptr);
    EXPECT_FALSE(UpdateCommandStates(store, next).Paste);
    // The last node of a level selects the one before it.
    EXPECT_EQ(DeleteItem(store, Named("Gone")), Named("Dir"));
    // Ids are not given out again before the next load; attributes stay.
    const int32_t before = store.NextItemId;
    ASSERT_TRUE(CopyItem(store, Named("Run")));
    EXPECT_EQ(PasteItem(store, Named("Dir"))->Data, before);
    EXPECT_EQ(store.Attributes.Path(goneId), "/gone/file.pdf");
}

TEST_F(EditingTest, MovesExchangeSiblingsAndFoldersTakeTheirContents) {
    LoadSample();
    TreeNode* tools = Named("Tools");
    EXPECT_FALSE(MoveItemUp(store, tools));
    ASSERT_TRUE(MoveItemDown(store, tools));
    ASSERT_TRUE(MoveItemDown(store, tools));
    EXPECT_EQ(Level(nullptr), (std::vector<std::string>{"", "---------------", "Run", "Tools",
                                                        "Web", "Dir", "Gone"}));
    EXPECT_EQ(Level(tools), (std::vector<std::string>{"", "Doc", "Inner"}));
    ASSERT_TRUE(MoveItemUp(store, tools));
    EXPECT_EQ(Level(nullptr)[2], "Tools");
    EXPECT_FALSE(MoveItemDown(store, Named("Gone")));
    EXPECT_FALSE(MoveItemUp(store, Named("Doc")));
    EXPECT_TRUE(store.HasUnsavedChanges());
}

TEST_F(EditingTest, CleanRemovesDeadLinksBelowTheLevelAndKeepsEverythingElse) {
    const std::string keptDir = tmp.mkdir("files/kept");
    tmp.write("program/tools/app.sh", "#!/bin/sh\n");
    tmp.mkdir("data/shortcuts/F/Sub");
    WriteLevel("", {"^Folder|F", "^UnkLnk|/gone/a.txt|txt|RootGone|", "^NetLnk|www.x.org|Web|",
                    "^UnkLnk|||NoPath|"});
    WriteLevel("F/",
               {"^UnkLnk|/gone/b.txt|txt|FGone|", "^UnkLnk|" + keptDir + "||KeptDir|",
                "^UnkLnk|/gone/dir/||GoneDir|", "^UnkLnk|" + keptDir + "missing.txt|txt|Missing|",
                "^UnkLnk|" + keptDir + "missing/||MissingDir|",
                "^ExeLnk|tools/app.sh||sh|Relative||", "^Folder|Sub", "^Folder|Empty"});
    tmp.mkdir("data/shortcuts/F/Empty");
    WriteLevel("F/Sub/", {"^UnkLnk|/gone/c.txt|txt|SubGone|"});
    store.LoadItems();
    TreeNode* f = RootNode(1);
    ASSERT_TRUE(CutItem(store, f));
    EXPECT_EQ(CleanItems(store, nullptr), -1);
    // A folder selected: its contents, recursively; the root level is not touched.
    EXPECT_EQ(CleanItems(store, f), 5);
    EXPECT_EQ(Level(f), (std::vector<std::string>{"", "KeptDir", "Relative", "Sub", "Empty"}));
    EXPECT_EQ(Level(f->Children[3].get()), (std::vector<std::string>{""}));
    EXPECT_EQ(store.PasteSource, nullptr) << "Clean ends with ResetSelection";
    // A link selected: its level (the root level here).
    EXPECT_EQ(CleanItems(store, RootNode(3)), 1);
    EXPECT_EQ(Level(nullptr), (std::vector<std::string>{"", "F", "Web", "NoPath"}));
}

TEST_F(EditingTest, UndoRestoresTheTreeAndItsPicturesButNotTheAttributes) {
    LoadSample();
    const int pictures = store.Images.ilPublicPM.Count();
    TreeNode* run = Named("Run");
    const int32_t runId = run->Data;
    store.SetItemParams(runId, "--changed");
    ASSERT_TRUE(CopyItem(store, run));
    PasteItem(store, run);
    DeleteItem(store, Named("Tools"));
    ASSERT_EQ(store.Images.ilPublicPM.Count(), pictures + 1);
    TreeNode* select = RestoreSavedCopy(store);
    EXPECT_EQ(select, store.RootTopMarker());
    EXPECT_FALSE(store.HasUnsavedChanges());
    EXPECT_EQ(store.tvItems.Tag, 0);
    EXPECT_EQ(store.Images.ilPublicPM.Count(), pictures);
    EXPECT_EQ(store.Images.ilPublicTV.Count(), pictures);
    EXPECT_EQ(store.PasteSource, nullptr);
    EXPECT_EQ(store.GetItemParams(runId), "--changed") << "the attribute table is not undone";
    EXPECT_EQ(Level(Named("Tools")), (std::vector<std::string>{"", "Doc", "Inner"}));
}

TEST_F(EditingTest, AttachedSeparatorsAndFoldersGoDirectlyAfterTheAnchor) {
    LoadSample();
    TreeNode* sep = AttachSeparator(store, store.RootTopMarker());
    EXPECT_EQ(Level(nullptr)[1], "---------------");
    EXPECT_TRUE(IsNormalSeparator(sep));
    TreeNode* a = AttachMenuFolder(store, sep);
    TreeNode* b = AttachMenuFolder(store, sep);
    ASSERT_TRUE(a && b);
    for (const TreeNode* folder : {a, b}) {
        EXPECT_EQ(folder->Text.size(), 8u);
        EXPECT_EQ(folder->Text.find_first_not_of(
                      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"),
                  std::string::npos);
        ASSERT_EQ(folder->Children.size(), 1u);
        EXPECT_TRUE(IsTopMarker(folder->FirstChild()));
        EXPECT_TRUE(IsFolder(folder));
    }
    EXPECT_NE(a->Text, b->Text);
    EXPECT_EQ(Level(nullptr)[2], b->Text) << "each new item directly after the anchor";
    // A name already on the level is drawn again.
    std::vector<std::string> names{"tools", " TOOLS", "Fresh123"};
    size_t drawn = 0;
    TreeNode* c = AttachMenuFolder(store, Named("Tools"), [&] { return names[drawn++]; });
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Text, "Fresh123");
    EXPECT_EQ(drawn, 3u);
}

TEST_F(EditingTest, SaveWritesReloadsAndRenewsTheSavedCopy) {
    LoadSample();
    ASSERT_TRUE(MoveItemDown(store, Named("Tools")));
    DeleteItem(store, Named("Gone"));
    ASSERT_TRUE(CopyItem(store, Named("Web")));
    SaveOutcome out = store.Save();
    EXPECT_TRUE(out.Saved && out.Reloaded);
    EXPECT_TRUE(out.FailedFolders.empty());
    EXPECT_FALSE(store.HasUnsavedChanges());
    EXPECT_EQ(store.PasteSource, nullptr);
    EXPECT_EQ(Level(nullptr),
              (std::vector<std::string>{"", "---------------", "Tools", "Run", "Web", "Dir"}));
    ASSERT_EQ(store.pmItems.Child(1)->Caption, "Tools") << "the popup shows the saved order";
    EXPECT_EQ(ReadLevel("").substr(0, 23), "^NorSep|\r\n^Folder|Tools");
    EXPECT_FALSE(PathExists(temp + "item_bak"));
}

TEST_F(EditingTest, RefreshingTheImageCacheReplacesEveryCachedIcon) {
    const std::string app = tmp.write("files/app.exe", "MZ");
    tmp.write("data/shortcuts/stale.bmp", "old");
    Picture red(16, 16, 0xFFFF0000u);
    ASSERT_TRUE(WriteBmpFile(root + "app.bmp", red));
    ASSERT_TRUE(WriteBmpFile(root + "app.wc.bmp", red));
    WriteLevel("", {"^ExeLnk|" + app + "||app.bmp|App||"});
    store.LoadItems();
    // The icon field of the root level's only record.
    auto cached = [&] {
        const std::string level = ReadLevel("");
        const size_t from = level.find("||") + 2;
        return level.substr(from, level.find('|', from) - from);
    };
    ASSERT_TRUE(store.Save().Saved);
    EXPECT_FALSE(PathExists(root + "stale.bmp"));
    const std::string plain = cached();
    EXPECT_EQ(ReadBmpFile(root + plain), red) << "a plain save caches the picture it loaded";
    ASSERT_TRUE(store.SaveAndRefreshImageCache().Saved);
    const std::string fresh = cached();
    ASSERT_TRUE(FileExists(root + fresh));
    EXPECT_NE(ReadBmpFile(root + fresh), red) << "the icon was extracted afresh from the program";
    // Only the pictures written afresh are left.
    std::set<std::string> pictures;
    for (const auto& entry : fs::directory_iterator(root))
        if (entry.path().extension() == ".bmp")
            pictures.insert(entry.path().filename().string());
    const std::string stem = fresh.substr(0, fresh.size() - 4);
    EXPECT_EQ(pictures, (std::set<std::string>{fresh, stem + ".wc.bmp"}));
    EXPECT_NE(ReadBmpFile(root + stem + ".wc.bmp"), red);
}

TEST_F(EditingTest, AFailedSaveKeepsTheEditsAndPutsTheDiskBack) {
    LoadSample();
    const std::string rootBefore = ReadLevel("");
    // The Tools level cannot be written: its shortcut file's name is taken by a folder.
    fs::remove(root + "Tools/shortcuts-utf8.txt");
    tmp.mkdir("data/shortcuts/Tools/shortcuts-utf8.txt");
    ASSERT_TRUE(MoveItemDown(store, Named("Tools")));
    DeleteItem(store, Named("Doc"));
    const SaveOutcome out = store.Save();
    EXPECT_FALSE(out.Saved);
    EXPECT_FALSE(out.Reloaded);
    ASSERT_EQ(out.FailedFolders, (std::vector<std::string>{root + "Tools/"}));
    EXPECT_TRUE(out.DiskRestored);
    // Memory keeps the edits; the disk the tree of before the save.
    EXPECT_TRUE(store.HasUnsavedChanges());
    EXPECT_EQ(Level(nullptr)[2], "Tools");
    EXPECT_EQ(ReadLevel(""), rootBefore);
    EXPECT_TRUE(DirectoryExists(root + "Tools/shortcuts-utf8.txt/"));
    EXPECT_TRUE(DirectoryExists(root + "Tools/Inner/"));
    EXPECT_FALSE(PathExists(temp + "item_bak"));
    EXPECT_FALSE(PathExists(temp + "item_failed"));

    // With the obstacle gone the same edits save.
    fs::remove(root + "Tools/shortcuts-utf8.txt");
    EXPECT_TRUE(store.Save().Saved);
    EXPECT_EQ(Level(nullptr)[2], "Tools");
    EXPECT_EQ(ReadLevel("Tools/"), "^Folder|Inner\r\n");
}

} // namespace
} // namespace pw::items::test
