#include "lang/language_controller.h"

#include <gtest/gtest.h>

#include "lang/lang_escape.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

constexpr const char* kProgram = "UTF8_program.ini";
constexpr const char* kSuffix = "____Controls__FrontMain";

// A controller set up the way the program starts it.
struct Started {
    explicit Started(const std::string& folder, const std::string& culture = "en-us") {
        lc.SetLanguagesFolder(folder);
        lc.SetCurrentCulture(lc.AdjustCulture(culture));
        lc.SetOptions({true, true});
        lc.PushDefaultTemplateSystem("__curly");
    }
    ThvlgLanguageController lc;
};

TEST(LanguageController, CreationState) {
    ThvlgLanguageController lc;
    EXPECT_EQ(lc.DefaultCulture(), "en-us");
    EXPECT_EQ(lc.DesignCulture(), "en-us");
    EXPECT_EQ(lc.CurrentCulture(), "en-us");
    EXPECT_FALSE(lc.Options().UseBuiltInTexts);
    EXPECT_FALSE(lc.Options().SkipEmptyTexts);
    EXPECT_EQ(lc.DefaultTemplateSystem(), "");
    EXPECT_NE(lc.Templates().FindTemplateSystem("__curly"), nullptr);
    EXPECT_NE(lc.Templates().FindTemplateSystem("__sharp"), nullptr);
    EXPECT_NE(lc.Templates().FindTemplateSystem("__dollar"), nullptr);
}

TEST(LanguageController, LanguagesFolderGetsTrailingSeparator) {
    ThvlgLanguageController lc;
    lc.SetLanguagesFolder("/opt/pathwick/trans");
    EXPECT_EQ(lc.LanguagesFolder(), "/opt/pathwick/trans/");
    lc.SetLanguagesFolder("");
    EXPECT_EQ(lc.LanguagesFolder(), "");
}

TEST(LanguageController, AdjustCultureMapsOnlyBareEsWhenEsUsExists) {
    test::TempDir dir;
    ThvlgLanguageController lc;
    EXPECT_EQ(lc.AdjustCulture("es"), "es") << "no languages folder";
    lc.SetLanguagesFolder(dir.path());
    EXPECT_EQ(lc.AdjustCulture("es"), "es");
    dir.mkdir("es-us");
    EXPECT_EQ(lc.AdjustCulture("es"), "es-us");
    EXPECT_EQ(lc.AdjustCulture("ES"), "ES");
    EXPECT_EQ(lc.AdjustCulture("es-mx"), "es-mx");
    EXPECT_EQ(lc.AdjustCulture("de"), "de");
}

TEST(LanguageController, FirstStartWithEmptyFolderShowsBuiltInTexts) {
    test::TempDir dir;
    Started s(dir.path());
    s.lc.RegisterGuiString(kProgram, kSuffix, "pnlAddItemHeader.Caption", "Add item");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, kSuffix, "pnlAddItemHeader.Caption", "Form text"),
              "Form text")
        << "design culture shown: the form's own text";
    s.lc.AddTemplateVariable("CompanyUrlFull", "https://halvorn-ek.example");
    s.lc.RegisterResString(kProgram, "__MessageText__FrontMain", "Msg", "Stored {CompanyUrlFull}",
                           "__curly");
    EXPECT_EQ(s.lc.GetResString(kProgram, "__MessageText__FrontMain", "Msg", "Default", false),
              "Stored https://halvorn-ek.example");
    EXPECT_EQ(s.lc.GetResString(kProgram, "__MessageText__FrontMain", "Msg",
                                "Built in {CompanyUrlFull}", true),
              "Built in https://halvorn-ek.example");
    EXPECT_EQ(s.lc.GetResString(kProgram, "__MessageText__FrontMain", "Unknown", "Raw {x}"),
              "Raw {x}")
        << "an unregistered name gives the default unexpanded";
}

