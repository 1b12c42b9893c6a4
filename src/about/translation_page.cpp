#include "about/translation_page.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "about/form_about.h"
#include "framework/ui/data_module.h"
#include "lang/framework_texts.h"
#include "lang/translation_files.h"
#include "lang/ui/language_assistants.h"
#include "lang/ui/message_dialog.h"
#include "util/paths.h"

namespace pw {

namespace {

constexpr const char* kFindTexts = "__MixedText__Dialogs__Texts__RS";

struct PageMessage {
    const char* Name;
    const char* Default;
};

// The page's messages, in registration order (all expanded with "__curly").
const PageMessage kPageMessages[] = {
    {"TranslationSaveFailed", "The language file \"{dynDirFilePathName}\" could not be saved. "
                              "Your text stays in the editor."},
    {"TranslationSaveElsewhere",
     "The language file \"{dynDirFilePathName}\" cannot be written (the program folder of an "
     "installed program is read-only).\r\n\r\nSave it under your data folder instead, as "
     "\"{dynDirFilePathNameUser}\"? The program reads the language from there as well."},
};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// --- the text boxes the commands act on: the panes, the heading boxes, any other text box ---

QTextDocument* DocumentOf(QWidget* box) {
    if (auto* p = qobject_cast<QPlainTextEdit*>(box))
        return p->document();
    if (auto* t = qobject_cast<QTextEdit*>(box))
        return t->document();
    return nullptr;
}

QTextCursor CursorOf(QWidget* box) {
    if (auto* p = qobject_cast<QPlainTextEdit*>(box))
        return p->textCursor();
    return qobject_cast<QTextEdit*>(box)->textCursor();
}

void SetCursorOf(QWidget* box, const QTextCursor& cursor) {
    if (auto* p = qobject_cast<QPlainTextEdit*>(box))
        p->setTextCursor(cursor);
    else
        qobject_cast<QTextEdit*>(box)->setTextCursor(cursor);
}

// The text as the box counts positions: one character per line break; nothing else changed
// (toPlainText would turn no-break spaces into blanks).
QString BoxText(QWidget* box) {
    if (QTextDocument* d = DocumentOf(box)) {
        QString text = d->toRawText();
        text.replace(QChar::ParagraphSeparator, u'\n');
        text.replace(QChar::LineSeparator, u'\n');
        return text;
    }
    if (auto* e = qobject_cast<QLineEdit*>(box))
        return e->text();
    return {};
}

bool BoxReadOnly(QWidget* box) {
    if (auto* p = qobject_cast<QPlainTextEdit*>(box))
        return p->isReadOnly();
    if (auto* t = qobject_cast<QTextEdit*>(box))
        return t->isReadOnly();
    if (auto* e = qobject_cast<QLineEdit*>(box))
        return e->isReadOnly();
    return true;
}

void BoxSelection(QWidget* box, int& start, int& length) {
    if (DocumentOf(box)) {
        const QTextCursor c = CursorOf(box);
        start = c.selectionStart();
        length = c.selectionEnd() - c.selectionStart();
    } else if (auto* e = qobject_cast<QLineEdit*>(box)) {
        start = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
        length = e->hasSelectedText() ? int(e->selectedText().size()) : 0;
    } else {
        start = length = 0;
    }
}

void BoxSelect(QWidget* box, int start, int length) {
    if (QTextDocument* d = DocumentOf(box)) {
        QTextCursor c(d);
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        SetCursorOf(box, c);
    } else if (auto* e = qobject_cast<QLineEdit*>(box)) {
        e->setSelection(start, length);
    }
}

void BoxReplaceSelection(QWidget* box, const QString& text) {
    if (DocumentOf(box)) {
        QTextCursor c = CursorOf(box);
        c.insertText(text);
        SetCursorOf(box, c);
    } else if (auto* e = qobject_cast<QLineEdit*>(box)) {
        e->insert(text);
    }
}

// The whole text replaced in one step that Undo takes back.
void BoxReplaceAll(QWidget* box, const QString& text) {
    if (QTextDocument* d = DocumentOf(box)) {
        QTextCursor c(d);
        c.select(QTextCursor::Document);
        c.insertText(text);
    } else if (auto* e = qobject_cast<QLineEdit*>(box)) {
        e->selectAll();
        e->insert(text);
    }
}

bool BoxHasSelection(QWidget* box) {
    if (DocumentOf(box))
        return CursorOf(box).hasSelection();
    if (auto* e = qobject_cast<QLineEdit*>(box))
        return e->hasSelectedText();
    return false;
}

bool BoxCanUndo(QWidget* box) {
    if (QTextDocument* d = DocumentOf(box))
        return d->isUndoAvailable();
    if (auto* e = qobject_cast<QLineEdit*>(box))
        return e->isUndoAvailable();
    return false;
}

bool BoxEmpty(QWidget* box) {
    if (QTextDocument* d = DocumentOf(box))
        return d->isEmpty();
    if (auto* e = qobject_cast<QLineEdit*>(box))
        return e->text().isEmpty();
    return true;
}

bool IsTextBox(QWidget* w) {
    return qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
           qobject_cast<QLineEdit*>(w);
}

template <typename F> void OnBox(QWidget* box, F f) {
    if (auto* p = qobject_cast<QPlainTextEdit*>(box))
        f(p);
    else if (auto* t = qobject_cast<QTextEdit*>(box))
        f(t);
    else if (auto* e = qobject_cast<QLineEdit*>(box))
        f(e);
}

QString WithoutAccelerator(QString text) {
    return text.remove(u'&');
}

} // namespace

// --- the page ---------------------------------------------------------------------------------

void ThvTranslationPage::RegisterMessageTexts(ThvlgLanguageController& lang) {
    for (const PageMessage& m : kPageMessages)
        lang.RegisterResString(kFileShared, ThvFormAbout::kMessageSuffix, m.Name, m.Default,
                               "__curly");
}

ThvTranslationPage::ThvTranslationPage(ThvDataModuleGenericStruct* module, QWidget* parent)
    : QWidget(parent), module_(module) {
    setObjectName("tsTranslation");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    tbTranslation_ = new QToolBar(this);
    tbTranslation_->setObjectName("tbTranslation");
    tbTranslation_->setWindowTitle("Edit");
    tbTranslation_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    layout->addWidget(tbTranslation_);

    using P = ThvTranslationPage;
    QAction* aNew = AddAction("ALI_File_New", "New", "Add support for a new language",
                              QKeySequence("Ctrl+N"), nullptr);
    connect(aNew, &QAction::triggered, this, [this] { NewOrOpen(true); });
    QAction* aOpen = AddAction("ALI_File_Open", "Open", "Edit an existing language",
                               QKeySequence("Ctrl+O"), nullptr);
    connect(aOpen, &QAction::triggered, this, [this] { NewOrOpen(false); });
    QAction* aSave = AddAction("ALI_File_Save", "Save", "Save translated language file",
                               QKeySequence("Ctrl+S"), nullptr);
    connect(aSave, &QAction::triggered, this, [this] { Save(); });
    QAction* aUpdate = AddAction("ALI_File_Update", "Update", "Update shown program translation",
                                 QKeySequence(), &P::UpdateProgram);
    QAction* aCut = AddAction("ALI_Edit_Cut", "Cut", "", QKeySequence("Ctrl+X"), nullptr);
    connect(aCut, &QAction::triggered, this,
            [this] { OnBox(FocusedTextBox(), [](auto* b) { b->cut(); }); });
    QAction* aCopy = AddAction("ALI_Edit_Copy", "Copy", "", QKeySequence("Ctrl+C"), nullptr);
    connect(aCopy, &QAction::triggered, this,
            [this] { OnBox(FocusedTextBox(), [](auto* b) { b->copy(); }); });
    QAction* aPaste = AddAction("ALI_Edit_Paste", "Paste", "", QKeySequence("Ctrl+V"), nullptr);
    connect(aPaste, &QAction::triggered, this,
            [this] { OnBox(FocusedTextBox(), [](auto* b) { b->paste(); }); });
    QAction* aDelete = AddAction("ALI_Edit_Delete", "", "", QKeySequence("Ctrl+Del"), nullptr);
    connect(aDelete, &QAction::triggered, this, [this] {
        if (QWidget* box = FocusedTextBox(); box && BoxHasSelection(box))
            BoxReplaceSelection(box, QString());
    });
    QAction* aSelectAll = AddAction("ALI_Edit_SelectAll", "", "", QKeySequence("Ctrl+A"), nullptr);
    connect(aSelectAll, &QAction::triggered, this,
            [this] { OnBox(FocusedTextBox(), [](auto* b) { b->selectAll(); }); });
    QAction* aUndo = AddAction("ALI_Edit_Undo", "Undo", "", QKeySequence("Ctrl+Z"), nullptr);
    connect(aUndo, &QAction::triggered, this,
            [this] { OnBox(FocusedTextBox(), [](auto* b) { b->undo(); }); });
    QAction* aFind =
        AddAction("ALI_Edit_Search_FindOpen", "Find", "", QKeySequence("Ctrl+F"), &P::FindOpen);
    AddAction("ALI_Edit_Search_FindNext", "Next", "", QKeySequence("F3"), &P::FindNext);
    QAction* aReplace = AddAction("ALI_Edit_Search_ReplaceOpen", "Replace", "",
                                  QKeySequence("Ctrl+R"), &P::ReplaceOpen);
    QAction* aSync = AddAction("ALI_Edit_Sync", "Sync", "", QKeySequence(), &P::Sync);

    AddButton(tbTranslation_, aNew);
    AddButton(tbTranslation_, aOpen);
    tbTranslation_->addSeparator();
    AddButton(tbTranslation_, aSave);
    updateButton_ = AddButton(tbTranslation_, aUpdate);
    updateButton_->setObjectName("tbtnUpdate");
    updateButton_->setToolTip("Save and update shown program translation");
    tbTranslation_->addSeparator();
    AddButton(tbTranslation_, aCut);
    AddButton(tbTranslation_, aCopy);
    AddButton(tbTranslation_, aPaste);
    tbTranslation_->addSeparator();
    AddButton(tbTranslation_, aUndo);
    tbTranslation_->addSeparator();
    AddButton(tbTranslation_, aFind);
    AddButton(tbTranslation_, aReplace);
    tbTranslation_->addSeparator();
    AddButton(tbTranslation_, aSync);

    // The two halves share the width equally.
    auto* halves = new QHBoxLayout();
    halves->setSpacing(4);
    auto half = [this](QLineEdit*& heading, ThvTranslationTextEdit*& pane, QTabBar*& tabs,
                       const char* headingName, const char* paneName, const char* tabsName) {
        auto* column = new QVBoxLayout();
        heading = new QLineEdit(this);
        heading->setObjectName(headingName);
        heading->setReadOnly(true);
        pane = new ThvTranslationTextEdit(this);
        pane->setObjectName(paneName);
        tabs = new QTabBar(this);
        tabs->setObjectName(tabsName);
        tabs->setShape(QTabBar::RoundedSouth);
        tabs->setExpanding(false);
        tabs->setUsesScrollButtons(true);
        QFont tabFont;
        tabFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
        tabFont.setPixelSize(11);
        tabs->setFont(tabFont);
        column->addWidget(heading);
        column->addWidget(pane, 1);
        column->addWidget(tabs);
        return column;
    };
    halves->addLayout(half(edtTranslationHeadingNative_, reTranslationNative_,
                           tabsetTranslationNative_, "edtTranslationHeadingNative",
                           "reTranslationNative", "tabsetTranslationNative"),
                      1);
    halves->addLayout(half(edtTranslationHeadingNew_, reTranslationNew_, tabsetTranslationNew_,
                           "edtTranslationHeadingNew", "reTranslationNew", "tabsetTranslationNew"),
                      1);
    layout->addLayout(halves, 1);
    reTranslationNative_->setReadOnly(true);
    reTranslationNew_->setReadOnly(true);

    nativeColours_ = new ThvIniHighlighter(static_cast<QObject*>(this));
    newColours_ = new ThvIniHighlighter(static_cast<QObject*>(this));

    connect(tabsetTranslationNative_, &QTabBar::currentChanged, this,
            &ThvTranslationPage::NativeTabChanged);
    connect(tabsetTranslationNew_, &QTabBar::currentChanged, this,
            &ThvTranslationPage::NewTabChanged);

    findDialog_ = new ThvTranslationSearchDialog(false, this);
    replaceDialog_ = new ThvTranslationSearchDialog(true, this);
    for (ThvTranslationSearchDialog* d : {findDialog_, replaceDialog_}) {
        connect(d, &ThvTranslationSearchDialog::FindNextClicked, this,
                [this, d] { SearchDialogFindNext(d); });
        connect(d, &ThvTranslationSearchDialog::Closed, this, [this, d] { SearchDialogClosed(d); });
    }
    connect(replaceDialog_, &ThvTranslationSearchDialog::ReplaceClicked, this,
            [this](bool all) { ReplaceInTextBox(FocusedTextBox(false), replaceDialog_, all); });

    ChooseFolder = [this](bool makeNew, const QString& title, const QString& start) {
        QFileDialog::Options options = QFileDialog::ShowDirsOnly;
        if (!makeNew)
            options |= QFileDialog::ReadOnly; // no button for a new folder
        return QFileDialog::getExistingDirectory(this, title, start, options);
    };

    // The idle update: whatever may change an action's state asks for one, run once the
    // events at hand are handled.
    connect(qApp, &QApplication::focusChanged, this, &ThvTranslationPage::ScheduleUpdate);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &ThvTranslationPage::ScheduleUpdate);
    for (QPlainTextEdit* pane : {static_cast<QPlainTextEdit*>(reTranslationNative_),
                                 static_cast<QPlainTextEdit*>(reTranslationNew_)}) {
        connect(pane, &QPlainTextEdit::selectionChanged, this, &ThvTranslationPage::ScheduleUpdate);
        connect(pane, &QPlainTextEdit::undoAvailable, this, &ThvTranslationPage::ScheduleUpdate);
        connect(pane, &QPlainTextEdit::textChanged, this, &ThvTranslationPage::ScheduleUpdate);
    }
    UpdateTranslationActions();
}

