// The launcher: programs start directly with their parameters split into words and in their
// working folder, documents and addresses go to the default handler (a stub xdg-open here),
// failures are reported, and started programs get the environment of the program's start.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <cstdio>
#include <gtest/gtest.h>

#include "gui/platform/launch_test_support.h"
#include "platform/default_handler.h"
#include "platform/launch_failure.h"
#include "platform/shell_execute.h"
#include "platform/startup_environment.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

using test::WaitUntil;

struct Failure {
    QString what;
    QString why;
};

class ShellExecuteTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLaunchFailureHandler([this](const QString& what, const QString& why) {
            failures.push_back({what, why});
        });
        bin = tmp.mkdir("bin");
        // Only the stub folder: no real xdg-open or pkexec is ever reached. The scripts set
        // their own PATH for the tools they use.
        env.Set("PATH", QByteArray::fromStdString(bin));
        CaptureStartupEnvironment();
    }
    void TearDown() override {
        WaitUntil([] { return DefaultHandlerRun::RunningCount() == 0; });
        SetLaunchFailureHandler(nullptr);
    }

    // A stub named `name` in bin/ that appends its arguments (one per line) and the variable
    // PW_SET_AFTER to name.log, then exits with the given status.
    std::string WriteStub(const std::string& name, int status) {
        const std::string log = tmp.path() + name + ".log";
        const std::string path = tmp.write(
            "bin/" + name,
            "#!/bin/sh\nPATH=/usr/bin:/bin\n{ for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; "
            "echo \"after=${PW_SET_AFTER:-unset}\"; } >> '" +
                log + "'\nexit " + std::to_string(status) + "\n");
        test::MakeExecutable(path);
        return path;
    }
    // A script that writes its working folder and its arguments into ./marker.txt, whole.
    std::string WriteMarkerScript(const std::string& relative, bool executable = true) {
        const std::string path = tmp.write(
            relative,
            "#!/bin/sh\nPATH=/usr/bin:/bin\n{ pwd; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; "
            "done; echo \"before=${PW_SET_BEFORE:-unset}\"; "
            "echo \"after=${PW_SET_AFTER:-unset}\"; "
            "echo \"startup=${DESKTOP_STARTUP_ID:-unset}/${XDG_ACTIVATION_TOKEN:-unset}\"; } "
            "> marker.tmp\n"
            "mv marker.tmp marker.txt\n");
        if (executable) {
            test::MakeExecutable(path);
        }
        return path;
    }
    std::string WaitForFile(const std::string& path) {
        WaitUntil([&] { return QFile::exists(QString::fromStdString(path)); });
        return test::SlurpFile(path);
    }
    bool HandlerDone() {
        return WaitUntil([] { return DefaultHandlerRun::RunningCount() == 0; });
    }

    test::TempDir tmp;
    test::EnvironmentGuard env;
    std::string bin;
    std::vector<Failure> failures;
};

TEST_F(ShellExecuteTest, ProgramStartsWithShellSplitParametersInItsWorkingFolder) {
    const std::string script = WriteMarkerScript("with space/run me.sh");
    const std::string work = tmp.mkdir("work folder");
    const intptr_t result =
        ShellExecute("open", script, R"(plain "two words" 'single quoted' "say \"hi\"" a\ b)", work,
                     SW_SHOWNORMAL);
    EXPECT_GT(result, 32);
    const std::string marker = WaitForFile(work + "marker.txt");
    const std::string expectedFolder =
        QDir(QString::fromStdString(work)).canonicalPath().toStdString();
    EXPECT_EQ(marker, expectedFolder +
                          "\n[plain]\n[two words]\n[single quoted]\n[say \"hi\"]\n[a b]\n"
                          "before=unset\nafter=unset\nstartup=unset/unset\n");
    EXPECT_TRUE(failures.empty());
}

