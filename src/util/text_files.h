#pragma once
// Whole files as bytes or as UTF-8 text with a Windows-1252 fallback.
// Nothing here throws: reads give empty text, writes report false.

#include <string>
#include <string_view>

#include "util/datetime.h"

namespace pw {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The file's bytes; empty when it does not exist or cannot be read.
std::string ReadFileBytes(const std::string& path);
// The same for path relative to an open directory (AT_FDCWD: the working directory); exists
// (when given) tells whether anything but a directory is there, read or not.
std::string ReadFileBytesAt(int directory, const std::string& path, bool* exists = nullptr);
// As ReadFileBytes, without a leading byte order mark.
std::string ReadUtf8FileBytes(const std::string& path);
// The bytes without a leading byte order mark (texts shorter than three bytes unchanged).
std::string StripByteOrderMark(std::string_view bytes);
// The bytes with a byte order mark in front, unless they already start with one.
std::string AddByteOrderMark(std::string_view bytes);
// UTF-8 text from bytes: well-formed UTF-8 (old 5- and 6-byte forms and overlong forms accepted)
// is returned in canonical UTF-8; anything malformed (or a byte FE / FF) sends the whole text to
// the Windows-1252 decoding.
std::string DecodeUtf8(std::string_view bytes);
// Whether every byte is below 0x80: such text is UTF-8 as it stands.
bool IsAscii(std::string_view bytes);
// Windows-1252 bytes as UTF-8 text (the five unassigned bytes map to U+FFFD).
std::string Windows1252ToUtf8(std::string_view bytes);
// The text files' reading pattern: ReadUtf8FileBytes, then DecodeUtf8.
std::string ReadUtf8TextFile(const std::string& path);
// The text files' writing pattern: line breaks as CR LF, byte order mark, WriteFileBytes.
bool WriteUtf8TextFile(const std::string& path, std::string_view text);

// Writes the bytes atomically: a temporary file in the same folder, flushed, renamed over the
// target. A target that exists but is not writable stays untouched and the call reports false.
bool WriteFileBytes(const std::string& path, std::string_view bytes);
// Creates or truncates the file; true on success.
bool CreateEmptyFile(const std::string& path);
// Last-write time of a file or folder (local time, or UTC with universal), at two-second
// resolution; 0 when it does not exist.
TDateTime FileDateTime(const std::string& path, bool universal = false);

} // namespace pw
