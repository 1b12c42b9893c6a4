#pragma once
// The framework's options object: the options every program of the framework keeps in its
// options file, with their defaults and their keys. A program derives its own options from it.

#include <string>

#include "lang/ini_document.h"
#include "util/datetime.h"

namespace pw {

class ThvSystemInfo;

inline constexpr std::string_view kSectionGeneral = "ProgramOptions.General";
inline constexpr std::string_view kSectionVisuals = "ProgramOptions.Visuals";
inline constexpr std::string_view kSectionMiscellaneous = "ProgramOptions.Miscellaneous";

class ThvSharedProgramOptions {
public:
    // The defaults; CheckUpdatesLast is the moment of creation. With systemInfo, the editor
    // and browser paths are looked up through it.
    explicit ThvSharedProgramOptions(const ThvSystemInfo* systemInfo = nullptr);
    virtual ~ThvSharedProgramOptions() = default;

    // Applies the options to the running program; nothing in the framework.
    virtual void ApplyOptions() {}
    // Reads the framework's keys, each with the field's current value as default.
    virtual void ReadProgramOptions(const IniDocument& ini);
    // Writes the framework's keys in their fixed order.
    virtual void WriteProgramOptions(IniDocument& ini);

    // Fills the four paths below from the system information.
    void LookUpProgramPaths(const ThvSystemInfo& systemInfo);

    std::string LanguageCulture = "en-us";
    bool SaveWindowsSetup = true;
    bool SaveToolBarsSetup = true; // stored only
    bool SaveMiscSetup = true;
    int CheckUpdatesInterval = 60; // days
    bool CheckUpdatesHighlightUpgrades = true;
    TDateTime CheckUpdatesLast = 0;
    bool CheckUpdatesCritErrRes = false;
    // Not stored.
    std::string NotepadPath;
    std::string FirefoxPath;
    std::string OperaPath;
    std::string InternetExplorerPath;
};

} // namespace pw
