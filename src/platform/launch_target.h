#pragma once
// What a path given to the launcher names on this system, and how it is started: programs
// directly, scripts without an execute bit through their interpreter, everything else through
// the desktop's default handler.

#include <QString>

namespace pw {

enum class LaunchKind {
    Missing,  // a local path that does not exist (or an empty one)
    Program,  // a regular file that can be executed directly
    Script,   // a ".sh" file without an execute bit: run by /bin/sh
    Document, // an existing file that is no program, or a folder
    Address,  // a web address or another URL: only the default handler knows it
};

struct LaunchTarget {
    LaunchKind Kind = LaunchKind::Missing;
    QString Path; // absolute local path, or the address as the handler should receive it
};

// file: as the caller gives it (absolute, relative to directory, or a bare program name found
// on the user's PATH); directory: the working folder, may be empty.
LaunchTarget ResolveLaunchTarget(const QString& file, const QString& directory);

// A URL scheme ("https:", "mailto:") or "www." at the start, after leading blanks and controls.
bool LooksLikeAddress(const QString& text);

} // namespace pw
