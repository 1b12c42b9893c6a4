// The main window: the first load, the options applied to the popup, and closing.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include "manager/form_front.h"
#include "manager/item_tree_model.h"
#include "menu/menus_painter.h"
#include "menu/popup_menu.h"
#include "options/program_options.h"
#include "platform/global_hot_key.h"
#include "support/gui/module_fixture.h"

namespace pw {
namespace {

class FormFrontTest : public test::ModuleFixture {
protected:
    TFormFront* Front() { return qobject_cast<TFormFront*>(module->MainForm.data()); }
    void WriteItems(const std::string& text) {
        temp.write("home/Documents/Halvorn-Ek/Pathwick/shortcuts/shortcuts-utf8.txt", text);
    }
};

TEST_F(FormFrontTest, FirstLoadFillsTreeAndPopupAndSelectsTheRootTopMarker) {
    WriteItems("^NorSep|\r\n^ExeLnk|/bin/true|||True||\r\n^Folder|Sub\r\n");
    temp.write("home/Documents/Halvorn-Ek/Pathwick/shortcuts/Sub/shortcuts-utf8.txt",
               "^NetLnk|https://example.org|Example\r\n");
    StartModule();
    TFormFront* front = Front();
    ASSERT_NE(front, nullptr);
    EXPECT_FALSE(front->isVisible()) << "the main window starts hidden";
    QAbstractItemModel* model = front->tvItems()->model();
    ASSERT_EQ(model->rowCount(), 4) << "top marker, separator, link, folder";
    EXPECT_EQ(model->index(2, 0).data().toString(), "True");
    EXPECT_EQ(front->tvItems()->currentIndex(), model->index(0, 0));
    const QList<QAction*> actions = front->pmItems()->actions();
    ASSERT_GE(actions.size(), 4);
    EXPECT_TRUE(actions.at(0)->isSeparator());
    EXPECT_EQ(actions.at(1)->text(), "True");
    ASSERT_NE(actions.at(2)->menu(), nullptr);
    EXPECT_EQ(actions.at(2)->text(), "Sub");
}

TEST_F(FormFrontTest, TheStoresLogRecordsNameTheWindowAsTheirSender) {
    // A cache picture of a kind the loader does not read, for a target that is not there.
    temp.write("home/Documents/Halvorn-Ek/Pathwick/shortcuts/tool.png", "not a bitmap");
    WriteItems("^ExeLnk|/nonexistent/tool||tool.png|Tool||\r\n");
    StartModule();
    const std::string log = test::SlurpFile(dataFolder + "logs/misc/program.log");
    const size_t record = log.find("Sender Class Name: TFormFront\r\nSender Name: FormFront\r\n");
    ASSERT_NE(record, std::string::npos) << log;
    EXPECT_NE(log.find("Maintain_ExtractFromExec", record), std::string::npos) << log;
}

TEST_F(FormFrontTest, ApplyOptionsSetsThePainterTheHotKeyAndAppendsTheHiddenAnchor) {
    StartModule();
    ProcessEvents(); // the delayed start-up applies the options once
    TFormFront* front = Front();
    const int before = front->pmItems()->actions().size();
    TProgramOptions options;
    options.OverrideStandardFont = true;
    options.OverrideStandardFontName = "DejaVu Sans";
    options.OverrideStandardFontSize = 12;
    options.OverrideStandardFontBold = true;
    options.ProgramPopupShortCut = "CTRL+ALT+K";
    front->ApplyOptions(options);
    EXPECT_EQ(front->Painter()->FontName, "DejaVu Sans");
    EXPECT_EQ(front->Painter()->FontSize, 12);
    EXPECT_TRUE(front->Painter()->FontBold);
    EXPECT_FALSE(front->Painter()->UseStandardFont);
    // Offscreen there are no global grabs: the hot key stays inactive, nothing is reported.
    EXPECT_FALSE(front->HotKey().IsActive());
    const QList<QAction*> actions = front->pmItems()->actions();
    ASSERT_EQ(actions.size(), before + 1);
    EXPECT_EQ(actions.last()->text(), "Hiding");
    EXPECT_FALSE(actions.last()->isVisible());
    EXPECT_EQ(actions.last()->data().toInt(), -400);
    // With the override every entry is drawn by the program; headings as headings.
    EXPECT_EQ(actions.at(0)->text(), "Program");
    EXPECT_EQ(actions.at(0)->property(kDrawModeProperty).toInt(), int(MenuDrawMode::Special));
    EXPECT_EQ(actions.at(1)->property(kDrawModeProperty).toInt(), int(MenuDrawMode::Normal));
}

TEST_F(FormFrontTest, ClosingWithoutChangesHidesAndTheHotKeyShowsItWithoutTray) {
    StartModule();
    ProcessEvents();
    TFormFront* front = Front();
    EXPECT_FALSE(front->TrayIconVisible()) << "no notification area offscreen";
    front->JvApplicationHotKeyHotKey();
    EXPECT_TRUE(front->isVisible());
    front->close();
    EXPECT_FALSE(front->isVisible());
    EXPECT_TRUE(module->MainForm) << "closing only hides the manager window";
    EXPECT_EQ(front->tvItems()->currentIndex(), front->tvItems()->model()->index(0, 0));
}

// Answers the next message dialog with the given button; returns the dialog's text via *shown.
void AnswerNextDialog(QMessageBox::StandardButton button, QString* shown) {
    QTimer::singleShot(0, [button, shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *shown = box->text();
        box->button(button)->click();
    });
}

TEST_F(FormFrontTest, ClosingWithUnsavedChangesAsksAndNoRestoresTheSavedTree) {
    WriteItems("^NorSep|\r\n^ExeLnk|/bin/true|||True||\r\n");
    StartModule();
    ProcessEvents();
    TFormFront* front = Front();
    front->miManageItemsClick();
    items::ItemTree& tree = front->Store().tvItems;
    auto* model = qobject_cast<TItemTreeModel*>(front->tvItems()->model());
    ASSERT_NE(model, nullptr);
    model->Reset([&tree] { tree.Remove(tree.RootNodes().back().get()); });
    ASSERT_TRUE(front->Store().HasUnsavedChanges());

    QString shown;
    AnswerNextDialog(QMessageBox::Cancel, &shown);
    front->close();
    EXPECT_EQ(shown, "Do you want to save changes?");
    EXPECT_TRUE(front->isVisible()) << "Cancel keeps the window open";
    EXPECT_TRUE(front->Store().HasUnsavedChanges());

    AnswerNextDialog(QMessageBox::No, &shown);
    front->close();
    EXPECT_FALSE(front->isVisible());
    EXPECT_FALSE(front->Store().HasUnsavedChanges()) << "No undoes the changes";
    EXPECT_EQ(tree.RootNodes().size(), 3u);
}

} // namespace
} // namespace pw
