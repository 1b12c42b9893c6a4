#include "framework/ui/form_base.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include "framework/ui/data_module.h"

namespace pw {

bool CreatingMainWindow = false;

QString GetProgramTitle() {
    return QStringLiteral("Pathwick " PATHWICK_VERSION);
}

QIcon ProgramIcon() {
    ThvDataModuleGenericStruct* module = CurrentModule();
    const std::string folder = module ? module->Paths().ProgramFolder : std::string();
    return QIcon(QString::fromStdString(folder + "pathwick.png"));
}

QFont ChooseFormFont(const StringArray& fontOverride, const QFont& iconFont,
                     const QStringList& installedFamilies) {
    QStringList candidates;
    auto addCandidate = [&](const QString& name) {
        if (!name.isEmpty() && !candidates.contains(name, Qt::CaseInsensitive))
            candidates << name;
    };
    for (const std::string& name : fontOverride)
        addCandidate(QString::fromStdString(StrTrim(name)));
    addCandidate(iconFont.family());

    QString chosen;
    for (const QString& candidate : candidates) {
        for (const QString& family : installedFamilies) {
            if (family.compare(candidate, Qt::CaseInsensitive) == 0) {
                chosen = family;
                break;
            }
        }
        if (!chosen.isEmpty())
            break;
    }
    // The icon font's family is what the desktop uses, installed or not.
    if (chosen.isEmpty())
        chosen = iconFont.family();

    QFont font(chosen);
    int size = iconFont.pointSize() > 0 ? iconFont.pointSize() : 9;
    if (chosen.compare("Segoe UI", Qt::CaseInsensitive) == 0 &&
        iconFont.family().compare("Segoe UI", Qt::CaseInsensitive) != 0 && size < 9)
        size = 9;
    font.setPointSize(size);
    return font;
}

QRect PlaceOnScreen(const QRect& bounds, const QRect& primaryScreen, const QRect& targetScreen) {
    const bool fits = bounds.left() >= 0 && bounds.top() >= 0 &&
                      bounds.top() + bounds.height() <= primaryScreen.height() &&
                      bounds.left() + bounds.width() <= primaryScreen.width();
    if (fits)
        return bounds;
    QRect centred = bounds;
    centred.moveCenter(targetScreen.center());
    return centred;
}

ThvFormGenericStruct::ThvFormGenericStruct(QWidget* parent) : QWidget(parent, Qt::Window) {}

void ThvFormGenericStruct::Construct() {
    InitFormBeforeLoad();
    CreateLayout();
    AfterLayoutLoaded();
    InitFormAfterLoad();
    FormCreate();
}

void ThvFormGenericStruct::InitFormBeforeLoad() {
    IsMainWindow = CreatingMainWindow;
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

void ThvFormGenericStruct::InitFormAfterLoad() {
    StringArray overrides;
    if (ThvDataModuleGenericStruct* module = CurrentModule())
        overrides = module->Paths().FontOverride;
    setFont(ChooseFormFont(overrides, QFontDatabase::systemFont(QFontDatabase::GeneralFont),
                           QFontDatabase::families()));
}

void ThvFormGenericStruct::PrepareShow() {
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    QScreen* target = primary;
    if (!IsMainWindow) {
        if (ThvDataModuleGenericStruct* module = CurrentModule();
            module && module->MainForm && module->MainForm->screen())
            target = module->MainForm->screen();
    }
    const QRect bounds = isMaximized() ? normalGeometry() : geometry();
    const QRect placed = PlaceOnScreen(bounds, primary->geometry(), target->availableGeometry());
    if (placed != bounds) {
        if (isMaximized())
            setGeometry(placed); // becomes the restored bounds
        else
            move(placed.topLeft());
    }
}

void ThvFormGenericStructEx::InitFormBeforeLoad() {
    ThvFormGenericStruct::InitFormBeforeLoad();
    module_ = CurrentModule();
    if (!module_)
        throw EhvPointerRefNotAssigned();
    RegisterMessageTexts();
}

void ThvFormGenericStructEx::InitFormAfterLoad() {
    ThvFormGenericStruct::InitFormAfterLoad();
    RegisterControlTexts();
    ApplyTranslation();
}

void ThvFormGenericStructEx::FormDestroy() {
    if (!module_)
        return;
    module_->SaveFormPlacement(this);
    module_->SaveFormMiscState(this);
    module_->FormDestroyed(this);
}

void ThvFormGenericStructEx::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted() || IsMainWindow || destroying_)
        return;
    destroying_ = true;
    FormDestroy();
    deleteLater();
}

void ThvFormFrontBase::UpdateTitle() {
    setWindowTitle(GetProgramTitle());
}

void ThvFormFrontBase::InitFormAfterLoad() {
    ThvFormGenericStructEx::InitFormAfterLoad();
    setWindowIcon(ProgramIcon());
    if (module_)
        module_->MainForm = this;
}

void ThvFormFrontBase::ShowFrontWindow() {
    // The desktop minimizes windows one by one; there is no application state to restore.
    if (isMinimized())
        showNormal();
    if (isHidden())
        show();
    raise();
    activateWindow();
}

} // namespace pw
