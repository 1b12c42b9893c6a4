#include "platform/launch_failure.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace pw {

namespace {

LaunchFailureHandler& Handler() {
    static LaunchFailureHandler handler;
    return handler;
}

void ShowDefault(const QString& what, const QString& why) {
    const QString text = LaunchFailureText(what, why);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        // Non-modal, so a failed start never holds up the menu or the tray icon.
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Pathwick"), text,
                                    QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        // The file name and the system's reason are shown as they are, never as markup.
        box->setTextFormat(Qt::PlainText);
        box->show();
        return;
    }
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

} // namespace

void SetLaunchFailureHandler(LaunchFailureHandler handler) {
    Handler() = std::move(handler);
}

void ReportLaunchFailure(const QString& what, const QString& why) {
    if (Handler()) {
        Handler()(what, why);
    } else {
        ShowDefault(what, why);
    }
}

QString LaunchFailureText(const QString& what, const QString& why) {
    return QStringLiteral("Could not start \"%1\": %2").arg(what, why);
}

} // namespace pw
