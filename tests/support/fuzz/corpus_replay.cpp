// Entry point of a fuzz target built without libFuzzer (GCC): runs the target's entry point once
// over the empty input and once over every file named on the command line, a folder standing for
// the files in it, in name order. A crash, a failed check or a sanitizer report ends the program;
// an argument that names nothing readable, or no input file at all, is a failure too, so a lost
// corpus cannot pass unseen.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

bool AddInputs(const fs::path& argument, std::vector<fs::path>& files) {
    std::error_code ec;
    if (fs::is_regular_file(argument, ec)) {
        files.push_back(argument);
        return true;
    }
    if (!fs::is_directory(argument, ec))
        return false;
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(argument, ec))
        if (entry.is_regular_file(ec))
            found.push_back(entry.path());
    if (ec)
        return false;
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
    return true;
}

// The input in a buffer of exactly its size, so a read past its end is seen by AddressSanitizer.
void RunOne(const std::string& bytes) {
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), buffer.get());
    LLVMFuzzerTestOneInput(buffer.get(), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!AddInputs(argv[i], files)) {
            std::fprintf(stderr, "corpus replay: no such file or folder: %s\n", argv[i]);
            return 2;
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "corpus replay: no input files\n");
        return 2;
    }
    RunOne(std::string());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) {
            std::fprintf(stderr, "corpus replay: cannot read %s\n", file.c_str());
            return 2;
        }
        RunOne(bytes);
    }
    std::printf("corpus replay: %zu inputs passed\n", files.size() + 1);
    return 0;
}
