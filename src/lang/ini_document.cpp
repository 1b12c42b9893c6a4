#include "lang/ini_document.h"

#include <algorithm>

#include "util/text_lines.h"

namespace pw {

namespace {

std::string OneLine(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c == '\r' || c == '\n')
            c = ' ';
    return result;
}

} // namespace

std::string IniFoldName(std::string_view name) {
    return StrLower(name);
}

void IniDocument::Clear() {
    preamble_.clear();
    sections_.clear();
    sectionIndex_.clear();
}

void IniDocument::SetText(std::string_view text) {
    Clear();
    ForEachLine(text, [this](std::string_view raw) {
        std::string line = StrTrim(raw);
        if (line.empty())
            return;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            Section section;
            section.name = StrTrim(std::string_view(line).substr(1, line.size() - 2));
            section.header = line;
            sections_.push_back(std::move(section));
            return;
        }
        if (sections_.empty()) {
            preamble_.push_back(line);
            return;
        }
        Line entry;
        if (line.front() != ';') {
            size_t eq = line.find('=');
            if (eq != std::string::npos) {
                entry.isEntry = true;
                entry.name = StrTrim(std::string_view(line).substr(0, eq));
                entry.value = StrTrim(std::string_view(line).substr(eq + 1));
            }
        }
        entry.text = std::move(line);
        sections_.back().lines.push_back(std::move(entry));
    });
    RebuildIndex();
}

void IniDocument::IndexSection(Section& section) {
    section.index.clear();
    for (size_t i = 0; i < section.lines.size(); ++i)
        if (section.lines[i].isEntry)
            section.index.emplace(IniFoldName(section.lines[i].name), i); // first one wins
}

void IniDocument::RebuildIndex() {
    sectionIndex_.clear();
    for (size_t i = 0; i < sections_.size(); ++i) {
        sectionIndex_.emplace(IniFoldName(sections_[i].name), i);
        IndexSection(sections_[i]);
    }
}

StringArray IniDocument::Lines() const {
    StringArray lines = preamble_;
    for (const Section& section : sections_) {
        lines.push_back(section.header);
        for (const Line& line : section.lines)
            lines.push_back(line.text);
    }
    return lines;
}

std::string IniDocument::Text(std::string_view lineBreak) const {
    std::string text;
    for (const std::string& line : Lines()) {
        text += line;
        text += lineBreak;
    }
    return text;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view section) const {
    auto it = sectionIndex_.find(IniFoldName(StrTrim(section)));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

IniDocument::Section* IniDocument::FindSection(std::string_view section) {
    auto it = sectionIndex_.find(IniFoldName(StrTrim(section)));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const IniDocument::Line* IniDocument::FindLine(const Section& section, std::string_view name) {
    auto it = section.index.find(IniFoldName(StrTrim(name)));
    return it == section.index.end() ? nullptr : &section.lines[it->second];
}

bool IniDocument::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool IniDocument::ValueExists(std::string_view section, std::string_view name) const {
    return Find(section, name).has_value();
}

std::optional<std::string> IniDocument::Find(std::string_view section,
                                             std::string_view name) const {
    const Section* s = FindSection(section);
    if (!s)
        return std::nullopt;
    const Line* line = FindLine(*s, name);
    if (!line)
        return std::nullopt;
    return line->value;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view name,
                                    std::string_view defaultValue) const {
    std::optional<std::string> value = Find(section, name);
    return value ? *value : std::string(defaultValue);
}

int IniDocument::ReadInteger(std::string_view section, std::string_view name,
                             int defaultValue) const {
    std::optional<std::string> value = Find(section, name);
    return value ? StrToIntDef(*value, defaultValue) : defaultValue;
}

int64_t IniDocument::ReadInt64(std::string_view section, std::string_view name,
                               int64_t defaultValue) const {
    std::optional<std::string> value = Find(section, name);
    return value ? StrToInt64Def(*value, defaultValue) : defaultValue;
}

bool IniDocument::ReadBool(std::string_view section, std::string_view name,
                           bool defaultValue) const {
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void IniDocument::WriteString(std::string_view section, std::string_view name,
                              std::string_view value) {
    std::string cleanName = StrTrim(OneLine(name));
    std::string cleanValue = StrTrim(OneLine(value));
    Line line;
    line.isEntry = true;
    line.name = cleanName;
    line.value = cleanValue;
    line.text = cleanName + "=" + cleanValue;

    Section* s = FindSection(section);
    if (!s) {
        Section fresh;
        fresh.name = StrTrim(OneLine(section));
        fresh.header = "[" + fresh.name + "]";
        sections_.push_back(std::move(fresh));
        sectionIndex_.emplace(IniFoldName(sections_.back().name), sections_.size() - 1);
        s = &sections_.back();
    }
    auto it = s->index.find(IniFoldName(cleanName));
    if (it != s->index.end()) {
        Line& old = s->lines[it->second];
        // The entry keeps the spelling of its name as found in the document.
        old.value = cleanValue;
        old.text = old.name + "=" + cleanValue;
        return;
    }
    s->lines.push_back(std::move(line));
    s->index.emplace(IniFoldName(cleanName), s->lines.size() - 1);
}

void IniDocument::WriteInteger(std::string_view section, std::string_view name, int64_t value) {
    WriteString(section, name, std::to_string(value));
}

void IniDocument::WriteBool(std::string_view section, std::string_view name, bool value) {
    WriteString(section, name, value ? "1" : "0");
}

StringArray IniDocument::SectionNames() const {
    StringArray names;
    for (const Section& section : sections_)
        names.push_back(section.name);
    return names;
}

StringArray IniDocument::SectionEntryNames(std::string_view section) const {
    StringArray names;
    if (const Section* s = FindSection(section))
        for (const Line& line : s->lines)
            if (line.isEntry)
                names.push_back(line.name);
    return names;
}

bool IniDocument::DeleteEntry(std::string_view section, std::string_view name) {
    Section* s = FindSection(section);
    if (!s)
        return false;
    auto it = s->index.find(IniFoldName(StrTrim(name)));
    if (it == s->index.end())
        return false;
    s->lines.erase(s->lines.begin() + static_cast<std::ptrdiff_t>(it->second));
    IndexSection(*s);
    return true;
}

bool IniDocument::EraseSection(std::string_view section) {
    std::string key = IniFoldName(StrTrim(section));
    auto newEnd = std::remove_if(sections_.begin(), sections_.end(),
                                 [&key](const Section& s) { return IniFoldName(s.name) == key; });
    if (newEnd == sections_.end())
        return false;
    sections_.erase(newEnd, sections_.end());
    RebuildIndex();
    return true;
}

} // namespace pw
