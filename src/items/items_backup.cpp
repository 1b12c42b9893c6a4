#include "items/items_backup.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "util/folders.h"
#include "util/paths.h"

namespace pw::items {

namespace fs = std::filesystem;

namespace {

// Copies the tree below source into target (which exists), links kept as links.
bool LinkOrCopyTree(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    fs::directory_iterator it(source, ec), end;
    if (ec)
        return false;
    bool ok = true;
    for (; it != end; it.increment(ec)) {
        if (ec)
            return false;
        const fs::path from = it->path();
        const fs::path to = target / from.filename();
        // The listing knows each entry's own type: no status call per file.
        const bool isLink = it->is_symlink(ec);
        if (ec) {
            ok = false;
            continue;
        }
        if (isLink) {
            fs::copy_symlink(from, to, ec);
            ok = ok && !ec;
        } else if (it->is_directory(ec)) {
            fs::create_directory(to, ec);
            ok = !ec && LinkOrCopyTree(from, to) && ok;
        } else if (it->is_regular_file(ec)) {
            fs::create_hard_link(from, to, ec);
            if (ec) {
                ec.clear();
                fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
            }
            ok = ok && !ec;
        }
    }
    return ok;
}

// Every file below backup exists below root with the same size.
bool SameFiles(const std::string& backup, const std::string& root) {
    for (const std::string& path : ListFolderTree(backup)) {
        if (path.empty() || path.back() == '/')
            continue;
        const std::string copy = root + path.substr(backup.size());
        std::error_code e1, e2;
        auto a = fs::file_size(path, e1);
        auto b = fs::file_size(copy, e2);
        if (e1 || e2 || a != b)
            return false;
    }
    return true;
}

// The backup is built under a name of its own and renamed into place when complete, and
// renamed away before it is deleted: "item_bak" is either complete or absent.
std::string Beside(const std::string& tempFolder, const char* suffix) {
    return tempFolder + kBackupFolderName + suffix;
}

bool RenameFolder(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(fs::path(from), fs::path(to), ec);
    return !ec;
}

// Removes what an earlier save left when it was cut short while building or removing a backup.
bool RemoveLeftovers(const std::string& tempFolder) {
    bool ok = true;
    for (const char* suffix : {".new", ".old"}) {
        const std::string path = Beside(tempFolder, suffix);
        if (PathExists(path))
            ok = DeletePathPermanently(path) && ok;
    }
    return ok;
}
} // namespace

RecoverResult RecoverItemsBackup(const std::string& itemsRoot, const std::string& tempFolder,
                                 BackupQuestion& question) {
    if (!DirectoryExists(itemsRoot) && !ForceDirectories(itemsRoot))
        throw std::runtime_error("Cannot create the items folder " + itemsRoot);
    const std::string backup = tempFolder + kBackupFolderName + "/";
    if (!DirectoryExists(backup))
        return RecoverResult::NoBackup;
    switch (question.AskRestoreBackup(backup)) {
    case BackupAnswer::Yes:
        // Where both lie on one file system the backup takes the root's place by a rename; the
        // half-written root goes to the trash first. Until the rename the backup is complete,
        // so a restore cut short is offered again at the next start.
        if (!IsSymbolicLink(ExcludeTrailingSeparator(itemsRoot)) && DeleteToRecycleBin(itemsRoot) &&
            RenameFolder(ExcludeTrailingSeparator(backup), ExcludeTrailingSeparator(itemsRoot)))
            return RecoverResult::Restored;
        if (!DirectoryExists(itemsRoot) && !ForceDirectories(itemsRoot))
            return RecoverResult::RestoreFailed;
        EmptyFolder(itemsRoot);
        CopyFolderTree(backup, itemsRoot, 2);
        // The backup goes only when everything in it arrived.
        if (!SameFiles(backup, itemsRoot))
            return RecoverResult::RestoreFailed;
        DeleteFolder(backup);
        return RecoverResult::Restored;
    case BackupAnswer::No:
        DeleteFolder(backup);
        return RecoverResult::Deleted;
    case BackupAnswer::Cancel:
        break;
    }
    return RecoverResult::Kept;
}

bool MakeItemsBackup(const std::string& itemsRoot, const std::string& tempFolder) {
    const std::string backup = Beside(tempFolder, "");
    const std::string fresh = Beside(tempFolder, ".new");
    if (!RemoveLeftovers(tempFolder) || !ForceDirectories(fresh + "/"))
        return false;
    if (DirectoryExists(itemsRoot) && !LinkOrCopyTree(fs::path(itemsRoot), fs::path(fresh))) {
        DeletePathPermanently(fresh);
        return false;
    }
    // An older backup goes first: a folder cannot be renamed over a full one.
    if (PathExists(backup) && !(RenameFolder(backup, Beside(tempFolder, ".old")) &&
                                DeletePathPermanently(Beside(tempFolder, ".old"))))
        return false;
    return RenameFolder(fresh, backup);
}

bool RemoveItemsBackup(const std::string& tempFolder) {
    const std::string backup = Beside(tempFolder, "");
    if (PathExists(backup) && !RenameFolder(backup, Beside(tempFolder, ".old")))
        return DeleteFolder(backup + "/");
    return RemoveLeftovers(tempFolder);
}

} // namespace pw::items
