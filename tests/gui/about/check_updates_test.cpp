// The Check for updates window against a loopback web site: the history page with the product's
// user agent, the navigation rule, the options it keeps, the time-out, and the due check at
// start-up.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "about/form_check_updates.h"
#include "about/web_view.h"
#include "browser_fixture.h"
#include "framework/options_file.h"
#include "manager/form_front.h"

namespace pw {
namespace {

constexpr const char* kHistoryPath = "/products/pathwick/history.php";
constexpr const char* kProductAgent = "Pathwick::1.9.4::CheckForUpdates::";

class CheckUpdatesTest : public test::BrowserFixture {
protected:
    void ServeHistory() {
        server.SetRoute(kHistoryPath,
                        test::HttpRoute::Page("<h1>Pathwick history</h1>"
                                              "<a href=\"history.php?page=2\">older</a> "
                                              "<a href=\"#v194\">1.9.4</a> "
                                              "<a href=\"https://news.example/pathwick\">news</a>"
                                              "<a name=\"v194\">1.9.4 notes</a>"));
    }
    // Writes the schedule into the options file the module reads at start.
    void WriteSchedule(int interval, TDateTime last, bool critErrRes = false) {
        IniDocument ini;
        ini.WriteInteger("ProgramOptions.Miscellaneous", "CheckUpdatesInterval", interval);
        ini.WriteString("ProgramOptions.Miscellaneous", "CheckUpdatesLast",
                        DateTimeToText(0, last));
        ini.WriteBool("ProgramOptions.Miscellaneous", "CheckUpdatesCritErrRes", critErrRes);
        ASSERT_TRUE(SaveOptionsDocument(ini, dataFolder + "config/options.ini", {}));
    }
    ThvFormCheckUpdates* Window() {
        return qobject_cast<ThvFormCheckUpdates*>(module->CheckUpdatesForm.data());
    }
    // Opens the window from the popup's entry and waits until its first page is in.
    ThvFormCheckUpdates* OpenFromPopup() {
        TFormFront* front = module->FrontForm();
        const items::MenuItem* entry = front->Store().BasicMenu().Find("miCheckUpdates");
        EXPECT_NE(entry, nullptr);
        if (!entry)
            return nullptr;
        front->MenuItemClick(*entry);
        EXPECT_TRUE(test::WaitUntil([this] { return Window() && Window()->Started(); }));
        EXPECT_TRUE(test::WaitUntil([this] { return Window() && !Window()->Busy(); }, 10000));
        return Window();
    }
    QString PageText() { return Window()->Host()->View()->toPlainText(); }
};

TEST_F(CheckUpdatesTest, HistoryPageWithTheProductUserAgentThenTheNavigationRule) {
    ServeHistory();
    StartModule();
    ProcessEvents();
    module->Options().CheckUpdatesLast = 0;
    ThvFormCheckUpdates* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Checking for updates...");
    ASSERT_EQ(server.Requests.size(), 1);
    EXPECT_EQ(server.Requests[0].Target, kHistoryPath) << "no query string";
    EXPECT_EQ(server.Requests[0].UserAgent, kProductAgent);
    EXPECT_TRUE(PageText().contains("Pathwick history"));
    EXPECT_GT(module->Options().CheckUpdatesLast, NowLocal() - 1.0 / 24);
    const QString history = server.BaseUrl() + kHistoryPath;
    EXPECT_EQ(window->AddressBox()->currentText(), history);

    // A page of the same family stays, with the regular user agent.
    emit window->Host()->View()->anchorClicked(QUrl("history.php?page=2"));
    ASSERT_TRUE(test::WaitUntil([&] { return !window->Host()->Loading(); }));
    ASSERT_EQ(server.Requests.size(), 2);
    EXPECT_EQ(server.Requests[1].Target, QByteArray(kHistoryPath) + "?page=2");
    EXPECT_NE(server.Requests[1].UserAgent, kProductAgent);
    EXPECT_EQ(window->AddressBox()->count(), 2);
    EXPECT_EQ(window->AddressBox()->itemText(0), history) << "the list is sorted";
    EXPECT_EQ(window->AddressBox()->currentText(), history + "?page=2");
    EXPECT_TRUE(window->findChild<QToolButton*>("btnPrior")->isEnabled());
    EXPECT_FALSE(window->findChild<QToolButton*>("btnNext")->isEnabled());

    // Activating the window again does not load the page again.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window, &activate);
    ProcessEvents();
    EXPECT_EQ(server.Requests.size(), 2);

    // Any other address asks first and goes to the default browser only on OK.
    AnswerMessageBoxes(QMessageBox::Cancel);
    emit window->Host()->View()->anchorClicked(QUrl("https://news.example/pathwick"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "This will open an external browser window.");
    AnswerMessageBoxes(QMessageBox::Ok);
    window->AddressBox()->setEditText("https://news.example/pathwick?via=box");
    window->btnNavClick();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(test::WaitUntil([this] { return !StubLog("xdg-open").empty(); }));
    EXPECT_EQ(StubLog("xdg-open"), "https://news.example/pathwick?via=box\n")
        << "Cancel opened nothing; OK opened the address";
    EXPECT_EQ(server.Requests.size(), 2) << "the view itself loaded neither";
    EXPECT_TRUE(PageText().contains("Pathwick history"));

    // The days go to the options when the window closes, and it is gone.
    window->DaysBox()->setValue(30);
    window->HighlightBox()->setChecked(false);
    window->close();
    ProcessEvents();
    EXPECT_EQ(module->CheckUpdatesForm.data(), nullptr);
    EXPECT_EQ(module->Options().CheckUpdatesInterval, 30);
    EXPECT_FALSE(module->Options().CheckUpdatesHighlightUpgrades);
}

TEST_F(CheckUpdatesTest, StoredIntervalIsKeptWhenTheBoxCannotShowItOrCriticalErrorsSetIt) {
    ServeHistory();
    WriteSchedule(0, NowLocal() + 1); // at every start, but the last check lies ahead: not due
    StartModule();
    ProcessEvents();
    ASSERT_EQ(module->CheckUpdatesForm.data(), nullptr);
    ThvFormCheckUpdates* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->DaysBox()->value(), 1) << "the box starts at its smallest value";
    window->close();
    ProcessEvents();
    EXPECT_EQ(module->Options().CheckUpdatesInterval, 0) << "untouched, the stored 0 stays";

    // Save writes what the options hold; the box reaches them only when the window closes.
    module->Options().CheckUpdatesInterval = 14;
    window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    window->DaysBox()->setValue(30);
    window->findChild<QPushButton*>("btnSave")->click();
    IniDocument saved = LoadOptionsDocument(dataFolder + "config/options.ini", {});
    EXPECT_EQ(saved.ReadInteger("ProgramOptions.Miscellaneous", "CheckUpdatesInterval", -9), 14);
    window->close();
    ProcessEvents();
    EXPECT_EQ(module->Options().CheckUpdatesInterval, 30);

    module->Options().CheckUpdatesCritErrRes = true;
    window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    window->DaysBox()->setValue(90);
    window->close();
    ProcessEvents();
    EXPECT_EQ(module->Options().CheckUpdatesInterval, 30) << "kept while errors are resolved";
    EXPECT_EQ(server.RequestsFor(kHistoryPath).size(), 3) << "each window loads the page";
}

TEST_F(CheckUpdatesTest, DueCheckOpensByItselfAtStartUp) {
    ServeHistory();
    WriteSchedule(60, NowLocal() - 61);
    StartModule();
    ProcessEvents();
    ASSERT_NE(Window(), nullptr) << "the delayed start-up opened the window";
    ASSERT_TRUE(test::WaitUntil([this] { return server.Requests.size() == 1; }));
    EXPECT_EQ(server.Requests[0].UserAgent, kProductAgent);
    ASSERT_TRUE(test::WaitUntil([this] { return !Window()->Busy(); }));
    StopModule();
    const IniDocument ini = LoadOptionsDocument(dataFolder + "config/options.ini", {});
    const TDateTime last =
        TextToDateTime(ini.ReadString("ProgramOptions.Miscellaneous", "CheckUpdatesLast", ""));
    EXPECT_GT(last, NowLocal() - 1.0 / 24) << "the check is recorded when the program ends";
}

TEST_F(CheckUpdatesTest, WithoutAServerTheWindowSaysSoAndCloses) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QByteArray url = "http://127.0.0.1:" + QByteArray::number(closed.serverPort());
    closed.close();
    environment.Set("PATHWICK_WEBSITE_URL", url);
    StartModule();
    ProcessEvents();
    ThvFormCheckUpdates* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(PageText().contains("The page could not be loaded.")) << PageText().toStdString();
    EXPECT_TRUE(PageText().contains(url + kHistoryPath));
    window->findChild<QPushButton*>("btnClose")->click();
    ProcessEvents();
    EXPECT_EQ(module->CheckUpdatesForm.data(), nullptr);
}

TEST_F(CheckUpdatesTest, ServerThatNeverAnswersKeepsTheWindowBusyForTheTimeOutOnly) {
    server.SetRoute(kHistoryPath, test::HttpRoute::Silent());
    StartModule();
    ProcessEvents();
    // The window waits inside the event loop: what it does meanwhile is seen from a timer.
    bool busyMeanwhile = false, closedMeanwhile = true;
    QTimer::singleShot(1500, [&] {
        busyMeanwhile = Window() && Window()->Busy();
        closedMeanwhile = Window() && Window()->close();
    });
    QElapsedTimer clock;
    clock.start();
    module->ShowCheckUpdates();
    ASSERT_TRUE(test::WaitUntil([this] { return Window() && Window()->Started(); }));
    ThvFormCheckUpdates* window = Window();
    ASSERT_TRUE(test::WaitUntil([&] { return !window->Busy(); }, 12000));
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_FALSE(closedMeanwhile) << "no closing while the first page loads";
    EXPECT_EQ(module->CheckUpdatesForm.data(), window);
    EXPECT_GE(clock.elapsed(), 7000);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(PageText().contains("did not answer")) << PageText().toStdString();
    EXPECT_TRUE(window->close());
    ProcessEvents();
    EXPECT_EQ(module->CheckUpdatesForm.data(), nullptr);
}

TEST_F(CheckUpdatesTest, BrowserButtonsFollowTheBrowsersFoundOnThePath) {
    ServeHistory();
    StartModule();
    ProcessEvents();
    ThvFormCheckUpdates* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    for (const char* name : {"btnIE", "btnFF", "btnO", "tbBrowserSep"})
        EXPECT_TRUE(window->findChild<QWidget*>(name)->isHidden()) << name;
    window->close();
    StopModule();

    WriteStub("firefox");
    StartModule();
    ProcessEvents();
    EXPECT_EQ(module->Options().FirefoxPath, bin + "firefox");
    window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->findChild<QWidget*>("btnFF")->isHidden());
    EXPECT_FALSE(window->findChild<QWidget*>("tbBrowserSep")->isHidden());
    EXPECT_TRUE(window->findChild<QWidget*>("btnO")->isHidden());
    window->AddressBox()->setEditText(server.BaseUrl() + "/a b?x=\"1\"");
    window->findChild<QToolButton*>("btnFF")->click();
    EXPECT_TRUE(test::WaitUntil([this] { return !StubLog("firefox").empty(); }));
    EXPECT_EQ(StubLog("firefox"), (server.BaseUrl() + "/a b?x=\"1\"\n").toStdString())
        << "the address arrives as one parameter";
}

TEST_F(CheckUpdatesTest, TranslatedIntoGermanWithEveryTextPresent) {
    ServeHistory();
    StartModule();
    ProcessEvents();
    ThvFormCheckUpdates* window = OpenFromPopup();
    ASSERT_NE(window, nullptr);
    module->SetLanguage("de-de", false);
    EXPECT_EQ(window->windowTitle(), "Suche nach Aktualisierungen...");
    EXPECT_EQ(window->findChild<QPushButton*>("btnClose")->text(), "Schließen");
    EXPECT_EQ(window->Host()->Texts.NotLoaded, "Die Seite konnte nicht geladen werden.");
    ExpectGermanTextsFor({"StrsGui____Controls__CheckUpdates", "StrsRes__MixedText__CheckUpdates",
                          "StrsRes__MixedText__WebView"});
}

} // namespace
} // namespace pw
