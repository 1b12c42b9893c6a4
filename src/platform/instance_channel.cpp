#include "platform/instance_channel.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <unistd.h>

namespace pw {

namespace {
constexpr qint64 kMaxRequest = 4096;

QString UserTag() {
    return QString::number(static_cast<qulonglong>(::getuid()));
}
} // namespace

// The user's private runtime folder ($XDG_RUNTIME_DIR, mode 0700) when there is one, so that no
// other user can take the names first; the temporary folder otherwise.
QString InstanceFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        const QFileInfo info(QString::fromLocal8Bit(runtime));
        if (info.isDir() && info.isWritable() && info.ownerId() == ::getuid())
            return info.absoluteFilePath();
    }
    return QDir::tempPath();
}

QString InstanceEndpointName(const QString& identifier) {
    return InstanceFolder() + QStringLiteral("/pathwick-%1-%2").arg(identifier, UserTag());
}

QString InstanceLockPath(const QString& identifier) {
    return InstanceFolder() + QStringLiteral("/pathwick-%1-%2.lock").arg(identifier, UserTag());
}

InstanceServer::InstanceServer(Handler handler, QObject* parent)
    : QObject(parent), server_(this), handler_(std::move(handler)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::AcceptConnection);
}

bool InstanceServer::Listen(const QString& name) {
    if (server_.listen(name))
        return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Somebody's socket file is there: take it over only when nobody answers on it.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500)) {
        probe.disconnectFromServer();
        return false;
    }
    QLocalServer::removeServer(name);
    return server_.listen(name);
}

void InstanceServer::Close() {
    server_.close();
}

void InstanceServer::AcceptConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxRequest)
                    socket->abort();
                return;
            }
            const QByteArray request = socket->readLine(kMaxRequest).trimmed();
            const QByteArray reply = handler_ ? handler_(request) : QByteArray();
            socket->write(reply + '\n');
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

std::optional<QByteArray> SendInstanceRequest(const QString& name, const QByteArray& request,
                                              int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return std::nullopt;
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return std::nullopt;
    QByteArray reply;
    while (!reply.contains('\n')) {
        if (!socket.waitForReadyRead(timeoutMs))
            return std::nullopt;
        reply += socket.readAll();
        if (reply.size() > kMaxRequest)
            return std::nullopt;
    }
    socket.disconnectFromServer();
    return reply.left(reply.indexOf('\n'));
}

} // namespace pw
