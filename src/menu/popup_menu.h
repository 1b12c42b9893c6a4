#pragma once
// The popup pmItems as Qt menus, built from the menu model at every load.

#include <QIcon>
#include <QMenu>
#include <functional>

#include "items/menu_model.h"

namespace pw {

class ThvMenusPainter;

// A menu whose style options name the action they draw, so that the menu painter can read the
// item's tag and draw mode.
class TPopupMenu : public QMenu {
    Q_OBJECT
public:
    using QMenu::QMenu;

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
};

// Fills Qt menus from the menu model: folders become submenus, filled when first shown;
// separators become the toolkit's collapsible separators, headings and links plain entries.
class TPopupMenuBuilder {
public:
    using ClickHandler = std::function<void(const items::MenuItem&)>;
    // The picture imageIndex of the image list a submenu names ("" for the popup's own list,
    // "ilLingua" for the language flags).
    using IconLookup = std::function<QIcon(const std::string& imageList, int imageIndex)>;

    using Availability = std::function<bool(items::MenuAction)>;

    TPopupMenuBuilder(ThvMenusPainter* painter, IconLookup icons, ClickHandler onClick);
    // Entries whose action is not available are shown disabled.
    void SetAvailability(Availability available) { available_ = std::move(available); }

    // Empties menu and fills it with the children of root.
    void Build(QMenu* menu, const items::MenuItem& root);
    // Owner drawing of everything built so far and of submenus filled later.
    void ApplyMenuDrawing(QMenu* menu, bool overrideStandardFont);

private:
    void Fill(QMenu* menu, const items::MenuItem& parent);
    QAction* AddEntry(QMenu* menu, const items::MenuItem& item, const std::string& imageList);

    ThvMenusPainter* painter_;
    IconLookup icons_;
    ClickHandler onClick_;
    Availability available_;
    bool overrideStandardFont_ = false;
};

// The caption a menu entry shows: user captions literally (an "&" is no accelerator), the
// built-in entries with their accelerators.
QString MenuCaption(const items::MenuItem& item);

} // namespace pw
