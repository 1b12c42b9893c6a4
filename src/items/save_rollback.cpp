#include "items/save_rollback.h"

#include <filesystem>

#include "items/items_backup.h"
#include "util/folders.h"
#include "util/paths.h"

namespace pw::items {

namespace fs = std::filesystem;

namespace {

// Swaps the folders by renaming: root goes aside, the backup takes its place, the aside goes.
bool SwapByRename(const std::string& root, const std::string& backup, const std::string& aside) {
    std::error_code ec;
    if (PathExists(aside) && !DeletePathPermanently(aside))
        return false;
    fs::rename(root, aside, ec);
    if (ec)
        return false;
    fs::rename(backup, root, ec);
    if (ec) {
        std::error_code back;
        fs::rename(aside, root, back);
        return false;
    }
    DeletePathPermanently(aside);
    return true;
}

// Empties the items root and copies the backup into it.
bool CopyBack(const std::string& rootFolder, const std::string& backupFolder) {
    std::error_code ec;
    for (fs::directory_iterator it(rootFolder, ec), end; !ec && it != end; it.increment(ec))
        if (!DeletePathPermanently(it->path().string()))
            return false;
    if (ec)
        return false;
    CopyFolderTree(backupFolder, rootFolder, 2);
    for (const std::string& path : ListFolderTree(backupFolder)) {
        const std::string copy = rootFolder + path.substr(backupFolder.size());
        if (!PathExists(ExcludeTrailingSeparator(copy)))
            return false;
    }
    DeletePathPermanently(ExcludeTrailingSeparator(backupFolder));
    return true;
}

} // namespace

bool RestoreItemsFromBackup(const std::string& itemsRoot, const std::string& tempFolder) {
    const std::string backupFolder = tempFolder + kBackupFolderName + "/";
    if (!DirectoryExists(backupFolder))
        return false;
    const std::string root = ExcludeTrailingSeparator(itemsRoot);
    const std::string backup = ExcludeTrailingSeparator(backupFolder);
    // An items root that is a symbolic link stays one: its contents are replaced instead.
    if (!IsSymbolicLink(root) && SwapByRename(root, backup, tempFolder + "item_failed"))
        return true;
    return CopyBack(IncludeTrailingSeparator(root), backupFolder);
}

} // namespace pw::items
