// The About window: its texts and data table, saving, printing and collecting data for support,
// the page it remembers, and the popup's entries that reach the maker's web site.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>

#include "about/form_about.h"
#include "browser_fixture.h"
#include "framework/options_file.h"
#include "framework/ui/hint_status_bar.h"
#include "manager/form_front.h"
#include "menu/popup_menu.h"
#include "util/text_files.h"

namespace pw {
namespace {

class AboutTest : public test::BrowserFixture {
protected:
    ThvFormAbout* Window() { return qobject_cast<ThvFormAbout*>(module->AboutForm.data()); }
    ThvFormAbout* OpenFromPopup() {
        TFormFront* front = module->FrontForm();
        const items::MenuItem* entry = front->Store().BasicMenu().Find("miAbout");
        EXPECT_NE(entry, nullptr);
        if (!entry)
            return nullptr;
        front->MenuItemClick(*entry);
        ProcessEvents();
        return Window();
    }
    // Answers the next file dialog with the path.
    void AnswerFileDialog(const QString& path) {
        auto* timer = new QTimer();
        timer->setInterval(30);
        QObject::connect(timer, &QTimer::timeout, [timer, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            // What the user types into the name box.
            if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
                name->setText(path);
            static_cast<QDialog*>(dialog)->accept(); // as the dialog's own button does
            timer->deleteLater();
        });
        timer->start();
    }
};

TEST_F(AboutTest, NameVersionCreditsAndTheSevenFacts) {
    StartModule();
    ProcessEvents();
    ThvFormAbout* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "About");
    EXPECT_EQ(window->findChild<QLabel*>("LabelSum")->text(), "Pathwick 1.9.4");
    EXPECT_EQ(window->findChild<QLabel*>("LabelDis")->text(), "Distributed by Halvorn-Ek Software");
    EXPECT_EQ(window->findChild<QLabel*>("LabelCop")->text(),
              QString::fromUtf8("Copyright \xC2\xA9 2004-2026 Halvorn-Ek Software"));
    EXPECT_EQ(window->findChild<QLabel*>("LabelUrl")->text(), server.BaseUrl());
    EXPECT_EQ(window->Pages()->currentIndex(), 0);
    EXPECT_EQ(window->Pages()->tabText(0), "Credits");

    // Headings of the credits are bold and blue, the rest plain.
    QTextDocument* credits = window->Credits()->document();
    EXPECT_EQ(credits->begin().text(), "Created by:");
    int headings = 0;
    for (QTextBlock block = credits->begin(); block.isValid(); block = block.next()) {
        const QTextCharFormat format = block.begin().fragment().charFormat();
        const bool heading = block.text().endsWith(':');
        headings += heading;
        if (block.text().isEmpty())
            continue;
        EXPECT_EQ(format.fontWeight() == QFont::Bold, heading) << block.text().toStdString();
        EXPECT_EQ(format.foreground().color() == QColor(0, 0, 255), heading);
    }
    EXPECT_GE(headings, 4) << "Created by, Portions, and one per library";

    QTableWidget* table = window->DataTable();
    ASSERT_EQ(table->rowCount(), 7);
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "Key");
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Value");
    EXPECT_EQ(table->item(0, 0)->text(), "Application identification");
    EXPECT_EQ(table->item(0, 1)->text(), "Pathwick 1.9.4");
    EXPECT_FALSE(table->item(1, 1)->text().isEmpty()) << "the system's name";
    EXPECT_TRUE(table->item(2, 1)->text().contains(" MB (Free: "));
    EXPECT_EQ(table->item(4, 1)->text().toStdString(), programFolder);
    EXPECT_EQ(table->item(5, 1)->text().toStdString(), dataFolder);
    EXPECT_FALSE(table->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_GE(table->columnWidth(0), 150);

    // The folder rows open their folder; the other rows have no button.
    EXPECT_EQ(table->cellWidget(3, 1), nullptr);
    auto* open = table->findChild<QToolButton*>("btnOpenFolder5");
    ASSERT_NE(open, nullptr);
    open->click();
    EXPECT_TRUE(test::WaitUntil([this] { return !StubLog("xdg-open").empty(); }));
    EXPECT_EQ(StubLog("xdg-open"), dataFolder + "\n");

    // A second "About..." leaves the open window alone.
    OpenFromPopup();
    EXPECT_EQ(Window(), window);

    module->SetLanguage("de-de", false);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("\xC3\x9C"
                                                       "ber"));
    EXPECT_EQ(window->Pages()->tabText(1), "Daten");
    EXPECT_EQ(window->findChild<QLabel*>("LabelDis")->text(), "Vertrieben von Halvorn-Ek Software");
    ExpectGermanTextsFor({"StrsGui____Controls__About", "StrsRes__MixedText__About"});
}

