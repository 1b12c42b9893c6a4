// The freedesktop.org trash (Trash standard 1.0): an entry is renamed into files/ beside
// an info/NAME.trashinfo that records where it came from and when. Where the trash cannot take
// an entry (another file system, no permission), it is deleted for good instead.

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "util/datetime.h"
#include "util/folders.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/uri_list.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

// Longest trash name; with ".trashinfo" it stays below the usual 255-byte name limit.
constexpr size_t kMaxTrashName = 200;

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The name cut to kMaxTrashName bytes, never inside a UTF-8 sequence.
std::string ShortenName(const std::string& name) {
    if (name.size() <= kMaxTrashName)
        return name;
    size_t cut = kMaxTrashName;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut);
}

bool MakeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0700) == 0 || (errno == EEXIST && DirectoryExists(path));
}

// Creates the trash with its files/ and info/ folders when missing.
bool PrepareTrash(const std::string& trash) {
    std::string parent = ExtractFilePath(ExcludeTrailingSeparator(trash));
    if (!parent.empty() && !DirectoryExists(parent) && !ForceDirectories(parent))
        return false;
    return MakeFolder(ExcludeTrailingSeparator(trash)) && MakeFolder(trash + "files") &&
           MakeFolder(trash + "info");
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Reserves a free name in the trash by creating its info file exclusively; gives the name, or
// "" when none could be had.
std::string ReserveTrashName(const std::string& trash, const std::string& name,
                             const std::string& info) {
    const std::string base = ShortenName(name);
    for (int i = 1; i < 100000; ++i) {
        std::string candidate = i == 1 ? base : base + "." + std::to_string(i);
        struct stat st;
        if (lstat((trash + "files/" + candidate).c_str(), &st) == 0)
            continue;
        std::string infoPath = trash + "info/" + candidate + ".trashinfo";
        int fd = open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        bool written = WriteAll(fd, info);
        written = close(fd) == 0 && written;
        if (!written) {
            unlink(infoPath.c_str());
            return {};
        }
        return candidate;
    }
    return {};
}

// Deletes one existing entry: into the trash where possible, else for good.
bool DeleteEntry(const std::string& path, bool foldersToo) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return false;
    if (S_ISDIR(st.st_mode) && !foldersToo)
        return false;
    if (IsProtectedFolder(path))
        return false;
    return MoveToTrash(path) || DeletePathPermanently(path);
}

// Deletes what a wildcard name ("*.*" meaning every entry) names in its folder; folders only
// with foldersToo. True when every match went (and when nothing matches).
bool DeleteMatches(const std::string& path, bool foldersToo) {
    std::string folder = ExtractFilePath(path);
    std::string pattern = ExtractFileName(path);
    if (pattern == "*.*")
        pattern = "*";
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return false;
    StringArray matches;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != ".." && fnmatch(pattern.c_str(), name.c_str(), 0) == 0)
            matches.push_back(folder + name);
    }
    closedir(dir);
    bool ok = true;
    for (const std::string& match : matches) {
        struct stat st;
        if (lstat(match.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode) && !foldersToo)
            continue; // a wildcard with files only passes folders by
        ok = DeleteEntry(match, foldersToo) && ok;
    }
    return ok;
}

} // namespace

std::string TrashFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return IncludeTrailingSeparator(dataHome) + "Trash/";
    std::string home = HomeFolder();
    if (home.empty())
        return {};
    return IncludeTrailingSeparator(home) + ".local/share/Trash/";
}

bool MoveToTrash(const std::string& path) {
    std::string stripped = WithoutTrailingSlashes(path);
    if (stripped.empty() || stripped == "/" || IsProtectedFolder(stripped))
        return false;
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(stripped), ec);
    if (ec)
        return false;
    std::string name = absolute.filename().string();
    if (name.empty() || name == "." || name == "..")
        return false;
    struct stat st;
    if (lstat(stripped.c_str(), &st) != 0)
        return false;

    const std::string trash = TrashFolder();
    if (trash.empty() || !PrepareTrash(trash))
        return false;
    // A folder that holds the trash cannot move into it.
    if (S_ISDIR(st.st_mode)) {
        std::error_code folderError, trashError;
        fs::path folder = fs::canonical(absolute, folderError);
        fs::path trashPath = fs::canonical(trash, trashError);
        if (folderError || trashError)
            return false;
        std::string f = folder.string(), t = trashPath.string();
        if (t == f || (t.size() > f.size() && t.compare(0, f.size(), f) == 0 && t[f.size()] == '/'))
            return false;
    }
    // The home trash only takes entries of its own file system.
    struct stat trashSt;
    if (stat((trash + "files").c_str(), &trashSt) != 0 || trashSt.st_dev != st.st_dev)
        return false;

    std::string date = DateTimeToText(0, NowLocal());
    for (char& c : date)
        if (c == ' ')
            c = 'T';
    const std::string info =
        "[Trash Info]\nPath=" + PercentEncode(absolute.lexically_normal().string()) +
        "\nDeletionDate=" + date + "\n";
    std::string trashName = ReserveTrashName(trash, name, info);
    if (trashName.empty())
        return false;
    if (rename(stripped.c_str(), (trash + "files/" + trashName).c_str()) != 0) {
        unlink((trash + "info/" + trashName + ".trashinfo").c_str());
        return false;
    }
    return true;
}

bool DeleteToRecycleBin(const std::string& path, bool foldersToo, bool silent) {
    (void)silent; // nothing is ever shown
    if (path.empty())
        return false;
    std::string stripped = WithoutTrailingSlashes(path);
    struct stat st;
    if (lstat(stripped.c_str(), &st) == 0)
        return DeleteEntry(stripped, foldersToo);
    std::string name = ExtractFileName(stripped);
    if (name.find_first_of("*?") != std::string::npos)
        return DeleteMatches(stripped, foldersToo);
    return false;
}

} // namespace pw
