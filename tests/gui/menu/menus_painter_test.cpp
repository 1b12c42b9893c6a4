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

    // Coordinates count from the menu's inside, within its one-pixel frame.
    const int left = r.left();
    EXPECT_EQ(left, 1);
    // The band: x 0 to 18 in the bar colour down the whole menu, except where its text is.
    int barPixels = 0, samples = 0;
    for (int y = 3; y < img.height() - 3; y += 3) {
        for (int x = 0; x <= 18; x += 6) {
            ++samples;
            barPixels += At(img, left + x, y) == Rgb(bar);
        }
    }
    EXPECT_GT(barPixels, samples * 3 / 4);
    // Beyond the band the menu colour shows (x 20, 21), then the item starts at 22.
    const int midY = r.center().y();
    EXPECT_NE(At(img, left + 20, r.top() + 1), Rgb(bar));
    // "About..." has no picture: the highlight starts at the shifted left edge x0 = 22.
    EXPECT_EQ(At(img, left + 22, midY), Rgb(highlight));
    EXPECT_NE(At(img, left + 21, midY), Rgb(highlight));
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
    const int x0 = r.left() + 22;
    EXPECT_EQ(At(img, x0 + 8, bottom - 10), Rgb(QColor(Qt::green)));
    EXPECT_EQ(At(img, x0 + 20, r.center().y()), Rgb(highlight));
    EXPECT_NE(At(img, x0 + 18, r.center().y()), Rgb(highlight));
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
    EXPECT_EQ(r.left(), 1) << "the item fills the menu's inside";
    EXPECT_EQ(At(img, r.left(), r.center().y()),
              Rgb(Palette(top, QPalette::Active, QPalette::Highlight)));
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

// Pixels of a rectangle that differ from a colour.
int PixelsOtherThan(const QImage& img, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += At(img, x, y) != colour;
    return n;
}

TEST_F(MenusPainterTest, SeparatorsAreShownAndTheBarTextEndsAtTheMenusBottom) {
    QMenu* sub = SubMenuNamed(Build(true), "Pathwick menu");
    ASSERT_NE(sub, nullptr);
    const QImage img = Render(sub);
    const QColor shadow = Palette(sub, QPalette::Active, QPalette::Dark);
    int separators = 0, rows = 0;
    for (QAction* a : sub->actions()) {
        if (!a->isVisible())
            continue;
        const QRect r = sub->actionGeometry(a);
        rows += r.height();
        if (!a->isSeparator())
            continue;
        ++separators;
        ASSERT_EQ(r.height(), 8) << "separator " << separators << " was dropped";
        // The groove right of the bar: shadow line at bottom - 4.
        const int y = r.top() + r.height() - 4;
        EXPECT_EQ(At(img, r.left() + 40, y), Rgb(shadow));
        EXPECT_EQ(At(img, r.right() - 2, y), Rgb(shadow));
    }
    EXPECT_EQ(separators, 3);
    EXPECT_EQ(rows, sub->height() - 2) << "the rows fill the menu inside its frame";
    EXPECT_EQ(painter->MenuHeightForBar(sub), rows);

    // The bar's text runs upward from 4 pixels above the bottom: its lowest pixel lies there,
    // inside the menu, not below it.
    const QRgb bar = Rgb(Palette(sub, QPalette::Inactive, QPalette::Mid));
    int lowest = -1;
    for (int y = 1; y < img.height() - 1; ++y)
        if (PixelsOtherThan(img, QRect(3, y, 15, 1), bar) > 0)
            lowest = y;
    ASSERT_GT(lowest, 0) << "no bar text drawn";
    const int inner = 1 + rows; // one past the last row inside the frame
    EXPECT_LE(lowest, inner - 3);
    EXPECT_GE(lowest, inner - 12);
}

