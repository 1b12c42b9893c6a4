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
    bool TargetIsUrl = false;     // Target is the URL= of a desktop entry of Type=Link
    std::string Description;      // Name= (Comment= when there is no name)
    std::string IconLocation;     // Icon=
    int IconIndex = 0;
    int HotKey = 0;
};

// Status values of ResolveShellLink.
inline constexpr int kShellLinkOk = 0;
inline constexpr int kShellLinkNotALink = 1;   // neither a desktop entry nor a symbolic link
inline constexpr int kShellLinkUnreadable = 2; // missing or unreadable file
inline constexpr int kShellLinkNoTarget = 3;   // a desktop entry without Exec (or URL)
inline constexpr int kShellLinkBroken = 4;     // a symbolic link whose target does not exist

// 0 on success; non-zero for anything that is not a readable desktop entry or symbolic link.
int ResolveShellLink(const std::string& linkPath, ShellLinkRecord& record);
// Splits a command line the way a POSIX shell would split words (quotes and backslashes),
// without expanding anything.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// The word quoted for a POSIX shell when it needs it ('' for an empty word); SplitCommandLine
// gives the word back.
std::string QuoteShellWord(const std::string& word);

} // namespace pw
