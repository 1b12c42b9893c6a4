#pragma once
// New links in the tree: the store part of CreateLinkFromFile (the item id and the attribute
// entries), the picture of a new link, the insertion after an anchor, the anchor of a file drop,
// and menu folders named by their path of captions (pathwick-ctl add).

#include <string_view>
#include <vector>

#include "items/item_store.h"
#include "items/link_from_file.h"

namespace pw::items {

// Gives out the next item id for the plan's path and appends its attribute entries; answers
// the id (-1, with nothing changed, for a refused plan).
int32_t CreateLinkFromFile(ItemStore& store, const LinkPlan& plan);
// The picture of a new link: the directory picture, the type icon of "url", or a new item icon
// appended to both image lists (the entry's named icon, else the path's icon).
int NewLinkPicture(ItemStore& store, const LinkPlan& plan);
// The link of the plan, inserted directly after anchor; nullptr, with nothing changed, for a
// refused plan or no anchor.
TreeNode* AttachLink(ItemStore& store, TreeNode* anchor, const LinkPlan& plan);

// The node a dropped file goes after: the node under the drop point; over empty space, the top
// marker of the level that holds the selected node (the root top marker when nothing is
// selected or that level does not start with a top marker).
TreeNode* DropAnchor(const ItemStore& store, TreeNode* underPoint, const TreeNode* selected);

// Whether a drag may start at node: any node but a top marker.
bool CanDrag(const TreeNode* node);

// The menu folder that a path of captions names ("Tools/Net": folder "Net" inside folder
// "Tools" of the root level; blanks around a caption and the letter case of ASCII letters do
// not count, as for folder names). "" or "/" name the root level, answered as found with
// folder nullptr. False when a caption names no folder of its level.
bool FindMenuFolder(const ItemTree& tree, std::string_view captions, TreeNode*& folder);
// The last node of a level (folder nullptr: the root level): the anchor that puts new items at
// its end.
TreeNode* LastNodeOfLevel(const ItemTree& tree, const TreeNode* folder);

} // namespace pw::items
