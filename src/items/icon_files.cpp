#include "items/icon_files.h"

#include "items/atomic_write.h"
#include "items/bitmap_file.h"
#include "util/strings.h"

namespace pw::items {

namespace {

constexpr std::string_view kMenuSuffix = ".bmp";
constexpr std::string_view kTreeSuffix = ".wc.bmp";

bool IsFileIn(const DirectoryEntries& entries, const std::string& name) {
    auto it = entries.find(name);
    return it != entries.end() && !IsDirectoryKind(it->second);
}

std::string PictureBytes(const Picture& picture, Argb background) {
    Picture composed = FilledPicture(kIconSize, kIconSize, background);
    DrawPicture(composed, picture, 0, 0);
    return EncodeBmp(composed);
}

// Leaves name alone when it holds bytes already, else writes them.
void WriteIfChanged(IconLevel& level, const std::string& name, const std::string& bytes) {
    level.keep.insert(name);
    const std::string path = level.directory + name;
    const bool exists = level.entries.count(name) != 0;
    if (exists && FileHoldsBytes(path, bytes))
        return;
    level.change();
    if (!(exists ? WriteFileAtomically(path, bytes) : WriteNewFile(path, bytes)))
        level.failed = true;
    level.entries.emplace(name, EntryKind::File);
}

} // namespace

std::string IconStem(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == path.npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    return dot == name.npos ? name : name.substr(0, dot);
}

IconFileNames ChooseIconFileNames(const DirectoryEntries& existing, const std::string& stem) {
    if (existing.count(stem + ".bmp") == 0)
        return {stem + ".bmp", stem + ".wc.bmp"};
    for (int n = 1;; ++n) {
        std::string numbered = stem + std::to_string(n);
        if (existing.count(numbered + ".bmp") == 0)
            return {numbered + ".bmp", numbered + ".wc.bmp"};
    }
}

std::string TreePictureName(const std::string& menuName) {
    return menuName.substr(0, menuName.size() - kMenuSuffix.size()) + std::string(kTreeSuffix);
}

std::string WriteIconFiles(const TreeNode& node, const std::string& path,
                           const std::string& loadedName, IconLevel& level, IconFileMode mode,
                           const ItemImages& images) {
    const bool loadedHere = !loadedName.empty() && IsFileIn(level.entries, loadedName);
    const bool loadedBmp =
        loadedHere && StrEndsWith(loadedName, kMenuSuffix) && !StrEndsWith(loadedName, kTreeSuffix);
    if (mode == IconFileMode::Keep && loadedHere) {
        // Nothing is written, so links that shared a file may go on sharing it.
        level.keep.insert(loadedName);
        if (loadedBmp && IsFileIn(level.entries, TreePictureName(loadedName)))
            level.keep.insert(TreePictureName(loadedName));
        return loadedName;
    }
    if (mode != IconFileMode::Write)
        return ChooseIconFileNames(level.entries, IconStem(path)).menu;

    const std::string menu = PictureBytes(images.ilPublicPM.At(node.ImageIndex), images.MenuColour);
    IconFileNames names;
    // Another link's file of the same name is that link's, even where the bytes agree.
    if (loadedBmp && !level.keep.count(loadedName) &&
        FileHoldsBytes(level.directory + loadedName, menu))
        names = {loadedName, TreePictureName(loadedName)}; // unchanged: it stays where it is
    else
        names = ChooseIconFileNames(level.entries, IconStem(path));
    WriteIfChanged(level, names.menu, menu);
    WriteIfChanged(level, names.tree,
                   PictureBytes(images.ilPublicTV.At(node.ImageIndex), images.TreeColour));
    return names.menu;
}

} // namespace pw::items
