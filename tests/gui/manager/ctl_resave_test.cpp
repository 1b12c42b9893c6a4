// pathwick-ctl resave caches the same pictures as a save from the program: the icon theme's,
// on the colours the program shows them on; with --no-icons it leaves the cache files alone.
#include <QApplication>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>

#include "items/bitmap_file.h"
#include "items/icon_source.h"
#include "manager/form_front.h"
#include "support/gui/module_fixture.h"
#include "util/paths.h"
#include "util/text_files.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

// Every file below folder with its bytes, by path relative to it.
std::map<std::string, std::string> Files(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().string().substr(folder.size())] =
                ReadFileBytes(entry.path().string());
    return files;
}

int RunCtl(const std::string& args) {
    const std::string command =
        std::string(PATHWICK_BIN_DIR) + "/pathwick-ctl " + args + " >/dev/null 2>&1";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

struct timespec ModifiedAt(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mtim;
}

class CtlResaveTest : public test::ModuleFixture {};

TEST_F(CtlResaveTest, CachesThePicturesTheProgramsSaveCaches) {
    if (!FileExists(std::string(PATHWICK_BIN_DIR) + "/pathwick-ctl"))
        GTEST_SKIP() << "pathwick-ctl is not built";
    // A program with an application entry (its icon comes from the theme by name), one
    // without (the theme's program icon), one whose picture is cached already, one gone.
    const std::string tool = temp.write("bin/tool", "#!/bin/sh\n");
    const std::string plain = temp.write("bin/plain", "#!/bin/sh\n");
    const std::string cached = temp.write("bin/cached", "#!/bin/sh\n");
    for (const std::string& p : {tool, plain, cached})
        chmod(p.c_str(), 0755);
    temp.write("home/.local/share/applications/tool.desktop",
               "[Desktop Entry]\nType=Application\nName=Tool\nExec=" + tool +
                   " %F\nIcon=utilities-terminal\n");
    items::Picture red(16, 16);
    for (auto& px : red.Pixels)
        px = 0xFFCC2020u;
    const std::string shortcuts = "home/Documents/Halvorn-Ek/Pathwick/shortcuts/";
    const std::string records =
        "^ExeLnk|" + tool + "||x.bmp|Tool||\r\n^ExeLnk|" + plain +
        "||plain.bmp|Plain||\r\n^ExeLnk|" + cached +
        "||cached.bmp|Cached||\r\n^ExeLnk|/no/gone.exe||gone.bmp|Gone||\r\n";
    temp.write(shortcuts + "shortcuts-utf8.txt", records);
    temp.write(shortcuts + "cached.bmp", items::EncodeBmp(red));
    temp.write("ctl/shortcuts/shortcuts-utf8.txt", records);
    temp.write("ctl/shortcuts/cached.bmp", items::EncodeBmp(red));

    StartModule();
    auto* front = qobject_cast<TFormFront*>(module->MainForm.data());
    ASSERT_NE(front, nullptr);
    ASSERT_TRUE(front->Store().SaveItems(true));
    ASSERT_EQ(RunCtl("resave --data " + temp.path() + "ctl"), 0);

    const std::map<std::string, std::string> program = Files(temp.path() + shortcuts);
    const std::map<std::string, std::string> ctl = Files(temp.path() + "ctl/shortcuts/");
    ASSERT_EQ(program.size(), 9u); // the shortcut file and two pictures per link
    for (const auto& [name, bytes] : program) {
        ASSERT_EQ(ctl.count(name), 1u) << name;
        EXPECT_TRUE(ctl.at(name) == bytes) << name << " differs from the program's";
    }
    // Not a stand-in square: the theme's picture of the program.
    items::PlainIconSource placeholders;
    items::Picture square = items::FilledPicture(16, 16, front->Store().Images.MenuColour);
    items::DrawPicture(square, *placeholders.SmallIcon(plain), 0, 0);
    EXPECT_TRUE(ctl.at("plain.bmp") != items::EncodeBmp(square)) << "a stand-in square";
    EXPECT_TRUE(ctl.at("tool.bmp") != ctl.at("plain.bmp"))
        << "the entry's icon, not the generic one";
    EXPECT_TRUE(ctl.at("cached.bmp") == items::EncodeBmp(red)) << "the cached picture stays";

    // Without icons: the cache files keep their bytes and their times, and the records still
    // name them (the shortcut file is rewritten, here from LF line ends).
    std::string lf = ReadFileBytes(temp.path() + "ctl/shortcuts/shortcuts-utf8.txt");
    const std::string written = lf;
    for (size_t at; (at = lf.find("\r\n")) != std::string::npos;)
        lf.erase(at, 1);
    ASSERT_TRUE(WriteFileBytes(temp.path() + "ctl/shortcuts/shortcuts-utf8.txt", lf));
    std::map<std::string, struct timespec> times;
    for (const auto& [name, bytes] : ctl)
        times[name] = ModifiedAt(temp.path() + "ctl/shortcuts/" + name);
    ASSERT_EQ(RunCtl("resave --no-icons --data " + temp.path() + "ctl"), 0);
    const std::map<std::string, std::string> after = Files(temp.path() + "ctl/shortcuts/");
    EXPECT_EQ(after.at("shortcuts-utf8.txt"), written);
    ASSERT_EQ(after.size(), ctl.size());
    for (const auto& [name, bytes] : ctl) {
        if (name == "shortcuts-utf8.txt")
            continue;
        EXPECT_TRUE(after.at(name) == bytes) << name;
        const struct timespec t = ModifiedAt(temp.path() + "ctl/shortcuts/" + name);
        EXPECT_TRUE(t.tv_sec == times[name].tv_sec && t.tv_nsec == times[name].tv_nsec) << name;
    }
}

} // namespace
} // namespace pw
