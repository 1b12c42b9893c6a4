#include "items/folder_lookup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/text_files.h"

namespace pw::items {

namespace {
std::string KeyOf(const struct stat& st) {
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}
} // namespace

FolderLookup::~FolderLookup() {
    if (fd_ >= 0)
        ::close(fd_);
}

FolderLookup::FolderLookup(const FolderLookup& parent, std::string_view name)
    : directory_(parent.directory_ + std::string(name) + "/"), parent_(&parent), name_(name) {}

int FolderLookup::ParentFd() const {
    return fd_ == -2 && parent_ && parent_->Open() ? parent_->fd_ : -1;
}

bool FolderLookup::Open() const {
    if (fd_ == -2) {
        const int parent = ParentFd();
        fd_ = parent >= 0 ? ::openat(parent, name_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)
                          : ::open(directory_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    return fd_ >= 0;
}

bool FolderLookup::Stat(std::string_view name, struct stat& st) const {
    const std::string file(name);
    if (Open())
        return ::fstatat(fd_, file.c_str(), &st, 0) == 0;
    return ::stat((directory_ + file).c_str(), &st) == 0;
}

std::string FolderLookup::Key() const {
    struct stat st;
    bool found = false;
    if (const int parent = ParentFd(); parent >= 0)
        found = ::fstatat(parent, name_.c_str(), &st, 0) == 0;
    else if (Open())
        found = ::fstat(fd_, &st) == 0;
    else
        found = ::stat(directory_.c_str(), &st) == 0;
    return found && S_ISDIR(st.st_mode) ? KeyOf(st) : std::string();
}

std::string FolderLookup::ReadFile(const std::string& name, bool& exists) const {
    // A folder without questions of its own is read through its parent, never opened.
    if (const int parent = ParentFd(); parent >= 0)
        return ReadFileBytesAt(parent, name_ + "/" + name, &exists);
    if (Open())
        return ReadFileBytesAt(fd_, name, &exists);
    return ReadFileBytesAt(AT_FDCWD, directory_ + name, &exists);
}

long long FolderLookup::FileSize(std::string_view name) const {
    struct stat st;
    return Stat(name, st) && S_ISREG(st.st_mode) ? static_cast<long long>(st.st_size) : -1;
}

} // namespace pw::items
