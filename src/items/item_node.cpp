#include "items/item_node.h"

#include <algorithm>

namespace pw::items {

TreeNode MakeNode(std::string text, int32_t image, int32_t data) {
    TreeNode node;
    node.Text = std::move(text);
    node.ImageIndex = image;
    node.SelectedIndex = image;
    node.StateIndex = -1;
    node.Data = data;
    return node;
}

std::vector<std::unique_ptr<TreeNode>>* TreeNode::Siblings() const {
    if (Parent)
        return &Parent->Children;
    if (tree_)
        return &tree_->RootNodes();
    return nullptr;
}

int TreeNode::Index() const {
    const auto* list = Siblings();
    if (!list)
        return -1;
    for (size_t i = 0; i < list->size(); ++i)
        if ((*list)[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

TreeNode* TreeNode::PrevSibling() const {
    int i = Index();
    return i > 0 ? (*Siblings())[i - 1].get() : nullptr;
}

TreeNode* TreeNode::NextSibling() const {
    int i = Index();
    if (i < 0)
        return nullptr;
    const auto* list = Siblings();
    return i + 1 < static_cast<int>(list->size()) ? (*list)[i + 1].get() : nullptr;
}

std::vector<std::unique_ptr<TreeNode>>& ItemTree::ListOf(TreeNode* parent) {
    return parent ? parent->Children : roots_;
}

void ItemTree::Adopt(TreeNode* node, TreeNode* parent) {
    node->Parent = parent;
    node->tree_ = this;
    for (auto& child : node->Children)
        Adopt(child.get(), node);
}

TreeNode* ItemTree::Add(TreeNode* parent, TreeNode node) {
    return InsertAt(parent, static_cast<int>(ListOf(parent).size()), std::move(node));
}

TreeNode* ItemTree::InsertBefore(TreeNode* before, TreeNode node) {
    return InsertAt(before->Parent, before->Index(), std::move(node));
}

TreeNode* ItemTree::InsertAt(TreeNode* parent, int index, TreeNode node) {
    auto& list = ListOf(parent);
    index = std::clamp(index, 0, static_cast<int>(list.size()));
    auto owned = std::make_unique<TreeNode>(std::move(node));
    TreeNode* raw = owned.get();
    Adopt(raw, parent);
    list.insert(list.begin() + index, std::move(owned));
    return raw;
}

void ItemTree::Remove(TreeNode* node) {
    auto& list = ListOf(node->Parent);
    auto it = std::find_if(list.begin(), list.end(), [&](auto& p) { return p.get() == node; });
    if (it != list.end())
        list.erase(it);
}

bool ItemTree::Move(TreeNode* node, TreeNode* newParent, int index) {
    for (TreeNode* p = newParent; p; p = p->Parent)
        if (p == node)
            return false;
    auto& from = ListOf(node->Parent);
    auto it = std::find_if(from.begin(), from.end(), [&](auto& p) { return p.get() == node; });
    if (it == from.end())
        return false;
    std::unique_ptr<TreeNode> owned = std::move(*it);
    from.erase(it);
    auto& to = ListOf(newParent);
    index = std::clamp(index, 0, static_cast<int>(to.size()));
    node->Parent = newParent;
    to.insert(to.begin() + index, std::move(owned));
    return true;
}

namespace {
void Collect(const std::vector<std::unique_ptr<TreeNode>>& list, std::vector<TreeNode*>& out) {
    for (const auto& node : list) {
        out.push_back(node.get());
        Collect(node->Children, out);
    }
}

int CountOf(const std::vector<std::unique_ptr<TreeNode>>& list) {
    int n = 0;
    for (const auto& node : list)
        n += 1 + CountOf(node->Children);
    return n;
}

std::unique_ptr<TreeNode> CopyNode(const TreeNode& source) {
    auto copy = std::make_unique<TreeNode>();
    copy->Text = source.Text;
    copy->ImageIndex = source.ImageIndex;
    copy->SelectedIndex = source.SelectedIndex;
    copy->StateIndex = source.StateIndex;
    copy->Data = source.Data;
    for (const auto& child : source.Children)
        copy->Children.push_back(CopyNode(*child));
    return copy;
}
} // namespace

int ItemTree::Count() const {
    return CountOf(roots_);
}

std::vector<TreeNode*> ItemTree::AllNodes() const {
    std::vector<TreeNode*> out;
    Collect(roots_, out);
    return out;
}

void ItemTree::CopyFrom(const ItemTree& source) {
    roots_.clear();
    for (const auto& node : source.roots_) {
        roots_.push_back(CopyNode(*node));
        Adopt(roots_.back().get(), nullptr);
    }
}

} // namespace pw::items
