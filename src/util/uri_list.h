#pragma once
// Lists of URIs as the desktop hands them over in drag and drop ("text/uri-list", RFC 2483), and
// the percent-encoding they use. Local files arrive as "file:" URIs; their paths are decoded to
// the exact bytes of the file name, whatever their length.

#include <string>
#include <string_view>
#include <vector>

namespace pw {

// "%XX" sequences turned into their bytes; a "%" not followed by two hex digits stays as it is.
std::string PercentDecode(std::string_view text);
// Every byte outside A-Z a-z 0-9 and "-._~/" as "%XX"; PercentDecode gives the text back.
std::string PercentEncode(std::string_view bytes);

struct UriEntry {
    enum class Kind {
        LocalFile, // value: the decoded absolute path
        Other,     // value: the URI as it was listed (a web address, a remote file, ...)
    };
    Kind kind = Kind::Other;
    std::string value;
    bool operator==(const UriEntry&) const = default;
};

// The entries of a URI list: one URI a line (CR LF, LF or CR), blank lines and lines that start
// with "#" skipped. A "file:" URI is a local file when its host is empty, "localhost" or
// localHost (compared without regard to case); its path ends at "?" or "#". A file URI of
// another host, or one whose decoded path is empty, relative or holds a NUL byte, counts as
// Other.
std::vector<UriEntry> ParseUriList(std::string_view text, std::string_view localHost);

// This machine's host name ("" when it cannot be had).
std::string LocalHostName();

} // namespace pw
