// Path text: composition, decomposition, dot components and the validity of names and paths.

#include "util/paths.h"

namespace pw {

namespace {

constexpr size_t npos = std::string_view::npos;

bool HasNone(std::string_view text, std::string_view rejected) {
    // A NUL byte can never be part of a path here, so it is rejected together with the set.
    return text.find_first_of(rejected) == npos && text.find('\0') == npos;
}

// Index of the dot that starts the extension of the last component; npos if there is none.
size_t ExtensionDot(std::string_view path) {
    size_t dot = path.rfind('.');
    size_t slash = path.rfind(kPathDelim);
    if (dot == npos || (slash != npos && dot < slash))
        return npos;
    return dot;
}

} // namespace

bool IsAbsolutePath(std::string_view path) {
    return !path.empty() && path[0] == kPathDelim;
}

std::string IncludeTrailingSeparator(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != kPathDelim)
        out.push_back(kPathDelim);
    return out;
}

std::string ExcludeTrailingSeparator(std::string_view path) {
    if (!path.empty() && path.back() == kPathDelim)
        path.remove_suffix(1);
    return std::string(path);
}

std::string ExtractFilePath(std::string_view path) {
    size_t slash = path.rfind(kPathDelim);
    return slash == npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileName(std::string_view path) {
    size_t slash = path.rfind(kPathDelim);
    return std::string(slash == npos ? path : path.substr(slash + 1));
}

std::string ExtractFileExt(std::string_view path) {
    size_t dot = ExtensionDot(path);
    return dot == npos ? std::string() : std::string(path.substr(dot));
}

std::string PathBaseName(std::string_view path) {
    if (!path.empty() && path.back() == kPathDelim)
        path.remove_suffix(1);
    size_t slash = path.rfind(kPathDelim);
    size_t dot = path.rfind('.');
    if (dot != npos && (slash == npos || dot > slash)) {
        size_t begin = slash == npos ? 0 : slash + 1;
        return std::string(path.substr(begin, dot - begin));
    }
    if (slash != npos)
        return std::string(path.substr(slash + 1));
    return std::string(path);
}

std::string RemoveExtension(std::string_view name) {
    size_t dot = ExtensionDot(name);
    return std::string(dot == npos ? name : name.substr(0, dot));
}

std::string ExtensionWithoutDot(std::string_view ext) {
    if (!ext.empty() && ext[0] == '.')
        ext.remove_prefix(1);
    return std::string(ext);
}

std::string InsertNamePrefix(std::string_view path, std::string_view prefix) {
    return ExtractFilePath(path) + std::string(prefix) + ExtractFileName(path);
}

std::string ResolveDots(std::string_view path) {
    std::string out(path);
    // "../" at the start or after a "/" goes together with the component before it.
    size_t at = 0;
    while ((at = out.find("../", at)) != npos) {
        if (at > 0 && out[at - 1] != kPathDelim) {
            ++at; // inside a component, such as "a../"
            continue;
        }
        if (at == 0) {
            out.erase(0, 3); // nothing before it in a relative path
        } else if (at == 1) {
            out.erase(1, 3); // the root's parent is the root itself
            at = 1;
        } else {
            size_t previous = out.rfind(kPathDelim, at - 2);
            size_t begin = previous == npos ? 0 : previous + 1;
            out.erase(begin, at + 3 - begin);
            at = begin;
        }
    }
    // Then "./" at the start or after a "/".
    at = 0;
    while ((at = out.find("./", at)) != npos) {
        if (at > 0 && out[at - 1] != kPathDelim) {
            ++at;
            continue;
        }
        out.erase(at, 2);
    }
    return out;
}

bool HasNoInvalidPathChars(std::string_view path) {
    return HasNone(path, kInvalidPathChars);
}

bool HasNoInvalidNameChars(std::string_view name) {
    return HasNone(name, kInvalidNameChars);
}

bool IsValidFolderPath(const std::string& path, bool mustExist, bool checkForm) {
    if (mustExist) {
        if (!DirectoryExists(path))
            return false;
        if (!checkForm)
            return true;
    }
    return HasNoInvalidPathChars(path) && !path.empty() && path.back() == kPathDelim;
}

bool IsValidFilePath(const std::string& path, bool mustExist, bool checkForm) {
    if (mustExist) {
        if (!FileExists(path))
            return false;
        if (!checkForm)
            return true;
    }
    std::string name = ExtractFileName(path);
    return IsValidFolderPath(IncludeTrailingSeparator(ExtractFilePath(path)), mustExist, true) &&
           !name.empty() && HasNoInvalidNameChars(name);
}

} // namespace pw
