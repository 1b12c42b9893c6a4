#include "menu/menus_painter.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionMenuItem>

namespace pw {

namespace {
// The palette roles that stand in for the desktop's system colours. The menu colour itself is
// the painter's MenuBackground: what the style fills its menus with.
QColor MenuTextColour(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}
QColor HighlightColour(const QWidget* w) {
    return w->palette().color(QPalette::Highlight);
}
QColor HighlightTextColour(const QWidget* w) {
    return w->palette().color(QPalette::HighlightedText);
}
QColor ButtonHighlightColour(const QWidget* w) {
    return w->palette().color(QPalette::Light);
}
QColor ButtonShadowColour(const QWidget* w) {
    return w->palette().color(QPalette::Dark);
}
QColor InactiveCaptionColour(const QWidget* w) {
    return w->palette().color(QPalette::Inactive, QPalette::Mid);
}
QColor InactiveCaptionTextColour(const QWidget* w) {
    return w->palette().color(QPalette::Inactive, QPalette::BrightText);
}

constexpr int kBarWidth = 22;     // items move right by this much beside a side bar
constexpr int kBarBandWidth = 20; // the band itself: x 0 to 19
constexpr int kSeparatorHeight = 8;
constexpr int kPictureSize = 16;
constexpr int kFrameWidth = 1; // the owner-drawn menu's frame
constexpr int kArrowRoom = 7;  // the measured extra width of an item with a submenu

// The bottom edge as the drawing rules count it: one past the last row.
int BottomOf(const QRect& r) {
    return r.top() + r.height();
}

QString WithoutAccelerator(QString caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                out += u'&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

QFont SystemMenuFont() {
    return QApplication::font("QMenu");
}
} // namespace

ThvMenusPainter::ThvMenusPainter() {
    const QFont f = SystemMenuFont();
    FontName = f.family();
    FontSize = f.pointSize() > 0 ? f.pointSize() : 9;
}

int ThvMenusPainter::TagOf(const QAction* action) {
    return action ? action->data().toInt() : 0;
}

MenuDrawMode ThvMenusPainter::ModeOf(const QAction* action) {
    return action ? static_cast<MenuDrawMode>(action->property(kDrawModeProperty).toInt())
                  : MenuDrawMode::Standard;
}

const QAction* ThvMenusPainter::ActionOf(const QStyleOption* option) {
    return option ? qobject_cast<const QAction*>(option->styleObject) : nullptr;
}

void ThvMenusPainter::ApplyMenuDrawing(QMenu* menu, bool overrideStandardFont) {
    if (!menu)
        return;
    menu->setStyle(this);
    menu->setProperty(kDrawModeProperty, overrideStandardFont ? int(MenuDrawMode::Normal)
                                                              : int(MenuDrawMode::Standard));
    for (QAction* a : menu->actions()) {
        const int tag = TagOf(a);
        MenuDrawMode mode = MenuDrawMode::Standard;
        if (tag == HeadingTag)
            mode = MenuDrawMode::Special;
        else if (overrideStandardFont)
            mode = (tag == SeparatorTag || tag == HiddenTag) ? MenuDrawMode::Special
                                                             : MenuDrawMode::Normal;
        a->setProperty(kDrawModeProperty, int(mode));
        if (QMenu* sub = a->menu())
            ApplyMenuDrawing(sub, overrideStandardFont);
    }
}

QString ThvMenusPainter::SideBarText(const QMenu* menu) const {
    if (!menu || UseStandardFont)
        return {};
    for (const QAction* a : menu->actions()) {
        const int tag = TagOf(a);
        if (tag == BarTag || tag == BarTag2)
            return a->text();
        if (a->isVisible())
            return {};
    }
    return {};
}

int ThvMenusPainter::MenuHeightForBar(const QMenu* menu) const {
    // The rows the menu shows: a separator the menu leaves out (at an end, or after another
    // one) has no row, so the bar text ends at the real bottom.
    int shown = 0;
    for (const QAction* a : menu->actions()) {
        if (a->isVisible())
            shown += menu->actionGeometry(const_cast<QAction*>(a)).height();
    }
    if (shown > 0)
        return shown;
    int h = 0;
    for (const QAction* a : menu->actions()) {
        if (a->isVisible())
            h += TagOf(a) == SeparatorTag ? kSeparatorHeight : ItemHeight + 2;
    }
    return h;
}

QColor ThvMenusPainter::MenuBackground(const QWidget* menu) const {
    const QPalette palette = menu ? menu->palette() : QApplication::palette("QMenu");
    if (backgroundColour_.isValid() && backgroundKey_ == palette.cacheKey())
        return backgroundColour_;
    // The style's own menu panel, drawn once per palette: its middle is the menu colour the
    // user sees in the standard look, which the owner drawing and the pictures then share.
    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(palette.color(QPalette::Window));
    {
        QPainter p(&image);
        QStyleOptionMenuItem option;
        option.palette = palette;
        option.rect = image.rect();
        option.state = State_None;
        option.menuItemType = QStyleOptionMenuItem::EmptyArea;
        baseStyle()->drawPrimitive(PE_PanelMenu, &option, &p, nullptr);
    }
    QColor colour = image.pixelColor(image.width() / 2, image.height() / 2);
    colour.setAlpha(255);
    backgroundKey_ = palette.cacheKey();
    backgroundColour_ = colour;
    return colour;
}

QPoint ThvMenusPainter::ClientOrigin(const QMenu* menu) const {
    return OwnerDrawnMenu(menu) ? QPoint(kFrameWidth, kFrameWidth) : QPoint(0, 0);
}

QFont ThvMenusPainter::ItemFont(const QAction* action, const QMenu* menu, bool special) const {
    if (special && UseStandardFont)
        return SystemMenuFont();
    QFont f(FontName);
    f.setPointSize(FontSize > 0 ? FontSize : 9);
    const bool isDefault = !special && menu && menu->defaultAction() == action;
    f.setBold(FontBold || isDefault);
    return f;
}

QSize ThvMenusPainter::NorItemsRTMeasureItem(const QAction* action, const QMenu* menu) const {
    // A separator is measured like an item whose caption is "-": a menu drops an item of no
    // width.
    const bool separator = action->isSeparator();
    const QFontMetrics fm(ItemFont(action, menu, false));
    const QString caption = separator ? QStringLiteral("-") : WithoutAccelerator(action->text());
    int width = fm.horizontalAdvance(caption) + 23;
    if (!SideBarText(menu).isEmpty())
        width += kBarWidth;
    if (action->menu())
        width += kArrowRoom;
    return {width, separator ? kSeparatorHeight : ItemHeight + 2};
}

void ThvMenusPainter::NorItemsRTDrawItem(QPainter* p, const QAction* action, const QMenu* menu,
                                         QRect r, bool selected) const {
    const bool hasBar = !SideBarText(menu).isEmpty();
    const int x0 = r.left() + (hasBar ? kBarWidth : 0);
    const int bottom = BottomOf(r);
    const bool hasPicture = !action->icon().isNull();
    p->save();
    const QColor menuColour = MenuBackground(menu);
    p->fillRect(r, menuColour);
    if (hasPicture) {
        const QPixmap pm = action->icon().pixmap(
            kPictureSize, kPictureSize, action->isEnabled() ? QIcon::Normal : QIcon::Disabled);
        p->drawPixmap(x0, bottom - 18, pm);
        const QColor light = selected ? ButtonHighlightColour(menu) : menuColour;
        const QColor dark = selected ? ButtonShadowColour(menu) : menuColour;
        p->setPen(light);
        p->drawLine(x0 - 1, bottom - 19, x0 + 15, bottom - 19);
        p->drawLine(x0 - 1, bottom - 19, x0 - 1, bottom - 2);
        p->setPen(dark);
        p->drawLine(x0 + 16, bottom - 19, x0 + 16, bottom - 2);
        p->drawLine(x0 - 1, bottom - 1, x0 + 16, bottom - 1);
    }
    const int fillLeft = hasPicture ? x0 + 20 : x0;
    p->fillRect(QRect(QPoint(fillLeft, r.top()), QPoint(r.right(), r.bottom())),
                selected && action->isEnabled() ? HighlightColour(menu) : menuColour);
    p->setFont(ItemFont(action, menu, false));
    const QRect textRect(QPoint(x0 + 23, r.top()), QPoint(r.right(), r.bottom()));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    QColor textColour = MenuTextColour(menu);
    if (action->isEnabled()) {
        textColour = selected ? HighlightTextColour(menu) : MenuTextColour(menu);
        p->setPen(textColour);
        p->drawText(textRect, flags, action->text());
    } else {
        p->setPen(ButtonHighlightColour(menu));
        p->drawText(textRect.translated(1, 1), flags, action->text());
        textColour = ButtonShadowColour(menu);
        p->setPen(textColour);
        p->drawText(textRect, flags, action->text());
    }
    if (action->menu()) {
        // The submenu arrow, in the room the measure adds for it at the right end.
        const int tipX = r.right() - 1;
        const int midY = r.top() + r.height() / 2;
        const QPoint arrow[3] = {{tipX - 3, midY - 3}, {tipX, midY}, {tipX - 3, midY + 3}};
        p->setRenderHint(QPainter::Antialiasing, false);
        p->setPen(textColour);
        p->setBrush(textColour);
        p->drawPolygon(arrow, 3);
    }
    p->restore();
    if (hasBar)
        DrawSideBar(p, menu);
}

void ThvMenusPainter::SpeItemsRTDrawItem(QPainter* p, const QAction* action, const QMenu* menu,
                                         QRect r) const {
    const bool hasBar = !SideBarText(menu).isEmpty();
    if (hasBar)
        r.setLeft(r.left() + kBarWidth);
    const bool separator = action->isSeparator() || TagOf(action) == SeparatorTag;
    p->save();
    p->setFont(ItemFont(action, menu, true));
    const QColor menuColour = MenuBackground(menu);
    p->fillRect(r, menuColour);
    const int y = BottomOf(r) - (separator ? 4 : 10);
    p->setPen(ButtonShadowColour(menu));
    p->drawLine(r.left(), y, r.right(), y);
    p->setPen(ButtonHighlightColour(menu));
    p->drawLine(r.left(), y + 1, r.right(), y + 1);
    if (!separator && TagOf(action) != HiddenTag) {
        const QString caption = WithoutAccelerator(action->text());
        const QFontMetrics fm(p->font());
        QRect textRect = fm.boundingRect(r, Qt::AlignCenter | Qt::TextSingleLine, caption);
        p->fillRect(textRect, menuColour);
        p->setPen(MenuTextColour(menu));
        p->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, caption);
    }
    p->restore();
    if (hasBar)
        DrawSideBar(p, menu);
}

void ThvMenusPainter::DrawSideBar(QPainter* p, const QMenu* menu) const {
    const QString text = SideBarText(menu);
    const int h = MenuHeightForBar(menu);
    p->save();
    // The bar's coordinates count from the menu's inside, within its frame.
    const QPoint origin = ClientOrigin(menu);
    p->translate(origin);
    p->fillRect(QRect(0, 0, kBarBandWidth - 1, h), InactiveCaptionColour(menu));
    QFont f(FontName);
    const qreal dpi = menu->screen() ? menu->screen()->logicalDotsPerInchY() : 96.0;
    f.setPixelSize(qMax(1, int(FontSize * dpi / 72.0)));
    f.setBold(false);
    p->setFont(f);
    p->setPen(InactiveCaptionTextColour(menu));
    p->setClipRect(QRect(0, 0, kBarBandWidth, h), Qt::IntersectClip);
    const QFontMetrics fm(f);
    const int x = (kBarBandWidth - fm.height()) / 2;
    p->translate(x, h - 4);
    p->rotate(-90);
    p->drawText(QRect(0, 0, fm.horizontalAdvance(text) + 1, fm.height()),
                Qt::AlignLeft | Qt::AlignTop, text);
    p->restore();
}

bool ThvMenusPainter::OwnerDrawnMenu(const QWidget* widget) const {
    return widget && widget->property(kDrawModeProperty).toInt() != int(MenuDrawMode::Standard);
}

QSize ThvMenusPainter::sizeFromContents(ContentsType type, const QStyleOption* option,
                                        const QSize& size, const QWidget* widget) const {
    if (type == CT_MenuItem) {
        const QAction* action = ActionOf(option);
        const auto* menu = qobject_cast<const QMenu*>(widget);
        if (action && menu && ModeOf(action) != MenuDrawMode::Standard)
            return NorItemsRTMeasureItem(action, menu);
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void ThvMenusPainter::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuItem) {
        const QAction* action = ActionOf(option);
        const auto* menu = qobject_cast<const QMenu*>(widget);
        const MenuDrawMode mode = ModeOf(action);
        if (action && menu && mode == MenuDrawMode::Normal) {
            NorItemsRTDrawItem(painter, action, menu, option->rect, option->state & State_Selected);
            return;
        }
        if (action && menu && mode == MenuDrawMode::Special) {
            SpeItemsRTDrawItem(painter, action, menu, option->rect);
            return;
        }
    }
    if (element == CE_MenuEmptyArea && OwnerDrawnMenu(widget)) {
        painter->fillRect(option->rect, MenuBackground(widget));
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

int ThvMenusPainter::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                 const QWidget* widget) const {
    // Owner-drawn menus have a frame of one pixel and no margins inside it, so the items fill
    // the menu's inside.
    if (OwnerDrawnMenu(widget)) {
        if (metric == PM_MenuPanelWidth)
            return kFrameWidth;
        if (metric == PM_MenuHMargin || metric == PM_MenuVMargin ||
            metric == PM_MenuDesktopFrameWidth)
            return 0;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void ThvMenusPainter::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    if (element == PE_PanelMenu && OwnerDrawnMenu(widget)) {
        painter->fillRect(option->rect, MenuBackground(widget));
        return;
    }
    if (element == PE_FrameMenu && OwnerDrawnMenu(widget)) {
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(ButtonShadowColour(widget));
        const QRect r = option->rect;
        painter->drawRect(QRect(r.left(), r.top(), r.width(), kFrameWidth));
        painter->drawRect(QRect(r.left(), r.bottom() - kFrameWidth + 1, r.width(), kFrameWidth));
        painter->drawRect(QRect(r.left(), r.top(), kFrameWidth, r.height()));
        painter->drawRect(QRect(r.right() - kFrameWidth + 1, r.top(), kFrameWidth, r.height()));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace pw
