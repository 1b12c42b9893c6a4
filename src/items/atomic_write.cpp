#include "items/atomic_write.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

#include "util/text_files.h"

namespace pw::items {

namespace fs = std::filesystem;

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
    std::FILE* f = std::fopen(temp.c_str(), "wbx");
    if (!f)
        return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (ok && fs::exists(st))
        fs::permissions(temp, st.permissions(), ec);
    if (ok) {
        fs::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

bool WriteNewFile(const std::string& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wbx");
    if (!f)
        return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok)
        std::remove(path.c_str());
    return ok;
}

void SyncFileSystem(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::syncfs(fd);
    ::close(fd);
}

} // namespace pw::items
