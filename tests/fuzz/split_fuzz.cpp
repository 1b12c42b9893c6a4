// StrSplit over any text and separator: the pieces joined with the separator give the text back,
// no piece holds the separator, and the keep-empty-last flag only decides about an empty last
// piece. The cutting routines built on the same search agree with it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "util/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte gives the separator's length (0 to 3), taken from the bytes after it.
    size_t sepLength = data[0] % 4;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (rest.size() < sepLength)
        return 0;
    std::string separator(rest.substr(0, sepLength));
    std::string text(rest.substr(sepLength));

    pw::StringArray kept = pw::StrSplit(text, separator, true);
    pw::StringArray plain = pw::StrSplit(text, separator, false);
    if (text.empty()) {
        if (!kept.empty() || !plain.empty())
            std::abort();
        return 0;
    }
    if (pw::StrJoin(kept, separator) != text)
        std::abort();
    if (separator.empty()) {
        if (kept.size() != 1 || plain != kept)
            std::abort();
        return 0;
    }
    for (const std::string& piece : kept)
        if (pw::StrPos(separator, piece) != 0)
            std::abort();
    // Flag clear: the same pieces, less an empty last one.
    pw::StringArray expected = kept;
    if (!expected.empty() && expected.back().empty())
        expected.pop_back();
    if (plain != expected)
        std::abort();
    if (static_cast<int>(kept.size()) != pw::StrCount(text, separator) + 1)
        std::abort();

    // StrCutHead and StrBefore give the first piece.
    std::string cut = text;
    std::string head = pw::StrCutHead(separator, cut);
    if (kept.size() > 1) {
        if (head != kept[0] || cut.size() != text.size() - head.size() - separator.size())
            std::abort();
    } else if (!head.empty() || cut != text) {
        std::abort();
    }
    if (pw::StrBefore(separator, text, true) != kept[0])
        std::abort();
    // Replacing every separator by itself changes nothing.
    if (pw::StrReplace(text, separator, separator) != text)
        std::abort();
    return 0;
}