TEST_F(ShellExecuteTest, ShellScriptWithoutExecuteBitRunsThroughItsInterpreter) {
    const std::string script = WriteMarkerScript("plain.sh", false);
    const std::string work = tmp.mkdir("w");
    EXPECT_GT(ShellExecute("open", script, "x", work, SW_SHOWDEFAULT), 32);
    const std::string marker = WaitForFile(work + "marker.txt");
    EXPECT_NE(marker.find("\n[x]\n"), std::string::npos) << marker;
    EXPECT_TRUE(failures.empty());
}

TEST_F(ShellExecuteTest, BareProgramNameIsFoundOnThePath) {
    WriteMarkerScript("bin/pw-marker-tool");
    const std::string work = tmp.mkdir("w");
    EXPECT_GT(ShellExecute("open", "pw-marker-tool", "1", work, SW_SHOWNORMAL), 32);
    EXPECT_NE(WaitForFile(work + "marker.txt").find("[1]"), std::string::npos);
}

TEST_F(ShellExecuteTest, MissingProgramIsReportedAndFails) {
    const std::string missing = tmp.path() + "no such program";
    const intptr_t result = ShellExecute("open", missing, "", tmp.path(), SW_SHOWNORMAL);
    EXPECT_EQ(result, SE_ERR_FNF);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].what.toStdString(), missing);
    EXPECT_FALSE(failures[0].why.isEmpty());

    EXPECT_LE(ShellExecute("open", "", "", "", SW_SHOWNORMAL), 32);
    EXPECT_EQ(failures.size(), 2u);
}

TEST_F(ShellExecuteTest, MissingWorkingFolderIsReportedAndNothingStarts) {
    const std::string script = WriteMarkerScript("s/run.sh");
    const std::string gone = tmp.path() + "gone/";
    EXPECT_EQ(ShellExecute("open", script, "", gone, SW_SHOWNORMAL), SE_ERR_PNF);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_TRUE(failures[0].why.contains(QString::fromStdString(gone)));
}

TEST_F(ShellExecuteTest, FileThatCannotBeExecutedIsReported) {
    // An execute bit on bytes that are no program and no script.
    const std::string path = tmp.write("broken", std::string("\x7f"
                                                             "ELF garbage",
                                                             12));
    test::MakeExecutable(path);
    EXPECT_LE(ShellExecute("open", path, "", tmp.path(), SW_SHOWNORMAL), 32);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].what.toStdString(), path);
    EXPECT_FALSE(failures[0].why.isEmpty());
}

TEST_F(ShellExecuteTest, DocumentFolderAndAddressGoToTheDefaultHandler) {
    WriteStub("xdg-open", 0);
    const std::string doc = tmp.write("notes file.txt", "text");
    const std::string folder = tmp.mkdir("a folder");
    EXPECT_GT(ShellExecute("open", doc, "ignored", "", SW_SHOWNORMAL), 32);
    ASSERT_TRUE(HandlerDone());
    EXPECT_GT(ShellExecute("open", folder, "", "", SW_SHOWNORMAL), 32);
    ASSERT_TRUE(HandlerDone());
    EXPECT_GT(ShellExecute("open", " www.example.com/a?b=c", "", "", SW_SHOWNORMAL), 32);
    ASSERT_TRUE(HandlerDone());
    EXPECT_GT(ShellExecute("open", "mailto:someone@example.com", "", "", SW_SHOWNORMAL), 32);
    ASSERT_TRUE(HandlerDone());
    const std::string folderPath =
        QDir(QString::fromStdString(folder)).absolutePath().toStdString();
    EXPECT_EQ(tmp.read("xdg-open.log"), "[" + doc + "]\nafter=unset\n[" + folder +
                                            "]\nafter=unset\n[http://www.example.com/a?b=c]\n"
                                            "after=unset\n[mailto:someone@example.com]\n"
                                            "after=unset\n");
    EXPECT_TRUE(failures.empty());
}

