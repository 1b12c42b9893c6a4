// Decoding text bytes: UTF-8 (old long forms and overlong forms accepted) with a Windows-1252
// fallback for anything that is not well-formed.

#include <cstdint>
#include <cstring>
#include <vector>

#include "util/text_files.h"

namespace pw {

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacement;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes well-formed UTF-8 into code points; false at the first malformed sequence.
bool DecodeCodePoints(std::string_view bytes, std::vector<uint32_t>& points) {
    points.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        size_t continuation;
        uint32_t cp;
        if (lead < 0x80) {
            points.push_back(lead);
            ++i;
            continue;
        } else if (lead < 0xC0 || lead >= 0xFE) {
            return false; // a continuation byte where a lead byte belongs, or FE / FF
        } else if (lead < 0xE0) {
            continuation = 1;
            cp = lead & 0x1F;
        } else if (lead < 0xF0) {
            continuation = 2;
            cp = lead & 0x0F;
        } else if (lead < 0xF8) {
            continuation = 3;
            cp = lead & 0x07;
        } else if (lead < 0xFC) {
            continuation = 4;
            cp = lead & 0x03;
        } else {
            continuation = 5;
            cp = lead & 0x01;
        }
        if (bytes.size() - i - 1 < continuation)
            return false; // cut off by the end of the text
        for (size_t k = 1; k <= continuation; ++k) {
            auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        points.push_back(cp);
        i += continuation + 1;
    }
    return true;
}

// Windows-1252 bytes 80..9F; 0 marks the five unassigned bytes.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

bool IsAscii(std::string_view bytes) {
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080u)
            return false;
    }
    for (; i < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    return true;
}

std::string DecodeUtf8(std::string_view bytes) {
    // Most texts are plain ASCII, which decodes to itself.
    if (IsAscii(bytes))
        return std::string(bytes);
    std::vector<uint32_t> points;
    if (!DecodeCodePoints(bytes, points))
        return Windows1252ToUtf8(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < points.size(); ++i) {
        uint32_t cp = points[i];
        // Surrogate halves encoded one by one pair up as they would in wide text.
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < points.size() && points[i + 1] >= 0xDC00 &&
            points[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (points[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out.push_back(c);
        else if (b < 0xA0)
            AppendUtf8(out, kHighControls[b - 0x80] ? kHighControls[b - 0x80] : kReplacement);
        else
            AppendUtf8(out, b);
    }
    return out;
}

} // namespace pw
