// The About window's translation editor, driven as a translator uses it: a new culture made,
// synced on English, typed into, saved, and the running program switched to it; the question on
// a tab change with unsaved typing; find, find next, the restart question and replace all.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolButton>
#include <gtest/gtest.h>

#include "about/form_about.h"
#include "about/translation_page.h"
#include "browser_fixture.h"
#include "lang/translation_files.h"
#include "manager/form_front.h"
#include "manager/side_column.h"
#include "util/paths.h"
#include "util/text_files.h"

namespace pw {
namespace {

class TranslationPageTest : public test::BrowserFixture {
protected:
    void Open() {
        StartModule();
        ProcessEvents();
        module->ShowAbout();
        ProcessEvents();
        about = qobject_cast<ThvFormAbout*>(module->AboutForm.data());
        ASSERT_NE(about, nullptr);
        page = about->TranslationPage();
        ASSERT_NE(page, nullptr);
    }
    void ShowPage() {
        about->Pages()->setCurrentWidget(page);
        Activate();
    }
    // The About window becomes the active window again (a dialog had it).
    void Activate() {
        about->activateWindow();
        test::WaitUntil([this] { return about->isActiveWindow(); }, 2000);
        ProcessEvents();
        page->UpdateTranslationActions();
    }
    bool Enabled(const char* action) { return page->Action(action)->isEnabled(); }
    // Puts the caret at the end of the line that starts with the text.
    void CaretAtEndOfLine(const QString& start) {
        QTextDocument* d = page->NewText()->document();
        for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) {
            if (b.text().startsWith(start)) {
                QTextCursor c(b);
                c.movePosition(QTextCursor::EndOfBlock);
                page->NewText()->setTextCursor(c);
                return;
            }
        }
        ADD_FAILURE() << "no line " << start.toStdString();
    }
    QString Selected() { return page->NewText()->textCursor().selectedText(); }
    int SelectionStart() { return page->NewText()->textCursor().selectionStart(); }

