#pragma once
// Escaping of the texts stored in language files ("StrsGui" and "StrsRes" sections), so that
// line breaks, markup characters and a leading blank survive the trimming INI lines.

#include <string>
#include <string_view>

namespace pw {

// "&" "<" ">" become "&amp;" "&lt;" "&gt;"; CR LF, lone CR, lone LF and NUL become "<NL>",
// "<#13>", "<#10>", "<#0>"; a leading TAB or blank becomes "<#9>" or "<#32>".
std::string EscapeLangValue(std::string_view text);
// The inverse, in one pass from left to right, so that every escaped text reads back exactly:
// each of "<NL>", "<#13>", "<#10>", "<#9>", "<#32>", "<#0>", "&amp;", "&lt;", "&gt;" is replaced
// where it stands and the replacement is never looked at again.
std::string UnescapeLangValue(std::string_view text);

} // namespace pw
