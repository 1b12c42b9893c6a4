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
    : directory_(parent.directory_ + std::string(name) + "/") {
    if (parent.Open())
        fd_ = ::openat(parent.fd_, std::string(name).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

bool FolderLookup::Open() const {
    if (fd_ == -2)
        fd_ = ::open(directory_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
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
    const bool found = Open() ? ::fstat(fd_, &st) == 0 : ::stat(directory_.c_str(), &st) == 0;
    return found && S_ISDIR(st.st_mode) ? KeyOf(st) : std::string();
}

std::string FolderLookup::ReadFile(const std::string& name, bool& exists) const {
    if (Open())
        return ReadFileBytesAt(fd_, name, &exists);
    return ReadFileBytesAt(AT_FDCWD, directory_ + name, &exists);
}

long long FolderLookup::FileSize(std::string_view name) const {
    struct stat st;
    return Stat(name, st) && S_ISREG(st.st_mode) ? static_cast<long long>(st.st_size) : -1;
}

} // namespace pw::items
