#include "framework/options_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"
#include "util/paths.h"

namespace pw {
namespace {

constexpr const char* kItemsRoot = "/home/u/Documents/Halvorn-Ek/Pathwick/shortcuts/";
constexpr const char* kProgram = "/opt/pathwick/";

PathMacros Macros() {
    return MakeProgramPathMacros(kItemsRoot, kProgram);
}

TEST(OptionsFile, NormalisesBlankLinesAndSeparatesSections) {
    EXPECT_EQ(NormalizeOptionsLines({"", "[A]", "", "  ", "a=1", "[B]", "b=1", "", "  [C]"}),
              (StringArray{"", "", "[A]", "a=1", "", "[B]", "b=1", "", "  [C]"}));
    EXPECT_EQ(NormalizeOptionsLines({"[A]", "a=1"}), (StringArray{"[A]", "a=1"}));
    EXPECT_TRUE(NormalizeOptionsLines({}).empty());
}

TEST(OptionsFile, DecodesUtf8AsItIsAndElseWindows1252) {
    EXPECT_EQ(DecodeOptionsBytes("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(DecodeOptionsBytes("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(DecodeOptionsBytes("\xEF\xBB\xBF[A]"), "[A]");
}

TEST(OptionsFile, MissingFileKeepsDefaults) {
    test::TempDir dir;
    ThvSharedProgramOptions options;
    options.CheckUpdatesInterval = 5;
    LoadOptionsFile(options, dir.path() + "config/options.ini", Macros());
    EXPECT_EQ(options.CheckUpdatesInterval, 5);
}

TEST(OptionsFile, FirstSaveWritesTheFrameworkKeysInOrder) {
    test::TempDir dir;
    ThvSharedProgramOptions options;
    options.CheckUpdatesLast = EncodeDateTime(2026, 12, 9, 7, 5, 3);
    options.CheckUpdatesCritErrRes = true;
    std::string file = dir.path() + "config/options.ini";
    ASSERT_TRUE(SaveOptionsFile(options, file, Macros()));
    EXPECT_EQ(test::SlurpFile(file), "[ProgramOptions.General]\r\n"
                                     "LanguageCulture=en-us\r\n"
                                     "\r\n"
                                     "[ProgramOptions.Visuals]\r\n"
                                     "SaveWindowsSetup=1\r\n"
                                     "SaveToolBarsSetup=1\r\n"
                                     "SaveMiscSetup=1\r\n"
                                     "\r\n"
                                     "[ProgramOptions.Miscellaneous]\r\n"
                                     "CheckUpdatesInterval=60\r\n"
                                     "CheckUpdatesHighlightUpgrades=1\r\n"
                                     "CheckUpdatesLast=2026-12-09 07:05:03\r\n"
                                     "CheckUpdatesCritErrRes=1\r\n"
                                     "CheckUpdatesResCritErr=1\r\n");
    EXPECT_EQ(test::SlurpFile(dir.path() + "config/options.~ini"), test::SlurpFile(file));
}

TEST(OptionsFile, WriteReadWriteIsByteIdenticalAndUnknownContentSurvives) {
    test::TempDir dir;
    std::string file = dir.write("options.ini", "; hand comment\r\n"
                                                "[FormFront]\r\n"
                                                "\r\n"
                                                "   \r\n"
                                                "Left=10\r\n"
                                                "Unknown.Key=/opt/pathwick/x\r\n"
                                                "[ProgramOptions.Visuals]\r\n"
                                                "Mine=keep me\r\n"
                                                "SaveMiscSetup=0\r\n"
                                                "[Extra]\r\n"
                                                "z=\xC3\xA9\r\n");
    ThvSharedProgramOptions options;
    LoadOptionsFile(options, file, Macros());
    EXPECT_FALSE(options.SaveMiscSetup);
    ASSERT_TRUE(SaveOptionsFile(options, file, Macros()));
    std::string first = test::SlurpFile(file);
    EXPECT_NE(first.find("; hand comment\r\n\r\n[FormFront]\r\nLeft=10\r\n"
                         "Unknown.Key=?($AppPath)?x\r\n\r\n[ProgramOptions.Visuals]\r\n"
                         "Mine=keep me\r\nSaveMiscSetup=0\r\n"),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("[Extra]\r\nz=\xC3\xA9\r\n"), std::string::npos);

    ThvSharedProgramOptions reread;
    LoadOptionsFile(reread, file, Macros());
    ASSERT_TRUE(SaveOptionsFile(reread, file, Macros()));
    EXPECT_EQ(test::SlurpFile(file), first);
}

TEST(OptionsFile, PathsBecomeMacrosAndReadBackAtTheNewProgramFolder) {
    test::TempDir dir;
    std::string file = dir.path() + "options.ini";
    IniDocument ini;
    ini.WriteString("FormFront", "LastFile", std::string(kProgram) + "help/index.html");
    ini.WriteString("FormFront", "LastItem", std::string(kItemsRoot) + "Games/");
    ASSERT_TRUE(SaveOptionsDocument(ini, file, Macros()));
    std::string bytes = test::SlurpFile(file);
    EXPECT_NE(bytes.find("LastFile=?($AppPath)?help/index.html"), std::string::npos);
    EXPECT_NE(bytes.find("LastItem=?($AppDirData)?Games/"), std::string::npos);

    PathMacros moved = MakeProgramPathMacros("/data/shortcuts/", "/usr/lib/pathwick/");
    IniDocument back = LoadOptionsDocument(file, moved);
    EXPECT_EQ(back.ReadString("FormFront", "LastFile", ""), "/usr/lib/pathwick/help/index.html");
    EXPECT_EQ(back.ReadString("FormFront", "LastItem", ""), "/data/shortcuts/Games/");
}

TEST(OptionsFile, ReadingFrameworkKeys) {
    test::TempDir dir;
    std::string file = dir.write("options.ini", "\xEF\xBB\xBF[ProgramOptions.General]\n"
                                                "LanguageCulture= EN-US \n"
                                                "[ProgramOptions.Miscellaneous]\n"
                                                "CheckUpdatesInterval=abc\n"
                                                "CheckUpdatesHighlightUpgrades=7\n"
                                                "CheckUpdatesLast=2011-05-01T10:20:30+02:00\n");
    ThvSharedProgramOptions options;
    LoadOptionsFile(options, file, Macros());
    EXPECT_EQ(options.LanguageCulture, "en-us");
    EXPECT_EQ(options.CheckUpdatesInterval, 60);
    EXPECT_TRUE(options.CheckUpdatesHighlightUpgrades);
    EXPECT_EQ(DateTimeToText(0, options.CheckUpdatesLast), "2011-05-01 10:20:30");
}

TEST(OptionsFile, CultureKeepsItsCaseAndEmptyCultureChangesNothing) {
    IniDocument ini("[ProgramOptions.General]\nLanguageCulture=De-DE\n");
    ThvSharedProgramOptions options;
    options.ReadProgramOptions(ini);
    EXPECT_EQ(options.LanguageCulture, "De-DE");
    ini.WriteString("ProgramOptions.General", "LanguageCulture", "");
    options.ReadProgramOptions(ini);
    EXPECT_EQ(options.LanguageCulture, "De-DE");
}

TEST(OptionsFile, UnreadableDateGivesZeroSoTheCheckIsDue) {
    IniDocument ini("[ProgramOptions.Miscellaneous]\nCheckUpdatesLast=someday\n");
    ThvSharedProgramOptions options;
    options.ReadProgramOptions(ini);
    EXPECT_EQ(options.CheckUpdatesLast, 0.0);
}

TEST(OptionsFile, ResCritErrNeedsLongInterval) {
    ThvSharedProgramOptions options;
    options.CheckUpdatesCritErrRes = true;
    options.CheckUpdatesInterval = 14;
    IniDocument ini;
    options.WriteProgramOptions(ini);
    EXPECT_EQ(ini.ReadString("ProgramOptions.Miscellaneous", "CheckUpdatesResCritErr", ""), "0");
    // Written only, never read back.
    ini.WriteString("ProgramOptions.Miscellaneous", "CheckUpdatesCritErrRes", "0");
    options.ReadProgramOptions(ini);
    EXPECT_FALSE(options.CheckUpdatesCritErrRes);
}

TEST(OptionsFile, BackupIsACopyOfEveryNewSave) {
    test::TempDir dir;
    std::string file = dir.path() + "options.ini";
    ThvSharedProgramOptions options;
    ASSERT_TRUE(SaveOptionsFile(options, file, Macros()));
    options.LanguageCulture = "de-de";
    ASSERT_TRUE(SaveOptionsFile(options, file, Macros()));
    EXPECT_EQ(test::SlurpFile(dir.path() + "options.~ini"), test::SlurpFile(file));
    EXPECT_NE(test::SlurpFile(file).find("de-de"), std::string::npos);
}

TEST(OptionsFile, FailedWriteKeepsTheGoodBackup) {
    test::TempDir dir;
    // The options "file" is a folder: it can be neither read nor replaced.
    std::string file = dir.mkdir("options.ini");
    file = ExcludeTrailingSeparator(file);
    dir.write("options.~ini", "good backup");
    ThvSharedProgramOptions options;
    EXPECT_FALSE(SaveOptionsFile(options, file, Macros()));
    EXPECT_EQ(dir.read("options.~ini"), "good backup");
}

TEST(OptionsFile, WriteGoesThroughATemporaryFile) {
    test::TempDir dir;
    std::string file = dir.write("options.ini", "[A]\r\nold=1\r\n");
    struct stat before {};
    ASSERT_EQ(stat(file.c_str(), &before), 0);
    ThvSharedProgramOptions options;
    ASSERT_TRUE(SaveOptionsFile(options, file, Macros()));
    struct stat after {};
    ASSERT_EQ(stat(file.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "replaced by rename, not rewritten in place";
    EXPECT_NE(test::SlurpFile(file).find("old=1"), std::string::npos);
}

TEST(OptionsFile, WindowsSystemCodePageFileIsReadAsAnsi) {
    test::TempDir dir;
    std::string file = dir.write("options.ini", "[FormFront]\r\nName=Caf\xE9\r\n");
    ThvSharedProgramOptions options;
    ASSERT_TRUE(SaveOptionsFile(options, file, Macros()));
    EXPECT_NE(test::SlurpFile(file).find("Name=Caf\xC3\xA9\r\n"), std::string::npos);
}

} // namespace
} // namespace pw
