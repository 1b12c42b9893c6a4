#pragma once
// The editing tree tvItems shown by a QTreeView: a thin adapter that holds no state of its own.
// Folders show their open picture while expanded (the node's SelectedIndex); the paste source
// of a cut is drawn dimmed.

#include <QAbstractItemModel>
#include <functional>

#include "items/item_node.h"

namespace pw {

class ImageListIcons;

class TItemTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    using CutMarked = std::function<const items::TreeNode*()>;
    TItemTreeModel(items::ItemTree* tree, ImageListIcons* icons, CutMarked cutMarked = nullptr,
                   QObject* parent = nullptr);

    // Runs change, which rebuilds or replaces the tree as a whole, inside a model reset, so that
    // no view holds an index into the old nodes meanwhile.
    template <typename Change> void Reset(Change&& change) {
        BeforeChange();
        beginResetModel();
        change();
        endResetModel();
    }
    // Called before every change that passes through the model (the store keeps its saved copy
    // of the tree then).
    void SetBeforeChange(std::function<void()> beforeChange) {
        beforeChange_ = std::move(beforeChange);
    }
    // The same for one node leaving the tree (with everything inside it).
    void RemoveNode(const items::TreeNode* node, const std::function<void()>& change);
    // One node arriving at row `row` of parent (nullptr: the root level).
    void InsertNode(const items::TreeNode* parent, int row, const std::function<void()>& change);
    // One node moving, with everything inside it, to row `row` of parent as counted before the
    // move. A move that leaves it where it is runs change without notice.
    void MoveNode(const items::TreeNode* node, const items::TreeNode* parent, int row,
                  const std::function<void()>& change);
    // The node's text or picture changed.
    void NodeChanged(const items::TreeNode* node);

    items::TreeNode* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const items::TreeNode* node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const std::vector<std::unique_ptr<items::TreeNode>>& ChildrenOf(const QModelIndex& p) const;
    void BeforeChange() const {
        if (beforeChange_)
            beforeChange_();
    }

    items::ItemTree* tree_;
    ImageListIcons* icons_;
    CutMarked cutMarked_;
    std::function<void()> beforeChange_;
};

} // namespace pw
