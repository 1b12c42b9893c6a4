#include "about/web_view.h"

#include "about/web_content.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QMimeDatabase>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace pw {

namespace {

const QString kBlank = QStringLiteral("about:blank");

bool IsBlank(const QUrl& url) {
    return url.isEmpty() || url.toString() == kBlank;
}

bool IsWebUrl(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool SameDocument(const QUrl& a, const QUrl& b) {
    return a.adjusted(QUrl::RemoveFragment) == b.adjusted(QUrl::RemoveFragment);
}

} // namespace

// --- the viewer -------------------------------------------------------------------------------

ThvdvViewer::ThvdvViewer(ThvdvHost* host) : QTextBrowser(host), host_(host) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

QVariant ThvdvViewer::loadResource(int type, const QUrl& name) {
    return host_->Resource(type, name);
}

// --- the host ---------------------------------------------------------------------------------

ThvdvHost::ThvdvHost(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new ThvdvViewer(this);
    view_->setObjectName("hvdvViewer");
    layout->addWidget(view_);
    network_ = new QNetworkAccessManager(this);
    // Redirects are followed here, each through the navigate handler.
    network_->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);

    connect(view_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl base = location_.isEmpty() ? QUrl() : location_;
        Navigate({base.resolved(link), HistoryMove::Push, -1, 0});
    });
    connect(view_, qOverload<const QUrl&>(&QTextBrowser::highlighted), this,
            [this](const QUrl& link) {
                emit StatusTextChanged(link.isEmpty() ? QString()
                                                      : AddressOf(location_.resolved(link)));
            });
}

ThvdvHost::~ThvdvHost() {
    waitInterrupted_ = true;
    AbortReply();
}

QString ThvdvHost::AddressOf(const QUrl& url) {
    return IsBlank(url) ? kBlank : url.toString();
}

QUrl ThvdvHost::UrlOfAddress(const QString& address) {
    const QString text = address.trimmed();
    if (text.isEmpty() || text == kBlank)
        return QUrl(kBlank);
    if (text.startsWith(u'/'))
        return QUrl::fromLocalFile(text);
    return QUrl::fromUserInput(text);
}

QString ThvdvHost::Location() const {
    return AddressOf(location_);
}

void ThvdvHost::OpenAddress(const QString& address) {
    Navigate({UrlOfAddress(address), HistoryMove::Push, -1, 0});
}

void ThvdvHost::Back() {
    if (CanGoBack())
        Navigate({history_.at(index_ - 1), HistoryMove::To, index_ - 1, 0});
}

void ThvdvHost::Forward() {
    if (CanGoForward())
        Navigate({history_.at(index_ + 1), HistoryMove::To, index_ + 1, 0});
}

void ThvdvHost::Refresh() {
    if (index_ >= 0)
        Navigate({history_.at(index_), HistoryMove::Stay, index_, 0});
}

void ThvdvHost::Close() {
    waitInterrupted_ = true;
    stopReason_ = StopReason::Closed;
    AbortReply();
    ++loadId_;
    loading_ = false;
    view_->hide();
    view_->clear();
    location_ = QUrl(kBlank);
    emit LoadEnded();
}

void ThvdvHost::Navigate(const Load& load) {
    const QUrl url = load.Url;
    if (!IsBlank(url)) {
        bool allow = true;
        if (OnNavigate) {
            QPointer<ThvdvHost> self(this);
            OnNavigate(AddressOf(url), allow);
            if (!self)
                return;
        }
        if (!allow) {
            // A redirect that is not allowed ends the load it belongs to.
            if (load.Redirects > 0)
                EndCancelled();
            return;
        }
    }
    view_->show();
    // A link to another place in the page shown only scrolls.
    if (load.Move == HistoryMove::Push && load.Redirects == 0 && !loading_ && url.hasFragment() &&
        !IsBlank(location_) && SameDocument(url, location_)) {
        view_->scrollToAnchor(url.fragment());
        Complete(load, true);
        return;
    }
    StartLoad(load);
}

