#include "app/ui/module_shared.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "about/form_about.h"
#include "about/form_check_help.h"
#include "about/form_check_updates.h"
#include "framework/environment.h"
#include "framework/program_folder.h"
#include "framework/ui/instance_control.h"
#include "manager/form_front.h"
#include "options/ui/form_program_options.h"
#include "util/paths.h"

namespace pw {

namespace {
std::string FolderOf(QStandardPaths::StandardLocation location) {
    const QString path = QStandardPaths::writableLocation(location);
    return path.isEmpty() ? std::string() : IncludeTrailingSeparator(path.toStdString());
}
} // namespace

DataPathInputs ProgramDataPathInputs() {
    DataPathInputs inputs;
    // The executable's real folder (Qt reads /proc/self/exe), then the rule that picks the folder
    // beside it or the installed data folder.
    const ProgramLocation location = FindProgramFolder(
        IncludeTrailingSeparator(QCoreApplication::applicationDirPath().toStdString()));
    inputs.ProgramFolder = location.ProgramFolder;
    inputs.BinaryFolder = location.BinaryFolder;
    inputs.ProgramFolderInstalled = location.Installed;
    inputs.DocumentsFolder = FolderOf(QStandardPaths::DocumentsLocation);
    inputs.GenericDataFolder = FolderOf(QStandardPaths::GenericDataLocation);
    return inputs;
}

void TModuleProgramOptions::ApplyOptions() {
    if (auto* module = qobject_cast<TModuleShared*>(CurrentModule())) {
        if (TFormFront* front = module->FrontForm())
            front->ApplyOptions(*this);
    }
}

TModuleShared::TModuleShared(QObject* owner, const DataPathInputs& inputs)
    : ThvDataModuleGenericStruct(owner) {
    PathInputs = inputs;
    MainWindowClass = [] { return CreateForm<TFormFront>(); };
    CheckUpdatesWindowClass = [] { return CreateForm<ThvFormCheckUpdates>(); };
    HelpViewerWindowClass = [] { return CreateForm<ThvFormCheckHelp>(); };
    AboutWindowClass = [] { return CreateForm<ThvFormAbout>(); };
    auto options = std::make_unique<TModuleProgramOptions>();
    options->BinaryFolder = ProgramBinaryFolder(inputs);
    options->AutostartFolder = XdgConfigHome(ProcessEnvironment()) + "autostart/";
    DataModuleCreate(std::move(options));
    if (ThvWinFormInstanceControl* control = InstanceControl())
        control->ProgramRequest = [this](const QByteArray& request) {
            return ProgramRequest(request);
        };
}

QByteArray TModuleShared::ProgramRequest(const QByteArray& request) {
    const QList<QByteArray> words = request.split(' ');
    if (words.value(0) == InstanceRequest::Add) {
        TFormFront* front = FrontForm();
        return front ? front->AddLinksRequest(words.mid(1)) : QByteArray("BUSY");
    }
    return "?";
}

TModuleShared::~TModuleShared() {
    DestroyWindows();
    DataModuleDestroy();
}

TFormFront* TModuleShared::FrontForm() const {
    return qobject_cast<TFormFront*>(MainForm.data());
}

void TModuleShared::PopupRequested() {
    if (TFormFront* front = FrontForm())
        front->JvApplicationHotKeyHotKey();
}

void TModuleShared::ShowPreferences() {
    OpenForm(
        PreferencesForm, [] { return CreateForm<TFormProgramOptions>(); }, false, true);
    if (PreferencesForm && PreferencesForm->isVisible()) {
        PreferencesForm->raise();
        PreferencesForm->activateWindow();
    }
}

void TModuleShared::GetExtraFormVariables(std::vector<FormSlot*>& list) {
    list.push_back(&PreferencesForm);
}

void TModuleShared::WriteProgramOptions(IniDocument& ini) {
    // The program's keys and the autostart entry follow the framework's keys.
    ThvDataModuleGenericStruct::WriteProgramOptions(ini);
}

void TModuleShared::ReadProgramOptions(const IniDocument& ini) {
    ThvDataModuleGenericStruct::ReadProgramOptions(ini);
}

void TModuleShared::DestroyWindows() {
    for (FormSlot* slot : {&PreferencesForm, &AboutForm, &CheckUpdatesForm, &HelpViewerForm}) {
        if (auto* form = qobject_cast<ThvFormGenericStructEx*>(slot->data())) {
            form->FormDestroy();
            delete form;
        }
    }
    if (auto* front = qobject_cast<ThvFormGenericStructEx*>(MainForm.data())) {
        front->FormDestroy();
        delete front;
    }
}

} // namespace pw
