// Single-instance control: the first instance runs, a second is refused and asks the first to
// come forward; a socket file left by a crash never blocks a start.
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUuid>
#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/ui/instance_control.h"
#include "gui/platform/launch_test_support.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

QString UniqueIdentifier() {
    return QUuid::createUuid().toString(QUuid::Id128).toUpper();
}

TEST(InstanceControl, FirstInstanceRunsAndSecondIsRefusedAndBringsFirstForward) {
    const QString id = UniqueIdentifier();
    auto* first = new ThvWinFormInstanceControl(nullptr, false, id);
    QThread worker;
    first->moveToThread(&worker);
    std::atomic<int> forwarded{0};
    first->BringForward = [&] { forwarded++; };
    worker.start();
    bool firstAllowed = false;
    QMetaObject::invokeMethod(
        first,
        [&] {
            first->CheckInstances();
            firstAllowed = first->Allowed;
        },
        Qt::BlockingQueuedConnection);
    EXPECT_TRUE(firstAllowed);

    bool terminated = false;
    ThvWinFormInstanceControl second(nullptr, false, id);
    second.Terminate = [&] { terminated = true; };
    second.CheckInstances();
    EXPECT_FALSE(second.Allowed);
    EXPECT_TRUE(terminated);
    EXPECT_EQ(forwarded.load(), 1);

    QMetaObject::invokeMethod(
        first, [&] { delete first; }, Qt::BlockingQueuedConnection);
    worker.quit();
    worker.wait();

    // Once the first instance is gone, a new start runs.
    ThvWinFormInstanceControl third(nullptr, true, id);
    EXPECT_TRUE(third.Allowed);
}

TEST(InstanceControl, AnswersTheRequestsOfTheEndpoint) {
    const QString id = UniqueIdentifier();
    auto* running = new ThvWinFormInstanceControl(nullptr, false, id);
    QThread worker;
    running->moveToThread(&worker);
    std::atomic<int> popups{0};
    running->MainWindowId = [] { return qulonglong(4242); };
    running->Popup = [&] { popups++; };
    worker.start();
    QMetaObject::invokeMethod(
        running, [&] { running->CheckInstances(); }, Qt::BlockingQueuedConnection);

    const QString endpoint = InstanceEndpointName(id);
    EXPECT_EQ(SendInstanceRequest(endpoint, "HANDLE").value_or("none"), "4242");
    EXPECT_EQ(SendInstanceRequest(endpoint, "KEY ").value_or("none"), "1");
    EXPECT_EQ(SendInstanceRequest(endpoint, "KEY other").value_or("none"), "0");
    EXPECT_EQ(SendInstanceRequest(endpoint, "POPUP").value_or("none"), "0");
    EXPECT_EQ(popups.load(), 1);
    EXPECT_EQ(SendInstanceRequest(endpoint, "NONSENSE").value_or("none"), "?");

    QMetaObject::invokeMethod(
        running, [&] { delete running; }, Qt::BlockingQueuedConnection);
    worker.quit();
    worker.wait();
    EXPECT_FALSE(SendInstanceRequest(endpoint, "HANDLE", 200).has_value());
}

TEST(InstanceControl, SocketFileLeftByACrashDoesNotBlockAStart) {
    const QString id = UniqueIdentifier();
    const QString socketPath = InstanceEndpointName(id);
    {
        QFile leftover(socketPath);
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    }
    ThvWinFormInstanceControl control(nullptr, true, id);
    EXPECT_TRUE(control.Allowed);
    // It listens now: a request reaches it (answered once its thread turns the loop).
    EXPECT_FALSE(QFile::exists(socketPath) && QFileInfo(socketPath).isFile());
}

// Without a runtime folder the names go to a folder of the user's own: a name another user made
// first (a link to a folder of theirs) or a folder another user owns is never entered.
TEST(InstanceControl, WithoutARuntimeFolderOtherUsersCannotTakeTheNames) {
    test::TempDir tmp;
    test::EnvironmentGuard env;
    env.Unset("XDG_RUNTIME_DIR");
    env.Set("TMPDIR", QByteArray::fromStdString(tmp.mkdir("tmp")));
    env.Set("XDG_CACHE_HOME", QByteArray::fromStdString(tmp.mkdir("cache")));
    const std::string own = "pathwick-" + std::to_string(::getuid());
    const QString id = UniqueIdentifier();
    auto folderOf = [](const QString& path) {
        return QFileInfo(path).absolutePath().toStdString();
    };
    auto privateMode = [](const std::string& folder) {
        struct stat info {};
        return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
               (info.st_mode & 0777) == 0700 && info.st_uid == ::getuid();
    };

    // No runtime folder: a private folder in the temporary folder.
    EXPECT_EQ(folderOf(InstanceLockPath(id)), tmp.path() + "tmp/" + own);
    EXPECT_TRUE(privateMode(tmp.path() + "tmp/" + own));

    // An attacker's link in its place, to a folder everybody may write.
    const std::string attacker = tmp.mkdir("attacker");
    ::chmod(attacker.c_str(), 0777);
    env.Set("TMPDIR", QByteArray::fromStdString(tmp.mkdir("tmp2")));
    ASSERT_EQ(::symlink(attacker.c_str(), (tmp.path() + "tmp2/" + own).c_str()), 0);
    EXPECT_EQ(folderOf(InstanceLockPath(id)), tmp.path() + "cache/" + own);
    {
        ThvWinFormInstanceControl control(nullptr, true, id);
        EXPECT_TRUE(control.Allowed);
        EXPECT_TRUE(QFile::exists(InstanceLockPath(id)));
        EXPECT_TRUE(QDir(QString::fromStdString(attacker)).isEmpty());
    }
    EXPECT_TRUE(privateMode(tmp.path() + "cache/" + own));

    // A folder that others may enter, or that another user owns, is refused too.
    const std::string open = tmp.mkdir("tmp3/" + own);
    ::chmod(open.c_str(), 0755);
    env.Set("TMPDIR", QByteArray::fromStdString(tmp.path() + "tmp3"));
    EXPECT_EQ(folderOf(InstanceLockPath(id)), tmp.path() + "cache/" + own);
    if (::getuid() == 0) {
        const std::string foreign = tmp.mkdir("tmp4/" + own);
        ::chmod(foreign.c_str(), 0700);
        ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
        env.Set("TMPDIR", QByteArray::fromStdString(tmp.path() + "tmp4"));
        EXPECT_EQ(folderOf(InstanceLockPath(id)), tmp.path() + "cache/" + own);
        ::chown(foreign.c_str(), 0, 0);
    }
}

} // namespace
} // namespace pw
