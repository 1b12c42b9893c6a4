// String arrays, string lists and the centring arithmetic.

#include "util/strings.h"

namespace pw {

namespace {

// The array index an argument names (-1: the last element); -1 when it names none.
int ResolveIndex(size_t size, int index) {
    if (index == -1)
        return size == 0 ? -1 : static_cast<int>(size) - 1;
    if (index < 0 || static_cast<size_t>(index) >= size)
        return -1;
    return index;
}

} // namespace

StringArray ArrMake(std::initializer_list<std::string_view> items) {
    StringArray array;
    array.reserve(items.size());
    for (std::string_view item : items)
        array.emplace_back(item);
    return array;
}

int ArrIndexOf(const StringArray& array, std::string_view text) {
    for (size_t i = 0; i < array.size(); ++i)
        if (array[i] == text)
            return static_cast<int>(i);
    return -1;
}

void ArrAppend(StringArray& array, std::string text) {
    array.push_back(std::move(text));
}

void ArrDelete(StringArray& array, int index) {
    int at = ResolveIndex(array.size(), index);
    if (at >= 0)
        array.erase(array.begin() + at);
}

std::string ArrItemOr(const StringArray& array, int index, std::string_view defaultValue) {
    int at = ResolveIndex(array.size(), index);
    return at >= 0 ? array[static_cast<size_t>(at)] : std::string(defaultValue);
}

void ArrTrimAll(StringArray& array) {
    for (std::string& item : array)
        item = StrTrim(item);
}

void ArrRemoveDuplicates(StringArray& array) {
    StringArray kept;
    kept.reserve(array.size());
    for (std::string& item : array)
        if (ArrIndexOf(kept, item) < 0)
            kept.push_back(std::move(item));
    array = std::move(kept);
}

int ListIndexOf(const StringArray& list, std::string_view text, bool sorted, bool caseSensitive) {
    if (list.empty())
        return -1;
    if (!sorted) {
        for (size_t i = 0; i < list.size(); ++i)
            if (caseSensitive ? list[i] == text : SameText(list[i], text))
                return static_cast<int>(i);
        return -1;
    }
    // Binary search for the first entry not below text.
    size_t low = 0, high = list.size();
    while (low < high) {
        size_t middle = low + (high - low) / 2;
        int order = caseSensitive ? list[middle].compare(text) : CompareText(list[middle], text);
        if (order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (low < list.size() && (caseSensitive ? list[low] == text : SameText(list[low], text)))
        return static_cast<int>(low);
    return -1;
}

int ListIndexOfEither(const StringArray& list, std::string_view first, std::string_view second,
                      bool sorted, bool caseSensitive) {
    int index = ListIndexOf(list, first, sorted, caseSensitive);
    return index >= 0 ? index : ListIndexOf(list, second, sorted, caseSensitive);
}

int CenterStart(int outer, int inner) {
    if (inner >= outer || outer - inner == 1)
        return 1;
    return (outer - inner) / 2 + 1;
}

int CenterEnd(int outer, int inner) {
    if (inner >= outer)
        return outer;
    if (outer - inner == 1)
        return outer;
    return outer - (outer - inner) / 2;
}

} // namespace pw
