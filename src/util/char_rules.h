#pragma once
// Character rules shared by the string routines: UTF-8 sequence boundaries and the case folding
// of ASCII and Latin-1 letters. Folding keeps every byte where it is, so a position found in a
// folded copy is the same position in the original text.

#include <cstddef>
#include <string>
#include <string_view>

namespace pw::detail {

inline bool IsContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence a lead byte announces (1 for ASCII and for stray bytes).
inline size_t SequenceLength(unsigned char lead) {
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    if (lead < 0xF8)
        return 4;
    if (lead < 0xFC)
        return 5;
    if (lead < 0xFE)
        return 6;
    return 1;
}

// Bytes of the character that starts at index: the lead byte and the continuation bytes that
// follow it, at most as many as the lead byte announces.
inline size_t CharLengthAt(std::string_view text, size_t index) {
    size_t wanted = SequenceLength(static_cast<unsigned char>(text[index]));
    size_t length = 1;
    while (length < wanted && index + length < text.size() &&
           IsContinuationByte(static_cast<unsigned char>(text[index + length])))
        ++length;
    return length;
}

// True when index is the start of a character (or the end of the text): it does not fall on a
// continuation byte that belongs to an earlier lead byte.
inline bool IsCharBoundary(std::string_view text, size_t index) {
    if (index == 0 || index >= text.size())
        return true;
    if (!IsContinuationByte(static_cast<unsigned char>(text[index])))
        return true;
    size_t back = index;
    while (back > 0 && index - back < 5) {
        --back;
        auto c = static_cast<unsigned char>(text[back]);
        if (!IsContinuationByte(c))
            return SequenceLength(c) <= index - back;
    }
    return true;
}

// Lower case of one byte, given the byte before it: ASCII letters, and the Latin-1 capitals
// U+00C0..U+00DE (without U+00D7), which are C3 80..C3 9E in UTF-8.
inline char FoldByte(char previous, char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        return static_cast<char>(u + 32);
    if (static_cast<unsigned char>(previous) == 0xC3 && u >= 0x80 && u <= 0x9E && u != 0x97)
        return static_cast<char>(u + 0x20);
    return c;
}

// Upper case of one byte, the inverse of FoldByte (C3 A0..C3 BE without C3 B7).
inline char UnfoldByte(char previous, char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 32);
    if (static_cast<unsigned char>(previous) == 0xC3 && u >= 0xA0 && u <= 0xBE && u != 0xB7)
        return static_cast<char>(u - 0x20);
    return c;
}

inline std::string FoldCase(std::string_view text) {
    std::string out(text);
    char previous = 0;
    for (char& c : out) {
        char original = c;
        c = FoldByte(previous, c);
        previous = original;
    }
    return out;
}

// Byte index of the first occurrence of sub in text at or after from whose start and end fall
// on character boundaries; npos if none (or when sub is empty).
inline size_t FindAligned(std::string_view text, std::string_view sub, size_t from = 0) {
    if (sub.empty())
        return std::string_view::npos;
    for (size_t at = text.find(sub, from); at != std::string_view::npos;
         at = text.find(sub, at + 1)) {
        if (IsCharBoundary(text, at) && IsCharBoundary(text, at + sub.size()))
            return at;
    }
    return std::string_view::npos;
}

} // namespace pw::detail
