#include "items/directory_entries.h"

#include <filesystem>

namespace pw::items {

DirectoryEntries ListDirectoryEntries(const std::string& directory) {
    DirectoryEntries entries;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code sec;
        // The type comes with the listing; only a link needs a look at its target.
        const bool link = it->is_symlink(sec);
        const bool directoryKind = it->is_directory(sec);
        const EntryKind kind = link ? (directoryKind ? EntryKind::LinkToDirectory : EntryKind::Link)
                                    : (directoryKind ? EntryKind::Directory : EntryKind::File);
        entries.emplace(it->path().filename().string(), kind);
    }
    return entries;
}

} // namespace pw::items
