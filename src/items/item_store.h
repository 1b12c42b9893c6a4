#pragma once
// The item store: the three mirrors (tvItems, tvUndo, pmItems), the item attribute table, the
// image lists with the type list, and the item id counter; the state the main window owns.
// Folder paths are handed in; nothing here works out where the data lives.

#include <memory>
#include <string>
#include <vector>

#include "items/icon_source.h"
#include "items/item_attributes.h"
#include "items/item_log.h"
#include "items/item_node.h"
#include "items/menu_model.h"
#include "items/type_icons.h"

namespace pw::items {

struct StorePaths {
    std::string itemsRoot;     // the items root "shortcuts/" in the data folder, ending with "/"
    std::string tempFolder;    // the data folder's "temp/", ending with "/"
    std::string programFolder; // the folder of the program, ending with "/"
};

// CreateItem's kinds.
enum class ItemKind {
    Folder = 0,
    NormalSeparator = 1,
    SpecialSeparator = 2,
    ExecutableLink = 3,
    UnknownLink = 4,
    NetLink = 5
};

enum class SaveChoice { Normal, RefreshImageCache };

struct SaveOutcome {
    bool Saved = false;    // everything was written
    bool Reloaded = false; // the mirrors were loaded again from the items root
    // After an error: the directories that could not be written completely, and whether the
    // items root was put back as it was before the save.
    std::vector<std::string> FailedFolders;
    bool DiskRestored = false;
};

inline constexpr const char* kSeparatorText = "---------------";
inline constexpr const char* kAnchorCaption = "Hiding";

class ItemStore {
public:
    ItemStore(StorePaths paths, IconSource& icons);
    ~ItemStore();
    ItemStore(const ItemStore&) = delete;
    ItemStore& operator=(const ItemStore&) = delete;

    ItemTree tvItems;
    MenuItem pmItems; // the popup's root item
    ItemAttributes Attributes;
    ItemImages Images;
    int32_t NextItemId = 0;

    // Whether a save flushes the file system before it removes its backup (off only where
    // durability does not matter, as in the fuzz target).
    bool SyncAfterSave = true;

    // The cut or copied item of the manager window (nullptr: none).
    TreeNode* PasteSource = nullptr;
    bool PasteSourceCut = false;

    const StorePaths& Paths() const { return paths_; }
    void SetLogger(ItemLogger logger);
    // The built-in menu copied into pmItems at every load (pmBasic). Change its captions and its
    // language submenu before a load; the popup shows them from the next load on.
    MenuItem& BasicMenu() { return *basic_; }

    // Rebuilds all three mirrors from the items root. With UndoCopy::Deferred the saved copy
    // tvUndo is made when it is first asked for, or by KeepUndoCopy, which such a caller calls
    // before anything changes tvItems: a start shows the popup's tray icon without copying the
    // tree for a manager window that may never open.
    enum class UndoCopy { Now, Deferred };
    void LoadItems(UndoCopy undo = UndoCopy::Now);
    // The saved copy of tvItems that Undo restores: the tree as loaded or as last saved.
    const ItemTree& tvUndo() const;
    void KeepUndoCopy() const;
    // Creates one item in tvItems and under parentMenu (kinds: see ItemKind); parentNode nullptr
    // means the root level. Returns the new tree node.
    TreeNode* CreateItem(ItemKind kind, std::string path, TreeNode* parentNode,
                         MenuItem* parentMenu, int imageIndex, bool runAs, std::string windowState,
                         std::string caption, std::string workDir, std::string params);

    // The stored path with a relative path resolved against the program folder.
    std::string GetItemPath(int32_t id) const;
    std::string GetItemParams(int32_t id) const { return Attributes.Params(id); }
    std::string GetItemWorkDir(int32_t id) const { return Attributes.WorkDir(id); }
    std::string GetItemWindowState(int32_t id) const { return Attributes.WindowState(id); }
    bool GetItemRunAs(int32_t id) const { return Attributes.RunAs(id); }
    void SetItemPath(int32_t id, const std::string& v) { Attributes.SetPath(id, v); }
    void SetItemParams(int32_t id, const std::string& v) { Attributes.SetParams(id, v); }
    void SetItemWorkDir(int32_t id, const std::string& v) { Attributes.SetWorkDir(id, v); }
    void SetItemWindowState(int32_t id, const std::string& v) { Attributes.SetWindowState(id, v); }
    void SetItemRunAs(int32_t id, bool v) { Attributes.SetRunAs(id, v); }
    // A link node's stored path ("" for other nodes), and the file classes applied to it.
    std::string NodePath(const TreeNode* node) const;
    bool IsWebLink(const TreeNode* node) const;
    bool IsExecutableFile(const TreeNode* node) const;
    bool IsRunnableFile(const TreeNode* node) const;
    bool IsInternetShortcutFile(const TreeNode* node) const;

    bool HasUnsavedChanges() const;
    // The model part of ResetSelection: clears the paste source; answers the root top marker,
    // which the window selects.
    TreeNode* ResetSelection();
    TreeNode* RootTopMarker() const { return tvItems.FirstRoot(); }

    // Appends the icon of path to both lists as an editing command does; answers its index.
    int AppendItemIcon(const std::string& path);
    // The same with the icon an application entry names (Icon=), else the icon of path.
    int AppendNamedItemIcon(const std::string& iconName, const std::string& path);
    // The model part of Undo: tvItems becomes a copy of tvUndo, and the pictures appended since
    // the load are removed. The attribute table stays as it is.
    void UndoChanges();

    // Writes the whole tree to the items root (see item_saver.h). False when a directory met
    // an error; such a directory keeps its old files.
    bool SaveItems(bool withIconFiles);
    // The save command. "Save": SaveItems with icon files; then LoadItems rebuilds every mirror
    // (tvUndo among them) from what was written, and ResetSelection. "Save and
    // refresh image cache" saves without icon files first (so the clean-up removes every cached
    // icon), and after the load a second time with icon files, caching the icons extracted
    // afresh.
    // A save that meets an error is not followed by the load: the items root is put back as it
    // was before the save (from the save's backup) and tvItems stays as edited.
    SaveOutcome Save(SaveChoice choice = SaveChoice::Normal);
    SaveOutcome SaveAndRefreshImageCache() { return Save(SaveChoice::RefreshImageCache); }

    // Called by LoadFolder for the root level: the node before which root items go.
    TreeNode* LoadAnchor() const { return loadAnchor_; }
    void Log(const std::string& message, const std::string& id) const;

private:
    StorePaths paths_;
    ItemLogger logger_;
    std::unique_ptr<MenuItem> basic_;
    TreeNode* loadAnchor_ = nullptr;
    mutable ItemTree tvUndo_;
    mutable bool undoPending_ = false;
};

} // namespace pw::items
