#include "options/ui/form_program_options.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/options_file.h"
#include "framework/ui/data_module.h"
#include "framework/ui/group_heading.h"
#include "lang/language_controller.h"
#include "lang/ui/language_assistants.h"
#include "lang/ui/message_dialog.h"
#include "options/program_options.h"
#include "options/ui/hot_key_edit.h"
#include "options/ui/shortcut_text.h"
#include "platform/global_hot_key.h"

namespace pw {

namespace {
constexpr const char* kSharedFile = "UTF8_shared.ini";
constexpr const char* kSharedMixedSuffix = "__MixedText__Module";
constexpr const char* kFallbackFontName = "Verdana";
constexpr int kFallbackFontSize = 10;
constexpr int kPageVisuals = 0;
constexpr int kPageMiscellaneous = 1;

struct MessageEntry {
    const char* Name;
    const char* Default;
};

// The dialog's messages about the hot key; "%1" stands for a key combination or a text.
const MessageEntry kMessageTexts[] = {
    {"HotKeyTaken", "%1 is held by another program and cannot be the hot key."},
    {"HotKeyNoKey", "No key of this keyboard gives %1."},
    {"HotKeyStaysActive", "The hot key %1 stays active."},
    {"HotKeyNoneActive", "No hot key is active."},
    {"HotKeyUnparsable", "The hot key \"%1\" of the options file is not a key combination."},
    {"HotKeyUnavailable", "This desktop offers no global hot keys: bind \"pathwick-ctl popup\" "
                          "to a shortcut of the desktop instead."},
};

struct HelpTextEntry {
    const char* Name;
    const char* Default;
    bool Curly;
};

// The help texts, in registration order.
const HelpTextEntry kHelpTexts[] = {
    {"RememberStateWindows", "Remember windows position, size, and state.", false},
    {"RememberStateMisc", "Remember miscellaneous setup.", false},
    {"AlwaysShowInTray",
     "If checked, {ProgramNameShortCommon} will register itself to windows startup registry "
     "and always be shown in system tray.\r\n\r\nUncheck to have {ProgramNameShortCommon} "
     "un-register itself.",
     true},
    {"AlwaysShowInTask",
     "If checked, {ProgramNameShortCommon} will be shown in task bar when a program window is "
     "visible.",
     true},
    {"HotkeysSetup",
     "Can be used when {ProgramNameShortCommon} is minimized. If located in the system tray, "
     "then the associated menu will be brought up where the mouse cursor is located, else "
     "{ProgramNameShortCommon} itself will be restored to the desktop.\r\n\r\nTo enter the "
     "\"hotkeys\", first make sure the control has focus, then press the keys you want to be "
     "part of the shortcut. Be aware that it is possible to create combinations that can "
     "conflict with other programs.",
     true},
};

const char* MessageDefault(const char* name) {
    for (const MessageEntry& e : kMessageTexts)
        if (std::string_view(e.Name) == name)
            return e.Default;
    return "";
}

const char* HelpDefault(const char* name) {
    for (const HelpTextEntry& e : kHelpTexts)
        if (std::string_view(e.Name) == name)
            return e.Default;
    return "";
}

QString NativeText(QKeyCombination key) {
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

// The system's menu font, in whole points.
int PointSizeOf(const QFont& font) {
    if (font.pointSize() > 0)
        return font.pointSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return font.pixelSize() > 0 ? qRound(font.pixelSize() * 72.0 / dpi) : 9;
}

QCheckBox* NewCheckBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(name);
    return box;
}

QLabel* NewLabel(const char* name, const char* caption, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    return label;
}

ThvGroupHeading* NewHeading(const char* name, const char* caption, QWidget* parent) {
    auto* heading = new ThvGroupHeading(QString::fromUtf8(caption), parent);
    heading->setObjectName(name);
    return heading;
}
} // namespace

TFormProgramOptions::TFormProgramOptions() {
    setObjectName("FormProgramOptions");
}

TFormProgramOptions::~TFormProgramOptions() {
    // The controls go after this object's members: no focus change may reach them then.
    disconnect(focusConnection_);
    if (hotKey_)
        hotKey_->SetRecording(false);
}

TProgramOptions* TFormProgramOptions::ProgramOptions() const {
    return Module() ? dynamic_cast<TProgramOptions*>(&Module()->Options()) : nullptr;
}

GlobalHotKey* TFormProgramOptions::MainHotKey() const {
    if (!Module() || !Module()->MainForm)
        return nullptr;
    return Module()->MainForm->findChild<GlobalHotKey*>("JvApplicationHotKey");
}

void TFormProgramOptions::CreateLayout() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Options"));
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(560, 360);

    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout();
    outer->addLayout(body, 1);

