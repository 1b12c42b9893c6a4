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

#include "framework/ui/instance_control.h"

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

} // namespace
} // namespace pw