QAction* ThvTranslationPage::AddAction(const char* name, const QString& caption,
                                       const QString& hint, const QKeySequence& shortcut,
                                       void (ThvTranslationPage::*slot)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setStatusTip(hint);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    ActionListTrans_.append(action);
    return action;
}

QToolButton* ThvTranslationPage::AddButton(QToolBar* bar, QAction* action) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QStringLiteral("tbtn") + action->objectName());
    button->setFixedSize(47, 36);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setText(action->text());
    button->setToolTip(action->statusTip());
    connect(button, &QToolButton::clicked, action, &QAction::trigger);
    bar->addWidget(button);
    buttons_.append({action, button});
    return button;
}

QAction* ThvTranslationPage::Action(const char* name) const {
    for (QAction* a : ActionListTrans_)
        if (a->objectName() == QLatin1String(name))
            return a;
    return nullptr;
}

QToolButton* ThvTranslationPage::Button(const char* actionName) const {
    for (const auto& [action, button] : buttons_)
        if (action->objectName() == QLatin1String(actionName))
            return button;
    return nullptr;
}

void ThvTranslationPage::Translate(TranslateStep step) {
    ThvlgLanguageCompositeAllEx& c = module_->LanguageComposite();
    const char* suffix = ThvFormAbout::kFormSuffix;
    c.AssistantActions.ActionList(step, kFileShared, suffix, ActionListTrans_);
    c.AssistantControls.Control(step, kFileShared, suffix, tbTranslation_);
    c.AssistantControls.Edit(step, kFileShared, suffix, updateButton_);
    for (const auto& [action, button] : buttons_) {
        button->setText(action->text());
        if (button != updateButton_)
            button->setToolTip(action->statusTip());
    }
    findDialog_->Translate(module_, step);
    replaceDialog_->Translate(module_, step);
}

