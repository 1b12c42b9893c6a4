#include "app/ui/module_shared.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include "framework/environment.h"
#include "framework/ui/instance_control.h"
#include "manager/form_front.h"
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
    inputs.ProgramFolder =
        IncludeTrailingSeparator(QCoreApplication::applicationDirPath().toStdString());
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
    auto options = std::make_unique<TModuleProgramOptions>();
    options->ProgramFolder = inputs.ProgramFolder;
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
