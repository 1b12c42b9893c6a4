#include "items/item_store.h"

#include "items/basic_menu.h"
#include "items/item_loader.h"
#include "items/item_rules.h"
#include "items/item_saver.h"
#include "items/save_rollback.h"
#include "util/paths.h"

namespace pw::items {

namespace {

MenuItem MakeMenuItem(std::string caption, int32_t image, int32_t tag) {
    MenuItem item;
    item.Caption = std::move(caption);
    item.ImageIndex = image;
    item.Tag = tag;
    return item;
}
} // namespace

ItemStore::ItemStore(StorePaths paths, IconSource& icons)
    : Images(icons, paths.tempFolder, paths.programFolder), paths_(std::move(paths)),
      basic_(BuildBasicMenu()) {
    pmItems.Name = "pmItems";
}

ItemStore::~ItemStore() = default;

void ItemStore::SetLogger(ItemLogger logger) {
    logger_ = logger;
    Images.Logger = std::move(logger);
}

void ItemStore::Log(const std::string& message, const std::string& id) const {
    if (logger_)
        logger_(kLogSender, message, id);
}

void ItemStore::LoadItems(UndoCopy undo) {
    Attributes.Clear();
    Images.TypeList.clear();
    NextItemId = 0;
    PasteSource = nullptr;
    PasteSourceCut = false;

    tvItems.Tag = 0;
    tvUndo_.Tag = 0;
    tvItems.Clear();
    tvUndo_.Clear();
    undoPending_ = false;
    pmItems.Clear();
    pmItems.Tag = 0;
    Images.ResetImageLists();

    CopyMenuTree(*basic_, pmItems);
    pmItems.Name = "pmItems";
    pmItems.Tag = basic_->Tag;

    loadAnchor_ = tvItems.Add(nullptr, MakeNode(kAnchorCaption, -1));
    tvItems.InsertBefore(loadAnchor_, MakeNode("", kImageTopMarker));

    if (DirectoryExists(paths_.itemsRoot)) {
        ItemLoader loader(*this);
        loader.CollectUnknownTypes(paths_.itemsRoot);
        Images.BuildTypeIcons();
        Attributes.Reserve(loader.LinksCollected(), loader.ProgramsCollected());
        Images.ilPublicPM.Reserve(Images.ilPublicPM.Count() + loader.ProgramsCollected());
        Images.ilPublicTV.Reserve(Images.ilPublicTV.Count() + loader.ProgramsCollected());
        loader.LoadFolder(paths_.itemsRoot, &pmItems, nullptr);
    }

    tvItems.Remove(loadAnchor_);
    loadAnchor_ = nullptr;
    undoPending_ = true;
    if (undo == UndoCopy::Now)
        KeepUndoCopy();
}

const ItemTree& ItemStore::tvUndo() const {
    KeepUndoCopy();
    return tvUndo_;
}

void ItemStore::KeepUndoCopy() const {
    if (!undoPending_)
        return;
    undoPending_ = false;
    tvUndo_.CopyFrom(tvItems);
    tvUndo_.Tag = tvItems.Tag;
}

TreeNode* ItemStore::CreateItem(ItemKind kind, std::string path, TreeNode* parentNode,
                                MenuItem* parentMenu, int imageIndex, bool runAs,
                                std::string windowState, std::string caption, std::string workDir,
                                std::string params) {
    TreeNode node;
    MenuItem menu;
    switch (kind) {
    case ItemKind::Folder:
        menu = MakeMenuItem(caption, kImageFolder, 1);
        menu.Add(MakeMenuItem(kAnchorCaption, -1, kTagHidden))->Visible = false;
        node = MakeNode(caption, kImageFolder);
        break;
    case ItemKind::NormalSeparator:
        menu = MakeMenuItem("-", -1, kTagSeparator);
        node = MakeNode(kSeparatorText, kImageNormalSeparator);
        break;
    case ItemKind::SpecialSeparator: {
        std::string text = StripDashes(caption);
        menu = MakeMenuItem(text, -1, kTagHeading);
        node = MakeNode("--" + text + "--", kImageSpecialSeparator);
        break;
    }
    case ItemKind::ExecutableLink:
    case ItemKind::UnknownLink:
    case ItemKind::NetLink: {
        if (kind != ItemKind::ExecutableLink && imageIndex == -100)
            imageIndex = kImageDirectoryLink;
        const int32_t id = NextItemId++;
        menu = MakeMenuItem(caption, imageIndex, id);
        menu.Action = MenuAction::StartItem;
        node = MakeNode(std::move(caption), imageIndex, id);
        Attributes.AppendPath(std::move(path), static_cast<LinkKind>(kind));
        if (kind == ItemKind::ExecutableLink) {
            Attributes.AddParams(id, std::move(params));
            Attributes.AddWorkDir(id, std::move(workDir));
            Attributes.AddWindowState(id, std::move(windowState));
            Attributes.AddRunAs(id, runAs);
        } else {
            Attributes.AddWindowState(id, std::move(windowState));
        }
        break;
    }
    }

    if (parentMenu) {
        parentMenu->Insert(parentMenu->Tag, std::move(menu));
        ++parentMenu->Tag;
    }
    TreeNode* created = nullptr;
    if (parentNode || !loadAnchor_) {
        created = tvItems.Add(parentNode, std::move(node));
    } else {
        // The anchor closes the root level during a load: no search for it on a long level.
        auto& roots = tvItems.RootNodes();
        created =
            roots.back().get() == loadAnchor_
                ? tvItems.InsertAt(nullptr, static_cast<int>(roots.size()) - 1, std::move(node))
                : tvItems.InsertBefore(loadAnchor_, std::move(node));
    }
    if (kind == ItemKind::Folder)
        tvItems.Add(created, MakeNode("", kImageTopMarker));
    return created;
}

std::string ItemStore::GetItemPath(int32_t id) const {
    return ResolveRelativePath(Attributes.Path(id), paths_.programFolder);
}

std::string ItemStore::NodePath(const TreeNode* node) const {
    return IsLink(node) ? Attributes.Path(node->Data) : std::string();
}

bool ItemStore::IsWebLink(const TreeNode* node) const {
    return IsLink(node) && IsWebAddress(NodePath(node));
}

bool ItemStore::IsExecutableFile(const TreeNode* node) const {
    return items::IsExecutableFile(NodePath(node));
}

bool ItemStore::IsRunnableFile(const TreeNode* node) const {
    return items::IsRunnableFile(NodePath(node));
}

bool ItemStore::IsInternetShortcutFile(const TreeNode* node) const {
    return items::IsInternetShortcutFile(NodePath(node));
}

bool ItemStore::HasUnsavedChanges() const {
    // While the saved copy is still to be made nothing has changed the tree.
    return !undoPending_ && TreesDiffer(tvItems, tvUndo_);
}

TreeNode* ItemStore::ResetSelection() {
    PasteSource = nullptr;
    PasteSourceCut = false;
    return RootTopMarker();
}

int ItemStore::AppendItemIcon(const std::string& path) {
    Images.AddShellIcon(path, -1, false, false);
    ++tvItems.Tag;
    return Images.ExtractEnd + tvItems.Tag;
}

int ItemStore::AppendNamedItemIcon(const std::string& iconName, const std::string& path) {
    Images.AppendNamedIcon(iconName, path);
    ++tvItems.Tag;
    return Images.ExtractEnd + tvItems.Tag;
}

void ItemStore::UndoChanges() {
    const ItemTree& saved = tvUndo();
    tvItems.CopyFrom(saved);
    tvItems.Tag = saved.Tag;
    const int keep = Images.ExtractEnd + saved.Tag + 1;
    Images.ilPublicPM.Truncate(keep);
    Images.ilPublicTV.Truncate(keep);
    PasteSource = nullptr;
    PasteSourceCut = false;
}

bool ItemStore::SaveItems(bool withIconFiles) {
    ItemSaver saver(*this);
    return saver.SaveItems(withIconFiles);
}

namespace {
// One SaveItems that keeps its backup when it fails, and puts it back.
bool SaveOrRestore(ItemStore& store, bool withIconFiles, SaveOutcome& out) {
    ItemSaver saver(store);
    saver.KeepBackupOnFailure = true;
    if (saver.SaveItems(withIconFiles))
        return true;
    out.FailedFolders = saver.FailedFolders();
    // A save that failed before it changed anything left the disk as it was.
    out.DiskRestored = !saver.Changed() ||
                       (saver.BackupKept &&
                        RestoreItemsFromBackup(store.Paths().itemsRoot, store.Paths().tempFolder));
    return false;
}
} // namespace

SaveOutcome ItemStore::Save(SaveChoice choice) {
    SaveOutcome out;
    if (!SaveOrRestore(*this, choice == SaveChoice::Normal, out))
        return out;
    // The load that follows makes the saved copy from what was written.
    LoadItems();
    ResetSelection();
    out.Reloaded = true;
    out.Saved = choice == SaveChoice::Normal || SaveOrRestore(*this, true, out);
    return out;
}

} // namespace pw::items
