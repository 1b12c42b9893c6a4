#pragma once
// A node of the editing tree tvItems and of the saved copy tvUndo, and the tree that holds them.
//
// The tree's invisible root is not an item: its children are the root level, which starts with
// the root top marker. Only folders have children, and a folder's first child is its top marker.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pw::items {

// Picture indices that name a kind (the icon index of a link is anything else, or 5).
inline constexpr int kImageFolder = 0;
inline constexpr int kImageFolderOpen = 1;
inline constexpr int kImageNormalSeparator = 2;
inline constexpr int kImageSpecialSeparator = 3;
inline constexpr int kImageTopMarker = 4;
inline constexpr int kImageDirectoryLink = 5;

struct TreeNode {
    std::string Text;
    int32_t ImageIndex = -1;
    int32_t SelectedIndex = -1;
    int32_t StateIndex = -1;
    int32_t Data = -1;
    TreeNode* Parent = nullptr; // nullptr on the root level
    std::vector<std::unique_ptr<TreeNode>> Children;

    // Position among the siblings (0-based); -1 when the node has no container.
    int Index() const;
    // The sibling list that holds this node (the tree's root level for root nodes).
    std::vector<std::unique_ptr<TreeNode>>* Siblings() const;
    TreeNode* PrevSibling() const;
    TreeNode* NextSibling() const;
    TreeNode* FirstChild() const { return Children.empty() ? nullptr : Children.front().get(); }

private:
    friend class ItemTree;
    class ItemTree* tree_ = nullptr; // set for every node that belongs to a tree
};

// A node with its text and picture (the selected picture the same), state -1 and data.
TreeNode MakeNode(std::string text, int32_t image, int32_t data = -1);

// An ordered tree of TreeNode with a Tag (tvItems.Tag / tvUndo.Tag).
class ItemTree {
public:
    ItemTree() = default;
    ItemTree(const ItemTree&) = delete;
    ItemTree& operator=(const ItemTree&) = delete;

    int32_t Tag = 0;

    std::vector<std::unique_ptr<TreeNode>>& RootNodes() { return roots_; }
    const std::vector<std::unique_ptr<TreeNode>>& RootNodes() const { return roots_; }
    TreeNode* FirstRoot() const { return roots_.empty() ? nullptr : roots_.front().get(); }

    // Appends a node as the last child of parent (nullptr: the root level).
    TreeNode* Add(TreeNode* parent, TreeNode node);
    // Inserts a node before `before`, among before's siblings.
    TreeNode* InsertBefore(TreeNode* before, TreeNode node);
    // Inserts a node at position index (clamped) among the children of parent.
    TreeNode* InsertAt(TreeNode* parent, int index, TreeNode node);
    // Removes the node and everything below it. The pointer is dangling afterwards.
    void Remove(TreeNode* node);
    // Moves the node (with its children) to position index among the children of newParent.
    // Refused (false) when newParent is the node or lies below it.
    bool Move(TreeNode* node, TreeNode* newParent, int index);
    void Clear() { roots_.clear(); }

    // The number of nodes, all levels.
    int Count() const;
    // Depth-first, parents before children.
    std::vector<TreeNode*> AllNodes() const;
    // Replaces the whole content by a copy of source's nodes (fields and order). Tag unchanged.
    void CopyFrom(const ItemTree& source);

private:
    std::vector<std::unique_ptr<TreeNode>>& ListOf(TreeNode* parent);
    void Adopt(TreeNode* node, TreeNode* parent);
    std::vector<std::unique_ptr<TreeNode>> roots_;
};

} // namespace pw::items
