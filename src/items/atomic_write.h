#pragma once
// The item store's file writes: each file is written to a temporary file in its folder and
// renamed over the old one, so a reader never sees half a file. Unlike WriteFileBytes the files
// are not synced one by one (a save writes thousands of small files, and a sync costs
// milliseconds each); the save syncs the file system once at its end instead, before it
// removes its backup.

#include <string>
#include <string_view>

namespace pw::items {

// False, with the old file untouched, when the temporary file cannot be written or renamed, or
// when the target exists but is not a regular file with a write permission bit. A target that
// is a symbolic link is written through (the link stays).
bool WriteFileAtomically(const std::string& path, std::string_view bytes);
// Writes a file under a name that does not exist yet (exclusive create); false when the name is
// taken or the write fails, in which case no file of that name is left behind. Nothing refers to
// such a file before it is complete, so it needs no temporary name.
bool WriteNewFile(const std::string& path, std::string_view bytes);
// Whether the file at path (a link is followed) holds exactly bytes; false when it cannot be
// read. A save compares before it writes, so that an unchanged file is left as it is.
bool FileHoldsBytes(const std::string& path, std::string_view bytes);
// Flushes everything written to the file system that holds path to the disk.
void SyncFileSystem(const std::string& path);

} // namespace pw::items
