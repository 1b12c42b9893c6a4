#pragma once
// The fixed date-time text of the options file, the log and the language metadata:
// "yyyy-mm-dd hh:mm:ss", local time, independent of the user's locale.

#include <string>
#include <string_view>

namespace pw {

// Days since 1899-12-30 00:00, the fraction being the time of day; 0 means "no date".
using TDateTime = double;

TDateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0);
struct DateTimeParts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};
DateTimeParts DecodeDateTime(TDateTime value);
// The current local time.
TDateTime NowLocal();
// Seconds since the Unix epoch turned into local (or, with utc, universal) time.
TDateTime UnixToDateTime(long long seconds, bool utc = false);

// kind 0: "yyyy-mm-dd hh:mm:ss"; kind 1: the date alone; kind 2: the time alone.
std::string DateTimeToText(int kind, TDateTime value);
// kind 1: "yyyy-mm-dd"; kind 2: "hh:mm:ss"; any other kind: a date and time, after cutting a
// time-zone suffix at the first "+" and reading every "T" as a blank. 0 when it does not parse.
TDateTime TextToDateTime(std::string_view text, int kind = 0);

} // namespace pw
