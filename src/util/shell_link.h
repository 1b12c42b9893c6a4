#pragma once
// Shell links: ".desktop" entries and symbolic links turned into what they start.

#include <string>
#include <vector>

namespace pw {

struct ShellLinkRecord {
    std::string Arguments;        // the command line after the program, field codes removed
    int ShowCmd = 1;              // normal window
    std::string WorkingDirectory; // Path= of a desktop entry
    std::string Target;           // the program or file the link points at
    std::string Description;      // Name= (Comment= when there is no name)
    std::string IconLocation;     // Icon=
    int IconIndex = 0;
    int HotKey = 0;
};

// 0 on success; non-zero for anything that is not a readable desktop entry or symbolic link.
int ResolveShellLink(const std::string& linkPath, ShellLinkRecord& record);
// Splits a command line the way a POSIX shell would split words (quotes and backslashes),
// without expanding anything.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

} // namespace pw
