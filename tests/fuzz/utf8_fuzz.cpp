// DecodeUtf8 over any bytes: the result is always well-formed UTF-8, decoding it again changes
// nothing, and strictly well-formed input comes back as it was.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "util/text_files.h"

namespace {

// Strict UTF-8: shortest forms, no surrogates, nothing above 10FFFF.
bool IsStrictUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        size_t n;
        uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (s.size() - i - 1 < n)
            return false;
        for (size_t k = 1; k <= n; ++k) {
            auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string decoded = pw::DecodeUtf8(bytes);
    if (!IsStrictUtf8(decoded))
        std::abort();
    if (pw::DecodeUtf8(decoded) != decoded)
        std::abort();
    if (IsStrictUtf8(bytes) && decoded != bytes)
        std::abort();
    std::string ansi = pw::Windows1252ToUtf8(bytes);
    if (!IsStrictUtf8(ansi) || ansi.size() < size)
        std::abort();
    return 0;
}