TEST(LanguageController, CultureFilesFallBackToRegisteredEnglish) {
    test::TempDir dir;
    dir.write("de-de/UTF8_program.ini", "\xEF\xBB\xBF[StrsGui____Controls__FrontMain]\r\n"
                                        "PNLADDITEMHEADER.CAPTION=Hinzuf\xC3\xBCgen\r\n"
                                        "Empty.Caption=\r\n");
    dir.mkdir("fr-fr");
    Started s(dir.path(), "de-de");
    EXPECT_EQ(s.lc.DesignCulture(), "");
    s.lc.RegisterGuiString(kProgram, kSuffix, "pnlAddItemHeader.Caption", "Add item");
    s.lc.RegisterGuiString(kProgram, kSuffix, "miAbout.Caption", "&About");
    s.lc.RegisterGuiString(kProgram, kSuffix, "Empty.Caption", "Not empty");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, kSuffix, "pnlAddItemHeader.Caption", "x"),
              "Hinzuf\xC3\xBCgen");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, kSuffix, "miAbout.Caption", "x"), "&About");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, kSuffix, "Empty.Caption", "x"), "")
        << "an entry present with an empty value is shown empty";
    EXPECT_EQ(s.lc.GetGuiString(kProgram, kSuffix, "Never.Registered", "dflt"), "dflt");

    s.lc.SetCurrentCulture("fr-fr");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, kSuffix, "pnlAddItemHeader.Caption", "x"), "Add item");
    s.lc.SetCurrentCulture("en-us");
    EXPECT_EQ(s.lc.DesignCulture(), "") << "cleared for good";
    EXPECT_EQ(s.lc.GetGuiString(kProgram, kSuffix, "pnlAddItemHeader.Caption", "x"), "Add item");
}

TEST(LanguageController, SkipEmptyTextsAndRegistrationEscaping) {
    test::TempDir dir;
    Started s(dir.path());
    s.lc.RegisterGuiString(kProgram, kSuffix, "blank.Caption", "");
    s.lc.RegisterGuiString(kProgram, kSuffix, "yes.Caption", "&Yes");
    s.lc.RegisterResString(kProgram, "__X", "TwoLines", "one\r\ntwo");
    IniDocument* doc = s.lc.GetLanguageFile("en-us", kProgram, ThvlgFileMode::Read);
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(doc->ValueExists("StrsGui____Controls__FrontMain", "blank.Caption"));
    EXPECT_EQ(doc->ReadString("StrsGui____Controls__FrontMain", "yes.Caption", ""), "&amp;Yes");
    EXPECT_EQ(doc->ReadString("StrsRes__X", "TwoLines__Value", ""), "one<NL>two");
    EXPECT_FALSE(doc->ValueExists("StrsRes__X", "TwoLines__Template"));
    s.lc.SetCurrentCulture("xx");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, kSuffix, "yes.Caption", ""), "&Yes");
    EXPECT_EQ(s.lc.GetResString(kProgram, "__X", "TwoLines", ""), "one\r\ntwo");
}

TEST(LanguageController, RegisteredTextsOverrideTheDefaultCulturesFileOnDisk) {
    test::TempDir dir;
    dir.write("en-us/UTF8_program.ini", "[StrsGui__S]\nk=from disk\nonly=disk only\n");
    Started s(dir.path(), "xx");
    s.lc.RegisterGuiString(kProgram, "__S", "k", "registered");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, "__S", "k", ""), "registered");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, "__S", "only", ""), "disk only");
}

TEST(LanguageController, TranslatedValueWithAndWithoutTemplateEntry) {
    test::TempDir dir;
    dir.write("de-de/UTF8_shared.ini", "[StrsRes__M]\n"
                                       "Plain__Value=Besuchen Sie {CompanyUrlFull}\n"
                                       "Tmpl__Value=Besuchen Sie {CompanyUrlFull}\n"
                                       "Tmpl__Template=__curly\n");
    Started s(dir.path(), "de-de");
    s.lc.AddTemplateVariable("CompanyUrlFull", "https://h.example");
    EXPECT_EQ(s.lc.GetResString("UTF8_shared.ini", "__M", "Plain", "d", true),
              "Besuchen Sie {CompanyUrlFull}");
    EXPECT_EQ(s.lc.GetResString("UTF8_shared.ini", "__M", "Tmpl", "d", true),
              "Besuchen Sie https://h.example");
}

