#include "items/shortcut_format.h"

#include "items/folder_lookup.h"
#include "items/item_attributes.h"
#include "util/paths.h"
#include "util/text_files.h"

namespace pw::items {

std::string ReadShortcutText(const FolderLookup& folder) {
    std::string text;
    bool exists = false;
    std::string bytes = folder.ReadFile(kShortcutFile, exists);
    if (exists) {
        if (std::string_view(bytes).substr(0, kByteOrderMark.size()) == kByteOrderMark)
            bytes.erase(0, kByteOrderMark.size());
        text = IsAscii(bytes) ? std::move(bytes) : DecodeUtf8(bytes);
    } else {
        text = Windows1252ToUtf8(folder.ReadFile(kLegacyShortcutFile, exists));
    }
    if (size_t nul = text.find('\0'); nul != text.npos)
        text.resize(nul);
    return text;
}

std::vector<std::string_view> SplitRecordLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

RecordFields::RecordFields(std::string_view line) {
    for (size_t start = 0;;) {
        const size_t bar = line.find('|', start);
        if (count_ < fields_.size())
            fields_[count_] = line.substr(start, bar == line.npos ? line.npos : bar - start);
        ++count_;
        if (bar == line.npos)
            return;
        start = bar + 1;
    }
}

LinkFlags ParseFlags(std::string_view field) {
    LinkFlags flags;
    bool max = false, min = false, hid = false;
    size_t start = 0;
    while (start <= field.size()) {
        size_t star = field.find('*', start);
        std::string_view word = field.substr(start, star == field.npos ? field.npos : star - start);
        if (word == kWindowMax)
            max = true;
        else if (word == kWindowMin)
            min = true;
        else if (word == kWindowHid)
            hid = true;
        else if (word == "UserRunAs")
            flags.runAs = true;
        if (star == field.npos)
            break;
        start = star + 1;
    }
    flags.windowState = max ? kWindowMax : min ? kWindowMin : hid ? kWindowHid : "";
    return flags;
}

std::string ComposeFlags(std::string_view windowState, bool runAs) {
    std::string out;
    if (windowState == kWindowMax || windowState == kWindowMin || windowState == kWindowHid) {
        out += '*';
        out += windowState;
    }
    if (runAs)
        out += "*UserRunAs";
    return out;
}

} // namespace pw::items
