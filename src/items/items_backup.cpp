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
    const std::string backup = tempFolder + kBackupFolderName + "/";
    if (DirectoryExists(backup) && !DeleteFolder(backup))
        return false;
    if (!ForceDirectories(backup))
        return false;
    if (!DirectoryExists(itemsRoot))
        return true;
    return LinkOrCopyTree(fs::path(itemsRoot), fs::path(backup));
}

bool RemoveItemsBackup(const std::string& tempFolder) {
    const std::string backup = tempFolder + kBackupFolderName + "/";
    return !DirectoryExists(backup) || DeleteFolder(backup);
}

} // namespace pw::items
