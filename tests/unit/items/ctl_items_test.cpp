// pathwick-ctl list, check and resave, run as the program itself (skipped when it is not built).
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "util/paths.h"

namespace {

struct Result {
    int status = -1;
    std::string out;
};

class CtlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctl = std::string(PATHWICK_BIN_DIR) + "/pathwick-ctl";
        if (!pw::FileExists(ctl))
            GTEST_SKIP() << "pathwick-ctl is not built";
        setenv("HOME", tmp.mkdir("home").c_str(), 1);
        setenv("XDG_DATA_HOME", tmp.mkdir("home/.local/share").c_str(), 1);
        unsetenv("PATHWICK_DATA");
        // add speaks to a running instance: none runs in this private runtime folder.
        const std::string runtime = tmp.mkdir("runtime");
        chmod(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        data = tmp.mkdir("data");
    }
    Result Run(const std::string& args, const std::string& folder = "") {
        Result r;
        const std::string cd = folder.empty() ? "" : "cd '" + folder + "' && ";
        std::FILE* p = popen((cd + ctl + " " + args + " 2>/dev/null").c_str(), "r");
        if (!p)
            return r;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            r.out.append(buf, n);
        int raw = pclose(p);
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return r;
    }
    pw::test::TempDir tmp;
    std::string ctl, data;
};

TEST_F(CtlTest, ListJsonShowsNodesImagesIdsAndAttributes) {
    tmp.mkdir("data/shortcuts/F");
    tmp.write("data/shortcuts/shortcuts-utf8.txt",
              "^Folder|F\r\n^SpeSep|Head\r\n^NetLnk|www.a.org|A|*WindowMin\r\n");
    tmp.write(
        "data/shortcuts/F/shortcuts-utf8.txt",
        "^NorSep|\r\n^UnkLnk|/no/x.pdf|pdf|X|\r\n^ExeLnk|/no/y.exe|-q|y.bmp|Y|/w|*UserRunAs\r\n");
    Result r = Run("list --json --data " + data);
    EXPECT_EQ(r.status, 0);
    // Type list: pdf then the nine fixed types, so "url" has picture 23 + 9; no picture for y.
    EXPECT_EQ(r.out,
              "[{\"kind\":\"top\",\"text\":\"\",\"image\":4,\"data\":-1},"
              "{\"kind\":\"folder\",\"text\":\"F\",\"image\":0,\"data\":-1,\"children\":["
              "{\"kind\":\"top\",\"text\":\"\",\"image\":4,\"data\":-1},"
              "{\"kind\":\"separator\",\"text\":\"---------------\",\"image\":2,\"data\":-1},"
              "{\"kind\":\"unknown\",\"text\":\"X\",\"image\":23,\"data\":0,\"path\":\"/no/x.pdf\","
              "\"window\":\"\"},"
              "{\"kind\":\"exe\",\"text\":\"Y\",\"image\":-1,\"data\":1,\"path\":\"/no/y.exe\","
              "\"params\":\"-q\",\"workdir\":\"/w\",\"window\":\"\",\"runas\":true}]},"
              "{\"kind\":\"heading\",\"text\":\"--Head--\",\"image\":3,\"data\":-1},"
              "{\"kind\":\"net\",\"text\":\"A\",\"image\":32,\"data\":2,\"path\":\"www.a.org\","
              "\"window\":\"WindowMin\"}]\n");
    Result text = Run("list --data " + data);
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("\n  exe Y [1] -> /no/y.exe\n"), std::string::npos) << text.out;
}

TEST_F(CtlTest, ResaveReproducesTheFilesAndKeepsUnchangedIcons) {
    const std::string app = tmp.write("bin/app.exe", "MZ");
    const std::string root = "^SpeSep|H\r\n^ExeLnk|" + app + "|-x|app.bmp|App|/w|*WindowMax\r\n" +
                             "^UnkLnk|/no/a.txt|txt|A|\r\n^NetLnk|https://x.org|X|\r\n^NorSep|\r\n";
    tmp.write("data/shortcuts/shortcuts-utf8.txt", root);
    tmp.write("data/shortcuts/app.bmp", std::string(100, 'x')); // unreadable: asked afresh
    ASSERT_EQ(Run("resave --data " + data).status, 0);
    std::string expected = root;
    expected.replace(expected.find("app.bmp"), 7, "app1.bmp");
    EXPECT_EQ(tmp.read("data/shortcuts/shortcuts-utf8.txt"), expected);
    EXPECT_TRUE(pw::FileExists(data + "shortcuts/app1.wc.bmp"));
    EXPECT_FALSE(pw::PathExists(data + "shortcuts/app.bmp"));
    const std::string picture = tmp.read("data/shortcuts/app1.bmp");
    ASSERT_EQ(Run("resave --data " + data).status, 0);
    EXPECT_EQ(tmp.read("data/shortcuts/shortcuts-utf8.txt"), expected);
    EXPECT_EQ(tmp.read("data/shortcuts/app1.bmp"), picture);
    // Without icons the cache files stay as they are, and the records still name them.
    ASSERT_EQ(Run("resave --no-icons --data " + data).status, 0);
    EXPECT_EQ(tmp.read("data/shortcuts/shortcuts-utf8.txt"), expected);
    EXPECT_EQ(tmp.read("data/shortcuts/app1.bmp"), picture);
    EXPECT_TRUE(pw::FileExists(data + "shortcuts/app1.wc.bmp"));
}

