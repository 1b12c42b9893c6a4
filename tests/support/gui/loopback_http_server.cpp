#include "support/gui/loopback_http_server.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace pw::test {

namespace {
QByteArray PathOf(const QByteArray& target) {
    const qsizetype query = target.indexOf('?');
    QByteArray path = query < 0 ? target : target.left(query);
    const qsizetype fragment = path.indexOf('#');
    return fragment < 0 ? path : path.left(fragment);
}
} // namespace

LoopbackHttpServer::LoopbackHttpServer() : server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Serve(socket); });
        }
    });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    for (QTcpSocket* socket : held_)
        socket->abort();
}

bool LoopbackHttpServer::Start() {
    return server_->listen(QHostAddress::LocalHost, 0);
}

quint16 LoopbackHttpServer::Port() const {
    return server_->serverPort();
}

QString LoopbackHttpServer::BaseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(Port());
}

void LoopbackHttpServer::SetRoute(const QByteArray& path, const HttpRoute& route) {
    routes_[path] = route;
}

QList<HttpRequestRecord> LoopbackHttpServer::RequestsFor(const QByteArray& path) const {
    QList<HttpRequestRecord> found;
    for (const HttpRequestRecord& r : Requests)
        if (PathOf(r.Target) == path)
            found.append(r);
    return found;
}

void LoopbackHttpServer::Serve(QTcpSocket* socket) {
    QByteArray buffer = socket->property("request").toByteArray() + socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("request", buffer);
        return;
    }
    socket->setProperty("request", QByteArray());
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    HttpRequestRecord record;
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    record.Method = requestLine.value(0);
    record.Target = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "user-agent") {
            record.UserAgent = line.mid(colon + 1).trimmed();
            record.HasUserAgent = true;
        }
    }
    Requests.append(record);

    const auto found = routes_.constFind(PathOf(record.Target));
    HttpRoute route;
    if (found != routes_.constEnd()) {
        route = *found;
    } else {
        route.Status = 404;
        route.Body = "<html><body><h1>Not here</h1></body></html>";
    }
    if (route.NeverAnswer) {
        held_.append(socket);
        return;
    }
    QByteArray body = route.Body;
    if (route.FillTo > 0 && !body.isEmpty()) {
        QByteArray filled;
        filled.reserve(route.FillTo);
        while (filled.size() < route.FillTo)
            filled.append(body);
        body = filled.left(route.FillTo);
    }
    QByteArray response = "HTTP/1.1 " + QByteArray::number(route.Status) + " Status\r\n";
    response += "Content-Type: " + route.ContentType + "\r\n";
    if (!route.Location.isEmpty())
        response += "Location: " + route.Location + "\r\n";
    response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    response += "Connection: close\r\n\r\n";
    socket->write(response + body);
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
        if (socket->bytesToWrite() == 0)
            socket->disconnectFromHost();
    });
}

} // namespace pw::test
