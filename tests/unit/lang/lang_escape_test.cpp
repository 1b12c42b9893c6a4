#include "lang/lang_escape.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(LangEscape, EscapesMarkupLineBreaksAndNul) {
    EXPECT_EQ(EscapeLangValue("&Yes"), "&amp;Yes");
    EXPECT_EQ(EscapeLangValue("a<b>c"), "a&lt;b&gt;c");
    EXPECT_EQ(EscapeLangValue("one\r\ntwo"), "one<NL>two");
    EXPECT_EQ(EscapeLangValue("a\rb\nc"), "a<#13>b<#10>c");
    EXPECT_EQ(EscapeLangValue(std::string("a\0b", 3)), "a<#0>b");
    EXPECT_EQ(EscapeLangValue("\n\r"), "<#10><#13>");
}

TEST(LangEscape, OnlyTheFirstBlankOrTabIsProtected) {
    EXPECT_EQ(EscapeLangValue(" lead"), "<#32>lead");
    EXPECT_EQ(EscapeLangValue("\tlead"), "<#9>lead");
    EXPECT_EQ(EscapeLangValue("a b\tc "), "a b\tc ");
    EXPECT_EQ(EscapeLangValue("  two"), "<#32> two");
}

TEST(LangEscape, UnescapesEveryToken) {
    EXPECT_EQ(UnescapeLangValue("<NL><#13><#10><#9><#32>&amp;&lt;&gt;"), "\r\n\r\n\t &<>");
    EXPECT_EQ(UnescapeLangValue("x<#0>y"), std::string("x\0y", 3));
    EXPECT_EQ(UnescapeLangValue("&amp;Yes"), "&Yes");
}

TEST(LangEscape, EscapedEntityTextReadsBackAsItself) {
    // "&lt;" typed as characters must come back as "&lt;", not as "<".
    EXPECT_EQ(EscapeLangValue("&lt;"), "&amp;lt;");
    EXPECT_EQ(UnescapeLangValue("&amp;lt;"), "&lt;");
    EXPECT_EQ(UnescapeLangValue(EscapeLangValue("<NL>")), "<NL>");
    EXPECT_EQ(UnescapeLangValue(EscapeLangValue("&amp;gt;<#9>")), "&amp;gt;<#9>");
}

TEST(LangEscape, UnknownAndBrokenTokensStayAsTheyAre) {
    EXPECT_EQ(UnescapeLangValue("<#1>&am<NL"), "<#1>&am<NL");
    EXPECT_EQ(UnescapeLangValue("<"), "<");
    EXPECT_EQ(UnescapeLangValue("&"), "&");
}

TEST(LangEscape, RoundTripOfAwkwardTexts) {
    const std::string texts[] = {"",
                                 " ",
                                 "\t\tx",
                                 "&amp;&lt;&gt;<NL><#13><#10><#9><#32><#0>",
                                 std::string("\0\r\n\r\n<>&", 8),
                                 "Save file \"{dynDirFilePathName}\" changes?",
                                 "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"};
    for (const std::string& text : texts)
        EXPECT_EQ(UnescapeLangValue(EscapeLangValue(text)), text);
}

TEST(LangEscape, EscapedTextHasNoLineBreakOrLeadingBlank) {
    std::string escaped = EscapeLangValue(std::string(" a\r\nb\rc\nd\0", 10));
    EXPECT_EQ(escaped.find('\r'), std::string::npos);
    EXPECT_EQ(escaped.find('\n'), std::string::npos);
    EXPECT_EQ(escaped.find('\0'), std::string::npos);
    EXPECT_NE(escaped.front(), ' ');
}

} // namespace
} // namespace pw
