#pragma once
// Where the user's data lives: the program folder itself ("app" access mode), a folder named by
// "DataUserPath" in the program folder's "muc.ini", or the per-user folders below the
// documents folder ("os" access mode). The resolution creates the folder layout there, seeds it
// from the program folder and yields the fixed set of paths the rest of the program uses.

#include <string>

#include "framework/environment.h"
#include "framework/path_macros.h"
#include "framework/program_folder.h"
#include "util/strings.h"

namespace pw {

enum class DataAccessMode { Os, App, Auto };

inline constexpr std::string_view kCompanyFolderName = "Halvorn-Ek";
inline constexpr std::string_view kProductFolderName = "Pathwick";

// What the resolution starts from. All folders end with "/".
struct DataPathInputs {
    std::string ProgramFolder; // the folder that holds trans/, help/ (framework/program_folder.h)
    std::string BinaryFolder;  // the folder of the executable ("" counts as the program folder)
    // The program folder is an installed data folder: it belongs to the package manager, so the
    // resolution never creates, writes or deletes anything in it (as if it were read-only).
    bool ProgramFolderInstalled = false;
    std::string DocumentsFolder;   // the system's documents folder ("" when there is none)
    std::string GenericDataFolder; // the system's roaming application data folder
    // "auto" becomes "os" where the system has per-user folders (every current system).
    bool PerUserFoldersAvailable = true;
};

// The standard inputs for this process: the program folder found for the executable, and the
// documents and data folders of the environment (see framework/environment.h).
DataPathInputs StandardDataPathInputs(const ProgramLocation& location, const EnvLookup& env);
// The folder of the program's binaries: BinaryFolder, else the program folder.
std::string ProgramBinaryFolder(const DataPathInputs& inputs);

struct DataPaths {
    DataAccessMode AccessMode = DataAccessMode::App;
    std::string ProgramFolder;
    std::string LanguageFolder; // program folder + "trans/"
    std::string TipsFolder;     // program folder + "tips/"
    std::string HelpFolder;     // program folder + "help/"
    std::string UserDataFolder;
    std::string CoreDataFolder; // the per-user application data folder in the os mode
    std::string ProjectsFolder;
    std::string TempFolder;
    std::string LogsFolder;
    std::string ConfigFolder;
    std::string ReuseFolder;
    std::string ItemsRoot;    // user data folder + "shortcuts/"
    std::string OptionsFile;  // config folder + "options.ini"
    std::string LogFile;      // logs folder + "misc/program.log"
    StringArray FontOverride; // "FontOverride" of "muc.ini", each name trimmed
    PathMacros Macros;        // "?($AppDirData)?", "?($AppPath)?", "?L?"
};

// Reads "muc.ini" "DataAccess": trimmed, lower-cased; anything but "os" and "app" is "auto".
DataAccessMode ParseDataAccessMode(std::string_view value);
// Migrates a legacy "glc.ini" or "options.ini" of the program folder into "muc.ini" (only when
// there is no "muc.ini" yet) and deletes it.
void MigrateLegacyConfig(const std::string& programFolder);
// Copies the program folder's sub-folder into the user data folder's, never overwriting a
// file; the destination folder is created even when the source does not exist.
void SeedFromProgramFolder(const std::string& programFolder, const std::string& userFolder,
                           const std::string& subFolder);
// The whole resolution: migration, "muc.ini", the access mode, creating and seeding folders,
// the paths and the macros. Failures fall back as described in data_paths.cpp; nothing throws.
DataPaths ResolveDataPaths(const DataPathInputs& inputs);
// The access mode as a word: "os", "app" or "auto".
std::string DataAccessModeName(DataAccessMode mode);

} // namespace pw