    ThvFormAbout* about = nullptr;
    ThvTranslationPage* page = nullptr;
};

TEST_F(TranslationPageTest, ANewCultureIsSyncedTypedSavedAndShownByTheRunningProgram) {
    Open();
    const std::string trans = programFolder + "trans/";
    // English on the left from the start; nothing on the right while the culture is English.
    ASSERT_EQ(page->NativeTabs()->count(), 3);
    EXPECT_EQ(page->NativeTabs()->tabText(0), "en-us/UTF8_program.ini");
    EXPECT_EQ(page->NativeHeading()->text().toStdString(), trans + "en-us/UTF8_program.ini");
    EXPECT_TRUE(page->NativeText()->toPlainText().contains("rbFile.Caption=File on disk/lan"));
    EXPECT_EQ(page->NewTabs()->count(), 0);
    EXPECT_FALSE(Enabled("ALI_Edit_Sync"));
    // The hidden page coloured nothing; shown, it colours both panes.
    EXPECT_EQ(page->NativeColouring()->ColouredBlocks, 0);
    ShowPage();
    EXPECT_GT(page->NativeColouring()->ColouredBlocks, 100);
    const QTextBlock head = page->NativeText()->document()->firstBlock();
    ASSERT_FALSE(head.layout()->formats().isEmpty());
    EXPECT_EQ(head.layout()->formats().first().format.foreground().color(), QColor(0, 0, 128));

    // New: the folder browser makes "xx-yy" in the languages folder.
    QString offeredStart;
    page->ChooseFolder = [&](bool makeNew, const QString&, const QString& start) {
        EXPECT_TRUE(makeNew);
        offeredStart = start;
        return QString::fromStdString(temp.mkdir("program/trans/xx-yy"));
    };
    page->Action("ALI_File_New")->trigger();
    EXPECT_EQ(offeredStart.toStdString(), trans);
    ASSERT_EQ(page->NewTabs()->count(), 3);
    EXPECT_EQ(page->NewTabs()->tabText(0), "xx-yy/UTF8_program.ini");
    EXPECT_EQ(page->NewTabs()->tabText(1), "xx-yy/UTF8_shared.ini");
    EXPECT_EQ(page->NewTabs()->tabText(2), "xx-yy/UTF8_general.ini");
    EXPECT_EQ(page->NewText()->toPlainText(), "");
    EXPECT_EQ(page->MetaData().Lingua_ID, "xx-yy");
    page->UpdateTranslationActions();
    EXPECT_TRUE(Enabled("ALI_File_Save"));
    EXPECT_TRUE(Enabled("ALI_File_Update"));
    EXPECT_TRUE(Enabled("ALI_Edit_Sync"));
    EXPECT_FALSE(page->NewText()->isReadOnly());
    // Idle updates with nothing changed touch no button.
    const int changes = page->ButtonStateChanges();
    page->UpdateTranslationActions();
    page->UpdateTranslationActions();
    EXPECT_EQ(page->ButtonStateChanges(), changes);
    EXPECT_TRUE(page->Button("ALI_Edit_Sync")->isEnabled());

    // Sync: the English structure with empty values, marked changed, nothing on disk.
    page->Action("ALI_Edit_Sync")->trigger();
    const QString synced = page->NewText()->toPlainText();
    EXPECT_TRUE(synced.contains("\nrbFile.Caption=\n"));
    EXPECT_TRUE(synced.contains("DiskItemsDataBackup__Template=__curly"));
    EXPECT_TRUE(synced.contains("\nLingua_ID=\n"));
    EXPECT_TRUE(page->Changed());
    EXPECT_FALSE(FileExists(trans + "xx-yy/UTF8_program.ini"));

    // The translator types a caption and then turns to the next tab: Cancel keeps both.
    page->NewText()->setFocus();
    CaretAtEndOfLine("rbFile.Caption=");
    page->NewText()->insertPlainText(QString::fromUtf8("Datei (\xC3\xBC)"));
    AnswerMessageBoxes(QMessageBox::Cancel);
    page->NewTabs()->setCurrentIndex(1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toStdString(),
              "Save file \"" + trans + "xx-yy/UTF8_program.ini\" changes?");
    EXPECT_EQ(page->NewTabs()->currentIndex(), 0);
    EXPECT_TRUE(page->NewText()->toPlainText().contains(
        QString::fromUtf8("rbFile.Caption=Datei (\xC3\xBC)")));
    EXPECT_TRUE(page->Changed());

    // Update saves (UTF-8 with byte order mark, CR LF) and switches the program.
    page->Action("ALI_File_Update")->trigger();
    ProcessEvents();
    EXPECT_FALSE(page->Changed());
    const std::string saved = ReadFileBytes(trans + "xx-yy/UTF8_program.ini");
    EXPECT_EQ(saved.substr(0, 3), kByteOrderMark);
    EXPECT_NE(saved.find("\r\nrbFile.Caption=Datei (\xC3\xBC)\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("\n\n"), std::string::npos);
    EXPECT_EQ(module->Options().LanguageCulture, "xx-yy");
    // The side column, built only now, shows the culture the program switched to.
    ASSERT_EQ(module->FrontForm()->findChild<QRadioButton*>("rbFile"), nullptr);
    auto* rbFile = module->FrontForm()->Side()->findChild<QRadioButton*>("rbFile");
    ASSERT_NE(rbFile, nullptr);
    EXPECT_EQ(rbFile->text(), QString::fromUtf8("Datei (\xC3\xBC)"));
    // What the culture leaves empty shows empty; the About window is still there.
    EXPECT_EQ(module->AboutForm.data(), about);

    // Without a translation tab, Update does nothing.
    page->OpenTranslation("en-us");
    EXPECT_EQ(page->NewTabs()->count(), 0);
    page->UpdateProgram();
    EXPECT_EQ(module->Options().LanguageCulture, "xx-yy");
}

TEST_F(TranslationPageTest, FindFindNextRestartAndReplaceAll) {
    temp.write("program/trans/xx-yy/UTF8_program.ini",
               "[A]\r\none=Save file\r\ntwo=save all\r\nthree=SAVE nothing\r\n");
    Open();
    ShowPage();
    page->OpenTranslation("xx-yy");
    page->NewText()->setFocus();
    page->NewText()->moveCursor(QTextCursor::Start);
    ProcessEvents();
    page->UpdateTranslationActions();
    EXPECT_TRUE(Enabled("ALI_Edit_Search_FindNext"));
    EXPECT_TRUE(Enabled("ALI_Edit_Search_ReplaceOpen"));

    // Find next with no earlier match opens the find dialog.
    page->Action("ALI_Edit_Search_FindNext")->trigger();
    ThvTranslationSearchDialog* find = page->FindDialog();
    ASSERT_TRUE(find->isVisible());
    find->SetFindText("save");
    find->FindNextButton()->click();
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(Selected(), "Save");
    // After a match, Find next goes on without a dialog.
    page->Action("ALI_Edit_Search_FindNext")->trigger();
    EXPECT_EQ(Selected(), "save");
    page->Action("ALI_Edit_Search_FindNext")->trigger();
    EXPECT_EQ(Selected(), "SAVE");
    const int last = SelectionStart();
    // Past the last one: the restart question; No keeps the selection.
    AnswerMessageBoxes(QMessageBox::No);
    page->Action("ALI_Edit_Search_FindNext")->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "\"save\" not found. Restart search from top?");
    EXPECT_EQ(Selected(), "SAVE");
    EXPECT_EQ(SelectionStart(), last);

    // Replace carries the search text over; Replace All with Match case leaves other case.
    Activate();
    page->Action("ALI_Edit_Search_ReplaceOpen")->trigger();
    ThvTranslationSearchDialog* replace = page->ReplaceDialog();
    ASSERT_TRUE(replace->isVisible());
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(replace->FindText(), "save");
    replace->SetReplaceText("keep");
    replace->SetMatchCase(true);
    page->NewText()->moveCursor(QTextCursor::Start);
    messages.clear();
    AnswerMessageBoxes(QMessageBox::YesToAll);
    replace->ReplaceAllButton()->click();
    EXPECT_EQ(page->NewText()->toPlainText(),
              "[A]\none=Save file\ntwo=keep all\nthree=SAVE nothing");
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], "Replace \"save\" with \"keep\"?");
    EXPECT_EQ(messages[1], "Replaced \"save\" with \"keep\" 1 places!");
    EXPECT_TRUE(replace->isVisible());
    EXPECT_TRUE(page->Changed());
    // One Undo takes the whole replacement back.
    page->NewText()->undo();
    EXPECT_TRUE(page->NewText()->toPlainText().contains("two=save all"));
}

