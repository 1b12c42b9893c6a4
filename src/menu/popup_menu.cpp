#include "menu/popup_menu.h"

#include <QStyleOptionMenuItem>

#include "menu/menus_painter.h"

namespace pw {

void TPopupMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    option->styleObject = const_cast<QAction*>(action);
}

QString MenuCaption(const items::MenuItem& item) {
    QString caption = QString::fromStdString(item.Caption);
    if (item.Name.empty() && item.Tag != items::kTagHeading)
        caption.replace(u'&', QStringLiteral("&&"));
    return caption;
}

TPopupMenuBuilder::TPopupMenuBuilder(ThvMenusPainter* painter, IconLookup icons,
                                     ClickHandler onClick)
    : painter_(painter), icons_(std::move(icons)), onClick_(std::move(onClick)) {}

void TPopupMenuBuilder::Build(QMenu* menu, const items::MenuItem& root) {
    menu->clear();
    for (QObject* child : menu->children()) {
        if (qobject_cast<QMenu*>(child))
            child->deleteLater();
    }
    Fill(menu, root);
}

void TPopupMenuBuilder::Fill(QMenu* menu, const items::MenuItem& parent) {
    for (const auto& child : parent.Children)
        AddEntry(menu, *child, parent.SubMenuImages);
}

QAction* TPopupMenuBuilder::AddEntry(QMenu* menu, const items::MenuItem& item,
                                     const std::string& imageList) {
    QAction* action = nullptr;
    if (item.Tag == items::kTagSeparator || item.Caption == "-") {
        action = menu->addSeparator();
    } else if (!item.Children.empty()) {
        auto* sub = new TPopupMenu(menu);
        sub->setTitle(MenuCaption(item));
        action = menu->addMenu(sub);
        const items::MenuItem* model = &item;
        // Submenus are filled when first shown: a load builds the root level only.
        QObject::connect(sub, &QMenu::aboutToShow, sub, [this, sub, model] {
            if (sub->property("pwFilled").toBool())
                return;
            sub->setProperty("pwFilled", true);
            Fill(sub, *model);
            if (painter_)
                painter_->ApplyMenuDrawing(sub, overrideStandardFont_);
        });
    } else {
        action = menu->addAction(MenuCaption(item));
        if (item.Action != items::MenuAction::None && onClick_) {
            const items::MenuItem* model = &item;
            QObject::connect(action, &QAction::triggered, menu,
                             [this, model] { onClick_(*model); });
        }
    }
    action->setData(item.Tag);
    action->setVisible(item.Visible);
    if (!item.Enabled || (available_ && !available_(item.Action)))
        action->setEnabled(false);
    // Language entries take a check mark when chosen; it stays until the next load, also when
    // the entry chosen is one that carries it already.
    if (item.RadioItem || item.Checked || item.Action == items::MenuAction::SwitchLanguage) {
        action->setCheckable(true);
        action->setChecked(item.Checked);
        QObject::connect(action, &QAction::toggled, action, [action](bool checked) {
            if (!checked)
                action->setChecked(true);
        });
    }
    if (item.ImageIndex >= 0 && icons_)
        action->setIcon(icons_(imageList, item.ImageIndex));
    if (!item.Hint.empty())
        action->setStatusTip(QString::fromStdString(item.Hint));
    // A shortcut from the culture's texts shows beside the caption and works while the menu is
    // open.
    if (!item.ShortCut.empty())
        action->setShortcut(QKeySequence::fromString(QString::fromStdString(item.ShortCut),
                                                     QKeySequence::PortableText));
    if (item.Default) {
        menu->setDefaultAction(action);
        // The style draws only a default entry without submenu in bold ("Pathwick menu" has
        // one): the entry's own font says it for both kinds.
        QFont bold;
        bold.setBold(true);
        action->setFont(bold);
    }
    return action;
}

void TPopupMenuBuilder::ApplyMenuDrawing(QMenu* menu, bool overrideStandardFont) {
    overrideStandardFont_ = overrideStandardFont;
    if (painter_)
        painter_->ApplyMenuDrawing(menu, overrideStandardFont);
}

} // namespace pw
