#pragma once
// The autostart entry: an XDG autostart desktop file "HalvornEk-Pathwick.desktop" in the user's
// autostart folder ($XDG_CONFIG_HOME/autostart/), whose Exec line names the folder of the
// program's binary followed by "pathwick": the program folder of a build or an unpacked copy,
// the bin/ folder of an installed program (whose program folder is its data folder below share/,
// see framework/program_folder.h).

#include <string>
#include <string_view>

#include "framework/environment.h"

namespace pw {

inline constexpr std::string_view kAutostartName = "HalvornEk-Pathwick";
inline constexpr std::string_view kAutostartProgramFile = "pathwick";

// $XDG_CONFIG_HOME/autostart/ (~/.config/autostart/ by default); "" when unknown.
std::string DefaultAutostartFolder(const EnvLookup& env);
// The entry's file: folder + "HalvornEk-Pathwick.desktop".
std::string AutostartEntryFile(const std::string& autostartFolder);
// One argument of an Exec line: as it stands when it needs no quoting, else in double quotes
// with '"', '`', '$' and '\' escaped; "%" doubled either way; then the backslashes escaped once
// more, as every string value of a desktop file.
std::string QuoteExecArgument(std::string_view argument);
// The whole desktop file for the program whose binary is in binaryFolder.
std::string AutostartEntryText(const std::string& binaryFolder);
// enabled: writes the entry (atomically, only when its text differs); else removes it when
// present. False when the entry could not be written or removed.
bool UpdateAutostartEntry(const std::string& autostartFolder, const std::string& binaryFolder,
                          bool enabled);

} // namespace pw