    pgcOptions_ = new QTabWidget(this);
    pgcOptions_->setObjectName("pgcOptions");
    body->addWidget(pgcOptions_, 3);

    // Page "Visuals".
    tsVisuals_ = new QWidget(pgcOptions_);
    tsVisuals_->setObjectName("tsVisuals");
    auto* visuals = new QVBoxLayout(tsVisuals_);
    pnlPersistenceHeader_ =
        NewHeading("pnlPersistenceHeader", "User interface persistence", tsVisuals_);
    chkWindowsVU_ = NewCheckBox("chkWindowsVU", "Save &windows setup", tsVisuals_);
    chkMiscVU_ = NewCheckBox("chkMiscVU", "Save &miscellaneous setup", tsVisuals_);
    visuals->addWidget(pnlPersistenceHeader_);
    visuals->addWidget(chkWindowsVU_);
    visuals->addWidget(chkMiscVU_);
    visuals->addSpacing(6);

    pnlMenuSettingsHeader_ = NewHeading("pnlMenuSettingsHeader", "Menu settings", tsVisuals_);
    chbOverrideStandardFont_ =
        NewCheckBox("chbOverrideStandardFont", "Override Windows default drawing", tsVisuals_);
    lblOverrideStandardFontName_ = NewLabel("lblOverrideStandardFontName", "Name", tsVisuals_);
    cbOverrideStandardFontName_ = new QComboBox(tsVisuals_);
    cbOverrideStandardFontName_->setObjectName("cbOverrideStandardFontName");
    cbOverrideStandardFontName_->setEditable(true);
    cbOverrideStandardFontName_->setInsertPolicy(QComboBox::NoInsert);
    lblOverrideStandardFontName_->setBuddy(cbOverrideStandardFontName_);
    lblOverrideStandardFontSize_ = NewLabel("lblOverrideStandardFontSize", "Size", tsVisuals_);
    cbOverrideStandardFontSize_ = new QComboBox(tsVisuals_);
    cbOverrideStandardFontSize_->setObjectName("cbOverrideStandardFontSize");
    cbOverrideStandardFontSize_->setEditable(true);
    cbOverrideStandardFontSize_->setInsertPolicy(QComboBox::NoInsert);
    cbOverrideStandardFontSize_->setValidator(
        new QIntValidator(1, 999, cbOverrideStandardFontSize_));
    for (int size = 7; size <= 12; ++size)
        cbOverrideStandardFontSize_->addItem(QString::number(size));
    lblOverrideStandardFontSize_->setBuddy(cbOverrideStandardFontSize_);
    lblOverrideStandardFontStyleBold_ =
        NewLabel("lblOverrideStandardFontStyleBold", "Bold", tsVisuals_);
    chbOverrideStandardFontStyleBold_ = new QCheckBox(tsVisuals_);
    chbOverrideStandardFontStyleBold_->setObjectName("chbOverrideStandardFontStyleBold");
    chbOverrideStandardFontStyleBold_->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    BtnDefault_ = new QPushButton(QStringLiteral("Default"), tsVisuals_);
    BtnDefault_->setObjectName("BtnDefault");
    connect(BtnDefault_, &QPushButton::clicked, this, &TFormProgramOptions::BtnDefaultClick);

