#pragma once
// ThvDataModuleGenericStruct: the application module, the first object the program creates and
// the last it releases. It owns the log, the single-instance control, the language composite
// and the options object, runs the start-up sequence, opens and tracks the program's windows
// and writes the options file when it is released.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/data_paths.h"
#include "framework/logging.h"
#include "framework/shared_options.h"
#include "framework/system_info.h"
#include "framework/ui/form_base.h"

namespace pw {

class ThvWinFormInstanceControl;
class ThvlgLanguageCompositeAllEx;
class ThvlgLanguageController;

// The module states, in order.
enum class ModuleState {
    Created,
    FrameworkInitialised,
    OptionsLoaded,
    LanguageAndMainFormReady,
    WaitingForDelayedStartup,
    Running,
    Terminating,
    Released
};

using FormSlot = QPointer<ThvFormGenericStruct>;
using FormFactory = std::function<ThvFormGenericStruct*()>;

class ThvDataModuleGenericStruct : public QObject {
    Q_OBJECT
public:
    explicit ThvDataModuleGenericStruct(QObject* owner = nullptr);
    ~ThvDataModuleGenericStruct() override;

    // --- the virtual operations, in their order ---
    virtual void OwnExceptionHandler(QObject* sender, const std::exception& e);
    virtual void GetFormVariables(std::vector<FormSlot*>& list);
    virtual void GetExtraFormVariables(std::vector<FormSlot*>& list) { (void)list; }
    virtual void WriteProgramOptions(IniDocument& ini);
    virtual void ReadProgramOptions(const IniDocument& ini);
    virtual void LoadFormPlacement(ThvFormGenericStruct* form);
    virtual void LoadFormMiscState(ThvFormGenericStruct* form);
    virtual void ParseCommandLine(const QStringList& arguments);
    virtual void TerminateIfRequested();
    virtual void RegisterModuleTexts();
    virtual void RegisterApplicationTexts();
    virtual void ApplyApplicationTexts();
    virtual void ReleaseModule();
    virtual void InitializeFramework();
    virtual void StartLanguageAndMainForm();
    virtual void CompleteStartup();
    virtual void DelayedStartup();
    virtual void NotifyMainFormStarted();
    virtual void SaveFormPlacement(ThvFormGenericStruct* form);
    virtual void SaveFormMiscState(ThvFormGenericStruct* form);
    virtual void FormDestroyed(ThvFormGenericStruct* form);

    // pathwick-ctl popup: what the program's hot key does.
    virtual void PopupRequested() {}

    // Opens the Check for updates window (the schedule of the delayed start-up uses it).
    virtual void StartCheckUpdates();
    // Open the About, Check for updates and Help viewer windows, not modal; an open one is left
    // as it is.
    void ShowAbout();
    void ShowCheckUpdates();
    void ShowHelpViewer();

    // Opens a window once per slot; an open window is left as it is.
    void OpenForm(FormSlot& slot, const FormFactory& windowClass, bool modal, bool show);
    void PrepareAndShowForm(ThvFormGenericStruct* form, bool hideFirst, bool modal, bool show);
    // Switches the user interface language and re-translates every open window.
    void SetLanguage(const std::string& culture, bool freeAll);
    void LoadOptionsFile();
    void SaveOptionsFile();

    // The maker's web site: the base address (scheme and host, PATHWICK_WEBSITE_URL when set,
    // see framework/website.h) and the same with a trailing "/".
    static std::string GetWebsiteBaseUrl();
    static std::string GetWebsiteUrl();

    // Ends the program: the message loop stops, or does not start.
    void RequestTermination();
    bool Terminating() const { return state_ == ModuleState::Terminating || terminated_; }
    ModuleState State() const { return state_; }

    // --- the module's services ---
    ThvLogging hvLoggingProgram;
    const DataPaths& Paths() const { return paths_; }
    ThvSharedProgramOptions& Options() { return *options_; }
    ThvlgLanguageController& Language();
    ThvlgLanguageCompositeAllEx& LanguageComposite() { return *composite_; }
    ThvWinFormInstanceControl* InstanceControl() const { return instanceControl_; }
    // The system's answers (name, memory, browsers); exists once the module is created.
    const ThvSystemInfo& SystemInfo() const { return *systemInfo_; }

    // The window slots.
    FormSlot MainForm, AboutForm, CheckUpdatesForm, HelpViewerForm;
    FormFactory MainWindowClass;
    // The classes of the windows opened on demand; set by the program's module.
    FormFactory CheckUpdatesWindowClass, AboutWindowClass, HelpViewerWindowClass;

    bool MainWindowClosing = false;
    bool HideRequested = false;
    bool ExitRequested = false;

    // The folder the program runs from, and the standard folders; set before InitializeFramework
    // (the program entry passes the executable's folder and the platform's locations).
    DataPathInputs PathInputs;

protected:
    // The start-up of the module's creation handler: InitializeFramework, publish the module,
    // create the composite and the options, load the options file, language and main window,
    // complete the start-up.
    void DataModuleCreate(std::unique_ptr<ThvSharedProgramOptions> options);
    // The shutdown of the module's destroy handler.
    void DataModuleDestroy();

    std::unique_ptr<ThvSharedProgramOptions> options_;
    std::unique_ptr<ThvlgLanguageCompositeAllEx> composite_;
    std::unique_ptr<ThvSystemInfo> systemInfo_;
    DataPaths paths_;

private:
    bool event(QEvent* e) override;
    void ProcessPendingMessages();

    ThvWinFormInstanceControl* instanceControl_ = nullptr;
    ModuleState state_ = ModuleState::Created;
    bool terminated_ = false;
};

// The current application module; nullptr until one has been created.
ThvDataModuleGenericStruct* CurrentModule();

// Makes a window of class T and runs its construction sequence.
template <typename T> T* CreateForm() {
    auto* form = new T();
    form->Construct();
    return form;
}

} // namespace pw
