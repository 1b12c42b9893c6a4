#pragma once
// Looks the names of one folder of the items root up relative to the folder, which is opened once:
// a lookup then walks one name instead of the whole path. A folder that cannot be opened is
// answered by looking the whole paths up.

#include <string>
#include <string_view>
#include <sys/stat.h>
#include <utility>

namespace pw::items {

class FolderLookup {
public:
    // directory ends with "/"; it is opened at the first question.
    explicit FolderLookup(std::string directory) : directory_(std::move(directory)) {}
    // The subfolder name of parent, looked at through the parent (a link is followed), which
    // must outlive it; it is opened itself only for questions about its own names.
    FolderLookup(const FolderLookup& parent, std::string_view name);
    ~FolderLookup();
    FolderLookup(const FolderLookup&) = delete;
    FolderLookup& operator=(const FolderLookup&) = delete;

    // The size of the regular file name (through a link); -1 when there is none.
    long long FileSize(std::string_view name) const;
    // The identity of this folder (device and inode, through links); "" when it is no
    // directory.
    std::string Key() const;
    // The bytes of the file name (as ReadFileBytes reads them); exists: anything but a
    // directory is there under that name.
    std::string ReadFile(const std::string& name, bool& exists) const;

private:
    bool Open() const;
    bool Stat(std::string_view name, struct stat& st) const;

    // The parent's descriptor when this folder is not opened yet and the parent is.
    int ParentFd() const;

    std::string directory_;
    const FolderLookup* parent_ = nullptr;
    std::string name_;    // in the parent
    mutable int fd_ = -2; // -2: not opened yet, -1: cannot be opened
};

} // namespace pw::items
