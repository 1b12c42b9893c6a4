#include "framework/website.h"

#include "framework/maker_info.h"
#include "util/strings.h"

namespace pw {

namespace {
bool IsWebBaseAddress(std::string_view text) {
    size_t hostStart = 0;
    if (StrStartsWith(text, "http://", true))
        hostStart = 7;
    else if (StrStartsWith(text, "https://", true))
        hostStart = 8;
    else
        return false;
    if (hostStart >= text.size() || text[hostStart] == '/')
        return false;
    for (unsigned char c : text) {
        if (c <= 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>' || c == '\\')
            return false;
    }
    return true;
}
} // namespace

std::string WebsiteBaseUrl(const EnvLookup& env) {
    if (env) {
        if (std::optional<std::string> value = env(kWebsiteUrlVariable)) {
            std::string url = StrTrim(*value);
            while (!url.empty() && url.back() == '/')
                url.pop_back();
            if (IsWebBaseAddress(url))
                return url;
        }
    }
    return std::string(maker::WebsiteBaseUrl);
}

std::string WebsiteBaseUrl() {
    return WebsiteBaseUrl(ProcessEnvironment());
}

std::string HistoryPageAddress(std::string_view websiteUrl) {
    return std::string(websiteUrl) + "products/pathwick/history.php";
}

std::string ForumsAddress(std::string_view websiteUrl) {
    return std::string(websiteUrl) + "forums/";
}

} // namespace pw
