// The owner-drawn popup: rendered to an image, the pixels that matter are checked.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "items/basic_menu.h"
#include "menu/menus_painter.h"
#include "menu/popup_menu.h"

namespace pw {
namespace {

using items::MenuItem;

QIcon SolidIcon(QColor c) {
    QPixmap pm(16, 16);
    pm.fill(c);
    return QIcon(pm);
}

// The colour of a pixel, compared at 8 bits per channel as the image holds it.
QRgb At(const QImage& img, int x, int y) {
    return img.pixel(x, y) | 0xFF000000u;
}
QRgb Rgb(const QColor& c) {
    return c.rgb();
}

class MenusPainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        painter = new ThvMenusPainter();
        painter->FontName = QApplication::font().family();
        painter->FontSize = 9;
        builder = std::make_unique<TPopupMenuBuilder>(
            painter, [](const std::string&, int) { return SolidIcon(Qt::green); },
            [](const MenuItem&) {});
    }
    void TearDown() override {
        root.reset();
        delete popup; // menus before the style they use
        delete painter;
    }

    // Builds the model into a fresh popup with the given override, and renders `menu`
    // (the popup itself when null) with `active` highlighted.
    QImage Render(QMenu* menu, QAction* active = nullptr) {
        menu->ensurePolished();
        menu->adjustSize();
        if (active)
            menu->setActiveAction(active);
        QImage img(menu->size(), QImage::Format_ARGB32);
        img.fill(Qt::magenta);
        menu->render(&img);
        return img;
    }
    QMenu* Build(bool overrideFont) {
        delete popup;
        popup = new TPopupMenu();
        builder->Build(popup, *root);
        painter->UseStandardFont = !overrideFont;
        builder->ApplyMenuDrawing(popup, overrideFont);
        return popup;
    }
    static QMenu* SubMenuNamed(QMenu* menu, const QString& title) {
        for (QAction* a : menu->actions())
            if (a->menu() && a->text() == title) {
                emit a->menu()->aboutToShow(); // filled when first shown
                return a->menu();
            }
        return nullptr;
    }
    static QAction* ActionNamed(QMenu* menu, const QString& text) {
        for (QAction* a : menu->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }
    QColor Palette(QMenu* m, QPalette::ColorGroup g, QPalette::ColorRole r) {
        return m->palette().color(g, r);
    }

    ThvMenusPainter* painter = nullptr;
    TPopupMenu* popup = nullptr;
    std::unique_ptr<TPopupMenuBuilder> builder;
    std::unique_ptr<MenuItem> root = items::BuildBasicMenu();
};

TEST_F(MenusPainterTest, PathwickMenuHasASideBarAndShiftedItemsWithTheOverrideOn) {
    QMenu* top = Build(true);
    QMenu* sub = SubMenuNamed(top, "Pathwick menu");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(painter->SideBarText(sub), "Pathwick");
    EXPECT_EQ(painter->SideBarText(top), "") << "the root's first item is visible";

    QAction* about = ActionNamed(sub, "About...");
    ASSERT_NE(about, nullptr);
    const QImage img = Render(sub, about);
    const QColor bar = Palette(sub, QPalette::Inactive, QPalette::Mid);
    const QColor menuBg = Palette(sub, QPalette::Active, QPalette::Window);
    const QColor highlight = Palette(sub, QPalette::Active, QPalette::Highlight);
    const QRect r = sub->actionGeometry(about);
    ASSERT_FALSE(r.isEmpty());

    // The band: x 0 to 18 in the bar colour down the whole menu, except where its text is.
    int barPixels = 0, samples = 0;
    for (int y = 2; y < img.height() - 2; y += 3) {
        for (int x = 0; x <= 18; x += 6) {
            ++samples;
            barPixels += At(img, x, y) == Rgb(bar);
        }
    }
    EXPECT_GT(barPixels, samples * 3 / 4);
    // Beyond the band the menu colour shows (x 20, 21), then the item starts at 22.
    const int midY = r.center().y();
    EXPECT_NE(At(img, 20, r.top() + 1), Rgb(bar));
    // "About..." has no picture: the highlight starts at the shifted left edge x0 = 22.
    EXPECT_EQ(At(img, 22, midY), Rgb(highlight));
    EXPECT_NE(At(img, 21, midY), Rgb(highlight));
    EXPECT_EQ(At(img, r.right() - 1, midY), Rgb(highlight));
    EXPECT_NE(menuBg, highlight);
}

TEST_F(MenusPainterTest, ItemWithAPictureIsHighlightedRightOfThePicture) {
    QMenu* sub = SubMenuNamed(Build(true), "Pathwick menu");
    QAction* help = ActionNamed(sub, "Help...");
    ASSERT_NE(help, nullptr);
    const QImage img = Render(sub, help);
    const QRect r = sub->actionGeometry(help);
    const QColor highlight = Palette(sub, QPalette::Active, QPalette::Highlight);
    const int bottom = r.top() + r.height();
    // The picture at (x0, bottom - 18) with x0 = 22, then the highlight from x0 + 20.
    EXPECT_EQ(At(img, 22 + 8, bottom - 10), Rgb(QColor(Qt::green)));
    EXPECT_EQ(At(img, 22 + 20, r.center().y()), Rgb(highlight));
    EXPECT_NE(At(img, 22 + 18, r.center().y()), Rgb(highlight));
}

TEST_F(MenusPainterTest, HeadingLineIsInterruptedByItsCaption) {
    MenuItem heading;
    heading.Caption = "Tools & more";
    heading.Tag = items::kTagHeading;
    root->Insert(0, std::move(heading));
    QMenu* top = Build(false);
    QAction* a = top->actions().first();
    const QImage img = Render(top);
    const QRect r = top->actionGeometry(a);
    const int y = r.top() + r.height() - 10;
    const QColor shadow = Palette(top, QPalette::Active, QPalette::Dark);
    // The line runs at both ends; in the middle the caption sits on the menu colour.
    EXPECT_EQ(At(img, r.left() + 2, y), Rgb(shadow));
    EXPECT_EQ(At(img, r.right() - 2, y), Rgb(shadow));
    int lineInMiddle = 0;
    for (int x = r.center().x() - 5; x <= r.center().x() + 5; ++x)
        lineInMiddle += At(img, x, y) == Rgb(shadow);
    EXPECT_LT(lineInMiddle, 11);
    // A heading always draws its caption without the accelerator marker.
    EXPECT_EQ(a->text(), "Tools & more");
}

TEST_F(MenusPainterTest, PicturelessItemIsHighlightedFromItsLeftEdgeWithoutBar) {
    MenuItem link;
    link.Caption = "Plain link";
    link.Tag = 0;
    link.Action = items::MenuAction::StartItem;
    root->Insert(0, std::move(link));
    QMenu* top = Build(true);
    QAction* a = ActionNamed(top, "Plain link");
    ASSERT_NE(a, nullptr);
    const QImage img = Render(top, a);
    const QRect r = top->actionGeometry(a);
    EXPECT_EQ(r.left(), 0);
    EXPECT_EQ(At(img, 0, r.center().y()), Rgb(Palette(top, QPalette::Active, QPalette::Highlight)));
}

TEST_F(MenusPainterTest, NoBarAndStandardItemsWithTheOverrideOff) {
    QMenu* sub = SubMenuNamed(Build(false), "Pathwick menu");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(painter->SideBarText(sub), "");
    const QImage img = Render(sub);
    const QColor bar = Palette(sub, QPalette::Inactive, QPalette::Mid);
    int barPixels = 0;
    for (int y = 4; y < img.height() - 4; y += 4)
        barPixels += At(img, 3, y) == Rgb(bar) && At(img, 15, y) == Rgb(bar);
    EXPECT_LT(barPixels, 3);
    // Only headings are owner-drawn; everything else is the toolkit's.
    for (QAction* a : sub->actions()) {
        const int expected = a->data().toInt() == items::kTagHeading ? int(MenuDrawMode::Special)
                                                                     : int(MenuDrawMode::Standard);
        EXPECT_EQ(a->property(kDrawModeProperty).toInt(), expected) << a->text().toStdString();
    }
}

TEST_F(MenusPainterTest, UserCaptionsShowAmpersandsLiterally) {
    MenuItem link;
    link.Caption = "Salt & Pepper";
    link.Action = items::MenuAction::StartItem;
    root->Insert(0, std::move(link));
    QMenu* top = Build(false);
    EXPECT_EQ(top->actions().first()->text(), "Salt && Pepper");
}

} // namespace
} // namespace pw
