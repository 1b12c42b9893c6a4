#include "items/item_editing.h"

#include <chrono>
#include <filesystem>
#include <random>
#include <unordered_map>

#include "items/item_rules.h"
#include "util/paths.h"

namespace pw::items {

namespace {

void ClearPasteSource(ItemStore& store) {
    store.PasteSource = nullptr;
    store.PasteSourceCut = false;
}

// The Clean rule for many links at once: one status call per link, and none for the links of
// a folder that does not exist (nothing below it can); the folders' answers are remembered for
// the one Clean.
class DeadLinkProbe {
public:
    bool IsDead(const std::string& path) {
        if (path.empty() || IsWebAddress(path))
            return false;
        const bool wantsDirectory = path.back() == '/' || path.back() == '\\';
        const std::string_view body(path.data(), path.size() - (wantsDirectory ? 1 : 0));
        const size_t slash = body.find_last_of('/');
        if (slash != std::string_view::npos && slash > 0) {
            const std::string folder(body.substr(0, slash + 1));
            auto [it, fresh] = folders_.try_emplace(folder, false);
            if (fresh)
                it->second = DirectoryExists(folder);
            if (!it->second)
                return true;
        }
        std::error_code ec;
        const std::filesystem::file_status st = std::filesystem::status(path, ec);
        if (ec || !std::filesystem::exists(st))
            return true;
        return wantsDirectory && !std::filesystem::is_directory(st);
    }

private:
    std::unordered_map<std::string, bool> folders_;
};

// Visits the level after its top marker, and the contents of its folders, removing dead links.
int CleanLevel(ItemStore& store, std::vector<std::unique_ptr<TreeNode>>& level,
               DeadLinkProbe& probe) {
    int removed = 0;
    std::vector<std::unique_ptr<TreeNode>> kept;
    kept.reserve(level.size());
    for (auto& owned : level) {
        TreeNode* node = owned.get();
        if (IsLink(node) && probe.IsDead(store.GetItemPath(node->Data))) {
            ++removed;
            continue;
        }
        if (IsFolder(node) && !node->Children.empty())
            removed += CleanLevel(store, node->Children, probe);
        kept.push_back(std::move(owned));
    }
    level.swap(kept);
    return removed;
}

} // namespace

bool CanPlaceAfter(const TreeNode* source, const TreeNode* target) {
    if (!source || !target)
        return false;
    if (!IsFolder(source))
        return true;
    return CanPlaceFolder(source, target);
}

CommandStates UpdateCommandStates(const ItemStore& store, const TreeNode* selected) {
    CommandStates s;
    if (!selected)
        return s;
    s.Cut = CanCutOrDelete(selected);
    s.Delete = CanCutOrDelete(selected);
    s.Copy = CanCopy(selected);
    s.Paste = store.PasteSource && CanPlaceAfter(store.PasteSource, selected);
    s.Attach = CanBeTarget(selected);
    s.Launch = CanStart(selected);
    s.Set = IsLink(selected);
    s.MoveUp = CanMoveUp(selected);
    s.MoveDown = CanMoveDown(selected);
    return s;
}

TreeNode* InsertAfter(ItemTree& tree, TreeNode* anchor, TreeNode node) {
    if (!anchor)
        return tree.InsertAt(nullptr, 0, std::move(node));
    return tree.InsertAt(anchor->Parent, anchor->Index() + 1, std::move(node));
}

bool MoveAfter(ItemTree& tree, TreeNode* node, TreeNode* target) {
    if (!node || !target || IsInsideFolder(target, node))
        return false;
    TreeNode* parent = target->Parent;
    int index = target->Index() + 1;
    // Taking node out of the same list first shifts everything after it by one.
    if (node->Siblings() == target->Siblings() && node->Index() < index)
        --index;
    return tree.Move(node, parent, index);
}

TreeNode* DeleteItem(ItemStore& store, TreeNode* node) {
    if (!CanCutOrDelete(node))
        return nullptr;
    TreeNode* select = node->NextSibling();
    if (!select)
        select = node->PrevSibling();
    if (!select)
        select = node->Parent;
    if (store.PasteSource && IsInsideFolder(store.PasteSource, node))
        ClearPasteSource(store);
    store.tvItems.Remove(node);
    return select;
}

bool CutItem(ItemStore& store, TreeNode* node) {
    if (!CanCutOrDelete(node))
        return false;
    store.PasteSource = node;
    store.PasteSourceCut = true;
    return true;
}

bool CopyItem(ItemStore& store, TreeNode* node) {
    if (!CanCopy(node))
        return false;
    store.PasteSource = node;
    store.PasteSourceCut = false;
    return true;
}

TreeNode* PasteItem(ItemStore& store, TreeNode* target) {
    TreeNode* source = store.PasteSource;
    if (!source || !target || !CanPlaceAfter(source, target))
        return nullptr;
    if (store.PasteSourceCut) {
        ClearPasteSource(store);
        if (source != target)
            MoveAfter(store.tvItems, source, target);
        return source;
    }
    if (IsSeparator(source))
        return InsertAfter(store.tvItems, target, MakeNode(source->Text, source->ImageIndex));
    if (!IsLink(source))
        return nullptr;

    const int32_t from = source->Data;
    const std::string path = store.Attributes.Path(from);
    const LinkKind kind = store.Attributes.Kind(from);
    const std::string caption = "(" + source->Text + ")";
    int image = kImageDirectoryLink;
    const bool directory = IsDirectoryLink(source);
    if (!directory)
        image = store.AppendItemIcon(store.GetItemPath(from));
    const int32_t id = store.NextItemId++;
    store.Attributes.AppendPath(path, kind);
    if (!directory && (IsExecutableFile(path) || IsRunnableFile(path))) {
        store.Attributes.AddParams(id, store.Attributes.Params(from));
        store.Attributes.AddWorkDir(id, store.Attributes.WorkDir(from));
        store.Attributes.AddWindowState(id, store.Attributes.WindowState(from));
        store.Attributes.AddRunAs(id, store.Attributes.RunAs(from));
    }
    return InsertAfter(store.tvItems, target, MakeNode(caption, image, id));
}

bool MoveItemUp(ItemStore& store, TreeNode* node) {
    if (!CanMoveUp(node))
        return false;
    TreeNode* prev = node->PrevSibling();
    return store.tvItems.Move(node, node->Parent, prev->Index());
}

bool MoveItemDown(ItemStore& store, TreeNode* node) {
    if (!CanMoveDown(node))
        return false;
    // The next sibling moves up in front of node.
    TreeNode* next = node->NextSibling();
    return store.tvItems.Move(next, node->Parent, node->Index());
}

int CleanItems(ItemStore& store, TreeNode* selected) {
    if (!selected)
        return -1;
    std::vector<std::unique_ptr<TreeNode>>* level =
        IsFolder(selected) ? &selected->Children : selected->Siblings();
    DeadLinkProbe probe;
    const int removed = level ? CleanLevel(store, *level, probe) : 0;
    store.ResetSelection();
    return removed;
}

TreeNode* RestoreSavedCopy(ItemStore& store) {
    store.UndoChanges();
    return store.ResetSelection();
}

TreeNode* AttachSeparator(ItemStore& store, TreeNode* anchor) {
    if (!CanBeTarget(anchor))
        return nullptr;
    return InsertAfter(store.tvItems, anchor, MakeNode(kSeparatorText, kImageNormalSeparator));
}

std::string RandomFolderName() {
    static constexpr char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kChars) - 2);
    std::string name(8, ' ');
    for (char& c : name)
        c = kChars[pick(generator)];
    return name;
}

TreeNode* AttachMenuFolder(ItemStore& store, TreeNode* anchor, const FolderNameSource& names) {
    if (!CanBeTarget(anchor))
        return nullptr;
    std::string name = names();
    // A name source that keeps answering a taken name gets a bounded number of tries; the
    // random one practically never needs a second.
    for (int tries = 0; FolderNameTaken(anchor, name, true) && tries < 1000; ++tries)
        name = names();
    if (FolderNameTaken(anchor, name, true))
        return nullptr;
    TreeNode* folder = InsertAfter(store.tvItems, anchor, MakeNode(name, kImageFolder));
    store.tvItems.Add(folder, MakeNode("", kImageTopMarker));
    return folder;
}

} // namespace pw::items