QString ThvTranslationPage::Message(const char* name, const char* english) const {
    return Q(
        module_->Language().GetResString(kFileShared, ThvFormAbout::kMessageSuffix, name, english));
}

std::string ThvTranslationPage::LanguageFolder() const {
    return module_->Paths().LanguageFolder;
}

std::string ThvTranslationPage::TranslationFilePath(const QString& relativePath) const {
    const std::string relative = relativePath.toStdString();
    const std::string user = module_->Language().UserLanguagesFolder();
    if (!user.empty() && user != LanguageFolder() &&
        FileExists(LanguageFileUtf8Path(user + relative)))
        return user + relative;
    return LanguageFolder() + relative;
}

bool ThvTranslationPage::Changed() const {
    return reTranslationNew_->document()->isModified();
}

// --- showing files ----------------------------------------------------------------------------

void ThvTranslationPage::SetUp(const std::string& culture) {
    tabsetTranslationNative_->blockSignals(true);
    for (const char* file : kLanguageFileNames)
        tabsetTranslationNative_->addTab(Q(std::string(kEnglishCulture) + "/" + file));
    tabsetTranslationNative_->setCurrentIndex(0);
    tabsetTranslationNative_->blockSignals(false);
    // Both halves keep the same height for their tabs, also while the right one has none.
    tabsetTranslationNew_->setMinimumHeight(tabsetTranslationNative_->sizeHint().height());
    ShowEnglishFile(tabsetTranslationNative_->tabText(0));
    if (culture != kEnglishCulture)
        OpenTranslation(culture);
}

