#pragma once
// Whole files and folders: copies, backups, the trash, emptying and removing folders, listings.
// Nothing here throws; failures are reported by the result. Deleting never follows a symbolic
// link: a link is removed, its target is not.

#include <memory>
#include <string>
#include <vector>

#include "util/strings.h"

namespace pw {

// One entry of a folder snapshot: a folder's name ends with "/", a file's is the bare name.
struct FolderEntry {
    bool isFolder = false;
    std::string name;
    std::vector<FolderEntry> children; // folders only
};
using FolderSnapshot = std::vector<FolderEntry>;

// True on success, and when the source does not exist (nothing copied).
bool CopyFile(const std::string& source, const std::string& target);
// Copies "dir/name.ext" to "dir/name.~ext" (replacing an older backup); with deleteFile the
// original is removed afterwards. Nothing when the file does not exist.
void BackupFile(const std::string& path, bool deleteFile = false);
// The backup name BackupFile uses.
std::string BackupFileName(const std::string& path);
// Copies the files below source into target. mode 0: missing files only; mode 1: missing or
// older; mode 2: all. Never deletes anything.
void CopyFolderTree(const std::string& source, const std::string& target, int mode);
// Moves a file or folder (foldersToo) to the freedesktop trash; plain deletion where the trash
// cannot be used. True on success.
bool DeleteToRecycleBin(const std::string& path, bool foldersToo = true, bool silent = true);
// Deletes everything inside the folder. Refuses "", "/" and the home folder itself (false).
bool EmptyFolder(const std::string& folder);
// EmptyFolder, then the folder itself. Same refusals.
bool DeleteFolder(const std::string& folder);
// Full paths of everything below folder, recursively, hidden entries included; folder paths
// end with "/" and come before their contents. Never enters a folder twice.
StringArray ListFolderTree(const std::string& folder);
// Names of the immediate sub-folders, hidden (dot) folders excluded, in file-system order.
StringArray ListSubfolderNames(const std::string& folder);
// The folder's entries (all levels with recursive); nullopt-like empty pointer when missing.
std::unique_ptr<FolderSnapshot> TakeFolderSnapshot(const std::string& folder, bool recursive);
// Index of the first entry of level, from start onwards, whose name is not in names; -1 if none.
int FirstEntryNotIn(const StringArray& names, const FolderSnapshot& level, int start = 0);

// Removes a file, a symbolic link or a folder with everything in it, for good, never following a
// symbolic link. Refuses protected folders and "." / ".." names. True when the path is gone.
bool DeletePathPermanently(const std::string& path);
// True for "", "/", the home folder and every folder that contains it. The final component is
// not followed when it is a link (removing a link to the home folder is harmless).
bool IsProtectedFolder(const std::string& path);
// The freedesktop.org trash: $XDG_DATA_HOME/Trash/, else ~/.local/share/Trash/ ("" when
// neither is known).
std::string TrashFolder();
// Moves the file, link or folder into the trash (files/ and info/NAME.trashinfo, both created
// when missing). False, with nothing changed, when the trash cannot take it (another file
// system, no permission, a protected folder, a folder holding the trash itself).
bool MoveToTrash(const std::string& path);

} // namespace pw
