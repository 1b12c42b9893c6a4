#pragma once
// Single-instance control: one instance of the program per user desktop. A starting instance
// that finds another one asks it to bring its main window forward and is refused.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "platform/instance_channel.h"

namespace pw {

// The identifier that names the application-running lock and the instance endpoint.
inline constexpr const char* kInstanceIdentifier = "560CEE382FE04EEE8EE428712CD776BE";

// Request lines of the endpoint: the three requests every instance answers, and the two that
// pathwick-ctl sends.
namespace InstanceRequest {
inline constexpr const char* Handle = "HANDLE";   // reply: the main window's id
inline constexpr const char* Key = "KEY";         // "KEY <key>"; reply "1" when equal, else "0"
inline constexpr const char* Forward = "FORWARD"; // bring the main window forward; reply "0"
inline constexpr const char* Popup = "POPUP";     // do what the hot key does; reply "0"
inline constexpr const char* Add = "ADD";         // pathwick-ctl add; answered by ProgramRequest
} // namespace InstanceRequest

class ThvWinFormInstanceControl : public QObject {
    Q_OBJECT
public:
    // Runs CheckInstances at once when check is set.
    ThvWinFormInstanceControl(QObject* owner, bool check, const QString& identifier);
    ~ThvWinFormInstanceControl() override;

    void CheckInstances();

    QString InstanceKey;
    int MaxInstances = 1;
    bool Allowed = true;
    bool TerminateIfNotAllowed = true;

    // Answers of this instance; set by the application module.
    std::function<qulonglong()> MainWindowId;
    std::function<void()> BringForward;
    std::function<void()> Popup;
    // The program's own requests (words the framework does not know); reply "?" without it.
    std::function<QByteArray(const QByteArray& request)> ProgramRequest;
    // Called when this instance is refused and TerminateIfNotAllowed is set.
    std::function<void()> Terminate;

    const QString& Identifier() const { return identifier_; }

private:
    QByteArray Answer(const QByteArray& request);

    QString identifier_;
    std::unique_ptr<QLockFile> lock_;
    InstanceServer server_;
};

} // namespace pw
