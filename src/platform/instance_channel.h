#pragma once
// The per-user rendezvous of running instances: a local socket endpoint that answers one
// request line per connection with one reply line.

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

namespace pw {

// Endpoint (a socket path) and lock file for an instance identifier, private to the current
// user: in $XDG_RUNTIME_DIR when it is the user's own, else in a folder of mode 0700 of the
// user's own in the temporary folder or the cache folder. Empty when no such folder can be had.
QString InstanceEndpointName(const QString& identifier);
QString InstanceLockPath(const QString& identifier);

class InstanceServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<QByteArray(const QByteArray& request)>;

    InstanceServer(Handler handler, QObject* parent = nullptr);
    // Listens on the endpoint. A socket file left by a crashed instance (nobody answers on it)
    // is removed first; a live endpoint is never taken over. False when it cannot listen.
    bool Listen(const QString& name);
    void Close();

private:
    void AcceptConnection();
    QLocalServer server_;
    Handler handler_;
};

// Sends one request line and waits for the reply line; nothing when no instance answers within
// timeoutMs.
std::optional<QByteArray> SendInstanceRequest(const QString& name, const QByteArray& request,
                                              int timeoutMs = 3000);

} // namespace pw
