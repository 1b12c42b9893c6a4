// Long paragraphs are broken before layout without touching markup, and pages are decoded by
// their character set.
#include <QStringList>
#include <gtest/gtest.h>

#include "about/web_content.h"

namespace pw {
namespace {

TEST(WebContent, LongParagraphsAreBrokenOutsideMarkupOnly) {
    // Plain text: at the first blank after 2000 characters, at the latest 500 later.
    const QString words = QString("abcdefghi ").repeated(450);
    const QStringList lines = BreakLongParagraphs(words, false).split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 2009) << "the blank itself became the break";
    EXPECT_EQ(lines.join(u' '), words);
    const QString word(6000, u'x');
    for (const QString& piece : BreakLongParagraphs(word, false).split(u'\n'))
        EXPECT_LE(piece.size(), 2500);
    EXPECT_EQ(BreakLongParagraphs("short\nlines", false), "short\nlines");

    // HTML: tags, attributes, entities, scripts and style sheets are never cut; block tags
    // start a new count.
    const QString attribute(3000, u'a');
    const QString html = "<p title=\"" + attribute + "\">" + QString(1500, u'b') + "&amp;" +
                         QString(1500, u'c') + "</p><style>" + QString(3000, u's') +
                         "</style><script>" + QString(3000, u'j') + "</script><div>" +
                         QString(1999, u'd') + "</div>";
    const QString broken = BreakLongParagraphs(html, true);
    EXPECT_EQ(broken.count("<p>"), 1) << "one break, in the text of the first paragraph";
    EXPECT_TRUE(broken.contains("title=\"" + attribute + "\""));
    EXPECT_TRUE(broken.contains("&amp;"));
    EXPECT_TRUE(broken.contains("<style>" + QString(3000, u's') + "</style>"));
    EXPECT_TRUE(broken.contains("<script>" + QString(3000, u'j') + "</script>"));
    EXPECT_TRUE(broken.contains("<div>" + QString(1999, u'd') + "</div>"));
    QString withoutBreak = broken;
    withoutBreak.remove("<p>");
    EXPECT_EQ(withoutBreak, html);

    // A character outside the basic plane is never split.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80").repeated(3000);
    const QString kept = BreakLongParagraphs(emoji, true);
    QString rejoined = kept;
    rejoined.remove("<p>");
    EXPECT_EQ(rejoined, emoji);
    EXPECT_GT(kept.count("<p>"), 1);
}

TEST(WebContent, PagesAreDecodedByTheirCharacterSet) {
    EXPECT_EQ(CharsetOf("text/html; charset=\"ISO-8859-1\""), "ISO-8859-1");
    EXPECT_EQ(CharsetOf("text/html"), "");
    EXPECT_EQ(DecodePage("gr\xFC\xDF", "text/plain; charset=iso-8859-1", false),
              QString::fromUtf8("gr\xC3\xBC\xC3\x9F"));
    EXPECT_EQ(DecodePage("<meta charset=\"iso-8859-1\"><p>\xE4</p>", "text/html", true),
              QString::fromUtf8("<meta charset=\"iso-8859-1\"><p>\xC3\xA4</p>"));
    EXPECT_EQ(DecodePage("\xC3\xA4", "", false), QString::fromUtf8("\xC3\xA4"));
    EXPECT_EQ(DecodePage("\xC3\xA4", "text/plain; charset=no-such-set", false),
              QString::fromUtf8("\xC3\xA4"))
        << "an unknown character set reads as UTF-8";
}

} // namespace
} // namespace pw