TEST_F(MenusPainterTest, FoldersShowAnArrowInTheRoomMeasuredForIt) {
    MenuItem folder;
    folder.Caption = "Folder";
    folder.Add(MenuItem{});
    folder.Children.back()->Caption = "inside";
    root->Insert(0, std::move(folder));
    QMenu* top = Build(true);
    QMenu* sub = SubMenuNamed(top, "Pathwick menu");
    const QImage topImg = Render(top);
    const QImage subImg = Render(sub);
    const QRgb menuBg = Rgb(painter->MenuBackground(top));
    auto arrowPixels = [&](QMenu* m, const QImage& img, const QString& caption) {
        const QRect r = m->actionGeometry(ActionNamed(m, caption));
        return PixelsOtherThan(img, QRect(r.right() - 6, r.top(), 7, r.height()), menuBg);
    };
    EXPECT_GE(arrowPixels(top, topImg, "Folder"), 8);
    EXPECT_GE(arrowPixels(top, topImg, "Pathwick menu"), 8);
    EXPECT_GE(arrowPixels(sub, subImg, "Tools"), 8);
    EXPECT_EQ(arrowPixels(sub, subImg, "About..."), 0) << "no arrow without a submenu";
}

TEST_F(MenusPainterTest, OwnerDrawnMenuHasAFrame) {
    QMenu* sub = SubMenuNamed(Build(true), "Pathwick menu");
    const QImage img = Render(sub);
    const QRgb frame = Rgb(Palette(sub, QPalette::Active, QPalette::Dark));
    const int w = img.width(), h = img.height();
    for (int y : {0, h / 3, h / 2, h - 1}) {
        EXPECT_EQ(At(img, 0, y), frame) << y;
        EXPECT_EQ(At(img, w - 1, y), frame) << y;
    }
    for (int x : {0, 5, w / 2, w - 1}) {
        EXPECT_EQ(At(img, x, 0), frame) << x;
        EXPECT_EQ(At(img, x, h - 1), frame) << x;
    }
    EXPECT_NE(At(img, w - 2, h / 2), frame) << "the frame is one pixel wide";
}

TEST_F(MenusPainterTest, MenuColourIsTheOneTheStyleShowsAlsoOnADarkPalette) {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x34));
    dark.setColor(QPalette::Base, QColor(0x22, 0x22, 0x26));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x34));
    dark.setColor(QPalette::Highlight, QColor(0x30, 0x60, 0xa0));
    // What the user sees in a plain menu of the style: the panel right of a short entry.
    QMenu plain;
    plain.setPalette(dark);
    plain.addAction("x");
    plain.setMinimumWidth(200);
    const QImage plainImg = Render(&plain);
    const QRect pr = plain.actionGeometry(plain.actions().first());
    const QColor seen = plainImg.pixelColor(pr.right() - 30, pr.center().y());
    EXPECT_LT(seen.lightness(), 100) << "the dark palette shows in the plain menu";

    MenuItem heading;
    heading.Caption = "Heading";
    heading.Tag = items::kTagHeading;
    root->Insert(0, std::move(heading));
    for (bool overrideFont : {false, true}) {
        delete popup;
        popup = new TPopupMenu();
        popup->setPalette(dark);
        builder->Build(popup, *root);
        painter->UseStandardFont = !overrideFont;
        builder->ApplyMenuDrawing(popup, overrideFont);
        EXPECT_EQ(painter->MenuBackground(popup).rgb(), seen.rgb());
        const QImage img = Render(popup);
        // The heading's background beside its caption, in both looks.
        const QRect r = popup->actionGeometry(popup->actions().first());
        EXPECT_EQ(At(img, r.left() + 2, r.top() + 2), seen.rgb()) << overrideFont;
        if (overrideFont) {
            const QRect item = popup->actionGeometry(ActionNamed(popup, "Pathwick menu"));
            EXPECT_EQ(At(img, item.left() + 2, item.top() + 2), seen.rgb());
        }
    }
}

// The dark pixels of an entry's row: the ink of its caption.
int InkOf(const QImage& img, const QRect& r) {
    int ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ink += qGray(img.pixel(x, y)) < 128;
    return ink;
}

TEST_F(MenusPainterTest, TheDefaultEntryIsBoldInTheStandardLook) {
    QMenu* top = Build(false);
    QAction* kit = ActionNamed(top, "Pathwick menu");
    ASSERT_NE(kit, nullptr);
    ASSERT_EQ(top->defaultAction(), kit);
    EXPECT_TRUE(kit->font().bold());
    const QImage bold = Render(top);
    const int boldInk = InkOf(bold, top->actionGeometry(kit));
    kit->setFont(QFont());
    const QImage normal = Render(top);
    const int normalInk = InkOf(normal, top->actionGeometry(kit));
    EXPECT_GT(boldInk, normalInk + normalInk / 10)
        << "bold " << boldInk << " against " << normalInk;
}

} // namespace
} // namespace pw
