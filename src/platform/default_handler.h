#pragma once
// Opening documents, folders and addresses with the desktop's default handler (xdg-open). The
// handler runs without blocking the user interface; its exit status is watched, and a failure
// is reported through ReportLaunchFailure when it arrives.

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>

namespace pw {

class DefaultHandlerRun : public QObject {
    Q_OBJECT
public:
    // Starts the handler for target (a local path or an address). False, with the failure
    // reported, when no handler is installed or it cannot be started; true otherwise, the
    // outcome then arriving later. The run frees itself when the handler ends.
    static bool Start(const QString& target);
    // Handler runs started and not yet ended (for tests and orderly shutdown).
    static int RunningCount();
    // The reason shown for an exit status of xdg-open.
    static QString ExitReason(int exitStatus);
    // Without a desktop environment xdg-open runs the opened program in the foreground and
    // ends only with it, passing on its failure. A handler that ran longer than this window has
    // started what it opened, so a failure it reports after that is not reported as a failed
    // start. 10 seconds by default.
    static void SetStartWindow(int milliseconds);

private:
    explicit DefaultHandlerRun(const QString& target);
    ~DefaultHandlerRun() override;
    bool Launch(const QString& handler);
    void HandleFinished(int exitCode, QProcess::ExitStatus status);
    void HandleError(QProcess::ProcessError error);

    QString target_;
    QProcess process_;
    QElapsedTimer running_;
    bool done_ = false;
};

} // namespace pw
