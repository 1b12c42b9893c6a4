// pathwick-ctl list, check and resave: the item tree of a data folder, loaded by the same code
// as the program's, without a display.

#include <cstdio>
#include <filesystem>

#include "app/ctl/ctl_registry.h"
#include "items/icon_source.h"
#include "items/item_store.h"
#include "items/tree_report.h"
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

int RunResave(const Args& input) {
    Args args = input;
    int status = 0;
    std::string data;
    if (!OpenDataFolder(args, data, status))
        return status;
    const bool noIcons = pw::ctl::TakeFlag(args, "--no-icons");
    if (!args.empty())
        return RejectRest(args);
    pw::items::PlainIconSource icons;
    pw::items::ItemStore store(PathsFor(data), icons);
    store.LoadItems();
    if (!store.SaveItems(!noIcons)) {
        std::fprintf(stderr, "pathwick-ctl: some folders could not be saved completely\n");
        return 1;
    }
    return 0;
}

const bool registeredList =
    pw::ctl::RegisterCommand({"list", "list [--data DIR] [--json]", RunList});
const bool registeredCheck = pw::ctl::RegisterCommand({"check", "check [--data DIR]", RunCheck});
const bool registeredResave =
    pw::ctl::RegisterCommand({"resave", "resave [--data DIR] [--no-icons]", RunResave});

} // namespace
