// Decoding text bytes: UTF-8 with the Windows-1252 fallback.

#include <gtest/gtest.h>

#include "util/text_files.h"

namespace pw {
namespace {

TEST(Utf8Decoding, WellFormedTextIsKept) {
    EXPECT_EQ(DecodeUtf8("\xC3\xA9"), "\xC3\xA9");
    EXPECT_EQ(DecodeUtf8("plain ascii"), "plain ascii");
    EXPECT_EQ(DecodeUtf8(""), "");
    EXPECT_EQ(DecodeUtf8("\xE2\x82\xAC 5"), "\xE2\x82\xAC 5");
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80"); // above FFFF
    EXPECT_EQ(DecodeUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Utf8Decoding, MalformedTextIsWindows1252) {
    EXPECT_EQ(DecodeUtf8("\xE9"), "\xC3\xA9");                         // lone E9: é
    EXPECT_EQ(DecodeUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC"); // é and the euro sign
    EXPECT_EQ(DecodeUtf8("\x93quoted\x94"), "\xE2\x80\x9Cquoted\xE2\x80\x9D");
}

TEST(Utf8Decoding, OneBadSequenceSendsTheWholeText) {
    // A well-formed "é" followed by a lone E9: every byte is read as Windows-1252.
    EXPECT_EQ(DecodeUtf8("\xC3\xA9\xE9"), "\xC3\x83\xC2\xA9\xC3\xA9");
}

TEST(Utf8Decoding, EachKindOfMalformedSequence) {
    EXPECT_EQ(DecodeUtf8("\xA9"), "\xC2\xA9"); // continuation where a lead belongs
    EXPECT_EQ(DecodeUtf8("\xC3"
                         "a"),
              "\xC3\x83"
              "a");                                              // missing continuation byte
    EXPECT_EQ(DecodeUtf8("a\xE2\x82"), "a\xC3\xA2\xE2\x80\x9A"); // cut off by the end
    EXPECT_EQ(DecodeUtf8("\xFE"), "\xC3\xBE");
    EXPECT_EQ(DecodeUtf8("\xFF"), "\xC3\xBF");
    EXPECT_EQ(DecodeUtf8("a\xFF"
                         "b"),
              "a\xC3\xBF"
              "b");
}

TEST(Utf8Decoding, UnassignedWindows1252BytesBecomeReplacementCharacters) {
    for (char c : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
        EXPECT_EQ(Windows1252ToUtf8(std::string(1, c)), "\xEF\xBF\xBD");
    EXPECT_EQ(Windows1252ToUtf8("\x9F\xA0\xFF"), "\xC5\xB8\xC2\xA0\xC3\xBF");
}

TEST(Utf8Decoding, OverlongFormsAreAccepted) {
    EXPECT_EQ(DecodeUtf8("\xC1\x81"), "A");     // overlong "A"
    EXPECT_EQ(DecodeUtf8("\xE0\x80\xAF"), "/"); // overlong "/"
    EXPECT_EQ(DecodeUtf8("\xC0\x80"), std::string(1, '\0'));
    EXPECT_EQ(DecodeUtf8("\xF0\x82\x82\xAC"), "\xE2\x82\xAC"); // overlong euro sign
}

TEST(Utf8Decoding, OldFiveAndSixByteForms) {
    // Well-formed in the old sense, so the text stays UTF-8; values beyond the Unicode range
    // cannot be written and become U+FFFD.
    EXPECT_EQ(DecodeUtf8("x\xF8\x88\x80\x80\x80y"), "x\xEF\xBF\xBDy");
    EXPECT_EQ(DecodeUtf8("\xFC\x84\x80\x80\x80\x80"), "\xEF\xBF\xBD");
    // Their overlong forms of small values decode to the value itself.
    EXPECT_EQ(DecodeUtf8("\xF8\x80\x80\x81\x81"), "A");
    EXPECT_EQ(DecodeUtf8("\xFC\x80\x80\x80\x82\xAC"), "\xC2\xAC");
    // A five-byte form cut short is malformed.
    EXPECT_EQ(DecodeUtf8("\xF8\x88\x80"), "\xC3\xB8\xCB\x86\xE2\x82\xAC");
}

TEST(Utf8Decoding, BeyondUnicodeAndSurrogates) {
    EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), "\xEF\xBF\xBD"); // 110000
    EXPECT_EQ(DecodeUtf8("\xF7\xBF\xBF\xBF"), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD"); // lone high surrogate
    EXPECT_EQ(DecodeUtf8("\xED\xB0\x80"), "\xEF\xBF\xBD"); // lone low surrogate
    // A surrogate pair written half by half joins into one character (U+1F600).
    EXPECT_EQ(DecodeUtf8("\xED\xA0\xBD\xED\xB8\x80"), "\xF0\x9F\x98\x80");
    // Low before high does not pair.
    EXPECT_EQ(DecodeUtf8("\xED\xB8\x80\xED\xA0\xBD"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8Decoding, ResultIsAlwaysWellFormed) {
    // Every single byte and every two-byte pair decodes to text that decodes to itself.
    for (int a = 0; a < 256; ++a) {
        std::string one(1, static_cast<char>(a));
        std::string decoded = DecodeUtf8(one);
        EXPECT_EQ(DecodeUtf8(decoded), decoded) << a;
        for (int b = 0x80; b < 256; b += 7) {
            std::string two = one + static_cast<char>(b);
            std::string decodedTwo = DecodeUtf8(two);
            EXPECT_EQ(DecodeUtf8(decodedTwo), decodedTwo) << a << " " << b;
        }
    }
}

} // namespace
} // namespace pw
