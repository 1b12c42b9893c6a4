#pragma once
// Starting an item: its attributes turned into one execution by the desktop shell.

#include <string>

namespace pw {

// Start modes of the window-state words: "WindowMax" 1, "WindowMin" 2, "WindowHid" 3, else 0.
int StartModeOf(const std::string& windowState);
// The show command of a start mode.
int ShowCommandOf(int startMode);
// The folder a path starts in when the link has none: everything before the last "/", the root
// "/" for a file in the root.
std::string DirectoryOfPath(const std::string& path);

struct LaunchPlan {
    std::string Verb;
    std::string File;
    std::string Params;
    std::string Directory;
    int ShowCmd = 10;
    bool operator==(const LaunchPlan&) const = default;
};

// What CallExternal asks of the shell: "open"; "runas" when run-as is set and the system can
// elevate; "connect" for a ".rdp" path whatever run-as says.
LaunchPlan PlanCallExternal(const std::string& path, const std::string& params,
                            const std::string& workDir, bool runAs, int startMode, bool canElevate);

// One shell execution of an item; true when the shell reports success.
bool CallExternal(const std::string& path, const std::string& params, const std::string& workDir,
                  bool runAs, int startMode);
// Opens a file or web address with its default program ("open", shown normally).
bool OpenDocument(const std::string& fileOrAddress);

} // namespace pw
