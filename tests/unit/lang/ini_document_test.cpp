#include "lang/ini_document.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(IniDocument, ReadsTrimmedNamesAndValuesAcrossLineBreakStyles) {
    IniDocument ini("  [ Alpha ]  \r\n key one = value 1 \rKey2=v2\n\n[Beta]\nx=\ty\t");
    EXPECT_EQ(ini.ReadString("Alpha", "key one", "d"), "value 1");
    EXPECT_EQ(ini.ReadString("Alpha", "Key2", "d"), "v2");
    EXPECT_EQ(ini.ReadString("Beta", "x", "d"), "y");
    EXPECT_EQ(ini.SectionNames(), (StringArray{"Alpha", "Beta"}));
}

TEST(IniDocument, NamesCompareWithoutCaseIncludingLatin1Letters) {
    IniDocument ini("[Sektion \xC3\x84]\nPNLADDITEMHEADER.CAPTION=Hi\n\xC3\x9C"
                    "ber=yes\n");
    EXPECT_EQ(ini.ReadString("sektion \xC3\xA4", "pnlAddItemHeader.Caption", ""), "Hi");
    EXPECT_EQ(ini.ReadString("SEKTION \xC3\x84",
                             "\xC3\xBC"
                             "ber",
                             ""),
              "yes");
}

TEST(IniDocument, CommentsLinesBeforeFirstSectionAndLinesWithoutEqualsAreNeverFound) {
    IniDocument ini("orphan=1\n[S]\n;k=comment\nno equals here\nk=real\n");
    EXPECT_FALSE(ini.ValueExists("S", ";k"));
    EXPECT_FALSE(ini.ValueExists("S", "no equals here"));
    EXPECT_FALSE(ini.ValueExists("", "orphan"));
    EXPECT_EQ(ini.ReadString("S", "k", ""), "real");
    // ... but they are kept when the document is written out again.
    EXPECT_EQ(ini.Text("\n"), "orphan=1\n[S]\n;k=comment\nno equals here\nk=real\n");
}

TEST(IniDocument, FirstOccurrenceIsReadAndReplaced) {
    IniDocument ini("[S]\nk=first\nK=second\n[s]\nk=third\nz=1\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "first");
    EXPECT_FALSE(ini.ValueExists("S", "z")) << "a second section of the name is never found";
    ini.WriteString("s", "K", "new");
    EXPECT_EQ(ini.Text("\n"), "[S]\nk=new\nK=second\n[s]\nk=third\nz=1\n");
}

TEST(IniDocument, EmptyValueIsAValueNotTheDefault) {
    IniDocument ini("[S]\nempty=\n");
    EXPECT_EQ(ini.ReadString("S", "empty", "default"), "");
    EXPECT_EQ(ini.ReadString("S", "missing", "default"), "default");
    EXPECT_EQ(ini.ReadString("Missing", "empty", "default"), "default");
}

TEST(IniDocument, ValueSplitsAtFirstEqualsSign) {
    IniDocument ini("[S]\nurl = a=b=c\n");
    EXPECT_EQ(ini.ReadString("S", "url", ""), "a=b=c");
}

TEST(IniDocument, WritesAppendToSectionAndNewSectionsAtTheEnd) {
    IniDocument ini("[A]\na=1\n[B]\nb=1\n");
    ini.WriteString("A", "a2", "x");
    ini.WriteString("C", "c", "y");
    EXPECT_EQ(ini.Text("\n"), "[A]\na=1\na2=x\n[B]\nb=1\n[C]\nc=y\n");
    EXPECT_EQ(ini.Text(), "[A]\r\na=1\r\na2=x\r\n[B]\r\nb=1\r\n[C]\r\nc=y\r\n");
}

TEST(IniDocument, IntegersAndBooleans) {
    IniDocument ini("[S]\nn=42\nbad=4x\nneg=-7\nbig=99999999999\nt=2\nf=0\nword=true\n");
    EXPECT_EQ(ini.ReadInteger("S", "n", 1), 42);
    EXPECT_EQ(ini.ReadInteger("S", "bad", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "neg", 5), -7);
    EXPECT_EQ(ini.ReadInteger("S", "big", 5), 5) << "out of range reads as the default";
    EXPECT_EQ(ini.ReadInt64("S", "big", 5), 99999999999LL);
    EXPECT_TRUE(ini.ReadBool("S", "t", false));
    EXPECT_FALSE(ini.ReadBool("S", "f", true));
    EXPECT_TRUE(ini.ReadBool("S", "word", true)) << "not an integer: the default";
    EXPECT_FALSE(ini.ReadBool("S", "word", false));
    ini.WriteBool("S", "nb", true);
    ini.WriteInteger("S", "ni", -12);
    EXPECT_EQ(ini.ReadString("S", "nb", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "ni", ""), "-12");
}

TEST(IniDocument, LineBreaksInWrittenValuesCannotInjectLines) {
    IniDocument ini;
    ini.WriteString("S", "k", "one\r\n[Evil]\nx=1");
    IniDocument again(ini.Text());
    EXPECT_FALSE(again.SectionExists("Evil"));
    EXPECT_EQ(again.ReadString("S", "k", ""), "one  [Evil] x=1");
}

TEST(IniDocument, TextRoundTripIsStable) {
    IniDocument ini("x\n[A]\n a = 1 \n;c\n[B]\n\n[]\nq\n");
    std::string once = ini.Text();
    IniDocument again(once);
    EXPECT_EQ(again.Text(), once);
    EXPECT_TRUE(again.SectionExists(""));
}

TEST(IniDocument, DeleteEntryAndEraseSection) {
    IniDocument ini("[A]\nk=1\nk=2\n[B]\nb=1\n[a]\nz=1\n");
    EXPECT_TRUE(ini.DeleteEntry("a", "K"));
    EXPECT_EQ(ini.ReadString("A", "k", ""), "2");
    EXPECT_FALSE(ini.DeleteEntry("A", "missing"));
    EXPECT_TRUE(ini.EraseSection("A"));
    EXPECT_EQ(ini.Text("\n"), "[B]\nb=1\n");
    EXPECT_FALSE(ini.EraseSection("A"));
}

TEST(IniDocument, SectionEntryNamesInOrder) {
    IniDocument ini("[A]\nb=1\n;c\na=2\nplain\n");
    EXPECT_EQ(ini.SectionEntryNames("a"), (StringArray{"b", "a"}));
    EXPECT_TRUE(ini.SectionEntryNames("none").empty());
}

TEST(IniDocument, BytesOfAnyKindDoNotCrash) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    bytes += "[\xFF]\n=\n[\n]\n==\n";
    IniDocument ini(bytes);
    IniDocument again(ini.Text());
    EXPECT_EQ(again.Text(), ini.Text());
}

} // namespace
} // namespace pw
