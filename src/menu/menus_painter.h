#pragma once
// ThvMenusPainter: the owner drawing of the popup menu. Headings are always drawn by the
// program; with the standard font overridden, every item is, with its own font, geometry and
// the side bar of a menu whose first item is a bar-text item.
//
// Qt draws menus through the style, so the painter is a proxy style that the popup's menus use.
// Each action carries its item's tag in data() and its draw mode in the property below.

#include <QFont>
#include <QProxyStyle>
#include <QString>

class QAction;
class QMenu;

namespace pw {

// How an action is drawn: by the style, as a normal item, or as a heading/separator/hidden item.
enum class MenuDrawMode { Standard = 0, Normal = 1, Special = 2 };
inline constexpr const char* kDrawModeProperty = "pwDrawMode";

class ThvMenusPainter : public QProxyStyle {
    Q_OBJECT
public:
    ThvMenusPainter();

    QString FontName;
    int FontSize = 9;
    bool FontBold = false;
    bool UseStandardFont = true;
    int BarTag = -9999;
    int BarTag2 = -8888;
    int HiddenTag = -400;
    int SeparatorTag = -200;
    int HeadingTag = -100;
    int ItemHeight = 19;

    // Assigns the draw modes to every action of menu and its submenus, and this painter as the
    // style of every menu: headings always owner-drawn; with overrideStandardFont everything.
    void ApplyMenuDrawing(QMenu* menu, bool overrideStandardFont);

    // The bar text of a menu: the caption of a bar-tag item found before the first visible item,
    // when UseStandardFont is off; empty when the menu has no side bar.
    QString SideBarText(const QMenu* menu) const;
    // Height of a menu for the bar: the rows the menu shows (8 per separator, 21 per other
    // item; a separator the menu leaves out has none).
    int MenuHeightForBar(const QMenu* menu) const;
    // The colour the style fills a menu with (for the menu's palette): the owner drawing fills
    // with it too, and the pictures of the menu are composed on it.
    QColor MenuBackground(const QWidget* menu) const;

    // Measure and draw handlers.
    QSize NorItemsRTMeasureItem(const QAction* action, const QMenu* menu) const;
    void NorItemsRTDrawItem(QPainter* p, const QAction* action, const QMenu* menu, QRect r,
                            bool selected) const;
    void SpeItemsRTDrawItem(QPainter* p, const QAction* action, const QMenu* menu, QRect r) const;

    // QStyle
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    QFont ItemFont(const QAction* action, const QMenu* menu, bool special) const;
    void DrawSideBar(QPainter* p, const QMenu* menu) const;
    bool OwnerDrawnMenu(const QWidget* widget) const;
    // Where the menu's inside begins: within the frame of an owner-drawn menu.
    QPoint ClientOrigin(const QMenu* menu) const;
    static const QAction* ActionOf(const QStyleOption* option);
    static MenuDrawMode ModeOf(const QAction* action);
    static int TagOf(const QAction* action);

    mutable qint64 backgroundKey_ = 0;
    mutable QColor backgroundColour_;
};

} // namespace pw
