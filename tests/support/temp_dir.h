#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.

#include <string>

namespace pw::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending with "/".
    const std::string& path() const { return path_; }
    // path() + relative, with the parent folders of the result created.
    std::string file(const std::string& relative) const;
    // Writes bytes to path() + relative (parent folders created); returns the full path.
    std::string write(const std::string& relative, const std::string& bytes) const;
    // Reads path() + relative; empty when missing.
    std::string read(const std::string& relative) const;
    // Creates the folder path() + relative (and its parents); returns it with a trailing "/".
    std::string mkdir(const std::string& relative) const;

private:
    std::string path_;
};

// Bytes of a file anywhere; empty when missing.
std::string SlurpFile(const std::string& path);

} // namespace pw::test
