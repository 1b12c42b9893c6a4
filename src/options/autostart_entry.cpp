#include "options/autostart_entry.h"

#include <cstdio>

#include "util/paths.h"
#include "util/text_files.h"

namespace pw {

std::string DefaultAutostartFolder(const EnvLookup& env) {
    std::string config = XdgConfigHome(env);
    return config.empty() ? "" : config + "autostart/";
}

std::string AutostartEntryFile(const std::string& autostartFolder) {
    return IncludeTrailingSeparator(autostartFolder) + std::string(kAutostartName) + ".desktop";
}

std::string QuoteExecArgument(std::string_view argument) {
    static constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    bool needsQuotes = argument.empty() || argument.find_first_of(kReserved) != argument.npos;
    std::string quoted;
    if (needsQuotes)
        quoted += '"';
    for (char c : argument) {
        if (c == '%') {
            quoted += "%%";
            continue;
        }
        if (needsQuotes && (c == '"' || c == '`' || c == '$' || c == '\\'))
            quoted += '\\';
        quoted += c;
    }
    if (needsQuotes)
        quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\')
            value += '\\';
        value += c;
    }
    return value;
}

std::string AutostartEntryText(const std::string& binaryFolder) {
    std::string program =
        IncludeTrailingSeparator(binaryFolder) + std::string(kAutostartProgramFile);
    std::string text;
    text += "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Name=Pathwick\n";
    text += "Comment=Shortcut menu in the notification area\n";
    text += "Exec=" + QuoteExecArgument(program) + "\n";
    text += "Terminal=false\n";
    text += "X-GNOME-Autostart-enabled=true\n";
    return text;
}

bool UpdateAutostartEntry(const std::string& autostartFolder, const std::string& binaryFolder,
                          bool enabled) {
    if (autostartFolder.empty())
        return false;
    std::string file = AutostartEntryFile(autostartFolder);
    if (!enabled) {
        if (!PathExists(file))
            return true;
        return std::remove(file.c_str()) == 0;
    }
    std::string text = AutostartEntryText(binaryFolder);
    if (FileExists(file) && ReadFileBytes(file) == text)
        return true;
    if (!ForceDirectories(IncludeTrailingSeparator(autostartFolder)))
        return false;
    return WriteFileBytes(file, text);
}

} // namespace pw