TEST(LanguageController, SwitchingCultureEvictsOtherCulturesButKeepsDefault) {
    test::TempDir dir;
    dir.write("de-de/UTF8_program.ini", "[StrsGui__S]\nk=alt\n");
    Started s(dir.path(), "de-de");
    s.lc.RegisterGuiString(kProgram, "__S", "k", "registered");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, "__S", "k", ""), "alt");
    EXPECT_EQ(s.lc.CachedFileCount(), 2u);
    // The file changes on disk; the cached copy is used until its culture is evicted.
    dir.write("de-de/UTF8_program.ini", "[StrsGui__S]\nk=changed\n");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, "__S", "k", ""), "alt");
    s.lc.SetCurrentCulture("fr-fr");
    EXPECT_EQ(s.lc.CachedFileCount(), 1u);
    s.lc.SetCurrentCulture("de-de");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, "__S", "k", ""), "changed");
    s.lc.SetCurrentCulture("de-de", true);
    EXPECT_EQ(s.lc.CachedFileCount(), 1u) << "freeAll keeps only the registered texts";
    EXPECT_EQ(s.lc.GetGuiString(kProgram, "__S", "missing", "d"), "d");
    s.lc.SetCurrentCulture("zz");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, "__S", "k", ""), "registered");
}

TEST(LanguageController, ReadModeDoesNotCacheMissingFilesWriteModeCreates) {
    test::TempDir dir;
    ThvlgLanguageController lc;
    lc.SetLanguagesFolder(dir.path());
    EXPECT_EQ(lc.GetLanguageFile("de-de", "UTF8_general.ini", ThvlgFileMode::Read), nullptr);
    EXPECT_EQ(lc.CachedFileCount(), 0u);
    IniDocument* doc = lc.GetLanguageFile("de-de", "UTF8_general.ini", ThvlgFileMode::Write);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(lc.GetLanguageFile("DE-DE", "utf8_general.ini", ThvlgFileMode::Read), doc)
        << "cache keys compare without case";
}

TEST(LanguageController, AnsiFilesAndBomFilesReadAlike) {
    test::TempDir dir;
    dir.write("a/UTF8_program.ini", "[StrsGui__S]\nk=caf\xC3\xA9\n");
    dir.write("b/UTF8_program.ini", "\xEF\xBB\xBF[StrsGui__S]\nk=caf\xC3\xA9\n");
    dir.write("c/UTF8_program.ini", "[StrsGui__S]\nk=caf\xE9\n");
    ThvlgLanguageController lc;
    lc.SetLanguagesFolder(dir.path());
    for (const char* culture : {"a", "b", "c"}) {
        lc.SetCurrentCulture(culture);
        EXPECT_EQ(lc.GetGuiString(kProgram, "__S", "k", ""), "caf\xC3\xA9") << culture;
    }
}

TEST(LanguageController, EveryEscapeReadsBackFromAFile) {
    test::TempDir dir;
    const std::string texts[] = {" leading blank",          "\tleading tab",       "a\r\nb\rc\nd",
                                 std::string("nul\0in", 6), "&lt; <b> &amp; <NL>", "&Yes"};
    std::string file = "[StrsGui__S]\r\n";
    for (size_t i = 0; i < std::size(texts); ++i)
        file += "k" + std::to_string(i) + "=" + EscapeLangValue(texts[i]) + "\r\n";
    dir.write("de-de/UTF8_program.ini", file);
    Started s(dir.path(), "de-de");
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(s.lc.GetGuiString(kProgram, "__S", "k" + std::to_string(i), "?"), texts[i]);
    s.lc.RegisterGuiString(kProgram, "__S", "trail", "trailing ");
    s.lc.SetCurrentCulture("zz");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, "__S", "trail", ""), "trailing")
        << "nothing protects a trailing blank";
}

