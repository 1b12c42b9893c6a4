#include "support/gui/module_fixture.h"

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>

namespace pw::test {

void ModuleFixture::SetUp() {
    const std::string home = temp.mkdir("home");
    SetVariable("HOME", home);
    SetVariable("XDG_CONFIG_HOME", home + ".config");
    SetVariable("XDG_DATA_HOME", home + ".local/share");
    // The instance lock and endpoint live in the temporary folder: each test has its own.
    SetVariable("TMPDIR", temp.mkdir("tmp"));
    SetVariable("XDG_RUNTIME_DIR", temp.mkdir("runtime"));
    programFolder = temp.mkdir("program");
    std::error_code ec;
    std::filesystem::copy(std::string(PATHWICK_SOURCE_DIR) + "/data/trans", programFolder + "trans",
                          std::filesystem::copy_options::recursive, ec);
    dataFolder = home + "Documents/Halvorn-Ek/Pathwick/";
}

void ModuleFixture::TearDown() {
    StopModule();
    for (auto it = savedEnvironment_.rbegin(); it != savedEnvironment_.rend(); ++it) {
        if (it->second)
            setenv(it->first.c_str(), it->second->c_str(), 1);
        else
            unsetenv(it->first.c_str());
    }
    savedEnvironment_.clear();
}

void ModuleFixture::SetVariable(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    savedEnvironment_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, value.c_str(), 1);
}

void ModuleFixture::StartModule() {
    DataPathInputs inputs;
    inputs.ProgramFolder = programFolder;
    inputs.DocumentsFolder = temp.path() + "home/Documents/";
    inputs.GenericDataFolder = temp.path() + "home/.local/share/";
    module = std::make_unique<TModuleShared>(nullptr, inputs);
}

void ModuleFixture::StopModule() {
    module.reset();
}

void ModuleFixture::ProcessEvents() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace pw::test
