// Loading the items root into the three mirrors.
#include <filesystem>

#include <gtest/gtest.h>

#include "items/bitmap_file.h"
#include "items/builtin_pictures.h"
#include "items/item_rules.h"
#include "items/tree_report.h"
#include "unit/items/items_fixture.h"
#include "util/paths.h"

namespace pw::items::test {
namespace {

using LoadTest = ItemsFixture;

TEST_F(LoadTest, WithoutItemsRootOnlyTopMarkerAndBuiltInEntries) {
    tmp.write("x", "");
    std::filesystem::remove_all(root);
    store.LoadItems();
    ASSERT_EQ(store.tvItems.Count(), 1);
    TreeNode* top = RootNode(0);
    EXPECT_EQ(top->Text, "");
    EXPECT_EQ(top->ImageIndex, 4);
    EXPECT_EQ(top->SelectedIndex, 4);
    EXPECT_EQ(top->StateIndex, -1);
    EXPECT_EQ(top->Data, -1);
    EXPECT_TRUE(store.Images.TypeList.empty());
    ASSERT_EQ(store.pmItems.Count(), 2);
    EXPECT_EQ(store.pmItems.Child(0)->Caption, "Program");
    EXPECT_EQ(store.pmItems.Child(1)->Name, "miPathwickKitFolder__Copy");
    EXPECT_EQ(store.Images.ilPublicPM.Count(), 26);
    EXPECT_EQ(store.Images.ilPublicTV.Count(), 26);
    EXPECT_EQ(store.tvUndo().Count(), 1);
}

TEST_F(LoadTest, EveryKindInEveryMirror) {
    tmp.mkdir("data/shortcuts/Tools");
    WriteLevel("", {"^Folder|Tools", "^NorSep|", "^SpeSep|a-b-c", "^NetLnk|https://x.org|Site|",
                    "^UnkLnk|/no/such/doc.pdf|pdf|Doc|*WindowMin"});
    WriteLevel("Tools/", {});
    store.LoadItems();
    auto& roots = store.tvItems.RootNodes();
    ASSERT_EQ(roots.size(), 6u);
    EXPECT_TRUE(IsTopMarker(RootNode(0)));
    TreeNode* tools = RootNode(1);
    EXPECT_EQ(tools->Text, "Tools");
    EXPECT_EQ(tools->ImageIndex, 0);
    ASSERT_EQ(tools->Children.size(), 1u); // only its top marker
    EXPECT_TRUE(IsTopMarker(tools->FirstChild()));
    EXPECT_EQ(RootNode(2)->Text, "---------------");
    EXPECT_EQ(RootNode(2)->ImageIndex, 2);
    EXPECT_EQ(RootNode(3)->Text, "--abc--");
    EXPECT_EQ(RootNode(3)->ImageIndex, 3);
    EXPECT_EQ(RootNode(4)->Data, 0);
    EXPECT_EQ(RootNode(5)->Data, 1);

    // Type list: pdf, then the fixed types; "url" is the tenth.
    ASSERT_EQ(store.Images.TypeList.size(), 10u);
    EXPECT_EQ(store.Images.TypeList[0], "pdf");
    EXPECT_EQ(RootNode(4)->ImageIndex, 23 + 9);
    EXPECT_EQ(RootNode(5)->ImageIndex, 23);

    // The popup: user items first, then the copied built-in entries.
    const MenuItem& pm = store.pmItems;
    ASSERT_EQ(pm.Count(), 5 + 2);
    EXPECT_EQ(pm.Tag, 5);
    const MenuItem* folder = pm.Child(0);
    EXPECT_EQ(folder->Caption, "Tools");
    EXPECT_EQ(folder->ImageIndex, 0);
    EXPECT_EQ(folder->Tag, 1);
    ASSERT_EQ(folder->Count(), 1);
    EXPECT_EQ(folder->Child(0)->Caption, "Hiding");
    EXPECT_EQ(folder->Child(0)->Tag, kTagHidden);
    EXPECT_FALSE(folder->Child(0)->Visible);
    EXPECT_EQ(pm.Child(1)->Caption, "-");
    EXPECT_EQ(pm.Child(1)->Tag, kTagSeparator);
    EXPECT_EQ(pm.Child(2)->Caption, "abc");
    EXPECT_EQ(pm.Child(2)->Tag, kTagHeading);
    EXPECT_EQ(pm.Child(3)->Tag, 0);
    EXPECT_EQ(pm.Child(3)->Action, MenuAction::StartItem);
    EXPECT_EQ(pm.Child(3)->ImageIndex, RootNode(4)->ImageIndex);
    EXPECT_EQ(pm.Child(4)->Tag, 1);
    EXPECT_EQ(pm.Child(5)->Caption, "Program");

    EXPECT_EQ(store.GetItemWindowState(1), "WindowMin");
    EXPECT_FALSE(store.Attributes.HasParams(1)); // Unknown links store path and window only
    EXPECT_FALSE(store.HasUnsavedChanges());
}

TEST_F(LoadTest, TypeRangesAndFirstExtractedPicture) {
    // Unknown links of types pdf and txt: type icons 23..33, placeholders 34 and 35, the first
    // extracted picture 36.
    std::string prog = tmp.write("program/app.exe", "MZ");
    WriteLevel("", {"^UnkLnk|/a.pdf|pdf|A|", "^UnkLnk|/b.txt|txt|B|", "^UnkLnk|/c.pdf|pdf|C|",
                    "^ExeLnk|" + prog + "||app.bmp|App||"});
    store.LoadItems();
    const StringArray expected = {"pdf", "txt", "exe", "com", "bat", "cmd",
                                  "wsf", "wsh", "rdp", "rbf", "url"};
    EXPECT_EQ(store.Images.TypeList, expected);
    EXPECT_EQ(store.Images.TypeIconEnd, 34);
    EXPECT_EQ(store.Images.ExtractBase, 35);
    EXPECT_EQ(RootNode(1)->ImageIndex, 23);
    EXPECT_EQ(RootNode(2)->ImageIndex, 24);
    EXPECT_EQ(RootNode(4)->ImageIndex, 36);
    EXPECT_EQ(store.Images.ExtractEnd, 37);
    EXPECT_EQ(store.Images.ilPublicPM.Tag, 1);
    EXPECT_EQ(store.Images.ilPublicPM.Count(), 38);
    EXPECT_EQ(store.Images.ilPublicTV.Count(), 38);
    // The program was asked at the load (no cache file); a type is asked when its picture is
    // first shown, with the type's temporary file.
    EXPECT_EQ(icons.Questions(), 1);
    EXPECT_EQ(store.Images.ilPublicPM.At(23).At(5, 5), PlainIconSource::ColourOf("pdf"));
    EXPECT_FALSE(FileExists(temp + "TempFile.pdf"));
    // Every picture of both lists shown: the shell was asked once per type and once for the
    // program, not once per link or per list.
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < store.Images.ilPublicPM.Count(); ++i) {
            store.Images.ilPublicTV.At(i);
            store.Images.ilPublicPM.At(i);
        }
    EXPECT_EQ(icons.Questions(), 11 + 1);
    // A second load starts over.
    store.LoadItems();
    EXPECT_EQ(store.Images.ilPublicPM.Count(), 38);
    EXPECT_EQ(RootNode(4)->ImageIndex, 36);
}

TEST_F(LoadTest, ExecutableRecordWithTooFewFieldsIsEmpty) {
    WriteLevel("", {"^UnkLnk|/dir/||D|", "^ExeLnk|/usr/bin/thing"});
    store.LoadItems();
    TreeNode* exe = RootNode(2);
    EXPECT_EQ(exe->Text, "");
    EXPECT_EQ(exe->ImageIndex, -1); // an empty icon field is no type, even with "" typed links
    EXPECT_EQ(store.Attributes.Path(exe->Data), "");
    EXPECT_EQ(log.Count(kLogExtractFromExec), 1);
}

TEST_F(LoadTest, ExecutableFieldsAndFlags) {
    WriteLevel("", {"^ExeLnk|/no/app.exe|-v x|app.bmp|App|/work|*WindowMin*WindowMax*UserRunAs",
                    "^ExeLnk|/no/run.bat||bat|Run||*WindowHid*Junk",
                    "^UnkLnk|/no/a.txt|txt|T|*UserRunAs"});
    store.LoadItems();
    EXPECT_EQ(store.GetItemParams(0), "-v x");
    EXPECT_EQ(store.GetItemWorkDir(0), "/work");
    EXPECT_EQ(store.GetItemWindowState(0), "WindowMax");
    EXPECT_TRUE(store.GetItemRunAs(0));
    EXPECT_EQ(RootNode(1)->ImageIndex, -1); // neither cache file nor target
    EXPECT_EQ(store.GetItemWindowState(1), "WindowHid");
    EXPECT_FALSE(store.GetItemRunAs(1));
    EXPECT_EQ(RootNode(2)->ImageIndex, 23 + 3); // "bat" after "txt", "exe", "com"
    EXPECT_FALSE(store.GetItemRunAs(2));        // ignored for Unknown links
    EXPECT_FALSE(store.Attributes.HasRunAs(2));
}

TEST_F(LoadTest, BareUnknownRecordCountsAnEmptyType) {
    WriteLevel("", {"^UnkLnk", "^UnkLnk|/no/a.txt|txt"});
    store.LoadItems();
    EXPECT_EQ(store.Images.TypeList[0], "");
    EXPECT_EQ(store.Images.TypeList.size(), 10u); // "" and the fixed types: no third "|" twice
    EXPECT_EQ(RootNode(1)->ImageIndex, 23);
    EXPECT_EQ(RootNode(2)->ImageIndex, 23); // too few fields: an empty type
    EXPECT_EQ(RootNode(2)->Text, "");
}

TEST_F(LoadTest, DirectoryLinkGetsPictureFive) {
    WriteLevel("", {"^UnkLnk|" + tmp.path() + "||Here|"});
    store.LoadItems();
    EXPECT_EQ(RootNode(1)->ImageIndex, 5);
    EXPECT_TRUE(IsDirectoryLink(RootNode(1)));
}

TEST_F(LoadTest, ByteOrderMarkAndLineBreaks) {
    tmp.write("data/shortcuts/shortcuts-utf8.txt",
              "\xEF\xBB\xBF^SpeSep|A\r^SpeSep|B\n^SpeSep|C\r\n\r\n^Bogus|x\n^speSep|lower");
    store.LoadItems();
    ASSERT_EQ(store.tvItems.Count(), 4);
    EXPECT_EQ(RootNode(1)->Text, "--A--");
    EXPECT_EQ(RootNode(2)->Text, "--B--");
    EXPECT_EQ(RootNode(3)->Text, "--C--");
}

TEST_F(LoadTest, AnsiFallbackAndLegacyFile) {
    tmp.write("data/shortcuts/shortcuts-utf8.txt", "^SpeSep|Caf\xE9\r\n");
    store.LoadItems();
    EXPECT_EQ(RootNode(1)->Text, "--Caf\xC3\xA9--");

    std::filesystem::remove(root + "shortcuts-utf8.txt");
    tmp.write("data/shortcuts/shortcuts.txt", "^SpeSep|Na\xEFve\r\n^SpeSep|x\0^SpeSep|y");
    store.LoadItems();
    ASSERT_EQ(store.tvItems.Count(), 3); // the NUL ends the text
    EXPECT_EQ(RootNode(1)->Text, "--Na\xC3\xAFve--");
}

TEST_F(LoadTest, NulEndsTheText) {
    tmp.write("data/shortcuts/shortcuts-utf8.txt", std::string("^NorSep|\r\n\0^NorSep|\r\n", 22));
    store.LoadItems();
    EXPECT_EQ(store.tvItems.Count(), 2);
}

TEST_F(LoadTest, FolderRecordsThatMustNotBeFollowed) {
    tmp.mkdir("data/shortcuts/Real");
    tmp.mkdir("data/temp/outside");
    tmp.write("data/temp/outside/shortcuts-utf8.txt", "^SpeSep|outside\r\n");
    WriteLevel("Real/", {"^SpeSep|inside", "^UnkLnk|/a.pdf|pdf|A|"});
    WriteLevel("", {"^Folder|Missing", "^Folder|../temp/outside", "^Folder|..", "^Folder|.",
                    "^Folder|", "^Folder|  ", "^Folder|Real|extra", "^Folder|Re^al"});
    store.LoadItems();
    ASSERT_EQ(store.tvItems.Count(), 1 + 4);
    EXPECT_EQ(RootNode(1)->Text, "Real");
    EXPECT_EQ(RootNode(1)->Children.at(1)->Text, "--inside--");
    // The record's second field names the folder for the types as well: pdf has its icon.
    EXPECT_EQ(RootNode(1)->Children.at(2)->ImageIndex, 23);
}

TEST_F(LoadTest, SymbolicLinkBackToAnAncestorIsNotEnteredTwice) {
    tmp.mkdir("data/shortcuts/A");
    WriteLevel("", {"^Folder|A"});
    WriteLevel("A/", {"^SpeSep|a", "^Folder|Loop"});
    std::filesystem::create_directory_symlink("..", root + "A/Loop");
    store.LoadItems();
    // Root: top, A; A: top, heading (the loop record is dropped like a missing folder).
    EXPECT_EQ(store.tvItems.Count(), 4);
    EXPECT_EQ(store.Images.TypeList.size(), 9u);
}

TEST_F(LoadTest, NestingDepthIsBounded) {
    std::string rel;
    for (int i = 0; i < 80; ++i) {
        tmp.mkdir("data/shortcuts/" + rel + "d");
        WriteLevel(rel, {"^Folder|d"});
        rel += "d/";
    }
    store.LoadItems();
    int depth = 0;
    for (TreeNode* n = RootNode(1); n; n = n->Children.size() > 1 ? n->Children[1].get() : nullptr)
        ++depth;
    EXPECT_GT(depth, 30);
    EXPECT_LT(depth, 80);
}

TEST_F(LoadTest, IdsAreDenseAndNotReusedBeforeTheNextLoad) {
    WriteLevel("", {"^NetLnk|www.a.org|A|", "^NetLnk|www.b.org|B|"});
    store.LoadItems();
    EXPECT_EQ(store.NextItemId, 2);
    store.tvItems.Remove(RootNode(1));
    TreeNode* n = store.CreateItem(ItemKind::NetLink, "www.c.org", nullptr, nullptr, -1, false, "",
                                   "C", "", "");
    EXPECT_EQ(n->Data, 2);
    EXPECT_EQ(store.Attributes.Path(0), "www.a.org"); // entries stay until the next load
    EXPECT_TRUE(store.HasUnsavedChanges());
    store.LoadItems();
    EXPECT_EQ(store.NextItemId, 2);
}

TEST_F(LoadTest, AttributeChangesAreNoUnsavedChange) {
    WriteLevel("", {"^ExeLnk|/no/a.exe|p|a.bmp|A|w|"});
    store.LoadItems();
    store.SetItemParams(0, "new");
    store.SetItemWorkDir(0, "/w2");
    store.SetItemRunAs(0, true);
    store.SetItemWindowState(0, "WindowMax");
    store.SetItemPath(0, "/elsewhere.exe");
    EXPECT_EQ(store.GetItemParams(0), "new");
    EXPECT_TRUE(store.GetItemRunAs(0));
    EXPECT_FALSE(store.HasUnsavedChanges());
    store.SetItemParams(5, "x"); // an absent id changes nothing
    EXPECT_EQ(store.GetItemParams(5), "");
    RootNode(1)->Text = "Renamed";
    EXPECT_TRUE(store.HasUnsavedChanges());
}

TEST_F(LoadTest, FileClassesOfNodes) {
    WriteLevel("", {"^ExeLnk|/no/a.exe||a.bmp|A||", "^ExeLnk|/no/r.cmd||cmd|R||",
                    "^ExeLnk|/no/s.url||s.bmp|S||", "^NetLnk|www.a.org|W|"});
    store.LoadItems();
    EXPECT_TRUE(store.IsExecutableFile(RootNode(1)));
    EXPECT_TRUE(store.IsRunnableFile(RootNode(2)));
    EXPECT_TRUE(store.IsInternetShortcutFile(RootNode(3)));
    EXPECT_TRUE(store.IsWebLink(RootNode(4)));
    EXPECT_FALSE(store.IsWebLink(RootNode(0)));
    EXPECT_EQ(store.NodePath(RootNode(0)), "");
}

TEST_F(LoadTest, GetItemPathResolvesBesideTheProgram) {
    tmp.write("program/tools/app.exe", "MZ");
    WriteLevel("", {"^ExeLnk|tools/../tools/app.exe||app.bmp|A||", "^UnkLnk|docs/||D|"});
    store.LoadItems();
    EXPECT_EQ(store.GetItemPath(0), program + "tools/app.exe");
    EXPECT_EQ(store.GetItemPath(1), "docs/"); // a relative directory stays relative
}

TEST_F(LoadTest, UndoRestoresTreeAndDropsAppendedPictures) {
    WriteLevel("", {"^NetLnk|www.a.org|A|"});
    store.LoadItems();
    const int loaded = store.Images.ilPublicPM.Count();
    int index = store.AppendItemIcon(tmp.write("f.txt", "x"));
    EXPECT_EQ(index, store.Images.ExtractEnd + 1);
    EXPECT_EQ(index, loaded);
    EXPECT_EQ(store.Images.ilPublicPM.Count(), loaded + 1);
    EXPECT_EQ(store.Images.ilPublicTV.Count(), loaded + 1);
    store.CreateItem(ItemKind::UnknownLink, tmp.path() + "f.txt", nullptr, nullptr, index, false,
                     "", "F", "", "");
    EXPECT_TRUE(store.HasUnsavedChanges());
    store.UndoChanges();
    EXPECT_FALSE(store.HasUnsavedChanges());
    EXPECT_EQ(store.Images.ilPublicPM.Count(), loaded);
    EXPECT_EQ(store.ResetSelection(), RootNode(0));
}

TEST_F(LoadTest, JsonReport) {
    WriteLevel("", {"^ExeLnk|/no/a \"q\".exe|p|a.bmp|A||*UserRunAs", "^NetLnk|www.x.org|X|"});
    store.LoadItems();
    const std::string json = TreeToJson(store);
    EXPECT_EQ(json, "[{\"kind\":\"top\",\"text\":\"\",\"image\":4,\"data\":-1},"
                    "{\"kind\":\"exe\",\"text\":\"A\",\"image\":-1,\"data\":0,"
                    "\"path\":\"/no/a \\\"q\\\".exe\",\"params\":\"p\",\"workdir\":\"\","
                    "\"window\":\"\",\"runas\":true},"
                    "{\"kind\":\"net\",\"text\":\"X\",\"image\":31,\"data\":1,"
                    "\"path\":\"www.x.org\",\"window\":\"\"}]");
}

TEST_F(LoadTest, CachedPicturesAndIcoFiles) {
    Picture red(16, 16, 0xFFFF0000u), green(16, 16, 0xFF00FF00u);
    ASSERT_TRUE(WriteBmpFile(root + "a.bmp", red));
    ASSERT_TRUE(WriteBmpFile(root + "a.wc.bmp", green));
    ASSERT_TRUE(WriteBmpFile(root + "b.bmp", red)); // no tree picture: derived from the menu one
    tmp.write("data/shortcuts/c.png", "not a picture");
    WriteLevel("", {"^ExeLnk|/no/a.exe||a.bmp|A||", "^ExeLnk|/no/b.exe||b.bmp|B||",
                    "^ExeLnk|/no/c.exe||c.png|C||", "^ExeLnk|/no/d.exe||../temp/x.bmp|D||"});
    tmp.write("data/temp/x.bmp", EncodeBmp(red));
    store.LoadItems();
    const ImageList& pm = store.Images.ilPublicPM;
    const ImageList& tv = store.Images.ilPublicTV;
    EXPECT_EQ(RootNode(1)->ImageIndex, 34); // nine fixed types at 23..31, placeholders 32, 33
    EXPECT_EQ(RootNode(2)->ImageIndex, 35);
    EXPECT_EQ(RootNode(3)->ImageIndex, -1); // unexpected type, logged; no target either
    EXPECT_EQ(RootNode(4)->ImageIndex, -1); // the icon field never leaves the folder
    EXPECT_EQ(pm.At(34).At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(tv.At(34).At(0, 0), 0xFF00FF00u);
    EXPECT_EQ(tv.At(35).At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(log.Count(kLogExtractFromExec), 1 + 2); // c.png, and "Inserted: False;" twice
    EXPECT_EQ(pm.Count(), tv.Count());
}

TEST_F(LoadTest, EachLinkGetsItsOwnCacheFileAcrossNestedFolders) {
    // The cache files are looked up while the items are built: every link must still meet
    // its own file, around folders, type-named icon fields and missing files.
    const Argb red = 0xFFFF0000u, green = 0xFF00FF00u, blue = 0xFF0000FFu;
    WriteLevel("", {"^ExeLnk|/no/a.exe||a.bmp|A||", "^Folder|S", "^ExeLnk|/no/x.bat||bat|X||",
                    "^ExeLnk|/no/d.exe||d.bmp|D||"});
    WriteLevel("S/", {"^ExeLnk|/no/c.exe||c.bmp|C||", "^Folder|T", "^ExeLnk|/no/e.exe||e.bmp|E||"});
    WriteLevel("S/T/", {"^ExeLnk|/no/b.exe||b.bmp|B||"});
    ASSERT_TRUE(WriteBmpFile(root + "a.bmp", Picture(16, 16, red)));
    ASSERT_TRUE(WriteBmpFile(root + "d.bmp", Picture(16, 16, blue)));
    ASSERT_TRUE(WriteBmpFile(root + "S/e.bmp", Picture(16, 16, green)));
    store.LoadItems();
    const ImageList& pm = store.Images.ilPublicPM;
    const TreeNode* s = RootNode(2);
    const TreeNode* t = s->Children.at(2).get();
    EXPECT_EQ(pm.At(RootNode(1)->ImageIndex).At(0, 0), red);
    EXPECT_EQ(s->Children.at(1)->ImageIndex, -1); // no cache file, no target
    EXPECT_EQ(t->Children.at(1)->ImageIndex, -1);
    EXPECT_EQ(pm.At(s->Children.at(3)->ImageIndex).At(0, 0), green);
    EXPECT_EQ(RootNode(3)->ImageIndex, store.Images.TypeIconIndex("bat"));
    EXPECT_EQ(pm.At(RootNode(4)->ImageIndex).At(0, 0), blue);
}

} // namespace
} // namespace pw::items::test
