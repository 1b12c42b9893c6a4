#include "items/item_attach.h"

#include "items/item_editing.h"
#include "items/item_rules.h"
#include "util/strings.h"

namespace pw::items {

int32_t CreateLinkFromFile(ItemStore& store, const LinkPlan& plan) {
    if (!plan)
        return -1;
    const int32_t id = store.NextItemId++;
    store.Attributes.AppendPath(plan.path, plan.kind);
    if (plan.programEntries) {
        store.Attributes.AddParams(id, plan.params);
        store.Attributes.AddWorkDir(id, plan.workDir);
        store.Attributes.AddWindowState(id, "");
        store.Attributes.AddRunAs(id, false);
    } else if (plan.windowStateEntry) {
        store.Attributes.AddWindowState(id, "");
    }
    return id;
}

int NewLinkPicture(ItemStore& store, const LinkPlan& plan) {
    switch (plan.picture) {
    case PictureSource::Directory:
        return kImageDirectoryLink;
    case PictureSource::WebType:
        return store.Images.TypeIconIndex("url");
    case PictureSource::Named:
        return store.AppendNamedItemIcon(plan.iconName, plan.path);
    case PictureSource::Shell:
        break;
    }
    return store.AppendItemIcon(plan.path);
}

TreeNode* AttachLink(ItemStore& store, TreeNode* anchor, const LinkPlan& plan) {
    if (!plan || !CanBeTarget(anchor))
        return nullptr;
    const int32_t id = CreateLinkFromFile(store, plan);
    const int picture = NewLinkPicture(store, plan);
    TreeNode node;
    node.Text = plan.caption;
    node.ImageIndex = picture;
    node.SelectedIndex = picture;
    node.StateIndex = -1;
    node.Data = id;
    return InsertAfter(store.tvItems, anchor, std::move(node));
}

TreeNode* DropAnchor(const ItemStore& store, TreeNode* underPoint, const TreeNode* selected) {
    if (underPoint)
        return underPoint;
    if (selected) {
        const auto* level = selected->Siblings();
        if (level && !level->empty() && IsTopMarker(level->front().get()))
            return level->front().get();
    }
    return store.RootTopMarker();
}

bool CanDrag(const TreeNode* node) {
    return node && !IsTopMarker(node);
}

bool FindMenuFolder(const ItemTree& tree, std::string_view captions, TreeNode*& folder) {
    folder = nullptr;
    for (const std::string& caption : StrSplit(captions, "/")) {
        const std::string wanted = FolderCompareForm(caption);
        if (wanted.empty())
            continue; // "/Tools/" and "Tools//Net" say the same as "Tools" and "Tools/Net"
        const auto& level = folder ? folder->Children : tree.RootNodes();
        TreeNode* next = nullptr;
        for (const auto& node : level) {
            if (IsFolder(node.get()) && FolderCompareForm(node->Text) == wanted) {
                next = node.get();
                break;
            }
        }
        if (!next)
            return false;
        folder = next;
    }
    return true;
}

TreeNode* LastNodeOfLevel(const ItemTree& tree, const TreeNode* folder) {
    const auto& level = folder ? folder->Children : tree.RootNodes();
    return level.empty() ? nullptr : level.back().get();
}

} // namespace pw::items
