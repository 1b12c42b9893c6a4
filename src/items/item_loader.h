#pragma once
// The reader of the items root: collects the file types of the Unknown links, then builds the
// items of every level through ItemStore::CreateItem, recursing into folder directories.
//
// A folder record is followed only when its name is a usable directory name (no separators, not
// "." or ".."), its directory exists, has not been entered before in this pass (a symbolic link
// back to an ancestor), and lies less than kMaxFolderDepth levels deep.

#include <map>
#include <set>
#include <string>

#include "items/folder_lookup.h"
#include "items/item_store.h"

namespace pw::items {

inline constexpr int kMaxFolderDepth = 64;

class ItemLoader {
public:
    explicit ItemLoader(ItemStore& store) : store_(store) {}

    // Appends the type field of every "^UnkLnk" record below directory to the type list, each
    // type once, in the order met.
    void CollectUnknownTypes(const std::string& directory);
    // The link records the collecting pass met (a folder entered twice counts once).
    int LinksCollected() const { return links_; }
    int ProgramsCollected() const { return programs_; }
    // Creates the items of directory's shortcut file under parentMenu and parentNode (nullptr:
    // the root level).
    void LoadFolder(const std::string& directory, MenuItem* parentMenu, TreeNode* parentNode);

private:
    void Collect(const std::string& directory, int depth);
    void Load(const std::string& directory, MenuItem* parentMenu, TreeNode* parentNode, int depth);
    // The shortcut text of directory, from the collecting pass when it read it already.
    std::string TakeText(const std::string& directory);
    // The folder directory D + name + "/" when the record may be followed; "" otherwise.
    std::string FolderDirectory(const std::string& directory, const FolderLookup& folder,
                                std::string_view name, int depth,
                                std::set<std::string>& visited) const;
    void LoadLine(const std::string& directory, const FolderLookup& folder, std::string_view line,
                  MenuItem* parentMenu, TreeNode* parentNode, int depth);

    ItemStore& store_;
    int links_ = 0;
    int programs_ = 0;
    std::map<std::string, std::string> texts_;
    std::set<std::string> collected_;
    std::set<std::string> loaded_;
};

} // namespace pw::items
