// Questions put to the file system about paths: existence, canonical form, resolution against a
// base folder, folder creation and the home folder. Nothing here throws.

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/paths.h"

namespace pw {

namespace {

// A path the system can be asked about: not empty and without a NUL byte (which would cut it).
bool Askable(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

bool StatPath(const std::string& path, struct stat& st) {
    return Askable(path) && ::stat(path.c_str(), &st) == 0;
}

// The path without a trailing "/", so that a final symbolic link is looked at, not followed.
std::string LinkQueryPath(const std::string& path) {
    if (path.size() > 1 && path.back() == kPathDelim)
        return path.substr(0, path.size() - 1);
    return path;
}

} // namespace

bool FileExists(const std::string& path) {
    struct stat st;
    return StatPath(path, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st;
    return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat st;
    std::string query = LinkQueryPath(path);
    return Askable(query) && ::lstat(query.c_str(), &st) == 0;
}

bool IsSymbolicLink(const std::string& path) {
    struct stat st;
    std::string query = LinkQueryPath(path);
    return Askable(query) && ::lstat(query.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string ResolveRelativePath(const std::string& path, const std::string& baseFolder) {
    // An absolute path is never joined to the base folder, whether it exists or not.
    if (IsAbsolutePath(path))
        return path;
    std::string candidate = ResolveDots(baseFolder + path);
    if (FileExists(candidate))
        return candidate;
    return path;
}

std::string LongPathName(const std::string& path) {
    if (!Askable(path))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string result(resolved);
    std::free(resolved);
    if (path.back() == kPathDelim)
        result = IncludeTrailingSeparator(result);
    return result;
}

bool ForceDirectories(const std::string& path) {
    if (!Askable(path))
        return false;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path), ec);
    return DirectoryExists(path);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return IncludeTrailingSeparator(home);
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<size_t>(size) : 16384, '\0');
    struct passwd entry;
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return IncludeTrailingSeparator(found->pw_dir);
    return {};
}

} // namespace pw
