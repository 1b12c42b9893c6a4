// Reading whole files, the byte order mark, the text-file patterns and file times.

#include "util/text_files.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/strings.h"

namespace pw {

namespace {

bool Askable(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::string ReadFileBytes(const std::string& path) {
    return ReadFileBytesAt(AT_FDCWD, path);
}

std::string ReadFileBytesAt(int directory, const std::string& path, bool* exists) {
    if (exists)
        *exists = false;
    if (!Askable(path))
        return {};
    // Non-blocking, so that a named pipe cannot hold the caller; only regular files are read.
    FileHandle file(::openat(directory, path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (file.get() < 0) {
        // Something may be there that cannot be opened.
        if (exists)
            *exists = ::fstatat(directory, path.c_str(), &st, 0) == 0 && !S_ISDIR(st.st_mode);
        return {};
    }
    if (::fstat(file.get(), &st) != 0)
        return {};
    if (exists)
        *exists = !S_ISDIR(st.st_mode);
    if (!S_ISREG(st.st_mode))
        return {};
    // Read straight into the text, as long as the file said it is; one that says nothing (as
    // some system files do) is read to its end.
    const bool sized = st.st_size > 0;
    std::string bytes(sized ? static_cast<size_t>(st.st_size) : 0, '\0');
    size_t have = 0;
    char more[4096];
    while (!sized || have < bytes.size()) {
        const bool inside = have < bytes.size();
        char* into = inside ? bytes.data() + have : more;
        const size_t room = inside ? bytes.size() - have : sizeof more;
        const ssize_t got = ::read(file.get(), into, room);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {};
        if (got == 0)
            break;
        if (!inside)
            bytes.append(more, static_cast<size_t>(got));
        have += static_cast<size_t>(got);
    }
    bytes.resize(have);
    return bytes;
}

std::string ReadUtf8FileBytes(const std::string& path) {
    return StripByteOrderMark(ReadFileBytes(path));
}

std::string StripByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    return std::string(bytes);
}

std::string AddByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        return std::string(bytes);
    std::string out(kByteOrderMark);
    out.append(bytes);
    return out;
}

std::string ReadUtf8TextFile(const std::string& path) {
    return DecodeUtf8(ReadUtf8FileBytes(path));
}

bool WriteUtf8TextFile(const std::string& path, std::string_view text) {
    return WriteFileBytes(path, AddByteOrderMark(StrNormalizeLineBreaks(text, "\r\n")));
}

TDateTime FileDateTime(const std::string& path, bool universal) {
    struct stat st;
    if (!Askable(path) || ::stat(path.c_str(), &st) != 0)
        return 0;
    std::time_t t = st.st_mtime;
    std::tm tm{};
    if (!(universal ? gmtime_r(&t, &tm) : localtime_r(&t, &tm)))
        return 0;
    // The DOS date format keeps even seconds only.
    return EncodeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          (tm.tm_sec > 59 ? 59 : tm.tm_sec) & ~1);
}

} // namespace pw
