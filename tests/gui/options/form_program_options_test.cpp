// The Preferences dialog on a running module: what OK applies to the program and the options
// file, what Cancel keeps, the hot key box, the Default button's rule, the page it remembers and
// the help that follows the focus.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "lang/ini_document.h"
#include "manager/form_front.h"
#include "menu/menus_painter.h"
#include "menu/popup_menu.h"
#include "options/ui/form_program_options.h"
#include "options/ui/hot_key_edit.h"
#include "options/ui/shortcut_text.h"
#include "platform/global_hot_key.h"
#include "support/gui/module_fixture.h"
#include "util/paths.h"

namespace pw {
namespace {

const QKeyCombination kCtrlK(Qt::ControlModifier, Qt::Key_K);
const QKeyCombination kCtrlL(Qt::ControlModifier, Qt::Key_L);

void Press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(w, &release);
}

class PreferencesTest : public test::ModuleFixture {
protected:
    TFormFront* Front() { return qobject_cast<TFormFront*>(module->MainForm.data()); }
    TProgramOptions& Options() { return module->ProgramOptions(); }
    void Start() {
        StartModule();
        ProcessEvents(); // the delayed start-up applies the options
    }
    TFormProgramOptions* Open() {
        module->ShowPreferences();
        ProcessEvents();
        dialog = qobject_cast<TFormProgramOptions*>(module->PreferencesForm.data());
        return dialog;
    }
    // Closes through a button; the dialog frees itself.
    void Click(const char* button) {
        ASSERT_NE(dialog, nullptr);
        QPushButton* b = Child<QPushButton>(button);
        ASSERT_NE(b, nullptr);
        b->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ProcessEvents();
    }
    template <typename T> T* Child(const char* name) {
        T* w = dialog ? dialog->findChild<T*>(name) : nullptr;
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    std::string OptionsText() {
        return temp.read("home/Documents/Halvorn-Ek/Pathwick/config/options.ini");
    }
    bool AutostartEntryExists() {
        return FileExists(temp.path() + "home/.config/autostart/HalvornEk-Pathwick.desktop");
    }
    static bool Holds(const std::string& text, const std::string& line) {
        return text.find("\n" + line + "\r\n") != std::string::npos;
    }

    TFormProgramOptions* dialog = nullptr;
};

TEST_F(PreferencesTest, OkAppliesEverythingAtOnceCancelChangesNothingAndARestartKeepsIt) {
    Start();
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Options");
    EXPECT_GE(dialog->width(), 475);
    EXPECT_GE(dialog->height(), 325);
    EXPECT_EQ(dialog->minimumSize(), QSize(475, 325));
    auto* pages = Child<QTabWidget>("pgcOptions");
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), "Visuals");
    EXPECT_EQ(pages->tabText(1), "Miscellaneous");
    EXPECT_FALSE(pages->isTabVisible(2)) << "the hidden page's tab is never shown";
    EXPECT_FALSE(Child<QCheckBox>("chbShowInTask")->isVisibleTo(dialog));
    EXPECT_EQ(pages->currentIndex(), 0);

    // The current options, with the stored font name kept although no font has it here.
    EXPECT_TRUE(Child<QCheckBox>("chkWindowsVU")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>("chbShowInTray")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>("chbOverrideStandardFont")->isChecked());
    EXPECT_EQ(Child<QComboBox>("cbOverrideStandardFontName")->currentText(), "Verdana");
    EXPECT_EQ(Child<QComboBox>("cbOverrideStandardFontSize")->currentText(), "10");
    auto* hotKeyBox = Child<THotKeyEdit>("hkProgramActivateShortCutPB");
    EXPECT_EQ(hotKeyBox->HotKey(), kCtrlL);
    // Offscreen there are no global grabs: the dialog says so.
    EXPECT_TRUE(Child<QLabel>("lblHotKeyState")->text().contains("pathwick-ctl popup"));

    // Cancel: nothing changes, but the options file and the autostart entry are written.
    Child<QCheckBox>("chbShowInTray")->setChecked(false);
    Child<QCheckBox>("chbOverrideStandardFont")->setChecked(true);
    Press(hotKeyBox, Qt::Key_K, Qt::ControlModifier, "k");
    Click("btnCancel");
    EXPECT_TRUE(module->PreferencesForm.isNull());
    EXPECT_TRUE(Options().AlwaysShowInTray);
    EXPECT_FALSE(Options().OverrideStandardFont);
    EXPECT_EQ(Options().ProgramPopupShortCut, "CTRL+L");
    EXPECT_TRUE(Front()->Painter()->UseStandardFont);
    EXPECT_TRUE(Holds(OptionsText(), "AlwaysShowInTray=1"));
    EXPECT_TRUE(AutostartEntryExists());

