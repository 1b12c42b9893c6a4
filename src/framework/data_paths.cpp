#include "framework/data_paths.h"

#include <cstdio>

#include "lang/ini_document.h"
#include "util/folders.h"
#include "util/paths.h"
#include "util/text_files.h"

namespace pw {

namespace {

constexpr std::string_view kMucIni = "muc.ini";
constexpr std::string_view kMiscSection = "Misc";

// The sub-folders of a data folder, and the ones seeded from the program folder, in order.
const char* const kDataSubFolders[] = {"projects/", "temp/",  "logs/",     "logs/misc/",
                                       "config/",   "reuse/", "shortcuts/"};
const char* const kSeededSubFolders[] = {"projects/", "logs/",  "logs/misc/",
                                         "config/",   "reuse/", "shortcuts/"};

void CreateDataSubFolders(const std::string& folder) {
    for (const char* sub : kDataSubFolders)
        ForceDirectories(folder + sub);
}

// A folder below base named by the company and product folder names, created when missing;
// "" when base is empty or a folder cannot be created.
std::string EstablishProductFolder(const std::string& base) {
    if (base.empty())
        return "";
    std::string company = IncludeTrailingSeparator(base) + std::string(kCompanyFolderName) + "/";
    if (!ForceDirectories(company))
        return "";
    std::string product = company + std::string(kProductFolderName) + "/";
    if (!ForceDirectories(product))
        return "";
    return product;
}

struct PerUserFolders {
    bool established = false;
    std::string documents;
    std::string appData;
};

void EstablishPerUserFolders(const DataPathInputs& inputs, PerUserFolders& folders) {
    if (folders.established)
        return;
    folders.established = true;
    folders.documents = EstablishProductFolder(inputs.DocumentsFolder);
    folders.appData = EstablishProductFolder(inputs.GenericDataFolder);
    if (!folders.documents.empty() && folders.appData.empty())
        folders.appData = folders.documents;
}

void MigrateOne(const std::string& programFolder, const std::string& legacyFile) {
    IniDocument legacy(ReadUtf8TextFile(legacyFile));
    std::string access = StrLower(StrTrim(legacy.ReadString(kMiscSection, "DataAccess", "all")));
    if (access == "user") {
        IniDocument muc;
        muc.WriteString("misc", "DataAccess", "os");
        WriteFileBytes(programFolder + std::string(kMucIni), muc.Text());
    }
    std::remove(legacyFile.c_str());
}

} // namespace

DataPathInputs StandardDataPathInputs(const ProgramLocation& location, const EnvLookup& env) {
    DataPathInputs inputs;
    inputs.ProgramFolder = location.ProgramFolder;
    inputs.BinaryFolder = location.BinaryFolder;
    inputs.ProgramFolderInstalled = location.Installed;
    inputs.DocumentsFolder = XdgDocumentsDir(env);
    inputs.GenericDataFolder = XdgDataHome(env);
    return inputs;
}

std::string ProgramBinaryFolder(const DataPathInputs& inputs) {
    return inputs.BinaryFolder.empty() ? inputs.ProgramFolder : inputs.BinaryFolder;
}

DataAccessMode ParseDataAccessMode(std::string_view value) {
    std::string mode = StrLower(StrTrim(value));
    if (mode == "os")
        return DataAccessMode::Os;
    if (mode == "app")
        return DataAccessMode::App;
    return DataAccessMode::Auto;
}

std::string DataAccessModeName(DataAccessMode mode) {
    switch (mode) {
    case DataAccessMode::Os:
        return "os";
    case DataAccessMode::App:
        return "app";
    case DataAccessMode::Auto:
        break;
    }
    return "auto";
}

void MigrateLegacyConfig(const std::string& programFolder) {
    if (FileExists(programFolder + std::string(kMucIni)))
        return;
    if (FileExists(programFolder + "glc.ini"))
        MigrateOne(programFolder, programFolder + "glc.ini");
    else if (FileExists(programFolder + "options.ini"))
        MigrateOne(programFolder, programFolder + "options.ini");
}

void SeedFromProgramFolder(const std::string& programFolder, const std::string& userFolder,
                           const std::string& subFolder) {
    std::string target = userFolder + subFolder;
    ForceDirectories(target);
    std::string source = programFolder + subFolder;
    if (userFolder != programFolder && DirectoryExists(source))
        CopyFolderTree(source, target, 0);
}

DataPaths ResolveDataPaths(const DataPathInputs& inputs) {
    DataPaths paths;
    const std::string pf = IncludeTrailingSeparator(inputs.ProgramFolder);
    paths.ProgramFolder = pf;
    std::string userData = pf;
    std::string coreData = pf;
    PerUserFolders perUser;
    const bool writable = !inputs.ProgramFolderInstalled;

    if (writable)
        MigrateLegacyConfig(pf);

    IniDocument muc(ReadUtf8TextFile(pf + std::string(kMucIni)));
    for (const std::string& name :
         StrSplit(muc.ReadString(kMiscSection, "FontOverride", ""), ",", true)) {
        std::string trimmed = StrTrim(name);
        if (!trimmed.empty())
            paths.FontOverride.push_back(trimmed);
    }
    DataAccessMode mode = ParseDataAccessMode(muc.ReadString(kMiscSection, "DataAccess", "auto"));

    if (mode == DataAccessMode::Auto)
        mode = inputs.PerUserFoldersAvailable ? DataAccessMode::Os : DataAccessMode::App;

    if (mode == DataAccessMode::Os) {
        EstablishPerUserFolders(inputs, perUser);
        if (perUser.documents.empty())
            mode = DataAccessMode::App;
    }

    if (mode == DataAccessMode::App) {
        std::string dataUserPath = muc.ReadString(kMiscSection, "DataUserPath", "");
        if (!dataUserPath.empty()) {
            dataUserPath = IncludeTrailingSeparator(dataUserPath);
            // A relative folder is taken relative to the program folder, not to whatever the
            // current folder happens to be.
            if (!IsAbsolutePath(dataUserPath))
                dataUserPath = ResolveDots(pf + dataUserPath);
            if (dataUserPath == pf || !DirectoryExists(dataUserPath) ||
                !ForceDirectories(dataUserPath + "projects/"))
                dataUserPath.clear();
        }
        if (!dataUserPath.empty()) {
            userData = coreData = dataUserPath;
            CreateDataSubFolders(userData);
            for (const char* sub : kSeededSubFolders)
                SeedFromProgramFolder(pf, userData, sub);
        } else {
            if (!writable || !ForceDirectories(pf + "projects/")) {
                EstablishPerUserFolders(inputs, perUser);
                if (!perUser.documents.empty())
                    mode = DataAccessMode::Os;
            }
            if (mode == DataAccessMode::App && writable)
                CreateDataSubFolders(pf);
        }
    }

    if (mode == DataAccessMode::Os) {
        userData = perUser.documents;
        coreData = perUser.appData;
        SeedFromProgramFolder(pf, userData, "projects/");
        ForceDirectories(userData + "temp/");
        for (const char* sub : kSeededSubFolders)
            if (std::string_view(sub) != "projects/")
                SeedFromProgramFolder(pf, userData, sub);
    }

    paths.LanguageFolder = pf + "trans/";
    paths.TipsFolder = pf + "tips/";
    paths.HelpFolder = pf + "help/";
    if (writable) {
        ForceDirectories(pf);
        ForceDirectories(paths.LanguageFolder);
        ForceDirectories(paths.TipsFolder);
        std::string englishTips = paths.TipsFolder + "english.txt";
        if (FileExists(englishTips))
            std::remove(englishTips.c_str());
    }

    paths.AccessMode = mode;
    paths.UserDataFolder = userData;
    paths.CoreDataFolder = coreData;
    paths.ProjectsFolder = userData + "projects/";
    paths.TempFolder = userData + "temp/";
    paths.LogsFolder = userData + "logs/";
    paths.ConfigFolder = userData + "config/";
    paths.ReuseFolder = userData + "reuse/";
    paths.ItemsRoot = userData + "shortcuts/";
    paths.OptionsFile = paths.ConfigFolder + "options.ini";
    paths.LogFile = paths.LogsFolder + "misc/program.log";
    paths.Macros = MakeProgramPathMacros(paths.ItemsRoot, pf);
    return paths;
}

} // namespace pw
