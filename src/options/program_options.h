#pragma once
// The program's own options: how the popup menu is drawn, the autostart entry, the hot key.

#include <string>

#include "framework/shared_options.h"

namespace pw {

class TProgramOptions : public ThvSharedProgramOptions {
public:
    explicit TProgramOptions(const ThvSystemInfo* systemInfo = nullptr)
        : ThvSharedProgramOptions(systemInfo) {}

    // The framework's keys, then the seven keys of the program.
    void ReadProgramOptions(const IniDocument& ini) override;
    // The framework's keys, the seven keys of the program, then the autostart entry (when an
    // autostart folder is set): present exactly when AlwaysShowInTray is true.
    void WriteProgramOptions(IniDocument& ini) override;

    bool OverrideStandardFont = false;
    std::string OverrideStandardFontName = "Verdana";
    int OverrideStandardFontSize = 10; // points
    bool OverrideStandardFontBold = false;
    bool AlwaysShowInTray = true;
    bool AlwaysShowInTask = true; // stored only
    std::string ProgramPopupShortCut = "CTRL+L";

    // Not stored: where the autostart entry goes ("" leaves it alone) and the folder of the
    // program's binary, which its Exec line names (the program folder of a build, bin/ of an
    // installed program). Set by the application module from the data paths and the environment.
    std::string AutostartFolder;
    std::string BinaryFolder;
    // Whether the last write could update the autostart entry.
    bool AutostartUpdated = false;
};

} // namespace pw
