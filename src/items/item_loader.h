#pragma once
// The reader of the items root: collects the file types of the Unknown links, then builds the
// items of every level through ItemStore::CreateItem, recursing into folder directories.
//
// A folder record is followed only when its name is a usable directory name (no separators, not
// "." or ".."), its directory exists, has not been entered before (a symbolic link back to an
// ancestor), and lies less than kMaxFolderDepth levels deep. The collecting pass reads every
// shortcut file and decides which folder records are followed; the building pass takes its
// texts and decisions in the same order, so both see the same tree even when the disk changes
// in between. The cache files the building pass asks for are looked up meanwhile, in turn.

#include <set>
#include <string>
#include <vector>

#include "items/cache_file_sizes.h"
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
    // Creates the items of the collected tree under parentMenu and parentNode (nullptr: the
    // root level); directory is the one CollectUnknownTypes was given.
    void LoadFolder(const std::string& directory, MenuItem* parentMenu, TreeNode* parentNode);

private:
    void Collect(const std::string& directory, const FolderLookup& folder, int depth);
    void Load(const std::string& directory, MenuItem* parentMenu, TreeNode* parentNode);
    void LoadLine(const std::string& directory, std::string_view line, MenuItem* parentMenu,
                  TreeNode* parentNode);

    ItemStore& store_;
    int links_ = 0;
    int programs_ = 0;
    // The shortcut texts of the folders entered, parents before children, and for every folder
    // record met on the way whether it is followed; the building pass takes them in turn.
    std::vector<std::string> texts_;
    std::vector<bool> followed_;
    size_t nextText_ = 0;
    size_t nextFolder_ = 0;
    std::set<std::string> visited_;
    CacheFileSizes cacheFiles_;
};

} // namespace pw::items
