#include "options/program_options.h"

#include "options/autostart_entry.h"

namespace pw {

void TProgramOptions::ReadProgramOptions(const IniDocument& ini) {
    ThvSharedProgramOptions::ReadProgramOptions(ini);
    OverrideStandardFont =
        ini.ReadBool(kSectionVisuals, "OverrideStandardFont", OverrideStandardFont);
    OverrideStandardFontName =
        ini.ReadString(kSectionVisuals, "OverrideStandardFontName", OverrideStandardFontName);
    OverrideStandardFontSize =
        ini.ReadInteger(kSectionVisuals, "OverrideStandardFontSize", OverrideStandardFontSize);
    OverrideStandardFontBold =
        ini.ReadBool(kSectionVisuals, "OverrideStandardFontBold", OverrideStandardFontBold);
    AlwaysShowInTray = ini.ReadBool(kSectionMiscellaneous, "AlwaysShowInTray", AlwaysShowInTray);
    AlwaysShowInTask = ini.ReadBool(kSectionMiscellaneous, "AlwaysShowInTask", AlwaysShowInTask);
    ProgramPopupShortCut =
        ini.ReadString(kSectionMiscellaneous, "ProgramPopupShortCut", ProgramPopupShortCut);
}

void TProgramOptions::WriteProgramOptions(IniDocument& ini) {
    ThvSharedProgramOptions::WriteProgramOptions(ini);
    ini.WriteBool(kSectionVisuals, "OverrideStandardFont", OverrideStandardFont);
    ini.WriteString(kSectionVisuals, "OverrideStandardFontName", OverrideStandardFontName);
    ini.WriteInteger(kSectionVisuals, "OverrideStandardFontSize", OverrideStandardFontSize);
    ini.WriteBool(kSectionVisuals, "OverrideStandardFontBold", OverrideStandardFontBold);
    ini.WriteBool(kSectionMiscellaneous, "AlwaysShowInTray", AlwaysShowInTray);
    ini.WriteBool(kSectionMiscellaneous, "AlwaysShowInTask", AlwaysShowInTask);
    ini.WriteString(kSectionMiscellaneous, "ProgramPopupShortCut", ProgramPopupShortCut);
    AutostartUpdated = !AutostartFolder.empty() &&
                       UpdateAutostartEntry(AutostartFolder, BinaryFolder, AlwaysShowInTray);
}

} // namespace pw
