// pathwick-ctl lang: keeps a culture's language files current from a script, with the same
// routines as the translation editor of the About window.
//
//   lang sync CULTURE [--trans DIR] [--print FILE]
//       rebuilds each of the culture's three files on the English structure with the culture's
//       values and saves it (a missing file is made from the English structure); with --print
//       writes the synced text of that one file to standard output and changes nothing.
//   lang check CULTURE [--trans DIR]
//       lists per file and section the keys whose translated value is missing; exit status 1
//       when there is any.

#include <cstdio>

#include "app/ctl/ctl_registry.h"
#include "lang/translation_files.h"
#include "util/paths.h"
#include "util/strings.h"

namespace {

constexpr const char* kUsage = "lang sync CULTURE [--trans DIR] [--print FILE] | "
                               "lang check CULTURE [--trans DIR]";

// A culture is a folder name of the languages folder: no path, nothing hidden.
bool IsCultureName(const std::string& culture) {
    return !culture.empty() && culture.front() != '.' && culture.find('/') == std::string::npos &&
           culture.find('\\') == std::string::npos;
}

// "program", "UTF8_program.ini", "program.ini" (any letter case) name the program file, and so on.
const char* LanguageFileNamed(const std::string& name) {
    std::string bare = pw::StrLower(name);
    if (pw::StrStartsWith(bare, "utf8_"))
        bare = bare.substr(5);
    if (pw::StrEndsWith(bare, ".ini"))
        bare.resize(bare.size() - 4);
    for (const char* file : pw::kLanguageFileNames)
        if ("utf8_" + bare + ".ini" == pw::StrLower(file))
            return file;
    return nullptr;
}

int RunLang(const pw::ctl::Args& arguments) {
    pw::ctl::Args args = arguments;
    std::string trans, print;
    if (!pw::ctl::TakeOption(args, "--trans", trans) ||
        !pw::ctl::TakeOption(args, "--print", print))
        return pw::ctl::UsageError("an option lacks its value");
    if (args.size() != 2 || (args[0] != "sync" && args[0] != "check"))
        return pw::ctl::UsageError(std::string("usage: ") + kUsage);
    const bool sync = args[0] == "sync";
    const std::string& culture = args[1];
    if (!IsCultureName(culture))
        return pw::ctl::UsageError("'" + culture + "' is not a culture name");
    if (pw::SameText(culture, pw::kEnglishCulture))
        return pw::ctl::UsageError("the English files are the program's own; they are not synced");
    if (!print.empty() && !sync)
        return pw::ctl::UsageError("--print goes with sync");
    const char* printed = nullptr;
    if (!print.empty() && !(printed = LanguageFileNamed(print)))
        return pw::ctl::UsageError("'" + print + "' is not one of the language files");

    if (trans.empty()) {
        const pw::ProgramLocation location = pw::ctl::ProgramFolderLocation();
        if (location.ProgramFolder.empty()) {
            std::fprintf(stderr, "pathwick-ctl: cannot find the program folder\n");
            return 2;
        }
        trans = location.ProgramFolder + "trans/";
    }
    trans = pw::IncludeTrailingSeparator(trans);
    const std::string englishFolder = trans + pw::kEnglishCulture + "/";
    const std::string cultureFolder = trans + culture + "/";

    int status = 0;
    for (const char* file : pw::kLanguageFileNames) {
        if (printed && printed != file)
            continue;
        const std::string english = pw::ReadLanguageFileText(englishFolder + file);
        if (english.empty()) {
            std::fprintf(stderr, "pathwick-ctl: no English file %s%s\n", englishFolder.c_str(),
                         file);
            return 2;
        }
        const std::string translation = pw::ReadLanguageFileText(cultureFolder + file);
        if (!sync) {
            std::string section = "\n"; // no section name has a line break
            for (const pw::MissingTranslation& m :
                 pw::FindMissingTranslations(english, translation)) {
                if (m.Section != section)
                    std::printf("%s/%s [%s]\n", culture.c_str(), file, m.Section.c_str());
                section = m.Section;
                std::printf("  %s\n", m.Key.c_str());
                status = 1;
            }
            continue;
        }
        const std::string synced = pw::SyncLanguageText(english, translation);
        if (printed) {
            const std::string text = pw::StrNormalizeLineBreaks(synced, "\r\n") + "\r\n";
            std::fwrite(text.data(), 1, text.size(), stdout);
            continue;
        }
        std::string saved;
        switch (pw::SaveLanguageFile(cultureFolder + file, synced, &saved)) {
        case pw::LanguageSaveResult::Saved:
            std::printf("synced %s\n", saved.c_str());
            break;
        case pw::LanguageSaveResult::FolderNotCreated:
            std::fprintf(stderr, "pathwick-ctl: cannot create the folder %s\n",
                         cultureFolder.c_str());
            return 1;
        case pw::LanguageSaveResult::NotWritten:
            std::fprintf(stderr, "pathwick-ctl: cannot write %s\n", saved.c_str());
            status = 1;
            break;
        }
    }
    return status;
}

const bool registered = pw::ctl::RegisterCommand({"lang", kUsage, RunLang});

} // namespace
