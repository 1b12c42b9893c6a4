// Language files over arbitrary bytes: loading, the lookups with unescaping and template
// expansion, metadata, and the escaping round trip of every value found.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "lang/lang_escape.h"
#include "lang/language_controller.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<pw::IniDocument> doc = pw::ParseLanguageFileBytes(bytes);

    pw::ThvlgTemplates templates;
    templates.AddTemplateVariable("a", "{b}");
    templates.AddTemplateVariable("b", "{a}{a}");
    templates.AddTemplateVariable("CompanyUrlFull", "https://h.example");
    for (const std::string& section : doc->SectionNames()) {
        for (const std::string& name : doc->SectionEntryNames(section)) {
            std::string value = pw::UnescapeLangValue(doc->ReadString(section, name, ""));
            if (pw::UnescapeLangValue(pw::EscapeLangValue(value)) != value)
                std::abort();
            for (const char* system : {"__curly", "__sharp", "__dollar"})
                (void)templates.ExpandTemplate(system, value);
        }
    }

    // The same bytes as a language file on disk, through the controller.
    // One folder for the whole run, removed when the fuzzer exits.
    struct LanguagesFolder {
        std::string path;
        LanguagesFolder() {
            char pattern[] = "/tmp/pathwick-langfuzz-XXXXXX";
            if (const char* made = mkdtemp(pattern)) {
                path = std::string(made) + "/";
                mkdir((path + "xx-xx").c_str(), 0700);
            }
        }
        ~LanguagesFolder() {
            std::error_code ec;
            if (!path.empty())
                std::filesystem::remove_all(path, ec);
        }
    };
    static const LanguagesFolder languages;
    const std::string& folder = languages.path;
    if (folder.empty())
        return 0;
    if (FILE* f = std::fopen((folder + "xx-xx/UTF8_program.ini").c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    pw::ThvlgLanguageController lc;
    lc.SetLanguagesFolder(folder);
    lc.SetCurrentCulture(lc.AdjustCulture("xx-xx"));
    lc.SetOptions({true, true});
    lc.PushDefaultTemplateSystem("__curly");
    lc.RegisterGuiString("UTF8_program.ini", "__S", "k", "English");
    lc.RegisterResString("UTF8_program.ini", "__S", "r", "English {CompanyUrlFull}", "__curly");
    for (const std::string& section : doc->SectionNames()) {
        std::string suffix = section.size() > 7 ? section.substr(7) : std::string();
        for (const std::string& name : doc->SectionEntryNames(section)) {
            (void)lc.GetGuiString("UTF8_program.ini", suffix, name, "d");
            std::string resName = name.size() > 7 ? name.substr(0, name.size() - 7) : name;
            (void)lc.GetResString("UTF8_program.ini", suffix, resName, "d", true);
        }
    }
    if (lc.GetGuiString("UTF8_program.ini", "__S", "k", "d").empty() &&
        !doc->ValueExists("StrsGui__S", "k"))
        std::abort();
    (void)lc.ReadMetaData("xx-xx", "UTF8_program.ini");
    return 0;
}