    auto* menuGrid = new QGridLayout();
    menuGrid->addWidget(chbOverrideStandardFont_, 0, 0, 1, 5);
    menuGrid->addWidget(lblOverrideStandardFontName_, 1, 0);
    menuGrid->addWidget(cbOverrideStandardFontName_, 1, 1, 1, 4);
    menuGrid->addWidget(lblOverrideStandardFontSize_, 2, 0);
    menuGrid->addWidget(cbOverrideStandardFontSize_, 2, 1);
    menuGrid->addWidget(lblOverrideStandardFontStyleBold_, 2, 2, Qt::AlignRight);
    menuGrid->addWidget(chbOverrideStandardFontStyleBold_, 2, 3);
    menuGrid->addWidget(BtnDefault_, 2, 4, Qt::AlignRight);
    menuGrid->setColumnStretch(1, 1);
    visuals->addWidget(pnlMenuSettingsHeader_);
    visuals->addLayout(menuGrid);
    visuals->addStretch(1);
    pgcOptions_->addTab(tsVisuals_, QStringLiteral("Visuals"));

    // Page "Miscellaneous".
    tsMiscellaneous_ = new QWidget(pgcOptions_);
    tsMiscellaneous_->setObjectName("tsMiscellaneous");
    auto* misc = new QVBoxLayout(tsMiscellaneous_);
    pnlBehaviorHeader_ = NewHeading("pnlBehaviorHeader", "Program behavior", tsMiscellaneous_);
    chbShowInTray_ = NewCheckBox("chbShowInTray", "Start Pathwick in system tray on Windows start",
                                 tsMiscellaneous_);
    lblProgramActivateShortCutPB_ =
        NewLabel("lblProgramActivateShortCutPB", "Activate program shortcut:", tsMiscellaneous_);
    hkProgramActivateShortCutPB_ = new THotKeyEdit(tsMiscellaneous_);
    hkProgramActivateShortCutPB_->setObjectName("hkProgramActivateShortCutPB");
    lblProgramActivateShortCutPB_->setBuddy(hkProgramActivateShortCutPB_);
    lblHotKeyState_ = new QLabel(tsMiscellaneous_);
    lblHotKeyState_->setObjectName("lblHotKeyState");
    lblHotKeyState_->setWordWrap(true);
    lblHotKeyState_->hide();
    connect(hkProgramActivateShortCutPB_, &THotKeyEdit::HotKeyChanged, this,
            [this] { lblHotKeyState_->hide(); });
    misc->addWidget(pnlBehaviorHeader_);
    misc->addWidget(chbShowInTray_);
    misc->addSpacing(6);
    misc->addWidget(lblProgramActivateShortCutPB_);
    misc->addWidget(hkProgramActivateShortCutPB_);
    misc->addWidget(lblHotKeyState_);
    misc->addStretch(1);
    pgcOptions_->addTab(tsMiscellaneous_, QStringLiteral("Miscellaneous"));

    // The hidden page keeps the option nothing uses; its tab is never shown.
    tsHidden_ = new QWidget(pgcOptions_);
    tsHidden_->setObjectName("tsHidden");
    auto* hidden = new QVBoxLayout(tsHidden_);
    chbShowInTask_ = NewCheckBox("chbShowInTask", "Always show in task bar", tsHidden_);
    chbShowInTask_->setVisible(false);
    hidden->addWidget(chbShowInTask_);
    const int hiddenIndex = pgcOptions_->addTab(tsHidden_, QStringLiteral("Hidden"));
    pgcOptions_->setTabVisible(hiddenIndex, false);
    pgcOptions_->setTabEnabled(hiddenIndex, false);

