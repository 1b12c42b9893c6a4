#pragma once
// The options file "options.ini": UTF-8 without byte order mark, CR LF line ends, one empty
// line between sections, stored paths replaced by the path macros. Every write is atomic and
// refreshes the backup "options.~ini" only after it succeeded. Keys and sections the program
// does not know survive every rewrite.

#include <string>
#include <string_view>

#include "framework/path_macros.h"
#include "framework/shared_options.h"
#include "lang/ini_document.h"
#include "util/strings.h"

namespace pw {

// Removes every empty or blank line except the first line, then puts one empty line before
// every line whose trimmed text begins with "[", except the first line.
StringArray NormalizeOptionsLines(const StringArray& lines);
// The file's bytes as text: taken as they are when they are well-formed UTF-8 (decoding and
// encoding again gives the same bytes), else read as Windows-1252. A byte order mark is
// dropped.
std::string DecodeOptionsBytes(std::string_view bytes);

// The options file's document with macros replaced by paths; empty when the file is missing.
IniDocument LoadOptionsDocument(const std::string& optionsFile, const PathMacros& macros);
// The text that SaveOptionsDocument writes for the document.
std::string OptionsFileText(const IniDocument& ini, const PathMacros& macros);
// Writes the document (normalised, paths replaced by macros) atomically, then writes the same
// bytes to the backup. False when the options file could not be written; the backup is then
// left as it was.
bool SaveOptionsDocument(const IniDocument& ini, const std::string& optionsFile,
                         const PathMacros& macros);

// Reads the options file into the options object; a missing file keeps the defaults.
void LoadOptionsFile(ThvSharedProgramOptions& options, const std::string& optionsFile,
                     const PathMacros& macros);
// Loads the file as it is, lets the options object write its keys into it and saves it.
bool SaveOptionsFile(ThvSharedProgramOptions& options, const std::string& optionsFile,
                     const PathMacros& macros);

} // namespace pw
