// Shell links on this desktop: ".desktop" entries (the [Desktop Entry] group's Exec, Path,
// Name, Icon) and symbolic links.

#include "util/shell_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "util/paths.h"
#include "util/strings.h"
#include "util/text_files.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// A string value of a desktop entry with its escapes (\s \n \t \r \\) turned into characters;
// any other backslash is kept for the quoting rules of Exec.
std::string UnescapeValue(std::string_view value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        char next = value[i + 1];
        switch (next) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            out += '\\';
            out += next;
            break;
        }
        ++i;
    }
    return out;
}

// The unlocalised keys of the first [Desktop Entry] group with their unescaped values (the
// first of repeated keys wins); false when the text has no such group.
bool ReadDesktopEntry(const std::string& text, std::map<std::string, std::string>& keys) {
    bool found = false, inGroup = false;
    for (std::string line : StrSplit(StrNormalizeLineBreaks(text, "\n"), "\n", true)) {
        line = StrTrimLeft(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (found && inGroup)
                break; // the group ended
            inGroup = StrTrimRight(line) == "[Desktop Entry]";
            found = found || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = StrTrimRight(line.substr(0, eq));
        if (key.empty() || key.find('[') != std::string::npos)
            continue; // localised variants are not used
        std::string value = line.substr(eq + 1);
        size_t start = 0;
        while (start < value.size() && (value[start] == ' ' || value[start] == '\t'))
            ++start;
        keys.emplace(key, UnescapeValue(std::string_view(value).substr(start)));
    }
    return found;
}

// The word with its field codes (%f, %U, %i, ...) removed and "%%" as "%"; onlyCodes tells
// whether field codes alone made it up.
std::string RemoveFieldCodes(const std::string& word, bool& onlyCodes) {
    std::string out;
    onlyCodes = !word.empty();
    for (size_t i = 0; i < word.size(); ++i) {
        char c = word[i];
        if (c == '%' && i + 1 < word.size()) {
            char next = word[i + 1];
            if (next == '%') {
                out += '%';
                onlyCodes = false;
                ++i;
                continue;
            }
            if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z')) {
                ++i;
                continue;
            }
        }
        out += c;
        onlyCodes = false;
    }
    return out;
}

// A bare program name looked up in the folders of PATH; the name itself when it is not found.
std::string FindProgram(const std::string& program) {
    if (program.empty() || program.find('/') != std::string::npos)
        return program;
    const char* searchPath = std::getenv("PATH");
    if (!searchPath)
        return program;
    for (const std::string& folder : StrSplit(searchPath, ":")) {
        if (folder.empty())
            continue;
        std::string candidate = IncludeTrailingSeparator(folder) + program;
        struct stat st;
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return program;
}

std::string ValueOf(const std::map<std::string, std::string>& keys, const std::string& key) {
    auto it = keys.find(key);
    return it == keys.end() ? std::string() : it->second;
}

int ResolveSymbolicLink(const std::string& linkPath, ShellLinkRecord& record) {
    std::error_code ec;
    fs::path resolved = fs::canonical(linkPath, ec);
    if (!ec) {
        record.Target = resolved.string();
        if (DirectoryExists(record.Target))
            record.Target = IncludeTrailingSeparator(record.Target);
        return kShellLinkOk;
    }
    // A dangling link: tell where it points, and that it leads nowhere.
    fs::path text = fs::read_symlink(linkPath, ec);
    if (!ec) {
        fs::path whole = text.is_absolute() ? text : fs::path(linkPath).parent_path() / text;
        record.Target = whole.lexically_normal().string();
    }
    return kShellLinkBroken;
}

int ResolveDesktopEntry(const std::string& linkPath, ShellLinkRecord& record) {
    if (access(linkPath.c_str(), R_OK) != 0)
        return kShellLinkUnreadable;
    std::map<std::string, std::string> keys;
    if (!ReadDesktopEntry(ReadUtf8TextFile(linkPath), keys))
        return kShellLinkNotALink;

    record.Description = ValueOf(keys, "Name");
    if (record.Description.empty())
        record.Description = ValueOf(keys, "Comment");
    record.IconLocation = ValueOf(keys, "Icon");
    std::string workFolder = ValueOf(keys, "Path");
    if (!workFolder.empty())
        record.WorkingDirectory = IncludeTrailingSeparator(workFolder);

    if (ValueOf(keys, "Type") == "Link") {
        record.Target = ValueOf(keys, "URL");
        record.TargetIsUrl = true;
        return record.Target.empty() ? kShellLinkNoTarget : kShellLinkOk;
    }
    std::vector<std::string> words;
    for (const std::string& word : SplitCommandLine(ValueOf(keys, "Exec"))) {
        bool onlyCodes = false;
        std::string kept = RemoveFieldCodes(word, onlyCodes);
        if (!onlyCodes)
            words.push_back(std::move(kept));
    }
    if (words.empty() || words[0].empty())
        return kShellLinkNoTarget;
    record.Target = FindProgram(words[0]);
    for (size_t i = 1; i < words.size(); ++i) {
        if (i > 1)
            record.Arguments += ' ';
        record.Arguments += QuoteShellWord(words[i]);
    }
    return kShellLinkOk;
}

} // namespace

int ResolveShellLink(const std::string& linkPath, ShellLinkRecord& record) {
    record = ShellLinkRecord{};
    if (linkPath.empty())
        return kShellLinkUnreadable;
    struct stat st;
    if (lstat(linkPath.c_str(), &st) != 0)
        return kShellLinkUnreadable;
    if (S_ISLNK(st.st_mode))
        return ResolveSymbolicLink(linkPath, record);
    if (!S_ISREG(st.st_mode) || StrLower(ExtractFileExt(linkPath)) != ".desktop")
        return kShellLinkNotALink;
    return ResolveDesktopEntry(linkPath, record);
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    const size_t n = commandLine.size();
    for (size_t i = 0; i < n; ++i) {
        char c = commandLine[i];
        if (IsBlank(c)) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            if (i + 1 == n) {
                word += c; // a backslash at the very end stands for itself
            } else {
                if (commandLine[i + 1] != '\n') // backslash-newline joins lines
                    word += commandLine[i + 1];
                ++i;
            }
        } else if (c == '\'') {
            size_t end = commandLine.find('\'', i + 1);
            if (end == std::string::npos)
                end = n; // an unclosed quote runs to the end
            word.append(commandLine, i + 1, end - i - 1);
            i = end;
        } else if (c == '"') {
            for (++i; i < n && commandLine[i] != '"'; ++i) {
                char q = commandLine[i];
                if (q == '\\' && i + 1 < n &&
                    std::string_view("$`\"\\\n").find(commandLine[i + 1]) !=
                        std::string_view::npos) {
                    if (commandLine[i + 1] != '\n')
                        word += commandLine[i + 1];
                    ++i;
                } else {
                    word += q;
                }
            }
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::string QuoteShellWord(const std::string& word) {
    if (word.empty())
        return "''";
    bool plain = true;
    for (unsigned char c : word) {
        bool safe =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c >= 0x80 ||
            std::string_view("_@%+=:,./-").find(static_cast<char>(c)) != std::string_view::npos;
        if (!safe) {
            plain = false;
            break;
        }
    }
    if (plain)
        return word;
    std::string out = "'";
    for (char c : word) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    out += '\'';
    return out;
}

} // namespace pw
