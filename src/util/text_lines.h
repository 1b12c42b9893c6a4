#pragma once
// Walking a text line by line whatever its line ends.

#include <cstddef>
#include <string_view>

namespace pw {

// Calls f for every line of text, split at CR LF, lone CR or lone LF; a last line without an
// end counts, an empty text has no line.
template <typename F> void ForEachLine(std::string_view text, F f) {
    size_t start = 0;
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        f(text.substr(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        f(text.substr(start));
}

} // namespace pw
