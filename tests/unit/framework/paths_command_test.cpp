// pathwick-ctl paths, run as a separate program in a temporary home and program folder.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "framework/program_folder.h"
#include "support/temp_dir.h"
#include "util/paths.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the command through the shell; returns its standard output, and its exit status.
std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    int raw = pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

TEST(PathsCommand, ShowsAndSeedsThePerUserFoldersOfAnEmptyHome) {
    std::string built = std::string(PATHWICK_BIN_DIR) + "/pathwick-ctl";
    if (!FileExists(built))
        GTEST_SKIP() << "pathwick-ctl is not built";
    test::TempDir dir;
    std::string program = dir.mkdir("prog");
    fs::copy_file(built, program + "pathwick-ctl");
    dir.write("prog/config/options.ini", "[ProgramOptions.General]\r\nLanguageCulture=en-us\r\n");
    dir.write("prog/shortcuts/shortcuts-utf8.txt", "sample");
    std::string home = dir.mkdir("home");

    std::string command =
        "env -i HOME=" + ShellQuote(home) + " " + ShellQuote(program + "pathwick-ctl") + " paths";
    int status = 0;
    std::string output = RunCommand(command, status);
    ASSERT_EQ(status, 0) << output;
    std::string data = home + "Documents/Halvorn-Ek/Pathwick/";
    EXPECT_EQ(output, "binary-folder: " + program + "\n" + "program-folder: " + program + "\n" +
                          "program-folder-kind: beside-binary\n" + "language-folder: " + program +
                          "trans/\n" + "help-folder: " + program + "help/\n" +
                          "user-data-folder: " + data + "\n" + "core-data-folder: " + home +
                          ".local/share/Halvorn-Ek/Pathwick/\n" + "items-root: " + data +
                          "shortcuts/\n" + "options-file: " + data + "config/options.ini\n" +
                          "log-file: " + data + "logs/misc/program.log\n");
    EXPECT_EQ(test::SlurpFile(data + "shortcuts/shortcuts-utf8.txt"), "sample");
    EXPECT_NE(test::SlurpFile(data + "config/options.ini").find("LanguageCulture"),
              std::string::npos);

    // A second run overwrites nothing.
    dir.write("home/Documents/Halvorn-Ek/Pathwick/shortcuts/shortcuts-utf8.txt", "mine");
    dir.write("home/Documents/Halvorn-Ek/Pathwick/config/options.ini", "my options");
    std::string again = RunCommand(command, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(again, output);
    EXPECT_EQ(test::SlurpFile(data + "shortcuts/shortcuts-utf8.txt"), "mine");
    EXPECT_EQ(test::SlurpFile(data + "config/options.ini"), "my options");

    RunCommand(command + " extra 2>/dev/null", status);
    EXPECT_EQ(status, 2) << "paths takes no arguments";
}

// Installed, the binary in bin/ finds the data folder the build installs to, and seeds the new
// user's folder from there; the data folder itself is left as it was.
TEST(PathsCommand, AnInstalledBinaryUsesTheInstalledDataFolder) {
    std::string built = std::string(PATHWICK_BIN_DIR) + "/pathwick-ctl";
    if (!FileExists(built))
        GTEST_SKIP() << "pathwick-ctl is not built";
    test::TempDir dir;
    std::string bin = dir.mkdir("prefix/bin");
    fs::copy_file(built, bin + "pathwick-ctl");
    std::string shared = ResolveDots(bin + InstalledDataRelativeFolder());
    ASSERT_EQ(shared.rfind(dir.path(), 0), 0u) << "the data folder lies within the prefix";
    dir.write(shared.substr(dir.path().size()) + "trans/de-de/display.txt", "Deutsch");
    dir.write(shared.substr(dir.path().size()) + "shortcuts/shortcuts-utf8.txt", "sample");
    std::string home = dir.mkdir("home");

    int status = 0;
    std::string output = RunCommand("env -i HOME=" + ShellQuote(home) + " " +
                                        ShellQuote(bin + "pathwick-ctl") + " paths",
                                    status);
    ASSERT_EQ(status, 0) << output;
    EXPECT_NE(output.find("binary-folder: " + bin + "\nprogram-folder: " + shared +
                          "\nprogram-folder-kind: installed\nlanguage-folder: " + shared +
                          "trans/\nhelp-folder: " + shared + "help/\n"),
              std::string::npos)
        << output;
    EXPECT_EQ(test::SlurpFile(home + "Documents/Halvorn-Ek/Pathwick/shortcuts/shortcuts-utf8.txt"),
              "sample");
    EXPECT_FALSE(DirectoryExists(shared + "tips/")) << "nothing is created in the data folder";
}

} // namespace
} // namespace pw
