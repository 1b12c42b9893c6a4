#pragma once
// The icon cache files of an Executable link, written by the save beside the shortcut file:
// stem + ".bmp" (the menu picture on the menu colour) and stem + ".wc.bmp" (the tree picture on
// the tree colour), or stem + n + ... when stem + ".bmp" exists already, n counting from 1.
// A link whose pictures are unchanged keeps the files it was loaded from: they are compared,
// not written again.

#include <functional>
#include <set>
#include <string>

#include "items/directory_entries.h"
#include "items/item_node.h"
#include "items/type_icons.h"

namespace pw::items {

// The file name of path without its last extension (the whole name when it has no dot).
std::string IconStem(const std::string& path);

struct IconFileNames {
    std::string menu; // the ".bmp" name, the record's icon field
    std::string tree; // the same with ".wc.bmp"
};
// The names for stem among the names a directory holds: stem + ".bmp" when free, else stem + n +
// ".bmp" with the smallest free n from 1.
IconFileNames ChooseIconFileNames(const DirectoryEntries& existing, const std::string& stem);
// The tree picture's name beside a menu picture's name ("x.bmp" gives "x.wc.bmp").
std::string TreePictureName(const std::string& menuName);

// How a save treats the cache files.
enum class IconFileMode {
    Write, // the pictures of every link are in the cache afterwards
    Drop,  // names only: nothing is written or kept, so the clean-up removes every cache file
    Keep,  // a link keeps the cache file it was loaded from, untouched; nothing is written
};

// The directory being saved, as the cache files see it.
struct IconLevel {
    const std::string& directory; // ends with "/"
    DirectoryEntries& entries;    // what it holds; takes the names written
    std::set<std::string>& keep;  // the names the clean-up leaves
    bool& failed;                 // set when a picture could not be written
    std::function<void()> change; // runs before anything in the directory is written
};

// Chooses the cache file names of node (a link to path that was loaded with the cache file
// loadedName, "" for none) and treats its files as mode says. Answers the ".bmp" name, the
// record's icon field.
std::string WriteIconFiles(const TreeNode& node, const std::string& path,
                           const std::string& loadedName, IconLevel& level, IconFileMode mode,
                           const ItemImages& images);

} // namespace pw::items
