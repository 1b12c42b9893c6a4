#include "items/atomic_write.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "util/text_files.h"

namespace pw::items {

namespace fs = std::filesystem;

namespace {
// Creates path exclusively (it must not exist) and writes the bytes; plain system calls, since a
// save makes thousands of these and the C stream layer adds a status call to each.
bool CreateAndWrite(const std::string& path, std::string_view bytes, mode_t mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (!(n < 0 && errno == EINTR))
            ok = false;
    }
    ok = (::close(fd) == 0) && ok;
    if (!ok)
        ::unlink(path.c_str());
    return ok;
}
} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/' || path.find('\0') != path.npos)
        return false;
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    if (fs::is_symlink(st))
        return WriteFileBytes(path, bytes); // keeps the link, replaces its target
    if (fs::exists(st)) {
        if (!fs::is_regular_file(st))
            return false;
        using fs::perms;
        if ((st.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) ==
            perms::none)
            return false;
    }
    static std::atomic<unsigned> counter{0};
    const std::string temp =
        path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    if (!CreateAndWrite(temp, bytes, 0666))
        return false;
    if (fs::exists(st))
        fs::permissions(temp, st.permissions(), ec);
    fs::rename(temp, path, ec);
    if (ec) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool WriteNewFile(const std::string& path, std::string_view bytes) {
    return CreateAndWrite(path, bytes, 0666);
}

bool FileHoldsBytes(const std::string& path, std::string_view bytes) {
    // Non-blocking, so that a named pipe cannot hold the save; only a regular file of the
    // right size is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              static_cast<uint64_t>(st.st_size) == bytes.size();
    // One byte more than expected tells a file that grew meanwhile.
    std::string read(ok ? bytes.size() + 1 : 0, '\0');
    size_t done = 0;
    while (ok && done < read.size()) {
        const ssize_t n = ::read(fd, read.data() + done, read.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n == 0)
            break;
        else if (errno != EINTR)
            ok = false;
    }
    ::close(fd);
    return ok && done == bytes.size() && std::memcmp(read.data(), bytes.data(), done) == 0;
}

void SyncFileSystem(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::syncfs(fd);
    ::close(fd);
}

} // namespace pw::items
