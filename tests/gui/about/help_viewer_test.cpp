// The Help viewer over a help folder of the test's own, in a program folder whose path holds a
// blank: links inside the folder stay, written with blanks, "%20" or as full addresses; other
// addresses go to the default browser after the question; every activation shows the index.
#include <QTextBrowser>
#include <filesystem>
#include <gtest/gtest.h>

#include "about/form_check_help.h"
#include "about/web_view.h"
#include "browser_fixture.h"
#include "manager/form_front.h"
#include "util/strings.h"

namespace pw {
namespace {

class HelpViewerTest : public test::BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        // The program in a folder whose name has a blank.
        programFolder = temp.mkdir("my programs/pathwick");
        std::error_code ec;
        std::filesystem::copy(std::string(PATHWICK_SOURCE_DIR) + "/data/trans",
                              programFolder + "trans", std::filesystem::copy_options::recursive,
                              ec);
    }
    void WriteHelp() {
        const std::string absolute =
            "file://" + StrReplace(programFolder, " ", "%20") + "help/third.html";
        temp.write("my programs/pathwick/help/index.html",
                   "<h1>Help index</h1><a href=\"second%20page.html\">second</a> "
                   "<a href=\"" +
                       absolute +
                       "\">third</a> "
                       "<a href=\"https://www.example.org/faq\">faq</a>");
        temp.write("my programs/pathwick/help/second page.html", "<p>Second help page</p>");
        temp.write("my programs/pathwick/help/third.html", "<p>Third help page</p>");
    }
    ThvFormCheckHelp* Window() {
        return qobject_cast<ThvFormCheckHelp*>(module->HelpViewerForm.data());
    }
    ThvFormCheckHelp* OpenFromPopup() {
        TFormFront* front = module->FrontForm();
        const items::MenuItem* entry = front->Store().BasicMenu().Find("miHelpFile");
        EXPECT_NE(entry, nullptr);
        if (!entry)
            return nullptr;
        front->MenuItemClick(*entry);
        EXPECT_TRUE(test::WaitUntil([this] {
            return Window() && Window()->Host()->Location() != "about:blank" && !Window()->Busy();
        }));
        return Window();
    }
    QString PageText() { return Window()->Host()->View()->toPlainText(); }
    void Click(const QString& link) {
        emit Window()->Host()->View()->anchorClicked(QUrl(link));
        test::WaitUntil([this] { return !Window()->Host()->Loading(); });
    }
};

TEST_F(HelpViewerTest, LinksInsideTheHelpFolderStayOthersGoToTheBrowser) {
    WriteHelp();
    StartModule();
    ProcessEvents();
    ThvFormCheckHelp* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Help viewer");
    EXPECT_TRUE(PageText().contains("Help index")) << PageText().toStdString();

    AnswerMessageBoxes(QMessageBox::Ok);
    Click("second%20page.html");
    EXPECT_TRUE(PageText().contains("Second help page"));
    EXPECT_TRUE(messages.isEmpty()) << "a help page asks nothing";
    window->btnPriorClick();
    test::WaitUntil([&] { return !window->Host()->Loading(); });
    const std::string absolute =
        "file://" + StrReplace(programFolder, " ", "%20") + "help/third.html";
    Click(QString::fromStdString(absolute));
    EXPECT_TRUE(PageText().contains("Third help page"));
    EXPECT_TRUE(messages.isEmpty());

    Click("https://www.example.org/faq");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "This will open an external browser window.");
    EXPECT_TRUE(test::WaitUntil([this] { return !StubLog("xdg-open").empty(); }));
    EXPECT_EQ(StubLog("xdg-open"), "https://www.example.org/faq\n");
    EXPECT_TRUE(server.Requests.isEmpty()) << "the help never reaches the web site itself";

    // Coming back to the window shows the index page again.
    Click("second%20page.html");
    EXPECT_TRUE(PageText().contains("Second help page"));
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window, &activate);
    EXPECT_TRUE(test::WaitUntil([this] { return PageText().contains("Help index"); }));

    module->SetLanguage("de-de", false);
    EXPECT_EQ(window->windowTitle(), "Hilfe");
    ExpectGermanTextsFor({"StrsGui____Controls__CheckHelp"});
}

TEST_F(HelpViewerTest, MissingHelpFolderIsReportedAndTheWindowCloses) {
    StartModule();
    ProcessEvents();
    ThvFormCheckHelp* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(PageText().contains("could not be loaded")) << PageText().toStdString();
    EXPECT_TRUE(PageText().contains("help/index.html"));
    EXPECT_TRUE(window->close());
    ProcessEvents();
    EXPECT_EQ(module->HelpViewerForm.data(), nullptr);
}

} // namespace
} // namespace pw
