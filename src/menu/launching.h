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

// The one place where a link's relative path becomes a file: a relative path names a file below
// the program folder, whether or not the link has a working folder. A bare name ("firefox")
// that the program folder does not hold stays as it is and is looked up on PATH; web and other
// addresses stay as they are.
std::string ResolveLaunchPath(const std::string& path, const std::string& programFolder);

struct LaunchPlan {
    std::string Verb;
    std::string File;
    std::string Params;
    std::string Directory;
    int ShowCmd = 10;
    bool operator==(const LaunchPlan&) const = default;
};

// What CallExternal asks of the shell: the path resolved once (ResolveLaunchPath), started in
// the work dir or else in the path's own folder; "open"; "runas" when run-as is set and the
// system can elevate; "connect" for a ".rdp" path whatever run-as says.
LaunchPlan PlanCallExternal(const std::string& path, const std::string& params,
                            const std::string& workDir, bool runAs, int startMode, bool canElevate,
                            const std::string& programFolder);

// One shell execution of an item; true when the shell reports success.
bool CallExternal(const std::string& path, const std::string& params, const std::string& workDir,
                  bool runAs, int startMode, const std::string& programFolder);
// Opens a file or web address with its default program ("open", shown normally).
bool OpenDocument(const std::string& fileOrAddress);

} // namespace pw
