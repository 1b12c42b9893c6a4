#include "framework/ui/data_module.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cxxabi.h>
#include <typeinfo>

#include "framework/maker_info.h"
#include "framework/options_file.h"
#include "framework/support_address.h"
#include "framework/ui/instance_control.h"
#include "framework/web_rules.h"
#include "framework/website.h"
#include "lang/framework_texts.h"
#include "lang/language_controller.h"
#include "lang/ui/language_assistants.h"
#include "lang/ui/message_dialog.h"
#include "platform/shell_execute.h"

namespace pw {

namespace {
ThvDataModuleGenericStruct* gCurrentModule = nullptr;

// The posted message that runs the delayed start-up once the message loop runs.
const QEvent::Type kDelayedStartupEvent = static_cast<QEvent::Type>(QEvent::User + 1);

constexpr int kWindowStateNormal = 0;
constexpr int kWindowStateMaximized = 2;
constexpr int kMaxCoordinate = 32767;

// The class name of an error, as the log and the support address show it.
std::string ExceptionClassName(const std::exception& e) {
    const char* mangled = typeid(e).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    return name;
}
} // namespace

ThvDataModuleGenericStruct* CurrentModule() {
    return gCurrentModule;
}

ThvDataModuleGenericStruct::ThvDataModuleGenericStruct(QObject* owner) : QObject(owner) {}

ThvDataModuleGenericStruct::~ThvDataModuleGenericStruct() {
    if (gCurrentModule == this)
        gCurrentModule = nullptr;
}

ThvlgLanguageController& ThvDataModuleGenericStruct::Language() {
    return composite_->Controller();
}

// --- start-up ---------------------------------------------------------------------------------

void ThvDataModuleGenericStruct::DataModuleCreate(
    std::unique_ptr<ThvSharedProgramOptions> options) {
    InitializeFramework();
    gCurrentModule = this;
    composite_ = std::make_unique<ThvlgLanguageCompositeAllEx>();
    systemInfo_ =
        std::make_unique<LinuxSystemInfo>("/etc/os-release", "/proc/meminfo", "",
                                          PathInputs.DocumentsFolder, PathInputs.GenericDataFolder);
    options_ = std::move(options);
    // The browsers are looked up once, at start-up; they are not stored.
    if (options_)
        options_->LookUpProgramPaths(*systemInfo_);
    state_ = ModuleState::FrameworkInitialised;
    LoadOptionsFile();
    state_ = ModuleState::OptionsLoaded;
    StartLanguageAndMainForm();
    CompleteStartup();
}

void ThvDataModuleGenericStruct::InitializeFramework() {
    // The program lives in the notification area: closing or hiding windows never ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    instanceControl_ =
        new ThvWinFormInstanceControl(this, false, QString::fromLatin1(kInstanceIdentifier));
    instanceControl_->Terminate = [this] { RequestTermination(); };
    instanceControl_->MainWindowId = [this] {
        return MainForm ? static_cast<qulonglong>(MainForm->winId()) : qulonglong(0);
    };
    instanceControl_->BringForward = [this] {
        if (auto* front = qobject_cast<ThvFormFrontBase*>(MainForm.data()))
            front->ShowFrontWindow();
    };
    // The request is answered first; the popup runs its own loop afterwards.
    instanceControl_->Popup = [this] { QTimer::singleShot(0, this, [this] { PopupRequested(); }); };
    instanceControl_->CheckInstances();

    MainWindowClosing = HideRequested = ExitRequested = false;

    paths_ = ResolveDataPaths(PathInputs);
    hvLoggingProgram.SetLogFile(paths_.LogFile);
}

void ThvDataModuleGenericStruct::StartLanguageAndMainForm() {
    if (Terminating())
        return;
    ThvlgLanguageController& lang = Language();
    lang.SetLanguagesFolder(paths_.LanguageFolder);
    // Translations saved where the program folder could not be written.
    lang.SetUserLanguagesFolder(paths_.UserDataFolder + "trans/");
    options_->LanguageCulture = lang.AdjustCulture(options_->LanguageCulture);
    lang.SetCurrentCulture(options_->LanguageCulture, false);
    lang.SetOptions({/*UseBuiltInTexts=*/true, /*SkipEmptyTexts=*/true});
    lang.SetAsGlobalController();
    lang.PushDefaultTemplateSystem("__curly");
    RegisterFrameworkTemplateVariables(lang, paths_, GetWebsiteBaseUrl());
    SetDialogTranslation(&lang, kFileGeneral);

    RegisterModuleTexts();
    RegisterApplicationTexts();
    ApplyApplicationTexts();
    ParseCommandLine(QCoreApplication::arguments().mid(1));
    ProcessPendingMessages();
    if (Terminating())
        return;
    if (!MainForm) {
        if (!MainWindowClass)
            return;
        CreatingMainWindow = true;
        ThvFormGenericStruct* form = nullptr;
        try {
            form = MainWindowClass();
        } catch (...) {
            CreatingMainWindow = false;
            throw;
        }
        CreatingMainWindow = false;
        MainForm = form;
        PrepareAndShowForm(form, true, false, true);
    } else {
        OpenForm(MainForm, MainWindowClass, false, true);
    }
    state_ = ModuleState::LanguageAndMainFormReady;
}

void ThvDataModuleGenericStruct::CompleteStartup() {
    if (Terminating())
        return;
    // The program's title is its windows' title: nothing to set on the application here
    // (renaming it now would change the class of the windows made later).
    QCoreApplication::postEvent(this, new QEvent(kDelayedStartupEvent));
    state_ = ModuleState::WaitingForDelayedStartup;
}

bool ThvDataModuleGenericStruct::event(QEvent* e) {
    if (e->type() == kDelayedStartupEvent) {
        NotifyMainFormStarted();
        DelayedStartup();
        return true;
    }
    return QObject::event(e);
}

void ThvDataModuleGenericStruct::NotifyMainFormStarted() {
    if (MainForm)
        MainForm->StartupComplete();
}

void ThvDataModuleGenericStruct::DelayedStartup() {
    ProcessPendingMessages();
    if (!Terminating() && qobject_cast<ThvFormFrontBase*>(MainForm.data()) &&
        CheckUpdatesDue(NowLocal(), options_->CheckUpdatesLast, options_->CheckUpdatesInterval,
                        options_->CheckUpdatesCritErrRes))
        StartCheckUpdates();
    ProcessPendingMessages();
    if (!Terminating())
        options_->ApplyOptions();
    ProcessPendingMessages();
    if (!Terminating()) {
        state_ = ModuleState::Running;
        TerminateIfRequested();
    }
}

void ThvDataModuleGenericStruct::ParseCommandLine(const QStringList& arguments) {
    for (QString arg : arguments) {
        arg = arg.trimmed();
        if (!arg.contains(u'-') || !arg.startsWith(u'-'))
            continue;
        const QString word = arg.mid(1).toLower();
        if (word == QLatin1String("hide"))
            HideRequested = true;
        else if (word == QLatin1String("exit"))
            ExitRequested = true;
    }
}

void ThvDataModuleGenericStruct::TerminateIfRequested() {
    if (HideRequested || ExitRequested)
        RequestTermination();
}

void ThvDataModuleGenericStruct::RequestTermination() {
    terminated_ = true;
    state_ = ModuleState::Terminating;
    QCoreApplication::exit(0);
}

void ThvDataModuleGenericStruct::ProcessPendingMessages() {
    QCoreApplication::processEvents();
}

// --- texts ------------------------------------------------------------------------------------

void ThvDataModuleGenericStruct::RegisterModuleTexts() {
    RegisterFrameworkTexts(Language());
}

void ThvDataModuleGenericStruct::RegisterApplicationTexts() {
    composite_->AssistantApplication.Application(TranslateStep::Register, "UTF8_shared.ini",
                                                 "__Module");
}

void ThvDataModuleGenericStruct::ApplyApplicationTexts() {
    composite_->AssistantApplication.Application(TranslateStep::Apply, "UTF8_shared.ini",
                                                 "__Module");
}

void ThvDataModuleGenericStruct::SetLanguage(const std::string& culture, bool freeAll) {
    ThvlgLanguageController& lang = Language();
    const std::string adjusted = lang.AdjustCulture(culture);
    lang.SetCurrentCulture(adjusted, freeAll);
    ApplyApplicationTexts();
    options_->LanguageCulture = adjusted;
    std::vector<FormSlot*> forms;
    GetFormVariables(forms);
    for (FormSlot* slot : forms) {
        if (*slot) {
            (*slot)->ApplyTranslation();
            (*slot)->PrepareShow();
        }
    }
}

// --- windows ----------------------------------------------------------------------------------

void ThvDataModuleGenericStruct::GetFormVariables(std::vector<FormSlot*>& list) {
    list.push_back(&MainForm);
    list.push_back(&AboutForm);
    list.push_back(&CheckUpdatesForm);
    list.push_back(&HelpViewerForm);
    GetExtraFormVariables(list);
}

void ThvDataModuleGenericStruct::OpenForm(FormSlot& slot, const FormFactory& windowClass,
                                          bool modal, bool show) {
    if (slot || !windowClass)
        return;
    ThvFormGenericStruct* form = windowClass();
    slot = form;
    PrepareAndShowForm(form, true, modal, show);
}

void ThvDataModuleGenericStruct::PrepareAndShowForm(ThvFormGenericStruct* form, bool hideFirst,
                                                    bool modal, bool show) {
    if (!form)
        return;
    if (form->isVisible() && hideFirst)
        form->hide();
    LoadFormPlacement(form);
    LoadFormMiscState(form);
    form->PrepareShow();
    if (form->IsMainWindow || HideRequested || !show)
        return;
    if (modal)
        form->setWindowModality(Qt::ApplicationModal);
    form->show();
}

void ThvDataModuleGenericStruct::FormDestroyed(ThvFormGenericStruct* form) {
    std::vector<FormSlot*> extras;
    GetExtraFormVariables(extras);
    if (form == MainForm.data() || form->IsMainWindow) {
        MainWindowClosing = true;
        MainForm = nullptr;
        std::vector<FormSlot*> others = {&CheckUpdatesForm, &HelpViewerForm, &AboutForm};
        others.insert(others.end(), extras.begin(), extras.end());
        for (FormSlot* slot : others) {
            if (*slot) {
                (*slot)->close();
                ProcessPendingMessages();
            }
        }
        return;
    }
    std::vector<FormSlot*> all = {&MainForm, &CheckUpdatesForm, &HelpViewerForm, &AboutForm};
    all.insert(all.end(), extras.begin(), extras.end());
    for (FormSlot* slot : all) {
        if (slot->data() == form) {
            *slot = nullptr;
            return;
        }
    }
}

// --- placement and state ----------------------------------------------------------------------

void ThvDataModuleGenericStruct::LoadFormPlacement(ThvFormGenericStruct* form) {
    if (paths_.OptionsFile.empty())
        return;
    const IniDocument ini = LoadOptionsDocument(paths_.OptionsFile, paths_.Macros);
    const std::string section = form->ComponentName().toStdString();
    const QRect current = form->isMaximized() ? form->normalGeometry() : form->geometry();
    const int defaultState = form->isMaximized() ? kWindowStateMaximized : kWindowStateNormal;
    const int state = ini.ReadInteger(section, "WindowState", defaultState);
    // A hand-edited file may hold anything: positions and sizes stay within what a screen has.
    auto coordinate = [&](const char* key, int current) {
        return std::clamp(ini.ReadInteger(section, key, current), -kMaxCoordinate, kMaxCoordinate);
    };
    auto extent = [&](const char* key, int current) {
        return std::clamp(ini.ReadInteger(section, key, current), 1, kMaxCoordinate);
    };
    const QRect bounds(coordinate("Left", current.left()), coordinate("Top", current.top()),
                       extent("Width", current.width()), extent("Height", current.height()));
    form->PlacementStored = ini.ValueExists(section, "Left") && ini.ValueExists(section, "Top");
    if (form->isMaximized())
        form->showNormal();
    if (form->PlacementStored)
        form->setGeometry(bounds);
    else
        form->resize(bounds.size()); // the position is chosen when the window is first shown
    if (state == kWindowStateMaximized)
        form->setWindowState(form->windowState() | Qt::WindowMaximized);
    else if (state == kWindowStateNormal)
        form->setWindowState(form->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
}

void ThvDataModuleGenericStruct::SaveFormPlacement(ThvFormGenericStruct* form) {
    if (!options_ || !options_->SaveWindowsSetup || paths_.OptionsFile.empty())
        return;
    IniDocument ini = LoadOptionsDocument(paths_.OptionsFile, paths_.Macros);
    const std::string section = form->ComponentName().toStdString();
    const bool maximized = form->windowState() & Qt::WindowMaximized;
    QRect bounds = form->normalGeometry();
    if (bounds.isEmpty())
        bounds = form->geometry();
    ini.WriteInteger(section, "WindowState",
                     maximized ? kWindowStateMaximized : kWindowStateNormal);
    ini.WriteInteger(section, "Top", bounds.top());
    ini.WriteInteger(section, "Height", bounds.height());
    ini.WriteInteger(section, "Left", bounds.left());
    ini.WriteInteger(section, "Width", bounds.width());
    SaveOptionsDocument(ini, paths_.OptionsFile, paths_.Macros);
}

void ThvDataModuleGenericStruct::LoadFormMiscState(ThvFormGenericStruct* form) {
    if (!paths_.OptionsFile.empty())
        form->LoadMiscState(paths_.OptionsFile);
}

void ThvDataModuleGenericStruct::SaveFormMiscState(ThvFormGenericStruct* form) {
    if (options_ && options_->SaveMiscSetup && !paths_.OptionsFile.empty())
        form->SaveMiscState(paths_.OptionsFile);
}

// --- options ----------------------------------------------------------------------------------

void ThvDataModuleGenericStruct::ReadProgramOptions(const IniDocument& ini) {
    options_->ReadProgramOptions(ini);
}

void ThvDataModuleGenericStruct::WriteProgramOptions(IniDocument& ini) {
    options_->WriteProgramOptions(ini);
}

void ThvDataModuleGenericStruct::LoadOptionsFile() {
    if (paths_.OptionsFile.empty() || !options_)
        return;
    ReadProgramOptions(LoadOptionsDocument(paths_.OptionsFile, paths_.Macros));
}

void ThvDataModuleGenericStruct::SaveOptionsFile() {
    if (paths_.OptionsFile.empty() || !options_)
        return;
    IniDocument ini = LoadOptionsDocument(paths_.OptionsFile, paths_.Macros);
    WriteProgramOptions(ini);
    SaveOptionsDocument(ini, paths_.OptionsFile, paths_.Macros);
}

// --- errors -----------------------------------------------------------------------------------

std::string ThvDataModuleGenericStruct::GetWebsiteBaseUrl() {
    return WebsiteBaseUrl();
}

std::string ThvDataModuleGenericStruct::GetWebsiteUrl() {
    return GetWebsiteBaseUrl() + "/";
}

void ThvDataModuleGenericStruct::OwnExceptionHandler(QObject* sender, const std::exception& e) {
    const LogError error{ExceptionClassName(e), e.what()};
    std::optional<LogSender> who;
    if (sender)
        who = LogSender{sender->metaObject()->className(),
                        sender->objectName().isEmpty()
                            ? std::nullopt
                            : std::optional<std::string>(sender->objectName().toStdString())};
    hvLoggingProgram.Log(who ? &*who : nullptr, &error, "", "");
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        return;
    // An error raised while the dialog runs its loop is logged only: no dialog inside a dialog.
    static bool showing = false;
    if (showing)
        return;
    showing = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{showing};
    ThvlgLanguageController* lang = composite_ ? &Language() : nullptr;
    const std::string details = lang
                                    ? lang->GetResString("UTF8_shared.ini", "__MessageText__Module",
                                                         "ErrorOccuredDetails", "Error occured")
                                    : "Error occured";
    const std::string question =
        lang ? lang->GetResString("UTF8_shared.ini", "__MessageText__Module", "OpenBrowserMoreInfo",
                                  "Open browser to view more information?")
             : "Open browser to view more information?";
    const int answer =
        ShowMessageDialog(QString::fromStdString(ErrorDialogText(details, error.Message, question)),
                          MsgDlgType::Error, QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    try {
        ShellExecute("open", SupportAddress(GetWebsiteUrl(), error.ClassName, error.Message), "",
                     "", SW_SHOWNORMAL);
    } catch (...) {
    }
}

void ThvDataModuleGenericStruct::StartCheckUpdates() {
    ShowCheckUpdates();
}

void ThvDataModuleGenericStruct::ShowAbout() {
    OpenForm(AboutForm, AboutWindowClass, false, true);
}

void ThvDataModuleGenericStruct::ShowCheckUpdates() {
    OpenForm(CheckUpdatesForm, CheckUpdatesWindowClass, false, true);
}

void ThvDataModuleGenericStruct::ShowHelpViewer() {
    OpenForm(HelpViewerForm, HelpViewerWindowClass, false, true);
}

void ThvDataModuleGenericStruct::ReleaseModule() {}

void ThvDataModuleGenericStruct::DataModuleDestroy() {
    ReleaseModule();
    SaveOptionsFile();
    state_ = ModuleState::Released;
    SetDialogTranslation(nullptr, "");
    options_.reset();
    composite_.reset();
}

} // namespace pw
