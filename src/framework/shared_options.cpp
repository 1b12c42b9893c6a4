#include "framework/shared_options.h"

#include "framework/system_info.h"
#include "util/strings.h"

namespace pw {

ThvSharedProgramOptions::ThvSharedProgramOptions(const ThvSystemInfo* systemInfo)
    : CheckUpdatesLast(NowLocal()) {
    if (systemInfo)
        LookUpProgramPaths(*systemInfo);
}

void ThvSharedProgramOptions::LookUpProgramPaths(const ThvSystemInfo& systemInfo) {
    NotepadPath = systemInfo.NotepadPath();
    FirefoxPath = systemInfo.FirefoxPath();
    OperaPath = systemInfo.OperaPath();
    InternetExplorerPath = systemInfo.InternetExplorerPath();
}

void ThvSharedProgramOptions::ReadProgramOptions(const IniDocument& ini) {
    std::string culture =
        StrTrim(ini.ReadString(kSectionGeneral, "LanguageCulture", LanguageCulture));
    if (!culture.empty())
        LanguageCulture = StrLower(culture) == "en-us" ? std::string("en-us") : culture;

    SaveWindowsSetup = ini.ReadBool(kSectionVisuals, "SaveWindowsSetup", SaveWindowsSetup);
    SaveToolBarsSetup = ini.ReadBool(kSectionVisuals, "SaveToolBarsSetup", SaveToolBarsSetup);
    SaveMiscSetup = ini.ReadBool(kSectionVisuals, "SaveMiscSetup", SaveMiscSetup);
    CheckUpdatesInterval =
        ini.ReadInteger(kSectionMiscellaneous, "CheckUpdatesInterval", CheckUpdatesInterval);
    CheckUpdatesHighlightUpgrades = ini.ReadBool(
        kSectionMiscellaneous, "CheckUpdatesHighlightUpgrades", CheckUpdatesHighlightUpgrades);
    CheckUpdatesLast = TextToDateTime(ini.ReadString(kSectionMiscellaneous, "CheckUpdatesLast",
                                                     DateTimeToText(0, CheckUpdatesLast)));
    CheckUpdatesCritErrRes =
        ini.ReadBool(kSectionMiscellaneous, "CheckUpdatesCritErrRes", CheckUpdatesCritErrRes);
}

void ThvSharedProgramOptions::WriteProgramOptions(IniDocument& ini) {
    ini.WriteString(kSectionGeneral, "LanguageCulture", LanguageCulture);
    ini.WriteBool(kSectionVisuals, "SaveWindowsSetup", SaveWindowsSetup);
    ini.WriteBool(kSectionVisuals, "SaveToolBarsSetup", SaveToolBarsSetup);
    ini.WriteBool(kSectionVisuals, "SaveMiscSetup", SaveMiscSetup);
    ini.WriteInteger(kSectionMiscellaneous, "CheckUpdatesInterval", CheckUpdatesInterval);
    ini.WriteBool(kSectionMiscellaneous, "CheckUpdatesHighlightUpgrades",
                  CheckUpdatesHighlightUpgrades);
    ini.WriteString(kSectionMiscellaneous, "CheckUpdatesLast", DateTimeToText(0, CheckUpdatesLast));
    ini.WriteBool(kSectionMiscellaneous, "CheckUpdatesCritErrRes", CheckUpdatesCritErrRes);
    ini.WriteBool(kSectionMiscellaneous, "CheckUpdatesResCritErr",
                  CheckUpdatesCritErrRes && CheckUpdatesInterval > 14);
}

} // namespace pw
