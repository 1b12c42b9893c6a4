#include "framework/data_paths.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "util/paths.h"

namespace pw {
namespace {

// A program folder, a documents folder and a data folder inside one temporary folder.
struct Layout {
    test::TempDir dir;
    std::string program = dir.mkdir("prog");
    std::string documents = dir.path() + "home/Documents/";
    std::string data = dir.path() + "home/.local/share/";

    DataPathInputs Inputs() const {
        DataPathInputs inputs;
        inputs.ProgramFolder = program;
        inputs.DocumentsFolder = documents;
        inputs.GenericDataFolder = data;
        return inputs;
    }
    std::string PerUser() const { return documents + "Halvorn-Ek/Pathwick/"; }
};

TEST(DataPaths, AccessModeWords) {
    EXPECT_EQ(ParseDataAccessMode(" OS "), DataAccessMode::Os);
    EXPECT_EQ(ParseDataAccessMode("App"), DataAccessMode::App);
    EXPECT_EQ(ParseDataAccessMode("auto"), DataAccessMode::Auto);
    EXPECT_EQ(ParseDataAccessMode("USER"), DataAccessMode::Auto) << "only legacy files know user";
    EXPECT_EQ(ParseDataAccessMode(""), DataAccessMode::Auto);
}

TEST(DataPaths, DefaultModeUsesPerUserFoldersAndSeedsThem) {
    Layout l;
    test::TempDir& d = l.dir;
    d.write("prog/config/options.ini", "[ProgramOptions.General]\r\nLanguageCulture=de-de\r\n");
    d.write("prog/shortcuts/shortcuts-utf8.txt", "items");
    d.write("prog/shortcuts/Sub/shortcuts-utf8.txt", "sub items");

    DataPaths p = ResolveDataPaths(l.Inputs());
    EXPECT_EQ(p.AccessMode, DataAccessMode::Os);
    EXPECT_EQ(p.ProgramFolder, l.program);
    EXPECT_EQ(p.UserDataFolder, l.PerUser());
    EXPECT_EQ(p.CoreDataFolder, l.data + "Halvorn-Ek/Pathwick/");
    EXPECT_EQ(p.ItemsRoot, l.PerUser() + "shortcuts/");
    EXPECT_EQ(p.OptionsFile, l.PerUser() + "config/options.ini");
    EXPECT_EQ(p.LogFile, l.PerUser() + "logs/misc/program.log");
    EXPECT_EQ(p.LanguageFolder, l.program + "trans/");
    EXPECT_EQ(p.TempFolder, l.PerUser() + "temp/");
    for (const char* sub : {"projects/", "temp/", "logs/misc/", "config/", "reuse/"})
        EXPECT_TRUE(DirectoryExists(l.PerUser() + sub)) << sub;
    EXPECT_EQ(test::SlurpFile(p.OptionsFile),
              "[ProgramOptions.General]\r\nLanguageCulture=de-de\r\n");
    EXPECT_EQ(test::SlurpFile(p.ItemsRoot + "Sub/shortcuts-utf8.txt"), "sub items");

    // The user's copies are never overwritten by a later start.
    d.write("home/Documents/Halvorn-Ek/Pathwick/config/options.ini", "mine");
    d.write("prog/shortcuts/new.txt", "new");
    DataPaths again = ResolveDataPaths(l.Inputs());
    EXPECT_EQ(again.UserDataFolder, p.UserDataFolder);
    EXPECT_EQ(test::SlurpFile(p.OptionsFile), "mine");
    EXPECT_EQ(test::SlurpFile(p.ItemsRoot + "new.txt"), "new") << "missing files are added";
}

TEST(DataPaths, MacrosInTableOrder) {
    Layout l;
    DataPaths p = ResolveDataPaths(l.Inputs());
    ASSERT_EQ(p.Macros.Pairs().size(), 3u);
    EXPECT_EQ(p.Macros.Pairs()[0], std::make_pair(std::string("?($AppDirData)?"), p.ItemsRoot));
    EXPECT_EQ(p.Macros.Pairs()[1], std::make_pair(std::string("?($AppPath)?"), l.program));
    EXPECT_EQ(p.Macros.Pairs()[2], std::make_pair(std::string("?L?"), l.program));
}

TEST(DataPaths, AppModeKeepsDataInProgramFolder) {
    Layout l;
    l.dir.write("prog/muc.ini",
                "[misc]\r\ndataaccess= APP \r\nFontOverride= Verdana , Tahoma,\r\n");
    DataPaths p = ResolveDataPaths(l.Inputs());
    EXPECT_EQ(p.AccessMode, DataAccessMode::App);
    EXPECT_EQ(p.UserDataFolder, l.program);
    EXPECT_EQ(p.CoreDataFolder, l.program);
    EXPECT_EQ(p.ItemsRoot, l.program + "shortcuts/");
    EXPECT_TRUE(DirectoryExists(l.program + "logs/misc/"));
    EXPECT_TRUE(DirectoryExists(l.program + "tips/"));
    EXPECT_FALSE(DirectoryExists(l.documents)) << "per-user folders untouched";
    EXPECT_EQ(p.FontOverride, (StringArray{"Verdana", "Tahoma"}));
}

TEST(DataPaths, AppModeWithDataUserPath) {
    Layout l;
    std::string other = l.dir.mkdir("elsewhere");
    l.dir.write("prog/muc.ini",
                "[Misc]\nDataAccess=app\nDataUserPath=" + ExcludeTrailingSeparator(other) + "\n");
    l.dir.write("prog/config/options.ini", "seed");
    DataPaths p = ResolveDataPaths(l.Inputs());
    EXPECT_EQ(p.UserDataFolder, other);
    EXPECT_EQ(p.CoreDataFolder, other);
    EXPECT_EQ(test::SlurpFile(other + "config/options.ini"), "seed");
    EXPECT_TRUE(DirectoryExists(other + "temp/"));
}

TEST(DataPaths, RelativeDataUserPathIsBelowTheProgramFolder) {
    Layout l;
    l.dir.mkdir("prog/data");
    l.dir.write("prog/muc.ini", "[Misc]\nDataAccess=app\nDataUserPath=data\n");
    DataPaths p = ResolveDataPaths(l.Inputs());
    EXPECT_EQ(p.UserDataFolder, l.program + "data/");
}

TEST(DataPaths, UnusableDataUserPathIsIgnored) {
    Layout l;
    l.dir.write("prog/muc.ini",
                "[Misc]\nDataAccess=app\nDataUserPath=" + l.dir.path() + "missing\n");
    EXPECT_EQ(ResolveDataPaths(l.Inputs()).UserDataFolder, l.program);
    l.dir.write("prog/muc.ini", "[Misc]\nDataAccess=app\nDataUserPath=" + l.program + "\n");
    EXPECT_EQ(ResolveDataPaths(l.Inputs()).UserDataFolder, l.program);
}

TEST(DataPaths, UnwritableProgramFolderInAppModeSwitchesToPerUserFolders) {
    Layout l;
    // A program folder below a plain file can never get a sub-folder, not even for root.
    l.dir.write("file", "x");
    DataPathInputs inputs = l.Inputs();
    inputs.ProgramFolder = l.dir.path() + "file/prog/";
    inputs.PerUserFoldersAvailable = false; // "auto" means "app" here
    DataPaths p = ResolveDataPaths(inputs);
    EXPECT_EQ(p.AccessMode, DataAccessMode::Os);
    EXPECT_EQ(p.UserDataFolder, l.PerUser());
}

TEST(DataPaths, NoDocumentsFolderFallsBackToProgramFolder) {
    Layout l;
    DataPathInputs inputs = l.Inputs();
    l.dir.write("nodocs", "plain file");
    inputs.DocumentsFolder = l.dir.path() + "nodocs/";
    DataPaths p = ResolveDataPaths(inputs);
    EXPECT_EQ(p.AccessMode, DataAccessMode::App);
    EXPECT_EQ(p.UserDataFolder, l.program);
}

TEST(DataPaths, DataFolderFallsBackToDocumentsFolder) {
    Layout l;
    DataPathInputs inputs = l.Inputs();
    inputs.GenericDataFolder = "";
    DataPaths p = ResolveDataPaths(inputs);
    EXPECT_EQ(p.CoreDataFolder, l.PerUser());
}

TEST(DataPaths, LegacyGlcIniWithUserBecomesMucIni) {
    Layout l;
    l.dir.write("prog/glc.ini", "[Misc]\r\nDataAccess= User \r\n");
    l.dir.write("prog/options.ini", "[Misc]\r\nDataAccess=user\r\n");
    MigrateLegacyConfig(l.program);
    EXPECT_FALSE(FileExists(l.program + "glc.ini"));
    EXPECT_TRUE(FileExists(l.program + "options.ini")) << "only the first legacy file is used";
    EXPECT_EQ(test::SlurpFile(l.program + "muc.ini"), "[misc]\r\nDataAccess=os\r\n");
    MigrateLegacyConfig(l.program);
    EXPECT_TRUE(FileExists(l.program + "options.ini")) << "nothing happens once muc.ini exists";
}

TEST(DataPaths, LegacyFileWithOtherValueIsDeletedWithoutMucIni) {
    Layout l;
    l.dir.write("prog/options.ini", "[Misc]\r\nDataAccess=all\r\n");
    MigrateLegacyConfig(l.program);
    EXPECT_FALSE(FileExists(l.program + "options.ini"));
    EXPECT_FALSE(FileExists(l.program + "muc.ini"));
}

TEST(DataPaths, LegacyOsModeIsHonouredByTheResolution) {
    Layout l;
    l.dir.write("prog/glc.ini", "[Misc]\r\nDataAccess=user\r\n");
    DataPathInputs inputs = l.Inputs();
    inputs.PerUserFoldersAvailable = false;
    EXPECT_EQ(ResolveDataPaths(inputs).UserDataFolder, l.PerUser());
}

TEST(DataPaths, EnglishTipsAreDeleted) {
    Layout l;
    l.dir.write("prog/tips/english.txt", "old");
    l.dir.write("prog/tips/other.txt", "keep");
    ResolveDataPaths(l.Inputs());
    EXPECT_FALSE(FileExists(l.program + "tips/english.txt"));
    EXPECT_TRUE(FileExists(l.program + "tips/other.txt"));
}

// An installed data folder belongs to the package manager: the program only reads from it, even
// when it could write there (a root user, or a folder of the user's own), and in every mode.
TEST(DataPaths, InstalledProgramFolderIsOnlyRead) {
    Layout l;
    test::TempDir& d = l.dir;
    d.write("prog/shortcuts/shortcuts-utf8.txt", "sample");
    d.write("prog/glc.ini", "[Misc]\r\nDataAccess=user\r\n");
    d.write("prog/tips/english.txt", "old");
    DataPathInputs inputs = l.Inputs();
    inputs.ProgramFolderInstalled = true;

    DataPaths p = ResolveDataPaths(inputs);
    EXPECT_EQ(p.AccessMode, DataAccessMode::Os);
    EXPECT_EQ(p.UserDataFolder, l.PerUser());
    EXPECT_EQ(test::SlurpFile(p.ItemsRoot + "shortcuts-utf8.txt"), "sample") << "still seeds";
    EXPECT_EQ(p.HelpFolder, l.program + "help/");
    EXPECT_TRUE(FileExists(l.program + "glc.ini")) << "no migration";
    EXPECT_FALSE(FileExists(l.program + "muc.ini"));
    EXPECT_TRUE(FileExists(l.program + "tips/english.txt"));
    EXPECT_FALSE(DirectoryExists(l.program + "trans/"));

    // "app" mode without a data folder of its own moves to the per-user folders.
    d.write("prog/muc.ini", "[Misc]\r\nDataAccess=app\r\n");
    p = ResolveDataPaths(inputs);
    EXPECT_EQ(p.AccessMode, DataAccessMode::Os);
    EXPECT_EQ(p.UserDataFolder, l.PerUser());
    EXPECT_FALSE(DirectoryExists(l.program + "projects/"));
    EXPECT_FALSE(DirectoryExists(l.program + "config/"));

    // With no per-user folder either, the program folder is named but nothing is created there.
    inputs.DocumentsFolder = l.dir.write("nodocs", "plain file") + "/";
    p = ResolveDataPaths(inputs);
    EXPECT_EQ(p.AccessMode, DataAccessMode::App);
    EXPECT_EQ(p.UserDataFolder, l.program);
    EXPECT_FALSE(DirectoryExists(l.program + "projects/"));
    EXPECT_FALSE(DirectoryExists(l.program + "logs/"));
}

TEST(DataPaths, StandardInputsFollowTheEnvironment) {
    test::TempDir home;
    home.write(".config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    DataPathInputs inputs =
        StandardDataPathInputs({"/opt/pathwick/bin/", "/opt/pathwick/share/pathwick/", true},
                               FixedEnvironment({{"HOME", home.path()}}));
    EXPECT_EQ(inputs.ProgramFolder, "/opt/pathwick/share/pathwick/");
    EXPECT_EQ(ProgramBinaryFolder(inputs), "/opt/pathwick/bin/");
    EXPECT_TRUE(inputs.ProgramFolderInstalled);
    EXPECT_EQ(inputs.DocumentsFolder, home.path() + "Docs/");
    EXPECT_EQ(inputs.GenericDataFolder, home.path() + ".local/share/");
}

} // namespace
} // namespace pw