    // OK: every option at once.
    ASSERT_NE(Open(), nullptr);
    Child<QCheckBox>("chkWindowsVU")->setChecked(false);
    Child<QCheckBox>("chbOverrideStandardFont")->setChecked(true);
    auto* name = Child<QComboBox>("cbOverrideStandardFontName");
    ASSERT_GE(name->findText("DejaVu Serif"), 0);
    name->setCurrentIndex(name->findText("DejaVu Serif"));
    Child<QComboBox>("cbOverrideStandardFontSize")->setEditText("12");
    Child<QCheckBox>("chbOverrideStandardFontStyleBold")->setChecked(true);
    Child<QCheckBox>("chbShowInTray")->setChecked(false);
    Press(Child<THotKeyEdit>("hkProgramActivateShortCutPB"), Qt::Key_K, Qt::ControlModifier, "k");
    Click("btnOK");
    EXPECT_TRUE(module->PreferencesForm.isNull());
    EXPECT_FALSE(Options().SaveWindowsSetup);
    EXPECT_TRUE(Options().OverrideStandardFont);
    EXPECT_EQ(Options().OverrideStandardFontName, "DejaVu Serif");
    EXPECT_EQ(Options().OverrideStandardFontSize, 12);
    EXPECT_TRUE(Options().OverrideStandardFontBold);
    EXPECT_FALSE(Options().AlwaysShowInTray);
    EXPECT_EQ(Options().ProgramPopupShortCut, "Ctrl+K");
    // ...applied to the running program...
    ThvMenusPainter* painter = Front()->Painter();
    EXPECT_EQ(painter->FontName, "DejaVu Serif");
    EXPECT_EQ(painter->FontSize, 12);
    EXPECT_TRUE(painter->FontBold);
    EXPECT_FALSE(painter->UseStandardFont);
    EXPECT_EQ(Front()->HotKey().ShortCut(), kCtrlK);
    const QList<QAction*> root = Front()->pmItems()->actions();
    EXPECT_EQ(root.at(1)->property(kDrawModeProperty).toInt(), int(MenuDrawMode::Normal));
    // ...and to the options file and the autostart entry.
    const std::string file = OptionsText();
    EXPECT_TRUE(Holds(file, "ProgramPopupShortCut=Ctrl+K")) << file;
    EXPECT_TRUE(Holds(file, "OverrideStandardFontName=DejaVu Serif"));
    EXPECT_TRUE(Holds(file, "OverrideStandardFontSize=12"));
    EXPECT_TRUE(Holds(file, "SaveWindowsSetup=0"));
    EXPECT_FALSE(AutostartEntryExists());

    // A restart reads it all back and the dialog shows it.
    StopModule();
    Start();
    EXPECT_EQ(Front()->HotKey().ShortCut(), kCtrlK);
    EXPECT_EQ(Front()->Painter()->FontName, "DejaVu Serif");
    EXPECT_FALSE(Front()->Painter()->UseStandardFont);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Child<QComboBox>("cbOverrideStandardFontName")->currentText(), "DejaVu Serif");
    EXPECT_EQ(Child<QComboBox>("cbOverrideStandardFontSize")->currentText(), "12");
    EXPECT_TRUE(Child<QCheckBox>("chbOverrideStandardFontStyleBold")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>("chbShowInTray")->isChecked());
    EXPECT_EQ(Child<THotKeyEdit>("hkProgramActivateShortCutPB")->HotKey(), kCtrlK);
    // A second "Preferences..." opens no second dialog.
    TFormProgramOptions* first = dialog;
    EXPECT_EQ(Open(), first);
    Click("btnCancel");
}

