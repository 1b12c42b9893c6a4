#pragma once
// The maker's names and addresses, used by the template variables, the language metadata, the
// error report and the built-in web entries of the popup.

#include <string_view>

namespace pw::maker {

inline constexpr std::string_view ProgramNameShort = "Pathwick";
// The reverse-DNS application id: the name of the desktop entry, the icon and the AppStream
// component an installation ships.
inline constexpr std::string_view ApplicationId = "example.halvorn_ek.Pathwick";
inline constexpr std::string_view ProgramVersion = "1.9.4";
inline constexpr std::string_view CompanyNameShort = "Halvornek";
inline constexpr std::string_view CompanyNameLong = "Halvorn-Ek Software";
// Scheme and host, no trailing slash (PATHWICK_WEBSITE_URL replaces it, framework/website.h);
// every page of the maker's site is below it.
inline constexpr std::string_view WebsiteBaseUrl = "https://www.halvorn-ek.example";
inline constexpr std::string_view SupportEmail = "support@halvorn-ek.example";
inline constexpr std::string_view CopyrightTime = "\xC2\xA9 2004-2026";
inline constexpr std::string_view CopyrightHolders = "Halvorn-Ek Software";
inline constexpr std::string_view TranslationAuthor = "Halvorn-Ek Software";

} // namespace pw::maker
