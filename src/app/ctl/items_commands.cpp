// pathwick-ctl list, check and resave: the item tree of a data folder, loaded by the same code
// as the program's, without a display.

#include <QApplication>
#include <QPalette>
#include <cstdio>
#include <filesystem>

#include "app/ctl/ctl_registry.h"
#include "items/icon_source.h"
#include "items/item_saver.h"
#include "items/item_store.h"
#include "items/save_rollback.h"
#include "items/tree_report.h"
#include "menu/menus_painter.h"
#include "platform/theme_icon_source.h"
#include "util/paths.h"

namespace {

using pw::ctl::Args;

// Takes --data DIR out of args and resolves the data folder; false (with the message printed)
// when the folder is missing.
bool OpenDataFolder(Args& args, std::string& dataFolder, int& status) {
    std::string explicitFolder;
    if (!pw::ctl::TakeOption(args, "--data", explicitFolder)) {
        status = pw::ctl::UsageError("--data needs a folder");
        return false;
    }
    dataFolder = pw::ctl::DataFolder(explicitFolder);
    if (!pw::DirectoryExists(dataFolder)) {
        std::fprintf(stderr, "pathwick-ctl: data folder not found: %s\n", dataFolder.c_str());
        status = 1;
        return false;
    }
    std::error_code ec;
    std::filesystem::directory_iterator probe(dataFolder, ec);
    if (ec) {
        std::fprintf(stderr, "pathwick-ctl: data folder not readable: %s\n", dataFolder.c_str());
        status = 1;
        return false;
    }
    return true;
}

pw::items::StorePaths PathsFor(const std::string& dataFolder) {
    return {dataFolder + "shortcuts/", dataFolder + "temp/",
            pw::ctl::ProgramFolderLocation().ProgramFolder};
}

int RejectRest(const Args& args) {
    return pw::ctl::UsageError("unexpected argument '" + args.front() + "'");
}

int RunList(const Args& input) {
    Args args = input;
    int status = 0;
    std::string data;
    if (!OpenDataFolder(args, data, status))
        return status;
    const bool json = pw::ctl::TakeFlag(args, "--json");
    if (!args.empty())
        return RejectRest(args);
    pw::items::PlainIconSource icons;
    pw::items::ItemStore store(PathsFor(data), icons);
    store.LoadItems();
    const std::string out =
        json ? pw::items::TreeToJson(store) + "\n" : pw::items::TreeToText(store);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int RunCheck(const Args& input) {
    Args args = input;
    int status = 0;
    std::string data;
    if (!OpenDataFolder(args, data, status))
        return status;
    if (!args.empty())
        return RejectRest(args);
    pw::items::PlainIconSource icons;
    pw::items::ItemStore store(PathsFor(data), icons);
    store.LoadItems();
    const auto dead = pw::items::FindDeadLinks(store);
    for (const auto& link : dead)
        std::printf("%s\t%s\n", link.place.c_str(), link.path.c_str());
    return dead.empty() ? 0 : 1;
}

// Loads and saves the tree. With icons, the pictures the save caches are the program's: the
// icon theme's, composed on the colours the program shows them on; without, the cache files
// stay as they are.
int Resave(const std::string& data, bool withIcons, pw::items::IconSource& icons) {
    pw::items::ItemStore store(PathsFor(data), icons);
    if (withIcons) {
        const pw::ThvMenusPainter painter;
        store.Images.MenuColour = painter.MenuBackground(nullptr).rgb();
        store.Images.TreeColour = QApplication::palette("QTreeView").color(QPalette::Base).rgb();
        store.Images.PrepareImageLists(pw::items::kIconSize);
    }
    store.LoadItems();
    pw::items::ItemSaver saver(store);
    saver.KeepIconFiles = !withIcons;
    saver.KeepBackupOnFailure = true;
    if (saver.SaveItems(withIcons))
        return 0;
    const bool restored =
        !saver.Changed() ||
        (saver.BackupKept &&
         pw::items::RestoreItemsFromBackup(store.Paths().itemsRoot, store.Paths().tempFolder));
    std::fprintf(stderr, "pathwick-ctl: some folders could not be saved completely; %s\n",
                 restored ? "the items were left as they were" : "some may hold the new files");
    for (const std::string& folder : saver.FailedFolders())
        std::fprintf(stderr, "  %s\n", folder.c_str());
    return 1;
}

int RunResave(const Args& input) {
    Args args = input;
    int status = 0;
    std::string data;
    if (!OpenDataFolder(args, data, status))
        return status;
    const bool noIcons = pw::ctl::TakeFlag(args, "--no-icons");
    if (!args.empty())
        return RejectRest(args);
    if (noIcons) {
        pw::items::PlainIconSource icons; // no picture is written
        return Resave(data, false, icons);
    }
    // The icon theme and the style's colours need an application object, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "pathwick-ctl";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    pw::ThemeIconSource icons;
    return Resave(data, true, icons);
}

const bool registeredList =
    pw::ctl::RegisterCommand({"list", "list [--data DIR] [--json]", RunList});
const bool registeredCheck = pw::ctl::RegisterCommand({"check", "check [--data DIR]", RunCheck});
const bool registeredResave =
    pw::ctl::RegisterCommand({"resave", "resave [--data DIR] [--no-icons]", RunResave});

} // namespace
