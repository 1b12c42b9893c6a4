// Searching, case and replacement over UTF-8 text.

#include "util/strings.h"

#include <algorithm>

#include "util/char_rules.h"

namespace pw {

namespace {

constexpr size_t npos = std::string_view::npos;

int ToPosition(size_t index) {
    return index == npos ? 0 : static_cast<int>(index) + 1;
}

// The last aligned occurrence of sub that starts at or after lowest and ends at or before end
// (byte indexes); npos if none.
size_t FindLastAligned(std::string_view text, std::string_view sub, size_t lowest, size_t end) {
    if (sub.empty() || end < sub.size() || end > text.size())
        return npos;
    size_t at = text.rfind(sub, end - sub.size());
    while (at != npos && at >= lowest) {
        if (detail::IsCharBoundary(text, at) && detail::IsCharBoundary(text, at + sub.size()))
            return at;
        if (at == 0)
            break;
        at = text.rfind(sub, at - 1);
    }
    return npos;
}

} // namespace

int StrPos(std::string_view sub, std::string_view text) {
    return ToPosition(detail::FindAligned(text, sub));
}

int StrPosFrom(std::string_view sub, std::string_view text, int start, int limit) {
    if (start <= 0)
        start = 1;
    if (static_cast<size_t>(start) > text.size())
        return 0;
    size_t at = detail::FindAligned(text, sub, static_cast<size_t>(start) - 1);
    if (at == npos)
        return 0;
    if (limit > 0 && at + sub.size() > static_cast<size_t>(limit)) {
        // A later match only ends further right, so nothing fits within the limit.
        return 0;
    }
    return ToPosition(at);
}

int StrLastPos(std::string_view sub, std::string_view text, int from, int lowest) {
    if (sub.empty() || from <= 0)
        return 0;
    size_t end = static_cast<size_t>(from) >= text.size() ? text.size() : static_cast<size_t>(from);
    size_t low = lowest <= 1 ? 0 : static_cast<size_t>(lowest) - 1;
    return ToPosition(FindLastAligned(text, sub, low, end));
}

int StrCount(std::string_view text, std::string_view sub) {
    int count = 0;
    for (size_t at = detail::FindAligned(text, sub); at != npos;
         at = detail::FindAligned(text, sub, at + sub.size()))
        ++count;
    return count;
}

std::string StrLower(std::string_view text) {
    return detail::FoldCase(text);
}

std::string StrUpper(std::string_view text) {
    std::string out(text);
    char previous = 0;
    for (char& c : out) {
        char original = c;
        c = detail::UnfoldByte(previous, c);
        previous = original;
    }
    return out;
}

int StrCharCount(std::string_view text) {
    int count = 0;
    for (size_t i = 0; i < text.size(); i += detail::CharLengthAt(text, i))
        ++count;
    return count;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b) {
    // Byte by byte over the folded forms, without building them.
    size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        auto x = static_cast<unsigned char>(detail::FoldByte(i ? a[i - 1] : 0, a[i]));
        auto y = static_cast<unsigned char>(detail::FoldByte(i ? b[i - 1] : 0, b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string StrReplace(std::string_view text, std::string_view oldText, std::string_view newText,
                       bool replaceAll, bool ignoreCase) {
    if (oldText.empty() || text.size() < oldText.size())
        return std::string(text);
    std::string foldedText, foldedOld;
    std::string_view searchText = text, searchOld = oldText;
    if (ignoreCase) {
        foldedText = detail::FoldCase(text);
        foldedOld = detail::FoldCase(oldText);
        searchText = foldedText;
        searchOld = foldedOld;
    }
    std::string out;
    size_t copied = 0;
    for (size_t at = detail::FindAligned(searchText, searchOld); at != npos;
         at = detail::FindAligned(searchText, searchOld, at + oldText.size())) {
        out.append(text.substr(copied, at - copied));
        out.append(newText);
        copied = at + oldText.size();
        if (!replaceAll)
            break;
    }
    out.append(text.substr(copied));
    return out;
}

std::string StrReplaceMany(std::string_view text, const StringArray& olds, const StringArray& news,
                           bool replaceAll, bool ignoreCase) {
    std::string out(text);
    if (news.size() == 1) {
        for (const std::string& oldText : olds)
            out = StrReplace(out, oldText, news[0], replaceAll, ignoreCase);
        return out;
    }
    size_t count = std::min(olds.size(), news.size());
    for (size_t i = 0; i < count; ++i)
        out = StrReplace(out, olds[i], news[i], replaceAll, ignoreCase);
    return out;
}

bool StrStartsWith(std::string_view text, std::string_view head, bool ignoreCase) {
    if (head.size() > text.size())
        return false;
    std::string_view part = text.substr(0, head.size());
    return ignoreCase ? SameText(part, head) : part == head;
}

bool StrEndsWith(std::string_view text, std::string_view tail, bool ignoreCase) {
    if (tail.size() > text.size())
        return false;
    std::string_view part = text.substr(text.size() - tail.size());
    return ignoreCase ? SameText(part, tail) : part == tail;
}

} // namespace pw
