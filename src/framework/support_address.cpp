#include "framework/support_address.h"

#include "util/strings.h"

namespace pw {

std::string ErrorDialogText(std::string_view errorOccuredDetails, std::string_view message,
                            std::string_view openBrowserMoreInfo) {
    std::string text(errorOccuredDetails);
    if (!message.empty()) {
        text += ": \"";
        text += message;
        text += "\"";
    }
    text += "\r\n\r\n";
    text += openBrowserMoreInfo;
    return text;
}

std::string CleanSupportMessage(std::string_view message) {
    std::string text = StrNormalizeLineBreaks(message, " ");
    text = StrReplace(text, "  ", " ");
    text = StrReplace(text, "?", "[Question]");
    text = StrReplace(text, "&", "[And]");
    static const char kHex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F || c == '#' || c == '%') {
            result += '%';
            result += kHex[c >> 4];
            result += kHex[c & 15];
        } else {
            result += static_cast<char>(c);
        }
    }
    return result;
}

std::string SupportAddress(std::string_view websiteUrl, std::string_view errorClassName,
                           std::string_view message) {
    std::string address(websiteUrl);
    address += "home/support.php?pn=";
    address += maker::ProgramNameShort;
    address += "&pv=";
    address += maker::ProgramVersion;
    address += "&ec=";
    address += errorClassName;
    address += "&em=";
    address += CleanSupportMessage(message);
    return address;
}

} // namespace pw
