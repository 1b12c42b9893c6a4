#pragma once
// The desktop shell's execute operation: starts a program, or opens a document, folder or web
// address with its default program, with a verb, parameters, a working folder and a show
// command. Programs start directly with their parameters split into words as a POSIX shell
// would split them (no shell in between), in the user's environment as the program received it
// (StartupEnvironment). A failed start is reported through ReportLaunchFailure.

#include <cstdint>
#include <string>

namespace pw {

// Show commands (how the started program's window should appear). Kept for the callers; on
// X11 the started program decides for itself, so they are accepted and not acted upon.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWDEFAULT = 10;

// Results: above 32 means success; the rest name the failure.
inline constexpr intptr_t SE_ERR_FNF = 2;          // the file does not exist
inline constexpr intptr_t SE_ERR_PNF = 3;          // the working folder does not exist
inline constexpr intptr_t SE_ERR_ACCESSDENIED = 5; // the program could not be executed
inline constexpr intptr_t SE_ERR_NOASSOC = 31;     // nothing to open it with
inline constexpr intptr_t kShellExecuteOk = 42;

// verb: "open" (also for an empty or unknown verb), "runas" (a program starts through pkexec
// when it is installed, else plainly; anything else opens as with "open"), "connect" (the
// default handler of the file). file: UTF-8 path (absolute, relative to directory, or a bare
// program name on PATH) or web address. directory: working folder, may be empty.
//
// Programs report their start at once. Documents, folders and addresses are handed to the
// default handler, which runs on while this returns success; when it fails later, the failure
// is reported then.
intptr_t ShellExecute(const std::string& verb, const std::string& file, const std::string& params,
                      const std::string& directory, int showCmd);

} // namespace pw