void ThvTranslationPage::SetPaneText(QPlainTextEdit* pane, const QString& text) {
    pane->setUpdatesEnabled(false);
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    pane->setPlainText(lines);
    pane->setUpdatesEnabled(true);
}

void ThvTranslationPage::ShowEnglishFile(const QString& relativePath) {
    const std::string path = LanguageFolder() + relativePath.toStdString();
    edtTranslationHeadingNative_->setText(Q(path));
    SetPaneText(reTranslationNative_, Q(ReadLanguageFileText(path)));
}

void ThvTranslationPage::ShowTranslationFile(const QString& relativePath) {
    meta_ = ThvlgTransMetaData();
    const std::string path = TranslationFilePath(relativePath);
    edtTranslationHeadingNew_->setText(Q(path));
    const std::string relative = relativePath.toStdString();
    const std::string culture = PathBaseName(ExtractFilePath(relative));
    const std::string file = ExtractFileName(relative);
    meta_ = module_->Language().ReadMetaData(culture, file);
    if (!culture.empty() && culture != kEnglishCulture &&
        (meta_.Lingua_ID == kEnglishCulture || meta_.Lingua_ID.empty()))
        meta_.Lingua_ID = culture;
    SetPaneText(reTranslationNew_, Q(ReadLanguageFileText(path)));
    reTranslationNew_->document()->setModified(false);
    UpdateTranslationActions();
}

