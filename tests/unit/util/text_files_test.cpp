// Whole files: reading, the byte order mark, atomic writing, empty files and file times.

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/types.h>
#include <unistd.h>

#include "support/temp_dir.h"
#include "util/text_files.h"

namespace pw {
namespace {

using test::SlurpFile;
using test::TempDir;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 0777;
}

// Names in a folder other than "." and "..".
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
    }
    return names;
}

TEST(FileReading, WholeFileAsBytes) {
    TempDir dir;
    std::string bytes("a\0b\xFF\r\n", 6);
    std::string path = dir.write("f.bin", bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes);
    std::string big(300000, 'x');
    big[123456] = 'y';
    EXPECT_EQ(ReadFileBytes(dir.write("big", big)), big);
    // A system file that gives no size is read to its end, past the first chunk.
    EXPECT_GT(ReadFileBytes("/proc/self/smaps").size(), 16384u);
}

TEST(FileReading, MissingOrUnreadableGivesEmpty) {
    TempDir dir;
    EXPECT_EQ(ReadFileBytes(dir.path() + "missing"), "");
    EXPECT_EQ(ReadFileBytes(""), "");
    EXPECT_EQ(ReadFileBytes(dir.path()), "");          // a folder
    EXPECT_EQ(ReadFileBytes(dir.path() + "f\0x"), ""); // cut short by a NUL
    std::string with_nul = dir.write("a", "data") + std::string(1, '\0') + "b";
    EXPECT_EQ(ReadFileBytes(with_nul), "");
}

TEST(FileReading, NamedPipeDoesNotBlock) {
    TempDir dir;
    std::string fifo = dir.path() + "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadFileBytes(fifo), "");
}

TEST(FileReading, ByteOrderMarkIsRemoved) {
    TempDir dir;
    EXPECT_EQ(ReadUtf8FileBytes(dir.write("bom", "\xEF\xBB\xBF")), "");
    EXPECT_EQ(ReadUtf8FileBytes(dir.write("two", "\xEF\xBB")), "\xEF\xBB");
    EXPECT_EQ(ReadUtf8FileBytes(dir.write("text", "\xEF\xBB\xBFhi")), "hi");
    EXPECT_EQ(ReadUtf8FileBytes(dir.write("plain", "hi")), "hi");
    // Only one mark is removed.
    EXPECT_EQ(ReadUtf8FileBytes(dir.write("twice", "\xEF\xBB\xBF\xEF\xBB\xBF")), "\xEF\xBB\xBF");
}

TEST(FileReading, MarkFollowedByWindows1252IsReadAsWindows1252) {
    TempDir dir;
    std::string path = dir.write("ansi", "\xEF\xBB\xBF"
                                         "caf\xE9");
    EXPECT_EQ(ReadUtf8TextFile(path), "caf\xC3\xA9");
    EXPECT_EQ(ReadUtf8TextFile(dir.write("utf8", "caf\xC3\xA9")), "caf\xC3\xA9");
}

TEST(ByteOrderMark, StripAndAdd) {
    EXPECT_EQ(StripByteOrderMark("\xEF\xBB\xBF"
                                 "x"),
              "x");
    EXPECT_EQ(StripByteOrderMark("\xEF\xBB"), "\xEF\xBB");
    EXPECT_EQ(StripByteOrderMark(""), "");
    EXPECT_EQ(AddByteOrderMark("x"), "\xEF\xBB\xBF"
                                     "x");
    EXPECT_EQ(AddByteOrderMark(""), "\xEF\xBB\xBF");
    EXPECT_EQ(AddByteOrderMark("\xEF\xBB\xBF"
                               "x"),
              "\xEF\xBB\xBF"
              "x");
}

TEST(FileWriting, CreatesAndReplaces) {
    TempDir dir;
    std::string path = dir.path() + "out.txt";
    ASSERT_TRUE(WriteFileBytes(path, "first"));
    EXPECT_EQ(SlurpFile(path), "first");
    ASSERT_TRUE(WriteFileBytes(path, std::string("\0second", 7)));
    EXPECT_EQ(SlurpFile(path), std::string("\0second", 7));
    ASSERT_TRUE(WriteFileBytes(path, ""));
    EXPECT_EQ(SlurpFile(path), "");
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 0);
    // No temporary file stays behind.
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"out.txt"});
}

TEST(FileWriting, LongestNameStillWorks) {
    TempDir dir;
    std::string name(255, 'n');
    ASSERT_TRUE(WriteFileBytes(dir.path() + name, "long"));
    EXPECT_EQ(SlurpFile(dir.path() + name), "long");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{name});
}