QNetworkReply* ThvdvHost::Get(const QUrl& url) {
    QNetworkRequest request(url);
    if (!UserAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(std::max(0, TransferTimeout));
    return network_->get(request);
}

void ThvdvHost::StartLoad(const Load& load) {
    AbortReply();
    const quint64 id = ++loadId_;
    pending_ = load;
    loading_ = true;
    loadOk_ = false;
    stopReason_ = StopReason::None;
    body_.clear();
    truncated_ = false;
    emit StatusTextChanged(Texts.Opening);
    if (IsBlank(load.Url)) {
        view_->clear();
        QTimer::singleShot(0, this, [this, id] {
            if (id == loadId_)
                Complete(pending_, true);
        });
        return;
    }
    if (load.Url.isLocalFile()) {
        QTimer::singleShot(0, this, [this, id] { LoadLocalFile(id); });
        return;
    }
    if (!IsWebUrl(load.Url)) {
        QTimer::singleShot(0, this, [this, id] {
            if (id != loadId_)
                return;
            ShowFailure(pending_.Url, Texts.Unsupported, QString());
            Complete(pending_, false);
        });
        return;
    }
    reply_ = Get(load.Url);
    QNetworkReply* reply = reply_;
    connect(reply, &QNetworkReply::readyRead, this, &ThvdvHost::ReplyReadyRead);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { ReplyFinished(reply); });
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        const qint64 maximum = total > 0 ? std::min(total, kMaxPageBytes) : kMaxPageBytes;
        emit ProgressChanged(static_cast<int>(std::min(received, maximum)),
                             static_cast<int>(maximum));
    });
}

void ThvdvHost::LoadLocalFile(quint64 id) {
    if (id != loadId_)
        return;
    QByteArray bytes;
    QString error;
    const QUrl url = pending_.Url;
    if (!ReadLocalFile(url.toLocalFile(), kMaxPageBytes, bytes, error)) {
        ShowFailure(url, Texts.NotLoaded, error);
        Complete(pending_, false);
        return;
    }
    const bool truncated = bytes.size() > kMaxPageBytes;
    if (truncated)
        bytes.truncate(kMaxPageBytes);
    Render(bytes, QString(), url, truncated);
    Complete(pending_, true);
}

void ThvdvHost::ReplyReadyRead() {
    QNetworkReply* reply = reply_;
    if (!reply || truncated_)
        return;
    const qint64 room = kMaxPageBytes + 1 - body_.size();
    body_.append(reply->read(std::max<qint64>(0, room)));
    if (body_.size() > kMaxPageBytes) {
        body_.truncate(kMaxPageBytes);
        truncated_ = true;
        reply->abort(); // finishes the reply; what arrived is shown
    }
}

void ThvdvHost::ReplyFinished(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_.data())
        return;
    reply_ = nullptr;
    if (!truncated_ && reply->bytesAvailable() > 0) {
        const qint64 room = kMaxPageBytes + 1 - body_.size();
        body_.append(reply->read(std::max<qint64>(0, room)));
        if (body_.size() > kMaxPageBytes) {
            body_.truncate(kMaxPageBytes);
            truncated_ = true;
        }
    }
    const Load load = pending_;
    emit ProgressChanged(0, 0);
    if (stopReason_ == StopReason::Closed)
        return;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QString contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    if (truncated_) {
        Render(body_, contentType, load.Url, true);
        Complete(load, true);
        return;
    }
    if (stopReason_ == StopReason::TimedOut ||
        reply->error() == QNetworkReply::OperationCanceledError ||
        reply->error() == QNetworkReply::TimeoutError) {
        ShowFailure(load.Url, Texts.TimedOut, QString());
        Complete(load, false);
        return;
    }
    if (status.isValid()) {
        const int code = status.toInt();
        const QVariant location = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
        if (code >= 300 && code < 400 && location.isValid()) {
            if (load.Redirects >= kMaxRedirects) {
                ShowFailure(load.Url, Texts.TooManyRedirects, QString());
                Complete(load, false);
                return;
            }
            Load next = load;
            next.Url = reply->url().resolved(location.toUrl());
            ++next.Redirects;
            Navigate(next);
            return;
        }
        if (body_.isEmpty() && code >= 400) {
            const QString reason =
                reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            ShowFailure(load.Url, Texts.NotLoaded,
                        QStringLiteral("HTTP %1 %2").arg(code).arg(reason));
            Complete(load, false);
            return;
        }
        // The server's own page, an error page included.
        Render(body_, contentType, load.Url, false);
        Complete(load, code < 400);
        return;
    }
    ShowFailure(load.Url, Texts.NotLoaded, reply->errorString());
    Complete(load, false);
}