    // The help column.
    auto* helpColumn = new QVBoxLayout();
    helpColumn->setSpacing(0);
    pnlHelpHeading_ = NewHeading("pnlHelpHeading", "Dynamic help", this);
    pnlHelpHeading_->SetAlwaysEnabledLook(true);
    memHelp_ = new QPlainTextEdit(this);
    memHelp_->setObjectName("memHelp");
    memHelp_->setReadOnly(true);
    memHelp_->setFrameShape(QFrame::NoFrame);
    memHelp_->document()->setDocumentMargin(5);
    memHelp_->setFocusPolicy(Qt::NoFocus);
    helpColumn->addWidget(pnlHelpHeading_);
    helpColumn->addWidget(memHelp_, 1);
    body->addLayout(helpColumn, 2);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    btnOK_ = new QPushButton(QStringLiteral("&OK"), this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    btnOK_->setAutoDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel_->setObjectName("btnCancel");
    btnCancel_->setAutoDefault(true);
    connect(btnOK_, &QPushButton::clicked, this, &TFormProgramOptions::BtnOKClick);
    connect(btnCancel_, &QPushButton::clicked, this, &TFormProgramOptions::BtnCancelClick);
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);
    outer->addLayout(buttons);

    setTabOrder(chkWindowsVU_, chkMiscVU_);
    setTabOrder(chkMiscVU_, chbOverrideStandardFont_);
    setTabOrder(chbOverrideStandardFont_, cbOverrideStandardFontName_);
    setTabOrder(cbOverrideStandardFontName_, cbOverrideStandardFontSize_);
    setTabOrder(cbOverrideStandardFontSize_, BtnDefault_);
    setTabOrder(chbShowInTray_, hkProgramActivateShortCutPB_);

    const HelpEntry noHelp{kSharedFile, kSharedMixedSuffix, "NoHelpAvailableTopic",
                           "No help available for this topic."};
    auto own = [](const char* key) {
        return HelpEntry{kTextFile, kHelpSuffix, key, HelpDefault(key)};
    };
    help_ = {
        {chkWindowsVU_, own("RememberStateWindows")},
        {chkMiscVU_, own("RememberStateMisc")},
        {chbShowInTray_, own("AlwaysShowInTray")},
        {chbShowInTask_, own("AlwaysShowInTask")},
        {hkProgramActivateShortCutPB_, own("HotkeysSetup")},
        {BtnDefault_, noHelp},
        {cbOverrideStandardFontName_, noHelp},
        {chbOverrideStandardFont_, noHelp},
        {cbOverrideStandardFontSize_, noHelp},
        {btnOK_, noHelp},
        {btnCancel_, noHelp},
    };
    focusConnection_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            ShowHelpFor(now);
            RecordHotKeyWhileFocused(now);
        });
    connect(pgcOptions_, &QTabWidget::currentChanged, this, [this] { FocusFirstControl(); });

    // Opened in the centre of the screen unless a stored placement says otherwise.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect bounds(QPoint(0, 0), size());
        bounds.moveCenter(screen->availableGeometry().center());
        move(bounds.topLeft());
    }
}

void TFormProgramOptions::FormCreate() {
    FillControls();
    // The program's own grab takes its hot key before any window sees it: while the hot key
    // box records, the grab hands the combination to the box instead of opening the popup.
    hotKey_ = MainHotKey();
    if (hotKey_)
        connect(hotKey_, &GlobalHotKey::Recorded, this, [this](QKeyCombination key) {
            hkProgramActivateShortCutPB_->SetHotKey(key);
            lblHotKeyState_->hide();
        });
}

void TFormProgramOptions::RecordHotKeyWhileFocused(QWidget* focused) {
    if (!hotKey_)
        return;
    const bool recording = focused && (focused == hkProgramActivateShortCutPB_ ||
                                       hkProgramActivateShortCutPB_->isAncestorOf(focused));
    hotKey_->SetRecording(recording);
}

