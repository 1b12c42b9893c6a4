#include "framework/ui/instance_control.h"

#include <QDeadlineTimer>
#include <QThread>
#include <algorithm>

namespace pw {

namespace {
// How long a starting instance waits for a running one that holds the lock but does not
// answer yet (it may itself be starting).
constexpr int kAnswerWaitMs = 3000;
constexpr int kRetryStepMs = 100;
} // namespace

ThvWinFormInstanceControl::ThvWinFormInstanceControl(QObject* owner, bool check,
                                                     const QString& identifier)
    : QObject(owner), identifier_(identifier),
      server_([this](const QByteArray& r) { return Answer(r); }, this) {
    if (check)
        CheckInstances();
}

ThvWinFormInstanceControl::~ThvWinFormInstanceControl() {
    server_.Close();
    if (lock_)
        lock_->unlock();
}

void ThvWinFormInstanceControl::CheckInstances() {
    const QString endpoint = InstanceEndpointName(identifier_);
    if (endpoint.isEmpty()) {
        // No folder that only this user can reach: nothing is shared with other users, so the
        // program runs without its single-instance check.
        return;
    }
    lock_ = std::make_unique<QLockFile>(InstanceLockPath(identifier_));
    lock_->setStaleLockTime(0); // only a lock whose process is gone is stale
    int found = 1;              // this instance
    bool answered = false;
    if (lock_->tryLock(0)) {
        if (!server_.Listen(endpoint)) {
            // An endpoint that answers belongs to a running instance after all.
            found += SendInstanceRequest(endpoint, InstanceRequest::Handle, 500) ? 1 : 0;
        }
    } else {
        found += 1; // the lock holder runs
        lock_.reset();
    }
    if (found > 1) {
        // Key handshake with the running instance; it may still be starting, so wait a little.
        std::optional<QByteArray> reply;
        const QDeadlineTimer deadline(kAnswerWaitMs);
        while (!reply && !deadline.hasExpired()) {
            const int wait = int(std::min<qint64>(deadline.remainingTime(), kRetryStepMs * 5));
            reply = SendInstanceRequest(
                endpoint, QByteArray(InstanceRequest::Key) + ' ' + InstanceKey.toUtf8(), wait);
            if (!reply && !deadline.hasExpired())
                QThread::msleep(kRetryStepMs);
        }
        answered = reply.has_value();
        if (answered && reply->trimmed() != "0")
            Allowed = false;
    }
    if (Allowed && MaxInstances != 0 && MaxInstances < found)
        Allowed = false;
    if (!Allowed && answered)
        SendInstanceRequest(endpoint, InstanceRequest::Forward);
    if (!Allowed && TerminateIfNotAllowed && Terminate)
        Terminate();
}

QByteArray ThvWinFormInstanceControl::Answer(const QByteArray& request) {
    const QByteArray word = request.split(' ').value(0);
    if (word == InstanceRequest::Handle)
        return QByteArray::number(MainWindowId ? MainWindowId() : 0);
    if (word == InstanceRequest::Key) {
        const QByteArray key = request.mid(word.size() + 1);
        return key == InstanceKey.toUtf8() ? "1" : "0";
    }
    if (word == InstanceRequest::Forward) {
        if (BringForward)
            BringForward();
        return "0";
    }
    if (word == InstanceRequest::Popup) {
        if (Popup)
            Popup();
        return "0";
    }
    if (ProgramRequest)
        return ProgramRequest(request);
    return "?";
}

} // namespace pw
