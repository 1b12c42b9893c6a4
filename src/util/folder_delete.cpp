// Emptying and removing folders. Removal works on open folder handles and never follows a
// symbolic link: a link is unlinked, whatever it points at stays.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "util/folders.h"
#include "util/paths.h"
#include "util/strings.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

// The path without trailing "/" ("/" stays "/").
std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The path made absolute and lexically normal, without trailing "/", the final component not
// followed; "" when that fails.
std::string NoFinalLinkForm(const std::string& path) {
    std::string stripped = WithoutTrailingSlashes(path);
    if (stripped.empty())
        return {};
    std::error_code ec;
    fs::path p(stripped);
    fs::path parent = p.parent_path();
    fs::path name = p.filename();
    if (name.empty() || name == "." || name == "..") {
        fs::path whole = fs::weakly_canonical(p, ec);
        return ec ? std::string() : WithoutTrailingSlashes(whole.string());
    }
    fs::path base = fs::weakly_canonical(parent.empty() ? fs::path(".") : parent, ec);
    if (ec)
        return {};
    return WithoutTrailingSlashes((base / name).string());
}

// True when outer is inner or one of its parents (both without trailing "/").
bool Contains(const std::string& outer, const std::string& inner) {
    if (outer.empty() || inner.empty())
        return false;
    if (outer == "/" || outer == inner)
        return true;
    return inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
           inner[outer.size()] == '/';
}

// The names in an open folder, without "." and "..". The handle stays open.
bool ReadNamesAt(int dirFd, StringArray& names) {
    int listFd = dup(dirFd);
    if (listFd < 0)
        return false;
    DIR* dir = fdopendir(listFd);
    if (!dir) {
        close(listFd);
        return false;
    }
    rewinddir(dir); // the duplicate shares the position of an earlier listing
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(std::move(name));
    }
    closedir(dir);
    return true;
}

bool RemoveEntryAt(int parentFd, const std::string& name);

// Removes everything inside an open folder, going on after errors; true when all went.
bool RemoveContentsAt(int dirFd) {
    StringArray names;
    if (!ReadNamesAt(dirFd, names))
        return false;
    bool ok = true;
    for (const std::string& name : names)
        ok = RemoveEntryAt(dirFd, name) && ok;
    return ok;
}

// Removes one entry of an open folder: a folder with its contents, anything else (links
// included) by unlinking it.
bool RemoveEntryAt(int parentFd, const std::string& name) {
    struct stat st;
    if (fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode))
        return unlinkat(parentFd, name.c_str(), 0) == 0 || errno == ENOENT;
    // O_NOFOLLOW: should the folder have been swapped for a link meanwhile, nothing is entered.
    int fd = openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        RemoveContentsAt(fd);
        close(fd);
    }
    return unlinkat(parentFd, name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT;
}

enum class FolderCheck { Refused, Missing, Ready };

// Checks a folder given to EmptyFolder or DeleteFolder: trimmed, an existing folder that is not
// itself a symbolic link, not protected. Gives its canonical path without trailing "/".
FolderCheck CheckFolder(const std::string& folder, std::string& canonical) {
    std::string path = WithoutTrailingSlashes(StrTrim(folder));
    if (path.empty() || path == "/" || IsProtectedFolder(path))
        return FolderCheck::Refused;
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return errno == ENOENT ? FolderCheck::Missing : FolderCheck::Refused;
    if (!S_ISDIR(st.st_mode))
        return FolderCheck::Refused; // a file, or a link that would lead elsewhere
    std::error_code ec;
    canonical = WithoutTrailingSlashes(fs::canonical(path, ec).string());
    if (ec || canonical.empty() || IsProtectedFolder(canonical))
        return FolderCheck::Refused;
    return FolderCheck::Ready;
}

// Empties a checked folder: every entry into the trash, or deleted where the trash cannot take
// it. True when the folder is empty afterwards.
bool EmptyCheckedFolder(const std::string& canonical) {
    int fd = open(canonical.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    StringArray names;
    bool ok = ReadNamesAt(fd, names);
    for (const std::string& name : names) {
        if (!MoveToTrash(canonical + "/" + name))
            RemoveEntryAt(fd, name);
    }
    StringArray left;
    ok = ReadNamesAt(fd, left) && ok && left.empty();
    close(fd);
    return ok;
}

} // namespace

bool IsProtectedFolder(const std::string& path) {
    std::string form = NoFinalLinkForm(path);
    if (form.empty() || form == "/")
        return true;
    std::string home = WithoutTrailingSlashes(HomeFolder());
    if (home.empty() || home == "/")
        return false; // "/" itself was refused above
    std::error_code ec;
    std::string homeCanonical = WithoutTrailingSlashes(fs::weakly_canonical(home, ec).string());
    return Contains(form, home) || Contains(form, NoFinalLinkForm(home)) ||
           (!ec && Contains(form, homeCanonical));
}

bool DeletePathPermanently(const std::string& path) {
    std::string stripped = WithoutTrailingSlashes(path);
    if (stripped.empty() || IsProtectedFolder(stripped))
        return false;
    fs::path p(stripped);
    std::string name = p.filename().string();
    if (name.empty() || name == "." || name == "..")
        return false;
    struct stat st;
    if (lstat(stripped.c_str(), &st) != 0)
        return errno == ENOENT;
    std::string parent = p.parent_path().string();
    if (parent.empty())
        parent = ".";
    int parentFd = open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0)
        return false;
    bool ok = RemoveEntryAt(parentFd, name);
    close(parentFd);
    return ok;
}

bool EmptyFolder(const std::string& folder) {
    std::string canonical;
    if (CheckFolder(folder, canonical) != FolderCheck::Ready)
        return false;
    return EmptyCheckedFolder(canonical);
}

bool DeleteFolder(const std::string& folder) {
    std::string canonical;
    switch (CheckFolder(folder, canonical)) {
    case FolderCheck::Refused:
        return false;
    case FolderCheck::Missing:
        return true; // nothing left to delete
    case FolderCheck::Ready:
        break;
    }
    EmptyCheckedFolder(canonical);
    return rmdir(canonical.c_str()) == 0 || errno == ENOENT;
}

} // namespace pw
