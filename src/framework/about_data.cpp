#include "framework/about_data.h"

#include <cstdio>

#include "framework/maker_info.h"

namespace pw {

namespace {
std::string EscapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string CsvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}
} // namespace

std::string FormatMegabytes(uint64_t bytes) {
    // Hundredths of a megabyte, rounded half up, in whole numbers: no floating-point rounding.
    constexpr uint64_t kMegabyte = 1024 * 1024;
    const uint64_t whole = bytes / kMegabyte;
    const uint64_t rest = bytes % kMegabyte;
    uint64_t hundredths = (rest * 100 + kMegabyte / 2) / kMegabyte;
    uint64_t integer = whole;
    if (hundredths == 100) {
        hundredths = 0;
        ++integer;
    }
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%llu.%02llu", static_cast<unsigned long long>(integer),
                  static_cast<unsigned long long>(hundredths));
    return buffer;
}

std::string MemoryText(uint64_t total, uint64_t available) {
    return FormatMegabytes(total) + " MB (Free: " + FormatMegabytes(available) + " MB)";
}

std::vector<AboutDataRow> AboutDataRows(const AboutFacts& facts) {
    std::string identification(maker::ProgramNameShort);
    identification += " ";
    identification += maker::ProgramVersion;
    return {
        {"Application identification", identification, false},
        {"Operating system platform", facts.OsName, false},
        {"Computer physical memory",
         MemoryText(facts.Memory.TotalPhysical, facts.Memory.AvailablePhysical), false},
        {"Computer virtual memory",
         MemoryText(facts.Memory.TotalVirtual, facts.Memory.AvailableVirtual), false},
        {"Application main directory", facts.ProgramFolder, true},
        {"Application user data directory", facts.UserDataFolder, true},
        {"Application core data directory", facts.CoreDataFolder, true},
    };
}

AboutFacts CollectAboutFacts(const ThvSystemInfo& system, const std::string& programFolder,
                             const std::string& userDataFolder, const std::string& coreDataFolder) {
    AboutFacts facts;
    facts.OsName = system.GetOSVersion().Name;
    facts.Memory.TotalPhysical = system.TotalPhysicalMemory();
    facts.Memory.AvailablePhysical = system.AvailablePhysicalMemory();
    facts.Memory.TotalVirtual = system.TotalVirtualMemory();
    facts.Memory.AvailableVirtual = system.AvailableVirtualMemory();
    facts.ProgramFolder = programFolder;
    facts.UserDataFolder = userDataFolder;
    facts.CoreDataFolder = coreDataFolder;
    return facts;
}

std::string AboutCreditsText(const std::string& websiteBaseUrl) {
    std::string text = "Created by:\n";
    text += std::string(maker::CompanyNameLong) + "\n" + websiteBaseUrl + "\n";
    text += "\n"
            "Portions:\n"
            "\n"
            "Qt 6 (Core, GUI, Widgets, Network, Print Support):\n"
            "https://www.qt.io/\n"
            "Source: https://download.qt.io/official_releases/qt/\n"
            "Licence: GNU Lesser General Public License version 3 (LGPL-3.0)\n"
            "\n"
            "libxcb, the X protocol C-language binding:\n"
            "https://xcb.freedesktop.org/\n"
            "Source: https://gitlab.freedesktop.org/xorg/lib/libxcb\n"
            "Licence: MIT/X11 licence\n";
    return text;
}

std::string AboutDataHtml(const std::vector<AboutDataRow>& rows) {
    std::string title =
        std::string(maker::ProgramNameShort) + " " + std::string(maker::ProgramVersion) + " - Data";
    std::string html =
        "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>" +
        EscapeHtml(title) + "</title>\r\n</head>\r\n<body>\r\n";
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\r\n";
    html += "<tr><th>" + EscapeHtml(kAboutDataKeyHeader) + "</th><th>" +
            EscapeHtml(kAboutDataValueHeader) + "</th></tr>\r\n";
    for (const AboutDataRow& row : rows)
        html += "<tr><td>" + EscapeHtml(row.Key) + "</td><td>" + EscapeHtml(row.Value) +
                "</td></tr>\r\n";
    html += "</table>\r\n</body>\r\n</html>\r\n";
    return html;
}

std::string AboutDataCsv(const std::vector<AboutDataRow>& rows) {
    std::string csv = CsvCell(kAboutDataKeyHeader) + "," + CsvCell(kAboutDataValueHeader) + "\r\n";
    for (const AboutDataRow& row : rows)
        csv += CsvCell(row.Key) + "," + CsvCell(row.Value) + "\r\n";
    return csv;
}

} // namespace pw