TEST_F(ShellExecuteTest, FailingDefaultHandlerIsReportedWhenItEnds) {
    WriteStub("xdg-open", 3);
    const std::string doc = tmp.write("unknown.zzq", "x");
    // The handler is running, so the start itself succeeds; the failure arrives later.
    EXPECT_GT(ShellExecute("open", doc, "", "", SW_SHOWNORMAL), 32);
    ASSERT_TRUE(WaitUntil([&] { return !failures.empty(); }));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].what.toStdString(), doc);
    EXPECT_EQ(failures[0].why, DefaultHandlerRun::ExitReason(3));
    EXPECT_NE(tmp.read("xdg-open.log").find("[" + doc + "]"), std::string::npos);
}

TEST_F(ShellExecuteTest, HandlerFailureAfterTheStartWindowIsTheOpenedProgramsOwn) {
    // A handler that ran the opened program in the foreground and passes on its exit status.
    const std::string handler =
        tmp.write("bin/xdg-open", "#!/bin/sh\nPATH=/usr/bin:/bin\nsleep 0.6\necho done > '" +
                                      tmp.path() + "ran'\nexit 4\n");
    test::MakeExecutable(handler);
    DefaultHandlerRun::SetStartWindow(200);
    EXPECT_GT(ShellExecute("open", tmp.write("doc.txt", "x"), "", "", SW_SHOWNORMAL), 32);
    EXPECT_TRUE(HandlerDone());
    DefaultHandlerRun::SetStartWindow(10000);
    EXPECT_EQ(tmp.read("ran"), "done\n");
    EXPECT_TRUE(failures.empty());
}

TEST_F(ShellExecuteTest, NoDefaultHandlerInstalledFailsAtOnce) {
    const std::string doc = tmp.write("a.txt", "x");
    EXPECT_EQ(ShellExecute("open", doc, "", "", SW_SHOWNORMAL), SE_ERR_NOASSOC);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_TRUE(failures[0].why.contains("xdg-open"));
}