TEST_F(PreferencesTest, HotKeyBoxRecordsOneAdmittedCombinationInTheToolkitsFormat) {
    Start();
    ASSERT_NE(Open(), nullptr);
    auto* box = Child<THotKeyEdit>("hkProgramActivateShortCutPB");
    auto* shown = box->findChild<QLineEdit*>();
    ASSERT_NE(shown, nullptr);
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers pressed;
        QKeyCombination kept;
    } cases[] = {
        {Qt::Key_K, Qt::NoModifier, kCtrlK},
        {Qt::Key_K, Qt::ShiftModifier | Qt::ControlModifier, kCtrlK},
        {Qt::Key_Delete, Qt::ControlModifier | Qt::AltModifier,
         QKeyCombination(Qt::ControlModifier, Qt::Key_Delete)},
        {Qt::Key_K, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, kCtrlK},
        {Qt::Key_K, Qt::AltModifier, QKeyCombination(Qt::AltModifier, Qt::Key_K)},
        {Qt::Key_F5, Qt::ShiftModifier | Qt::AltModifier,
         QKeyCombination(Qt::ShiftModifier | Qt::AltModifier, Qt::Key_F5)},
        {Qt::Key_Space, Qt::MetaModifier, QKeyCombination(Qt::MetaModifier, Qt::Key_Space)},
    };
    for (const Case& c : cases) {
        Press(box, c.key, c.pressed);
        EXPECT_EQ(box->HotKey(), c.kept) << QKeySequence(c.kept).toString().toStdString();
        EXPECT_EQ(box->keySequence().count(), 1) << "one combination, never a sequence";
        EXPECT_EQ(shown->text(), QKeySequence(c.kept).toString(QKeySequence::NativeText));
    }
    // Tab moves on instead of being recorded.
    Press(box, Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(box->HotKey(), QKeyCombination(Qt::MetaModifier, Qt::Key_Space));

    // The stored text reads back to the same combination; the toolkit's parser ignores case.
    EXPECT_EQ(ParseShortCutText("CTRL+L"), kCtrlL);
    EXPECT_EQ(ShortCutText(kCtrlL), "Ctrl+L");
    for (QKeyCombination c :
         {kCtrlK, QKeyCombination(Qt::AltModifier, Qt::Key_F4),
          QKeyCombination(Qt::ShiftModifier | Qt::AltModifier, Qt::Key_Adiaeresis),
          QKeyCombination(Qt::ControlModifier, Qt::Key_Exclam),
          QKeyCombination(Qt::MetaModifier | Qt::ControlModifier, Qt::Key_Space),
          QKeyCombination(Qt::ControlModifier, Qt::Key_Plus),
          QKeyCombination(Qt::ControlModifier, Qt::Key_Comma)})
        EXPECT_EQ(ParseShortCutText(ShortCutText(c)), c) << ShortCutText(c);
    for (const char* text : {"Ctrl+Nothing", "Ctrl+", "Ctrl", "Hyper+L", "Ctrl+K, Ctrl+L", "+L"}) {
        EXPECT_EQ(ParseShortCutText(text), QKeyCombination()) << text;
        EXPECT_FALSE(IsShortCutText(text)) << text;
    }
    EXPECT_TRUE(IsShortCutText(""));
    EXPECT_EQ(ParseShortCutText("ctrl+shift+f5"),
              QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F5));
    EXPECT_EQ(ParseShortCutText("Shift+Ctrl+L"),
              QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_L));
    Click("btnCancel");
}

TEST_F(PreferencesTest, AShortcutTextThatDoesNotParseIsLoggedAndShownAsAnEmptyBox) {
    temp.write("home/Documents/Halvorn-Ek/Pathwick/config/options.ini",
               "[ProgramOptions.Miscellaneous]\r\nProgramPopupShortCut=Ctrl+Nothing\r\n");
    Start();
    EXPECT_FALSE(Front()->HotKey().IsActive());
    EXPECT_EQ(Front()->HotKey().ShortCut(), QKeyCombination());
    const std::string log = temp.read("home/Documents/Halvorn-Ek/Pathwick/logs/misc/program.log");
    EXPECT_NE(log.find("ApplyOptions_HotKey"), std::string::npos) << log;
    EXPECT_NE(log.find("\"Ctrl+Nothing\": the text is not a key combination"), std::string::npos);

    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Child<THotKeyEdit>("hkProgramActivateShortCutPB")->HotKey(), QKeyCombination());
    auto* state = Child<QLabel>("lblHotKeyState");
    EXPECT_FALSE(state->isHidden());
    EXPECT_TRUE(state->text().contains("\"Ctrl+Nothing\"")) << state->text().toStdString();
    // OK stores what the box holds: no hot key.
    Click("btnOK");
    EXPECT_EQ(Options().ProgramPopupShortCut, "");
}

