#include "framework/environment.h"

#include <cstdlib>
#include <unistd.h>

#include "util/paths.h"
#include "util/strings.h"
#include "util/text_files.h"

namespace pw {

EnvLookup ProcessEnvironment() {
    return [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        if (!value)
            return std::nullopt;
        return std::string(value);
    };
}

EnvLookup FixedEnvironment(std::map<std::string, std::string> variables) {
    return
        [variables = std::move(variables)](const std::string& name) -> std::optional<std::string> {
            auto it = variables.find(name);
            if (it == variables.end())
                return std::nullopt;
            return it->second;
        };
}

namespace {

// An absolute folder from the variable, with a trailing "/"; "" otherwise.
std::string AbsoluteFolderVariable(const EnvLookup& env, const std::string& name) {
    std::optional<std::string> value = env(name);
    if (!value || value->empty() || !IsAbsolutePath(*value))
        return "";
    return IncludeTrailingSeparator(*value);
}

} // namespace

std::string EnvHomeFolder(const EnvLookup& env) {
    std::string home = AbsoluteFolderVariable(env, "HOME");
    return home.empty() ? HomeFolder() : home;
}

std::string XdgConfigHome(const EnvLookup& env) {
    std::string folder = AbsoluteFolderVariable(env, "XDG_CONFIG_HOME");
    if (!folder.empty())
        return folder;
    std::string home = EnvHomeFolder(env);
    return home.empty() ? "" : home + ".config/";
}

std::string XdgDataHome(const EnvLookup& env) {
    std::string folder = AbsoluteFolderVariable(env, "XDG_DATA_HOME");
    if (!folder.empty())
        return folder;
    std::string home = EnvHomeFolder(env);
    return home.empty() ? "" : home + ".local/share/";
}

std::string ParseUserDirsDocuments(const std::string& text, const std::string& home) {
    std::string result;
    for (const std::string& raw : StrSplit(StrNormalizeLineBreaks(text, "\n"), "\n")) {
        std::string line = StrTrim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos || StrTrim(line.substr(0, eq)) != "XDG_DOCUMENTS_DIR")
            continue;
        std::string value = StrTrim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (StrStartsWith(value, "$HOME")) {
            if (home.empty())
                continue;
            std::string rest = value.substr(5);
            if (!rest.empty() && rest[0] != '/')
                continue; // "$HOMEx" is no folder below home
            value = ExcludeTrailingSeparator(home) + rest;
        }
        if (!IsAbsolutePath(value))
            continue;
        result = IncludeTrailingSeparator(value); // the last assignment wins, as in a shell
    }
    return result;
}

std::string XdgDocumentsDir(const EnvLookup& env) {
    std::string home = EnvHomeFolder(env);
    std::string config = XdgConfigHome(env);
    if (!config.empty()) {
        std::string folder =
            ParseUserDirsDocuments(ReadUtf8TextFile(config + "user-dirs.dirs"), home);
        if (!folder.empty())
            return folder;
    }
    return home.empty() ? "" : home + "Documents/";
}

std::string ExecutableFolder() {
    std::string buffer(4096, '\0');
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size())
        return "";
    buffer.resize(static_cast<size_t>(length));
    return ExtractFilePath(buffer);
}

} // namespace pw