void ThvdvHost::AbortReply() {
    for (const QPointer<QNetworkReply>& r : std::as_const(resourceReplies_)) {
        if (r) {
            r->disconnect(this);
            r->abort();
            r->deleteLater();
        }
    }
    resourceReplies_.clear();
    resourcesAsked_.clear();
    if (QNetworkReply* reply = reply_) {
        reply_ = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void ThvdvHost::StopLoad(StopReason reason) {
    if (!loading_)
        return;
    stopReason_ = reason;
    if (QNetworkReply* reply = reply_) {
        reply->abort(); // finishes it: ReplyFinished shows the reason
        return;
    }
    // A local load is only waiting for its turn: it ends now.
    ++loadId_;
    ShowFailure(pending_.Url, Texts.TimedOut, QString());
    Complete(pending_, false);
}

void ThvdvHost::EndCancelled() {
    loading_ = false;
    loadOk_ = false;
    emit ProgressChanged(0, 0);
    emit StatusTextChanged(QString());
    emit LoadEnded();
}

void ThvdvHost::Render(const QByteArray& bytes, const QString& contentType, const QUrl& url,
                       bool truncated) {
    QMimeDatabase mimes;
    const QString declared = contentType.section(u';', 0, 0).trimmed().toLower();
    QMimeType type = declared.isEmpty() ? QMimeType() : mimes.mimeTypeForName(declared);
    if (!type.isValid())
        type = mimes.mimeTypeForFileNameAndData(url.path(), bytes);
    const bool html = type.inherits(QStringLiteral("text/html")) ||
                      type.inherits(QStringLiteral("application/xhtml+xml"));
    const bool text = !html && (type.inherits(QStringLiteral("text/plain")) ||
                                type.name().startsWith(QLatin1String("text/")) ||
                                type.inherits(QStringLiteral("application/xml")) ||
                                type.inherits(QStringLiteral("application/json")));
    const bool image = type.name().startsWith(QLatin1String("image/"));
    view_->document()->setBaseUrl(url);
    // Text never holds NUL bytes: such content is binary whatever it claims to be.
    if ((html || text) && !bytes.contains('\0')) {
        const QString decoded = BreakLongParagraphs(DecodePage(bytes, contentType, html), html);
        if (html)
            view_->setHtml(decoded);
        else
            view_->setPlainText(decoded);
    } else if (image && !truncated && !QImage::fromData(bytes).isNull()) {
        view_->document()->addResource(QTextDocument::ImageResource, url, QImage::fromData(bytes));
        view_->setHtml(QStringLiteral("<img src=\"%1\">").arg(url.toString().toHtmlEscaped()));
    } else {
        ShowFailure(url, Texts.CannotShow, type.name());
        return;
    }
    if (truncated) {
        QTextCursor cursor(view_->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertHtml(QStringLiteral("<hr><p><i>%1</i></p>").arg(Texts.CutOff.toHtmlEscaped()));
    }
    if (url.hasFragment())
        view_->scrollToAnchor(url.fragment());
}

void ThvdvHost::ShowFailure(const QUrl& url, const QString& headline, const QString& detail) {
    view_->document()->setBaseUrl(QUrl());
    QString html = QStringLiteral("<h3>%1</h3><p><b>%2</b></p>")
                       .arg(headline.toHtmlEscaped(), AddressOf(url).toHtmlEscaped());
    if (!detail.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(detail.toHtmlEscaped());
    html += QStringLiteral("<p>%1</p>").arg(Texts.TryAgain.toHtmlEscaped());
    view_->setHtml(html);
}

void ThvdvHost::Complete(const Load& load, bool ok) {
    switch (load.Move) {
    case HistoryMove::Push:
        while (history_.size() > index_ + 1)
            history_.removeLast();
        history_.append(load.Url);
        index_ = int(history_.size()) - 1;
        break;
    case HistoryMove::Stay:
    case HistoryMove::To:
        if (load.Target >= 0 && load.Target < history_.size()) {
            index_ = load.Target;
            history_[index_] = load.Url;
        } else {
            history_.append(load.Url);
            index_ = int(history_.size()) - 1;
        }
        break;
    }
    location_ = load.Url;
    loading_ = false;
    loadOk_ = ok;
    emit ProgressChanged(0, 0);
    emit StatusTextChanged(Texts.Done);
    emit NavigateComplete(AddressOf(location_), CanGoBack(), CanGoForward());
    emit LoadEnded();
}

bool ThvdvHost::WaitUntilLoaded(int timeoutMilliseconds, const std::function<bool()>& interrupted) {
    QPointer<ThvdvHost> self(this);
    QElapsedTimer clock;
    clock.start();
    waitInterrupted_ = false;
    for (;;) {
        QCoreApplication::processEvents();
        if (!self)
            return false;
        if (!loading_)
            return loadOk_ && !waitInterrupted_;
        if (waitInterrupted_ || (interrupted && interrupted()))
            return false;
        const qint64 left = timeoutMilliseconds - clock.elapsed();
        if (left <= 0) {
            StopLoad(StopReason::TimedOut);
            return false;
        }
        QEventLoop pass;
        QTimer::singleShot(std::min<qint64>(kWaitPassMilliseconds, left), &pass,
                           [&pass] { pass.exit(1); });
        connect(this, &ThvdvHost::LoadEnded, &pass, [&pass] { pass.exit(1); });
        if (pass.exec() != 1) {
            // The application quits: every loop ends, this one too.
            if (self)
                StopLoad(StopReason::TimedOut);
            return false;
        }
        if (!self)
            return false;
    }
}

// --- resources of a page ----------------------------------------------------------------------

QVariant ThvdvHost::Resource(int type, const QUrl& name) {
    const QUrl url = name.isRelative() ? location_.resolved(name) : name;
    if (url.isLocalFile()) {
        QByteArray bytes;
        QString error;
        if (!ReadLocalFile(url.toLocalFile(), kMaxPageBytes, bytes, error) ||
            bytes.size() > kMaxPageBytes)
            return {};
        if (type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(bytes);
        return bytes;
    }
    if (type == QTextDocument::ImageResource && IsWebUrl(url))
        FetchResource(url);
    return {};
}

void ThvdvHost::FetchResource(const QUrl& url) {
    if (resourcesAsked_.contains(url) || resourcesAsked_.size() >= kMaxResources)
        return;
    resourcesAsked_.insert(url);
    QNetworkReply* reply = Get(url);
    resourceReplies_.append(reply);
    const quint64 id = loadId_;
    connect(reply, &QNetworkReply::readyRead, this, [reply] {
        if (reply->bytesAvailable() > kMaxPageBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, url, id] {
        reply->deleteLater();
        resourceReplies_.removeAll(reply);
        if (id != loadId_ || reply->error() != QNetworkReply::NoError)
            return;
        const QImage image = QImage::fromData(reply->read(kMaxPageBytes));
        if (image.isNull())
            return;
        QTextDocument* document = view_->document();
        document->addResource(QTextDocument::ImageResource, url, image);
        document->markContentsDirty(0, document->characterCount());
    });
}

} // namespace pw
