// Program entry of Pathwick.
#include <QMessageBox>
#include <cstdio>
#include <memory>

#include "app/ui/module_shared.h"
#include "framework/maker_info.h"
#include "framework/ui/application.h"
#include "platform/startup_environment.h"
#include "platform/termination_signals.h"

int main(int argc, char** argv) {
    // Programs started for the user get the environment as it is now, before Qt sets anything.
    pw::CaptureStartupEnvironment();
    pw::TApplication app(argc, argv);
    // The name the desktop shows for the program (a status notifier item's title, for one; it
    // would be the file name "pathwick" otherwise) and the desktop entry it is installed with.
    QCoreApplication::setApplicationName(
        QString::fromUtf8(pw::maker::ProgramNameShort.data(), pw::maker::ProgramNameShort.size()));
    QGuiApplication::setDesktopFileName(
        QString::fromUtf8(pw::maker::ApplicationId.data(), pw::maker::ApplicationId.size()));
    std::unique_ptr<pw::TModuleShared> module;
    try {
        module = std::make_unique<pw::TModuleShared>(nullptr, pw::ProgramDataPathInputs());
    } catch (const std::exception& e) {
        // Nothing runs without the module: report and end.
        std::fprintf(stderr, "pathwick: start-up failed: %s\n", e.what());
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Pathwick"),
                        QStringLiteral("Start-up failed: %1").arg(QString::fromUtf8(e.what())),
                        QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText); // the reason may name a path
        box.exec();
        return 1;
    }
    int status = 0;
    {
        // A session that ends sends SIGTERM: close in order, writing what a normal close writes.
        pw::TerminationSignals sessionEnd([&module] {
            if (module)
                module->RequestTermination();
        });
        if (!module->Terminating())
            status = app.exec();
    }
    module.reset(); // windows first, then the module writes the options file
    return status;
}
