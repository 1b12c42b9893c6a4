#pragma once
// The maker's web site: its base address and the pages below it that the program opens.

#include <string>
#include <string_view>

#include "framework/environment.h"

namespace pw {

// The environment variable that replaces the built-in base address (tests point it at a
// loopback server).
inline constexpr const char* kWebsiteUrlVariable = "PATHWICK_WEBSITE_URL";

// The base address, scheme and host without a trailing "/": PATHWICK_WEBSITE_URL when it holds
// an http or https address (trailing "/" removed), else the built-in address. A value that is
// no such address (another scheme, no host, blanks or control characters) is ignored.
std::string WebsiteBaseUrl(const EnvLookup& env);
// The base address of this process.
std::string WebsiteBaseUrl();

// websiteUrl ends with "/": the product's version history page, the forums.
std::string HistoryPageAddress(std::string_view websiteUrl);
std::string ForumsAddress(std::string_view websiteUrl);

} // namespace pw