TEST_F(AboutTest, SavePrintAndCollectDataForSupport) {
    StartModule();
    ProcessEvents();
    ThvFormAbout* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    const std::string html = AboutDataHtml(window->DataRows());

    // Save through the dialog: the extension follows the chosen type.
    const std::string saved = temp.path() + "saved/facts";
    temp.mkdir("saved");
    AnswerFileDialog(QString::fromStdString(saved));
    window->btnSaveDataClick();
    EXPECT_EQ(ReadFileBytes(saved + ".html"), html);
    EXPECT_TRUE(window->SaveDataTo(QString::fromStdString(temp.path() + "saved/facts.csv")));
    EXPECT_EQ(ReadFileBytes(temp.path() + "saved/facts.csv"), AboutDataCsv(window->DataRows()));
    // A file that may not be written is an error for the application's handler.
    const std::string locked = temp.write("saved/locked.html", "old");
    chmod(locked.c_str(), 0444);
    AnswerMessageBoxes(QMessageBox::Yes); // replace it? yes; open the support page? yes
    AnswerFileDialog(QString::fromStdString(locked));
    window->btnSaveDataClick();
    EXPECT_EQ(ReadFileBytes(locked), "old");
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.last().startsWith("Error occured: \"Could not write \"" +
                                           QString::fromStdString(locked)))
        << messages.last().toStdString();
    EXPECT_NE(ReadFileBytes(module->Paths().LogFile).find("Could not write"), std::string::npos);
    messages.clear();

    // Printing makes one document of the table.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string pdf = temp.path() + "saved/facts.pdf";
    printer.setOutputFileName(QString::fromStdString(pdf));
    window->PrintDataTo(printer);
    const std::string printed = ReadFileBytes(pdf);
    EXPECT_EQ(printed.substr(0, 5), "%PDF-");
    EXPECT_GT(printed.size(), 1000u);

    // Collecting: data.html and the files that exist, replaced by a second run.
    module->SaveOptionsFile();
    module->hvLoggingProgram.Log(nullptr, nullptr, "a record for support", "");
    const std::string out = temp.mkdir("support");
    SupportBundleResult result = window->CollectDataTo(QString::fromStdString(out));
    EXPECT_EQ(result.Written, (StringArray{"data.html", "program.log", "options.ini"}));
    EXPECT_EQ(ReadFileBytes(out + "data.html"), html);
    EXPECT_NE(ReadFileBytes(out + "program.log").find("a record for support"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(out + "options.ini"), ReadFileBytes(module->Paths().OptionsFile));
    EXPECT_TRUE(window->StatusBar()->currentMessage().contains(QString::fromStdString(out)));
    temp.write("program/muc.ini", "[Data]\r\n");
    module->hvLoggingProgram.Log(nullptr, nullptr, "a second record", "");
    result = window->CollectDataTo(QString::fromStdString(out));
    EXPECT_EQ(result.Written, (StringArray{"data.html", "muc.ini", "program.log", "options.ini"}));
    EXPECT_NE(ReadFileBytes(out + "program.log").find("a second record"), std::string::npos);

    // A folder that cannot take the files says so.
    const std::string blocked = temp.mkdir("blocked");
    temp.mkdir("blocked/data.html");
    AnswerMessageBoxes(QMessageBox::Ok);
    result = window->CollectDataTo(QString::fromStdString(blocked));
    EXPECT_EQ(result.Failed, (StringArray{"data.html"}));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("These files could not be written into the folder:"));
    EXPECT_TRUE(messages[0].endsWith("\ndata.html"));
}

TEST_F(AboutTest, ReopensOnThePageLastShown) {
    StartModule();
    ProcessEvents();
    ThvFormAbout* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    window->Pages()->setCurrentIndex(1);
    window->close();
    ProcessEvents();
    EXPECT_EQ(module->AboutForm.data(), nullptr);
    const IniDocument ini = LoadOptionsDocument(module->Paths().OptionsFile, {});
    EXPECT_EQ(ini.ReadInteger("hvFormAbout", "pgcAbout.ActivePageIndex", -1), 1);
    window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Pages()->currentIndex(), 1);
    window->close();
    ProcessEvents();

    IniDocument edited = LoadOptionsDocument(module->Paths().OptionsFile, {});
    edited.WriteInteger("hvFormAbout", "pgcAbout.ActivePageIndex", 7);
    ASSERT_TRUE(SaveOptionsDocument(edited, module->Paths().OptionsFile, {}));
    window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Pages()->currentIndex(), 0) << "a page that does not exist: Credits";
}

TEST_F(AboutTest, WebSiteEntriesAndTheSupportAddressShareTheBase) {
    StartModule();
    ProcessEvents();
    TFormFront* front = module->FrontForm();
    items::MenuItem& basic = front->Store().BasicMenu();
    for (const char* name : {"miVisitWebsite", "miVisitWebsiteForums", "miTools_Pathwick"})
        front->MenuItemClick(*basic.Find(name));
    // The error dialog's offer of the support page, accepted.
    AnswerMessageBoxes(QMessageBox::Yes);
    module->OwnExceptionHandler(nullptr, std::runtime_error("Disk full"));
    EXPECT_TRUE(test::WaitUntil([this] {
        const std::string log = StubLog("xdg-open");
        return std::count(log.begin(), log.end(), '\n') == 4;
    }));
    const std::string base = server.BaseUrl().toStdString();
    // Each address went to its own handler run: they may finish in any order.
    StringArray opened = StrSplit(StubLog("xdg-open"), "\n");
    std::sort(opened.begin(), opened.end());
    EXPECT_EQ(opened, (StringArray{base, base + "/forums/",
                                   base + "/home/support.php?pn=Pathwick&pv=1.9.4&ec=std::"
                                          "runtime_error&em=Disk full",
                                   base + "/products/pathwick/"}));
    EXPECT_EQ(ThvDataModuleGenericStruct::GetWebsiteUrl(), base + "/");
    EXPECT_EQ(module->Language().ExpandTemplate("__curly", "{CompanyUrlFull}"), base);

    // The popup offers the three windows.
    QMenu* kit = nullptr;
    for (QAction* action : front->pmItems()->actions())
        if (action->menu() && action->text() == "Pathwick menu")
            kit = action->menu();
    ASSERT_NE(kit, nullptr);
    emit kit->aboutToShow();
    int enabled = 0;
    for (QAction* action : kit->actions())
        if (action->text() == "Help..." || action->text() == "Updates..." ||
            action->text() == "About...")
            enabled += action->isEnabled();
    EXPECT_EQ(enabled, 3);
}

} // namespace
} // namespace pw
