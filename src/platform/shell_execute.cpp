#include "platform/shell_execute.h"

#include "platform/default_handler.h"
#include "platform/launch_failure.h"
#include "platform/launch_target.h"
#include "platform/startup_environment.h"
#include "util/shell_link.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace pw {

namespace {

QStringList SplitParams(const std::string& params) {
    QStringList words;
    for (const std::string& word : SplitCommandLine(params)) {
        words.append(QString::fromStdString(word));
    }
    return words;
}

intptr_t StartProgram(const QString& program, const QStringList& arguments,
                      const QString& directory, const QString& shown) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(directory);
    process.setProcessEnvironment(StartupEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (process.startDetached(&pid)) {
        return kShellExecuteOk;
    }
    // The system's reason without the name of the failed call ("execv: Exec format error").
    QString why = process.errorString();
    const qsizetype colon = why.indexOf(QLatin1String(": "));
    if (colon > 0 && !why.left(colon).contains(QLatin1Char(' '))) {
        why = why.mid(colon + 2);
    }
    if (why.isEmpty() || why == QLatin1String("Unknown error")) {
        why = QStringLiteral("the program could not be executed.");
    }
    ReportLaunchFailure(shown, why);
    return SE_ERR_ACCESSDENIED;
}

// pkexec starts the program in a clean environment: without the display and its authority a
// graphical program cannot open its window, so both are handed on through env.
QStringList ElevatedPrefix(const QString& pkexec) {
    const QProcessEnvironment environment = StartupEnvironment();
    QStringList kept;
    const QString display = environment.value(QStringLiteral("DISPLAY"));
    if (!display.isEmpty()) {
        kept << QStringLiteral("DISPLAY=") + display;
    }
    QString authority = environment.value(QStringLiteral("XAUTHORITY"));
    if (authority.isEmpty() && !display.isEmpty()) {
        // The X server's default cookie file, which the root account would not look for.
        const QString home = environment.value(QStringLiteral("HOME"));
        const QString fallback = QDir::cleanPath(home + QStringLiteral("/.Xauthority"));
        if (!home.isEmpty() && QFileInfo(fallback).isFile()) {
            authority = fallback;
        }
    }
    if (!authority.isEmpty()) {
        kept << QStringLiteral("XAUTHORITY=") + authority;
    }
    QStringList prefix{pkexec};
    const QString env = QStandardPaths::findExecutable(
        QStringLiteral("env"), {QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
    if (!kept.isEmpty() && !env.isEmpty()) {
        prefix << env << kept;
    }
    return prefix;
}

intptr_t OpenWithHandler(const QString& target) {
    return DefaultHandlerRun::Start(target) ? kShellExecuteOk : SE_ERR_NOASSOC;
}

} // namespace

intptr_t ShellExecute(const std::string& verb, const std::string& file, const std::string& params,
                      const std::string& directory, int showCmd) {
    // An X11 program chooses its own window state; the show command has no carrier here.
    (void)showCmd;
    const QString shown = QString::fromStdString(file);
    const QString folder = QString::fromStdString(directory);
    const LaunchTarget target = ResolveLaunchTarget(shown, folder);
    const QString action = QString::fromStdString(verb).toLower();

    switch (target.Kind) {
    case LaunchKind::Missing:
        ReportLaunchFailure(shown, shown.isEmpty() ? QStringLiteral("no file was given.")
                                                   : QStringLiteral("the file does not exist."));
        return SE_ERR_FNF;
    case LaunchKind::Address:
    case LaunchKind::Document:
        return OpenWithHandler(target.Path);
    case LaunchKind::Program:
    case LaunchKind::Script:
        break;
    }
    if (action == QLatin1String("connect")) {
        return OpenWithHandler(target.Path);
    }
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        ReportLaunchFailure(
            shown, QStringLiteral("the working folder \"%1\" does not exist.").arg(folder));
        return SE_ERR_PNF;
    }

    QString program = target.Path;
    QStringList arguments = SplitParams(params);
    if (target.Kind == LaunchKind::Script) {
        arguments.prepend(program);
        program = QStringLiteral("/bin/sh");
    }
    if (action == QLatin1String("runas")) {
        const QString elevate = FindProgramOnStartupPath(QStringLiteral("pkexec"));
        if (!elevate.isEmpty()) {
            QStringList prefix = ElevatedPrefix(elevate);
            arguments.prepend(program);
            program = prefix.takeFirst();
            arguments = prefix + arguments;
        }
    }
    return StartProgram(program, arguments, folder, shown);
}

} // namespace pw
