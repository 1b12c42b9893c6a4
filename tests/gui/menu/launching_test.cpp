// Starting an item: the relative path and work dir rules, the verbs and the show commands.
#include <QDir>
#include <gtest/gtest.h>

#include "gui/platform/launch_test_support.h"
#include "menu/launching.h"
#include "platform/launch_failure.h"
#include "platform/shell_execute.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

// A link's path and work dir, relative or absolute, each resolved once: the script records the
// folder it runs in and that it ran, so a path resolved twice (or against the wrong folder)
// starts nothing and fails the comparison.
TEST(Launching, RelativeAndAbsolutePathsWithAndWithoutWorkDirStartTheRightFile) {
    test::TempDir program;
    std::vector<QString> failures;
    SetLaunchFailureHandler([&](const QString& what, const QString&) { failures.push_back(what); });
    const std::string script = program.write("tools/run.sh", "#!/bin/sh\npwd > \"$1\"\n");
    test::MakeExecutable(script);
    const std::string work = program.mkdir("work");
    const std::string tools =
        QDir(QString::fromStdString(program.path() + "tools")).canonicalPath().toStdString();
    const std::string workReal = QDir(QString::fromStdString(work)).canonicalPath().toStdString();

    struct Case {
        std::string path, workDir, expectedFolder;
    };
    const Case cases[] = {
        {script, "", tools},              // absolute, no work dir: its own folder
        {script, work, workReal},         // absolute, work dir
        {"tools/run.sh", "", tools},      // relative, no work dir: below the program folder
        {"tools/run.sh", work, workReal}, // relative, work dir
        {"./tools/../tools/run.sh", "", tools},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string marker = program.path() + "marker" + std::to_string(n++);
        EXPECT_TRUE(CallExternal(c.path, "'" + marker + "'", c.workDir, false, 0, program.path()))
            << c.path;
        ASSERT_TRUE(test::WaitUntil([&] { return !test::SlurpFile(marker).empty(); })) << c.path;
        EXPECT_EQ(test::SlurpFile(marker), c.expectedFolder + "\n")
            << c.path << " in " << c.workDir;
    }
    EXPECT_TRUE(failures.empty());

    const LaunchPlan plan =
        PlanCallExternal("tools/run.sh", "", "", false, 0, true, program.path());
    EXPECT_EQ(plan.File, program.path() + "tools/run.sh");
    EXPECT_EQ(plan.Directory, program.path() + "tools");
    // A bare program name that the program folder does not hold is looked up on PATH; addresses
    // are left alone.
    EXPECT_EQ(ResolveLaunchPath("firefox", program.path()), "firefox");
    EXPECT_EQ(ResolveLaunchPath("run.sh", program.path() + "tools/"),
              program.path() + "tools/run.sh");
    EXPECT_EQ(ResolveLaunchPath("mailto:a@example.org", program.path()), "mailto:a@example.org");
    EXPECT_EQ(ResolveLaunchPath("smb://server/share", program.path()), "smb://server/share");
    SetLaunchFailureHandler(nullptr);
}

TEST(Launching, WithoutWorkDirAProgramStartsInItsFolder) {
    EXPECT_EQ(PlanCallExternal("/app", "", "", false, 0, true, "").Directory, "/");
    EXPECT_EQ(PlanCallExternal("/opt/tools/app", "-x", "", false, 0, true, "").Directory,
              "/opt/tools");
    EXPECT_EQ(PlanCallExternal("/opt/tools/app", "", "/srv", false, 0, true, "").Directory, "/srv");
    // A web address gets whatever the rule yields; the browser does not use it.
    EXPECT_EQ(PlanCallExternal("https://example.org/page", "", "", false, 0, true, "").Directory,
              "https://example.org");
    EXPECT_EQ(DirectoryOfPath("app"), "");
}

TEST(Launching, VerbFollowsRunAsTheSystemAndRdpFiles) {
    EXPECT_EQ(PlanCallExternal("/opt/app", "", "", false, 0, true, "").Verb, "open");
    EXPECT_EQ(PlanCallExternal("/opt/app", "", "", true, 0, true, "").Verb, "runas");
    EXPECT_EQ(PlanCallExternal("/opt/app", "", "", true, 0, false, "").Verb, "open");
    EXPECT_EQ(PlanCallExternal("/home/u/office.RDP", "", "", true, 0, true, "").Verb, "connect");
    EXPECT_EQ(PlanCallExternal("/home/u/office.rdp", "", "", false, 0, true, "").Verb, "connect");
}

TEST(Launching, WindowStatesMapToStartModesAndShowCommands) {
    EXPECT_EQ(StartModeOf("WindowMax"), 1);
    EXPECT_EQ(StartModeOf("WindowMin"), 2);
    EXPECT_EQ(StartModeOf("WindowHid"), 3);
    EXPECT_EQ(StartModeOf(""), 0);
    EXPECT_EQ(StartModeOf("windowmax"), 0) << "window-state words compare exactly";
    EXPECT_EQ(PlanCallExternal("/a", "", "", false, 1, true, "").ShowCmd, SW_SHOWMAXIMIZED);
    EXPECT_EQ(PlanCallExternal("/a", "", "", false, 2, true, "").ShowCmd, SW_SHOWMINIMIZED);
    EXPECT_EQ(PlanCallExternal("/a", "", "", false, 3, true, "").ShowCmd, SW_HIDE);
    EXPECT_EQ(PlanCallExternal("/a", "", "", false, 0, true, "").ShowCmd, SW_SHOWDEFAULT);
}

} // namespace
} // namespace pw
