// The popup built from the menu model: separators as the toolkit collapses them, folders as
// submenus filled when first shown, hidden anchors, clicks reaching their model items.
#include <QAction>
#include <gtest/gtest.h>

#include "menu/menus_painter.h"
#include "menu/popup_menu.h"

namespace pw {
namespace {

using items::MenuItem;

MenuItem Entry(const std::string& caption, int tag = 0,
               items::MenuAction action = items::MenuAction::StartItem) {
    MenuItem m;
    m.Caption = caption;
    m.Tag = tag;
    m.Action = action;
    return m;
}
MenuItem Separator() {
    return Entry("-", items::kTagSeparator, items::MenuAction::None);
}

class PopupMenuTest : public ::testing::Test {
protected:
    std::vector<const MenuItem*> clicked;
    ThvMenusPainter painter;
    TPopupMenuBuilder builder{&painter, [](const std::string&, int) { return QIcon(); },
                              [this](const MenuItem& m) { clicked.push_back(&m); }};
    TPopupMenu menu;
    MenuItem root;
};

TEST_F(PopupMenuTest, SeparatorsAtTheEdgesOrInARowAreNotShown) {
    root.Add(Separator());
    root.Add(Entry("A", 0));
    root.Add(Separator());
    root.Add(Separator());
    root.Add(Entry("B", 1));
    root.Add(Separator());
    builder.Build(&menu, root);
    menu.adjustSize();
    int shownSeparators = 0;
    for (QAction* a : menu.actions())
        if (a->isSeparator() && !menu.actionGeometry(a).isEmpty())
            ++shownSeparators;
    EXPECT_EQ(shownSeparators, 1);
    EXPECT_EQ(menu.actions().size(), 6) << "the model's entries all become actions";
}

TEST_F(PopupMenuTest, FoldersBecomeSubmenusFilledWhenFirstShown) {
    MenuItem small = Entry("Small", 0, items::MenuAction::None);
    MenuItem anchor = Entry("Hiding", items::kTagHidden, items::MenuAction::None);
    anchor.Visible = false;
    small.Add(std::move(anchor));
    MenuItem large = Entry("Large", 0, items::MenuAction::None);
    for (int i = 0; i < 200; ++i)
        large.Add(Entry("link " + std::to_string(i), i));
    root.Add(std::move(small));
    root.Add(std::move(large));
    builder.Build(&menu, root);

    QMenu* smallMenu = menu.actions().at(0)->menu();
    QMenu* largeMenu = menu.actions().at(1)->menu();
    ASSERT_NE(smallMenu, nullptr) << "an empty folder keeps its submenu through the hidden anchor";
    ASSERT_NE(largeMenu, nullptr);
    EXPECT_TRUE(smallMenu->actions().isEmpty());
    emit smallMenu->aboutToShow();
    ASSERT_EQ(smallMenu->actions().size(), 1);
    EXPECT_FALSE(smallMenu->actions().first()->isVisible());
    EXPECT_TRUE(largeMenu->actions().isEmpty());
    emit largeMenu->aboutToShow();
    ASSERT_EQ(largeMenu->actions().size(), 200);
    emit largeMenu->aboutToShow();
    EXPECT_EQ(largeMenu->actions().size(), 200) << "filled once";

    largeMenu->actions().at(7)->trigger();
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked.front()->Caption, "link 7");
    EXPECT_EQ(largeMenu->actions().at(7)->data().toInt(), 7) << "the tag is the item id";
}

TEST_F(PopupMenuTest, UnavailableEntriesAreDisabledAndTheDefaultIsMarked) {
    MenuItem about = Entry("About...", 0, items::MenuAction::About);
    MenuItem manage = Entry("Manage items...", 0, items::MenuAction::ManageItems);
    manage.Default = true;
    root.Add(std::move(about));
    root.Add(std::move(manage));
    builder.SetAvailability([](items::MenuAction a) { return a != items::MenuAction::About; });
    builder.Build(&menu, root);
    EXPECT_FALSE(menu.actions().at(0)->isEnabled());
    EXPECT_TRUE(menu.actions().at(1)->isEnabled());
    EXPECT_EQ(menu.defaultAction(), menu.actions().at(1));
}

TEST_F(PopupMenuTest, ChosenLanguagesKeepTheirCheckMark) {
    MenuItem lingua = Entry("Lingua", 0, items::MenuAction::None);
    MenuItem current = Entry("en-us (English)", 0, items::MenuAction::SwitchLanguage);
    current.Checked = true;
    current.RadioItem = true;
    lingua.Add(std::move(current));
    MenuItem other = Entry("de-de (Deutsch)", 0, items::MenuAction::SwitchLanguage);
    other.RadioItem = true;
    lingua.Add(std::move(other));
    root.Add(std::move(lingua));
    builder.Build(&menu, root);
    QMenu* sub = menu.actions().first()->menu();
    ASSERT_NE(sub, nullptr);
    emit sub->aboutToShow();
    QAction* en = sub->actions().at(0);
    QAction* de = sub->actions().at(1);
    ASSERT_TRUE(en->isChecked());
    en->trigger(); // the language already checked, chosen again
    EXPECT_TRUE(en->isChecked());
    de->trigger();
    EXPECT_TRUE(de->isChecked());
    EXPECT_TRUE(en->isChecked()) << "earlier marks stay until the next load";
    EXPECT_EQ(clicked.size(), 2u);
}

} // namespace
} // namespace pw
