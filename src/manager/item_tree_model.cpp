#include "manager/item_tree_model.h"

#include "menu/image_list_icons.h"

namespace pw {

TItemTreeModel::TItemTreeModel(items::ItemTree* tree, ImageListIcons* icons, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree), icons_(icons) {}

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
    if (role == Qt::DisplayRole)
        return QString::fromStdString(node->Text);
    if (role == Qt::DecorationRole && icons_)
        return icons_->Icon(node->ImageIndex);
    return {};
}

} // namespace pw
