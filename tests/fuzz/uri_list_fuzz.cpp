// URI lists of drops over arbitrary bytes: every local file comes out as an absolute path
// without NUL bytes, every other entry as a line of the list, and percent-encoding any bytes
// decodes to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "util/uri_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const pw::UriEntry& entry : pw::ParseUriList(bytes, "localhost.example")) {
        if (entry.value.empty())
            std::abort();
        if (entry.kind == pw::UriEntry::Kind::LocalFile &&
            (entry.value[0] != '/' || entry.value.find('\0') != std::string::npos))
            std::abort();
        if (entry.kind == pw::UriEntry::Kind::Other &&
            entry.value.find_first_of("\r\n") != std::string::npos)
            std::abort();
    }
    if (pw::PercentDecode(pw::PercentEncode(bytes)) != bytes)
        std::abort();
    return 0;
}
