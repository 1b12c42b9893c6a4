#pragma once
// A generated item tree for the benchmarks: N entries in M folders, written in the shortcut file
// format with icon cache files. About half are Executable links with cached icons, a quarter
// Unknown links over 20 file types, the rest web links, headings and separators. Header-only so
// that each benchmark program can include it alone.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "items/bitmap_file.h"
#include "items/shortcut_format.h"

namespace pw::bench {

struct GeneratedTree {
    std::string root;               // the items root, ending with "/"
    std::vector<std::string> files; // every file the tree consists of (shortcut and cache files)
    int links = 0;
    int folders = 0;
};

inline void WriteBench(const std::string& path, const std::string& bytes) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// Writes the tree below root (emptied first). Folder 0..M-1: folder i > 0 lies in folder
// (i - 1) / 10 when i > 10, else on the root level; entry j goes to level j % (M + 1), the last
// level being the root.
inline GeneratedTree GenerateItemsTree(const std::string& root, int links, int folders) {
    namespace fs = std::filesystem;
    static const char* const kTypes[20] = {"pdf", "txt",  "odt",  "ods", "png", "jpg", "mp3",
                                           "ogg", "html", "zip",  "tar", "gz",  "svg", "csv",
                                           "md",  "xml",  "json", "iso", "deb", "log"};
    GeneratedTree tree;
    tree.root = root;
    tree.links = links;
    tree.folders = folders;
    std::error_code ec;
    fs::remove_all(root, ec);
    fs::create_directories(root, ec);

    std::vector<std::string> dirs(static_cast<size_t>(folders) + 1);
    std::vector<std::string> texts(static_cast<size_t>(folders) + 1);
    dirs[static_cast<size_t>(folders)] = root;
    for (int i = 0; i < folders; ++i) {
        const std::string name = "Folder " + std::to_string(i);
        const size_t parent =
            i > 10 ? static_cast<size_t>((i - 1) / 10) : static_cast<size_t>(folders);
        dirs[static_cast<size_t>(i)] = dirs[parent] + name + "/";
        fs::create_directories(dirs[static_cast<size_t>(i)], ec);
        texts[parent] += "^Folder|" + name + "\r\n";
    }

    items::Picture menu(16, 16), tree16(16, 16);
    for (int j = 0; j < links; ++j) {
        const size_t level = static_cast<size_t>(j % (folders + 1));
        std::string& text = texts[level];
        const int kind = j % 20; // 0..9 executable, 10..14 unknown, 15..17 web, 18 heading, 19 sep
        const std::string n = std::to_string(j);
        if (kind < 10) {
            const std::string icon = "app" + n + ".bmp";
            text += "^ExeLnk|/opt/bench/app" + n + ".exe|--run " + n + "|" + icon + "|Program " +
                    n + "|/opt/bench|\r\n";
            for (auto& p : menu.Pixels)
                p = 0xFF000000u | static_cast<uint32_t>(j * 2654435761u & 0xFFFFFFu);
            tree16 = menu;
            const std::string bmp = dirs[level] + icon;
            const std::string wc = dirs[level] + "app" + n + ".wc.bmp";
            WriteBench(bmp, items::EncodeBmp(menu));
            WriteBench(wc, items::EncodeBmp(tree16));
            tree.files.push_back(bmp);
            tree.files.push_back(wc);
        } else if (kind < 15) {
            const char* type = kTypes[(j / 20) % 20];
            text += std::string("^UnkLnk|/srv/bench/doc") + n + "." + type + "|" + type +
                    "|Document " + n + "|\r\n";
        } else if (kind < 18) {
            text += "^NetLnk|https://example.org/page" + n + "|Page " + n + "|\r\n";
        } else if (kind == 18) {
            text += "^SpeSep|Heading " + n + "\r\n";
        } else {
            text += "^NorSep|\r\n";
        }
    }
    for (size_t i = 0; i < dirs.size(); ++i) {
        const std::string file = dirs[i] + items::kShortcutFile;
        WriteBench(file, texts[i]);
        tree.files.push_back(file);
    }
    return tree;
}

} // namespace pw::bench
