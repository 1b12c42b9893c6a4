#pragma once
// String and text routines shared by every file format of the program.
//
// Text is UTF-8 in std::string. Positions are 1-based byte positions, 0 means "not found";
// a match never starts inside a UTF-8 sequence. Case rules fold ASCII and Latin-1 letters.

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

using StringArray = std::vector<std::string>;

// --- searching and case ---------------------------------------------------------------------

// Position of the first occurrence of sub in text; 0 if none or if sub is empty.
int StrPos(std::string_view sub, std::string_view text);
// First occurrence at or after start (start <= 0 counts as 1); with limit > 0 only the first
// limit characters of text are searched.
int StrPosFrom(std::string_view sub, std::string_view text, int start, int limit = 0);
// Last occurrence that ends at or before position `from` (INT_MAX: the end of text) and starts
// at or after `lowest`; 0 if none.
int StrLastPos(std::string_view sub, std::string_view text, int from = INT_MAX, int lowest = 1);
// Number of non-overlapping occurrences, counted left to right.
int StrCount(std::string_view text, std::string_view sub);
std::string StrUpper(std::string_view text);
std::string StrLower(std::string_view text);
// Number of characters (UTF-8 sequences).
int StrCharCount(std::string_view text);
// Case-insensitive equality and ordering (ASCII and Latin-1 letters folded).
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
// Replaces the first (or every) occurrence of oldText; replaced text is not searched again.
std::string StrReplace(std::string_view text, std::string_view oldText, std::string_view newText,
                       bool replaceAll = true, bool ignoreCase = false);
// With exactly one new text every old text is replaced by it; otherwise old i by new i.
std::string StrReplaceMany(std::string_view text, const StringArray& olds, const StringArray& news,
                           bool replaceAll = true, bool ignoreCase = false);
bool StrStartsWith(std::string_view text, std::string_view head, bool ignoreCase = false);
bool StrEndsWith(std::string_view text, std::string_view tail, bool ignoreCase = false);

// --- cutting and filtering ------------------------------------------------------------------

// Pieces between separators; an empty last piece is kept only with keepEmptyLast.
StringArray StrSplit(std::string_view text, std::string_view separator, bool keepEmptyLast = false);
// Pieces joined with the separator.
std::string StrJoin(const StringArray& pieces, std::string_view separator);
// The text before the first separator, which text loses together with the separator;
// empty and text unchanged when the separator does not occur.
std::string StrCutHead(std::string_view separator, std::string& text);
// The text before the first separator; the whole text or empty when it does not occur.
std::string StrBefore(std::string_view separator, std::string_view text, bool wholeIfMissing);
// The text after the first separator; empty when it does not occur.
std::string StrAfter(std::string_view separator, std::string_view text);
// Only the characters of text that occur in allowed, in their order.
std::string StrKeepChars(std::string_view text, std::string_view allowed);
// Removes every character that occurs in chars.
void StrDeleteChars(std::string& text, std::string_view chars);
// Every CR LF, lone CR and lone LF replaced by separator.
std::string StrNormalizeLineBreaks(std::string_view text, std::string_view separator);
// length characters drawn uniformly from alphabet; seeded from the clock once per process,
// and again when reseed is set.
std::string StrRandom(int length, std::string_view alphabet, bool reseed = false);
// Without leading and trailing blanks and control characters (bytes <= 0x20).
std::string StrTrim(std::string_view text);
std::string StrTrimLeft(std::string_view text);
std::string StrTrimRight(std::string_view text);

// Letters and digits, for StrKeepChars.
inline constexpr std::string_view kLettersAndDigits =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Integer parsing that never throws: the default for anything but a whole decimal number.
int StrToIntDef(std::string_view text, int defaultValue);
int64_t StrToInt64Def(std::string_view text, int64_t defaultValue);

// --- string arrays (exact, case-sensitive comparison) ---------------------------------------

StringArray ArrMake(std::initializer_list<std::string_view> items);
int ArrIndexOf(const StringArray& array, std::string_view text);
void ArrAppend(StringArray& array, std::string text);
// Removes the element at index (-1: the last); an index out of range changes nothing.
void ArrDelete(StringArray& array, int index);
// The element at index (-1: the last), or the default when there is none.
std::string ArrItemOr(const StringArray& array, int index, std::string_view defaultValue);
void ArrTrimAll(StringArray& array);
// Removes every element equal to an earlier one; first occurrences keep their order.
void ArrRemoveDuplicates(StringArray& array);

template <typename T> int ArrIndexOf(const std::vector<T>& array, const T& value) {
    for (size_t i = 0; i < array.size(); ++i)
        if (array[i] == value)
            return static_cast<int>(i);
    return -1;
}
template <typename T> void ArrAppend(std::vector<T>& array, T value) {
    array.push_back(std::move(value));
}

// --- string lists ---------------------------------------------------------------------------

// Index of text in a list: binary search when the list is sorted (by CompareText, or by byte
// order when caseSensitive), a linear search otherwise; -1 when absent or the list is empty.
int ListIndexOf(const StringArray& list, std::string_view text, bool sorted = false,
                bool caseSensitive = false);
int ListIndexOfEither(const StringArray& list, std::string_view first, std::string_view second,
                      bool sorted = false, bool caseSensitive = false);

// --- the string builder ---------------------------------------------------------------------

// Collects appended pieces without copying the growing text; the whole text is assembled once,
// on demand. Pieces are kept in blocks that grow quadratically (8, 10, 16, 26, 40, ... entries).
class ThvStringBuilder {
public:
    ThvStringBuilder() = default;
    ThvStringBuilder(const ThvStringBuilder&) = delete;
    ThvStringBuilder& operator=(const ThvStringBuilder&) = delete;

    void Append(std::string_view piece);
    // With refresh, or when nothing was assembled yet, the pieces are joined and kept;
    // the kept text is returned.
    const std::string& GetText(bool refresh = false);
    size_t TotalLength() const { return totalLength_; }
    size_t BlockCount() const { return blocks_.size(); }

private:
    struct Block {
        std::vector<std::string> pieces; // capacity fixed when the block is made
        size_t capacity = 0;
    };
    std::vector<Block> blocks_;
    size_t totalLength_ = 0;
    std::string text_;
    bool assembled_ = false;
};

// --- centring arithmetic --------------------------------------------------------------------

// First and last 1-based position of something of size inner centred within outer.
int CenterStart(int outer, int inner);
int CenterEnd(int outer, int inner);

} // namespace pw