void ThvTranslationPage::OpenTranslation(const std::string& culture) {
    changingTabs_ = true;
    while (tabsetTranslationNew_->count() > 0)
        tabsetTranslationNew_->removeTab(0);
    newTabIndex_ = -1;
    if (!culture.empty() && culture != kEnglishCulture) {
        for (const char* file : kLanguageFileNames)
            tabsetTranslationNew_->addTab(Q(culture + "/" + file));
        tabsetTranslationNew_->updateGeometry();
        tabsetTranslationNew_->setCurrentIndex(0);
        newTabIndex_ = 0;
        changingTabs_ = false;
        ShowTranslationFile(tabsetTranslationNew_->tabText(0));
    }
    changingTabs_ = false;
    UpdateTranslationActions();
}

void ThvTranslationPage::NativeTabChanged(int index) {
    if (index >= 0)
        ShowEnglishFile(tabsetTranslationNative_->tabText(index));
}

void ThvTranslationPage::NewTabChanged(int index) {
    if (changingTabs_ || index < 0)
        return;
    const int previous = newTabIndex_;
    if (previous >= 0 && previous != index && Changed()) {
        module_->Language().AddTemplateVariable(
            "dynDirFilePathName", TranslationFilePath(tabsetTranslationNew_->tabText(previous)),
            nullptr, true);
        const QString question = Q(module_->Language().GetResString(
            kFileGeneral, "__MixedText__ManageFiles", "SaveFileChanges",
            "Save file \"{dynDirFilePathName}\" changes?"));
        const int answer =
            ShowMessageDialog(question, MsgDlgType::Confirmation,
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        // Cancel, or a save that failed (the translator was told): the tab and the text stay.
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && !SaveTab(previous))) {
            changingTabs_ = true;
            tabsetTranslationNew_->setCurrentIndex(previous);
            changingTabs_ = false;
            return;
        }
    }
    newTabIndex_ = index;
    ShowTranslationFile(tabsetTranslationNew_->tabText(index));
}

// --- colouring while the page is visible -------------------------------------------------------

void ThvTranslationPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    nativeColours_->setDocument(reTranslationNative_->document());
    newColours_->setDocument(reTranslationNew_->document());
    ScheduleUpdate();
}

void ThvTranslationPage::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A hidden page costs no colouring when files are loaded into it.
    nativeColours_->setDocument(nullptr);
    newColours_->setDocument(nullptr);
}

// --- the commands -----------------------------------------------------------------------------

void ThvTranslationPage::NewOrOpen(bool makeNew) {
    QAction* action = Action(makeNew ? "ALI_File_New" : "ALI_File_Open");
    const std::string folder = LanguageFolder();
    const QString start = DirectoryExists(folder) ? Q(folder) : QString();
    const QString chosen = ChooseFolder(makeNew, WithoutAccelerator(action->text()), start);
    if (chosen.isEmpty())
        return;
    const std::string culture = PathBaseName(IncludeTrailingSeparator(chosen.toStdString()));
    if (!culture.empty())
        OpenTranslation(culture);
}

bool ThvTranslationPage::Save() {
    return SaveTab(tabsetTranslationNew_->currentIndex());
}

bool ThvTranslationPage::SaveTab(int index) {
    if (index < 0 || index >= tabsetTranslationNew_->count())
        return false;
    const QString relative = tabsetTranslationNew_->tabText(index);
    const std::string text = BoxText(reTranslationNew_).toStdString();
    const std::string path = TranslationFilePath(relative);
    std::string saved;
    ThvlgLanguageController& lang = module_->Language();
    LanguageSaveResult result = SaveLanguageFile(path, text, &saved);
    const std::string user = lang.UserLanguagesFolder();
    if (result != LanguageSaveResult::Saved && !user.empty() && !StrStartsWith(path, user)) {
        // An installed program folder is read-only: offer the user's data folder, which the
        // language controller reads first.
        std::string userPath = LanguageFileUtf8Path(user + relative.toStdString());
        lang.AddTemplateVariable("dynDirFilePathName", saved, nullptr, true);
        lang.AddTemplateVariable("dynDirFilePathNameUser", userPath, nullptr, true);
        const QString question = Message("TranslationSaveElsewhere", kPageMessages[1].Default);
        if (ShowMessageDialog(question, MsgDlgType::Confirmation,
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return false;
        result = SaveLanguageFile(userPath, text, &saved);
    }
    if (result != LanguageSaveResult::Saved) {
        lang.AddTemplateVariable("dynDirFilePathName", saved, nullptr, true);
        ShowMessageDialog(Message("TranslationSaveFailed", kPageMessages[0].Default),
                          MsgDlgType::Error, QMessageBox::Ok);
        return false;
    }
    if (index == tabsetTranslationNew_->currentIndex())
        edtTranslationHeadingNew_->setText(Q(TranslationFilePath(relative)));
    reTranslationNew_->document()->setModified(false);
    return true;
}

void ThvTranslationPage::UpdateProgram() {
    const int index = tabsetTranslationNew_->currentIndex();
    if (index < 0)
        return;
    if (!Save())
        return;
    const std::string relative = tabsetTranslationNew_->tabText(index).toStdString();
    const std::string culture = PathBaseName(ExtractFilePath(relative));
    module_->SetLanguage(culture, true);
}

void ThvTranslationPage::Sync() {
    const int index = tabsetTranslationNew_->currentIndex();
    if (index < 0)
        return;
    if (tabsetTranslationNative_->currentIndex() != index)
        tabsetTranslationNative_->setCurrentIndex(index); // shows that English file
    const std::string relative = tabsetTranslationNew_->tabText(index).toStdString();
    const std::string file = ExtractFileName(relative);
    const std::string translation = ReadLanguageFileText(TranslationFilePath(Q(relative)));
    const std::string english =
        ReadLanguageFileText(LanguageFolder() + kEnglishCulture + "/" + file);
    QString synced = Q(SyncLanguageText(english, translation));
    synced.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    reTranslationNew_->setUpdatesEnabled(false);
    BoxReplaceAll(reTranslationNew_, synced); // one step Undo takes back
    reTranslationNew_->moveCursor(QTextCursor::Start);
    reTranslationNew_->setUpdatesEnabled(true);
    reTranslationNew_->document()->setModified(true);
}

// --- the idle update of the actions -----------------------------------------------------------

void ThvTranslationPage::ScheduleUpdate() {
    if (updateScheduled_)
        return;
    updateScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        updateScheduled_ = false;
        UpdateTranslationActions();
    });
}

