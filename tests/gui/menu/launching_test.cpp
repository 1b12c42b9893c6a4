// Starting an item: the work dir rule, the verbs and the show commands.
#include <gtest/gtest.h>

#include "menu/launching.h"
#include "platform/shell_execute.h"

namespace pw {
namespace {

TEST(Launching, WithoutWorkDirAProgramStartsInItsFolder) {
    EXPECT_EQ(PlanCallExternal("/app", "", "", false, 0, true).Directory, "/");
    EXPECT_EQ(PlanCallExternal("/opt/tools/app", "-x", "", false, 0, true).Directory, "/opt/tools");
    EXPECT_EQ(PlanCallExternal("/opt/tools/app", "", "/srv", false, 0, true).Directory, "/srv");
    // A web address gets whatever the rule yields; the browser does not use it.
    EXPECT_EQ(PlanCallExternal("https://example.org/page", "", "", false, 0, true).Directory,
              "https://example.org");
    EXPECT_EQ(DirectoryOfPath("app"), "");
}

TEST(Launching, VerbFollowsRunAsTheSystemAndRdpFiles) {
    EXPECT_EQ(PlanCallExternal("/opt/app", "", "", false, 0, true).Verb, "open");
    EXPECT_EQ(PlanCallExternal("/opt/app", "", "", true, 0, true).Verb, "runas");
    EXPECT_EQ(PlanCallExternal("/opt/app", "", "", true, 0, false).Verb, "open");
    EXPECT_EQ(PlanCallExternal("/home/u/office.RDP", "", "", true, 0, true).Verb, "connect");
    EXPECT_EQ(PlanCallExternal("/home/u/office.rdp", "", "", false, 0, true).Verb, "connect");
}

TEST(Launching, WindowStatesMapToStartModesAndShowCommands) {
    EXPECT_EQ(StartModeOf("WindowMax"), 1);
    EXPECT_EQ(StartModeOf("WindowMin"), 2);
    EXPECT_EQ(StartModeOf("WindowHid"), 3);
    EXPECT_EQ(StartModeOf(""), 0);
    EXPECT_EQ(StartModeOf("windowmax"), 0) << "window-state words compare exactly";
    EXPECT_EQ(PlanCallExternal("/a", "", "", false, 1, true).ShowCmd, SW_SHOWMAXIMIZED);
    EXPECT_EQ(PlanCallExternal("/a", "", "", false, 2, true).ShowCmd, SW_SHOWMINIMIZED);
    EXPECT_EQ(PlanCallExternal("/a", "", "", false, 3, true).ShowCmd, SW_HIDE);
    EXPECT_EQ(PlanCallExternal("/a", "", "", false, 0, true).ShowCmd, SW_SHOWDEFAULT);
}

} // namespace
} // namespace pw
