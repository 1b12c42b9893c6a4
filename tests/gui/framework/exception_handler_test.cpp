// Errors that escape an event handler are logged and offered to the user with the support page;
// the program goes on.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

#include "framework/ui/application.h"
#include "support/gui/module_fixture.h"
#include "util/text_files.h"

namespace pw {
namespace {

class Thrower : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Disk full?\r\nRetry & continue");
        return QObject::event(e);
    }
};

class ExceptionHandlerTest : public test::ModuleFixture {};

TEST_F(ExceptionHandlerTest, EscapedErrorIsLoggedAndShownAndTheProgramGoesOn) {
    auto* app = qobject_cast<TApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr) << "the gui tests run on the program's application class";
    StartModule();
    Thrower thrower;
    thrower.setObjectName("thrower");
    QString shown;
    // Answer "No" to the error dialog as soon as it is up.
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown = box->text();
        box->button(QMessageBox::No)->click();
    });
    QEvent event(QEvent::User);
    EXPECT_FALSE(app->notify(&thrower, &event));
    EXPECT_TRUE(shown.startsWith("Error occured: \"Disk full?"));
    EXPECT_TRUE(shown.endsWith("Open browser to view more information?"));

    const std::string log = ReadFileBytes(module->Paths().LogFile);
    EXPECT_NE(log.find("--Exception--"), std::string::npos);
    EXPECT_NE(log.find("Exception Class Name: std::runtime_error"), std::string::npos);
    EXPECT_NE(log.find("Sender Name: thrower"), std::string::npos);
}

} // namespace
} // namespace pw
