#include "items/icon_files.h"

#include <filesystem>

#include "items/atomic_write.h"
#include "items/bitmap_file.h"
#include "util/paths.h"

namespace pw::items {

std::string IconStem(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == path.npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    return dot == name.npos ? name : name.substr(0, dot);
}

IconFileNames ChooseIconFileNames(const std::set<std::string>& existing, const std::string& stem) {
    if (existing.count(stem + ".bmp") == 0)
        return {stem + ".bmp", stem + ".wc.bmp"};
    for (int n = 1;; ++n) {
        std::string numbered = stem + std::to_string(n);
        if (existing.count(numbered + ".bmp") == 0)
            return {numbered + ".bmp", numbered + ".wc.bmp"};
    }
}

std::set<std::string> ListEntryNames(const std::string& directory) {
    std::set<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end;
         it.increment(ec))
        names.insert(it->path().filename().string());
    return names;
}

std::string WriteIconFiles(const TreeNode& node, const std::string& path,
                           const std::string& directory, std::set<std::string>& existing,
                           std::set<std::string>& keep, bool withIconFiles,
                           const ItemImages& images, bool& failed) {
    const IconFileNames names = ChooseIconFileNames(existing, IconStem(path));
    if (!withIconFiles)
        return names.menu;

    // A file of the name that exists already is left as it is; the exclusive create tells.
    auto write = [&](const std::string& name, Argb background, const Picture& picture) {
        keep.insert(name);
        Picture composed = FilledPicture(kIconSize, kIconSize, background);
        DrawPicture(composed, picture, 0, 0);
        if (!WriteNewFile(directory + name, EncodeBmp(composed)) && !PathExists(directory + name))
            failed = true;
        existing.insert(name);
    };
    write(names.menu, images.MenuColour, images.ilPublicPM.At(node.ImageIndex));
    write(names.tree, images.TreeColour, images.ilPublicTV.At(node.ImageIndex));
    return names.menu;
}

} // namespace pw::items
