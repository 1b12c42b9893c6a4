#include "util/uri_list.h"

#include <unistd.h>

#include "util/strings.h"

namespace pw {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

// The local path of a "file:" URI (the text after "file:"), or "" when it names no local file.
std::string LocalPathOf(std::string_view rest, std::string_view localHost) {
    std::string_view path = rest;
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const size_t slash = rest.find('/');
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !SameText(host, "localhost") &&
            (localHost.empty() || !SameText(host, localHost)))
            return {};
        if (slash == std::string_view::npos)
            return {};
        path = rest.substr(slash);
    }
    path = path.substr(0, path.find_first_of("?#"));
    std::string decoded = PercentDecode(path);
    if (decoded.empty() || decoded[0] != '/' || decoded.find('\0') != std::string::npos)
        return {};
    return decoded;
}

} // namespace

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string PercentEncode(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (IsUnreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::vector<UriEntry> ParseUriList(std::string_view text, std::string_view localHost) {
    std::vector<UriEntry> entries;
    for (const std::string& raw : StrSplit(StrNormalizeLineBreaks(text, "\n"), "\n")) {
        const std::string line = StrTrim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        UriEntry entry;
        entry.value = line;
        if (StrStartsWith(line, "file:", true)) {
            std::string path = LocalPathOf(std::string_view(line).substr(5), localHost);
            if (!path.empty()) {
                entry.kind = UriEntry::Kind::LocalFile;
                entry.value = std::move(path);
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string LocalHostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

} // namespace pw