TEST_F(TranslationPageTest, ASaveThatCannotWriteTellsAndOffersTheUserDataFolder) {
    // The culture's file cannot be written in the program folder (a folder stands in its way,
    // as a read-only installed folder would refuse it).
    temp.write("program/trans/xx-yy/UTF8_shared.ini", "[A]\r\nk=v\r\n");
    temp.mkdir("program/trans/xx-yy/UTF8_program.ini");
    Open();
    ShowPage();
    page->OpenTranslation("xx-yy");
    page->NewText()->selectAll();
    page->NewText()->insertPlainText("[StrsGui____Controls__FrontMain]\nrbFile.Caption=Fichier");
    ASSERT_TRUE(page->Changed());
    const std::string user = dataFolder + "trans/xx-yy/UTF8_program.ini";

    // No: nothing is saved; the translator is told, text and changed flag stay.
    AnswerMessageBoxes(QMessageBox::No);
    EXPECT_FALSE(page->Save());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("The language file \"" +
                                       QString::fromStdString(programFolder) +
                                       "trans/xx-yy/UTF8_program.ini\" cannot be written"));
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(user))) << messages[0].toStdString();
    EXPECT_TRUE(page->Changed());
    EXPECT_TRUE(page->NewText()->toPlainText().endsWith("Fichier"));

    // Yes: saved under the user data folder, which the program then reads the culture from.
    messages.clear();
    AnswerMessageBoxes(QMessageBox::Yes);
    EXPECT_TRUE(page->Save());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(page->Changed());
    EXPECT_EQ(ReadFileBytes(user),
              "\xEF\xBB\xBF[StrsGui____Controls__FrontMain]\r\nrbFile.Caption=Fichier");
    EXPECT_EQ(page->NewHeading()->text().toStdString(),
              dataFolder + "trans/xx-yy/UTF8_program.ini");
    // A side column built before the switch is translated again.
    auto* rbFile = module->FrontForm()->Side()->findChild<QRadioButton*>("rbFile");
    ASSERT_NE(rbFile, nullptr);
    page->UpdateProgram();
    ProcessEvents();
    EXPECT_EQ(rbFile->text(), "Fichier");
    // The other files still come from the program folder.
    page->NewTabs()->setCurrentIndex(1);
    EXPECT_EQ(page->NewHeading()->text().toStdString(),
              programFolder + "trans/xx-yy/UTF8_shared.ini");
    EXPECT_EQ(page->NewText()->toPlainText(), "[A]\nk=v");
}

TEST_F(TranslationPageTest, TheEditorsTextsAreTranslated) {
    Open();
    module->SetLanguage("de-de", false);
    ProcessEvents();
    EXPECT_EQ(about->Pages()->tabText(about->Pages()->indexOf(page)),
              QString::fromUtf8("\xC3\x9C"
                                "bersetzung"));
    EXPECT_EQ(page->Action("ALI_Edit_Sync")->text(), "Abgleichen");
    EXPECT_EQ(page->Button("ALI_File_Save")->text(), "Speichern");
    EXPECT_EQ(page->FindDialog()->windowTitle(), "Suchen");
    ExpectGermanTextsFor({"StrsGui____Actions__About", "StrsGui____Controls__About"});
}

} // namespace
} // namespace pw