TEST(LanguageController, MetaData) {
    test::TempDir dir;
    dir.write("de-de/UTF8_shared.ini", "[MetaData]\nLingua_Desc=Deutsch\nAuthor_Name=A&amp;B\n");
    dir.write("fr-fr/UTF8_shared.ini", "[MetaData]\nLingua_ID=fr-FR\n");
    Started s(dir.path());
    ThvlgTransMetaData meta;
    meta.Lingua_ID = "en-us";
    meta.Lingua_Desc = "English (US)";
    meta.Author_Comments = "Please email suggestions and/or corrections.";
    meta.Document_LastUpdateProgram = "Pathwick";
    meta.Document_LastUpdateVersion = "1.9.4";
    s.lc.WriteMetaData("UTF8_shared.ini", meta);

    ThvlgTransMetaData en = s.lc.ReadMetaData("en-us", "UTF8_shared.ini");
    EXPECT_EQ(en.Lingua_Desc, "English (US)");
    EXPECT_EQ(en.Document_LastUpdateVersion, "1.9.4");

    ThvlgTransMetaData de = s.lc.ReadMetaData("de-de", "UTF8_shared.ini");
    EXPECT_EQ(de.Lingua_ID, "de-de") << "an empty id is filled with the culture asked for";
    EXPECT_EQ(de.Author_Name, "A&amp;B") << "metadata is not unescaped";
    EXPECT_EQ(s.lc.ReadMetaData("fr-fr", "UTF8_shared.ini").Lingua_ID, "fr-FR");

    ThvlgTransMetaData missing = s.lc.ReadMetaData("it-it", "UTF8_shared.ini");
    EXPECT_EQ(missing.Lingua_Desc, "English (US)") << "falls back to the default culture";
    EXPECT_EQ(missing.Lingua_ID, "en-us");
    EXPECT_EQ(s.lc.ReadMetaData("it-it", "UTF8_none.ini").Lingua_ID, "");
}

TEST(LanguageController, GlobalControllerIsWithdrawnOnDestruction) {
    EXPECT_EQ(GlobalLanguageController(), nullptr);
    {
        ThvlgLanguageController lc;
        lc.SetAsGlobalController();
        EXPECT_EQ(GlobalLanguageController(), &lc);
        ThvlgLanguageController other;
    }
    EXPECT_EQ(GlobalLanguageController(), nullptr);
}

TEST(LanguageController, CulturesDisplayNamesAndFlags) {
    test::TempDir dir;
    dir.write("de-de/display.txt", "\xEF\xBB\xBF Deutsch \r\n");
    dir.mkdir("en-us");
    dir.mkdir(".hidden");
    dir.write("en-us.bmp", "BM");
    dir.write("de-de/de-de.bmp", "BM");
    ThvlgLanguageController lc;
    lc.SetLanguagesFolder(dir.path());
    EXPECT_EQ(lc.AvailableCultures(), (StringArray{"de-de", "en-us"}));
    EXPECT_EQ(lc.CultureDisplayName("de-de"), "Deutsch");
    EXPECT_EQ(lc.CultureDisplayName("en-us"), "en-us");
    EXPECT_EQ(lc.CultureFlagPath("en-us"), dir.path() + "en-us.bmp");
    EXPECT_EQ(lc.CultureFlagPath("de-de"), dir.path() + "de-de/de-de.bmp");
    EXPECT_EQ(lc.CultureFlagPath("fr-fr"), "");
}

TEST(LanguageController, ShippedEnglishDisplayName) {
    ThvlgLanguageController lc;
    lc.SetLanguagesFolder(std::string(PATHWICK_SOURCE_DIR) + "/data/trans/");
    EXPECT_EQ(lc.CultureDisplayName("en-us"), "English (US)");
}

} // namespace
} // namespace pw

namespace pw {
namespace {

TEST(LanguageController, ACultureSavedUnderTheUserFolderIsReadFromThereFirst) {
    test::TempDir dir;
    dir.write("program/de-de/UTF8_program.ini",
              "[StrsGui____Controls__FrontMain]\r\npnlAddItemHeader.Caption=Programm\r\n");
    dir.write("program/de-de/UTF8_shared.ini", "[StrsGui____Controls__About]\r\nx.Caption=P\r\n");
    dir.write("user/de-de/UTF8_program.ini",
              "[StrsGui____Controls__FrontMain]\r\npnlAddItemHeader.Caption=Benutzer\r\n");
    dir.write("user/xx-yy/display.txt", "Neu");
    Started s(dir.path() + "program", "de-de");
    s.lc.SetUserLanguagesFolder(dir.path() + "user");
    EXPECT_EQ(s.lc.GetGuiString(kProgram, kSuffix, "pnlAddItemHeader.Caption", "Add item"),
              "Benutzer");
    // A file the user folder lacks comes from the program folder.
    EXPECT_EQ(s.lc.GetGuiString("UTF8_shared.ini", "____Controls__About", "x.Caption", "X"), "P");
    EXPECT_EQ(s.lc.AvailableCultures(), StringArray({"de-de", "xx-yy"}));
    EXPECT_EQ(s.lc.CultureDisplayName("xx-yy"), "Neu");
}

} // namespace
} // namespace pw
