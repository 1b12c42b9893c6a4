// pathwick-ctl lang sync / check, run as a separate program on a temporary languages folder.

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "support/temp_dir.h"
#include "util/paths.h"

namespace pw {
namespace {

std::string RunCtl(const std::string& arguments, int& status) {
    const std::string command = std::string(PATHWICK_BIN_DIR) + "/pathwick-ctl " + arguments;
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
    const int raw = pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

class LangCommand : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FileExists(std::string(PATHWICK_BIN_DIR) + "/pathwick-ctl"))
            GTEST_SKIP() << "pathwick-ctl is not built";
        dir.write("trans/en-us/UTF8_program.ini",
                  "\xEF\xBB\xBF[StrsGui____Controls__FrontMain]\r\n"
                  "pnlAddItemHeader.Caption=Add item\r\nrbFile.Hint=Pick a file\r\n"
                  "[StrsRes__MessageText__FrontMain]\r\nBackup__Value=In {AppDataPath}\r\n"
                  "Backup__Template=__curly\r\n[MetaData]\r\nLingua_ID=en-us\r\n");
        dir.write("trans/en-us/UTF8_shared.ini", "[StrsGui____Controls__About]\r\nx.Caption=X\r\n");
        dir.write("trans/en-us/UTF8_general.ini", "[StrsRes__X]\r\nOK__Value=OK\r\n");
        // A culture with one file, LF line ends, no byte order mark, a key in other case and
        // an entry English no longer has.
        dir.write("trans/xx-yy/UTF8_program.ini", "[StrsGui____Controls__FrontMain]\n"
                                                  "PNLADDITEMHEADER.Caption=Eintrag\n"
                                                  "old.Caption=alt\n");
        trans = " --trans '" + dir.path() + "trans'";
    }
    test::TempDir dir;
    std::string trans;
};

TEST_F(LangCommand, CheckListsTheMissingKeysPerFileAndSection) {
    int status = 0;
    EXPECT_EQ(RunCtl("lang check xx-yy" + trans, status),
              "xx-yy/UTF8_program.ini [StrsGui____Controls__FrontMain]\n"
              "  rbFile.Hint\n"
              "xx-yy/UTF8_program.ini [StrsRes__MessageText__FrontMain]\n"
              "  Backup__Value\n"
              "xx-yy/UTF8_program.ini [MetaData]\n"
              "  Lingua_ID\n"
              "xx-yy/UTF8_shared.ini [StrsGui____Controls__About]\n"
              "  x.Caption\n"
              "xx-yy/UTF8_general.ini [StrsRes__X]\n"
              "  OK__Value\n");
    EXPECT_EQ(status, 1);
}

TEST_F(LangCommand, PrintChangesNothingAndSyncSavesEveryFile) {
    int status = 0;
    EXPECT_EQ(RunCtl("lang sync xx-yy --print UTF8_program.ini" + trans, status),
              "[StrsGui____Controls__FrontMain]\r\npnlAddItemHeader.Caption=Eintrag\r\n"
              "rbFile.Hint=\r\n[StrsRes__MessageText__FrontMain]\r\nBackup__Value=\r\n"
              "Backup__Template=__curly\r\n[MetaData]\r\nLingua_ID=\r\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dir.read("trans/xx-yy/UTF8_program.ini").substr(0, 33),
              "[StrsGui____Controls__FrontMain]\n");
    EXPECT_EQ(dir.read("trans/xx-yy/UTF8_shared.ini"), "");

    RunCtl("lang sync xx-yy" + trans, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dir.read("trans/xx-yy/UTF8_program.ini"),
              "\xEF\xBB\xBF[StrsGui____Controls__FrontMain]\r\npnlAddItemHeader.Caption=Eintrag\r\n"
              "rbFile.Hint=\r\n[StrsRes__MessageText__FrontMain]\r\nBackup__Value=\r\n"
              "Backup__Template=__curly\r\n[MetaData]\r\nLingua_ID=");
    EXPECT_EQ(dir.read("trans/xx-yy/UTF8_general.ini"), "\xEF\xBB\xBF[StrsRes__X]\r\nOK__Value=");

    // Filled in, the culture passes the check.
    dir.write("trans/xx-yy/UTF8_program.ini",
              "[StrsGui____Controls__FrontMain]\r\npnlAddItemHeader.Caption=Eintrag\r\n"
              "rbFile.Hint=Datei\r\n[StrsRes__MessageText__FrontMain]\r\nBackup__Value=In\r\n"
              "[MetaData]\r\nLingua_ID=xx-yy");
    dir.write("trans/xx-yy/UTF8_shared.ini", "[StrsGui____Controls__About]\r\nx.Caption=Y");
    dir.write("trans/xx-yy/UTF8_general.ini", "[StrsRes__X]\r\nOK__Value=Gut");
    EXPECT_EQ(RunCtl("lang check xx-yy" + trans, status), "");
    EXPECT_EQ(status, 0);
}

TEST_F(LangCommand, RefusesBadArguments) {
    int status = 0;
    for (const char* bad : {"lang", "lang sync", "lang sync ../x", "lang sync en-us",
                            "lang check xx-yy --print program", "lang sync xx-yy --print nope",
                            "lang sync xx-yy --trans", "lang fix xx-yy"}) {
        RunCtl(std::string(bad) + " 2>/dev/null", status);
        EXPECT_EQ(status, 2) << bad;
    }
}

} // namespace
} // namespace pw
