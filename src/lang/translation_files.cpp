#include "lang/translation_files.h"

#include <type_traits>
#include <unordered_map>

#include "lang/ini_document.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_files.h"
#include "util/text_lines.h"

namespace pw {

namespace {

constexpr std::string_view kMetaSection = "MetaData";

// The translation's values by folded "section" + "\n" + "key"; the first of equal keys counts.
class TranslationValues {
public:
    explicit TranslationValues(std::string_view text) {
        std::string section;
        ForEachLine(text, [this, &section](std::string_view raw) {
            const std::string line = StrTrim(raw);
            if (line.empty() || line.front() == ';')
                return;
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
                section = IniFoldName(StrTrim(std::string_view(line).substr(1, line.size() - 2)));
                return;
            }
            const size_t eq = line.find('=');
            if (eq == std::string::npos)
                return;
            values_.emplace(Key(section, StrTrim(std::string_view(line).substr(0, eq))),
                            StrTrim(std::string_view(line).substr(eq + 1)));
        });
    }
    const std::string* Find(const std::string& foldedSection, std::string_view key) const {
        auto it = values_.find(Key(foldedSection, key));
        return it == values_.end() ? nullptr : &it->second;
    }

private:
    static std::string Key(const std::string& foldedSection, std::string_view key) {
        std::string k = foldedSection;
        k += '\n';
        k += IniFoldName(StrTrim(key));
        return k;
    }
    std::unordered_map<std::string, std::string> values_;
};

// One English line as Sync sees it.
struct EnglishLine {
    enum Kind { Keep, SectionHead, Entry } kind = Keep;
    std::string section; // SectionHead: the section's name
    std::string key;     // Entry: the text before the first "=" (as it stands)
    std::string value;   // Entry: the English value, trimmed
};

EnglishLine ParseEnglishLine(std::string_view raw) {
    EnglishLine result;
    const std::string t = StrTrim(raw);
    if (t.empty() || t.front() == ';')
        return result;
    if (t.front() == '[') {
        result.kind = EnglishLine::SectionHead;
        const size_t close = t.find(']');
        if (close != std::string::npos)
            result.section = StrTrim(std::string_view(t).substr(1, close - 1));
        return result;
    }
    const size_t eq = t.find('=');
    if (eq == std::string::npos)
        return result; // left as in English
    result.kind = EnglishLine::Entry;
    result.key = t.substr(0, eq);
    result.value = StrTrim(std::string_view(t).substr(eq + 1));
    return result;
}

// Whether Sync takes the entry's value from the translation.
bool IsTranslatedEntry(const std::string& foldedSection, const std::string& key) {
    if (foldedSection == IniFoldName(kMetaSection))
        return true;
    const std::string folded = IniFoldName(StrTrim(key));
    return folded.find("__") == std::string::npos || StrEndsWith(folded, "__value");
}

// Walks the English text as Sync does: f(raw line, parsed line, folded current section).
template <typename F> void WalkEnglish(std::string_view englishText, F f) {
    std::string section;
    ForEachLine(englishText, [&](std::string_view raw) {
        EnglishLine line = ParseEnglishLine(raw);
        if (line.kind == EnglishLine::SectionHead)
            section = IniFoldName(line.section);
        f(raw, line, section);
    });
}

} // namespace

std::string LanguageFileUtf8Path(std::string_view path) {
    const std::string name = ExtractFileName(path);
    if (StrStartsWith(name, "UTF8_", true))
        return std::string(path);
    return InsertNamePrefix(path, "UTF8_");
}

std::string ReadLanguageFileText(const std::string& path) {
    std::string bytes;
    const std::string utf8 = LanguageFileUtf8Path(path);
    if (FileExists(utf8))
        bytes = ReadFileBytes(utf8);
    else if (FileExists(path))
        bytes = ReadFileBytes(path);
    return StrTrim(StrNormalizeLineBreaks(DecodeUtf8(StripByteOrderMark(bytes)), "\r\n"));
}

std::string SyncLanguageText(std::string_view englishText, std::string_view translationText) {
    const TranslationValues values(translationText);
    std::string result;
    result.reserve(englishText.size() + englishText.size() / 4);
    WalkEnglish(englishText,
                [&](std::string_view raw, const EnglishLine& line, const std::string& section) {
                    if (line.kind == EnglishLine::Entry && IsTranslatedEntry(section, line.key)) {
                        result += line.key;
                        result += '=';
                        if (const std::string* value = values.Find(section, line.key))
                            result += *value;
                    } else {
                        result += raw;
                    }
                    result += "\r\n";
                });
    return StrTrim(StrNormalizeLineBreaks(result, "\r\n"));
}

std::vector<MissingTranslation> FindMissingTranslations(std::string_view englishText,
                                                        std::string_view translationText) {
    const TranslationValues values(translationText);
    std::vector<MissingTranslation> missing;
    std::string sectionName;
    WalkEnglish(englishText,
                [&](std::string_view, const EnglishLine& line, const std::string& section) {
                    if (line.kind == EnglishLine::SectionHead)
                        sectionName = line.section;
                    if (line.kind != EnglishLine::Entry || !IsTranslatedEntry(section, line.key))
                        return;
                    const std::string* value = values.Find(section, line.key);
                    if (!value || (value->empty() && !line.value.empty()))
                        missing.push_back({sectionName, StrTrim(line.key)});
                });
    return missing;
}

