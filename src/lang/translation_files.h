#pragma once
// The translator's side of the language files: reading a file for editing, rebuilding a
// culture's file on the English structure (Sync), finding the keys a culture has not translated,
// and saving a file in the one format the program writes (UTF-8 with byte order mark, CR LF).
//
// The translation editor of the About window and "pathwick-ctl lang" use these same routines.

#include <string>
#include <string_view>
#include <vector>

namespace pw {

// The three language files of a culture, in the order the editor shows them.
inline constexpr const char* kLanguageFileNames[] = {"UTF8_program.ini", "UTF8_shared.ini",
                                                     "UTF8_general.ini"};
inline constexpr const char* kEnglishCulture = "en-us";

// The file a language file is read from and saved to: the path itself when its name starts with
// "UTF8_" (any letter case), else the path with "UTF8_" put in front of the file name.
std::string LanguageFileUtf8Path(std::string_view path);

// A language file's text as the editor shows it: the UTF-8 file (byte order mark dropped,
// malformed UTF-8 read as Windows-1252), else the path itself as it stands, else empty; line
// breaks as CR LF, trimmed.
std::string ReadLanguageFileText(const std::string& path);

// Rebuilds a translation on the English structure. The English lines are walked in order:
// empty lines, comments and section heads stay as they are; an entry becomes its English key,
// "=" and the translation's value for the same section and key (section and key compared
// without regard to letter case; the first of two equal keys counts; empty when the translation
// has none), when the section is "MetaData" or the key holds no "__" or ends with "__Value".
// Other entries (such as "__Template") and lines without "=" stay as in English. Entries and
// comments that English does not have are dropped. The result is joined with CR LF and trimmed.
std::string SyncLanguageText(std::string_view englishText, std::string_view translationText);

// A key of the English file whose translation is missing: the translation has no entry for it,
// or an empty value where the English value is not empty. Only the entries that Sync takes from
// the translation count.
struct MissingTranslation {
    std::string Section;
    std::string Key;
};
std::vector<MissingTranslation> FindMissingTranslations(std::string_view englishText,
                                                        std::string_view translationText);

// The bytes a language file is saved as: line breaks as CR LF, a byte order mark in front.
std::string LanguageFileBytes(std::string_view text);

enum class LanguageSaveResult { Saved, FolderNotCreated, NotWritten };
// Saves text to LanguageFileUtf8Path(path), creating the folder and its parents when missing.
// The file is replaced atomically; on failure the old file stays as it was. savedPath receives
// the file written (also on failure: the file that could not be written).
LanguageSaveResult SaveLanguageFile(const std::string& path, std::string_view text,
                                    std::string* savedPath = nullptr);

// How a line of a language file is coloured in the editor.
enum class IniLineKind {
    Section, // first character "[" and last "]"
    Comment, // first character ";"
    Entry,   // holds "=": the key up to and including the first "=", the value after it
    Plain    // anything else
};
struct IniLineColouring {
    IniLineKind Kind = IniLineKind::Plain;
    size_t KeyLength = 0;    // Entry: the characters up to and including the first "="
    bool EmptyValue = false; // Entry: nothing but blanks after the "="
};
// The same rule for UTF-16 text (the editor's lines) and UTF-8 text.
IniLineColouring ClassifyIniLine(std::u16string_view line);
IniLineColouring ClassifyIniLine(std::string_view line);

// --- search and replace in the editor's text (UTF-16, positions as the text box counts) -----

struct TextSearchOptions {
    bool MatchCase = false; // otherwise letters compare folded to lower case
    bool WholeWord = false; // the match neither follows nor precedes a letter, digit or "_"
    bool Down = true;       // searching towards the end
};
// Down: the first match starting at or after from; up: the last match starting at or before
// from. -1 when there is none or the search text is empty.
long long FindTextFrom(std::u16string_view text, std::u16string_view search, long long from,
                       const TextSearchOptions& options);
// Every occurrence, left to right and never overlapping, replaced (with regard to case exactly
// when matchCase; whole words do not apply); count receives the number replaced.
std::u16string ReplaceAllText(std::u16string_view text, std::u16string_view search,
                              std::u16string_view replacement, bool matchCase, int* count);

} // namespace pw
