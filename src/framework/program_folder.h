#pragma once
// Which folder is the program folder: the one that holds what ships with the program, the
// languages folder "trans/", the help pages "help/", the sample item tree "shortcuts/" and the
// picture "pathwick.png" (and "pathwick.bmp", the same pixels, read for the window icon). A build
// or an unpacked copy keeps them beside the binaries; an installed program keeps them in its data
// folder below share/, found relative to the real path of the binary, so that an installation
// moved to another prefix still finds its files.

#include <string>

namespace pw {

struct ProgramLocation {
    std::string BinaryFolder;  // the folder of the running executable, ending with "/"
    std::string ProgramFolder; // the program folder in use, ending with "/"
    bool Installed = false;    // the program folder is the installed data folder
};

// The installed data folder relative to the folder of the installed binaries, as the build was
// configured ("../share/pathwick/" for the usual layout), ending with "/".
std::string InstalledDataRelativeFolder();

// A folder is a program folder when it holds the languages folder "trans/".
bool IsProgramFolder(const std::string& folder);

// The binary's folder when it is a program folder (a build, an unpacked copy); else the installed
// data folder, binaryFolder + installedRelative with the dots resolved, when that is one; else the
// binary's folder all the same. binaryFolder should be a real path (no symbolic links), as
// /proc/self/exe gives it. An empty binaryFolder gives an empty location.
ProgramLocation FindProgramFolder(const std::string& binaryFolder,
                                  const std::string& installedRelative);
// The same with the configured InstalledDataRelativeFolder().
ProgramLocation FindProgramFolder(const std::string& binaryFolder);

} // namespace pw