TEST_F(PreferencesTest, DefaultTakesTheMenuFontAndLeavesTheOverrideAlone) {
    const QFont saved = QApplication::font("QMenu");
    Start();
    ASSERT_NE(Open(), nullptr);
    auto* name = Child<QComboBox>("cbOverrideStandardFontName");
    auto* size = Child<QComboBox>("cbOverrideStandardFontSize");
    auto* bold = Child<QCheckBox>("chbOverrideStandardFontStyleBold");
    auto* overrideBox = Child<QCheckBox>("chbOverrideStandardFont");
    struct Case {
        const char* family;
        int points;
        const char* name;
        const char* size;
    } cases[] = {
        {"DejaVu Sans", 8, "DejaVu Sans", "8"},
        {"DejaVu Serif", 10, "DejaVu Serif", "9"},
        {"DejaVu Sans Mono", 7, "DejaVu Sans Mono", "7"},
        {"DejaVu Sans", 14, "DejaVu Sans", "9"},
        // The menu font's name must match an entry exactly; there is no Verdana here either.
        {"dejavu sans", 9, "", "9"},
        {"No Such Font", 8, "", "8"},
    };
    for (const Case& c : cases) {
        QApplication::setFont(QFont(c.family, c.points), "QMenu");
        bold->setChecked(true);
        overrideBox->setChecked(c.points % 2 == 0);
        Child<QPushButton>("BtnDefault")->click();
        EXPECT_EQ(name->currentText(), c.name) << c.family;
        EXPECT_EQ(name->currentIndex() >= 0, *c.name != '\0') << c.family;
        EXPECT_EQ(size->currentText(), c.size) << c.points;
        EXPECT_FALSE(bold->isChecked());
        EXPECT_EQ(overrideBox->isChecked(), c.points % 2 == 0) << "the override stays as it was";
    }
    QApplication::setFont(saved, "QMenu");
    Click("btnCancel");
    EXPECT_EQ(Options().OverrideStandardFontName, "Verdana") << "Default changes only controls";
}

TEST_F(PreferencesTest, PageIsRememberedWithSaveMiscSetupAndTheHelpFollowsTheFocus) {
    Start();
    ASSERT_NE(Open(), nullptr);
    dialog->activateWindow();
    ProcessEvents();
    EXPECT_EQ(dialog->HelpText(), "Remember windows position, size, and state.");
    Child<QCheckBox>("chkMiscVU")->setFocus();
    ProcessEvents();
    EXPECT_EQ(dialog->HelpText(), "Remember miscellaneous setup.");
    Child<QCheckBox>("chbOverrideStandardFontStyleBold")->setFocus();
    ProcessEvents();
    EXPECT_EQ(dialog->HelpText(), "Remember miscellaneous setup.") << "the bold box has none";
    Child<QPushButton>("BtnDefault")->setFocus();
    ProcessEvents();
    EXPECT_EQ(dialog->HelpText(), "No help available for this topic.");

    // The page change moves the focus to the page's first control, with its help.
    Child<QTabWidget>("pgcOptions")->setCurrentIndex(1);
    ProcessEvents();
    EXPECT_TRUE(dialog->HelpText().startsWith("If checked, Pathwick will register itself"))
        << dialog->HelpText().toStdString();
    Child<THotKeyEdit>("hkProgramActivateShortCutPB")->setFocus();
    ProcessEvents();
    EXPECT_TRUE(dialog->HelpText().startsWith("Can be used when Pathwick is minimized."));
    EXPECT_TRUE(dialog->HelpText().contains("\n\nTo enter the \"hotkeys\""));
    Click("btnCancel");
    EXPECT_NE(OptionsText().find("\r\npgcOptions.ActivePageIndex=1\r\n"), std::string::npos);

    // Reopened on that page, in the current language.
    module->SetLanguage("de-de", false);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Child<QTabWidget>("pgcOptions")->currentIndex(), 1);
    EXPECT_EQ(dialog->windowTitle(), "Optionen");
    EXPECT_EQ(Child<QTabWidget>("pgcOptions")->tabText(1), "Verschiedenes");
    EXPECT_EQ(Child<QCheckBox>("chbShowInTray")->text(),
              "Pathwick beim Windows-Start im Infobereich starten");
    EXPECT_TRUE(dialog->HelpText().startsWith("Wenn aktiviert, tr\xC3\xA4gt sich Pathwick"))
        << dialog->HelpText().toStdString();
    EXPECT_TRUE(Child<QLabel>("lblHotKeyState")->text().contains("keine globalen"));
    // A language switch reaches the open dialog.
    module->SetLanguage("en-us", false);
    EXPECT_EQ(dialog->windowTitle(), "Options");
    EXPECT_TRUE(dialog->HelpText().startsWith("If checked, Pathwick"));

    // Without SaveMiscSetup the page is not stored: the file keeps page 1.
    Options().SaveMiscSetup = false;
    Child<QTabWidget>("pgcOptions")->setCurrentIndex(0);
    Click("btnCancel");
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Child<QTabWidget>("pgcOptions")->currentIndex(), 1);
    Click("btnCancel");

    // A page index that names no page the user sees opens the first one.
    for (const char* index : {"2", "-1", "x"}) {
        IniDocument ini(OptionsText());
        ini.WriteString("FormProgramOptions", "pgcOptions.ActivePageIndex", index);
        temp.write("home/Documents/Halvorn-Ek/Pathwick/config/options.ini", ini.Text());
        ASSERT_NE(Open(), nullptr);
        EXPECT_EQ(Child<QTabWidget>("pgcOptions")->currentIndex(), 0) << index;
        Click("btnCancel");
    }
}

} // namespace
} // namespace pw
