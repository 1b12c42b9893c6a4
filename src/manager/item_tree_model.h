#pragma once
// The editing tree tvItems shown by a QTreeView: a thin adapter that holds no state of its own.

#include <QAbstractItemModel>

#include "items/item_node.h"

namespace pw {

class ImageListIcons;

class TItemTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    TItemTreeModel(items::ItemTree* tree, ImageListIcons* icons, QObject* parent = nullptr);

    // Runs change, which rebuilds or replaces the tree as a whole, inside a model reset, so that
    // no view holds an index into the old nodes meanwhile.
    template <typename Change> void Reset(Change&& change) {
        beginResetModel();
        change();
        endResetModel();
    }
    items::TreeNode* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const items::TreeNode* node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const std::vector<std::unique_ptr<items::TreeNode>>& ChildrenOf(const QModelIndex& p) const;

    items::ItemTree* tree_;
    ImageListIcons* icons_;
};

} // namespace pw