TEST(FileWriting, ReadOnlyTargetStaysUntouched) {
    TempDir dir;
    std::string path = dir.write("ro.txt", "keep");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(WriteFileBytes(path, "changed"));
    EXPECT_EQ(SlurpFile(path), "keep");
    EXPECT_EQ(ModeOf(path), 0444u);
    EXPECT_FALSE(CreateEmptyFile(path));
    EXPECT_EQ(SlurpFile(path), "keep");
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"ro.txt"});
}

TEST(FileWriting, KeepsThePermissionBitsOfTheTarget) {
    TempDir dir;
    std::string path = dir.write("script.sh", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0750), 0);
    ASSERT_TRUE(WriteFileBytes(path, "new"));
    EXPECT_EQ(ModeOf(path), 0750u);
    EXPECT_EQ(SlurpFile(path), "new");
}

TEST(FileWriting, KeepsTheOwnerWhereItCan) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only a privileged writer can keep another user's ownership";
    TempDir dir;
    std::string path = dir.write("owned", "old");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(WriteFileBytes(path, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
}

TEST(FileWriting, AFolderThatCannotTakeTheTemporaryFileFailsSafely) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not stop a privileged writer";
    TempDir dir;
    std::string folder = dir.mkdir("locked");
    std::string path = dir.write("locked/f", "keep");
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    EXPECT_FALSE(WriteFileBytes(path, "changed"));
    EXPECT_EQ(SlurpFile(path), "keep");
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"f"});
    ::chmod(folder.c_str(), 0755);
}

TEST(FileWriting, FailsWithoutLeavingTemporaryFiles) {
    TempDir dir;
    EXPECT_FALSE(WriteFileBytes(dir.path() + "no/such/folder/f.txt", "x"));
    EXPECT_FALSE(WriteFileBytes("", "x"));
    EXPECT_FALSE(WriteFileBytes(dir.path(), "x")); // a folder path
    EXPECT_FALSE(WriteFileBytes(dir.mkdir("sub"), "x"));
    EXPECT_FALSE(WriteFileBytes(dir.path() + "sub", "x")); // an existing folder
    EXPECT_FALSE(WriteFileBytes(dir.path() + "a" + std::string(1, '\0') + "b", "x"));
    std::string fifo = dir.path() + "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(WriteFileBytes(fifo, "x"));
    auto names = Entries(dir.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"pipe", "sub"}));
}

TEST(FileWriting, ASymbolicLinkIsWrittenThrough) {
    TempDir dir;
    std::string real = dir.write("real.ini", "old");
    std::string link = dir.path() + "link.ini";
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteFileBytes(link, "new"));
    EXPECT_EQ(SlurpFile(real), "new");
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(FileWriting, Utf8TextFilePattern) {
    TempDir dir;
    std::string path = dir.path() + "t.txt";
    ASSERT_TRUE(WriteUtf8TextFile(path, "a\nb\r\nc\r\xC3\xA9"));
    EXPECT_EQ(SlurpFile(path), "\xEF\xBB\xBF"
                               "a\r\nb\r\nc\r\n\xC3\xA9");
    EXPECT_EQ(ReadUtf8TextFile(path), "a\r\nb\r\nc\r\n\xC3\xA9");
}

TEST(FileWriting, CreateEmptyFileCreatesAndTruncates) {
    TempDir dir;
    std::string path = dir.path() + "e";
    ASSERT_TRUE(CreateEmptyFile(path));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 0);
    dir.write("e", "content");
    ASSERT_TRUE(CreateEmptyFile(path));
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 0);
    EXPECT_FALSE(CreateEmptyFile(dir.path() + "missing/e"));
}

TEST(FileTimes, TwoSecondResolution) {
    TempDir dir;
    std::string path = dir.write("f", "x");
    // 2011-03-02 14:05:09 UTC, an odd second.
    struct timeval times[2] = {{1299074709, 0}, {1299074709, 0}};
    ASSERT_EQ(::utimes(path.c_str(), times), 0);
    EXPECT_EQ(DateTimeToText(0, FileDateTime(path, true)), "2011-03-02 14:05:08");
    EXPECT_DOUBLE_EQ(FileDateTime(path, false), UnixToDateTime(1299074708, false));
}

TEST(FileTimes, FoldersHaveTimesAndMissingPathsGiveZero) {
    TempDir dir;
    std::string folder = dir.mkdir("sub");
    struct timeval times[2] = {{1299074710, 0}, {1299074710, 0}};
    ASSERT_EQ(::utimes(folder.c_str(), times), 0);
    EXPECT_EQ(DateTimeToText(0, FileDateTime(folder, true)), "2011-03-02 14:05:10");
    EXPECT_EQ(FileDateTime(dir.path() + "missing"), 0.0);
    EXPECT_EQ(FileDateTime(""), 0.0);
}

} // namespace
} // namespace pw
