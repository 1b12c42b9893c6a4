#pragma once
// The error report's texts: the dialog text and the support page address built from an error.

#include <string>
#include <string_view>

#include "framework/maker_info.h"

namespace pw {

// "<details>: "<message>"" (or the details alone for an empty message), CR LF twice, and the
// question.
std::string ErrorDialogText(std::string_view errorOccuredDetails, std::string_view message,
                            std::string_view openBrowserMoreInfo);
// The message made fit for the address: every line break (CR LF, and the lone LF or CR of this
// platform's messages) becomes one blank; then, in one pass, two adjacent blanks become one;
// "?" becomes "[Question]" and "&" becomes "[And]". Characters that would end or break the
// address (other control characters, "#", "%") are written as "%" and two hex digits.
std::string CleanSupportMessage(std::string_view message);
// websiteUrl (ending with "/") + "home/support.php?pn=Pathwick&pv=1.9.4&ec=" + the error's
// class name + "&em=" + the cleaned message.
std::string SupportAddress(std::string_view websiteUrl, std::string_view errorClassName,
                           std::string_view message);

} // namespace pw
