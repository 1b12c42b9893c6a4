#pragma once
// Paths and names. "/" separates components, every folder path ends with "/", and a path that
// starts with "/" is absolute.

#include <string>
#include <string_view>

namespace pw {

inline constexpr char kPathDelim = '/';
// Characters rejected in a whole folder path, and in a single file or folder name.
inline constexpr std::string_view kInvalidPathChars = "*?\"<>|";
inline constexpr std::string_view kInvalidNameChars = "/\\:*?\"<>|";

bool FileExists(const std::string& path);      // an existing file (not a folder)
bool DirectoryExists(const std::string& path); // an existing folder
bool PathExists(const std::string& path);      // either, without following a final link
bool IsSymbolicLink(const std::string& path);
bool IsAbsolutePath(std::string_view path);

std::string IncludeTrailingSeparator(std::string_view path); // "" gives "/"
std::string ExcludeTrailingSeparator(std::string_view path); // one trailing "/" removed
// Folder part with trailing "/" ("" when there is none), file name, extension with its dot.
std::string ExtractFilePath(std::string_view path);
std::string ExtractFileName(std::string_view path);
std::string ExtractFileExt(std::string_view path);
// Last component without its extension ('v1.2/' gives 'v1', 'a/Sub/' gives 'Sub').
std::string PathBaseName(std::string_view path);
std::string RemoveExtension(std::string_view name);
std::string ExtensionWithoutDot(std::string_view ext);
// Folder of path + prefix + file name of path.
std::string InsertNamePrefix(std::string_view path, std::string_view prefix);
// Without "." and ".." components ('a/b/../c' gives 'a/c', '../x' gives 'x').
std::string ResolveDots(std::string_view path);
// An absolute existing path unchanged; else ResolveDots(base + path) when that names an existing
// file; else the path unchanged.
std::string ResolveRelativePath(const std::string& path, const std::string& baseFolder);
// The canonical form of an existing path; the input otherwise.
std::string LongPathName(const std::string& path);

bool HasNoInvalidPathChars(std::string_view path);
bool HasNoInvalidNameChars(std::string_view name);
bool IsValidFolderPath(const std::string& path, bool mustExist, bool checkForm);
bool IsValidFilePath(const std::string& path, bool mustExist, bool checkForm);

// Creates the folder and its missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& path);
// The user's home folder with a trailing "/" ("" when unknown).
std::string HomeFolder();

} // namespace pw
