// The date-time values and their fixed text form.

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "util/datetime.h"

namespace pw {
namespace {

TEST(DateTimeValue, DaysSince1899December30) {
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 31), 1.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(1900, 3, 1), 61.0); // 1900 was not a leap year
    EXPECT_DOUBLE_EQ(EncodeDateTime(1970, 1, 1), 25569.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1, 12), 36526.5);
}

TEST(DateTimeValue, InvalidPartsGiveZero) {
    EXPECT_EQ(EncodeDateTime(2011, 2, 29), 0.0);
    EXPECT_EQ(EncodeDateTime(2011, 13, 1), 0.0);
    EXPECT_EQ(EncodeDateTime(2011, 1, 1, 24), 0.0);
    EXPECT_EQ(EncodeDateTime(2011, 1, 1, 0, 60), 0.0);
    EXPECT_NE(EncodeDateTime(2012, 2, 29), 0.0);
}

TEST(DateTimeValue, DecodeIsTheInverseOfEncode) {
    const int samples[][6] = {{2011, 3, 2, 14, 5, 9},  {1999, 12, 31, 23, 59, 59},
                              {2000, 2, 29, 0, 0, 0},  {1900, 1, 1, 6, 30, 0},
                              {2038, 1, 19, 3, 14, 8}, {9999, 12, 31, 23, 59, 59}};
    for (const auto& s : samples) {
        DateTimeParts p = DecodeDateTime(EncodeDateTime(s[0], s[1], s[2], s[3], s[4], s[5]));
        EXPECT_EQ(p.year, s[0]);
        EXPECT_EQ(p.month, s[1]);
        EXPECT_EQ(p.day, s[2]);
        EXPECT_EQ(p.hour, s[3]);
        EXPECT_EQ(p.minute, s[4]);
        EXPECT_EQ(p.second, s[5]);
    }
}

TEST(DateTimeValue, UnixSecondsInUniversalTime) {
    EXPECT_DOUBLE_EQ(UnixToDateTime(0, true), 25569.0);
    EXPECT_EQ(DateTimeToText(0, UnixToDateTime(1299074709, true)), "2011-03-02 14:05:09");
}

TEST(DateTimeValue, NowIsTheLocalClock) {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    TDateTime expected = EncodeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                                        tm.tm_min, tm.tm_sec);
    EXPECT_NEAR(NowLocal(), expected, 5.0 / 86400);
}

TEST(DateTimeText, KindsZeroOneTwo) {
    TDateTime value = EncodeDateTime(2011, 3, 2, 14, 5, 9);
    EXPECT_EQ(DateTimeToText(0, value), "2011-03-02 14:05:09");
    EXPECT_EQ(DateTimeToText(1, value), "2011-03-02");
    EXPECT_EQ(DateTimeToText(2, value), "14:05:09");
    EXPECT_EQ(DateTimeToText(0, EncodeDateTime(987, 1, 2, 3, 4, 5)), "0987-01-02 03:04:05");
}

TEST(DateTimeText, IndependentOfTheUserLocale) {
    // A locale that writes 02.03.2011 must not change the text; try whichever is installed.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name))
            break;
    TDateTime value = EncodeDateTime(2011, 3, 2, 14, 5, 9);
    EXPECT_EQ(DateTimeToText(0, value), "2011-03-02 14:05:09");
    EXPECT_DOUBLE_EQ(TextToDateTime("2011-03-02 14:05:09"), value);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(DateTimeText, ParsesWhatItWrites) {
    for (TDateTime value : {EncodeDateTime(2011, 3, 2, 14, 5, 9), EncodeDateTime(1980, 1, 1),
                            EncodeDateTime(2099, 12, 31, 23, 59, 59)}) {
        EXPECT_NEAR(TextToDateTime(DateTimeToText(0, value)), value, 1e-9);
        EXPECT_NEAR(TextToDateTime(DateTimeToText(1, value), 1), std::floor(value), 1e-9);
        EXPECT_NEAR(TextToDateTime(DateTimeToText(2, value), 2), value - std::floor(value), 1e-9);
    }
}

TEST(DateTimeText, TimeZoneSuffixIsDroppedNotApplied) {
    TDateTime expected = EncodeDateTime(2011, 3, 4, 5, 6, 7);
    EXPECT_DOUBLE_EQ(TextToDateTime("2011-03-04T05:06:07+01:00"), expected);
    EXPECT_DOUBLE_EQ(TextToDateTime("2011-03-04T05:06:07"), expected);
    EXPECT_DOUBLE_EQ(TextToDateTime("2011-03-04T05:06:07Z"), expected);
    EXPECT_DOUBLE_EQ(TextToDateTime("2011-03-04T05:06:07-05:00"), expected);
    EXPECT_DOUBLE_EQ(TextToDateTime("2011-03-04 05:06:07 -0500"), expected);
}

TEST(DateTimeText, LenientForms) {
    EXPECT_DOUBLE_EQ(TextToDateTime("2011-03-04"), EncodeDateTime(2011, 3, 4));
    EXPECT_DOUBLE_EQ(TextToDateTime("2011-3-4 5:06"), EncodeDateTime(2011, 3, 4, 5, 6));
    EXPECT_DOUBLE_EQ(TextToDateTime("  2011-03-04 05:06:07  "),
                     EncodeDateTime(2011, 3, 4, 5, 6, 7));
    EXPECT_NEAR(TextToDateTime("05:06:07.500", 2), (5 * 3600 + 6 * 60 + 7.5) / 86400, 1e-9);
}

TEST(DateTimeText, GarbageGivesZero) {
    EXPECT_EQ(TextToDateTime("garbage", 0), 0.0);
    EXPECT_EQ(TextToDateTime("", 0), 0.0);
    EXPECT_EQ(TextToDateTime("", 1), 0.0);
    EXPECT_EQ(TextToDateTime("", 2), 0.0);
    EXPECT_EQ(TextToDateTime("2011-02-30", 1), 0.0);
    EXPECT_EQ(TextToDateTime("2011-03-04 25:00:00"), 0.0);
    EXPECT_EQ(TextToDateTime("2011-03-04 05:06:07 junk"), 0.0);
    EXPECT_EQ(TextToDateTime("2011-03-04x"), 0.0);
    EXPECT_EQ(TextToDateTime("20111-03-04"), 0.0);
    EXPECT_EQ(TextToDateTime("05:06", 1), 0.0);
    EXPECT_EQ(TextToDateTime("2011-03-04", 2), 0.0);
    EXPECT_EQ(TextToDateTime("12:61:00", 2), 0.0);
}

} // namespace
} // namespace pw