void TFormProgramOptions::FillControls() {
    pgcOptions_->setCurrentIndex(kPageVisuals);
    const TProgramOptions* options = ProgramOptions();
    if (!options)
        return;
    chkWindowsVU_->setChecked(options->SaveWindowsSetup);
    chkMiscVU_->setChecked(options->SaveMiscSetup);
    chbOverrideStandardFontStyleBold_->setChecked(options->OverrideStandardFontBold);
    chbOverrideStandardFont_->setChecked(options->OverrideStandardFont);
    chbShowInTray_->setChecked(options->AlwaysShowInTray);
    chbShowInTask_->setChecked(options->AlwaysShowInTask);

    QStringList families;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family))
            families << family;
    cbOverrideStandardFontName_->clear();
    cbOverrideStandardFontName_->addItems(families);
    // A name or size that is no entry (typed by the user earlier, or a font not installed here)
    // is shown as it stands, so that OK keeps it.
    const QString name = QString::fromStdString(options->OverrideStandardFontName);
    int nameIndex = cbOverrideStandardFontName_->findText(name, Qt::MatchFixedString);
    if (nameIndex < 0 && name.isEmpty())
        nameIndex = cbOverrideStandardFontName_->findText(kFallbackFontName, Qt::MatchFixedString);
    cbOverrideStandardFontName_->setCurrentIndex(nameIndex);
    if (nameIndex < 0)
        cbOverrideStandardFontName_->setEditText(name);

    const int size = options->OverrideStandardFontSize;
    int sizeIndex = cbOverrideStandardFontSize_->findText(QString::number(size));
    if (sizeIndex < 0 && size <= 0)
        sizeIndex = cbOverrideStandardFontSize_->findText(QString::number(kFallbackFontSize));
    cbOverrideStandardFontSize_->setCurrentIndex(sizeIndex);
    if (sizeIndex < 0)
        cbOverrideStandardFontSize_->setEditText(QString::number(size));

    hkProgramActivateShortCutPB_->SetHotKey(ParseShortCutText(options->ProgramPopupShortCut));
    UpdateHotKeyState();
}

QString TFormProgramOptions::Message(const char* key) const {
    return QString::fromStdString(
        Module()->Language().GetResString(kTextFile, kMessageSuffix, key, MessageDefault(key)));
}

void TFormProgramOptions::UpdateHotKeyState() {
    const TProgramOptions* options = ProgramOptions();
    QString text;
    auto message = [this](const char* key) { return Message(key); };
    if (options) {
        const std::string& stored = options->ProgramPopupShortCut;
        const QKeyCombination key = ParseShortCutText(stored);
        const GlobalHotKey* hotKey = MainHotKey();
        if (!IsShortCutText(stored)) {
            text = message("HotKeyUnparsable").arg(QString::fromStdString(stored)) + " " +
                   message("HotKeyNoneActive");
        } else if (hotKey && HasKey(key) && !hotKey->IsActive()) {
            switch (hotKey->Failure()) {
            case HotKeyFailure::Taken:
                text =
                    message("HotKeyTaken").arg(NativeText(key)) + " " + message("HotKeyNoneActive");
                break;
            case HotKeyFailure::NoKey:
                text =
                    message("HotKeyNoKey").arg(NativeText(key)) + " " + message("HotKeyNoneActive");
                break;
            case HotKeyFailure::NoDisplay:
                text = message("HotKeyUnavailable");
                break;
            default:
                break;
            }
        }
    }
    lblHotKeyState_->setText(text);
    lblHotKeyState_->setVisible(!text.isEmpty());
}

bool TFormProgramOptions::AcceptHotKey(QKeyCombination key) {
    GlobalHotKey* hotKey = MainHotKey();
    if (!hotKey || !HasKey(key))
        return true;
    if (hotKey->IsActive() && hotKey->ShortCut() == key)
        return true;
    if (hotKey->SetShortCut(key))
        return true;
    const HotKeyFailure failure = hotKey->Failure();
    if (failure != HotKeyFailure::Taken && failure != HotKeyFailure::NoKey)
        return true; // no grabs on this desktop: the text is kept for when there are
    QString text = Message(failure == HotKeyFailure::Taken ? "HotKeyTaken" : "HotKeyNoKey")
                       .arg(NativeText(key));
    text += " ";
    text += hotKey->IsActive() ? Message("HotKeyStaysActive").arg(NativeText(hotKey->ShortCut()))
                               : Message("HotKeyNoneActive");
    pgcOptions_->setCurrentWidget(tsMiscellaneous_);
    lblHotKeyState_->setText(text);
    lblHotKeyState_->show();
    ShowMessageDialog(text, MsgDlgType::Warning, QMessageBox::Ok);
    hkProgramActivateShortCutPB_->setFocus();
    return false;
}

