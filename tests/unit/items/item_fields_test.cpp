// The edit fields: what each box shows per kind of node, and what typing into it stores.
#include <gtest/gtest.h>

#include "items/item_fields.h"
#include "unit/items/items_fixture.h"

namespace pw::items::test {
namespace {

class FieldsTest : public ItemsFixture {
protected:
    void SetUp() override {
        app = tmp.write("files/app.exe", "MZ");
        script = tmp.write("files/run.sh", "#!/bin/sh\n");
        tmp.mkdir("data/shortcuts/Tools");
        tmp.mkdir("data/shortcuts/Other");
        WriteLevel("", {"^Folder|Tools", "^Folder|Other", "^NorSep|", "^SpeSep|Head",
                        "^ExeLnk|" + app + "|-a|app.bmp|App|/w|*WindowMax*UserRunAs",
                        "^ExeLnk|" + script + "||sh|Script||", "^UnkLnk|/no/doc.pdf|pdf|Doc|",
                        "^NetLnk|https://x.org|Web|"});
        store.LoadItems();
        // A runnable link made by an editing command, without params and work dir entries.
        bare = store.NextItemId++;
        store.Attributes.AppendPath(script, LinkKind::Executable);
        store.Attributes.AddWindowState(bare, "");
        TreeNode node;
        node.Text = "Bare";
        node.ImageIndex = node.SelectedIndex = 40;
        node.Data = bare;
        bareNode = store.tvItems.Add(nullptr, std::move(node));
    }
    TreeNode* Node(int i) { return RootNode(i); }
    std::string app, script;
    int32_t bare = -1;
    TreeNode* bareNode = nullptr;
};

TEST_F(FieldsTest, FolderNamesObeyTheFolderRules) {
    TreeNode* tools = Node(1);
    CaptionOutcome out = ApplyCaptionRule(tools, "v1.2|^x");
    EXPECT_FALSE(out.message);
    EXPECT_EQ(out.text, "v12x");
    EXPECT_EQ(tools->Text, "v12x");

    for (const char* bad : {"a:b", "a/b", "a\\b", "a*", "a?", "a\"", "a<", "a>"}) {
        out = ApplyCaptionRule(tools, bad);
        EXPECT_STREQ(out.message.key, "ItemFolderIllegalName") << bad;
    }
    EXPECT_EQ(tools->Text, "v12x") << "a refused name leaves the node as it was";
    for (const char* empty : {"", " x", "\tx", "..", "|^"})
        EXPECT_STREQ(ApplyCaptionRule(tools, empty).message.key, "ItemFolderNeedName") << empty;
    // Another node of the level, of any kind, in other case or with blanks around it.
    EXPECT_STREQ(ApplyCaptionRule(tools, "OTHER ").message.key, "ItemFolderDuplicatedName");
    EXPECT_STREQ(ApplyCaptionRule(tools, "app").message.key, "ItemFolderDuplicatedName");
    EXPECT_FALSE(ApplyCaptionRule(tools, "V12X").message) << "its own name is no conflict";
    EXPECT_EQ(tools->Text, "V12X");
    EXPECT_STREQ(kFolderIllegalName.english,
                 "The folder name can not contain: \"\\ / : * ? \" < > |\"");
}

TEST_F(FieldsTest, SeparatorCaptionsSwitchBetweenHeadingAndPlainSeparator) {
    TreeNode* sep = Node(3);
    CaptionOutcome out = ApplyCaptionRule(sep, "New-s");
    EXPECT_EQ(out.text, "--News--");
    EXPECT_TRUE(out.pictureChanged);
    EXPECT_EQ(sep->ImageIndex, kImageSpecialSeparator);
    EXPECT_EQ(sep->Text, "--News--");
    out = ApplyCaptionRule(sep, "----");
    EXPECT_EQ(out.text, "---------------");
    EXPECT_EQ(sep->ImageIndex, kImageNormalSeparator);
    EXPECT_EQ(ApplyCaptionRule(sep, "").text, "---------------");
    EXPECT_FALSE(ApplyCaptionRule(sep, "").pictureChanged);
    // Links: only the record marks go.
    TreeNode* doc = Node(7);
    EXPECT_EQ(ApplyCaptionRule(doc, "A|b^c.d").text, "Abc.d");
    EXPECT_EQ(doc->Text, "Abc.d");
}

TEST_F(FieldsTest, PathWebTest) {
    EXPECT_TRUE(PassesPathWebTest("http://x"));
    EXPECT_TRUE(PassesPathWebTest(" HTTPS://x"));
    EXPECT_FALSE(PassesPathWebTest("http://"));
    EXPECT_FALSE(PassesPathWebTest("www.a"));
    EXPECT_TRUE(PassesPathWebTest("www.ab"));
    EXPECT_TRUE(PassesPathWebTest("WWW.ab"));
    EXPECT_FALSE(PassesPathWebTest("http://www.a"));
    EXPECT_TRUE(PassesPathWebTest("http://www.ab"));
    EXPECT_FALSE(PassesPathWebTest("hxxp://a.b"));
    EXPECT_FALSE(PassesPathWebTest("home/a.txt"));
    EXPECT_FALSE(PassesPathWebTest("ftp://a.b"));
    EXPECT_FALSE(PassesPathWebTest(""));
}

TEST_F(FieldsTest, PathsParamsWorkDirsWindowAndRunAsAreStoredAsTheRulesSay) {
    TreeNode* appNode = Node(5);
    const int32_t id = appNode->Data;
    const std::string doc = tmp.write("files/other.txt", "x");
    EXPECT_FALSE(ApplyPathRule(store, appNode, "/no/such"));
    EXPECT_EQ(store.Attributes.Path(id), app);
    EXPECT_TRUE(ApplyPathRule(store, appNode, doc));
    EXPECT_EQ(store.Attributes.Path(id), doc);
    EXPECT_TRUE(ApplyPathRule(store, appNode, tmp.path() + "files"));
    EXPECT_TRUE(ApplyPathRule(store, appNode, "https://example.org"));
    SetPathUnchecked(store, appNode, "/no/such|thing");
    EXPECT_EQ(store.Attributes.Path(id), "/no/such|thing") << "Set stores the text unchanged";
    EXPECT_FALSE(ApplyPathRule(store, Node(1), doc)) << "a folder has no path";

    EXPECT_EQ(ApplyParamsRule(store, appNode, "-x|^y"), "-xy");
    EXPECT_EQ(store.GetItemParams(id), "-xy");
    EXPECT_EQ(ApplyWorkDirRule(store, appNode, "/tmp^"), "/tmp");
    EXPECT_EQ(store.GetItemWorkDir(id), "/tmp");
    ApplyWindowRule(store, appNode, 3);
    EXPECT_EQ(store.GetItemWindowState(id), "WindowHid");
    ApplyWindowRule(store, appNode, 0);
    EXPECT_EQ(store.GetItemWindowState(id), "");
    ApplyRunAsRule(store, appNode, false);
    EXPECT_FALSE(store.GetItemRunAs(id));

    // Without an entry nothing is stored, but the box shows the cleaned text.
    EXPECT_EQ(ApplyParamsRule(store, bareNode, "-q|"), "-q");
    EXPECT_EQ(store.GetItemParams(bare), "");
    EXPECT_FALSE(store.Attributes.HasParams(bare));

    for (int i = 0; i < kWindowChoiceCount; ++i)
        EXPECT_EQ(WindowChoiceOf(WindowStateOfChoice(i)), i);
    EXPECT_EQ(WindowChoiceOf("Other"), 0);
}

TEST_F(FieldsTest, TheFillShowsWhatEachKindHas) {
    ItemFields top = DescribeItemFields(store, Node(0), true);
    EXPECT_FALSE(top.caption.enabled);
    EXPECT_TRUE(top.path.notAvailable && !top.path.enabled);
    EXPECT_EQ(top.windowChoice, -1);
    EXPECT_STREQ(top.type.key, "ItemTypeSpecialTop");
    EXPECT_FALSE(top.captionRuleRuns);

    ItemFields folder = DescribeItemFields(store, Node(1), false);
    EXPECT_EQ(folder.caption.text, "Tools");
    EXPECT_TRUE(folder.caption.enabled);
    EXPECT_FALSE(folder.captionRuleRuns) << "the box was disabled before (a top marker)";
    EXPECT_TRUE(DescribeItemFields(store, Node(1), true).captionRuleRuns);
    EXPECT_TRUE(folder.params.notAvailable && folder.workDir.notAvailable);
    EXPECT_FALSE(folder.windowEnabled || folder.runAsEnabled);
    EXPECT_STREQ(folder.type.key, "ItemTypeSpecialFolder");

    ItemFields plain = DescribeItemFields(store, Node(3), false);
    EXPECT_EQ(plain.caption.text, "");
    EXPECT_TRUE(plain.captionRuleRuns);
    ItemFields heading = DescribeItemFields(store, Node(4), false);
    EXPECT_EQ(heading.caption.text, "Head");
    EXPECT_STREQ(heading.type.key, "ItemTypeSeparator");

    ItemFields exe = DescribeItemFields(store, Node(5), true);
    EXPECT_EQ(exe.path.text, app);
    EXPECT_TRUE(exe.path.enabled);
    EXPECT_EQ(exe.params.text, "-a");
    EXPECT_EQ(exe.workDir.text, "/w");
    EXPECT_TRUE(exe.params.enabled && exe.workDir.enabled && exe.windowEnabled);
    EXPECT_EQ(exe.windowChoice, 1);
    EXPECT_TRUE(exe.runAs && exe.runAsEnabled);
    EXPECT_STREQ(exe.type.key, "ItemTypeExecutable");
    EXPECT_EQ(exe.picture, Node(5)->ImageIndex);

    // A runnable link: each box enabled only with its entry.
    ItemFields loaded = DescribeItemFields(store, Node(6), true);
    EXPECT_TRUE(loaded.params.enabled && loaded.runAsEnabled);
    EXPECT_STREQ(loaded.type.key, "ItemTypeRunable");
    ItemFields made = DescribeItemFields(store, bareNode, true);
    EXPECT_FALSE(made.params.enabled || made.workDir.enabled || made.runAsEnabled);
    EXPECT_FALSE(made.params.notAvailable);
    EXPECT_TRUE(made.windowEnabled);

    ItemFields doc = DescribeItemFields(store, Node(7), true);
    EXPECT_TRUE(doc.path.enabled);
    EXPECT_TRUE(doc.params.notAvailable && !doc.params.enabled);
    EXPECT_FALSE(doc.windowEnabled || doc.runAsEnabled);
    EXPECT_EQ(doc.windowChoice, -1);
    EXPECT_STREQ(DescribeItemFields(store, Node(8), true).type.key, "ItemTypeViewable");
}

} // namespace
} // namespace pw::items::test
