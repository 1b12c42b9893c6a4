#pragma once
// The icon cache files of an Executable link, written by the save beside the shortcut file:
// stem + ".bmp" (the menu picture on the menu colour) and stem + ".wc.bmp" (the tree picture on
// the tree colour), or stem + n + ... when stem + ".bmp" exists already, n counting from 1.

#include <set>
#include <string>

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
IconFileNames ChooseIconFileNames(const std::set<std::string>& existing, const std::string& stem);

// Chooses the names for node (whose link path is given) and, with withIconFiles, adds them to
// keep and writes the pictures of node's ImageIndex unless a file of that name exists. existing
// holds the names in directory (listed once per level) and takes the names written. Answers
// the ".bmp" name; failed is set when a picture could not be written.
std::string WriteIconFiles(const TreeNode& node, const std::string& path,
                           const std::string& directory, std::set<std::string>& existing,
                           std::set<std::string>& keep, bool withIconFiles,
                           const ItemImages& images, bool& failed);
// The names of the entries of directory; empty when it cannot be listed.
std::set<std::string> ListEntryNames(const std::string& directory);

} // namespace pw::items
