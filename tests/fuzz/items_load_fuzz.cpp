// Loads an item tree whose shortcut files and icon cache files hold arbitrary bytes, saves it,
// and loads it again. The input is cut at "####" into the files of a fixed tree: the root's
// shortcut file, those of the folders A, A/B and C (C's as the legacy file), and two cache
// files the records may name ("a.bmp", "b.ico").

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "items/icon_source.h"
#include "items/item_store.h"

namespace {

namespace fs = std::filesystem;

const std::string& Base() {
    // Never destroyed: the exit handler below still needs it.
    static const std::string& base = *new std::string([] {
        // A memory file system where there is one: the disk is slow for thousands of runs.
        const fs::path tempRoot =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string b =
            (tempRoot / ("pathwick-items-fuzz-" + std::to_string(::getpid()))).string() + "/";
        fs::create_directories(b + "home");
        setenv("HOME", (b + "home").c_str(), 1);
        setenv("XDG_DATA_HOME", (b + "home/.local/share").c_str(), 1);
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(Base(), ec);
        });
        return b;
    }());
    return base;
}

void Put(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& base = Base();
    const std::string root = base + "data/shortcuts/";
    std::error_code ec;
    fs::remove_all(base + "data", ec);
    fs::remove_all(base + "home/.local/share/Trash", ec); // stale folders of the last save
    fs::create_directories(root + "A/B", ec);
    fs::create_directories(root + "C", ec);
    fs::create_directories(base + "data/temp", ec);

    static const char* const kFiles[] = {"shortcuts-utf8.txt",
                                         "A/shortcuts-utf8.txt",
                                         "A/B/shortcuts-utf8.txt",
                                         "C/shortcuts.txt",
                                         "a.bmp",
                                         "b.ico"};
    std::string_view input(reinterpret_cast<const char*>(data), size);
    for (const char* file : kFiles) {
        size_t cut = input.find("####");
        Put(root + file, input.substr(0, cut));
        if (cut == input.npos)
            break;
        input.remove_prefix(cut + 4);
    }

    pw::items::PlainIconSource icons;
    pw::items::ItemStore store({root, base + "data/temp/", base + "program/"}, icons);
    store.SyncAfterSave = false;
    store.LoadItems();
    const int loaded = store.tvItems.Count();
    if (store.Images.ilPublicPM.Count() != store.Images.ilPublicTV.Count())
        __builtin_trap();
    store.SaveItems(true);
    store.LoadItems();
    // What was saved loads back as the same tree.
    if (store.tvItems.Count() != loaded)
        __builtin_trap();
    return 0;
}
