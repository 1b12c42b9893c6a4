#pragma once
// The About window's page "Translation": the translators' editor. The English language files
// on the left (read-only), the files of the culture being translated on the right (editable),
// one tab per file; New/Open a culture's folder, Save, Sync on the English structure, Update
// the running program to the culture, find and replace in either pane.
//
// The rules (reading, Sync, saving, searching, which lines get which colour) are the core's
// (lang/translation_files.h); this page only shows them.

#include <QPlainTextEdit>
#include <QPointer>
#include <functional>
#include <string>

#include "about/translation_panes.h"
#include "about/translation_search_dialog.h"
#include "lang/language_controller.h"

class QAction;
class QLineEdit;
class QTabBar;
class QToolBar;
class QToolButton;

namespace pw {

class ThvDataModuleGenericStruct;
enum class TranslateStep;

class ThvTranslationPage : public QWidget {
    Q_OBJECT
public:
    // The page's messages: file "UTF8_shared.ini", the About window's message section.
    static void RegisterMessageTexts(ThvlgLanguageController& lang);

    ThvTranslationPage(ThvDataModuleGenericStruct* module, QWidget* parent = nullptr);

    // The set-up at the window's creation: the English tabs and file, and the culture's tabs
    // when the culture is not English.
    void SetUp(const std::string& culture);
    // Registers or applies the captions, hints and shortcuts of the page and its dialogs.
    void Translate(TranslateStep step);

    void OpenTranslation(const std::string& culture);
    void ShowEnglishFile(const QString& relativePath);
    void ShowTranslationFile(const QString& relativePath);
    void UpdateTranslationActions();

    // The commands.
    void NewOrOpen(bool makeNew);
    // Saves the selected translation tab; false when it could not be saved (the translator was
    // told, the text and the changed flag stay).
    bool Save();
    void UpdateProgram();
    void Sync();
    void FindOpen();
    void FindNext();
    void ReplaceOpen();
    // One search step in the text box with the dialog's settings.
    bool FindInTextBox(QWidget* box, ThvTranslationSearchDialog* dialog, bool& found,
                       bool askRestart);
    // The replace command; all: started by Replace All.
    void ReplaceInTextBox(QWidget* box, ThvTranslationSearchDialog* dialog, bool all);

    // The folder browser of New and Open: returns the chosen folder, "" on Cancel.
    std::function<QString(bool makeNew, const QString& title, const QString& start)> ChooseFolder;

    // The full path a translation tab's file is read from and saved to: the user languages
    // folder's when the file is there, else the program's languages folder's.
    std::string TranslationFilePath(const QString& relativePath) const;

    ThvTranslationTextEdit* NativeText() const { return reTranslationNative_; }
    ThvTranslationTextEdit* NewText() const { return reTranslationNew_; }
    QLineEdit* NativeHeading() const { return edtTranslationHeadingNative_; }
    QLineEdit* NewHeading() const { return edtTranslationHeadingNew_; }
    QTabBar* NativeTabs() const { return tabsetTranslationNative_; }
    QTabBar* NewTabs() const { return tabsetTranslationNew_; }
    QAction* Action(const char* name) const;
    QToolButton* Button(const char* actionName) const;
    ThvTranslationSearchDialog* FindDialog() const { return findDialog_; }
    ThvTranslationSearchDialog* ReplaceDialog() const { return replaceDialog_; }
    const ThvlgTransMetaData& MetaData() const { return meta_; }
    bool Changed() const;
    bool LastSearchFound() const { return lastSearchFound_; }
    // How often a toolbar button's state was changed by the idle update.
    int ButtonStateChanges() const { return buttonStateChanges_; }
    ThvIniHighlighter* NativeColouring() const { return nativeColours_; }
    ThvIniHighlighter* NewColouring() const { return newColours_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QAction* AddAction(const char* name, const QString& caption, const QString& hint,
                       const QKeySequence& shortcut, void (ThvTranslationPage::*slot)());
    QToolButton* AddButton(QToolBar* bar, QAction* action);
    void NativeTabChanged(int index);
    void NewTabChanged(int index);
    bool SaveTab(int index);
    void Colour(bool native, bool nativeToo);
    void SetPaneText(QPlainTextEdit* pane, const QString& text);
    // The About window's focused control when it is a text box (and, with activeOnly, the
    // About window is the active window).
    QWidget* FocusedTextBox(bool activeOnly = true) const;
    void ScheduleUpdate();
    void ShowSearchDialog(ThvTranslationSearchDialog* dialog, ThvTranslationSearchDialog* other);
    void SearchDialogFindNext(ThvTranslationSearchDialog* dialog);
    void SearchDialogClosed(ThvTranslationSearchDialog* dialog);
    QString Message(const char* name, const char* english) const;
    std::string LanguageFolder() const;

    ThvDataModuleGenericStruct* module_;
    QToolBar* tbTranslation_ = nullptr;
    QLineEdit* edtTranslationHeadingNative_ = nullptr;
    ThvTranslationTextEdit* reTranslationNative_ = nullptr;
    QTabBar* tabsetTranslationNative_ = nullptr;
    QLineEdit* edtTranslationHeadingNew_ = nullptr;
    ThvTranslationTextEdit* reTranslationNew_ = nullptr;
    QTabBar* tabsetTranslationNew_ = nullptr;
    QList<QAction*> ActionListTrans_;
    QList<QPair<QAction*, QToolButton*>> buttons_;
    QToolButton* updateButton_ = nullptr;
    ThvIniHighlighter* nativeColours_ = nullptr;
    ThvIniHighlighter* newColours_ = nullptr;
    ThvTranslationSearchDialog* findDialog_ = nullptr;
    ThvTranslationSearchDialog* replaceDialog_ = nullptr;
    ThvTranslationSearchDialog* lastDialog_ = nullptr;
    bool lastSearchFound_ = false;
    ThvlgTransMetaData meta_;
    int newTabIndex_ = -1; // the translation tab shown, for the question on a tab change
    bool changingTabs_ = false;
    bool updateScheduled_ = false;
    int buttonStateChanges_ = 0;
};

} // namespace pw
