#include "items/item_loader.h"

#include <optional>

#include "items/item_rules.h"
#include "items/shortcut_format.h"
#include "util/paths.h"

namespace pw::items {

namespace {

// An icon field usable as a file name in the folder's own directory.
bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == name.npos &&
           name.find('\\') == name.npos;
}

// The icon field of an Executable record as the building pass reads it: the fourth field of a
// record of five fields or more; "" otherwise.
std::string_view IconField(const RecordFields& fields) {
    return fields.size() >= 5 ? fields[3] : std::string_view();
}

std::string Field(const RecordFields& fields, size_t index) {
    return std::string(fields[index]);
}

} // namespace

void ItemLoader::CollectUnknownTypes(const std::string& directory) {
    texts_.clear();
    followed_.clear();
    visited_.clear();
    nextText_ = nextFolder_ = 0;
    links_ = programs_ = 0;
    const FolderLookup root(directory);
    visited_.insert(root.Key());
    Collect(directory, root, 0);
    cacheFiles_.Finish();
}

void ItemLoader::LoadFolder(const std::string& directory, MenuItem* parentMenu,
                            TreeNode* parentNode) {
    Load(directory, parentMenu, parentNode);
    texts_.clear();
    followed_.clear();
}

void ItemLoader::Collect(const std::string& directory, const FolderLookup& folder, int depth) {
    // The slot is taken before the subfolders take theirs; the text goes in when its lines
    // have been read (the vector may move its strings as it grows).
    const size_t slot = texts_.size();
    texts_.emplace_back();
    std::string text = ReadShortcutText(folder);
    StringArray& types = store_.Images.TypeList;
    std::vector<std::string> cacheFiles;
    for (std::string_view line : SplitRecordLines(text)) {
        const size_t bar = line.find('|');
        const std::string_view tag = line.substr(0, bar);
        const size_t second = bar == line.npos ? line.npos : line.find('|', bar + 1);
        if (tag == kTagFolder) {
            // The name is the record's second field, as the building pass reads it.
            const std::string_view name =
                bar == line.npos ? std::string_view() : line.substr(bar + 1, second - bar - 1);
            bool follow = false;
            std::optional<FolderLookup> sub;
            if (IsUsableFolderName(name) && depth + 1 < kMaxFolderDepth) {
                sub.emplace(folder, name);
                std::string key = sub->Key();
                follow = !key.empty() && visited_.insert(std::move(key)).second;
            }
            followed_.push_back(follow);
            if (follow) {
                // The building pass asks for this folder's files so far before the subfolder's.
                cacheFiles_.Add(directory, std::move(cacheFiles));
                cacheFiles.clear();
                Collect(directory + std::string(name) + "/", *sub, depth + 1);
            }
        } else if (tag == kTagExecutableLink) {
            ++links_;
            ++programs_;
            // Named even when it turns out to be a type name: the building pass asks in turn.
            if (const std::string_view icon = IconField(RecordFields(line)); IsPlainFileName(icon))
                cacheFiles.emplace_back(icon);
        } else if (tag == kTagNetLink) {
            ++links_;
        } else if (tag == kTagUnknownLink) {
            ++links_;
            std::string type;
            if (second != line.npos) {
                size_t third = line.find('|', second + 1);
                if (third != line.npos)
                    type = std::string(line.substr(second + 1, third - second - 1));
            }
            if (ArrIndexOf(types, type) < 0)
                types.push_back(std::move(type));
        }
    }
    texts_[slot] = std::move(text);
    cacheFiles_.Add(directory, std::move(cacheFiles));
}

void ItemLoader::Load(const std::string& directory, MenuItem* parentMenu, TreeNode* parentNode) {
    if (nextText_ >= texts_.size())
        return;
    const std::string text = std::move(texts_[nextText_++]);
    for (std::string_view line : SplitRecordLines(text))
        LoadLine(directory, line, parentMenu, parentNode);
}

