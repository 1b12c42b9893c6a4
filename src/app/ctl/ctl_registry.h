#pragma once
// pathwick-ctl's commands. Each command file registers itself with a static initialiser:
//   static const bool registered = pw::ctl::RegisterCommand({"list", "list [--data DIR]",
//   RunList});

#include <string>
#include <vector>

#include "framework/program_folder.h"

namespace pw::ctl {

using Args = std::vector<std::string>; // the arguments after the command name

struct Command {
    const char* name;
    const char* usage; // one line, without the program name
    int (*run)(const Args& args);
};

bool RegisterCommand(const Command& command);
const std::vector<Command>& Commands();

// Exit status for bad arguments, after printing the usage to stderr.
int UsageError(const std::string& message);

// The program folder for this executable, as the program finds its own (framework/
// program_folder.h); an empty location when the executable's path cannot be read.
ProgramLocation ProgramFolderLocation();

// The user data folder (ending with "/") a command works on: the --data value when given,
// else PATHWICK_DATA from the environment, else the folder the program itself would use.
std::string DataFolder(const std::string& explicitFolder);

// Takes "--name VALUE" out of args; false when the option is there without a value.
bool TakeOption(Args& args, const std::string& name, std::string& value);
// Takes "--name" out of args; true when it was there.
bool TakeFlag(Args& args, const std::string& name);

} // namespace pw::ctl
