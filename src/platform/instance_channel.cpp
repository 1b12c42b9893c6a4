#include "platform/instance_channel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStringList>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {

namespace {
// A request line may carry many long paths (pathwick-ctl add): up to 16 MiB.
constexpr qint64 kMaxRequest = qint64(16) << 20;

QString UserTag() {
    return QString::number(static_cast<qulonglong>(::getuid()));
}
} // namespace

// A folder that only the current user can reach: a real folder (no link), owned by the user,
// with no rights for group or others. Made with mode 0700 when it is missing; an existing
// folder that falls short is refused, never repaired or entered.
bool PrivateFolder(const QByteArray& path, bool create) {
    if (create && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0 &&
           ::access(path.constData(), W_OK | X_OK) == 0;
}

// The user's runtime folder ($XDG_RUNTIME_DIR) when it is the user's own and private, so that no
// other user can take the names first or receive the requests. Without one: a folder of the
// user's own in the temporary folder, else one in the user's cache folder. Empty when none of
// them is safe.
QString InstanceFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && PrivateFolder(runtime, false))
        return QFileInfo(QString::fromLocal8Bit(runtime)).absoluteFilePath();
    const QString own = QStringLiteral("pathwick-") + UserTag();
    QStringList candidates{QDir::tempPath() + QLatin1Char('/') + own};
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    candidates << cache + QLatin1Char('/') + own;
    for (const QString& folder : candidates) {
        if (PrivateFolder(QFile::encodeName(folder), true))
            return folder;
    }
    return {};
}

QString InstanceEndpointName(const QString& identifier) {
    const QString folder = InstanceFolder();
    return folder.isEmpty() ? QString()
                            : folder + QStringLiteral("/pathwick-%1-%2").arg(identifier, UserTag());
}

QString InstanceLockPath(const QString& identifier) {
    const QString folder = InstanceFolder();
    return folder.isEmpty()
               ? QString()
               : folder + QStringLiteral("/pathwick-%1-%2.lock").arg(identifier, UserTag());
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
            if (socket->bytesAvailable() > kMaxRequest) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const QByteArray request = socket->readLine().trimmed();
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
