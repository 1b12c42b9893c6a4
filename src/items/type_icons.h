#pragma once
// The image lists ilPublicPM and ilPublicTV with their index ranges, the type list and its type
// icons, and the pictures of links taken from the icon cache or from the icon source.
//
//   0..22                 built-in pictures
//   23 .. 22+T            type icons (entry i of the type list at 23 + i)
//   TypeIconEnd, ExtractBase   two placeholders closing the type range
//   ExtractBase+1 .. +E   pictures extracted or read from the cache during the load
//   ExtractEnd            placeholder closing the load range; appended pictures follow it

#include <cstdint>
#include <string>
#include <vector>

#include "items/icon_source.h"
#include "items/image_list.h"
#include "items/item_log.h"
#include "util/strings.h"

namespace pw::items {

inline constexpr int kFirstTypeIcon = 23;

class ItemImages {
public:
    // tempFolder: where the temporary type files "TempFile.<type>" are made (ends with "/").
    ItemImages(IconSource& icons, std::string tempFolder, std::string programFolder);
    // The lists' pictures are made by loaders that point back here.
    ItemImages(const ItemImages&) = delete;
    ItemImages& operator=(const ItemImages&) = delete;

    ImageList ilPublicPM;
    ImageList ilPublicTV;
    ImageList ilBreaksPM{kIconSize, kIconSize};
    ImageList ilBreaksTV{kIconSize, kIconSize};
    int TypeIconEnd = 23;
    int ExtractBase = 24;
    int ExtractEnd = 25;
    StringArray TypeList;
    Argb MenuColour = 0xFFF0F0F0u;
    Argb TreeColour = 0xFFFFFFFFu;
    ItemLogger Logger;

    // Replaces the built-in pictures (23 menu pictures) and placeholders (3) before
    // PrepareImageLists; the desktop hands in its own.
    void SetBuiltinPictures(std::vector<Picture> builtin, std::vector<Picture> breaks);
    // Set-up at the main window's creation: the tree versions of all design-time pictures, on
    // TreeColour, in a band of treeHeight rows.
    void PrepareImageLists(int treeHeight = kIconSize);
    // Both lists cut back to the 23 built-in pictures, the three placeholders appended, the
    // positions reset to 23, 24, 25, the count of extracted pictures (ilPublicPM.Tag) 0.
    void ResetImageLists();
    // Completes the type list with the fixed types and inserts one type icon per entry.
    void BuildTypeIcons();
    // Inserts (index >= 0) or appends (index < 0) the icon of path to both lists (the menu list
    // only with menuOnly). With requireFile, a path that is no existing file adds nothing and
    // answers false.
    bool AddShellIcon(const std::string& path, int index, bool requireFile, bool menuOnly);
    // Appends the icon an application entry names (Icon=) to both lists; when the source has no
    // such icon, the icon of fallbackPath (AddShellIcon).
    void AppendNamedIcon(const std::string& iconName, const std::string& fallbackPath);
    // The picture of an Executable link during the load: from the cache file (".bmp" with its
    // ".wc.bmp" tree picture, or ".ico"), else the icon of the target file; -1 when neither.
    // known: what the loader found of the cache file (Unknown: it is looked up here; Usable: a
    // regular file that is not empty; Missing: no regular file). A bitmap is read when its
    // picture is first asked for; one that is gone or cannot be read by then gives the picture
    // of programs, logged once.
    enum class CacheFile { Unknown, Missing, Usable };
    int LoadExecutableIcon(const std::string& cacheFile, const std::string& targetPath,
                           CacheFile known = CacheFile::Unknown);
    // Makes every picture of both lists that is still to be read from its file or source.
    void ReadAllPictures() const;
    // The index of a type's icon: 23 + its position in the type list; 22 when absent.
    int TypeIconIndex(const std::string& type) const;
    // The picture of the icon source for path, or a blank one when the source has none.
    Picture ShellIconOrBlank(const std::string& path, bool& found);

private:
    // A type's menu picture, asked of the icon source once, by whichever list needs it first.
    struct LazyTypeIcon {
        std::string Type;
        Picture Menu;
        bool Asked = false;
        bool Found = false;
    };
    const Picture& TypeIconPicture(LazyTypeIcon& icon);
    // A cache file whose pictures are read when first asked for, with the colours and the tree
    // band of the load that met it. The folders are kept once each.
    struct CachedPicture {
        uint32_t Folder = 0; // in cacheFolders_
        std::string Name;
        Argb MenuColour = 0;
        Argb TreeColour = 0;
        int Height = 0;
    };
    uint32_t RememberCachedPicture(const std::string& cacheFile);
    std::string CachedFile(const CachedPicture& picture) const;
    // The menu picture of a cache file; the picture of programs (logged) when it cannot be read.
    Picture CachedMenuPicture(uint32_t at);
    // Its tree picture: the ".wc.bmp" beside it, else the menu picture on the menu colour.
    Picture CachedTreePicture(uint32_t at) const;
    Picture ProgramPicture() const;
    void Log(const std::string& message, const std::string& id);
    void InsertBoth(int index, const Picture& menu, const Picture* tree);

    IconSource& icons_;
    std::string tempFolder_;
    std::string programFolder_;
    std::vector<Picture> designPM_;
    std::vector<std::string> cacheFolders_;
    std::vector<CachedPicture> cached_;
};

} // namespace pw::items
