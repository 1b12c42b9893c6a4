#pragma once
// The rules of the Check for updates and Help windows: when the check is due, which addresses
// stay inside each window, the request identity of the check and the browser buttons' parameter.

#include <string>
#include <string_view>

#include "util/datetime.h"

namespace pw {

// The user agent of the first load of the version history page:
// "Pathwick::1.9.4::CheckForUpdates::".
std::string CheckUpdatesUserAgent();

// Due when the whole days between the last check and now (each truncated to its day) are at
// least the interval, the interval is 0 or more and critErrRes is false. A last check later
// than today is never due.
bool CheckUpdatesDue(TDateTime now, TDateTime last, int intervalDays, bool critErrRes);

// The Check for updates window keeps an address when it begins with the history page address,
// compared exactly (the page, its anchors and its query variants).
bool IsHistoryFamilyAddress(std::string_view address, std::string_view historyAddress);

// The Help viewer keeps an address that contains the program folder in one of three forms:
// unchanged; with every "\" as "/"; with every "\" as "/" and every blank as "%20". An empty
// program folder keeps nothing.
bool IsHelpAddress(std::string_view address, std::string_view programFolder);

// The address as the only parameter of a browser's command line: enclosed in double quotes,
// with the characters a POSIX shell would treat specially inside them escaped, so that the
// command line splits back into exactly the address.
std::string QuotedBrowserParameter(std::string_view address);

} // namespace pw
