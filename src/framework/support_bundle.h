#pragma once
// Data for support: the About window's table as "data.html" and copies of the program's
// configuration and log files, written into one folder the user picks.

#include <string>
#include <string_view>
#include <vector>

#include "framework/data_paths.h"
#include "util/strings.h"

namespace pw {

struct SupportFile {
    std::string Source;     // full path
    std::string TargetName; // name in the chosen folder
};

inline constexpr const char* kSupportDataFileName = "data.html";

// The program folder's "muc.ini", the log file as "program.log" and the options file as
// "options.ini", in that order.
std::vector<SupportFile> SupportBundleFiles(const DataPaths& paths);

struct SupportBundleResult {
    StringArray Written; // names written into the folder, in order
    StringArray Failed;  // names that could not be written
};

// Writes dataHtml as "data.html", then copies each file that exists (missing ones are skipped,
// neither written nor failed). Each step runs by itself; a failure does not stop the next. An
// existing file of the same name is replaced.
SupportBundleResult CollectSupportData(const std::string& folder, std::string_view dataHtml,
                                       const std::vector<SupportFile>& files);

} // namespace pw