QWidget* ThvTranslationPage::FocusedTextBox(bool activeOnly) const {
    QWidget* form = window();
    if (activeOnly && !form->isActiveWindow())
        return nullptr;
    QWidget* focused = form->focusWidget();
    return IsTextBox(focused) ? focused : nullptr;
}

void ThvTranslationPage::UpdateTranslationActions() {
    const bool english = meta_.Lingua_ID == kEnglishCulture;
    const bool hasCulture = !meta_.Lingua_ID.empty() && !english;
    std::vector<char> enabled(size_t(ActionListTrans_.size()), 0);
    auto set = [&](const char* name, bool on) {
        for (int i = 0; i < ActionListTrans_.size(); ++i)
            if (ActionListTrans_[i]->objectName() == QLatin1String(name))
                enabled[size_t(i)] = on;
    };
    set("ALI_File_New", true);
    set("ALI_File_Open", true);
    set("ALI_File_Save", !english);
    set("ALI_File_Update", !english);
    set("ALI_Edit_Sync", hasCulture);
    if (QWidget* box = FocusedTextBox()) {
        const bool empty = BoxEmpty(box);
        const bool selection = BoxHasSelection(box);
        const bool editable = !BoxReadOnly(box);
        set("ALI_Edit_SelectAll", !empty);
        set("ALI_Edit_Search_FindOpen", !empty);
        set("ALI_Edit_Search_FindNext", !empty);
        set("ALI_Edit_Copy", selection);
        if (editable) {
            const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
            set("ALI_Edit_Search_ReplaceOpen", !empty);
            set("ALI_Edit_Cut", selection);
            set("ALI_Edit_Delete", selection);
            set("ALI_Edit_Paste", clip && clip->hasText());
            set("ALI_Edit_Undo", BoxCanUndo(box));
        }
    }
    for (int i = 0; i < ActionListTrans_.size(); ++i)
        if (ActionListTrans_[i]->isEnabled() != bool(enabled[size_t(i)]))
            ActionListTrans_[i]->setEnabled(enabled[size_t(i)]);
    const bool readOnly = !hasCulture;
    if (reTranslationNew_->isReadOnly() != readOnly)
        reTranslationNew_->setReadOnly(readOnly);
    // A button is touched only when its state differs, so that nothing flickers.
    for (const auto& [action, button] : buttons_) {
        if (button->isEnabled() != action->isEnabled()) {
            button->setEnabled(action->isEnabled());
            ++buttonStateChanges_;
        }
        if (button->isVisibleTo(tbTranslation_) != action->isVisible()) {
            button->setVisible(action->isVisible());
            ++buttonStateChanges_;
        }
    }
}

// --- find and replace -------------------------------------------------------------------------

void ThvTranslationPage::ShowSearchDialog(ThvTranslationSearchDialog* dialog,
                                          ThvTranslationSearchDialog* other) {
    if (lastDialog_ == other) {
        dialog->SetFindText(other->FindText());
        other->SetFindText(QString());
        other->hide();
    }
    lastDialog_ = dialog;
    dialog->show();
    dialog->raise();
}

void ThvTranslationPage::FindOpen() {
    ShowSearchDialog(findDialog_, replaceDialog_);
}

void ThvTranslationPage::ReplaceOpen() {
    ShowSearchDialog(replaceDialog_, findDialog_);
}

void ThvTranslationPage::FindNext() {
    if (lastSearchFound_ && lastDialog_) {
        FindInTextBox(FocusedTextBox(), lastDialog_, lastSearchFound_, true);
        return;
    }
    lastDialog_ = findDialog_;
    findDialog_->show();
    findDialog_->raise();
}

void ThvTranslationPage::SearchDialogFindNext(ThvTranslationSearchDialog* dialog) {
    // The step acts on the text box that had the focus before the dialog took it.
    FindInTextBox(FocusedTextBox(false), dialog, lastSearchFound_, true);
    dialog->hide();
    SearchDialogClosed(dialog);
}

