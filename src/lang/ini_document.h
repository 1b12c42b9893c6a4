#pragma once
// The program's INI document: the text of the options file, the language files and "muc.ini"
// held in memory, read and changed by section and entry name, and written out again.
//
// The dialect: lines are split at CR LF, CR or LF and trimmed; empty lines and lines beginning
// with ";" carry nothing; "[name]" opens a section; any other line inside a section is an entry
// that splits at the first "=" into a trimmed name and a trimmed value. Names compare without
// regard to letter case. The first entry of a name is the one read and the one a write replaces;
// a second section of the same name is kept but never found. Comments, lines before the first
// section and entries without "=" are kept as they are, so they survive every rewrite.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/strings.h"

namespace pw {

class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text) { SetText(text); }

    // Replaces the whole document by the lines of text.
    void SetText(std::string_view text);
    // The document's lines: the kept lines before the first section, then each section's
    // header followed by its lines. No empty lines.
    StringArray Lines() const;
    // The lines, each ended by lineBreak.
    std::string Text(std::string_view lineBreak = "\r\n") const;
    void Clear();

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view name) const;
    // The value of the first entry of that name in the first section of that name.
    std::optional<std::string> Find(std::string_view section, std::string_view name) const;

    // An existing entry yields its value, also when it is empty; otherwise the default.
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view defaultValue) const;
    // A value that is not a whole decimal number reads as the default.
    int ReadInteger(std::string_view section, std::string_view name, int defaultValue) const;
    int64_t ReadInt64(std::string_view section, std::string_view name, int64_t defaultValue) const;
    // A non-zero integer reads as true; a value that is not an integer as the default.
    bool ReadBool(std::string_view section, std::string_view name, bool defaultValue) const;

    // Replaces the value of the first entry of that name, or appends "name=value" at the end of
    // the section; a missing section is appended at the end of the document. Line breaks in
    // name or value would split the line, so each becomes a blank.
    void WriteString(std::string_view section, std::string_view name, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view name, int64_t value);
    void WriteBool(std::string_view section, std::string_view name, bool value);

    // Names of the sections in document order (duplicates included), and the entry names of
    // the first section of a name, in order (entries without "=" excluded).
    StringArray SectionNames() const;
    StringArray SectionEntryNames(std::string_view section) const;
    // Removes the first entry of that name; true when there was one.
    bool DeleteEntry(std::string_view section, std::string_view name);
    // Removes every section of that name; true when there was one.
    bool EraseSection(std::string_view section);

private:
    struct Line {
        std::string text;  // the whole trimmed line as it is written out
        std::string name;  // entry name (trimmed); empty for comments and lines without "="
        std::string value; // entry value (trimmed)
        bool isEntry = false;
    };
    struct Section {
        std::string header; // the header line as written out
        std::string name;
        std::vector<Line> lines;
        std::map<std::string, size_t> index; // folded entry name -> first line with that name
    };

    const Section* FindSection(std::string_view section) const;
    Section* FindSection(std::string_view section);
    static const Line* FindLine(const Section& section, std::string_view name);
    void RebuildIndex();
    static void IndexSection(Section& section);

    std::vector<std::string> preamble_; // kept lines before the first section
    std::vector<Section> sections_;
    std::map<std::string, size_t> sectionIndex_; // folded name -> first section with that name
};

// The key under which names are compared: letters folded to lower case.
std::string IniFoldName(std::string_view name);

} // namespace pw
