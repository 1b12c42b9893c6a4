#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace pw::test {

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "pathwick-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    // Make read-only leftovers of a test removable before deleting them.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(path_, ec);
}

std::string TempDir::file(const std::string& relative) const {
    fs::path p = fs::path(path_) / relative;
    std::error_code ec;
    fs::create_directories(p.parent_path(), ec);
    return p.string();
}

std::string TempDir::write(const std::string& relative, const std::string& bytes) const {
    std::string p = file(relative);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
    return p;
}

std::string TempDir::read(const std::string& relative) const {
    return SlurpFile(path_ + relative);
}

std::string TempDir::mkdir(const std::string& relative) const {
    std::error_code ec;
    fs::create_directories(fs::path(path_) / relative, ec);
    std::string p = path_ + relative;
    if (p.empty() || p.back() != '/')
        p += '/';
    return p;
}

std::string SlurpFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace pw::test

namespace pw::test {
namespace {
// Every test program runs with a home, data and config folder of its own, so that nothing a
// test does (a file moved to the trash, an autostart entry) reaches the real home.
struct PrivateHome {
    std::string root;
    PrivateHome() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp && *tmp ? tmp : "/tmp") + "/pathwick-test-home-XXXXXX";
        if (!mkdtemp(pattern.data()))
            return;
        root = pattern;
        setenv("HOME", root.c_str(), 1);
        setenv("XDG_DATA_HOME", (root + "/.local/share").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/.config").c_str(), 1);
    }
    ~PrivateHome() {
        std::error_code ec;
        if (!root.empty())
            fs::remove_all(root, ec);
    }
};
const PrivateHome gPrivateHome;
} // namespace
} // namespace pw::test
