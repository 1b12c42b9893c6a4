// Paths and names: composition, dot components, validity and the file-system questions.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_dir.h"
#include "util/paths.h"

namespace pw {
namespace {

using test::TempDir;

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            had_ = true;
            old_ = old;
        }
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (had_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

TEST(PathComposition, TrailingSeparator) {
    EXPECT_EQ(IncludeTrailingSeparator("/"), "/");
    EXPECT_EQ(IncludeTrailingSeparator(""), "/");
    EXPECT_EQ(IncludeTrailingSeparator("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingSeparator("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingSeparator("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingSeparator("/a//"), "/a/");
    EXPECT_EQ(ExcludeTrailingSeparator("/a"), "/a");
    EXPECT_EQ(ExcludeTrailingSeparator(""), "");
}

TEST(PathComposition, FolderNameAndExtension) {
    EXPECT_EQ(ExtractFilePath("/data/notes.txt"), "/data/");
    EXPECT_EQ(ExtractFilePath("notes.txt"), "");
    EXPECT_EQ(ExtractFilePath("/data/sub/"), "/data/sub/");
    EXPECT_EQ(ExtractFileName("/data/notes.txt"), "notes.txt");
    EXPECT_EQ(ExtractFileName("/data/sub/"), "");
    EXPECT_EQ(ExtractFileExt("/data/notes.TXT"), ".TXT");
    EXPECT_EQ(ExtractFileExt("/da.ta/notes"), "");
    EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
}

TEST(PathComposition, BaseName) {
    EXPECT_EQ(PathBaseName("/data/Notes.txt"), "Notes");
    EXPECT_EQ(PathBaseName("/data/Sub/"), "Sub");
    EXPECT_EQ(PathBaseName("archive.tar.gz"), "archive.tar");
    EXPECT_EQ(PathBaseName("/data/v1.2/"), "v1");
    EXPECT_EQ(PathBaseName("plain"), "plain");
    EXPECT_EQ(PathBaseName("/da.ta/plain"), "plain");
    EXPECT_EQ(PathBaseName(""), "");
    EXPECT_EQ(PathBaseName("/"), "");
}

TEST(PathComposition, ExtensionHelpers) {
    EXPECT_EQ(RemoveExtension("notes.txt"), "notes");
    EXPECT_EQ(RemoveExtension("archive.tar.gz"), "archive.tar");
    EXPECT_EQ(RemoveExtension("notes"), "notes");
    EXPECT_EQ(RemoveExtension("/v1.2/notes"), "/v1.2/notes"); // a dot in a folder is no extension
    EXPECT_EQ(ExtensionWithoutDot(".txt"), "txt");
    EXPECT_EQ(ExtensionWithoutDot("txt"), "txt");
    EXPECT_EQ(ExtensionWithoutDot(""), "");
}

TEST(PathComposition, InsertNamePrefix) {
    EXPECT_EQ(InsertNamePrefix("/data/notes.txt", "~"), "/data/~notes.txt");
    EXPECT_EQ(InsertNamePrefix("notes.txt", "old_"), "old_notes.txt");
    EXPECT_EQ(InsertNamePrefix("/data/", "x"), "/data/x");
}

TEST(PathDots, ParentComponents) {
    EXPECT_EQ(ResolveDots("a/b/../c"), "a/c");
    EXPECT_EQ(ResolveDots("../x"), "x");
    EXPECT_EQ(ResolveDots("a/../../x"), "x");
    EXPECT_EQ(ResolveDots("/p/bin/../x.exe"), "/p/x.exe");
    EXPECT_EQ(ResolveDots("/p/a/b/../../c/"), "/p/c/");
    EXPECT_EQ(ResolveDots("./../x"), "x");
}

TEST(PathDots, TheRootHasNoParent) {
    // An absolute path stays absolute.
    EXPECT_EQ(ResolveDots("/../x"), "/x");
    EXPECT_EQ(ResolveDots("/a/../../x"), "/x");
}

TEST(PathDots, CurrentComponents) {
    EXPECT_EQ(ResolveDots("a/./b"), "a/b");
    EXPECT_EQ(ResolveDots("./a"), "a");
    EXPECT_EQ(ResolveDots("././a/./"), "a/");
}

TEST(PathDots, DotsInsideComponentsStay) {
    EXPECT_EQ(ResolveDots("a../b"), "a../b");
    EXPECT_EQ(ResolveDots("a./b"), "a./b");
    EXPECT_EQ(ResolveDots("a/...b/c"), "a/...b/c");
    EXPECT_EQ(ResolveDots("a/b/.."), "a/b/..");
    EXPECT_EQ(ResolveDots(""), "");
}

TEST(PathValidity, InvalidCharacters) {
    EXPECT_FALSE(HasNoInvalidNameChars("a|b"));
    EXPECT_FALSE(HasNoInvalidNameChars("a:b"));
    EXPECT_FALSE(HasNoInvalidNameChars("a/b"));
    EXPECT_FALSE(HasNoInvalidNameChars("a\\b"));
    EXPECT_TRUE(HasNoInvalidNameChars("a b.txt"));
    EXPECT_TRUE(HasNoInvalidPathChars("/a/b"));
    EXPECT_FALSE(HasNoInvalidPathChars("/a|b"));
    EXPECT_FALSE(HasNoInvalidPathChars("/a/*"));
    EXPECT_FALSE(HasNoInvalidPathChars(std::string("/a\0b", 4)));
    EXPECT_FALSE(HasNoInvalidNameChars(std::string("a\0b", 3)));
}

TEST(PathValidity, FolderPaths) {
    TempDir dir;
    std::string folder = dir.mkdir("sub");
    EXPECT_TRUE(IsValidFolderPath("/no/such/", false, true));
    EXPECT_FALSE(IsValidFolderPath("/no/such", false, true)); // a file-name part
    EXPECT_FALSE(IsValidFolderPath("/no/su?ch/", false, true));
    EXPECT_FALSE(IsValidFolderPath("", false, true));
    EXPECT_FALSE(IsValidFolderPath("/no/such/", true, true));
    EXPECT_TRUE(IsValidFolderPath(folder, true, true));
    // An existing folder is valid at once without the form check.
    EXPECT_TRUE(IsValidFolderPath(ExcludeTrailingSeparator(folder), true, false));
    EXPECT_FALSE(IsValidFolderPath(ExcludeTrailingSeparator(folder), true, true));
}

TEST(PathValidity, FilePaths) {
    TempDir dir;
    std::string file = dir.write("f.txt", "x");
    EXPECT_TRUE(IsValidFilePath("/no/such/f.txt", false, true));
    EXPECT_FALSE(IsValidFilePath("/no/such/", false, true));
    EXPECT_FALSE(IsValidFilePath("/no/such/f:x", false, true));
    EXPECT_FALSE(IsValidFilePath("/no/s|uch/f", false, true));
    EXPECT_TRUE(IsValidFilePath("f.txt", false, true));
    EXPECT_TRUE(IsValidFilePath(file, true, false));
    EXPECT_TRUE(IsValidFilePath(file, true, true));
    EXPECT_FALSE(IsValidFilePath(dir.path() + "missing.txt", true, true));
    EXPECT_FALSE(IsValidFilePath(dir.path(), true, false));
}

TEST(PathQueries, ExistenceTests) {
    TempDir dir;
    std::string file = dir.write("f", "x");
    std::string folder = dir.mkdir("d");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(file + "/"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(file + std::string(1, '\0') + "junk"));
    EXPECT_TRUE(DirectoryExists(folder));
    EXPECT_TRUE(DirectoryExists(ExcludeTrailingSeparator(folder)));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_FALSE(DirectoryExists(""));
    EXPECT_TRUE(IsAbsolutePath("/x"));
    EXPECT_FALSE(IsAbsolutePath("x/y"));
    EXPECT_FALSE(IsAbsolutePath(""));
}

TEST(PathQueries, SymbolicLinksAreSeenNotFollowed) {
    TempDir dir;
    std::string folder = dir.mkdir("target");
    std::string link = dir.path() + "link";
    std::string dangling = dir.path() + "dangling";
    ASSERT_EQ(::symlink(folder.c_str(), link.c_str()), 0);
    ASSERT_EQ(::symlink((dir.path() + "gone").c_str(), dangling.c_str()), 0);
    EXPECT_TRUE(IsSymbolicLink(link));
    EXPECT_TRUE(IsSymbolicLink(link + "/"));
    EXPECT_FALSE(IsSymbolicLink(folder));
    EXPECT_TRUE(PathExists(dangling));
    EXPECT_FALSE(FileExists(dangling));
    EXPECT_FALSE(PathExists(dir.path() + "gone"));
    EXPECT_TRUE(DirectoryExists(link));
}

TEST(PathQueries, ResolveRelativePath) {
    TempDir dir;
    std::string base = dir.mkdir("prog/bin");
    std::string exe = dir.write("prog/x.exe", "x");
    EXPECT_EQ(ResolveRelativePath("../x.exe", base), exe);
    EXPECT_EQ(ResolveRelativePath("../missing.exe", base), "../missing.exe");
    // Only files are resolved; a relative folder stays as it was.
    dir.mkdir("prog/bin/tools");
    EXPECT_EQ(ResolveRelativePath("tools/", base), "tools/");
    EXPECT_EQ(ResolveRelativePath("tools", base), "tools");
    // An absolute path is returned unchanged, existing or not, and never joined to the base.
    EXPECT_EQ(ResolveRelativePath(exe, base), exe);
    dir.write("prog/bin/abs/y", "y");
    EXPECT_EQ(ResolveRelativePath("/abs/y", base), "/abs/y");
    EXPECT_EQ(ResolveRelativePath("", base), "");
}

TEST(PathQueries, LongPathNameIsTheCanonicalPath) {
    TempDir dir;
    std::string file = dir.write("a/f.txt", "x");
    std::string canonical = LongPathName(file);
    EXPECT_EQ(LongPathName(dir.path() + "a/./../a/f.txt"), canonical);
    std::string link = dir.path() + "l";
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    EXPECT_EQ(LongPathName(link), canonical);
    EXPECT_EQ(LongPathName(dir.path() + "a/../a/"), LongPathName(dir.path() + "a") + "/");
    EXPECT_EQ(LongPathName("/no/such/file"), "/no/such/file");
    EXPECT_EQ(LongPathName(""), "");
}

TEST(PathQueries, ForceDirectories) {
    TempDir dir;
    EXPECT_TRUE(ForceDirectories(dir.path() + "x/y/z/"));
    EXPECT_TRUE(DirectoryExists(dir.path() + "x/y/z/"));
    EXPECT_TRUE(ForceDirectories(dir.path() + "x/y/z/"));
    std::string file = dir.write("f", "x");
    EXPECT_FALSE(ForceDirectories(file + "/sub/"));
    EXPECT_FALSE(ForceDirectories(""));
}

TEST(PathQueries, HomeFolderFromTheEnvironment) {
    TempDir dir;
    {
        ScopedEnv home("HOME", dir.path().c_str());
        EXPECT_EQ(HomeFolder(), dir.path());
    }
    {
        ScopedEnv home("HOME", ExcludeTrailingSeparator(dir.path()).c_str());
        EXPECT_EQ(HomeFolder(), dir.path());
    }
    {
        // Without HOME the password database answers.
        ScopedEnv home("HOME", nullptr);
        std::string fallback = HomeFolder();
        ASSERT_FALSE(fallback.empty());
        EXPECT_EQ(fallback.back(), '/');
        EXPECT_TRUE(IsAbsolutePath(fallback));
    }
}

} // namespace
} // namespace pw
