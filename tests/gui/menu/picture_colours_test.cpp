// The pictures of the popup and the tree are composed on the colours the user sees them on:
// the style's menu colour and the tree's base colour, here of a dark palette.
#include <QApplication>
#include <QTreeView>
#include <gtest/gtest.h>

#include "items/bitmap_file.h"
#include "manager/form_front.h"
#include "menu/menus_painter.h"
#include "menu/popup_menu.h"
#include "support/gui/module_fixture.h"

namespace pw {
namespace {

class PictureColoursTest : public test::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        saved = QApplication::palette();
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2a, 0x2e, 0x32));
        dark.setColor(QPalette::Base, QColor(0x1b, 0x1e, 0x20));
        dark.setColor(QPalette::WindowText, QColor(0xfc, 0xfc, 0xfc));
        dark.setColor(QPalette::Text, QColor(0xfc, 0xfc, 0xfc));
        dark.setColor(QPalette::Button, QColor(0x31, 0x36, 0x3b));
        QApplication::setPalette(dark);
    }
    void TearDown() override {
        ModuleFixture::TearDown();
        QApplication::setPalette(saved);
    }
    static int Count(const items::Picture& p, items::Argb colour) {
        int n = 0;
        for (items::Argb px : p.Pixels)
            n += px == colour;
        return n;
    }
    QPalette saved;
};

TEST_F(PictureColoursTest, MenuAndTreePicturesSitOnTheColoursShown) {
    const std::string shortcuts = "home/Documents/Halvorn-Ek/Pathwick/shortcuts/";
    temp.write(shortcuts + "shortcuts-utf8.txt", "^ExeLnk|/bin/true|||True||\r\n");
    StartModule();
    auto* front = qobject_cast<TFormFront*>(module->MainForm.data());
    ASSERT_NE(front, nullptr);
    items::ItemImages& images = front->Store().Images;

    const QColor menu = front->Painter()->MenuBackground(front->pmItems());
    EXPECT_LT(menu.lightness(), 100) << "the dark palette reaches the menu";
    EXPECT_EQ(images.MenuColour, menu.rgb());
    const QColor tree = front->tvItems()->palette().color(QPalette::Base);
    EXPECT_EQ(images.TreeColour, tree.rgb());
    EXPECT_EQ(images.TreeColour, 0xFF1B1E20u);
    // The folder picture's transparent corner shows the tree's colour in the tree list.
    EXPECT_EQ(images.ilPublicTV.At(0).At(0, 0), images.TreeColour);

    // The cache pictures written by a save: on the menu and on the tree colour, not on the
    // light grey of before.
    ASSERT_TRUE(front->Store().SaveItems(true));
    const std::optional<items::Picture> cachedMenu =
        items::ReadBmpFile(temp.path() + shortcuts + "true.bmp");
    const std::optional<items::Picture> cachedTree =
        items::ReadBmpFile(temp.path() + shortcuts + "true.wc.bmp");
    ASSERT_TRUE(cachedMenu && cachedTree);
    EXPECT_GE(Count(*cachedMenu, images.MenuColour), 20);
    EXPECT_GE(Count(*cachedTree, images.TreeColour), 20);
    EXPECT_EQ(Count(*cachedMenu, 0xFFF0F0F0u), 0);
}

} // namespace
} // namespace pw
