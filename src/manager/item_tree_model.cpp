#include "manager/item_tree_model.h"

#include <QApplication>
#include <QPalette>

#include "items/item_rules.h"
#include "menu/image_list_icons.h"

namespace pw {

TItemTreeModel::TItemTreeModel(items::ItemTree* tree, ImageListIcons* icons, CutMarked cutMarked,
                               QObject* parent)
    : QAbstractItemModel(parent), tree_(tree), icons_(icons), cutMarked_(std::move(cutMarked)) {}

void TItemTreeModel::RemoveNode(const items::TreeNode* node, const std::function<void()>& change) {
    const int row = node->Index();
    const QModelIndex parent = IndexOf(node->Parent);
    BeforeChange();
    beginRemoveRows(parent, row, row);
    change();
    endRemoveRows();
}

void TItemTreeModel::InsertNode(const items::TreeNode* parent, int row,
                                const std::function<void()>& change) {
    BeforeChange();
    beginInsertRows(IndexOf(parent), row, row);
    change();
    endInsertRows();
}

void TItemTreeModel::MoveNode(const items::TreeNode* node, const items::TreeNode* parent, int row,
                              const std::function<void()>& change) {
    const int from = node->Index();
    BeforeChange();
    if (!beginMoveRows(IndexOf(node->Parent), from, from, IndexOf(parent), row)) {
        change();
        return;
    }
    change();
    endMoveRows();
}

void TItemTreeModel::NodeChanged(const items::TreeNode* node) {
    const QModelIndex index = IndexOf(node);
    if (index.isValid())
        emit dataChanged(index, index);
}

items::TreeNode* TItemTreeModel::NodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<items::TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TItemTreeModel::IndexOf(const items::TreeNode* node) const {
    if (!node)
        return {};
    const int row = node->Index();
    return row < 0 ? QModelIndex() : createIndex(row, 0, const_cast<items::TreeNode*>(node));
}

const std::vector<std::unique_ptr<items::TreeNode>>&
TItemTreeModel::ChildrenOf(const QModelIndex& p) const {
    if (items::TreeNode* node = NodeOf(p))
        return node->Children;
    return tree_->RootNodes();
}

QModelIndex TItemTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const auto& children = ChildrenOf(parent);
    if (column != 0 || row < 0 || row >= static_cast<int>(children.size()))
        return {};
    return createIndex(row, 0, children[static_cast<size_t>(row)].get());
}

QModelIndex TItemTreeModel::parent(const QModelIndex& child) const {
    const items::TreeNode* node = NodeOf(child);
    return node ? IndexOf(node->Parent) : QModelIndex();
}

int TItemTreeModel::rowCount(const QModelIndex& parent) const {
    return parent.column() > 0 ? 0 : static_cast<int>(ChildrenOf(parent).size());
}

int TItemTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TItemTreeModel::data(const QModelIndex& index, int role) const {
    const items::TreeNode* node = NodeOf(index);
    if (!node)
        return {};
    const bool cut = cutMarked_ && cutMarked_() == node;
    if (role == Qt::DisplayRole)
        return QString::fromStdString(node->Text);
    if (role == Qt::DecorationRole && icons_) {
        // An expanded folder shows the open folder (its selected index while expanded).
        const int picture = items::IsFolder(node) ? node->SelectedIndex : node->ImageIndex;
        QIcon icon = icons_->Icon(picture);
        if (cut && !icon.isNull())
            return QIcon(icon.pixmap(16, 16, QIcon::Disabled));
        return icon;
    }
    if (role == Qt::ForegroundRole && cut)
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    return {};
}

} // namespace pw