void ItemLoader::LoadLine(const std::string& directory, std::string_view line, MenuItem* parentMenu,
                          TreeNode* parentNode) {
    if (line.empty())
        return;
    const RecordFields f(line);
    const std::string_view tag = f[0];
    ItemImages& images = store_.Images;
    const std::string& programFolder = store_.Paths().programFolder;

    if (tag == kTagNormalSeparator) {
        store_.CreateItem(ItemKind::NormalSeparator, "", parentNode, parentMenu, -1, false, "", "",
                          "", "");
    } else if (tag == kTagSpecialSeparator) {
        store_.CreateItem(ItemKind::SpecialSeparator, "", parentNode, parentMenu, -1, false, "",
                          Field(f, 1), "", "");
    } else if (tag == kTagFolder) {
        if (nextFolder_ >= followed_.size() || !followed_[nextFolder_++])
            return;
        const std::string name = Field(f, 1);
        TreeNode* node = store_.CreateItem(ItemKind::Folder, "", parentNode, parentMenu, -1, false,
                                           "", name, "", "");
        MenuItem* menu = parentMenu ? parentMenu->Child(parentMenu->Tag - 1) : nullptr;
        Load(directory + name + "/", menu, node);
    } else if (tag == kTagExecutableLink) {
        std::string path, params, icon, caption, workDir;
        LinkFlags flags;
        if (f.size() >= 5) {
            path = Field(f, 1);
            params = Field(f, 2);
            icon = Field(f, 3);
            caption = Field(f, 4);
            workDir = Field(f, 5);
            flags = ParseFlags(f[6]);
        }
        int image = -1;
        // Every plain icon name was looked up for this record, in turn.
        const long long size = IsPlainFileName(icon) ? cacheFiles_.Next() : -1;
        const int typePos = icon.empty() ? -1 : ArrIndexOf(images.TypeList, icon);
        if (typePos >= 0)
            image = kFirstTypeIcon + typePos;
        else if (IsPlainFileName(icon)) {
            // An empty cache file is looked up again, so that the load says why it is unusable.
            image = images.LoadExecutableIcon(directory + icon, path,
                                              size > 0   ? ItemImages::CacheFile::Usable
                                              : size < 0 ? ItemImages::CacheFile::Missing
                                                         : ItemImages::CacheFile::Unknown);
        } else
            image = images.LoadExecutableIcon("", path);
        TreeNode* node =
            store_.CreateItem(ItemKind::ExecutableLink, std::move(path), parentNode, parentMenu,
                              image, flags.runAs, std::move(flags.windowState), std::move(caption),
                              std::move(workDir), std::move(params));
        if (typePos < 0 && IsPlainFileName(icon))
            store_.Attributes.SetLoadedIconFile(node->Data, std::move(icon));
    } else if (tag == kTagUnknownLink) {
        std::string path, type, caption;
        LinkFlags flags;
        if (f.size() >= 4) {
            path = Field(f, 1);
            type = Field(f, 2);
            caption = Field(f, 3);
            flags = ParseFlags(f[4]);
        }
        int image = images.TypeIconIndex(type);
        if (type.empty() && !path.empty() &&
            DirectoryExists(ResolveRelativePath(path, programFolder)))
            image = kImageDirectoryLink;
        store_.CreateItem(ItemKind::UnknownLink, std::move(path), parentNode, parentMenu, image,
                          false, std::move(flags.windowState), std::move(caption), "", "");
    } else if (tag == kTagNetLink) {
        std::string path, caption;
        LinkFlags flags;
        if (f.size() >= 3) {
            path = Field(f, 1);
            caption = Field(f, 2);
            flags = ParseFlags(f[3]);
        }
        store_.CreateItem(ItemKind::NetLink, std::move(path), parentNode, parentMenu,
                          images.TypeIconIndex("url"), false, std::move(flags.windowState),
                          std::move(caption), "", "");
    }
}

} // namespace pw::items
