// The INI document over arbitrary bytes: parsing, lookups, writes and the text written out,
// which must read back to the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/options_file.h"
#include "lang/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    pw::IniDocument ini(bytes);

    pw::StringArray sections = ini.SectionNames();
    for (const std::string& section : sections) {
        for (const std::string& name : ini.SectionEntryNames(section)) {
            (void)ini.ReadString(section, name, "d");
            (void)ini.ReadInteger(section, name, 0);
            (void)ini.ReadBool(section, name, false);
        }
    }
    std::string text = ini.Text();
    pw::IniDocument again(text);
    if (again.Text() != text)
        std::abort();

    // Writes with names and values taken from the input keep the document readable.
    std::string half = bytes.substr(0, bytes.size() / 2);
    std::string rest = bytes.substr(bytes.size() / 2);
    ini.WriteString(sections.empty() ? "S" : sections.front(), "key", rest);
    ini.WriteString(half, "k", "v");
    pw::IniDocument written(ini.Text());
    if (written.Text() != ini.Text())
        std::abort();
    if (written.ReadString(sections.empty() ? "S" : sections.front(), "key", "\x01missing") ==
        "\x01missing")
        std::abort();
    if (!sections.empty())
        ini.EraseSection(sections.back());
    (void)pw::NormalizeOptionsLines(ini.Lines());
    (void)pw::DecodeOptionsBytes(bytes);
    return 0;
}
