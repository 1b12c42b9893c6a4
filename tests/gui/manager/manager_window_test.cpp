// The manager window driven through its own controls: button states, the editing buttons, the
// edit fields, the status bar, the close question, saving, the tree's pictures and the German
// texts.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <gtest/gtest.h>

#include "framework/ui/group_heading.h"
#include "framework/ui/hint_status_bar.h"
#include "gui/platform/launch_test_support.h"
#include "items/bitmap_file.h"
#include "items/item_rules.h"
#include "manager/form_front.h"
#include "manager/item_tree_model.h"
#include "manager/side_column.h"
#include "menu/image_list_icons.h"
#include "menu/popup_menu.h"
#include "platform/default_handler.h"
#include "platform/startup_environment.h"
#include "support/gui/module_fixture.h"
#include "util/paths.h"

namespace pw {
namespace {

using items::TreeNode;

class ManagerWindowTest : public test::ModuleFixture {
protected:
    std::string Root() const { return dataFolder + "shortcuts/"; }
    void Write(const std::string& relative, const std::string& text) {
        temp.write("home/Documents/Halvorn-Ek/Pathwick/shortcuts/" + relative, text);
    }
    // Root: top, Tools (top, Doc), separator, Script, Web.
    void StartWithSample() {
        script = temp.write("files/mark.sh", "#!/bin/sh\necho \"$1\" > \"$2\"\n");
        test::MakeExecutable(script);
        doc = temp.write("files/doc.txt", "x");
        Write("shortcuts-utf8.txt", "^Folder|Tools\r\n^NorSep|\r\n^ExeLnk|" + script + "|started " +
                                        temp.path() +
                                        "marker|sh|Script||\r\n"
                                        "^NetLnk|https://example.org|Web|\r\n");
        Write("Tools/shortcuts-utf8.txt", "^UnkLnk|" + doc + "|txt|Doc|\r\n");
        StartModule();
        ProcessEvents();
        front = qobject_cast<TFormFront*>(module->MainForm.data());
        ASSERT_NE(front, nullptr);
        front->miManageItemsClick();
        ProcessEvents();
    }
    TreeNode* Named(const std::string& text) const {
        for (TreeNode* n : front->Store().tvItems.AllNodes())
            if (n->Text == text)
                return n;
        return nullptr;
    }
    void Select(const std::string& text) {
        TreeNode* node = Named(text);
        ASSERT_NE(node, nullptr) << text;
        front->tvItems()->setCurrentIndex(front->TreeModel()->IndexOf(node));
    }
    std::vector<std::string> RootTexts() const {
        std::vector<std::string> texts;
        for (const auto& n : front->Store().tvItems.RootNodes())
            texts.push_back(n->Text);
        return texts;
    }
    TSideColumn& Side() const { return *front->Side(); }
    void Click(QPushButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        button->click();
        ProcessEvents();
    }

    std::string script, doc;
    TFormFront* front = nullptr;
};

// Answers the next message dialog with the given button; its text goes to *shown.
void AnswerNextDialog(QMessageBox::StandardButton button, QString* shown) {
    QTimer::singleShot(0, [button, shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *shown = box->text();
        box->button(button)->click();
    });
}

// Chooses an entry of the next popup menu once it shows (nullptr: closes it without a choice).
void ChooseFromNextPopup(const char* entryName, bool* shown, int tries = 100) {
    QTimer::singleShot(20, [entryName, shown, tries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (tries > 0)
                ChooseFromNextPopup(entryName, shown, tries - 1);
            return;
        }
        *shown = true;
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions())
            if (entryName && a->objectName() == entryName)
                chosen = a;
        menu->close();
        if (chosen)
            chosen->trigger();
    });
}