TEST_F(CtlTest, CheckListsGoneTargetsAndSetsTheStatus) {
    const std::string here = tmp.write("doc.txt", "x");
    tmp.mkdir("data/shortcuts/F");
    tmp.write("data/shortcuts/shortcuts-utf8.txt",
              "^Folder|F\r\n^UnkLnk|" + here + "|txt|Here|\r\n^NetLnk|https://gone|W|\r\n");
    Result ok = Run("check --data " + data);
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "");
    tmp.write("data/shortcuts/F/shortcuts-utf8.txt", "^UnkLnk|/no/such.pdf|pdf|Gone|\r\n^UnkLnk|" +
                                                         here + "/||NotADir|\r\n^UnkLnk||||\r\n");
    Result bad = Run("check --data " + data);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "F/Gone\t/no/such.pdf\nF/NotADir\t" + here + "/\n");
    // check changes nothing.
    EXPECT_EQ(tmp.read("data/shortcuts/F/shortcuts-utf8.txt"),
              "^UnkLnk|/no/such.pdf|pdf|Gone|\r\n^UnkLnk|" + here +
                  "/||NotADir|\r\n^UnkLnk||||\r\n");
}

TEST_F(CtlTest, BadArgumentsAndMissingFolders) {
    EXPECT_EQ(Run("list --frob").status, 2);
    EXPECT_EQ(Run("list --data").status, 2);
    EXPECT_EQ(Run("resave --data " + data + " extra").status, 2);
    EXPECT_EQ(Run("check --data " + tmp.path() + "nowhere").status, 1);
    EXPECT_EQ(Run("list --data " + tmp.path() + "nowhere").status, 1);
}

TEST_F(CtlTest, AddPrintsWhatADesktopEntryBecomesAndChangesNothing) {
    const std::string tool = tmp.write("bin/tool", "#!/bin/sh\n");
    chmod(tool.c_str(), 0755);
    const std::string entry = tmp.write(
        "apps/tool.desktop", "[Desktop Entry]\nType=Application\nName=The Tool\n"
                             "Exec=" +
                                 tool + " --open %F \"a b\"\nPath=/srv\nIcon=tool-icon\n");
    tmp.mkdir("apps/v1.0");
    Result r = Run("add --print --data " + data + " " + entry + " " + tmp.path() +
                   "apps/v1.0 www.example.org");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[{\"kind\":\"exe\",\"text\":\"The Tool\",\"path\":\"" + tool +
                         "\",\"params\":\"--open 'a b'\",\"workdir\":\"/srv/\",\"window\":\"\","
                         "\"runas\":false,\"picture\":\"icon:tool-icon\"},"
                         "{\"kind\":\"unknown\",\"text\":\"v1\",\"path\":\"" +
                         tmp.path() +
                         "apps/v1.0\",\"window\":\"\",\"picture\":\"file:" + tmp.path() +
                         "apps/v1.0\"},"
                         "{\"kind\":\"net\",\"text\":\"www.example.org\",\"path\":"
                         "\"www.example.org\",\"window\":\"\",\"picture\":\"type:url\"}]\n");
    EXPECT_FALSE(pw::PathExists(data + "shortcuts"));
}

TEST_F(CtlTest, AddWithoutAnInstanceSavesTheLinksAtTheEndOfTheFolder) {
    tmp.mkdir("data/shortcuts/Tools/Net");
    tmp.write("data/shortcuts/shortcuts-utf8.txt", "^Folder|Tools\r\n");
    const std::string tools = "^NetLnk|https://a.example/|A|\r\n^Folder|Net\r\n";
    tmp.write("data/shortcuts/Tools/shortcuts-utf8.txt", tools);
    const std::string doc = tmp.write("work/my doc.txt", "x");
    const std::string script = tmp.write("work/run.sh", "#!/bin/sh\n");

    // Mistakes change nothing and say so with status 2.
    EXPECT_EQ(Run("add --data " + data + " --folder Tools " + tmp.path() + "work/gone.txt").status,
              2);
    EXPECT_EQ(Run("add --data " + data + " --folder Tools/Nope '" + doc + "'").status, 2);
    EXPECT_EQ(Run("add --data " + data).status, 2);
    EXPECT_EQ(Run("add --data " + data + " --frob x").status, 2);
    EXPECT_EQ(tmp.read("data/shortcuts/Tools/shortcuts-utf8.txt"), tools);

    Result r =
        Run("add --data " + data + " --folder ' tools ' '" + doc + "' https://b.example/ run.sh",
            tmp.path() + "work");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(tmp.read("data/shortcuts/Tools/shortcuts-utf8.txt"),
              tools + "^UnkLnk|" + doc +
                  "|txt|my doc|\r\n^NetLnk|https://b.example/|"
                  "https://b.example/|\r\n^ExeLnk|" +
                  script + "||sh|run||\r\n");
    EXPECT_EQ(tmp.read("data/shortcuts/shortcuts-utf8.txt"), "^Folder|Tools\r\n");
    EXPECT_FALSE(pw::PathExists(data + "temp/item_bak")) << "a complete save";
}

TEST_F(CtlTest, DataFolderFromTheEnvironment) {
    tmp.write("data/shortcuts/shortcuts-utf8.txt", "^SpeSep|FromEnv\r\n");
    setenv("PATHWICK_DATA", data.c_str(), 1);
    Result r = Run("list");
    unsetenv("PATHWICK_DATA");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--FromEnv--"), std::string::npos);
}

} // namespace
