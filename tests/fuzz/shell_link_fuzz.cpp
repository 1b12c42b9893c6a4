// Desktop entries and command lines over arbitrary bytes: splitting a command line and quoting
// its words again gives the same words, and a desktop entry of any bytes resolves without harm
// to arguments that split back into words.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "util/shell_link.h"

namespace {

std::string gFolder;

void RemoveEntryFolder() {
    unlink((gFolder + "/entry.desktop").c_str());
    rmdir(gFolder.c_str());
}

// A desktop entry file in a folder of its own, made once per run and removed at exit.
const std::string& EntryPath() {
    static const std::string path = [] {
        gFolder = "/tmp/pathwick-fuzz-XXXXXX";
        if (!mkdtemp(gFolder.data()))
            std::abort();
        std::atexit(RemoveEntryFolder);
        return gFolder + "/entry.desktop";
    }();
    return path;
}

void CheckRoundTrip(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words)
        line += pw::QuoteShellWord(word) + " ";
    if (pw::SplitCommandLine(line) != words)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckRoundTrip(pw::SplitCommandLine(bytes));

    {
        std::ofstream out(EntryPath(), std::ios::binary | std::ios::trunc);
        out << "[Desktop Entry]\n" << bytes;
    }
    pw::ShellLinkRecord record;
    int status = pw::ResolveShellLink(EntryPath(), record);
    if (status != pw::kShellLinkOk && status != pw::kShellLinkNoTarget &&
        status != pw::kShellLinkNotALink)
        std::abort();
    if (status == pw::kShellLinkOk && record.Target.empty())
        std::abort();
    CheckRoundTrip(pw::SplitCommandLine(record.Arguments));
    return 0;
}
