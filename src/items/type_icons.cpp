#include "items/type_icons.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

#include "items/bitmap_file.h"
#include "items/builtin_pictures.h"
#include "items/item_rules.h"
#include "util/paths.h"
#include "util/text_files.h"

namespace pw::items {

namespace {
// The types whose icons every load provides, after the types of the Unknown links.
constexpr const char* kFixedTypes[] = {"exe", "com", "bat", "cmd", "wsf",
                                       "wsh", "rdp", "rbf", "url"};

Picture AsIcon(Picture pic) {
    if (pic.Width == kIconSize && pic.Height == kIconSize)
        return pic;
    return ScalePicture(pic, kIconSize, kIconSize);
}
} // namespace

ItemImages::ItemImages(IconSource& icons, std::string tempFolder, std::string programFolder)
    : icons_(icons), tempFolder_(std::move(tempFolder)), programFolder_(std::move(programFolder)) {
    SetBuiltinPictures(BuiltinMenuPictures(), BreakPictures());
    PrepareImageLists();
}

void ItemImages::SetBuiltinPictures(std::vector<Picture> builtin, std::vector<Picture> breaks) {
    builtin.resize(kBuiltinPictureCount, Picture(kIconSize, kIconSize));
    breaks.resize(kBreakPictureCount, Picture(kIconSize, kIconSize));
    designPM_.clear();
    for (auto& p : builtin)
        designPM_.push_back(AsIcon(std::move(p)));
    ilBreaksPM.Clear();
    for (auto& p : breaks) {
        Picture icon = AsIcon(std::move(p));
        designPM_.push_back(icon); // the design-time list ends with the three placeholders
        ilBreaksPM.Append(std::move(icon));
    }
    ilPublicPM.Clear();
    for (const Picture& p : designPM_)
        ilPublicPM.Append(p);
}

void ItemImages::PrepareImageLists(int treeHeight) {
    ilPublicTV = ImageList(kIconSize, treeHeight);
    ilBreaksTV = ImageList(kIconSize, treeHeight);
    for (int i = 0; i < ilPublicPM.Count(); ++i)
        ilPublicTV.Append(TreePicture(ilPublicPM.At(i), TreeColour, treeHeight));
    for (int i = 0; i < ilBreaksPM.Count(); ++i)
        ilBreaksTV.Append(TreePicture(ilBreaksPM.At(i), TreeColour, treeHeight));
}

void ItemImages::ResetImageLists() {
    ilPublicPM.Truncate(kBuiltinPictureCount);
    ilPublicTV.Truncate(kBuiltinPictureCount);
    for (int i = 0; i < kBreakPictureCount; ++i) {
        ilPublicPM.Append(ilBreaksPM.At(i));
        ilPublicTV.Append(ilBreaksTV.At(i));
    }
    TypeIconEnd = kFirstTypeIcon;
    ExtractBase = kFirstTypeIcon + 1;
    ExtractEnd = kFirstTypeIcon + 2;
    ilPublicPM.Tag = 0;
    cacheFolders_.clear();
    cached_.clear();
}

Picture ItemImages::ShellIconOrBlank(const std::string& path, bool& found) {
    std::optional<Picture> icon = icons_.SmallIcon(path);
    found = icon && !icon->Empty();
    if (!found)
        return FilledPicture(kIconSize, kIconSize, MenuColour);
    return AsIcon(std::move(*icon));
}

void ItemImages::BuildTypeIcons() {
    for (const char* type : kFixedTypes)
        if (ArrIndexOf(TypeList, type) < 0)
            TypeList.push_back(type);
    // The icon source is asked for a type when its picture is first shown (or saved): most
    // types of a large tree are never seen between a start and the next load.
    for (const std::string& type : TypeList) {
        auto icon = std::make_shared<LazyTypeIcon>();
        icon->Type = type;
        const Argb treeColour = TreeColour;
        const int height = ilPublicTV.Height();
        ilPublicTV.InsertLazy(TypeIconEnd, [this, icon, treeColour, height] {
            const Picture& menu = TypeIconPicture(*icon);
            return icon->Found ? TreePicture(menu, treeColour, height)
                               : FilledPicture(kIconSize, height, treeColour);
        });
        ilPublicPM.InsertLazy(TypeIconEnd, [this, icon] { return TypeIconPicture(*icon); });
        ++TypeIconEnd;
        ++ExtractBase;
        ++ExtractEnd;
    }
}

const Picture& ItemImages::TypeIconPicture(LazyTypeIcon& icon) {
    if (icon.Asked)
        return icon.Menu;
    icon.Asked = true;
    if (!tempFolder_.empty() && !DirectoryExists(tempFolder_))
        ForceDirectories(tempFolder_);
    const std::string file = tempFolder_ + "TempFile." + icon.Type;
    // A throwaway file, so a plain create serves.
    std::FILE* f = std::fopen(file.c_str(), "wb");
    const bool made = f != nullptr;
    if (f)
        std::fclose(f);
    icon.Menu = ShellIconOrBlank(file, icon.Found);
    if (made)
        std::remove(file.c_str());
    return icon.Menu;
}

void ItemImages::InsertBoth(int index, const Picture& menu, const Picture* tree) {
    ilPublicPM.Insert(index, menu);
    if (tree)
        ilPublicTV.Insert(index, *tree);
}

bool ItemImages::AddShellIcon(const std::string& path, int index, bool requireFile, bool menuOnly) {
    if (requireFile && !FileExists(path))
        return false;
    bool found = false;
    Picture menu = ShellIconOrBlank(path, found);
    Picture tree = found ? TreePicture(menu, TreeColour, ilPublicTV.Height())
                         : FilledPicture(kIconSize, ilPublicTV.Height(), TreeColour);
    if (!found)
        Log(path, kLogExtractFromUnknown);
    InsertBoth(index, menu, menuOnly ? nullptr : &tree);
    return true;
}

void ItemImages::AppendNamedIcon(const std::string& iconName, const std::string& fallbackPath) {
    std::optional<Picture> icon = iconName.empty() ? std::nullopt : icons_.NamedIcon(iconName);
    if (!icon || icon->Empty()) {
        AddShellIcon(fallbackPath, -1, false, false);
        return;
    }
    const Picture menu = AsIcon(std::move(*icon));
    const Picture tree = TreePicture(menu, TreeColour, ilPublicTV.Height());
    InsertBoth(-1, menu, &tree);
}

int ItemImages::LoadExecutableIcon(const std::string& cacheFile, const std::string& targetPath,
                                   CacheFile known) {
    bool menuIn = false, treeIn = false;
    if (!cacheFile.empty()) {
        const std::string ext = LowerExtension(cacheFile);
        bool exists = known == CacheFile::Usable, usable = exists;
        if (known == CacheFile::Unknown) {
            struct stat st;
            exists = ::stat(cacheFile.c_str(), &st) == 0;
            usable = exists && S_ISREG(st.st_mode) && st.st_size > 0;
        }
        if (ext == "bmp" && usable) {
            // Both pictures are read when first shown (or saved). One that cannot be read then
            // gives the picture of programs.
            const uint32_t at = RememberCachedPicture(cacheFile);
            ilPublicPM.InsertLazy(ExtractEnd, [this, at] { return CachedMenuPicture(at); });
            ilPublicTV.InsertLazy(ExtractEnd, [this, at] { return CachedTreePicture(at); });
            menuIn = treeIn = true;
        } else if (!exists) {
            // no cache file: the target is asked below
        } else if (ext == "bmp") {
            Log(cacheFile, kLogExtractFromExec); // empty or no file
        } else if (ext == "ico") {
            if (std::optional<Picture> pic = ReadIcoFile(cacheFile)) {
                ilPublicPM.Insert(ExtractEnd, std::move(*pic));
                menuIn = true;
            } else {
                Log(cacheFile, kLogExtractFromExec);
            }
        } else {
            Log(cacheFile, kLogExtractFromExec);
        }
    }
    if (!menuIn) {
        const std::string target = ResolveRelativePath(targetPath, programFolder_);
        if (!target.empty() && FileExists(target)) {
            AddShellIcon(target, ExtractEnd, false, false);
            menuIn = treeIn = true;
        }
    }
    if (!menuIn) {
        Log("Inserted: False;", kLogExtractFromExec);
        return -1;
    }
    if (!treeIn) {
        Picture onMenu = ComposeIcon(ilPublicPM.At(ExtractEnd), MenuColour);
        ilPublicTV.Insert(ExtractEnd, TreePicture(onMenu, TreeColour, ilPublicTV.Height()));
    }
    ++ilPublicPM.Tag;
    ++ExtractEnd;
    return ExtractBase + ilPublicPM.Tag;
}

uint32_t ItemImages::RememberCachedPicture(const std::string& cacheFile) {
    const size_t slash = cacheFile.rfind('/') + 1; // 0 without a folder
    const std::string_view folder(cacheFile.data(), slash);
    // A load meets the cache files folder by folder.
    if (cacheFolders_.empty() || cacheFolders_.back() != folder)
        cacheFolders_.emplace_back(folder);
    cached_.push_back({static_cast<uint32_t>(cacheFolders_.size() - 1), cacheFile.substr(slash),
                       MenuColour, TreeColour, ilPublicTV.Height()});
    return static_cast<uint32_t>(cached_.size() - 1);
}

std::string ItemImages::CachedFile(const CachedPicture& picture) const {
    return cacheFolders_[picture.Folder] + picture.Name;
}

Picture ItemImages::CachedMenuPicture(uint32_t at) {
    const std::string file = CachedFile(cached_[at]);
    if (std::optional<Picture> pic = ReadBmpFile(file))
        return AsIcon(std::move(*pic));
    Log(file, kLogExtractFromExec);
    return ProgramPicture();
}

Picture ItemImages::CachedTreePicture(uint32_t at) const {
    const CachedPicture& cached = cached_[at];
    const std::string file = CachedFile(cached);
    if (std::optional<Picture> tree = ReadBmpFile(file.substr(0, file.size() - 4) + ".wc.bmp"))
        return TreePicture(*tree, cached.TreeColour, cached.Height);
    // No tree picture of its own: the menu picture on the menu colour (the menu list logs
    // a file that cannot be read).
    std::optional<Picture> menu = ReadBmpFile(file);
    const Picture onMenu =
        ComposeIcon(menu ? AsIcon(std::move(*menu)) : ProgramPicture(), cached.MenuColour);
    return TreePicture(onMenu, cached.TreeColour, cached.Height);
}

Picture ItemImages::ProgramPicture() const {
    return ilPublicPM.At(TypeIconIndex("exe"));
}

void ItemImages::ReadAllPictures() const {
    for (const ImageList* list : {&ilPublicPM, &ilPublicTV})
        for (int i = 0; i < list->Count(); ++i)
            list->At(i);
}

int ItemImages::TypeIconIndex(const std::string& type) const {
    int pos = ArrIndexOf(TypeList, type);
    return pos < 0 ? kImagePlaceholder : kFirstTypeIcon + pos;
}

void ItemImages::Log(const std::string& message, const std::string& id) {
    if (Logger)
        Logger(kLogSender, message, id);
}

} // namespace pw::items
