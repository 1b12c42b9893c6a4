// pathwick-ctl paths: the folders and files the program resolves for this user, one
// "name: path" a line. Resolving them creates and seeds the data folder as the program would.

#include <cstdio>

#include "app/ctl/ctl_registry.h"
#include "framework/data_paths.h"
#include "framework/environment.h"

namespace {

int RunPaths(const pw::ctl::Args& args) {
    if (!args.empty())
        return pw::ctl::UsageError("paths takes no arguments");
    pw::ProgramLocation location = pw::ctl::ProgramFolderLocation();
    if (location.ProgramFolder.empty()) {
        std::fprintf(stderr, "pathwick-ctl: cannot find the program folder\n");
        return 1;
    }
    pw::DataPaths paths =
        pw::ResolveDataPaths(pw::StandardDataPathInputs(location, pw::ProcessEnvironment()));
    // Which program folder is in use: the one beside the binaries, or the installed data folder.
    const std::string kind = location.Installed ? "installed" : "beside-binary";
    const std::pair<const char*, const std::string*> lines[] = {
        {"binary-folder", &location.BinaryFolder},
        {"program-folder", &paths.ProgramFolder},
        {"program-folder-kind", &kind},
        {"language-folder", &paths.LanguageFolder},
        {"help-folder", &paths.HelpFolder},
        {"user-data-folder", &paths.UserDataFolder},
        {"core-data-folder", &paths.CoreDataFolder},
        {"items-root", &paths.ItemsRoot},
        {"options-file", &paths.OptionsFile},
        {"log-file", &paths.LogFile},
    };
    for (const auto& [name, value] : lines)
        std::printf("%s: %s\n", name, value->c_str());
    return 0;
}

const bool registered = pw::ctl::RegisterCommand({"paths", "paths", RunPaths});

} // namespace
