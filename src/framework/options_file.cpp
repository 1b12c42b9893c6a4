#include "framework/options_file.h"

#include "util/folders.h"
#include "util/paths.h"
#include "util/text_files.h"

namespace pw {

StringArray NormalizeOptionsLines(const StringArray& lines) {
    StringArray kept;
    for (size_t i = 0; i < lines.size(); ++i)
        if (i == 0 || !StrTrim(lines[i]).empty())
            kept.push_back(lines[i]);
    StringArray result;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0 && StrTrim(kept[i]).starts_with('['))
            result.emplace_back();
        result.push_back(kept[i]);
    }
    return result;
}

std::string DecodeOptionsBytes(std::string_view bytes) {
    std::string text = StripByteOrderMark(bytes);
    if (DecodeUtf8(text) == text)
        return text;
    return Windows1252ToUtf8(text);
}

IniDocument LoadOptionsDocument(const std::string& optionsFile, const PathMacros& macros) {
    if (!FileExists(optionsFile))
        return IniDocument();
    std::string text = DecodeUtf8(ReadUtf8FileBytes(optionsFile));
    return IniDocument(macros.MacrosToPaths(text));
}

std::string OptionsFileText(const IniDocument& ini, const PathMacros& macros) {
    std::string text;
    for (const std::string& line : NormalizeOptionsLines(ini.Lines())) {
        text += line;
        text += "\r\n";
    }
    return macros.PathsToMacros(text);
}

bool SaveOptionsDocument(const IniDocument& ini, const std::string& optionsFile,
                         const PathMacros& macros) {
    std::string bytes = OptionsFileText(ini, macros);
    ForceDirectories(ExtractFilePath(optionsFile));
    if (!WriteFileBytes(optionsFile, bytes))
        return false;
    // The backup gets the bytes just written, itself written atomically, so it is never a
    // half-copied file.
    WriteFileBytes(BackupFileName(optionsFile), bytes);
    return true;
}

void LoadOptionsFile(ThvSharedProgramOptions& options, const std::string& optionsFile,
                     const PathMacros& macros) {
    if (!FileExists(optionsFile))
        return;
    IniDocument ini = LoadOptionsDocument(optionsFile, macros);
    options.ReadProgramOptions(ini);
}

bool SaveOptionsFile(ThvSharedProgramOptions& options, const std::string& optionsFile,
                     const PathMacros& macros) {
    IniDocument ini;
    if (FileExists(optionsFile))
        ini.SetText(DecodeOptionsBytes(ReadFileBytes(optionsFile)));
    options.WriteProgramOptions(ini);
    return SaveOptionsDocument(ini, optionsFile, macros);
}

} // namespace pw
