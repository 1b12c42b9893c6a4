#include "framework/web_rules.h"

#include <cmath>

#include "framework/maker_info.h"
#include "util/strings.h"

namespace pw {

std::string CheckUpdatesUserAgent() {
    std::string agent(maker::ProgramNameShort);
    agent += "::";
    agent += maker::ProgramVersion;
    agent += "::CheckForUpdates::";
    return agent;
}

bool CheckUpdatesDue(TDateTime now, TDateTime last, int intervalDays, bool critErrRes) {
    if (critErrRes || intervalDays < 0)
        return false;
    const double days = std::floor(now) - std::floor(last);
    return days >= intervalDays;
}

bool IsHistoryFamilyAddress(std::string_view address, std::string_view historyAddress) {
    return !historyAddress.empty() && StrStartsWith(address, historyAddress);
}

bool IsHelpAddress(std::string_view address, std::string_view programFolder) {
    if (programFolder.empty())
        return false;
    const std::string slashed = StrReplace(programFolder, "\\", "/");
    const std::string escaped = StrReplace(slashed, " ", "%20");
    for (const std::string& form : {std::string(programFolder), slashed, escaped}) {
        if (address.find(form) != std::string_view::npos)
            return true;
    }
    return false;
}

std::string QuotedBrowserParameter(std::string_view address) {
    std::string quoted = "\"";
    for (char c : address) {
        if (c == '"' || c == '\\' || c == '$' || c == '`')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace pw
