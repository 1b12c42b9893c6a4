#pragma once
// TFormProgramOptions: the Preferences dialog. It edits the program's options and the two
// persistence options of the framework; OK applies them to the running program at once
// (hot key, popup drawing and font), Cancel changes nothing, and the options file with the
// autostart entry is written when the dialog goes.

#include <QKeyCombination>
#include <QPointer>
#include <map>
#include <string>

#include "framework/ui/form_base.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace pw {

class GlobalHotKey;
class THotKeyEdit;
class ThvGroupHeading;
class TProgramOptions;
enum class TranslateStep;

class TFormProgramOptions : public ThvFormGenericStructEx {
    Q_OBJECT
public:
    TFormProgramOptions();
    ~TFormProgramOptions() override;

    // The file and suffixes of this dialog's texts.
    static constexpr const char* kTextFile = "UTF8_program.ini";
    static constexpr const char* kFormSuffix = "_ProgramOptions";
    static constexpr const char* kHelpSuffix = "__HelpText_ProgramOptions";
    static constexpr const char* kMessageSuffix = "__MessageText_ProgramOptions";
    static constexpr const char* kActivePageKey = "pgcOptions.ActivePageIndex";
    static constexpr int kMinimumWidth = 475;
    static constexpr int kMinimumHeight = 325;

    void RegisterMessageTexts() override;
    void RegisterControlTexts() override;
    void ApplyTranslation() override;
    void SaveMiscState(const std::string& iniPath) override;
    void LoadMiscState(const std::string& iniPath) override;
    void FormDestroy() override;

    // Fills the three font controls from the system's menu font.
    void BtnDefaultClick();
    // Applies the dialog to the options and the running program, then closes it; a hot key
    // another program holds is refused with a message and the dialog stays open.
    void BtnOKClick();
    void BtnCancelClick();

    // What the help box shows.
    QString HelpText() const;

protected:
    void CreateLayout() override;
    void FormCreate() override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct HelpEntry {
        const char* File;
        const char* Section;
        const char* Key;
        const char* English;
    };

    TProgramOptions* ProgramOptions() const;
    GlobalHotKey* MainHotKey() const;
    void TranslateControls(TranslateStep step);
    void FillControls();
    void FocusFirstControl();
    void ShowHelpFor(QWidget* focused);
    void RecordHotKeyWhileFocused(QWidget* focused);
    void UpdateHotKeyState();
    bool AcceptHotKey(QKeyCombination key);
    // A message text of this dialog in the current culture.
    QString Message(const char* key) const;

    QTabWidget* pgcOptions_ = nullptr;
    QWidget* tsVisuals_ = nullptr;
    QWidget* tsMiscellaneous_ = nullptr;
    QWidget* tsHidden_ = nullptr;
    ThvGroupHeading* pnlPersistenceHeader_ = nullptr;
    ThvGroupHeading* pnlMenuSettingsHeader_ = nullptr;
    ThvGroupHeading* pnlBehaviorHeader_ = nullptr;
    ThvGroupHeading* pnlHelpHeading_ = nullptr;
    QCheckBox* chkWindowsVU_ = nullptr;
    QCheckBox* chkMiscVU_ = nullptr;
    QCheckBox* chbOverrideStandardFont_ = nullptr;
    QCheckBox* chbOverrideStandardFontStyleBold_ = nullptr;
    QComboBox* cbOverrideStandardFontName_ = nullptr;
    QComboBox* cbOverrideStandardFontSize_ = nullptr;
    QLabel* lblOverrideStandardFontName_ = nullptr;
    QLabel* lblOverrideStandardFontSize_ = nullptr;
    QLabel* lblOverrideStandardFontStyleBold_ = nullptr;
    QPushButton* BtnDefault_ = nullptr;
    QCheckBox* chbShowInTray_ = nullptr;
    QCheckBox* chbShowInTask_ = nullptr;
    QLabel* lblProgramActivateShortCutPB_ = nullptr;
    THotKeyEdit* hkProgramActivateShortCutPB_ = nullptr;
    QLabel* lblHotKeyState_ = nullptr;
    QPlainTextEdit* memHelp_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;

    QPointer<GlobalHotKey> hotKey_; // the main window's
    std::map<const QWidget*, HelpEntry> help_;
    const QWidget* helpShownFor_ = nullptr;
    QMetaObject::Connection focusConnection_;
    bool closing_ = false;
};

} // namespace pw
