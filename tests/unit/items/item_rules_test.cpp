#include "items/item_rules.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace pw::items {
namespace {

TEST(WebAddress, RecognisesEveryPrefixIgnoringCase) {
    EXPECT_TRUE(IsWebAddress("www.example.org"));
    EXPECT_TRUE(IsWebAddress("WWW.Example.org"));
    EXPECT_TRUE(IsWebAddress(" http://x"));
    EXPECT_TRUE(IsWebAddress("\t\x01https://x"));
    EXPECT_TRUE(IsWebAddress("//server/share"));
    EXPECT_TRUE(IsWebAddress("//9host"));
    EXPECT_TRUE(IsWebAddress("news:comp.lang"));
    EXPECT_TRUE(IsWebAddress("FTP://a"));
    EXPECT_TRUE(IsWebAddress("ftps://a"));
    EXPECT_TRUE(IsWebAddress("telnet://a"));
    EXPECT_TRUE(IsWebAddress("gopher://a"));
}

TEST(WebAddress, RejectsLookAlikes) {
    EXPECT_FALSE(IsWebAddress(""));
    EXPECT_FALSE(IsWebAddress("   "));
    EXPECT_FALSE(IsWebAddress("example.org"));
    EXPECT_FALSE(IsWebAddress("mailto:a@b.c"));
    EXPECT_FALSE(IsWebAddress("\\\\server\\share"));
    EXPECT_FALSE(IsWebAddress("//"));
    EXPECT_FALSE(IsWebAddress("//-x"));
    EXPECT_FALSE(IsWebAddress("www"));
    EXPECT_FALSE(IsWebAddress("http:/x"));
    EXPECT_FALSE(IsWebAddress("/usr/bin/www.x"));
}

TEST(Dashes, StripAndAllDashes) {
    EXPECT_EQ(StripDashes("a-b-c"), "abc");
    EXPECT_EQ(StripDashes("---"), "");
    EXPECT_TRUE(IsAllDashes(""));
    EXPECT_TRUE(IsAllDashes("-----"));
    EXPECT_FALSE(IsAllDashes("-a-"));
    EXPECT_FALSE(IsAllDashes(" "));
}

TEST(FolderNames, ReaderRejectsNamesThatLeaveTheFolder) {
    EXPECT_TRUE(IsUsableFolderName("Tools"));
    EXPECT_TRUE(IsUsableFolderName("v1.2 stuff"));
    EXPECT_FALSE(IsUsableFolderName(""));
    EXPECT_FALSE(IsUsableFolderName("   "));
    EXPECT_FALSE(IsUsableFolderName("."));
    EXPECT_FALSE(IsUsableFolderName(".."));
    EXPECT_FALSE(IsUsableFolderName(" .. "));
    for (const char* bad : {"a/b", "a\\b", "c:", "a*", "a?", "a\"", "a<", "a>", "a|b", "^x"})
        EXPECT_FALSE(IsUsableFolderName(bad)) << bad;
    EXPECT_FALSE(IsUsableFolderName(std::string("a\0b", 3)));
}

TEST(FileClasses, ByExtensionInLowerCase) {
    EXPECT_TRUE(IsExecutableFile("C:/x/App.EXE"));
    EXPECT_TRUE(IsExecutableFile("tool.com"));
    EXPECT_FALSE(IsExecutableFile("tool.bat"));
    EXPECT_FALSE(IsExecutableFile(""));
    EXPECT_FALSE(IsExecutableFile("http://x/setup.exe")); // a web address first
    for (const char* p : {"a.bat", "a.CMD", "a.wsf", "a.wsh", "a.rdp", "a.rfp", "run.sh"})
        EXPECT_TRUE(IsRunnableFile(p)) << p;
    EXPECT_FALSE(IsRunnableFile("a.rbf"));
    EXPECT_TRUE(IsInternetShortcutFile("Site.URL"));
    EXPECT_FALSE(IsInternetShortcutFile("www.site.url"));
    EXPECT_FALSE(IsExecutableLinkPath("doc.pdf"));
    EXPECT_FALSE(IsExecutableLinkPath("/usr/share/"));
    EXPECT_EQ(LowerExtension("/a.b/Name.TXT"), "txt");
    EXPECT_EQ(LowerExtension("/a.b/Name"), "");
}

TEST(FileClasses, AnExecutableFileWithoutExtensionCounts) {
    pw::test::TempDir tmp;
    std::string prog = tmp.write("prog", "#!/bin/sh\n");
    std::string doc = tmp.write("doc", "text");
    chmod(prog.c_str(), 0755);
    chmod(doc.c_str(), 0644);
    EXPECT_TRUE(IsExecutableFile(prog));
    EXPECT_FALSE(IsExecutableFile(doc));
    EXPECT_FALSE(IsExecutableFile(tmp.path())); // a folder is not a program
}

TEST(TypeLabels, FollowThePath) {
    EXPECT_STREQ(LinkTypeLabel("a.exe").key, "ItemTypeExecutable");
    EXPECT_STREQ(LinkTypeLabel("a.bat").key, "ItemTypeRunable");
    EXPECT_STREQ(LinkTypeLabel("a.lnk").key, "ItemTypeShortcut");
    EXPECT_STREQ(LinkTypeLabel("a.url").key, "ItemTypeViewable");
    EXPECT_STREQ(LinkTypeLabel("https://x").english, "Viewable");
}

TEST(DeadLinks, TrailingSeparatorNeedsADirectory) {
    pw::test::TempDir tmp;
    std::string file = tmp.write("f.txt", "x");
    EXPECT_FALSE(IsDeadLinkPath(""));
    EXPECT_FALSE(IsDeadLinkPath("https://gone.example"));
    EXPECT_FALSE(IsDeadLinkPath(file));
    EXPECT_FALSE(IsDeadLinkPath(tmp.path()));
    EXPECT_FALSE(IsDeadLinkPath(tmp.path().substr(0, tmp.path().size() - 1)));
    EXPECT_TRUE(IsDeadLinkPath(file + "/"));
    EXPECT_TRUE(IsDeadLinkPath(tmp.path() + "missing"));
    EXPECT_TRUE(IsDeadLinkPath(tmp.path() + "missing/"));
}

// A level: top marker, folder "Tools", link "Tools" in another level etc.
class TreeRules : public ::testing::Test {
protected:
    TreeNode* Add(TreeNode* parent, std::string text, int image, int data = -1) {
        TreeNode n;
        n.Text = std::move(text);
        n.ImageIndex = n.SelectedIndex = image;
        n.Data = data;
        return tree.Add(parent, std::move(n));
    }
    void SetUp() override {
        top = Add(nullptr, "", kImageTopMarker);
        tools = Add(nullptr, "Tools", kImageFolder);
        toolsTop = Add(tools, "", kImageTopMarker);
        inner = Add(tools, "Inner", kImageFolder);
        Add(inner, "", kImageTopMarker);
        link = Add(nullptr, "Docs", 30, 0);
        sep = Add(nullptr, "---------------", kImageNormalSeparator);
    }
    ItemTree tree;
    TreeNode *top, *tools, *toolsTop, *inner, *link, *sep;
};

TEST_F(TreeRules, FolderNameTakenComparesTrimmedLowerCase) {
    EXPECT_TRUE(FolderNameTaken(link, "  tools ", false));
    EXPECT_TRUE(FolderNameTaken(link, "DOCS", true));
    EXPECT_FALSE(FolderNameTaken(link, "DOCS", false)); // the node itself is skipped
    EXPECT_TRUE(FolderNameTaken(top, "docs", false));   // a link's caption blocks the name
    EXPECT_FALSE(FolderNameTaken(toolsTop, "tools", true));
    EXPECT_TRUE(FolderNameTaken(toolsTop, "inner", true));
}

TEST_F(TreeRules, InsideFolder) {
    EXPECT_TRUE(IsInsideFolder(tools, tools));
    EXPECT_TRUE(IsInsideFolder(inner->FirstChild(), tools));
    EXPECT_FALSE(IsInsideFolder(link, tools));
}

TEST_F(TreeRules, WhatEachKindPermits) {
    EXPECT_FALSE(CanCutOrDelete(top));
    EXPECT_TRUE(CanCutOrDelete(tools));
    EXPECT_FALSE(CanCopy(tools));
    EXPECT_FALSE(CanCopy(top));
    EXPECT_TRUE(CanCopy(sep));
    EXPECT_TRUE(CanStart(link));
    EXPECT_FALSE(CanStart(sep));
    EXPECT_FALSE(CanMoveUp(tools)); // the previous sibling is the top marker
    EXPECT_TRUE(CanMoveUp(link));
    EXPECT_TRUE(CanMoveDown(link));
    EXPECT_FALSE(CanMoveDown(sep));
    EXPECT_FALSE(CanMoveDown(top));
    EXPECT_FALSE(CanMoveUp(inner)); // after its folder's top marker
}

TEST_F(TreeRules, FolderPlacement) {
    EXPECT_TRUE(CanPlaceFolder(tools, link));      // beside its own siblings
    EXPECT_FALSE(CanPlaceFolder(tools, toolsTop)); // into itself
    EXPECT_FALSE(CanPlaceFolder(tools, inner->FirstChild()));
    TreeNode* other = Add(inner, "Docs", kImageFolder);
    Add(other, "", kImageTopMarker);
    EXPECT_FALSE(CanPlaceFolder(other, top)); // "Docs" is taken on the root level by a link
    EXPECT_TRUE(CanPlaceFolder(inner, top));
}

TEST_F(TreeRules, TreesDifferOnTextChildrenAndDataOnly) {
    ItemTree copy;
    copy.CopyFrom(tree);
    EXPECT_FALSE(TreesDiffer(tree, copy));
    copy.AllNodes()[5]->ImageIndex = 99; // images do not count
    EXPECT_FALSE(TreesDiffer(tree, copy));
    copy.AllNodes()[5]->Data = 7;
    EXPECT_TRUE(TreesDiffer(tree, copy));
    copy.CopyFrom(tree);
    copy.Move(copy.AllNodes()[5], nullptr, 1); // order matters
    EXPECT_TRUE(TreesDiffer(tree, copy));
}

} // namespace
} // namespace pw::items
