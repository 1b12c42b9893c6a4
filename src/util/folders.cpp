// Copies, backups, folder listings and snapshots.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <set>
#include <utility>

#include "util/folders.h"
#include "util/paths.h"
#include "util/text_files.h"

namespace pw {
namespace {

// One entry of a folder as read from the file system.
struct DirItem {
    std::string name;
    bool isFolder = false; // a folder, or a link to one
    dev_t device = 0;
    ino_t inode = 0;
};

// Folders already entered by a walk, so that a link loop is never followed twice.
using VisitedFolders = std::set<std::pair<dev_t, ino_t>>;

// The entries of folder (ending with "/") in enumeration order, without "." and "..".
std::vector<DirItem> ReadFolder(const std::string& folder) {
    std::vector<DirItem> items;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return items;
    const int fd = dirfd(dir);
    while (dirent* entry = readdir(dir)) {
        DirItem item;
        item.name = entry->d_name;
        if (item.name == "." || item.name == "..")
            continue;
        struct stat st;
        if (fstatat(fd, entry->d_name, &st, 0) == 0 ||
            fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            item.isFolder = S_ISDIR(st.st_mode);
            item.device = st.st_dev;
            item.inode = st.st_ino;
        }
        items.push_back(std::move(item));
    }
    closedir(dir);
    return items;
}

// Marks the folder as entered; false when it was entered before or cannot be examined.
bool EnterOnce(const std::string& folder, VisitedFolders& visited) {
    struct stat st;
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return visited.insert({st.st_dev, st.st_ino}).second;
}

void ListTreeInto(const std::string& folder, VisitedFolders& visited, StringArray& out) {
    for (const DirItem& item : ReadFolder(folder)) {
        if (!item.isFolder) {
            out.push_back(folder + item.name);
            continue;
        }
        std::string sub = folder + item.name + "/";
        out.push_back(sub);
        if (visited.insert({item.device, item.inode}).second)
            ListTreeInto(sub, visited, out);
    }
}

void SnapshotInto(const std::string& folder, bool recursive, VisitedFolders& visited,
                  FolderSnapshot& level) {
    for (const DirItem& item : ReadFolder(folder)) {
        FolderEntry entry;
        entry.isFolder = item.isFolder;
        entry.name = item.isFolder ? item.name + "/" : item.name;
        if (item.isFolder && recursive && visited.insert({item.device, item.inode}).second)
            SnapshotInto(folder + entry.name, true, visited, entry.children);
        level.push_back(std::move(entry));
    }
}

bool CopyBytes(int from, int to) {
    char buffer[65536];
    for (;;) {
        ssize_t n = read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        ssize_t done = 0;
        while (done < n) {
            ssize_t w = write(to, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return false;
            done += w;
        }
    }
}

// Copies a regular file through a temporary file in the target's folder that is renamed over
// the target, so the target is either the old file or the whole copy. The copy keeps the
// source's permissions and last-write time. A target that exists but is not writable stays
// untouched unless replaceReadOnly is set.
bool CopyRegularFile(const std::string& source, const std::string& target, bool replaceReadOnly) {
    if (target.empty() || target.back() == '/')
        return false;
    int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        struct stat st;
        return lstat(source.c_str(), &st) != 0 && errno == ENOENT; // missing: nothing to copy
    }
    struct stat st;
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(in);
        return false;
    }
    struct stat targetSt;
    if (lstat(target.c_str(), &targetSt) == 0) {
        if (S_ISDIR(targetSt.st_mode) ||
            (!replaceReadOnly && S_ISREG(targetSt.st_mode) && access(target.c_str(), W_OK) != 0)) {
            close(in);
            return false;
        }
    }
    std::string folder = ExtractFilePath(target);
    std::string temp = (folder.empty() ? std::string("./") : folder) + ".pathwick-copy-XXXXXX";
    int out = mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
        close(in);
        return false;
    }
    bool ok = CopyBytes(in, out);
    close(in);
    ok = ok && fchmod(out, st.st_mode & 07777 & ~(S_ISUID | S_ISGID)) == 0;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ok = ok && futimens(out, times) == 0;
    ok = ok && fsync(out) == 0;
    ok = close(out) == 0 && ok;
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        unlink(temp.c_str());
    return ok;
}

// Whether CopyFolderTree copies source over target in mode.
bool ShouldCopy(const std::string& source, const std::string& target, int mode) {
    if (!FileExists(target))
        return true;
    switch (mode) {
    case 1:
        return FileDateTime(source) > FileDateTime(target);
    case 2:
        return true;
    default: // mode 0 and anything unknown never overwrite
        return false;
    }
}

} // namespace

bool CopyFile(const std::string& source, const std::string& target) {
    return CopyRegularFile(source, target, false);
}

std::string BackupFileName(const std::string& path) {
    std::string name = ExtractFileName(path);
    return ExtractFilePath(path) + RemoveExtension(name) + ".~" +
           ExtensionWithoutDot(ExtractFileExt(name));
}

void BackupFile(const std::string& path, bool deleteFile) {
    if (!FileExists(path))
        return;
    // The older backup is replaced only by a complete copy, and the file itself is deleted only
    // once its backup exists.
    if (CopyRegularFile(path, BackupFileName(path), true) && deleteFile)
        unlink(path.c_str());
}

void CopyFolderTree(const std::string& source, const std::string& target, int mode) {
    if (source.empty() || target.empty())
        return;
    const std::string from = IncludeTrailingSeparator(source);
    const std::string to = IncludeTrailingSeparator(target);
    StringArray entries;
    if (DirectoryExists(from))
        entries = ListFolderTree(from);
    if (!DirectoryExists(to) && !ForceDirectories(to))
        return;
    for (const std::string& entry : entries) {
        const std::string copy = to + entry.substr(from.size());
        if (entry.back() == '/') {
            if (!DirectoryExists(copy))
                ForceDirectories(copy);
            continue;
        }
        const std::string copyFolder = ExtractFilePath(copy);
        if (!DirectoryExists(copyFolder))
            ForceDirectories(copyFolder);
        if (!FileExists(entry) || !IsValidFilePath(entry, false, true) ||
            !IsValidFilePath(copy, false, true))
            continue;
        if (ShouldCopy(entry, copy, mode))
            CopyFile(entry, copy);
    }
}

StringArray ListFolderTree(const std::string& folder) {
    StringArray out;
    if (folder.empty())
        return out;
    const std::string top = IncludeTrailingSeparator(folder);
    VisitedFolders visited;
    if (EnterOnce(top, visited))
        ListTreeInto(top, visited, out);
    return out;
}

StringArray ListSubfolderNames(const std::string& folder) {
    StringArray names;
    if (folder.empty())
        return names;
    for (const DirItem& item : ReadFolder(IncludeTrailingSeparator(folder))) {
        if (item.isFolder && item.name[0] != '.')
            names.push_back(item.name);
    }
    return names;
}

std::unique_ptr<FolderSnapshot> TakeFolderSnapshot(const std::string& folder, bool recursive) {
    if (folder.empty())
        return nullptr;
    const std::string top = IncludeTrailingSeparator(folder);
    VisitedFolders visited;
    if (!EnterOnce(top, visited))
        return nullptr;
    auto snapshot = std::make_unique<FolderSnapshot>();
    SnapshotInto(top, recursive, visited, *snapshot);
    return snapshot;
}

int FirstEntryNotIn(const StringArray& names, const FolderSnapshot& level, int start) {
    for (size_t i = start < 0 ? 0 : static_cast<size_t>(start); i < level.size(); ++i) {
        if (ArrIndexOf(names, level[i].name) < 0)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace pw
