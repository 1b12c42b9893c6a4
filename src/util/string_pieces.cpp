// Splitting, cutting, filtering, trimming, random texts and number parsing.

#include <charconv>
#include <chrono>
#include <mutex>
#include <random>

#include "util/char_rules.h"
#include "util/strings.h"

namespace pw {

namespace {

constexpr size_t npos = std::string_view::npos;

// The characters (UTF-8 sequences) of a text, in order.
std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> chars;
    for (size_t i = 0; i < text.size();) {
        size_t length = detail::CharLengthAt(text, i);
        chars.push_back(text.substr(i, length));
        i += length;
    }
    return chars;
}

bool ContainsChar(const std::vector<std::string_view>& set, std::string_view c) {
    for (std::string_view member : set)
        if (member == c)
            return true;
    return false;
}

// A whole decimal number with an optional sign; the default for anything else, overflow included.
template <typename Int> Int ParseWhole(std::string_view text, Int defaultValue) {
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-')
            return defaultValue;
    }
    if (text.empty())
        return defaultValue;
    Int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return defaultValue;
    return value;
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

StringArray StrSplit(std::string_view text, std::string_view separator, bool keepEmptyLast) {
    StringArray pieces;
    if (text.empty())
        return pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    size_t begin = 0;
    for (size_t at = detail::FindAligned(text, separator); at != npos;
         at = detail::FindAligned(text, separator, begin)) {
        pieces.emplace_back(text.substr(begin, at - begin));
        begin = at + separator.size();
    }
    if (begin < text.size() || keepEmptyLast)
        pieces.emplace_back(text.substr(begin));
    return pieces;
}

std::string StrJoin(const StringArray& pieces, std::string_view separator) {
    std::string out;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out.append(separator);
        out.append(pieces[i]);
    }
    return out;
}

std::string StrCutHead(std::string_view separator, std::string& text) {
    size_t at = detail::FindAligned(text, separator);
    if (at == npos)
        return {};
    std::string head = text.substr(0, at);
    text.erase(0, at + separator.size());
    return head;
}

std::string StrBefore(std::string_view separator, std::string_view text, bool wholeIfMissing) {
    size_t at = detail::FindAligned(text, separator);
    if (at == npos)
        return wholeIfMissing ? std::string(text) : std::string();
    return std::string(text.substr(0, at));
}

std::string StrAfter(std::string_view separator, std::string_view text) {
    size_t at = detail::FindAligned(text, separator);
    if (at == npos)
        return {};
    return std::string(text.substr(at + separator.size()));
}

std::string StrKeepChars(std::string_view text, std::string_view allowed) {
    std::vector<std::string_view> set = Characters(allowed);
    std::string out;
    for (std::string_view c : Characters(text))
        if (ContainsChar(set, c))
            out.append(c);
    return out;
}

void StrDeleteChars(std::string& text, std::string_view chars) {
    std::vector<std::string_view> set = Characters(chars);
    std::string out;
    for (std::string_view c : Characters(text))
        if (!ContainsChar(set, c))
            out.append(c);
    text = std::move(out);
}

std::string StrNormalizeLineBreaks(std::string_view text, std::string_view separator) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out.append(separator);
        } else if (c == '\n') {
            out.append(separator);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string StrRandom(int length, std::string_view alphabet, bool reseed) {
    static std::mutex mutex;
    static std::mt19937_64 engine;
    static bool seeded = false;

    std::vector<std::string_view> chars = Characters(alphabet);
    if (length <= 0 || chars.empty())
        return {};
    std::lock_guard<std::mutex> lock(mutex);
    if (!seeded || reseed) {
        auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::random_device device;
        std::seed_seq seed{static_cast<uint64_t>(ticks), static_cast<uint64_t>(ticks >> 32),
                           static_cast<uint64_t>(device())};
        engine.seed(seed);
        seeded = true;
    }
    std::uniform_int_distribution<size_t> pick(0, chars.size() - 1);
    std::string out;
    for (int i = 0; i < length; ++i)
        out.append(chars[pick(engine)]);
    return out;
}

std::string StrTrimLeft(std::string_view text) {
    size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin;
    return std::string(text.substr(begin));
}

std::string StrTrimRight(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return std::string(text.substr(0, end));
}

std::string StrTrim(std::string_view text) {
    return StrTrimLeft(StrTrimRight(text));
}

int64_t StrToInt64Def(std::string_view text, int64_t defaultValue) {
    return ParseWhole(text, defaultValue);
}

int StrToIntDef(std::string_view text, int defaultValue) {
    return ParseWhole(text, defaultValue);
}

} // namespace pw
