#pragma once
// A running application module for gui tests: a temporary home, data folder and program folder
// (with the shipped language files), and TModuleShared started on them.

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/ui/module_shared.h"
#include "support/temp_dir.h"

namespace pw::test {

class ModuleFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the module (the whole start-up up to the delayed part).
    void StartModule();
    // Ends it as the program does: windows first, then the module writes the options file.
    void StopModule();
    // Runs the event loop until pending events are handled.
    static void ProcessEvents();

    TempDir temp;
    std::string programFolder; // with trans/ copied from the source tree
    std::string dataFolder;    // the user data folder ("os" mode below the temporary home)
    std::unique_ptr<TModuleShared> module;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment_;
    void SetVariable(const char* name, const std::string& value);
};

} // namespace pw::test
