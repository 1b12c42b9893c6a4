#pragma once
// The About window's table of facts about the installation, and its HTML and CSV forms.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/system_info.h"

namespace pw {

// What the table is made of.
struct AboutFacts {
    std::string OsName;
    MemoryFigures Memory;
    std::string ProgramFolder;
    std::string UserDataFolder;
    std::string CoreDataFolder;
};

struct AboutDataRow {
    std::string Key;
    std::string Value;
    bool IsFolder = false; // the value is a folder the table offers to open
};

// The header row's cells.
inline constexpr const char* kAboutDataKeyHeader = "Key";
inline constexpr const char* kAboutDataValueHeader = "Value";

// The seven rows, in their fixed order: "Application identification" ("Pathwick 1.9.4"),
// "Operating system platform", "Computer physical memory", "Computer virtual memory",
// "Application main directory", "Application user data directory",
// "Application core data directory".
std::vector<AboutDataRow> AboutDataRows(const AboutFacts& facts);
// Facts of this system: the name and memory from the system information.
AboutFacts CollectAboutFacts(const ThvSystemInfo& system, const std::string& programFolder,
                             const std::string& userDataFolder, const std::string& coreDataFolder);

// Bytes as megabytes (divided by 1024 twice) with two decimals and a "." : "15936.73".
std::string FormatMegabytes(uint64_t bytes);
// "<total> MB (Free: <available> MB)".
std::string MemoryText(uint64_t total, uint64_t available);

// The credits: the author block with the maker's address, then "Portions:" and one block per
// library the program contains (name and project address, where its source is, licence).
std::string AboutCreditsText(const std::string& websiteBaseUrl);

// A whole UTF-8 HTML document: a table with the header row and one row per fact, every cell
// escaped.
std::string AboutDataHtml(const std::vector<AboutDataRow>& rows);
// The header row and the rows as comma-separated values (CR LF line ends; cells with a comma,
// quote or line break quoted, quotes doubled).
std::string AboutDataCsv(const std::vector<AboutDataRow>& rows);

} // namespace pw
