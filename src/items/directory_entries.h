#pragma once
// One listing of a directory, taken by the save before it writes the directory: the names with
// the kinds the listing itself reports, so that no entry needs a status call of its own.

#include <map>
#include <string>

namespace pw::items {

enum class EntryKind {
    File,            // a regular file, or anything else that is no directory
    Directory,       // a real directory
    LinkToDirectory, // a symbolic link whose target is a directory
    Link,            // any other symbolic link
};

// Sorted by name.
using DirectoryEntries = std::map<std::string, EntryKind>;

// The entries of directory (not recursing; hidden ones included); empty when it cannot be
// listed.
DirectoryEntries ListDirectoryEntries(const std::string& directory);

inline bool IsDirectoryKind(EntryKind kind) {
    return kind == EntryKind::Directory || kind == EntryKind::LinkToDirectory;
}
inline bool IsLinkKind(EntryKind kind) {
    return kind == EntryKind::Link || kind == EntryKind::LinkToDirectory;
}

} // namespace pw::items
