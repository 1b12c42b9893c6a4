#pragma once
// A small HTTP server on 127.0.0.1 for gui tests: it answers from a table of routes and records
// every request it receives. It runs on the test's own event loop, so it answers while the
// code under test waits in an event loop of its own.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace pw::test {

struct HttpRoute {
    int Status = 200;
    QByteArray ContentType = "text/html; charset=utf-8";
    QByteArray Body;
    QByteArray Location;      // sent as "Location" when not empty
    bool NeverAnswer = false; // the connection is accepted and left waiting
    qint64 FillTo = 0;        // the body repeated up to this many bytes

    static HttpRoute Page(const QByteArray& body, const QByteArray& type = "text/html") {
        HttpRoute r;
        r.Body = body;
        r.ContentType = type;
        return r;
    }
    static HttpRoute Redirect(int status, const QByteArray& location) {
        HttpRoute r;
        r.Status = status;
        r.Location = location;
        return r;
    }
    static HttpRoute Silent() {
        HttpRoute r;
        r.NeverAnswer = true;
        return r;
    }
};

struct HttpRequestRecord {
    QByteArray Method;
    QByteArray Target; // path and query, as the request line has it
    QByteArray UserAgent;
    bool HasUserAgent = false;
};

class LoopbackHttpServer : public QObject {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer() override;

    // Listens on a free port of 127.0.0.1; false when it cannot.
    bool Start();
    quint16 Port() const;
    // "http://127.0.0.1:<port>"
    QString BaseUrl() const;
    // The route for a path (the query is ignored when matching); unknown paths get 404.
    void SetRoute(const QByteArray& path, const HttpRoute& route);

    QList<HttpRequestRecord> Requests;
    // Requests whose path (without query) is path.
    QList<HttpRequestRecord> RequestsFor(const QByteArray& path) const;

private:
    void Serve(QTcpSocket* socket);
    QTcpServer* server_;
    QMap<QByteArray, HttpRoute> routes_;
    QList<QTcpSocket*> held_;
};

} // namespace pw::test
