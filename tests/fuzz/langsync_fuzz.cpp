// The translation editor's Sync and missing-translation check over arbitrary bytes: the input
// is an English file and a translation, split at the first NUL byte, decoded as the editor
// decodes files. Synced once, a translation does not change when it is synced again (for
// English files whose section heads are well formed: a line that begins with "[" ends with its
// only "]").

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lang/translation_files.h"
#include "util/strings.h"
#include "util/text_files.h"

namespace {
bool WellFormedHeads(const std::string& text) {
    for (const std::string& raw : pw::StrSplit(pw::StrNormalizeLineBreaks(text, "\n"), "\n")) {
        const std::string line = pw::StrTrim(raw);
        if (!line.empty() && line.front() == '[' &&
            (line.back() != ']' || line.find(']') != line.size() - 1 || line.size() < 2))
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const size_t split = bytes.find('\0');
    const std::string english = pw::DecodeUtf8(
        pw::StripByteOrderMark(split == std::string::npos ? bytes : bytes.substr(0, split)));
    const std::string translation = pw::DecodeUtf8(
        pw::StripByteOrderMark(split == std::string::npos ? "" : bytes.substr(split + 1)));

    const std::string synced = pw::SyncLanguageText(english, translation);
    (void)pw::FindMissingTranslations(english, translation);
    (void)pw::FindMissingTranslations(english, synced);
    if (WellFormedHeads(english) && pw::SyncLanguageText(english, synced) != synced)
        std::abort();
    // What Save writes reads back as the text.
    if (pw::StrTrim(pw::StrNormalizeLineBreaks(
            pw::DecodeUtf8(pw::StripByteOrderMark(pw::LanguageFileBytes(synced))), "\r\n")) !=
        synced)
        std::abort();
    return 0;
}