void ThvTranslationPage::SearchDialogClosed(ThvTranslationSearchDialog* dialog) {
    if (dialog->FindText().isEmpty())
        lastSearchFound_ = false;
}

bool ThvTranslationPage::FindInTextBox(QWidget* box, ThvTranslationSearchDialog* dialog,
                                       bool& found, bool askRestart) {
    if (!box || !IsTextBox(box) || !dialog)
        return false;
    const QString search = dialog->FindText();
    const bool down = dialog->SearchDown();
    TextSearchOptions options;
    options.MatchCase = dialog->MatchCase();
    options.WholeWord = dialog->WholeWord();
    options.Down = down;
    const std::u16string needle = search.toStdU16String();
    int selStart = 0, selLength = 0;
    BoxSelection(box, selStart, selLength);
    long long caret = selStart;
    for (;;) {
        const std::u16string text = BoxText(box).toStdU16String();
        if (found)
            caret += down ? 1 : -1;
        const long long at = FindTextFrom(text, needle, caret, options);
        if (at >= 0) {
            BoxSelect(box, int(at), int(needle.size()));
            found = true;
            return true;
        }
        found = false;
        BoxSelect(box, selStart, selLength);
        if (!askRestart)
            return false;
        ThvlgLanguageController& lang = module_->Language();
        lang.AddTemplateVariable("dynDialogFindText", search.toStdString(), nullptr, true);
        const char* name = down ? "DialogFindTextContinueTop" : "DialogFindTextContinueBottom";
        const char* english = down ? "\"{dynDialogFindText}\" not found. Restart search from top?"
                                   : "\"{dynDialogFindText}\" not found. Restart search from "
                                     "bottom?";
        const QString question = Q(lang.GetResString(kFileGeneral, kFindTexts, name, english));
        if (ShowMessageDialog(question, MsgDlgType::Confirmation,
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return false;
        caret = down ? 0 : static_cast<long long>(text.size());
        BoxSelect(box, int(caret), 0);
        askRestart = false; // one restart; a text without the match is not searched again
    }
}

void ThvTranslationPage::ReplaceInTextBox(QWidget* box, ThvTranslationSearchDialog* dialog,
                                          bool all) {
    if (!box || !IsTextBox(box) || !dialog)
        return;
    ThvlgLanguageController& lang = module_->Language();
    bool found = false;
    for (;;) {
        if (!FindInTextBox(box, dialog, found, false))
            return;
        lang.AddTemplateVariable("dynDialogFindText", dialog->FindText().toStdString(), nullptr,
                                 true);
        lang.AddTemplateVariable("dynDialogReplaceText", dialog->ReplaceText().toStdString(),
                                 nullptr, true);
        const QString question = Q(
            lang.GetResString(kFileGeneral, kFindTexts, "DialogReplaceTextContinue",
                              "Replace \"{dynDialogFindText}\" with \"{dynDialogReplaceText}\"?"));
        const int answer = ShowMessageDialog(question, MsgDlgType::Confirmation,
                                             QMessageBox::Yes | QMessageBox::No |
                                                 QMessageBox::Cancel | QMessageBox::YesToAll);
        if (answer == QMessageBox::Cancel)
            return;
        if (answer == QMessageBox::Yes) {
            BoxReplaceSelection(box, dialog->ReplaceText());
            found = false; // the caret stands after the replacement
        }
        if (answer == QMessageBox::YesToAll) {
            int count = 0;
            const std::u16string replaced =
                ReplaceAllText(BoxText(box).toStdU16String(), dialog->FindText().toStdU16String(),
                               dialog->ReplaceText().toStdU16String(), dialog->MatchCase(), &count);
            if (count > 0)
                BoxReplaceAll(box, QString::fromStdU16String(replaced));
            lang.AddTemplateVariable("dynDialogReplaceCount", std::to_string(count), nullptr, true);
            ShowMessageDialog(
                Q(lang.GetResString(kFileGeneral, kFindTexts, "DialogReplaceTextAllDone",
                                    "Replaced \"{dynDialogFindText}\" with "
                                    "\"{dynDialogReplaceText}\" {dynDialogReplaceCount} places!")),
                MsgDlgType::Confirmation, QMessageBox::Ok);
            return;
        }
        if (!all)
            return;
    }
}

} // namespace pw
