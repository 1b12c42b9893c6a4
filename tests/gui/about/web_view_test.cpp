// The web view against a loopback server and local files: the user agent, the navigate question
// for links and redirects, history, the time-outs, and content that is too large or binary.
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTimer>
#include <gtest/gtest.h>

#include "about/web_view.h"
#include "gui/platform/launch_test_support.h"
#include "support/gui/loopback_http_server.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

class WebViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Start());
        base = server.BaseUrl();
        host.resize(600, 400);
        host.show();
        host.OnNavigate = [this](const QString& address, bool& allow) {
            asked.append(address);
            allow = address.startsWith("http://127.0.0.1:") || address.startsWith("file:");
        };
    }
    // Opens the address and waits for it like the windows do.
    bool Load(const QString& address, int timeout = 5000) {
        host.OpenAddress(address);
        return host.WaitUntilLoaded(timeout);
    }
    QString Text() const { return host.View()->toPlainText(); }

    test::LoopbackHttpServer server;
    QString base;
    ThvdvHost host;
    QStringList asked;
};

TEST_F(WebViewTest, UserAgentLinksRedirectsAndHistory) {
    server.SetRoute("/a", test::HttpRoute::Page("<p>page A</p><a href=\"b.html#part\">to B</a>"));
    server.SetRoute("/b.html",
                    test::HttpRoute::Page("page B \xC3\xA4", "text/plain; charset=utf-8"));
    server.SetRoute("/r", test::HttpRoute::Redirect(302, "/b.html?via=r"));
    test::LoopbackHttpServer other;
    ASSERT_TRUE(other.Start());
    other.SetRoute("/elsewhere", test::HttpRoute::Page("<p>elsewhere</p>"));
    const QString elsewhere = QStringLiteral("http://localhost:%1/elsewhere").arg(other.Port());
    server.SetRoute("/x", test::HttpRoute::Redirect(301, elsewhere.toUtf8()));
    struct Completed {
        QString Location;
        bool Back, Forward;
    };
    std::vector<Completed> completed;
    QObject::connect(&host, &ThvdvHost::NavigateComplete,
                     [&completed](const QString& location, bool back, bool forward) {
                         completed.push_back({location, back, forward});
                     });

    host.UserAgent = "Pathwick::1.9.4::CheckForUpdates::";
    ASSERT_TRUE(Load(base + "/a"));
    ASSERT_EQ(server.Requests.size(), 1);
    EXPECT_EQ(server.Requests[0].UserAgent, "Pathwick::1.9.4::CheckForUpdates::");
    EXPECT_TRUE(Text().contains("page A"));
    ASSERT_EQ(completed.size(), 1);
    EXPECT_EQ(completed[0].Location, base + "/a");
    EXPECT_FALSE(completed[0].Back) << "nothing to go back to";

    // A relative link, with Qt's own user agent once the host's text is empty.
    host.UserAgent.clear();
    emit host.View()->anchorClicked(QUrl("b.html#part"));
    ASSERT_TRUE(host.WaitUntilLoaded(5000));
    ASSERT_EQ(server.Requests.size(), 2);
    EXPECT_TRUE(server.Requests[1].HasUserAgent);
    EXPECT_FALSE(server.Requests[1].UserAgent.isEmpty());
    EXPECT_NE(server.Requests[1].UserAgent, "Pathwick::1.9.4::CheckForUpdates::");
    EXPECT_EQ(Text(), QString::fromUtf8("page B \xC3\xA4")) << "decoded by its charset";
    EXPECT_EQ(host.Location(), base + "/b.html#part");
    EXPECT_TRUE(host.CanGoBack());

    host.Back();
    ASSERT_TRUE(host.WaitUntilLoaded(5000));
    EXPECT_TRUE(Text().contains("page A"));
    EXPECT_TRUE(host.CanGoForward());
    host.Forward();
    ASSERT_TRUE(host.WaitUntilLoaded(5000));
    EXPECT_TRUE(Text().contains("page B"));
    EXPECT_TRUE(completed.back().Back);
    EXPECT_FALSE(completed.back().Forward);

    // A redirect is a navigation of its own: asked, and followed when allowed.
    asked.clear();
    ASSERT_TRUE(Load(base + "/r"));
    EXPECT_EQ(asked, QStringList({base + "/r", base + "/b.html?via=r"}));
    EXPECT_EQ(host.Location(), base + "/b.html?via=r");

    // A redirect to another server is refused by the handler: the load ends, nothing is shown.
    asked.clear();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Load(base + "/x"));
    EXPECT_LT(clock.elapsed(), 5000) << "a cancelled redirect ends the wait at once";
    EXPECT_EQ(asked.last(), elsewhere);
    EXPECT_TRUE(other.Requests.isEmpty());
    EXPECT_EQ(host.Location(), base + "/b.html?via=r") << "the page shown stays";
    EXPECT_FALSE(host.Loading());

    // Refused outright: nothing is requested at all.
    const qsizetype before = server.Requests.size();
    host.OpenAddress("https://refused.example/");
    EXPECT_EQ(server.Requests.size(), before);
    EXPECT_FALSE(host.Loading());
}

