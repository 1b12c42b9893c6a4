#pragma once
// The writer of the items root: one shortcut file per folder directory, the icon cache files of
// Executable links, and the removal of whatever a directory holds that the saved tree does not
// account for.
//
// Safety rules: a folder whose name is no usable directory name is not written (its level keeps
// its old files); a directory whose real path lies outside the items root is never cleaned; the
// clean-up removes a symbolic link itself, never what it points at; a folder renamed only in
// letter case takes its old directory along.

#include <set>
#include <string>
#include <vector>

#include "items/icon_files.h"
#include "items/item_store.h"

namespace pw::items {

class ItemSaver {
public:
    explicit ItemSaver(ItemStore& store);

    // Saves the whole tree into the items root. A file that already holds what the save would
    // write is left as it is; before the first thing on disk changes, MakeItemsBackup takes the
    // backup, which RemoveItemsBackup removes once everything is written and synced. Answers
    // false when some directory met an error (its old files were kept).
    bool SaveItems(bool withIconFiles);
    // With this set, a save that met an error leaves its complete backup in place for the
    // caller to restore (BackupKept tells whether it did).
    bool KeepBackupOnFailure = false;
    bool BackupKept = false;
    // With this set, a save without icon files keeps the cache files the links were loaded
    // from, untouched and named in the records, instead of dropping them all.
    bool KeepIconFiles = false;
    // Whether the save changed anything on disk.
    bool Changed() const { return backup_ != Backup::NotNeeded; }
    // The directories whose save met an error, in the order met.
    const std::vector<std::string>& FailedFolders() const { return failedFolders_; }
    // Writes the level that holds topMarker (its siblings) into directory (ending with "/"),
    // its folders recursively; then the clean-up. False when the level met an error.
    bool SaveFolder(const TreeNode* topMarker, const std::string& directory, bool withIconFiles);

private:
    struct Level;
    bool SaveLevel(const std::vector<std::unique_ptr<TreeNode>>& level,
                   const std::string& directory);
    // Appends node's record to the level's buffer (folders: also writes their directories).
    void WriteRecord(const TreeNode& node, Level& level);
    // Makes directory + name + "/" exist, renaming a sibling directory whose name differs only
    // in letter case when the level has no folder of that name.
    bool PrepareFolderDirectory(const TreeNode& folder, Level& level);
    bool Cleanup(const Level& level);
    bool InsideItemsRoot(const std::string& directory) const;
    IconFileMode IconMode(bool withIconFiles) const;
    // Called before anything on disk changes: the first call takes the backup.
    void BeforeChange();

    ItemStore& store_;
    IconFileMode iconMode_ = IconFileMode::Write;
    std::string rootReal_;
    bool anyFailure_ = false;
    enum class Backup { NotNeeded, Made, Missing };
    Backup backup_ = Backup::NotNeeded;
    // While SaveItems walks down from the items root, a directory is inside it unless the walk
    // went through a symbolic link; only then does the clean-up need the real path.
    bool walkFromRoot_ = false;
    int linksOnTheWay_ = 0;
    std::vector<std::string> failedFolders_;
};

} // namespace pw::items
