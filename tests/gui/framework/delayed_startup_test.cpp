// The delayed start-up: the Check for updates schedule, then the options applied.
#include <gtest/gtest.h>

#include "framework/options_file.h"
#include "framework/ui/data_module.h"
#include "support/gui/module_fixture.h"
#include "util/datetime.h"

namespace pw {
namespace {

class UpdatesWindow : public ThvFormGenericStructEx {
public:
    UpdatesWindow() { setObjectName("hvFormCheckUpdates"); }
};

class DelayedStartupTest : public test::ModuleFixture {
protected:
    // Starts with the schedule given, runs the delayed start-up, tells whether the window opened.
    bool UpdatesWindowOpens(int intervalDays, TDateTime last) {
        IniDocument ini;
        ini.WriteInteger("ProgramOptions.Miscellaneous", "CheckUpdatesInterval", intervalDays);
        ini.WriteString("ProgramOptions.Miscellaneous", "CheckUpdatesLast",
                        DateTimeToText(0, last));
        EXPECT_TRUE(SaveOptionsDocument(ini, dataFolder + "config/options.ini", {}));
        StartModule();
        module->CheckUpdatesWindowClass = [] { return CreateForm<UpdatesWindow>(); };
        ProcessEvents();
        EXPECT_EQ(module->State(), ModuleState::Running);
        const bool opened = module->CheckUpdatesForm;
        StopModule();
        return opened;
    }
};

TEST_F(DelayedStartupTest, UpdatesWindowOpensWhenDue) {
    const TDateTime now = NowLocal();
    EXPECT_TRUE(UpdatesWindowOpens(0, now)) << "interval 0: at every start";
    EXPECT_TRUE(UpdatesWindowOpens(7, now - 8));
    EXPECT_FALSE(UpdatesWindowOpens(7, now - 3));
    EXPECT_FALSE(UpdatesWindowOpens(-1, now - 1000)) << "a negative interval: never";
    EXPECT_FALSE(UpdatesWindowOpens(0, now + 2)) << "a last check in the future: never";
}

TEST_F(DelayedStartupTest, CommandLineSwitchesInAnyCaseWithOneDashOnly) {
    StartModule();
    module->HideRequested = module->ExitRequested = false;
    module->ParseCommandLine({"--hide", "/exit", "hide", "x-exit"});
    EXPECT_FALSE(module->HideRequested);
    EXPECT_FALSE(module->ExitRequested);
    module->ParseCommandLine({"  -HIDE ", "-Exit", "-unknown"});
    EXPECT_TRUE(module->HideRequested);
    EXPECT_TRUE(module->ExitRequested);
    module->HideRequested = module->ExitRequested = false; // keep the module running
}

} // namespace
} // namespace pw
