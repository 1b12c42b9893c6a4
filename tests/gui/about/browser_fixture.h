#pragma once
// Shared set-up of the About, Check for updates and Help viewer tests: a running module whose
// web site is a loopback server the test starts, a stub xdg-open (and browsers) first on the
// PATH that record what they were asked to open, and answers to the message boxes that come up.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "gui/platform/launch_test_support.h"
#include "lang/language_controller.h"
#include "platform/default_handler.h"
#include "support/gui/loopback_http_server.h"
#include "support/gui/module_fixture.h"

namespace pw::test {

class BrowserFixture : public ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        ASSERT_TRUE(server.Start());
        environment.Set("PATHWICK_WEBSITE_URL", server.BaseUrl().toUtf8());
        bin = temp.mkdir("bin");
        WriteStub("xdg-open");
        // Only the stubs and the system's tools: no browser of this machine is found.
        environment.Set("PATH", QByteArray::fromStdString(bin) + ":/usr/bin:/bin");
        CaptureStartupEnvironment();
    }
    void TearDown() override {
        WaitUntil([] { return DefaultHandlerRun::RunningCount() == 0; }, 5000);
        ModuleFixture::TearDown();
    }

    // A stub program in bin/ that appends its arguments, one per line, to bin/<name>.log.
    void WriteStub(const std::string& name) {
        const std::string log = bin + name + ".log";
        temp.write("bin/" + name,
                   "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + log + "'; done\n");
        MakeExecutable(bin + name);
    }
    std::string StubLog(const std::string& name) { return temp.read("bin/" + name + ".log"); }

    // From now on, every message box that comes up is answered with the button; its texts
    // are collected in order.
    void AnswerMessageBoxes(QMessageBox::StandardButton button) {
        answer_ = button;
        if (answerTimer_)
            return;
        answerTimer_ = std::make_unique<QTimer>();
        answerTimer_->setInterval(30);
        QObject::connect(answerTimer_.get(), &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            messages.append(box->text());
            if (QAbstractButton* b = box->button(answer_))
                b->click();
            else
                box->reject();
        });
        answerTimer_->start();
    }

    // Every entry the windows registered in these sections of "UTF8_shared.ini" has its German
    // counterpart in the shipped language file.
    void ExpectGermanTextsFor(const std::vector<const char*>& sections) {
        ThvlgLanguageController& lang = module->Language();
        IniDocument* english =
            lang.GetLanguageFile("en-us", "UTF8_shared.ini", ThvlgFileMode::Read);
        IniDocument* german = lang.GetLanguageFile("de-de", "UTF8_shared.ini", ThvlgFileMode::Read);
        ASSERT_NE(english, nullptr);
        ASSERT_NE(german, nullptr);
        for (const char* section : sections) {
            const StringArray names = english->SectionEntryNames(section);
            EXPECT_FALSE(names.empty()) << section;
            for (const std::string& name : names)
                EXPECT_TRUE(german->ValueExists(section, name)) << section << " " << name;
        }
    }

    LoopbackHttpServer server;
    EnvironmentGuard environment;
    std::string bin;
    QStringList messages;

private:
    std::unique_ptr<QTimer> answerTimer_;
    QMessageBox::StandardButton answer_ = QMessageBox::Cancel;
};

} // namespace pw::test
