#pragma once
// Reports over a loaded item tree: the tree as JSON or as indented text, and the links whose
// targets are gone (those the manager's Clean would remove).

#include <string>
#include <vector>

#include "items/item_store.h"
#include "items/link_from_file.h"

namespace pw::items {

// The name of a node's kind: "top", "folder", "separator", "heading", "exe", "unknown", "net".
std::string NodeKindName(const ItemStore& store, const TreeNode& node);
// A JSON array of the root level's nodes: "kind", "text", "image", "data", the attributes a link
// has entries for ("path", "params", "workdir", "window", "runas"), and a folder's "children".
std::string TreeToJson(const ItemStore& store);
// A JSON array with one object per plan, with the keys of TreeToJson for the link it would
// become ("kind", "text", "path" and the attributes it gets entries for) and "picture":
// "directory", "type:url", "icon:" + the entry's icon name, or "file:" + the path whose icon it
// takes. Refused plans are left out.
std::string LinkPlansToJson(const std::vector<LinkPlan>& plans);
// One node a line, two blanks of indent per level: kind, text, and for links id and path.
std::string TreeToText(const ItemStore& store);

struct DeadLink {
    std::string place; // the folder names down to the link, and its caption, joined by "/"
    std::string path;  // the stored path
};
// Every link of the whole tree whose resolved path is not empty, is no web address, and names
// nothing existing (a path ending with "/" must name a directory).
std::vector<DeadLink> FindDeadLinks(const ItemStore& store);

} // namespace pw::items
