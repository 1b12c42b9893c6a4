#include "items/menu_model.h"

#include <gtest/gtest.h>

#include "items/basic_menu.h"

namespace pw::items {
namespace {

TEST(BasicMenu, HoldsTheBuiltInEntriesInOrder) {
    auto basic = BuildBasicMenu();
    ASSERT_EQ(basic->Count(), 2);
    EXPECT_EQ(basic->Tag, 0);
    const MenuItem* program = basic->Child(0);
    EXPECT_EQ(program->Name, "miSysMenuProgram");
    EXPECT_EQ(program->Tag, kTagHeading);
    const MenuItem* kit = basic->Child(1);
    EXPECT_EQ(kit->Caption, "Pathwick menu");
    EXPECT_EQ(kit->Tag, 10);
    EXPECT_TRUE(kit->Default);
    std::vector<std::string> names;
    for (const auto& c : kit->Children)
        names.push_back(c->Name.empty() ? c->Caption : c->Name.str());
    const std::vector<std::string> expected = {"miPathwickKitBar",
                                               "Hidden1",
                                               "miSysMenuSystem",
                                               "miHelpFile",
                                               "miCheckUpdates",
                                               "miAbout",
                                               "-",
                                               "miVisitWebsite",
                                               "miVisitWebsiteForums",
                                               "MiTools",
                                               "-",
                                               "M_MI_Lingua",
                                               "miPreferences",
                                               "miManageItems",
                                               "-",
                                               "miCloseApp"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(kit->Child(0)->Tag, kTagSideBar);
    EXPECT_FALSE(kit->Child(0)->Visible);
    EXPECT_FALSE(kit->Child(2)->Visible);
    EXPECT_EQ(kit->Child(3)->ImageIndex, 7);
    EXPECT_EQ(kit->Child(6)->Tag, kTagSeparator);
    EXPECT_EQ(kit->Child(11)->SubMenuImages, "ilLingua");
    EXPECT_TRUE(kit->Child(13)->Default);
    EXPECT_EQ(kit->Child(13)->Action, MenuAction::ManageItems);
    EXPECT_EQ(kit->Child(15)->Action, MenuAction::CloseApp);
    const MenuItem* tools = kit->Child(9);
    ASSERT_EQ(tools->Count(), 8);
    EXPECT_EQ(tools->Child(0)->Url, "products/pathwick/");
    EXPECT_EQ(tools->Child(0)->ImageIndex, 20);
    EXPECT_EQ(tools->Child(1)->Tag, kTagSeparator);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tools->Child(2 + i)->ImageIndex, 12 + i);
    EXPECT_EQ(basic->Find("miAbout")->Caption, "About...");
}

TEST(CopyMenuTree, CopiesFieldsButNotCheckRadioOrEnabled) {
    MenuItem source;
    source.Name = "miX";
    source.Caption = "X";
    source.Hint = "hint";
    source.ShortCut = "Ctrl+X";
    source.ImageIndex = 9;
    source.Tag = 12;
    source.Visible = false;
    source.Default = true;
    source.Checked = true;
    source.RadioItem = true;
    source.Enabled = false;
    source.Action = MenuAction::OpenWebPage;
    source.Url = "products/x/";
    source.SubMenuImages = "ilLingua";
    MenuItem* child = source.Add(MenuItem{});
    child->Caption = "child";
    child->Add(MenuItem{})->Caption = "grandchild";

    MenuItem target;
    target.Add(MenuItem{})->Caption = "old";
    CopyMenuTree(source, target);
    EXPECT_EQ(target.Name, "miX__Copy");
    EXPECT_EQ(target.Caption, "X");
    EXPECT_EQ(target.Hint, "hint");
    EXPECT_EQ(target.ShortCut, "Ctrl+X");
    EXPECT_EQ(target.ImageIndex, 9);
    EXPECT_EQ(target.Tag, 12);
    EXPECT_FALSE(target.Visible);
    EXPECT_TRUE(target.Default);
    EXPECT_FALSE(target.Checked);
    EXPECT_FALSE(target.RadioItem);
    EXPECT_TRUE(target.Enabled);
    EXPECT_EQ(target.Action, MenuAction::OpenWebPage);
    EXPECT_EQ(target.Url, "products/x/");
    EXPECT_EQ(target.SubMenuImages, "ilLingua");
    ASSERT_EQ(target.Count(), 1);
    EXPECT_EQ(target.Child(0)->Caption, "child");
    EXPECT_EQ(target.Child(0)->Name, ""); // unnamed sources give unnamed copies
    EXPECT_EQ(target.Child(0)->Parent, &target);
    ASSERT_EQ(target.Child(0)->Count(), 1);
    EXPECT_EQ(target.Child(0)->Child(0)->Caption, "grandchild");
    // A deep copy: changing the source later leaves the copy alone.
    source.Child(0)->Caption = "changed";
    EXPECT_EQ(target.Child(0)->Caption, "child");
}

TEST(MenuItem, InsertAtPositionKeepsParents) {
    MenuItem root;
    root.Add(MenuItem{})->Caption = "b";
    MenuItem a;
    a.Caption = "a";
    a.Add(MenuItem{})->Caption = "a1";
    MenuItem* inserted = root.Insert(0, std::move(a));
    EXPECT_EQ(root.Child(0), inserted);
    EXPECT_EQ(inserted->Child(0)->Parent, inserted);
    MenuItem* appended = root.Insert(99, MenuItem{});
    EXPECT_EQ(appended, root.Child(2));
}

} // namespace
} // namespace pw::items
