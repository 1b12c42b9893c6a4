#pragma once
// The process environment and the user's standard folders as this platform names them
// (the XDG base and user directories), passed around as values so they can be replaced.

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace pw {

// Looks up an environment variable; nullopt when it is not set.
using EnvLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The environment of this process.
EnvLookup ProcessEnvironment();
// A fixed environment, for tests and for callers that pass their own values.
EnvLookup FixedEnvironment(std::map<std::string, std::string> variables);

// $HOME with a trailing "/", else the account's home folder; "" when unknown.
std::string EnvHomeFolder(const EnvLookup& env);
// $XDG_CONFIG_HOME, else ~/.config/ (trailing "/").
std::string XdgConfigHome(const EnvLookup& env);
// $XDG_DATA_HOME, else ~/.local/share/ (trailing "/"): the roaming application data folder.
std::string XdgDataHome(const EnvLookup& env);
// XDG_DOCUMENTS_DIR from user-dirs.dirs in the config home ("$HOME/..." or an absolute path),
// else ~/Documents/ (trailing "/"): the documents folder. Relative values count as absent.
std::string XdgDocumentsDir(const EnvLookup& env);
// The value of XDG_DOCUMENTS_DIR in the text of a user-dirs.dirs file, $HOME replaced by home
// (which ends with "/"); "" when absent or not usable.
std::string ParseUserDirsDocuments(const std::string& text, const std::string& home);

// The folder of the running executable (from /proc/self/exe) with a trailing "/"; "" when it
// cannot be read.
std::string ExecutableFolder();

} // namespace pw
