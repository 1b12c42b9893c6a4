#pragma once
// TModuleShared: the program's application module. It adds the Preferences window to the
// windows the module tracks, and the program's own options.

#include "framework/ui/data_module.h"
#include "options/program_options.h"

namespace pw {

class TFormFront;

// The program's options; applying them reaches the main window.
class TModuleProgramOptions : public TProgramOptions {
public:
    using TProgramOptions::TProgramOptions;
    void ApplyOptions() override;
};

class TModuleShared : public ThvDataModuleGenericStruct {
    Q_OBJECT
public:
    // Runs the whole start-up. inputs: the program folder and the standard folders.
    TModuleShared(QObject* owner, const DataPathInputs& inputs);
    ~TModuleShared() override;

    void GetExtraFormVariables(std::vector<FormSlot*>& list) override;
    void PopupRequested() override;
    // The requests of pathwick-ctl beyond the framework's: "ADD" (the main window's links).
    QByteArray ProgramRequest(const QByteArray& request);
    void WriteProgramOptions(IniDocument& ini) override;
    void ReadProgramOptions(const IniDocument& ini) override;

    // Opens the Preferences dialog, or brings the open one forward.
    void ShowPreferences();

    // Destroys the windows in shutdown order: those opened on demand, then the main window.
    void DestroyWindows();

    TProgramOptions& ProgramOptions() { return static_cast<TProgramOptions&>(Options()); }
    TFormFront* FrontForm() const;

    FormSlot PreferencesForm;
};

// The program folder and standard folders of this process.
DataPathInputs ProgramDataPathInputs();

} // namespace pw