void TFormProgramOptions::BtnDefaultClick() {
    chbOverrideStandardFontStyleBold_->setChecked(false);
    const QFont menuFont = QApplication::font("QMenu");
    int nameIndex = cbOverrideStandardFontName_->findText(
        menuFont.family(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (nameIndex < 0)
        nameIndex = cbOverrideStandardFontName_->findText(kFallbackFontName, Qt::MatchExactly);
    cbOverrideStandardFontName_->setCurrentIndex(nameIndex);
    if (nameIndex < 0)
        cbOverrideStandardFontName_->setEditText(QString());
    const int points = PointSizeOf(menuFont);
    const QString size = points >= 9   ? QStringLiteral("9")
                         : points == 8 ? QStringLiteral("8")
                                       : QStringLiteral("7");
    cbOverrideStandardFontSize_->setCurrentIndex(cbOverrideStandardFontSize_->findText(size));
}

void TFormProgramOptions::BtnOKClick() {
    TProgramOptions* options = ProgramOptions();
    if (!options) {
        close();
        return;
    }
    const QKeyCombination key = hkProgramActivateShortCutPB_->HotKey();
    if (!AcceptHotKey(key))
        return;
    options->SaveWindowsSetup = chkWindowsVU_->isChecked();
    options->SaveMiscSetup = chkMiscVU_->isChecked();
    options->OverrideStandardFont = chbOverrideStandardFont_->isChecked();
    options->OverrideStandardFontName = cbOverrideStandardFontName_->currentText().toStdString();
    bool isNumber = false;
    const int size = cbOverrideStandardFontSize_->currentText().trimmed().toInt(&isNumber);
    options->OverrideStandardFontSize = isNumber && size > 0 ? size : kFallbackFontSize;
    options->OverrideStandardFontBold = chbOverrideStandardFontStyleBold_->isChecked();
    options->AlwaysShowInTray = chbShowInTray_->isChecked();
    options->AlwaysShowInTask = chbShowInTask_->isChecked();
    options->ProgramPopupShortCut = ShortCutText(key);
    options->ApplyOptions();
    close();
}

void TFormProgramOptions::BtnCancelClick() {
    close();
}

void TFormProgramOptions::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        BtnOKClick();
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        BtnCancelClick();
        return;
    }
    ThvFormGenericStructEx::keyPressEvent(event);
}

void TFormProgramOptions::showEvent(QShowEvent* event) {
    ThvFormGenericStructEx::showEvent(event);
    FocusFirstControl();
}

void TFormProgramOptions::FocusFirstControl() {
    QWidget* first = pgcOptions_->currentWidget() == tsMiscellaneous_
                         ? static_cast<QWidget*>(chbShowInTray_)
                         : static_cast<QWidget*>(chkWindowsVU_);
    first->setFocus(Qt::OtherFocusReason);
    // The help follows the focus; shown here too, since a window that is not active yet
    // reports no focus change.
    ShowHelpFor(first);
}

void TFormProgramOptions::ShowHelpFor(QWidget* focused) {
    for (QWidget* w = focused; w && w != this; w = w->parentWidget()) {
        if (w == chbOverrideStandardFontStyleBold_)
            return; // no help of its own; the box keeps what it shows
        auto it = help_.find(w);
        if (it == help_.end())
            continue;
        const HelpEntry& entry = it->second;
        QString text = QString::fromStdString(
            Module()->Language().GetResString(entry.File, entry.Section, entry.Key, entry.English));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        memHelp_->setPlainText(text);
        helpShownFor_ = w;
        return;
    }
}