std::string LanguageFileBytes(std::string_view text) {
    // Always a mark of its own: a text that itself begins with U+FEFF keeps it when read back.
    std::string bytes(kByteOrderMark);
    bytes += StrNormalizeLineBreaks(text, "\r\n");
    return bytes;
}

LanguageSaveResult SaveLanguageFile(const std::string& path, std::string_view text,
                                    std::string* savedPath) {
    const std::string target = LanguageFileUtf8Path(path);
    if (savedPath)
        *savedPath = target;
    const std::string folder = ExtractFilePath(target);
    if (!folder.empty() && !DirectoryExists(folder) && !ForceDirectories(folder))
        return LanguageSaveResult::FolderNotCreated;
    return WriteFileBytes(target, LanguageFileBytes(text)) ? LanguageSaveResult::Saved
                                                           : LanguageSaveResult::NotWritten;
}

namespace {
template <typename Char> IniLineColouring Classify(std::basic_string_view<Char> line) {
    IniLineColouring result;
    if (line.empty())
        return result;
    if (line.front() == Char('[') && line.back() == Char(']')) {
        result.Kind = IniLineKind::Section;
        return result;
    }
    if (line.front() == Char(';')) {
        result.Kind = IniLineKind::Comment;
        return result;
    }
    const size_t eq = line.find(Char('='));
    if (eq == std::basic_string_view<Char>::npos)
        return result;
    result.Kind = IniLineKind::Entry;
    result.KeyLength = eq + 1;
    result.EmptyValue = true;
    for (size_t i = eq + 1; i < line.size(); ++i)
        if (static_cast<std::make_unsigned_t<Char>>(line[i]) > ' ') {
            result.EmptyValue = false;
            break;
        }
    return result;
}

// Simple lower-case folding of the letters translators meet most: ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic. Other characters compare as they are.
char16_t Fold(char16_t c) {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return char16_t(c + 32);
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 1) ? char16_t(c + 1) : c;
        if (c == 0x178)
            return 0xFF;
        return (c % 2 == 0 && c != 0x138) ? char16_t(c + 1) : c;
    }
    if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return char16_t(c + 32);
    if (c >= 0x400 && c <= 0x40F)
        return char16_t(c + 80);
    return c;
}

bool IsWordChar(char16_t c) {
    if (c >= 0x80)
        return c != 0xA0 && c != 0x2028 && c != 0x2029 && !(c >= 0x2000 && c <= 0x200B);
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           c == u'_';
}

bool MatchesAt(std::u16string_view text, std::u16string_view search, size_t at, bool matchCase) {
    if (at + search.size() > text.size())
        return false;
    for (size_t i = 0; i < search.size(); ++i) {
        const char16_t a = text[at + i];
        const char16_t b = search[i];
        if (a != b && (matchCase || Fold(a) != Fold(b)))
            return false;
    }
    return true;
}

bool IsWholeWordAt(std::u16string_view text, size_t at, size_t length) {
    if (at > 0 && IsWordChar(text[at - 1]))
        return false;
    return at + length >= text.size() || !IsWordChar(text[at + length]);
}
} // namespace

IniLineColouring ClassifyIniLine(std::u16string_view line) {
    return Classify(line);
}

IniLineColouring ClassifyIniLine(std::string_view line) {
    return Classify(line);
}

long long FindTextFrom(std::u16string_view text, std::u16string_view search, long long from,
                       const TextSearchOptions& options) {
    if (search.empty() || search.size() > text.size())
        return -1;
    const long long last = static_cast<long long>(text.size() - search.size());
    auto matches = [&](long long at) {
        const size_t pos = static_cast<size_t>(at);
        return MatchesAt(text, search, pos, options.MatchCase) &&
               (!options.WholeWord || IsWholeWordAt(text, pos, search.size()));
    };
    if (options.Down) {
        for (long long at = from < 0 ? 0 : from; at <= last; ++at)
            if (matches(at))
                return at;
    } else {
        for (long long at = from > last ? last : from; at >= 0; --at)
            if (matches(at))
                return at;
    }
    return -1;
}

std::u16string ReplaceAllText(std::u16string_view text, std::u16string_view search,
                              std::u16string_view replacement, bool matchCase, int* count) {
    int replaced = 0;
    std::u16string result;
    if (search.empty()) {
        result = text;
    } else {
        result.reserve(text.size());
        size_t i = 0;
        while (i < text.size()) {
            if (MatchesAt(text, search, i, matchCase)) {
                result += replacement;
                i += search.size();
                ++replaced;
            } else {
                result += text[i++];
            }
        }
    }
    if (count)
        *count = replaced;
    return result;
}

} // namespace pw
