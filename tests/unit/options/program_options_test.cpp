#include "options/program_options.h"

#include <gtest/gtest.h>

#include "framework/options_file.h"
#include "options/autostart_entry.h"
#include "options/hot_key_rule.h"
#include "support/temp_dir.h"
#include "util/paths.h"

namespace pw {
namespace {

TEST(ProgramOptions, Defaults) {
    TProgramOptions o;
    EXPECT_FALSE(o.OverrideStandardFont);
    EXPECT_EQ(o.OverrideStandardFontName, "Verdana");
    EXPECT_EQ(o.OverrideStandardFontSize, 10);
    EXPECT_FALSE(o.OverrideStandardFontBold);
    EXPECT_TRUE(o.AlwaysShowInTray);
    EXPECT_TRUE(o.AlwaysShowInTask);
    EXPECT_EQ(o.ProgramPopupShortCut, "CTRL+L");
    EXPECT_EQ(o.LanguageCulture, "en-us");
    EXPECT_EQ(o.CheckUpdatesInterval, 60);
    EXPECT_GT(o.CheckUpdatesLast, EncodeDateTime(2020, 1, 1));
}

TEST(ProgramOptions, KeysAfterTheFrameworksInTheirSections) {
    TProgramOptions o;
    o.CheckUpdatesLast = EncodeDateTime(2026, 1, 2, 3, 4, 5);
    IniDocument ini;
    o.WriteProgramOptions(ini);
    EXPECT_EQ(ini.SectionEntryNames("ProgramOptions.Visuals"),
              (StringArray{"SaveWindowsSetup", "SaveToolBarsSetup", "SaveMiscSetup",
                           "OverrideStandardFont", "OverrideStandardFontName",
                           "OverrideStandardFontSize", "OverrideStandardFontBold"}));
    EXPECT_EQ(ini.SectionEntryNames("ProgramOptions.Miscellaneous"),
              (StringArray{"CheckUpdatesInterval", "CheckUpdatesHighlightUpgrades",
                           "CheckUpdatesLast", "CheckUpdatesCritErrRes", "CheckUpdatesResCritErr",
                           "AlwaysShowInTray", "AlwaysShowInTask", "ProgramPopupShortCut"}));
    EXPECT_EQ(ini.ReadString("ProgramOptions.Visuals", "OverrideStandardFontName", ""), "Verdana");
    EXPECT_EQ(ini.ReadString("ProgramOptions.Miscellaneous", "ProgramPopupShortCut", ""), "CTRL+L");
}

TEST(ProgramOptions, ReadBackAndMalformedValuesKeepDefaults) {
    IniDocument ini("[ProgramOptions.Visuals]\n"
                    "OverrideStandardFont=1\n"
                    "OverrideStandardFontName=DejaVu Sans\n"
                    "OverrideStandardFontSize=big\n"
                    "OverrideStandardFontBold=yes\n"
                    "[ProgramOptions.Miscellaneous]\n"
                    "AlwaysShowInTray=0\n"
                    "ProgramPopupShortCut=Ctrl+Alt+P\n");
    TProgramOptions o;
    o.ReadProgramOptions(ini);
    EXPECT_TRUE(o.OverrideStandardFont);
    EXPECT_EQ(o.OverrideStandardFontName, "DejaVu Sans");
    EXPECT_EQ(o.OverrideStandardFontSize, 10);
    EXPECT_FALSE(o.OverrideStandardFontBold);
    EXPECT_FALSE(o.AlwaysShowInTray);
    EXPECT_TRUE(o.AlwaysShowInTask);
    EXPECT_EQ(o.ProgramPopupShortCut, "Ctrl+Alt+P");
}

TEST(ProgramOptions, ValuesAreWrittenAsDigitsAndTheShortcutTextAsItStands) {
    TProgramOptions o;
    o.OverrideStandardFont = true;
    o.OverrideStandardFontName = "Noto Sans Mono";
    o.OverrideStandardFontSize = 12;
    o.AlwaysShowInTray = false;
    // A text no shortcut parser reads (typed into the file by hand) is no option of its own:
    // it is kept and written back as it is, never emptied.
    o.ProgramPopupShortCut = "Ctrl+Hyper+";
    IniDocument ini;
    o.WriteProgramOptions(ini);
    const std::string text = ini.Text("\n");
    for (const char* line :
         {"\nOverrideStandardFont=1\n", "\nOverrideStandardFontName=Noto Sans Mono\n",
          "\nOverrideStandardFontSize=12\n", "\nOverrideStandardFontBold=0\n",
          "\nAlwaysShowInTray=0\n", "\nAlwaysShowInTask=1\n",
          "\nProgramPopupShortCut=Ctrl+Hyper+\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " missing in\n" << text;

    TProgramOptions back;
    back.ReadProgramOptions(ini);
    EXPECT_EQ(back.ProgramPopupShortCut, "Ctrl+Hyper+");
    EXPECT_EQ(back.OverrideStandardFontSize, 12);
    EXPECT_TRUE(back.OverrideStandardFont);
    EXPECT_FALSE(back.AlwaysShowInTray);
    // An empty shortcut (no hot key) is a value of its own, not a missing key.
    IniDocument cleared("[ProgramOptions.Miscellaneous]\nProgramPopupShortCut=\n");
    back.ReadProgramOptions(cleared);
    EXPECT_EQ(back.ProgramPopupShortCut, "");
}

TEST(HotKeyRule, CombinationsWithoutModifierOrWithTheRefusedSetsBecomeCtrl) {
    EXPECT_EQ(AdmittedHotKeyModifiers(0), kHotKeyCtrl);
    EXPECT_EQ(AdmittedHotKeyModifiers(kHotKeyShift | kHotKeyCtrl), kHotKeyCtrl);
    EXPECT_EQ(AdmittedHotKeyModifiers(kHotKeyCtrl | kHotKeyAlt), kHotKeyCtrl);
    EXPECT_EQ(AdmittedHotKeyModifiers(kHotKeyShift | kHotKeyCtrl | kHotKeyAlt), kHotKeyCtrl);
    for (unsigned kept : {kHotKeyCtrl, kHotKeyShift, kHotKeyAlt, kHotKeyShift | kHotKeyAlt,
                          kHotKeyMeta, kHotKeyMeta | kHotKeyCtrl | kHotKeyAlt})
        EXPECT_EQ(AdmittedHotKeyModifiers(kept), kept) << kept;
    EXPECT_EQ(AdmittedHotKeyModifiers(0x100 | kHotKeyAlt), kHotKeyAlt) << "unknown bits dropped";
}

TEST(ProgramOptions, OptionsFileRoundTripIsByteIdentical) {
    test::TempDir dir;
    std::string file = dir.path() + "config/options.ini";
    PathMacros macros = MakeProgramPathMacros(dir.path() + "shortcuts/", dir.path());
    TProgramOptions o;
    o.OverrideStandardFontName = "Noto Sans";
    o.ProgramPopupShortCut = "Ctrl+Shift+L";
    o.CheckUpdatesLast = EncodeDateTime(2025, 7, 31, 23, 59, 58);
    ASSERT_TRUE(SaveOptionsFile(o, file, macros));
    std::string first = test::SlurpFile(file);
    TProgramOptions back;
    LoadOptionsFile(back, file, macros);
    EXPECT_EQ(back.OverrideStandardFontName, "Noto Sans");
    EXPECT_EQ(back.ProgramPopupShortCut, "Ctrl+Shift+L");
    EXPECT_EQ(DateTimeToText(0, back.CheckUpdatesLast), "2025-07-31 23:59:58");
    ASSERT_TRUE(SaveOptionsFile(back, file, macros));
    EXPECT_EQ(test::SlurpFile(file), first);
    EXPECT_EQ(test::SlurpFile(dir.path() + "config/options.~ini"), first);
}

TEST(ProgramOptions, EveryWriteUpdatesTheAutostartEntry) {
    test::TempDir dir;
    TProgramOptions o;
    o.AutostartFolder = dir.path() + "config/autostart/";
    o.BinaryFolder = "/opt/pathwick/";
    IniDocument ini;
    o.WriteProgramOptions(ini);
    EXPECT_TRUE(o.AutostartUpdated);
    std::string entry = dir.read("config/autostart/HalvornEk-Pathwick.desktop");
    EXPECT_NE(entry.find("\nExec=/opt/pathwick/pathwick\n"), std::string::npos) << entry;

    o.AlwaysShowInTray = false;
    o.WriteProgramOptions(ini);
    EXPECT_FALSE(FileExists(dir.path() + "config/autostart/HalvornEk-Pathwick.desktop"));
    o.WriteProgramOptions(ini);
    EXPECT_TRUE(o.AutostartUpdated) << "removing an absent entry is no failure";
}

TEST(ProgramOptions, NoAutostartFolderLeavesTheEntryAlone) {
    TProgramOptions o;
    IniDocument ini;
    o.WriteProgramOptions(ini);
    EXPECT_FALSE(o.AutostartUpdated);
}

} // namespace
} // namespace pw
