#include "platform/default_handler.h"

#include "platform/launch_failure.h"
#include "platform/startup_environment.h"

namespace pw {

namespace {

int& Running() {
    static int running = 0;
    return running;
}

int& StartWindow() {
    static int window = 10000;
    return window;
}

} // namespace

bool DefaultHandlerRun::Start(const QString& target) {
    const QString handler = FindProgramOnStartupPath(QStringLiteral("xdg-open"));
    if (handler.isEmpty()) {
        ReportLaunchFailure(target, QStringLiteral("no program to open it is installed "
                                                   "(xdg-open was not found)."));
        return false;
    }
    // Not parented: a handler that is still running when the program ends is left alone
    // rather than killed with its owner.
    auto* run = new DefaultHandlerRun(target);
    return run->Launch(handler);
}

int DefaultHandlerRun::RunningCount() {
    return Running();
}

void DefaultHandlerRun::SetStartWindow(int milliseconds) {
    StartWindow() = milliseconds;
}

QString DefaultHandlerRun::ExitReason(int exitStatus) {
    switch (exitStatus) {
    case 2:
        return QStringLiteral("the file does not exist.");
    case 3:
        return QStringLiteral("no program is set up to open it.");
    case 4:
        return QStringLiteral("the program that opens it failed.");
    default:
        return QStringLiteral("the default program reported an error (status %1).").arg(exitStatus);
    }
}

DefaultHandlerRun::DefaultHandlerRun(const QString& target) : target_(target) {
    ++Running();
    process_.setProcessEnvironment(StartupEnvironment());
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    connect(&process_, &QProcess::finished, this, &DefaultHandlerRun::HandleFinished);
    connect(&process_, &QProcess::errorOccurred, this, &DefaultHandlerRun::HandleError);
}

DefaultHandlerRun::~DefaultHandlerRun() {
    --Running();
}

bool DefaultHandlerRun::Launch(const QString& handler) {
    process_.setProgram(handler);
    process_.setArguments({target_});
    running_.start();
    process_.start();
    // A failed start comes through errorOccurred, at once or from the event loop; either way
    // it is reported there.
    return !done_;
}

void DefaultHandlerRun::HandleFinished(int exitCode, QProcess::ExitStatus status) {
    if (done_) {
        return;
    }
    done_ = true;
    const bool ok = status == QProcess::NormalExit && exitCode == 0;
    if (!ok && running_.elapsed() <= StartWindow()) {
        ReportLaunchFailure(target_, status == QProcess::NormalExit
                                         ? ExitReason(exitCode)
                                         : QStringLiteral("the default program was ended."));
    }
    deleteLater();
}

void DefaultHandlerRun::HandleError(QProcess::ProcessError error) {
    // Only a failed start is final here; crashes and the like end in HandleFinished.
    if (done_ || error != QProcess::FailedToStart) {
        return;
    }
    done_ = true;
    ReportLaunchFailure(target_, process_.errorString());
    deleteLater();
}

} // namespace pw
