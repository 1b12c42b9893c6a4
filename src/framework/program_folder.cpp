#include "framework/program_folder.h"

#include "util/paths.h"

// The build passes the relative path from bin/ to the data folder it installs to.
#ifndef PATHWICK_INSTALLED_DATA_RELATIVE
#define PATHWICK_INSTALLED_DATA_RELATIVE "../share/pathwick/"
#endif

namespace pw {

std::string InstalledDataRelativeFolder() {
    return IncludeTrailingSeparator(PATHWICK_INSTALLED_DATA_RELATIVE);
}

bool IsProgramFolder(const std::string& folder) {
    return !folder.empty() && DirectoryExists(IncludeTrailingSeparator(folder) + "trans/");
}

ProgramLocation FindProgramFolder(const std::string& binaryFolder,
                                  const std::string& installedRelative) {
    ProgramLocation location;
    if (binaryFolder.empty())
        return location;
    location.BinaryFolder = IncludeTrailingSeparator(binaryFolder);
    location.ProgramFolder = location.BinaryFolder;
    if (IsProgramFolder(location.BinaryFolder) || installedRelative.empty())
        return location;
    // An absolute data folder (a build configured with one) is taken as it stands.
    std::string installed =
        IsAbsolutePath(installedRelative)
            ? IncludeTrailingSeparator(installedRelative)
            : location.BinaryFolder + IncludeTrailingSeparator(installedRelative);
    installed = IncludeTrailingSeparator(ResolveDots(installed));
    if (IsProgramFolder(installed)) {
        location.ProgramFolder = installed;
        location.Installed = true;
    }
    return location;
}

ProgramLocation FindProgramFolder(const std::string& binaryFolder) {
    return FindProgramFolder(binaryFolder, InstalledDataRelativeFolder());
}

} // namespace pw