TEST_F(ManagerWindowTest, ButtonsFollowTheSelectionAndEditTheTree) {
    StartWithSample();
    TSideColumn& s = Side();
    EXPECT_EQ(front->focusWidget(), front->tvItems()) << "the tree holds the keyboard focus";
    // The root top marker: only what needs no item of its own.
    EXPECT_EQ(front->SelectedNode(), front->Store().RootTopMarker());
    EXPECT_FALSE(s.BitBtnCut->isEnabled() || s.BitBtnDelete->isEnabled() ||
                 s.BitBtnCopy->isEnabled() || s.BitBtnMoveUp->isEnabled() ||
                 s.BitBtnLaunch->isEnabled() || s.BitBtnPaste->isEnabled());
    EXPECT_TRUE(s.BitBtnAttach->isEnabled() && s.BitBtnSweep->isEnabled() &&
                s.BitBtnSave->isEnabled() && s.BitBtnClose->isEnabled());
    Select("Tools");
    EXPECT_TRUE(s.BitBtnCut->isEnabled() && s.BitBtnMoveDown->isEnabled());
    EXPECT_FALSE(s.BitBtnCopy->isEnabled() || s.BitBtnMoveUp->isEnabled() ||
                 s.BitBtnLaunch->isEnabled());

    // Cut the folder: drawn dimmed; Paste refused inside it.
    Click(s.BitBtnCut);
    const QModelIndex tools = front->TreeModel()->IndexOf(Named("Tools"));
    EXPECT_TRUE(tools.data(Qt::ForegroundRole).isValid()) << "the cut mark";
    front->tvItems()->expand(tools);
    Select("Doc");
    EXPECT_FALSE(s.BitBtnPaste->isEnabled());
    Select("Web");
    Click(s.BitBtnPaste);
    EXPECT_EQ(RootTexts(),
              (std::vector<std::string>{"", "---------------", "Script", "Web", "Tools"}));
    EXPECT_EQ(front->SelectedNode(), Named("Tools")) << "the pasted item is selected";
    EXPECT_FALSE(tools.data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(s.BitBtnPaste->isEnabled()) << "a cut source is used up";

    // Up, copy and paste, delete.
    Click(s.BitBtnMoveUp);
    EXPECT_EQ(RootTexts()[3], "Tools");
    Select("Script");
    Click(s.BitBtnCopy);
    Click(s.BitBtnPaste);
    Click(s.BitBtnPaste);
    EXPECT_EQ(RootTexts(), (std::vector<std::string>{"", "---------------", "Script", "(Script)",
                                                     "(Script)", "Tools", "Web"}));
    EXPECT_NE(Named("(Script)")->Data, front->Store().tvItems.RootNodes()[4]->Data);
    Click(s.BitBtnDelete);
    EXPECT_EQ(RootTexts().size(), 6u);
    EXPECT_TRUE(front->Store().HasUnsavedChanges());

    // Attach a separator and a menu folder after the root top marker.
    Select("");
    s.rbSeparator->setChecked(true);
    Click(s.BitBtnAttach);
    EXPECT_TRUE(items::IsNormalSeparator(front->Store().tvItems.RootNodes()[1].get()));
    s.rbFolder->setChecked(true);
    Click(s.BitBtnAttach);
    const TreeNode* folder = front->SelectedNode();
    ASSERT_TRUE(items::IsFolder(folder));
    EXPECT_EQ(folder->Text.size(), 8u);
    EXPECT_EQ(folder->Index(), 2);
    s.rbFile->setChecked(true);
    const size_t count = RootTexts().size();
    bool asked = false;
    QTimer::singleShot(50, [&asked] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            asked = true;
            dialog->reject();
        }
    });
    Click(s.BitBtnAttach); // a file comes with its dialog, here cancelled
    EXPECT_TRUE(asked);
    EXPECT_EQ(RootTexts().size(), count);

    // Undo brings back the tree of the last load.
    Click(s.BitBtnUndo);
    EXPECT_FALSE(front->Store().HasUnsavedChanges());
    EXPECT_EQ(RootTexts(),
              (std::vector<std::string>{"", "Tools", "---------------", "Script", "Web"}));
    EXPECT_EQ(front->SelectedNode(), front->Store().RootTopMarker());
}

