#include "lang/language_controller.h"

#include <algorithm>

#include "lang/lang_escape.h"
#include "util/folders.h"
#include "util/paths.h"
#include "util/text_files.h"

namespace pw {

namespace {

ThvlgLanguageController* gGlobalController = nullptr;

constexpr std::string_view kGuiPrefix = "StrsGui";
constexpr std::string_view kResPrefix = "StrsRes";
constexpr std::string_view kMetaSection = "MetaData";
constexpr std::string_view kValueSuffix = "__Value";
constexpr std::string_view kTemplateSuffix = "__Template";

std::string CacheKey(std::string_view culture, std::string_view file) {
    std::string key(culture);
    key += '|';
    key += file;
    return IniFoldName(key);
}

std::string Concat(std::string_view a, std::string_view b) {
    std::string s(a);
    s += b;
    return s;
}

} // namespace

std::unique_ptr<IniDocument> ParseLanguageFileBytes(std::string_view bytes) {
    return std::make_unique<IniDocument>(DecodeUtf8(StripByteOrderMark(bytes)));
}

ThvlgLanguageController* GlobalLanguageController() {
    return gGlobalController;
}

ThvlgLanguageController::ThvlgLanguageController() = default;

ThvlgLanguageController::~ThvlgLanguageController() {
    if (gGlobalController == this)
        gGlobalController = nullptr;
}

void ThvlgLanguageController::SetAsGlobalController() {
    gGlobalController = this;
}

void ThvlgLanguageController::SetLanguagesFolder(std::string_view folder) {
    languagesFolder_ = folder.empty() ? std::string() : IncludeTrailingSeparator(folder);
}

void ThvlgLanguageController::SetUserLanguagesFolder(std::string_view folder) {
    userLanguagesFolder_ = folder.empty() ? std::string() : IncludeTrailingSeparator(folder);
}

std::string ThvlgLanguageController::LanguageFilePath(std::string_view culture,
                                                      std::string_view file) const {
    const std::string relative = std::string(culture) + "/" + std::string(file);
    if (!userLanguagesFolder_.empty() && FileExists(userLanguagesFolder_ + relative))
        return userLanguagesFolder_ + relative;
    return languagesFolder_.empty() ? std::string() : languagesFolder_ + relative;
}

std::string ThvlgLanguageController::AdjustCulture(std::string_view culture) const {
    std::string result(culture);
    if (languagesFolder_.empty() || !DirectoryExists(languagesFolder_))
        return result;
    if (result == "es" && DirectoryExists(languagesFolder_ + "es-us"))
        result = "es-us";
    return result;
}

void ThvlgLanguageController::SetCurrentCulture(std::string_view culture, bool freeAll) {
    currentCulture_ = std::string(culture);
    if (designCulture_ != currentCulture_)
        designCulture_.clear();
    for (auto it = cache_.begin(); it != cache_.end();) {
        const std::string& owner = it->second.culture;
        bool keep = owner == defaultCulture_ || (!freeAll && owner == currentCulture_);
        it = keep ? std::next(it) : cache_.erase(it);
    }
}

IniDocument* ThvlgLanguageController::GetLanguageFile(std::string_view culture,
                                                      std::string_view file, ThvlgFileMode mode) {
    std::string key = CacheKey(culture, file);
    if (auto it = cache_.find(key); it != cache_.end())
        return it->second.document.get();

    std::unique_ptr<IniDocument> document;
    const std::string path = LanguageFilePath(culture, file);
    if (!path.empty() && FileExists(path))
        document = ParseLanguageFileBytes(ReadFileBytes(path));
    else if (mode == ThvlgFileMode::Write)
        document = std::make_unique<IniDocument>();
    else
        return nullptr;

    IniDocument* result = document.get();
    cache_.emplace(key, CachedFile{std::string(culture), std::move(document)});
    return result;
}

void ThvlgLanguageController::RegisterGuiString(std::string_view file,
                                                std::string_view sectionSuffix,
                                                std::string_view key, std::string_view text) {
    if (text.empty() && options_.SkipEmptyTexts)
        return;
    IniDocument* document = GetLanguageFile(defaultCulture_, file, ThvlgFileMode::Write);
    document->WriteString(Concat(kGuiPrefix, sectionSuffix), key, EscapeLangValue(text));
}

std::string ThvlgLanguageController::GetGuiString(std::string_view file,
                                                  std::string_view sectionSuffix,
                                                  std::string_view key,
                                                  std::string_view defaultText) {
    if (options_.UseBuiltInTexts && !designCulture_.empty())
        return std::string(defaultText);
    const std::string section = Concat(kGuiPrefix, sectionSuffix);
    for (const std::string* culture : {&currentCulture_, &defaultCulture_}) {
        if (culture == &defaultCulture_ && defaultCulture_ == currentCulture_)
            break;
        IniDocument* document = GetLanguageFile(*culture, file, ThvlgFileMode::Read);
        if (!document)
            continue;
        if (std::optional<std::string> value = document->Find(section, key))
            return UnescapeLangValue(*value);
    }
    return std::string(defaultText);
}

void ThvlgLanguageController::RegisterResString(std::string_view file,
                                                std::string_view sectionSuffix,
                                                std::string_view name, std::string_view text,
                                                std::string_view templateSystem) {
    IniDocument* document = GetLanguageFile(defaultCulture_, file, ThvlgFileMode::Write);
    const std::string section = Concat(kResPrefix, sectionSuffix);
    document->WriteString(section, Concat(name, kValueSuffix), EscapeLangValue(text));
    if (!templateSystem.empty())
        document->WriteString(section, Concat(name, kTemplateSuffix),
                              EscapeLangValue(templateSystem));
}

std::string ThvlgLanguageController::GetResString(std::string_view file,
                                                  std::string_view sectionSuffix,
                                                  std::string_view name,
                                                  std::string_view defaultText, bool builtIn) {
    if (builtIn && options_.UseBuiltInTexts && currentCulture_ == defaultCulture_)
        return ExpandTemplate(DefaultTemplateSystem(), defaultText);
    const std::string section = Concat(kResPrefix, sectionSuffix);
    const std::string valueKey = Concat(name, kValueSuffix);
    for (const std::string* culture : {&currentCulture_, &defaultCulture_}) {
        if (culture == &defaultCulture_ && defaultCulture_ == currentCulture_)
            break;
        IniDocument* document = GetLanguageFile(*culture, file, ThvlgFileMode::Read);
        if (!document)
            continue;
        std::optional<std::string> value = document->Find(section, valueKey);
        if (!value)
            continue;
        std::string text = UnescapeLangValue(*value);
        std::string system =
            UnescapeLangValue(document->ReadString(section, Concat(name, kTemplateSuffix), ""));
        return system.empty() ? text : ExpandTemplate(system, text);
    }
    return std::string(defaultText);
}

void ThvlgLanguageController::WriteMetaData(std::string_view file, const ThvlgTransMetaData& data) {
    IniDocument* document = GetLanguageFile(defaultCulture_, file, ThvlgFileMode::Write);
    document->WriteString(kMetaSection, "Lingua_ID", data.Lingua_ID);
    document->WriteString(kMetaSection, "Lingua_Desc", data.Lingua_Desc);
    document->WriteString(kMetaSection, "Author_Name", data.Author_Name);
    document->WriteString(kMetaSection, "Author_Email", data.Author_Email);
    document->WriteString(kMetaSection, "Author_WebUrl", data.Author_WebUrl);
    document->WriteString(kMetaSection, "Author_ThanksTo", data.Author_ThanksTo);
    document->WriteString(kMetaSection, "Author_Comments", data.Author_Comments);
    document->WriteString(kMetaSection, "Document_LastUpdateDate", data.Document_LastUpdateDate);
    document->WriteString(kMetaSection, "Document_LastUpdateProgram",
                          data.Document_LastUpdateProgram);
    document->WriteString(kMetaSection, "Document_LastUpdateVersion",
                          data.Document_LastUpdateVersion);
}

ThvlgTransMetaData ThvlgLanguageController::ReadMetaData(std::string_view culture,
                                                         std::string_view file) {
    ThvlgTransMetaData data;
    IniDocument* document = GetLanguageFile(culture, file, ThvlgFileMode::Read);
    if (!document && currentCulture_ != culture)
        document = GetLanguageFile(currentCulture_, file, ThvlgFileMode::Read);
    if (!document && defaultCulture_ != currentCulture_)
        document = GetLanguageFile(defaultCulture_, file, ThvlgFileMode::Read);
    if (!document)
        return data;
    auto read = [document](std::string_view key) {
        return document->ReadString(kMetaSection, key, "");
    };
    data.Lingua_ID = read("Lingua_ID");
    data.Lingua_Desc = read("Lingua_Desc");
    data.Author_Name = read("Author_Name");
    data.Author_Email = read("Author_Email");
    data.Author_WebUrl = read("Author_WebUrl");
    data.Author_ThanksTo = read("Author_ThanksTo");
    data.Author_Comments = read("Author_Comments");
    data.Document_LastUpdateDate = read("Document_LastUpdateDate");
    data.Document_LastUpdateProgram = read("Document_LastUpdateProgram");
    data.Document_LastUpdateVersion = read("Document_LastUpdateVersion");
    if (data.Lingua_ID.empty()) {
        data.Lingua_ID = std::string(culture);
        document->WriteString(kMetaSection, "Lingua_ID", data.Lingua_ID);
    }
    return data;
}

StringArray ThvlgLanguageController::AvailableCultures() const {
    StringArray cultures;
    for (const std::string* folder : {&languagesFolder_, &userLanguagesFolder_}) {
        if (folder->empty())
            continue;
        for (const std::string& culture : ListSubfolderNames(*folder))
            if (std::none_of(cultures.begin(), cultures.end(),
                             [&culture](const std::string& c) { return SameText(c, culture); }))
                cultures.push_back(culture);
    }
    std::sort(cultures.begin(), cultures.end(),
              [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    return cultures;
}

std::string ThvlgLanguageController::CultureDisplayName(std::string_view culture) const {
    std::string name;
    const std::string path = LanguageFilePath(culture, "display.txt");
    if (!path.empty())
        name = StrTrim(ReadUtf8TextFile(path));
    return name.empty() ? std::string(culture) : name;
}

std::string ThvlgLanguageController::CultureFlagPath(std::string_view culture) const {
    if (languagesFolder_.empty())
        return "";
    std::string name = std::string(culture) + ".bmp";
    if (FileExists(languagesFolder_ + name))
        return languagesFolder_ + name;
    std::string inner = languagesFolder_ + std::string(culture) + "/" + name;
    return FileExists(inner) ? inner : "";
}

} // namespace pw
