#include "app/ctl/ctl_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/data_paths.h"
#include "framework/environment.h"
#include "util/paths.h"

namespace pw::ctl {

namespace {
std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}
} // namespace

bool RegisterCommand(const Command& command) {
    Registry().push_back(command);
    return true;
}

const std::vector<Command>& Commands() {
    return Registry();
}

int UsageError(const std::string& message) {
    if (!message.empty())
        std::fprintf(stderr, "pathwick-ctl: %s\n", message.c_str());
    std::fprintf(stderr, "usage:\n");
    for (const Command& c : Commands())
        std::fprintf(stderr, "  pathwick-ctl %s\n", c.usage);
    return 2;
}

ProgramLocation ProgramFolderLocation() {
    return FindProgramFolder(ExecutableFolder());
}

std::string DataFolder(const std::string& explicitFolder) {
    if (!explicitFolder.empty())
        return IncludeTrailingSeparator(explicitFolder);
    if (const char* env = std::getenv("PATHWICK_DATA"); env && *env)
        return IncludeTrailingSeparator(env);
    ProgramLocation location = ProgramFolderLocation();
    if (location.ProgramFolder.empty())
        return HomeFolder() + "Documents/Halvorn-Ek/Pathwick/";
    return ResolveDataPaths(StandardDataPathInputs(location, ProcessEnvironment())).UserDataFolder;
}

bool TakeOption(Args& args, const std::string& name, std::string& value) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end())
        return true;
    if (it + 1 == args.end())
        return false;
    value = *(it + 1);
    args.erase(it, it + 2);
    return true;
}

bool TakeFlag(Args& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end())
        return false;
    args.erase(it);
    return true;
}

} // namespace pw::ctl
