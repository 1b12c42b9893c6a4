#include "items/item_node.h"

#include <gtest/gtest.h>

namespace pw::items {
namespace {

TreeNode Named(const char* text) {
    TreeNode n;
    n.Text = text;
    return n;
}

TEST(ItemTree, InsertMoveRemoveKeepParentsAndOrder) {
    ItemTree tree;
    TreeNode* a = tree.Add(nullptr, Named("a"));
    TreeNode* c = tree.Add(nullptr, Named("c"));
    TreeNode* b = tree.InsertBefore(c, Named("b"));
    TreeNode* a1 = tree.Add(a, Named("a1"));
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(a1->Parent, a);
    EXPECT_EQ(b->PrevSibling(), a);
    EXPECT_EQ(b->NextSibling(), c);
    EXPECT_EQ(c->NextSibling(), nullptr);
    EXPECT_EQ(tree.Count(), 4);

    EXPECT_FALSE(tree.Move(a, a1, 0)); // not below itself
    EXPECT_TRUE(tree.Move(c, a, 0));
    EXPECT_EQ(c->Parent, a);
    EXPECT_EQ(a->FirstChild(), c);
    EXPECT_EQ(c->Siblings(), &a->Children);
    EXPECT_TRUE(tree.Move(c, nullptr, 99));
    EXPECT_EQ(c->Parent, nullptr);
    EXPECT_EQ(c->Index(), 2);

    std::vector<std::string> order;
    for (TreeNode* n : tree.AllNodes())
        order.push_back(n->Text);
    EXPECT_EQ(order, (std::vector<std::string>{"a", "a1", "b", "c"}));
    tree.Remove(a);
    EXPECT_EQ(tree.Count(), 2);
    EXPECT_EQ(b->Index(), 0);
}

TEST(ItemTree, CopyFromCopiesFieldsNotIdentity) {
    ItemTree tree, copy;
    TreeNode n = Named("x");
    n.ImageIndex = 30;
    n.SelectedIndex = 31;
    n.StateIndex = -1;
    n.Data = 7;
    TreeNode* x = tree.Add(nullptr, std::move(n));
    tree.Add(x, Named("child"));
    tree.Tag = 3;
    copy.CopyFrom(tree);
    EXPECT_EQ(copy.Tag, 0); // the tag is the caller's business
    ASSERT_EQ(copy.Count(), 2);
    TreeNode* y = copy.FirstRoot();
    EXPECT_NE(y, x);
    EXPECT_EQ(y->ImageIndex, 30);
    EXPECT_EQ(y->SelectedIndex, 31);
    EXPECT_EQ(y->Data, 7);
    EXPECT_EQ(y->FirstChild()->Parent, y);
    EXPECT_EQ(y->Siblings(), &copy.RootNodes());
}

} // namespace
} // namespace pw::items
