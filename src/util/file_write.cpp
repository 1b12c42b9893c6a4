// Writing whole files atomically: a temporary file in the target's folder, flushed to disk and
// renamed over the target, so a failure or a crash never leaves a half-written file behind.

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/paths.h"
#include "util/strings.h"
#include "util/text_files.h"

namespace pw {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t done = ::write(fd, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(done));
    }
    return true;
}

// The file a write to path lands in: the target of a symbolic link (so the link survives),
// else the path itself.
std::string WriteTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.find('\0') != std::string::npos || path.back() == kPathDelim)
        return false;
    const std::string target = WriteTarget(path);

    struct stat old;
    bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing) {
        // Only a regular file is replaced, and only one that may be written: a file without any
        // write permission is read-only even for a user whom the system would let through.
        if (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0 ||
            (old.st_mode & 0222) == 0)
            return false;
    } else if (errno != ENOENT) {
        return false;
    }

    std::string folder = ExtractFilePath(target);
    // The temporary name stays within the length a name may have, however long the target's is.
    std::string tempStem = ExtractFileName(target).substr(0, 200);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = folder + "." + tempStem + ".tmp-" + StrRandom(8, kLettersAndDigits);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;

    bool ok = true;
    if (replacing) {
        ::fchmod(fd, old.st_mode & 0777);
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Another owner cannot be kept by an ordinary user; the file becomes the writer's.
        }
    }
    ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(folder.empty() ? std::string(".") : folder);
    return true;
}

bool CreateEmptyFile(const std::string& path) {
    return WriteFileBytes(path, {});
}

} // namespace pw