QString TFormProgramOptions::HelpText() const {
    return memHelp_->toPlainText();
}

void TFormProgramOptions::RegisterMessageTexts() {
    ThvlgLanguageController& lang = Module()->Language();
    for (const HelpTextEntry& t : kHelpTexts)
        lang.RegisterResString(kTextFile, kHelpSuffix, t.Name, t.Default, t.Curly ? "__curly" : "");
    for (const MessageEntry& t : kMessageTexts)
        lang.RegisterResString(kTextFile, kMessageSuffix, t.Name, t.Default);
}

void TFormProgramOptions::TranslateControls(TranslateStep step) {
    ThvlgLanguageCompositeAllEx& c = Module()->LanguageComposite();
    const ThvlgLanguageAssistantControls& a = c.AssistantControls;
    a.Form(step, kTextFile, kFormSuffix, this);
    a.PageControl(step, kTextFile, kFormSuffix, pgcOptions_);
    for (QWidget* control : std::initializer_list<QWidget*>{pnlPersistenceHeader_, chkWindowsVU_,
                                                            chkMiscVU_, pnlMenuSettingsHeader_,
                                                            chbOverrideStandardFont_, BtnDefault_})
        a.Control(step, kTextFile, kFormSuffix, control);
    for (QLabel* label : {lblOverrideStandardFontName_, lblOverrideStandardFontSize_,
                          lblOverrideStandardFontStyleBold_})
        a.Label(step, kTextFile, kFormSuffix, label);
    a.Control(step, kTextFile, kFormSuffix, pnlBehaviorHeader_);
    a.Control(step, kTextFile, kFormSuffix, chbShowInTray_);
    a.Label(step, kTextFile, kFormSuffix, lblProgramActivateShortCutPB_);
    a.Edit(step, kTextFile, kFormSuffix, hkProgramActivateShortCutPB_);
    a.Control(step, kTextFile, kFormSuffix, chbShowInTask_);
    a.Control(step, kTextFile, kFormSuffix, pnlHelpHeading_);
    a.Control(step, kTextFile, kFormSuffix, btnOK_);
    a.Control(step, kTextFile, kFormSuffix, btnCancel_);
}

void TFormProgramOptions::RegisterControlTexts() {
    TranslateControls(TranslateStep::Register);
}

void TFormProgramOptions::ApplyTranslation() {
    TranslateControls(TranslateStep::Apply);
    if (helpShownFor_)
        ShowHelpFor(const_cast<QWidget*>(helpShownFor_));
    UpdateHotKeyState();
}

void TFormProgramOptions::SaveMiscState(const std::string& iniPath) {
    const PathMacros& macros = Module()->Paths().Macros;
    IniDocument ini = LoadOptionsDocument(iniPath, macros);
    ini.WriteInteger(objectName().toStdString(), kActivePageKey, pgcOptions_->currentIndex());
    SaveOptionsDocument(ini, iniPath, macros);
}

void TFormProgramOptions::LoadMiscState(const std::string& iniPath) {
    const IniDocument ini = LoadOptionsDocument(iniPath, Module()->Paths().Macros);
    const int page =
        ini.ReadInteger(objectName().toStdString(), kActivePageKey, pgcOptions_->currentIndex());
    // Only the two pages the user sees can be chosen.
    if (page == kPageVisuals || page == kPageMiscellaneous)
        pgcOptions_->setCurrentIndex(page);
}

void TFormProgramOptions::FormDestroy() {
    if (closing_)
        return;
    closing_ = true;
    if (hotKey_)
        hotKey_->SetRecording(false);
    ThvDataModuleGenericStruct* module = Module();
    ThvFormGenericStructEx::FormDestroy();
    // Written after Cancel too: the file and the autostart entry follow the options.
    if (module)
        module->SaveOptionsFile();
}

} // namespace pw
