// Translation of the running program: the main window's texts, message dialogs and the
// language menu follow the culture chosen at run time.
#include <QAbstractButton>
#include <gtest/gtest.h>

#include "items/menu_model.h"
#include "lang/language_controller.h"
#include "lang/language_menu.h"
#include "lang/ui/message_dialog.h"
#include "manager/form_front.h"
#include "support/gui/module_fixture.h"

namespace pw {
namespace {

class TranslationTest : public test::ModuleFixture {
protected:
    TFormFront* Front() { return qobject_cast<TFormFront*>(module->MainForm.data()); }
    std::string BasicCaption(const char* name) {
        items::MenuItem* item = Front()->Store().BasicMenu().Find(name);
        return item ? item->Caption : "<missing>";
    }
    static QStringList ButtonTexts(QMessageBox* box) {
        QStringList texts;
        for (QAbstractButton* b : box->buttons())
            texts << b->text();
        texts.sort();
        return texts;
    }
};

TEST_F(TranslationTest, SwitchingTheLanguageRetranslatesTheMainWindowAndBack) {
    StartModule();
    ASSERT_NE(Front(), nullptr);
    EXPECT_EQ(BasicCaption("miAbout"), "About...");
    module->SetLanguage("de-de", false);
    EXPECT_EQ(module->Options().LanguageCulture, "de-de");
    EXPECT_EQ(BasicCaption("miAbout"), "\xC3\x9C"
                                       "ber...");
    EXPECT_EQ(BasicCaption("miManageItems"), "Eintr\xC3\xA4ge verwalten...");
    // Items not in the translated list keep their design text.
    EXPECT_EQ(BasicCaption("miCheckUpdates"), "Updates...");
    // The popup shows the new captions only after the next load.
    items::MenuItem* kit = Front()->Store().pmItems.Find("miPathwickKitFolder__Copy");
    ASSERT_NE(kit, nullptr);
    EXPECT_EQ(kit->Caption, "Pathwick menu");
    Front()->LoadItems();
    kit = Front()->Store().pmItems.Find("miPathwickKitFolder__Copy");
    ASSERT_NE(kit, nullptr);
    EXPECT_EQ(kit->Caption, "Pathwick-Men\xC3\xBC");

    module->SetLanguage("en-us", false);
    EXPECT_EQ(BasicCaption("miAbout"), "About...");
}

TEST_F(TranslationTest, TheLanguageIsKeptInTheOptionsFile) {
    StartModule();
    module->SetLanguage("de-de", false);
    StopModule();
    StartModule();
    EXPECT_EQ(module->Language().CurrentCulture(), "de-de");
    EXPECT_EQ(BasicCaption("miCloseApp"), "Beenden");
}

TEST_F(TranslationTest, MessageDialogsShowTheCultureTexts) {
    StartModule();
    std::unique_ptr<QMessageBox> english(CreateMessageDialog(
        "?", MsgDlgType::Confirmation, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
    TranslateMessageDialog(english.get());
    EXPECT_EQ(english->windowTitle(), "Confirm");
    EXPECT_EQ(ButtonTexts(english.get()), QStringList({"&No", "&Yes", "Cancel"}));

    module->SetLanguage("de-de", false);
    std::unique_ptr<QMessageBox> german(CreateMessageDialog(
        "?", MsgDlgType::Confirmation, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
    TranslateMessageDialog(german.get());
    EXPECT_EQ(german->windowTitle(), QString::fromUtf8("Best\xC3\xA4tigen"));
    EXPECT_EQ(ButtonTexts(german.get()), QStringList({"&Ja", "&Nein", "Abbrechen"}));
}

TEST(MessageDialog, ShowsItsMessageAsPlainText) {
    // A caption or path with markup characters is shown as typed.
    std::unique_ptr<QMessageBox> box(
        CreateMessageDialog("Folder \"<b>x</b>\" <img src=a>", MsgDlgType::Error, QMessageBox::Ok));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

TEST_F(TranslationTest, MenuShortcutsFollowTheCultureFile) {
    // A culture whose file gives About a shortcut, and Help one that does not parse.
    temp.write("program/trans/xx-xx/UTF8_program.ini",
               "[StrsGui____Menus__FrontMain]\r\nmiAbout.ShortCut=Ctrl+B\r\n"
               "miHelpFile.ShortCut=NotAKey+Q+\r\n");
    StartModule();
    module->SetLanguage("xx-xx", false);
    items::MenuItem& basic = Front()->Store().BasicMenu();
    EXPECT_EQ(basic.Find("miAbout")->ShortCut, "Ctrl+B");
    EXPECT_EQ(basic.Find("miHelpFile")->ShortCut, "");
}

TEST_F(TranslationTest, LanguageMenuPutsTheCurrentCultureFirst) {
    StartModule();
    items::MenuItem menu;
    items::ImageList flags;
    BuildLanguageMenu(menu, programFolder + "trans/", "en-us", &flags);
    ASSERT_EQ(menu.Count(), 3);
    EXPECT_EQ(menu.Child(0)->Caption, "en-us (English (US))");
    EXPECT_TRUE(menu.Child(0)->Checked);
    EXPECT_EQ(menu.Child(1)->Caption, "-");
    EXPECT_EQ(menu.Child(1)->Tag, items::kTagSeparator);
    EXPECT_EQ(menu.Child(2)->Caption, "de-de (Deutsch)");
    EXPECT_FALSE(menu.Child(2)->Checked);

    // Choosing the entry switches to the culture named before the blank.
    Front()->MI_Lingua_Select_ChoiceClick(*menu.Child(2));
    EXPECT_EQ(module->Options().LanguageCulture, "de-de");
    items::MenuItem* lingua = Front()->Store().BasicMenu().Find("M_MI_Lingua");
    ASSERT_NE(lingua, nullptr);
    EXPECT_EQ(lingua->Child(0)->Caption, "de-de (Deutsch)");
}

TEST(LanguageMenu, WithoutCulturesItHasOneEmptyDisabledEntry) {
    test::TempDir dir;
    items::MenuItem menu;
    BuildLanguageMenu(menu, dir.path(), "en-us", nullptr);
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Child(0)->Caption, "");
    EXPECT_FALSE(menu.Enabled);
    EXPECT_EQ(CultureOfLanguageEntry("&de-de (Deutsch)"), "de-de");
}

} // namespace
} // namespace pw