TEST_F(ManagerWindowTest, EditFieldsShowTheItemAndStoreWhatIsTyped) {
    StartWithSample();
    TSideColumn& s = Side();
    Select("Script");
    EXPECT_EQ(s.edtFileCap->text(), "Script");
    EXPECT_EQ(s.edtFilePathName->text().toStdString(), script);
    EXPECT_TRUE(s.edtFileParams->isEnabled() && s.chkUserRunAs->isEnabled());
    EXPECT_EQ(s.edtFileType->text(), "Runable");
    EXPECT_EQ(s.cbWindowStyle->currentText(), "Default");
    const int32_t id = Named("Script")->Data;

    s.edtFileCap->setText("Mark|er^");
    EXPECT_EQ(s.edtFileCap->text(), "Marker");
    EXPECT_EQ(Named("Marker")->Text, "Marker");
    s.edtFileParams->setText("-a|b");
    EXPECT_EQ(s.edtFileParams->text(), "-ab");
    EXPECT_EQ(front->Store().GetItemParams(id), "-ab");
    s.cbWindowStyle->setCurrentIndex(3);
    EXPECT_EQ(front->Store().GetItemWindowState(id), "WindowHid");
    s.edtFilePathName->setText("/no/such/file");
    EXPECT_EQ(front->Store().Attributes.Path(id), script) << "a path to nothing waits for Set";
    Click(s.btnFilePathName);
    EXPECT_EQ(front->Store().Attributes.Path(id), "/no/such/file");
    s.edtFilePathName->setText(QString::fromStdString(doc));
    EXPECT_EQ(front->Store().Attributes.Path(id), doc) << "an existing path is stored at once";

    // A separator becomes a heading and back.
    Select("---------------");
    EXPECT_EQ(s.edtFileCap->text(), "---------------");
    s.edtFileCap->setText("Ne-ws");
    EXPECT_EQ(Named("--News--")->ImageIndex, items::kImageSpecialSeparator);
    s.edtFileCap->setText("");
    EXPECT_EQ(s.edtFileCap->text(), "---------------");

    // A folder name that breaks the rules is refused with its message.
    Select("Tools");
    QString shown;
    AnswerNextDialog(QMessageBox::Ok, &shown);
    s.edtFileCap->setText("a:b");
    ProcessEvents();
    EXPECT_EQ(shown, "The folder name can not contain: \"\\ / : * ? \" < > |\"");
    EXPECT_TRUE(Named("Tools")) << "the folder keeps its name";
    EXPECT_EQ(s.edtFileCap->text(), "a:b") << "the box keeps what was typed";
    s.edtFileCap->setText("Too.ls2");
    EXPECT_EQ(Named("Tools2")->Text, "Tools2");

    // The top marker: nothing to edit.
    Select("");
    EXPECT_FALSE(s.edtFileCap->isEnabled());
    EXPECT_EQ(s.edtFilePathName->text(), "N/A");
    EXPECT_EQ(s.cbWindowStyle->currentIndex(), -1);
    EXPECT_EQ(s.edtFileType->text(), "Special: Drag and drop items here");
}

TEST_F(ManagerWindowTest, StatusBarShowsHintsAndItsDefaultText) {
    StartWithSample();
    ThvHintStatusBar* bar = front->StatusBarHelp();
    const QString fallback = QString::fromUtf8(TFormFront::kStatusDefault);
    EXPECT_EQ(bar->Text(), fallback);
    EXPECT_EQ(bar->RestoreInterval(), 7500);
    // The pointer moves onto a control: its hint.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(Side().BitBtnDelete, &enter);
    EXPECT_EQ(bar->Text(), "Delete an item");
    EXPECT_TRUE(bar->RestorePending());
    // A control without hint blanks the bar.
    QApplication::sendEvent(Side().BitBtnMoveUp, &enter);
    EXPECT_EQ(bar->Text(), "");
    EXPECT_EQ(bar->RememberedHint(), "");
    bar->SetHintText(fallback);
    EXPECT_FALSE(bar->RestorePending());
    bar->SetHintText("");
    EXPECT_EQ(bar->Text(), fallback) << "an empty text leaves the default text";
    EXPECT_FALSE(bar->RestorePending());

    // The restore, on a bar of its own with a short interval.
    ThvHintStatusBar own;
    own.SetDefaultText("default");
    own.SetRestoreInterval(30);
    own.SetHintText("hint|long part");
    own.SetHintText(ThvHintStatusBar::LongHint("hint|long part"));
    EXPECT_EQ(own.Text(), "long part");
    ASSERT_TRUE(test::WaitUntil([&] { return own.Text() == "default"; }, 2000));
    EXPECT_EQ(own.RememberedHint(), "long part") << "the remembered hint stays";
    own.SetHintText("long part");
    EXPECT_EQ(own.Text(), "default") << "the remembered hint again: nothing";
    own.SetRestoreInterval(0);
    own.SetHintText("other");
    EXPECT_FALSE(own.RestorePending()) << "an interval of 0 never restores";
}

