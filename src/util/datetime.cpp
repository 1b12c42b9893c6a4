// Date-time values (days since 1899-12-30) and their fixed, locale-independent text form.

#include "util/datetime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "util/strings.h"

namespace pw {

namespace {

constexpr long long kMsPerDay = 86400000;
// Days from 1970-01-01 back to 1899-12-30.
constexpr long long kUnixEpochOffset = 25569;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool ValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool ValidTime(int hour, int minute, int second) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

TDateTime FromTm(const std::tm& tm) {
    return EncodeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          tm.tm_sec);
}

// Reads 1 to maxDigits decimal digits at pos.
bool ReadNumber(std::string_view text, size_t& pos, int maxDigits, int& value) {
    size_t begin = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' &&
           pos - begin < static_cast<size_t>(maxDigits)) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos > begin && (pos == text.size() || text[pos] < '0' || text[pos] > '9');
}

bool ReadDate(std::string_view text, size_t& pos, int& year, int& month, int& day) {
    return ReadNumber(text, pos, 4, year) && pos < text.size() && text[pos++] == '-' &&
           ReadNumber(text, pos, 2, month) && pos < text.size() && text[pos++] == '-' &&
           ReadNumber(text, pos, 2, day) && ValidDate(year, month, day);
}

// "h:m", "h:m:s" or "h:m:s.fff"; gives the time as a fraction of a day.
bool ReadTime(std::string_view text, size_t& pos, double& fraction) {
    int hour = 0, minute = 0, second = 0, ms = 0;
    if (!ReadNumber(text, pos, 2, hour) || pos >= text.size() || text[pos++] != ':' ||
        !ReadNumber(text, pos, 2, minute))
        return false;
    if (pos < text.size() && text[pos] == ':') {
        ++pos;
        if (!ReadNumber(text, pos, 2, second))
            return false;
        if (pos < text.size() && text[pos] == '.') {
            ++pos;
            size_t begin = pos;
            int digits = 0;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
                if (digits < 3) {
                    ms = ms * 10 + (text[pos] - '0');
                    ++digits;
                }
                ++pos;
            }
            if (pos == begin)
                return false;
            while (digits++ < 3)
                ms *= 10;
        }
    }
    if (!ValidTime(hour, minute, second))
        return false;
    fraction = ((hour * 3600.0 + minute * 60.0 + second) * 1000.0 + ms) / kMsPerDay;
    return true;
}

// A time-zone suffix after the time ("Z", "-05:00", "-0500"), which is dropped, not applied.
bool SkipZoneSuffix(std::string_view text, size_t& pos) {
    if (pos < text.size() && text[pos] == 'Z') {
        ++pos;
        return true;
    }
    if (pos >= text.size() || text[pos] != '-')
        return false;
    size_t at = pos + 1;
    int hours = 0, minutes = 0;
    if (!ReadNumber(text, at, 4, hours))
        return false;
    if (at < text.size() && text[at] == ':' && !ReadNumber(text, ++at, 2, minutes))
        return false;
    pos = at;
    return true;
}

} // namespace

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (!ValidDate(year, month, day) || !ValidTime(hour, minute, second))
        return 0;
    double days = static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        kUnixEpochOffset);
    double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    // Before 1899-12-30 the time of day counts away from zero, as in the classic format.
    return days >= 0 ? days + time : days - time;
}

DateTimeParts DecodeDateTime(TDateTime value) {
    DateTimeParts parts;
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return parts;
    double whole = std::trunc(value);
    long long ms = std::llround(std::fabs(value - whole) * kMsPerDay);
    long long days = static_cast<long long>(whole);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        days += value >= 0 ? 1 : -1;
    }
    CivilFromDays(days - kUnixEpochOffset, parts.year, parts.month, parts.day);
    long long seconds = ms / 1000;
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

TDateTime UnixToDateTime(long long seconds, bool utc) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (!(utc ? gmtime_r(&t, &tm) : localtime_r(&t, &tm)))
        return 0;
    return FromTm(tm);
}

TDateTime NowLocal() {
    auto now = std::chrono::system_clock::now();
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch());
    return UnixToDateTime(seconds.count());
}

std::string DateTimeToText(int kind, TDateTime value) {
    DateTimeParts p = DecodeDateTime(value);
    char buffer[48];
    if (kind == 1)
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", p.year, p.month, p.day);
    else if (kind == 2)
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", p.hour, p.minute, p.second);
    else
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month,
                      p.day, p.hour, p.minute, p.second);
    return buffer;
}

TDateTime TextToDateTime(std::string_view text, int kind) {
    std::string work = StrTrim(text);
    size_t pos = 0;
    int year = 0, month = 0, day = 0;
    double time = 0;
    if (kind == 1) {
        if (!ReadDate(work, pos, year, month, day) || pos != work.size())
            return 0;
        return EncodeDateTime(year, month, day);
    }
    if (kind == 2) {
        if (!ReadTime(work, pos, time) || pos != work.size())
            return 0;
        return time;
    }
    work = StrTrim(StrReplace(StrBefore("+", work, true), "T", " "));
    if (!ReadDate(work, pos, year, month, day))
        return 0;
    if (pos < work.size()) {
        if (work[pos] != ' ')
            return 0;
        while (pos < work.size() && work[pos] == ' ')
            ++pos;
        if (!ReadTime(work, pos, time))
            return 0;
        size_t afterTime = pos;
        while (pos < work.size() && work[pos] == ' ')
            ++pos;
        if (!SkipZoneSuffix(work, pos))
            pos = afterTime;
        while (pos < work.size() && work[pos] == ' ')
            ++pos;
        if (pos != work.size())
            return 0;
    }
    TDateTime date = EncodeDateTime(year, month, day);
    return date >= 0 ? date + time : date - time;
}

} // namespace pw
