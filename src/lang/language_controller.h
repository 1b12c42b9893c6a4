#pragma once
// The language controller: where the language files are, which culture is current, the cached
// language files, the program's built-in English texts and the lookups with their fallbacks.
//
// Files live in LanguagesFolder + culture + "/" + file ("UTF8_general.ini", "UTF8_shared.ini",
// "UTF8_program.ini"). Texts the program registers go into the in-memory copy of the default
// culture's files only; the controller never writes a file.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "lang/ini_document.h"
#include "lang/template_variables.h"
#include "util/strings.h"

namespace pw {

struct ThvlgTransMetaData {
    std::string Lingua_ID;
    std::string Lingua_Desc;
    std::string Author_Name;
    std::string Author_Email;
    std::string Author_WebUrl;
    std::string Author_ThanksTo;
    std::string Author_Comments;
    std::string Document_LastUpdateDate;
    std::string Document_LastUpdateProgram;
    std::string Document_LastUpdateVersion;
};

struct ThvlgOptions {
    // While DesignCulture is set, GUI texts are not read from files; a resource string asked
    // for with the built-in flag is the caller's default while the current culture is the
    // default one.
    bool UseBuiltInTexts = false;
    // An empty GUI text is not registered.
    bool SkipEmptyTexts = false;
};

enum class ThvlgFileMode { Read, Write };

// A language file's text parsed into a document: byte order mark dropped, UTF-8 with the
// Windows-1252 fallback.
std::unique_ptr<IniDocument> ParseLanguageFileBytes(std::string_view bytes);

class ThvlgLanguageController {
public:
    ThvlgLanguageController();
    ~ThvlgLanguageController(); // withdraws the global controller if it is this one
    ThvlgLanguageController(const ThvlgLanguageController&) = delete;
    ThvlgLanguageController& operator=(const ThvlgLanguageController&) = delete;

    const std::string& DefaultCulture() const { return defaultCulture_; }
    const std::string& DesignCulture() const { return designCulture_; }
    const std::string& CurrentCulture() const { return currentCulture_; }
    const ThvlgOptions& Options() const { return options_; }
    void SetOptions(const ThvlgOptions& options) { options_ = options; }
    const std::string& LanguagesFolder() const { return languagesFolder_; }

    // Stores the folder with a trailing "/" ("" stays "": no file is read then).
    void SetLanguagesFolder(std::string_view folder);
    // A second languages folder, read first: the translations a translator saved under the user
    // data folder. A culture's file found there is read from there; the languages folder holds
    // the rest. "" (the default): none.
    void SetUserLanguagesFolder(std::string_view folder);
    const std::string& UserLanguagesFolder() const { return userLanguagesFolder_; }
    // Where the culture's file is read from: the user languages folder's when it exists, else
    // the languages folder's ("" without a languages folder).
    std::string LanguageFilePath(std::string_view culture, std::string_view file) const;
    // "es" becomes "es-us" when the languages folder has an "es-us" sub-folder; nothing else
    // is mapped.
    std::string AdjustCulture(std::string_view culture) const;
    // Makes the culture current; the design culture is cleared for good once it differs; the
    // cached files of cultures other than the current and the default one are dropped
    // (freeAll: every cached file except the default culture's, which hold the registered texts).
    void SetCurrentCulture(std::string_view culture, bool freeAll = false);
    void SetAsGlobalController();

    // The cached document for culture and file; read from disk when not cached. In read mode a
    // missing file gives nullptr; in write mode it gives a new empty document.
    IniDocument* GetLanguageFile(std::string_view culture, std::string_view file,
                                 ThvlgFileMode mode);
    size_t CachedFileCount() const { return cache_.size(); }

    void RegisterGuiString(std::string_view file, std::string_view sectionSuffix,
                           std::string_view key, std::string_view text);
    std::string GetGuiString(std::string_view file, std::string_view sectionSuffix,
                             std::string_view key, std::string_view defaultText);
    void RegisterResString(std::string_view file, std::string_view sectionSuffix,
                           std::string_view name, std::string_view text,
                           std::string_view templateSystem = "");
    std::string GetResString(std::string_view file, std::string_view sectionSuffix,
                             std::string_view name, std::string_view defaultText,
                             bool builtIn = false);

    void WriteMetaData(std::string_view file, const ThvlgTransMetaData& data);
    ThvlgTransMetaData ReadMetaData(std::string_view culture, std::string_view file);

    // Cultures present as sub-folders of either languages folder (hidden ones excluded), sorted.
    StringArray AvailableCultures() const;
    // The culture's "display.txt", trimmed; the culture name when there is none.
    std::string CultureDisplayName(std::string_view culture) const;
    // The culture's flag picture: languages folder + culture + ".bmp", else the same in the
    // culture's sub-folder; "" when neither exists.
    std::string CultureFlagPath(std::string_view culture) const;

    // Template systems and variables.
    ThvlgTemplates& Templates() { return templates_; }
    const ThvlgTemplates& Templates() const { return templates_; }
    void AddTemplateSystem(std::string_view name, std::string_view opening,
                           std::string_view closing) {
        templates_.AddTemplateSystem(name, opening, closing);
    }
    void AddTemplateVariable(std::string_view name, std::string_view value,
                             ThvlgGetValueCallback onGetValue = nullptr, bool overwrite = false) {
        templates_.AddTemplateVariable(name, value, std::move(onGetValue), overwrite);
    }
    std::string ExpandTemplate(std::string_view systemName, std::string_view text) const {
        return templates_.ExpandTemplate(systemName, text);
    }
    void PushDefaultTemplateSystem(std::string_view name) {
        templates_.PushDefaultTemplateSystem(name);
    }
    std::string DefaultTemplateSystem() const { return templates_.DefaultTemplateSystem(); }

private:
    struct CachedFile {
        std::string culture; // as asked for, compared exactly when evicting
        std::unique_ptr<IniDocument> document;
    };

    std::string defaultCulture_ = "en-us";
    std::string designCulture_ = "en-us";
    std::string currentCulture_ = "en-us";
    ThvlgOptions options_;
    std::string languagesFolder_;
    std::string userLanguagesFolder_;
    std::map<std::string, CachedFile> cache_; // folded "culture|file" -> document
    ThvlgTemplates templates_;
};

// The process-wide controller published by SetAsGlobalController; nullptr when there is none.
ThvlgLanguageController* GlobalLanguageController();

} // namespace pw