TEST_F(ManagerWindowTest, CloseQuestionYesOpensTheSaveChoiceNoUndoesCancelStays) {
    StartWithSample();
    Select("Tools");
    Click(Side().BitBtnMoveDown);
    ASSERT_TRUE(front->Store().HasUnsavedChanges());

    QString shown;
    AnswerNextDialog(QMessageBox::Cancel, &shown);
    Click(Side().BitBtnClose);
    EXPECT_EQ(shown, "Do you want to save changes?");
    EXPECT_TRUE(front->isVisible());
    EXPECT_TRUE(front->Store().HasUnsavedChanges());

    // Yes, then the save choice dismissed: nothing saved, the window hidden.
    bool popup = false;
    AnswerNextDialog(QMessageBox::Yes, &shown);
    ChooseFromNextPopup(nullptr, &popup);
    front->close();
    ProcessEvents();
    EXPECT_TRUE(popup) << "Yes opens the save choice";
    EXPECT_FALSE(front->isVisible());
    EXPECT_TRUE(front->Store().HasUnsavedChanges());
    EXPECT_EQ(
        temp.read("home/Documents/Halvorn-Ek/Pathwick/shortcuts/shortcuts-utf8.txt").substr(0, 13),
        "^Folder|Tools");

    // Yes and "Save": written, and the popup shows the new order.
    front->miManageItemsClick();
    popup = false;
    AnswerNextDialog(QMessageBox::Yes, &shown);
    ChooseFromNextPopup("miSaveNormal", &popup);
    front->close();
    ASSERT_TRUE(test::WaitUntil([&] { return !front->Store().HasUnsavedChanges(); }, 3000));
    EXPECT_EQ(
        temp.read("home/Documents/Halvorn-Ek/Pathwick/shortcuts/shortcuts-utf8.txt").substr(0, 23),
        "^NorSep|\r\n^Folder|Tools");
    EXPECT_TRUE(front->pmItems()->actions().at(0)->isSeparator());
    EXPECT_EQ(front->pmItems()->actions().at(1)->text(), "Tools");

    // No: the changes go, and the window opens next time at the root top marker.
    front->miManageItemsClick();
    Select("Web");
    Click(Side().BitBtnDelete);
    AnswerNextDialog(QMessageBox::No, &shown);
    front->close();
    ProcessEvents();
    EXPECT_FALSE(front->isVisible());
    EXPECT_FALSE(front->Store().HasUnsavedChanges());
    EXPECT_TRUE(Named("Web"));
    front->miManageItemsClick();
    EXPECT_EQ(front->SelectedNode(), front->Store().RootTopMarker());

    // Only a changed attribute: no question.
    Select("Script");
    Side().edtFileParams->setText("--other");
    shown.clear();
    front->close();
    ProcessEvents();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(front->isVisible());
    EXPECT_EQ(front->Store().GetItemParams(Named("Script")->Data), "--other");
}

