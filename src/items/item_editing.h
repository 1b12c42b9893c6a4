#pragma once
// The editing commands of the manager window over the item store: delete, cut, copy, paste, move
// up and down, clean, undo, attaching a separator or a menu folder, and the enabled state of
// every command. The window calls these with its selected node and keeps no editing state of its
// own; the paste source and its cut mark live in the store.
//
// The commands change tvItems, the attribute table and the image lists only; the popup keeps the
// last load until the tree is saved.

#include <functional>
#include <string>

#include "items/item_store.h"

namespace pw::items {

// The placement rule: whether source may land directly after target. Anything that is not a
// folder may go after any node; a folder after a node of its own level always, elsewhere only
// when the target does not lie inside it and no node of the target's level has its name.
bool CanPlaceAfter(const TreeNode* source, const TreeNode* target);

// The enabled state of the window's buttons for the selected node (nullptr: none selected).
struct CommandStates {
    bool Cut = false;
    bool Copy = false;
    bool Paste = false;
    bool Delete = false;
    bool Attach = false;
    bool Launch = false;
    bool Set = false; // the path box's Set button
    bool MoveUp = false;
    bool MoveDown = false;
    bool Clean = true;
    bool Undo = true;
    bool Save = true;
    bool Help = true;
    bool Close = true;
    bool operator==(const CommandStates&) const = default;
};
CommandStates UpdateCommandStates(const ItemStore& store, const TreeNode* selected);

// The paste source the window draws with the cut mark (nullptr when there is none or it was
// copied).
inline const TreeNode* CutMarked(const ItemStore& store) {
    return store.PasteSourceCut ? store.PasteSource : nullptr;
}

// Inserts node directly after anchor, among anchor's siblings.
TreeNode* InsertAfter(ItemTree& tree, TreeNode* anchor, TreeNode node);
// Moves node (with everything inside it) to directly after target, among target's siblings.
// Nothing happens when target is node or lies inside it.
bool MoveAfter(ItemTree& tree, TreeNode* node, TreeNode* target);

// Delete: node and everything inside it leave the tree; the paste source goes when it was among
// them; the attribute entries stay. Answers the node to select next (the next sibling, else the
// previous one, else the parent); nullptr and no change when node may not be deleted.
TreeNode* DeleteItem(ItemStore& store, TreeNode* node);
// Cut and Copy: node becomes the paste source (with the cut mark for Cut). False, with nothing
// changed, when the kind of node does not allow it.
bool CutItem(ItemStore& store, TreeNode* node);
bool CopyItem(ItemStore& store, TreeNode* node);
// Paste after target. A cut source moves there and the paste source goes; a copied one is
// duplicated there ("(" + caption + ")" for links, with a new id) and stays the paste source.
// Answers the node to select: the moved or new node; nullptr when Paste is not possible.
TreeNode* PasteItem(ItemStore& store, TreeNode* target);
// Exchanges node with its previous (next) sibling; false when the kinds do not allow it.
bool MoveItemUp(ItemStore& store, TreeNode* node);
bool MoveItemDown(ItemStore& store, TreeNode* node);
// Clean: removes the links whose targets are gone from the level of selected (its children
// when it is a folder) and all folders below it; folders, separators and top markers stay.
// Then ResetSelection. Answers the number of links removed (-1 when nothing was selected).
int CleanItems(ItemStore& store, TreeNode* selected);
// Undo: tvItems becomes a copy of tvUndo, the pictures appended since the copy was made are
// removed from both image lists, the attribute table stays; then ResetSelection. Answers the
// node to select (the root top marker).
TreeNode* RestoreSavedCopy(ItemStore& store);

// Attach of a menu separator: a normal separator after anchor.
TreeNode* AttachSeparator(ItemStore& store, TreeNode* anchor);
// The 8-character names of new menu folders: letters and digits drawn at random, the generator
// seeded from the clock at its first use.
std::string RandomFolderName();
using FolderNameSource = std::function<std::string()>;
// Attach of a menu folder: a closed folder with a fresh name (drawn again while a node of the
// anchor's level has it) and its top marker, after anchor.
TreeNode* AttachMenuFolder(ItemStore& store, TreeNode* anchor,
                           const FolderNameSource& names = RandomFolderName);

} // namespace pw::items