TEST_F(WebViewTest, UnansweredAndUnreachableServersEndInAPageThatSaysSo) {
    server.SetRoute("/silent", test::HttpRoute::Silent());
    host.TransferTimeout = 0; // only the wait gives up
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Load(base + "/silent", 1000));
    EXPECT_GE(clock.elapsed(), 950);
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_FALSE(host.Loading());
    EXPECT_TRUE(Text().contains("did not answer")) << Text().toStdString();
    EXPECT_EQ(host.Location(), base + "/silent") << "Refresh tries the address again";

    // A request that receives nothing is given up by itself, waited for or not.
    host.TransferTimeout = 500;
    host.OpenAddress(base + "/silent");
    EXPECT_TRUE(test::WaitUntil([this] { return !host.Loading(); }, 3000));
    EXPECT_TRUE(Text().contains("did not answer"));

    // Nothing listens on the port: the failure shows at once.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    clock.restart();
    EXPECT_FALSE(Load(QStringLiteral("http://127.0.0.1:%1/").arg(port)));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(Text().contains("could not be loaded"));

    // Close interrupts a wait and leaves a blank, hidden view.
    QTimer::singleShot(200, &host, [this] { host.Close(); });
    clock.restart();
    host.TransferTimeout = 0;
    EXPECT_FALSE(Load(base + "/silent", 7500));
    EXPECT_LT(clock.elapsed(), 5000) << "long before the time-out";
    EXPECT_FALSE(host.View()->isVisible());
    EXPECT_EQ(host.Location(), "about:blank");
    EXPECT_TRUE(Text().isEmpty());
}

TEST_F(WebViewTest, LargeAndBinaryContentIsCutOffOrRefused) {
    // One word of millions of characters: the hardest text to lay out.
    test::HttpRoute huge =
        test::HttpRoute::Page("0123456789abcdefghijklmnopqrstuvwxyz&amp;<b>x</b>");
    huge.FillTo = 5 * 1024 * 1024;
    server.SetRoute("/huge", huge);
    test::HttpRoute binary = test::HttpRoute::Page(QByteArray("\x7f"
                                                              "ELF\0\0\1",
                                                              7),
                                                   "application/octet-stream");
    binary.FillTo = 100000;
    server.SetRoute("/binary", binary);
    server.SetRoute("/lying", test::HttpRoute::Page(QByteArray("<p>a\0b</p>", 10)));
    test::HttpRoute gone = test::HttpRoute::Page("");
    gone.Status = 404;
    server.SetRoute("/gone", gone);

    ASSERT_TRUE(Load(base + "/huge", 7500));
    const QString text = Text();
    EXPECT_LT(text.size(), 2 * 1024 * 1024);
    EXPECT_GT(text.size(), 100000);
    EXPECT_TRUE(text.endsWith("cut off here.")) << text.right(80).toStdString();

    Load(base + "/binary");
    EXPECT_TRUE(Text().contains("cannot be shown here"));
    Load(base + "/lying");
    EXPECT_TRUE(Text().contains("cannot be shown here")) << "NUL bytes are no text";
    EXPECT_FALSE(Load(base + "/gone"));
    EXPECT_TRUE(Text().contains("HTTP 404"));

    // Local files and their links; devices, folders and missing files are refused.
    test::TempDir temp;
    temp.write("site/index.html", "<p>local index</p><a href=\"other.html\">other</a>");
    temp.write("site/other.html", "<p>other local page</p>");
    ASSERT_TRUE(Load(QString::fromStdString(temp.path() + "site/index.html")));
    EXPECT_TRUE(Text().contains("local index"));
    emit host.View()->anchorClicked(QUrl("other.html"));
    ASSERT_TRUE(host.WaitUntilLoaded(5000));
    EXPECT_TRUE(Text().contains("other local page"));
    for (const std::string& path :
         {temp.path() + "site/missing.html", std::string("/dev/zero"), temp.path() + "site/"}) {
        EXPECT_FALSE(Load(QString::fromStdString(path))) << path;
        EXPECT_TRUE(Text().contains("could not be loaded")) << path;
    }
    temp.write("site/big.txt", std::string(3 * 1024 * 1024, 'x'));
    ASSERT_TRUE(Load(QString::fromStdString(temp.path() + "site/big.txt")));
    EXPECT_TRUE(Text().endsWith("cut off here."));
}

} // namespace
} // namespace pw