TEST_F(ManagerWindowTest, AFailedSaveKeepsTheEditsAndSaysWhichFolder) {
    StartWithSample();
    namespace fs = std::filesystem;
    fs::remove(Root() + "Tools/shortcuts-utf8.txt");
    fs::create_directory(Root() + "Tools/shortcuts-utf8.txt");
    const std::string before = temp.read("home/Documents/Halvorn-Ek/Pathwick/shortcuts/"
                                         "shortcuts-utf8.txt");
    Select("Web");
    Click(Side().BitBtnMoveUp);
    QString shown;
    AnswerNextDialog(QMessageBox::Ok, &shown);
    front->miSaveSharedClick(front->pmSaveOptions()->actions().at(0));
    ProcessEvents();
    EXPECT_TRUE(shown.contains(QString::fromStdString(Root() + "Tools/"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains("left as they were")) << shown.toStdString();
    EXPECT_TRUE(front->Store().HasUnsavedChanges());
    EXPECT_EQ(front->SelectedNode(), Named("Web")) << "the tree stays as edited";
    EXPECT_EQ(temp.read("home/Documents/Halvorn-Ek/Pathwick/shortcuts/shortcuts-utf8.txt"), before);
}

TEST_F(ManagerWindowTest, TreePicturesStayTheSameSaveAfterSave) {
    const std::string app = temp.write("files/app.exe", "MZ");
    items::Picture picture(16, 16, 0xFF2060A0u);
    for (int y = 0; y < 16; ++y)
        picture.Set(y, y, 0xFFFFFF00u); // a diagonal shows any shift
    ASSERT_TRUE(items::WriteBmpFile(temp.file("home/Documents/Halvorn-Ek/Pathwick/shortcuts/"
                                              "app.bmp"),
                                    picture));
    ASSERT_TRUE(items::WriteBmpFile(Root() + "app.wc.bmp", picture));
    Write("shortcuts-utf8.txt", "^ExeLnk|" + app + "||app.bmp|App||\r\n");
    // A font taller than the pictures: the tree's rows grow, its pictures do not.
    const QFont font = QApplication::font();
    QFont tall = font;
    tall.setPointSize(20);
    QApplication::setFont(tall);
    StartModule();
    QApplication::setFont(font);
    ProcessEvents();
    front = qobject_cast<TFormFront*>(module->MainForm.data());
    EXPECT_EQ(front->Store().Images.ilPublicTV.Height(), 16);
    auto treePicture = [&] {
        const int index = front->Store().tvItems.RootNodes()[1]->ImageIndex;
        return front->Store().Images.ilPublicTV.At(index);
    };
    const items::Picture first = treePicture();
    EXPECT_EQ(first, picture);
    for (int i = 0; i < 10; ++i)
        front->miSaveSharedClick(front->pmSaveOptions()->actions().at(0));
    EXPECT_EQ(treePicture(), first) << "ten saves later";
    const QImage shown = front->TreeModel()
                             ->index(1, 0)
                             .data(Qt::DecorationRole)
                             .value<QIcon>()
                             .pixmap(16, 16)
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown, PictureToImage(first));
}

TEST_F(ManagerWindowTest, ExpandedFoldersShowTheOpenFolderAndHeadingsShowTheirState) {
    StartWithSample();
    const QModelIndex tools = front->TreeModel()->IndexOf(Named("Tools"));
    auto picture = [&] {
        return tools.data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage();
    };
    auto listPicture = [&](int index) {
        return PictureToImage(front->Store().Images.ilPublicTV.At(index))
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    EXPECT_EQ(picture().convertToFormat(QImage::Format_ARGB32_Premultiplied), listPicture(0));
    front->tvItems()->expand(tools);
    EXPECT_EQ(picture().convertToFormat(QImage::Format_ARGB32_Premultiplied), listPicture(1));
    front->tvItems()->collapse(tools);
    EXPECT_EQ(picture().convertToFormat(QImage::Format_ARGB32_Premultiplied), listPicture(0));

    ThvGroupHeading* header = Side().pnlToolsHeader;
    EXPECT_EQ(header->height(), 20);
    const QImage enabled = header->grab().toImage();
    header->setEnabled(false);
    const QImage disabled = header->grab().toImage();
    header->setEnabled(true);
    const QPoint inside(header->width() / 2, 3);
    EXPECT_NE(enabled.pixelColor(inside), disabled.pixelColor(inside));
    EXPECT_NEAR(Side().BitBtnMoveDown->width(), Side().BitBtnMoveUp->width(), 1)
        << "two columns of equal width";
}

TEST_F(ManagerWindowTest, LaunchStartsTheLinkAndHelpOpensTheHelpPage) {
    test::EnvironmentGuard env;
    const std::string bin = temp.mkdir("bin");
    temp.write("bin/xdg-open", "#!/bin/sh\necho \"$1\" >> '" + temp.path() + "opened'\n");
    test::MakeExecutable(bin + "xdg-open");
    env.Set("PATH", QByteArray::fromStdString(bin + ":/usr/bin:/bin"));
    CaptureStartupEnvironment();
    temp.write("program/help/index.html", "<html></html>");
    StartWithSample();
    Select("Script");
    Click(Side().BitBtnLaunch);
    ASSERT_TRUE(test::WaitUntil([&] { return !temp.read("marker").empty(); }));
    EXPECT_EQ(temp.read("marker"), "started\n");
    Click(Side().BitBtnHelp);
    ASSERT_TRUE(test::WaitUntil([&] { return !temp.read("opened").empty(); }));
    EXPECT_EQ(temp.read("opened"), programFolder + "help/index.html\n");
    test::WaitUntil([] { return DefaultHandlerRun::RunningCount() == 0; });
}

TEST_F(ManagerWindowTest, EveryTextOfTheWindowInGermanAndBack) {
    StartWithSample();
    TSideColumn& s = Side();
    Select("Tools");
    module->SetLanguage("de-de", false);
    EXPECT_EQ(s.BitBtnDelete->text(), "&L\xC3\xB6schen");
    EXPECT_EQ(s.BitBtnSave->text(), "S&peichern");
    EXPECT_EQ(s.pnlToolsHeader->text(), "Werkzeuge");
    EXPECT_EQ(s.pnlAddItemHeader->text(), "Eintrag hinzuf\xC3\xBCgen");
    EXPECT_EQ(s.rbFolder->text(), "Men\xC3\xBCordner");
    EXPECT_EQ(s.lblWorkPath->text(), "Arbeitsordner");
    EXPECT_EQ(s.btnFilePathName->text(), "Setzen");
    EXPECT_EQ(s.cbWindowStyle->itemText(3), "Versteckt");
    EXPECT_EQ(s.BitBtnCut->toolTip(),
              "Einen Eintrag ausschneiden, meist um ihn an anderer Stelle einzuf\xC3\xBCgen");
    EXPECT_EQ(s.edtFilePathName->text(), "k. A.");
    EXPECT_TRUE(front->StatusBarHelp()->Text().startsWith("Mit \"Suchen und anf\xC3\xBCgen\""));
    EXPECT_EQ(front->pmSaveOptions()->actions().at(0)->text(), "Speichern");
    EXPECT_EQ(front->pmSaveOptions()->actions().at(2)->text(),
              "Speichern und Bildzwischenspeicher erneuern");
    // Every control of the side column with a caption or hint in English has a German one.
    QStringList english;
    for (QWidget* w : s.findChildren<QWidget*>()) {
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            english << b->text();
        if (auto* h = qobject_cast<ThvGroupHeading*>(w))
            english << h->text();
    }
    for (const char* designed : {"&Delete", "C&lose", "Tools", "Run as admin", "Launch settings",
                                 "Find and Attach", "Up", "Down", "&Help", "Set"})
        EXPECT_FALSE(english.contains(designed)) << designed;

    // A folder name message in German.
    QString shown;
    AnswerNextDialog(QMessageBox::Ok, &shown);
    s.edtFileCap->setText("");
    ProcessEvents();
    EXPECT_EQ(shown, "Der Ordner muss einen Namen haben");

    module->SetLanguage("en-us", false);
    EXPECT_EQ(s.BitBtnDelete->text(), "&Delete");
    EXPECT_EQ(s.pnlEditItemProHeader->text(), "Launch settings");
    EXPECT_EQ(s.cbWindowStyle->itemText(3), "Hidden");
    EXPECT_EQ(front->StatusBarHelp()->Text(), QString::fromUtf8(TFormFront::kStatusDefault));
    EXPECT_EQ(front->pmSaveOptions()->actions().at(0)->text(), "Save");
}

TEST_F(ManagerWindowTest, ThePopupTakesTheShortcutsOfTheCulture) {
    temp.write("program/trans/xx-xx/UTF8_program.ini",
               "[StrsGui____Menus__FrontMain]\nmiManageItems.ShortCut=Ctrl+M\n"
               "miSaveNormal.ShortCut=Ctrl+S\n");
    StartWithSample();
    module->SetLanguage("xx-xx", false);
    front->LoadItems();
    QMenu* kit = nullptr;
    for (QAction* a : front->pmItems()->actions())
        if (a->menu() && a->text() == "Pathwick menu")
            kit = a->menu();
    ASSERT_NE(kit, nullptr);
    emit kit->aboutToShow();
    QAction* manage = nullptr;
    for (QAction* a : kit->actions())
        if (a->text() == "Manage items...")
            manage = a;
    ASSERT_NE(manage, nullptr);
    EXPECT_EQ(manage->shortcut(), QKeySequence("Ctrl+M"));
    EXPECT_EQ(front->pmSaveOptions()->actions().at(0)->shortcut(), QKeySequence("Ctrl+S"));
}

} // namespace
} // namespace pw
