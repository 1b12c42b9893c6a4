#pragma once
// ThvdvHost: the embedded web view of the Check for updates and Help windows. A QTextBrowser
// shows what a QNetworkAccessManager fetches (http and https) or what is read from local files;
// there is no JavaScript. Every navigation, the view's own redirects included, is first put to
// the navigate handler, which may cancel it. Requests carry the host's user agent text when it
// is not empty (else Qt's own) and bypass every cache.
//
// Events: progress (a position and a maximum), status text, and navigation completed (the new
// location, and whether back and forward are possible). A page that cannot be loaded shows a
// page saying so; what the view loads is cut off at kMaxPageBytes.

#include <QList>
#include <QPointer>
#include <QSet>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace pw {

class ThvdvHost;

// The texts of the view's own pages and status messages (translated by the windows).
struct ThvdvTexts {
    QString NotLoaded = QStringLiteral("The page could not be loaded.");
    QString TimedOut = QStringLiteral("The server did not answer in time.");
    QString TryAgain =
        QStringLiteral("Check the network connection and the address, then choose Refresh to "
                       "try again.");
    QString CutOff = QStringLiteral("The page is larger than 2 MB and was cut off here.");
    QString CannotShow = QStringLiteral("This kind of content cannot be shown here.");
    QString Unsupported = QStringLiteral("This kind of address cannot be shown here.");
    QString TooManyRedirects = QStringLiteral("The server redirected the page too many times.");
    QString Opening = QStringLiteral("Opening page...");
    QString Done = QStringLiteral("Done");
};

// The browser control itself: resources of a page (pictures, local style sheets) are read
// through the host.
class ThvdvViewer : public QTextBrowser {
public:
    explicit ThvdvViewer(ThvdvHost* host);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    ThvdvHost* host_;
};

class ThvdvHost : public QWidget {
    Q_OBJECT
public:
    static constexpr qint64 kMaxPageBytes = 2 * 1024 * 1024;
    static constexpr int kWaitPassMilliseconds = 250;
    static constexpr int kMaxRedirects = 10;
    static constexpr int kMaxResources = 64;

    explicit ThvdvHost(QWidget* parent = nullptr);
    ~ThvdvHost() override;

    // Sent as "User-Agent" when not empty.
    QString UserAgent;
    ThvdvTexts Texts;
    // Asked before every navigation with the address; setting allow to false cancels it.
    std::function<void(const QString& address, bool& allow)> OnNavigate;
    // A request that receives nothing for this long is given up (0: never).
    int TransferTimeout = 7500;

    // Opens an address ("https://...", "file:///...", an absolute local path, "about:blank",
    // or what a user types, such as "example.org"). Opening the address shown reloads it.
    void OpenAddress(const QString& address);
    void Back();
    void Forward();
    void Refresh();
    // Stops a running wait and a busy load, hides the view and shows "about:blank".
    void Close();
    // Handles events in passes of at most 250 ms until the page has loaded (true), the time-out
    // has passed (a busy load is stopped; false), Close is called, interrupted answers true or
    // the application quits (false).
    bool WaitUntilLoaded(int timeoutMilliseconds, const std::function<bool()>& interrupted = {});

    bool CanGoBack() const { return index_ > 0; }
    bool CanGoForward() const { return index_ >= 0 && index_ + 1 < history_.size(); }
    bool Loading() const { return loading_; }
    // The address of the page shown; "about:blank" when none.
    QString Location() const;
    QTextBrowser* View() const { return view_; }

    // The address as the navigate handler and the events give it.
    static QString AddressOf(const QUrl& url);
    // What an address names: a local path becomes a file address, a typed host an http one.
    static QUrl UrlOfAddress(const QString& address);

signals:
    void ProgressChanged(int position, int maximum);
    void StatusTextChanged(const QString& text);
    void NavigateComplete(const QString& location, bool canGoBack, bool canGoForward);
    // A load ended, whatever its outcome (also when a navigation was cancelled).
    void LoadEnded();

private:
    friend class ThvdvViewer;
    enum class HistoryMove { Push, Stay, To };
    enum class StopReason { None, TimedOut, Closed };
    struct Load {
        QUrl Url;
        HistoryMove Move = HistoryMove::Push;
        int Target = -1;
        int Redirects = 0;
    };

    void Navigate(const Load& load);
    void StartLoad(const Load& load);
    void LoadLocalFile(quint64 id);
    void ReplyReadyRead();
    void ReplyFinished(QNetworkReply* reply);
    void AbortReply();
    void StopLoad(StopReason reason);
    // Shows the bytes by their content type; a failure text instead when they cannot be shown.
    void Render(const QByteArray& bytes, const QString& contentType, const QUrl& url,
                bool truncated);
    void ShowFailure(const QUrl& url, const QString& headline, const QString& detail);
    void Complete(const Load& load, bool ok);
    void EndCancelled();
    QVariant Resource(int type, const QUrl& url);
    void FetchResource(const QUrl& url);
    QNetworkReply* Get(const QUrl& url);

    ThvdvViewer* view_ = nullptr;
    QNetworkAccessManager* network_ = nullptr;
    QPointer<QNetworkReply> reply_;
    QList<QPointer<QNetworkReply>> resourceReplies_;
    QSet<QUrl> resourcesAsked_;
    QByteArray body_;
    bool truncated_ = false;
    Load pending_;
    quint64 loadId_ = 0;
    bool loading_ = false;
    bool loadOk_ = false;
    StopReason stopReason_ = StopReason::None;
    bool waitInterrupted_ = false;
    QList<QUrl> history_;
    int index_ = -1;
    QUrl location_;
};

} // namespace pw
