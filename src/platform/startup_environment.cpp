#include "platform/startup_environment.h"

#include <QStandardPaths>
#include <QStringList>
#include <mutex>

namespace pw {

namespace {

std::mutex& SnapshotMutex() {
    static std::mutex mutex;
    return mutex;
}

// Held by pointer so that capturing never depends on static initialisation order.
QProcessEnvironment*& Snapshot() {
    static QProcessEnvironment* snapshot = nullptr;
    return snapshot;
}

} // namespace

void CaptureStartupEnvironment() {
    std::lock_guard<std::mutex> lock(SnapshotMutex());
    auto fresh = new QProcessEnvironment(QProcessEnvironment::systemEnvironment());
    // The start-up notification tokens belong to this program's own start: a program started
    // from the menu would take over a notification that has long ended.
    fresh->remove(QStringLiteral("DESKTOP_STARTUP_ID"));
    fresh->remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    delete Snapshot();
    Snapshot() = fresh;
}

QProcessEnvironment StartupEnvironment() {
    {
        std::lock_guard<std::mutex> lock(SnapshotMutex());
        if (Snapshot()) {
            return *Snapshot();
        }
    }
    CaptureStartupEnvironment();
    return StartupEnvironment();
}

QString FindProgramOnStartupPath(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/'))) {
        return {};
    }
    const QString path = StartupEnvironment().value(QStringLiteral("PATH"));
    QStringList folders;
    for (const QString& folder : path.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        folders.append(folder);
    }
    if (folders.isEmpty()) {
        return {};
    }
    return QStandardPaths::findExecutable(name, folders);
}

} // namespace pw
