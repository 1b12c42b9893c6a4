#include "lang/translation_files.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "util/strings.h"
#include "util/text_files.h"

namespace pw {
namespace {

const std::string kShippedTrans = std::string(PATHWICK_SOURCE_DIR) + "/data/trans/";

// An English file with every kind of line the shipped ones hold.
constexpr const char* kEnglish = "[StrsGui____Controls__FrontMain]\r\n"
                                 "; the header of the Add item panel\r\n"
                                 "pnlAddItemHeader.Caption=Add item\r\n"
                                 "BitBtnAttach.Hint=Find and attach\r\n"
                                 "\r\n"
                                 "[StrsRes__MessageText__FrontMain]\r\n"
                                 "DiskItemsDataBackup__Value=Backup in \"{AppDataPath}\"\r\n"
                                 "DiskItemsDataBackup__Template=__curly\r\n"
                                 "NotAvailableShort__Value=n/a\r\n"
                                 "a line without an equals sign\r\n"
                                 "[MetaData]\r\n"
                                 "Lingua_ID=en-us\r\n"
                                 "Author_ThanksTo=\r\n"
                                 "Document_LastUpdateProgram=Pathwick";

TEST(SyncLanguageText, AnEmptyTranslationGivesTheEnglishStructureWithEmptyValues) {
    EXPECT_EQ(SyncLanguageText(kEnglish, ""), "[StrsGui____Controls__FrontMain]\r\n"
                                              "; the header of the Add item panel\r\n"
                                              "pnlAddItemHeader.Caption=\r\n"
                                              "BitBtnAttach.Hint=\r\n"
                                              "\r\n"
                                              "[StrsRes__MessageText__FrontMain]\r\n"
                                              "DiskItemsDataBackup__Value=\r\n"
                                              "DiskItemsDataBackup__Template=__curly\r\n"
                                              "NotAvailableShort__Value=\r\n"
                                              "a line without an equals sign\r\n"
                                              "[MetaData]\r\n"
                                              "Lingua_ID=\r\n"
                                              "Author_ThanksTo=\r\n"
                                              "Document_LastUpdateProgram=");
}

TEST(SyncLanguageText, TakesValuesWithoutRegardToCaseAndDropsWhatEnglishLacks) {
    // LF line ends, keys and sections in other case, a duplicate key (the first counts), an
    // entry and a comment English does not have, a translated "__Template" (English wins), a
    // line without "=".
    const std::string translation = "; old comment\n"
                                    "[strsgui____controls__frontmain]\n"
                                    "PNLADDITEMHEADER.caption = Eintrag hinzufügen \n"
                                    "pnlAddItemHeader.Caption=second\n"
                                    "gone.Caption=weg\n"
                                    "no equals here\n"
                                    "[StrsRes__MessageText__FrontMain]\r"
                                    "DiskItemsDataBackup__Value=Sicherung in \"{AppDataPath}\"\r"
                                    "DiskItemsDataBackup__Template=__sharp\r"
                                    "[METADATA]\n"
                                    "lingua_id=de-de\n";
    EXPECT_EQ(SyncLanguageText(kEnglish, translation),
              "[StrsGui____Controls__FrontMain]\r\n"
              "; the header of the Add item panel\r\n"
              "pnlAddItemHeader.Caption=Eintrag hinzufügen\r\n"
              "BitBtnAttach.Hint=\r\n"
              "\r\n"
              "[StrsRes__MessageText__FrontMain]\r\n"
              "DiskItemsDataBackup__Value=Sicherung in \"{AppDataPath}\"\r\n"
              "DiskItemsDataBackup__Template=__curly\r\n"
              "NotAvailableShort__Value=\r\n"
              "a line without an equals sign\r\n"
              "[MetaData]\r\n"
              "Lingua_ID=de-de\r\n"
              "Author_ThanksTo=\r\n"
              "Document_LastUpdateProgram=");
}

TEST(SyncLanguageText, ASectionOnlyCountsWhereItStands) {
    // The same key in another section is not taken; entries before any section belong to none.
    const std::string english = "top=1\r\n[A]\r\nk=x\r\n[B]\r\nk=y";
    EXPECT_EQ(SyncLanguageText(english, "top=T\r\n[B]\r\nk=fromB"),
              "top=T\r\n[A]\r\nk=\r\n[B]\r\nk=fromB");
}

TEST(SyncLanguageText, TheShippedGermanFilesKeepEveryValueOnTheirOwnStructure) {
    // Synced on itself a file loses nothing but what the editor never keeps (a second entry of
    // a key and lines outside the English structure do not occur in the shipped files).
    for (const char* name : kLanguageFileNames) {
        const std::string german = ReadLanguageFileText(kShippedTrans + "de-de/" + name);
        ASSERT_FALSE(german.empty()) << name;
        EXPECT_EQ(SyncLanguageText(german, german), german) << name;
    }
}

TEST(SyncLanguageText, TheShippedGermanFilesMissNoTranslation) {
    for (const char* name : kLanguageFileNames) {
        const std::string english = ReadLanguageFileText(kShippedTrans + "en-us/" + name);
        const std::string german = ReadLanguageFileText(kShippedTrans + "de-de/" + name);
        ASSERT_FALSE(english.empty()) << name;
        for (const MissingTranslation& m : FindMissingTranslations(english, german))
            ADD_FAILURE() << name << " [" << m.Section << "] " << m.Key;
        // And after a sync the German file still has them all.
        EXPECT_TRUE(FindMissingTranslations(english, SyncLanguageText(english, german)).empty());
    }
}

TEST(SyncLanguageText, ATenMegabyteFileIsSyncedAndSavedWhole) {
    test::TempDir dir;
    std::string english = "[StrsGui____Controls__Big]\r\n";
    std::string translation = "[StrsGui____Controls__Big]\r\n";
    for (int i = 0; english.size() < 10'000'000; ++i) {
        const std::string key = "control" + std::to_string(i) + ".Caption=";
        english += key + "English text, long enough to fill ten megabytes soon\r\n";
        translation += key +
                       "\xC3\x9C"
                       "bersetzung " +
                       std::to_string(i) + "\r\n";
    }
    const std::string synced = SyncLanguageText(english, translation);
    EXPECT_TRUE(FindMissingTranslations(english, synced).empty());
    ASSERT_EQ(SaveLanguageFile(dir.path() + "xx-yy/UTF8_program.ini", synced),
              LanguageSaveResult::Saved);
    EXPECT_EQ(ReadLanguageFileText(dir.path() + "xx-yy/UTF8_program.ini"), synced);
    EXPECT_EQ(synced, StrTrim(translation));
}

TEST(FindMissingTranslations, ListsAbsentAndEmptiedValuesPerSection) {
    const std::string translation = "[StrsGui____Controls__FrontMain]\r\n"
                                    "pnlAddItemHeader.Caption=Eintrag\r\n"
                                    "BitBtnAttach.Hint=\r\n"
                                    "[MetaData]\r\nLingua_ID=de-de\r\nAuthor_ThanksTo=\r\n";
    std::vector<MissingTranslation> missing = FindMissingTranslations(kEnglish, translation);
    ASSERT_EQ(missing.size(), 4u);
    EXPECT_EQ(missing[0].Section, "StrsGui____Controls__FrontMain");
    EXPECT_EQ(missing[0].Key, "BitBtnAttach.Hint");
    EXPECT_EQ(missing[1].Section, "StrsRes__MessageText__FrontMain");
    EXPECT_EQ(missing[1].Key, "DiskItemsDataBackup__Value");
    EXPECT_EQ(missing[2].Key, "NotAvailableShort__Value");
    // The "__Template" entry is not the translator's; an empty English value may stay empty.
    EXPECT_EQ(missing[3].Section, "MetaData");
    EXPECT_EQ(missing[3].Key, "Document_LastUpdateProgram");
}

TEST(ReadLanguageFileText, PrefersTheUtf8FileAndNormalisesLineBreaks) {
    test::TempDir dir;
    // No byte order mark, LF and CR line ends, invalid UTF-8 (read as Windows-1252).
    dir.write("xx-yy/UTF8_program.ini", "\n[A]\nk=v\rk2=\xE4\n\n");
    EXPECT_EQ(ReadLanguageFileText(dir.path() + "xx-yy/UTF8_program.ini"),
              "[A]\r\nk=v\r\nk2=\xC3\xA4");
    EXPECT_EQ(ReadLanguageFileText(dir.path() + "xx-yy/program.ini"), "[A]\r\nk=v\r\nk2=\xC3\xA4");
    // Without the UTF-8 file the path itself is read.
    dir.write("xx-yy/general.ini", "\xEF\xBB\xBF[B]\r\nx=1");
    EXPECT_EQ(ReadLanguageFileText(dir.path() + "xx-yy/general.ini"), "[B]\r\nx=1");
    EXPECT_EQ(ReadLanguageFileText(dir.path() + "xx-yy/UTF8_shared.ini"), "");
    EXPECT_EQ(LanguageFileUtf8Path("/t/de-de/utf8_Program.ini"), "/t/de-de/utf8_Program.ini");
    EXPECT_EQ(LanguageFileUtf8Path("/t/de-de/program.ini"), "/t/de-de/UTF8_program.ini");
}

TEST(SaveLanguageFile, WritesUtf8WithByteOrderMarkAndCrLfCreatingTheFolder) {
    test::TempDir dir;
    std::string saved;
    EXPECT_EQ(SaveLanguageFile(dir.path() + "xx-yy/program.ini", "[A]\nk=\xC3\xA4\rx=1", &saved),
              LanguageSaveResult::Saved);
    EXPECT_EQ(saved, dir.path() + "xx-yy/UTF8_program.ini");
    EXPECT_EQ(dir.read("xx-yy/UTF8_program.ini"), "\xEF\xBB\xBF[A]\r\nk=\xC3\xA4\r\nx=1");
    // What was saved reads back as it was typed, also a text that begins with U+FEFF.
    EXPECT_EQ(ReadLanguageFileText(saved), "[A]\r\nk=\xC3\xA4\r\nx=1");
    SaveLanguageFile(saved, "\xEF\xBB\xBF[A]");
    EXPECT_EQ(ReadLanguageFileText(saved), "\xEF\xBB\xBF[A]");
}

TEST(SaveLanguageFile, ReportsAFolderItCannotCreateAndAFileItCannotWrite) {
    test::TempDir dir;
    // A file where the culture's folder should be; a folder where the file should be.
    dir.write("trans/xx-yy", "not a folder");
    dir.mkdir("trans/de-de/UTF8_program.ini");
    EXPECT_EQ(SaveLanguageFile(dir.path() + "trans/xx-yy/UTF8_program.ini", "new"),
              LanguageSaveResult::FolderNotCreated);
    std::string saved;
    EXPECT_EQ(SaveLanguageFile(dir.path() + "trans/de-de/program.ini", "new", &saved),
              LanguageSaveResult::NotWritten);
    EXPECT_EQ(saved, dir.path() + "trans/de-de/UTF8_program.ini");
    EXPECT_EQ(dir.read("trans/xx-yy"), "not a folder");
}

TEST(ClassifyIniLine, SectionsCommentsKeysAndEmptyValues) {
    EXPECT_EQ(ClassifyIniLine(u"[MetaData]").Kind, IniLineKind::Section);
    EXPECT_EQ(ClassifyIniLine(u" [MetaData]").Kind, IniLineKind::Plain);
    EXPECT_EQ(ClassifyIniLine(u"; note = x").Kind, IniLineKind::Comment);
    IniLineColouring entry = ClassifyIniLine(u"miAbout.Caption=About=x");
    EXPECT_EQ(entry.Kind, IniLineKind::Entry);
    EXPECT_EQ(entry.KeyLength, 16u);
    EXPECT_FALSE(entry.EmptyValue);
    EXPECT_TRUE(ClassifyIniLine(u"miAbout.Caption=  ").EmptyValue);
    EXPECT_FALSE(ClassifyIniLine(std::string_view("miAbout.Caption= \xC3\x9C")).EmptyValue);
    EXPECT_FALSE(ClassifyIniLine(u"miAbout.Caption=\u00DC").EmptyValue);
    EXPECT_EQ(ClassifyIniLine(u"no equals").Kind, IniLineKind::Plain);
    EXPECT_EQ(ClassifyIniLine(u"").Kind, IniLineKind::Plain);
}

TEST(FindTextFrom, DirectionCaseAndWholeWords) {
    const std::u16string text = u"Save file. SAVE all; saved Über über";
    TextSearchOptions o;
    EXPECT_EQ(FindTextFrom(text, u"save", 0, o), 0);
    EXPECT_EQ(FindTextFrom(text, u"save", 1, o), 11);
    o.MatchCase = true;
    EXPECT_EQ(FindTextFrom(text, u"save", 1, o), 21);
    o.WholeWord = true;
    EXPECT_EQ(FindTextFrom(text, u"save", 0, o), -1) << "\"saved\" is not the word";
    o.MatchCase = false;
    EXPECT_EQ(FindTextFrom(text, u"save", 1, o), 11);
    o = {};
    EXPECT_EQ(FindTextFrom(text, u"über", 0, o), 27) << "letters beyond ASCII fold too";
    o.Down = false;
    EXPECT_EQ(FindTextFrom(text, u"save", 20, o), 11);
    EXPECT_EQ(FindTextFrom(text, u"save", 11, o), 11);
    EXPECT_EQ(FindTextFrom(text, u"save", 10, o), 0);
    EXPECT_EQ(FindTextFrom(text, u"über", 1000, o), 32);
    EXPECT_EQ(FindTextFrom(text, u"", 0, o), -1);
    EXPECT_EQ(FindTextFrom(u"ab", u"abc", 0, o), -1);
}

TEST(ReplaceAllText, MatchCaseLeavesOtherCaseAndCountsOnlyTheReplaced) {
    int count = -1;
    EXPECT_EQ(ReplaceAllText(u"Save SAVE save", u"save", u"keep", true, &count), u"Save SAVE keep");
    EXPECT_EQ(count, 1);
    EXPECT_EQ(ReplaceAllText(u"Save SAVE save", u"save", u"keep", false, &count),
              u"keep keep keep");
    EXPECT_EQ(count, 3);
    // Replaced text is not searched again; occurrences do not overlap.
    EXPECT_EQ(ReplaceAllText(u"aaaa", u"aa", u"a", true, &count), u"aa");
    EXPECT_EQ(count, 2);
    EXPECT_EQ(ReplaceAllText(u"abc", u"", u"x", true, &count), u"abc");
    EXPECT_EQ(count, 0);
}

} // namespace
} // namespace pw
