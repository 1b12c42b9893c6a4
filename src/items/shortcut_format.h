#pragma once
// The shortcut file of a folder directory: one record per line, fields separated by "|", the
// first field a tag. Written as UTF-8 without byte order mark, every record ending with CR LF.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pw::items {

class FolderLookup;

inline constexpr const char* kShortcutFile = "shortcuts-utf8.txt";
inline constexpr const char* kLegacyShortcutFile = "shortcuts.txt";

inline constexpr std::string_view kTagFolder = "^Folder";
inline constexpr std::string_view kTagNormalSeparator = "^NorSep";
inline constexpr std::string_view kTagSpecialSeparator = "^SpeSep";
inline constexpr std::string_view kTagExecutableLink = "^ExeLnk";
inline constexpr std::string_view kTagUnknownLink = "^UnkLnk";
inline constexpr std::string_view kTagNetLink = "^NetLnk";
inline constexpr std::string_view kRecordEnd = "\r\n";

// The text of a folder's shortcut file: "shortcuts-utf8.txt" (byte order mark skipped, UTF-8
// with the Windows-1252 fallback) when it is a file, else "shortcuts.txt" as Windows-1252, else
// "". The text ends at a character with code 0.
std::string ReadShortcutText(const FolderLookup& folder);
// The lines of a text, split at CR LF, lone CR and lone LF.
std::vector<std::string_view> SplitRecordLines(std::string_view text);
// The fields of a record: every piece between "|", empty ones included, also after a trailing
// "|". No record has more than seven fields worth reading: later ones read as empty, and size()
// counts them all.
class RecordFields {
public:
    explicit RecordFields(std::string_view line);
    size_t size() const { return count_; }
    std::string_view operator[](size_t index) const {
        return index < count_ && index < fields_.size() ? fields_[index] : std::string_view();
    }

private:
    std::array<std::string_view, 8> fields_;
    size_t count_ = 0;
};

struct LinkFlags {
    std::string windowState; // "", "WindowMax", "WindowMin" or "WindowHid"
    bool runAs = false;
};
// Reads a flags field: words split at "*"; "WindowMax" wins over "WindowMin", which wins over
// "WindowHid"; "UserRunAs" sets runAs; other words are ignored.
LinkFlags ParseFlags(std::string_view field);
// "*" + window state word when not the default, then "*UserRunAs" when runAs.
std::string ComposeFlags(std::string_view windowState, bool runAs);

} // namespace pw::items