TEST_F(ShellExecuteTest, ConnectOpensEvenAProgramWithTheDefaultHandler) {
    WriteStub("xdg-open", 0);
    const std::string script = WriteMarkerScript("session.sh");
    EXPECT_GT(ShellExecute("connect", script, "", tmp.path(), SW_SHOWNORMAL), 32);
    ASSERT_TRUE(HandlerDone());
    EXPECT_EQ(tmp.read("xdg-open.log"), "[" + script + "]\nafter=unset\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(tmp.path() + "marker.txt")));
}

TEST_F(ShellExecuteTest, RunAsGoesThroughPkexecKeepingTheDisplay) {
    WriteStub("pkexec", 0);
    const std::string script = WriteMarkerScript("admin.sh");
    env.Set("DISPLAY", ":77");
    env.Set("XAUTHORITY", "/run/user/x/xauth cookie");
    CaptureStartupEnvironment();
    EXPECT_GT(ShellExecute("runas", script, "-v 'x y'", tmp.path(), SW_SHOWNORMAL), 32);
    ASSERT_TRUE(
        WaitUntil([&] { return tmp.read("pkexec.log").find("after=") != std::string::npos; }));
    EXPECT_EQ(tmp.read("pkexec.log"), "[/usr/bin/env]\n[DISPLAY=:77]\n"
                                      "[XAUTHORITY=/run/user/x/xauth cookie]\n[" +
                                          script + "]\n[-v]\n[x y]\nafter=unset\n");

    // Without an authority file named, the display's default cookie in the home goes along;
    // without a display, nothing is added.
    std::remove((tmp.path() + "pkexec.log").c_str());
    env.Unset("XAUTHORITY");
    env.Set("HOME", QByteArray::fromStdString(tmp.mkdir("home")));
    const std::string cookie = tmp.write("home/.Xauthority", "c");
    CaptureStartupEnvironment();
    EXPECT_GT(ShellExecute("runas", script, "", tmp.path(), SW_SHOWNORMAL), 32);
    ASSERT_TRUE(
        WaitUntil([&] { return tmp.read("pkexec.log").find("after=") != std::string::npos; }));
    EXPECT_EQ(tmp.read("pkexec.log"), "[/usr/bin/env]\n[DISPLAY=:77]\n[XAUTHORITY=" + cookie +
                                          "]\n[" + script + "]\nafter=unset\n");

    std::remove((tmp.path() + "pkexec.log").c_str());
    env.Unset("DISPLAY");
    CaptureStartupEnvironment();
    EXPECT_GT(ShellExecute("runas", script, "", tmp.path(), SW_SHOWNORMAL), 32);
    ASSERT_TRUE(
        WaitUntil([&] { return tmp.read("pkexec.log").find("after=") != std::string::npos; }));
    EXPECT_EQ(tmp.read("pkexec.log"), "[" + script + "]\nafter=unset\n");
}

TEST_F(ShellExecuteTest, RunAsWithoutPkexecStartsPlainly) {
    const std::string script = WriteMarkerScript("admin.sh");
    const std::string work = tmp.mkdir("w");
    EXPECT_GT(ShellExecute("runas", script, "p", work, SW_SHOWNORMAL), 32);
    EXPECT_NE(WaitForFile(work + "marker.txt").find("[p]"), std::string::npos);
}

TEST_F(ShellExecuteTest, StartedProcessesGetTheEnvironmentOfTheSnapshot) {
    WriteStub("xdg-open", 0);
    env.Set("PW_SET_BEFORE", "kept");
    env.Unset("PW_SET_AFTER");
    // The start-up notification of the program's own start is not handed on.
    env.Set("DESKTOP_STARTUP_ID", "pathwick-1_TIME42");
    env.Set("XDG_ACTIVATION_TOKEN", "token-of-our-start");
    CaptureStartupEnvironment();
    // Set for the program's own sake after the start: must not reach what it starts.
    env.Set("PW_SET_AFTER", "leaked");

    const std::string script = WriteMarkerScript("envtest.sh");
    const std::string work = tmp.mkdir("w");
    EXPECT_GT(ShellExecute("open", script, "", work, SW_SHOWNORMAL), 32);
    const std::string marker = WaitForFile(work + "marker.txt");
    EXPECT_NE(marker.find("before=kept\n"), std::string::npos) << marker;
    EXPECT_NE(marker.find("after=unset\n"), std::string::npos) << marker;
    EXPECT_NE(marker.find("startup=unset/unset\n"), std::string::npos) << marker;

    const std::string doc = tmp.write("d.txt", "x");
    EXPECT_GT(ShellExecute("open", doc, "", "", SW_SHOWNORMAL), 32);
    ASSERT_TRUE(HandlerDone());
    EXPECT_EQ(tmp.read("xdg-open.log"), "[" + doc + "]\nafter=unset\n");
}

TEST(LaunchFailure, DefaultShowsAWarningBoxNamingWhatAndWhy) {
    SetLaunchFailureHandler(nullptr);
    ReportLaunchFailure("/opt/tool", "the file does not exist.");
    QMessageBox* shown = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
            shown = box;
        }
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), LaunchFailureText("/opt/tool", "the file does not exist."));
    EXPECT_TRUE(shown->text().contains("/opt/tool"));
    EXPECT_EQ(shown->icon(), QMessageBox::Warning);
    shown->close();
}

TEST(LaunchFailure, FileNamesAndReasonsAreShownAsPlainTextNeverAsMarkup) {
    SetLaunchFailureHandler(nullptr);
    ReportLaunchFailure("/tmp/<b>x</b>", "<img src=\"/etc/passwd\">");
    QMessageBox* shown = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
            shown = box;
        }
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->textFormat(), Qt::PlainText);
    auto* label = shown->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->text().contains("<b>x</b>"));
    shown->close();
}

} // namespace
} // namespace pw
