// The string routines: searching, case, replacing, cutting, arrays, lists, the builder and the
// centring arithmetic.

#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "util/strings.h"

namespace pw {
namespace {

// "é" and "É" in UTF-8.
const std::string kSmallE = "\xC3\xA9";
const std::string kCapitalE = "\xC3\x89";

TEST(StrSearch, PositionsAreOneBasedAndZeroMeansNotFound) {
    EXPECT_EQ(StrPos("b", "abc"), 2);
    EXPECT_EQ(StrPos("abc", "abc"), 1);
    EXPECT_EQ(StrPos("x", "abc"), 0);
    EXPECT_EQ(StrPos("", "abc"), 0);
    EXPECT_EQ(StrPos("abcd", "abc"), 0);
    EXPECT_EQ(StrPos("a", ""), 0);
}

TEST(StrSearch, PositionsCountBytes) {
    EXPECT_EQ(StrPos("x", kSmallE + "x"), 3);
    EXPECT_EQ(StrCharCount(kSmallE + "x"), 2);
    EXPECT_EQ(StrCharCount(""), 0);
    EXPECT_EQ(StrCharCount("\xE2\x82\xAC" + std::string("ab")), 3); // euro sign
}

TEST(StrSearch, AMatchNeverStartsInsideASequence) {
    // A9 is the second byte of "é": searching the lone byte must not find it inside "é".
    EXPECT_EQ(StrPos("\xA9", kSmallE), 0);
    EXPECT_EQ(StrCount(kSmallE + kSmallE, "\xA9"), 0);
    // Nor end inside one: C3 alone is the first half of "é".
    EXPECT_EQ(StrPos("a\xC3", "a" + kSmallE), 0);
    EXPECT_EQ(StrPos(kSmallE, "a" + kSmallE), 2);
}

TEST(StrSearch, PosFromStartsAtTheGivenPosition) {
    EXPECT_EQ(StrPosFrom("a", "abca", 1), 1);
    EXPECT_EQ(StrPosFrom("a", "abca", 2), 4);
    EXPECT_EQ(StrPosFrom("a", "abca", 0), 1);
    EXPECT_EQ(StrPosFrom("a", "abca", -7), 1);
    EXPECT_EQ(StrPosFrom("a", "abca", 5), 0);
    EXPECT_EQ(StrPosFrom("a", "abca", 100), 0);
}

TEST(StrSearch, PosFromLimitSearchesOnlyTheFirstCharacters) {
    EXPECT_EQ(StrPosFrom("ca", "abca", 1, 3), 0);
    EXPECT_EQ(StrPosFrom("ca", "abca", 1, 4), 3);
    EXPECT_EQ(StrPosFrom("bc", "abca", 1, 3), 2);
}

TEST(StrSearch, LastPosHonoursFromAndLowest) {
    EXPECT_EQ(StrLastPos("ab", "abxabxab"), 7);
    EXPECT_EQ(StrLastPos("ab", "abxabxab", 7), 4); // the match at 7 ends at 8
    EXPECT_EQ(StrLastPos("ab", "abxabxab", 8), 7);
    EXPECT_EQ(StrLastPos("ab", "abxabxab", INT_MAX, 5), 7);
    EXPECT_EQ(StrLastPos("ab", "abxabxab", 6, 2), 4);
    EXPECT_EQ(StrLastPos("ab", "abxabxab", 5, 2), 4);
    EXPECT_EQ(StrLastPos("ab", "abxabxab", 4, 2), 0);
    EXPECT_EQ(StrLastPos("", "abc"), 0);
    EXPECT_EQ(StrLastPos("q", "abc"), 0);
    EXPECT_EQ(StrLastPos("a", "abc", 0), 0);
}

TEST(StrSearch, CountIsNonOverlapping) {
    EXPECT_EQ(StrCount("aaaa", "aa"), 2);
    EXPECT_EQ(StrCount("aaa", "aa"), 1);
    EXPECT_EQ(StrCount("a,b,,c", ","), 3);
    EXPECT_EQ(StrCount("abc", ""), 0);
}

TEST(StrCase, FoldsAsciiAndLatin1Letters) {
    EXPECT_EQ(StrUpper("abc" + kSmallE + "z"), "ABC" + kCapitalE + "Z");
    EXPECT_EQ(StrLower("ABC" + kCapitalE + "Z"), "abc" + kSmallE + "z");
    // The multiplication and division signs are not letters.
    EXPECT_EQ(StrLower("\xC3\x97"), "\xC3\x97");
    EXPECT_EQ(StrUpper("\xC3\xB7"), "\xC3\xB7");
    // Other scripts and digits pass unchanged.
    EXPECT_EQ(StrUpper("\xD0\xB0" + std::string("1")), "\xD0\xB0" + std::string("1"));
}

TEST(StrCase, SameTextAndCompareText) {
    EXPECT_TRUE(SameText("Straße" + kSmallE, "STRAßE" + kCapitalE));
    EXPECT_FALSE(SameText("abc", "abd"));
    EXPECT_FALSE(SameText("abc", "ab"));
    EXPECT_EQ(CompareText("ABC", "abc"), 0);
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_LT(CompareText("ab", "ABC"), 0);
}

TEST(StrCase, StartsAndEndsWith) {
    EXPECT_TRUE(StrStartsWith("Hello", "He"));
    EXPECT_FALSE(StrStartsWith("Hello", "he"));
    EXPECT_TRUE(StrStartsWith("Hello", "he", true));
    EXPECT_TRUE(StrEndsWith("file.TXT", ".txt", true));
    EXPECT_FALSE(StrEndsWith("file.TXT", ".txt"));
    EXPECT_FALSE(StrEndsWith("a", "ab"));
    EXPECT_TRUE(StrStartsWith("a", ""));
}

TEST(StrReplace, FirstOrEveryOccurrence) {
    EXPECT_EQ(StrReplace("a-b-c", "-", "+", false), "a+b-c");
    EXPECT_EQ(StrReplace("a-b-c", "-", "+", true), "a+b+c");
    EXPECT_EQ(StrReplace("abc", "", "x"), "abc");
    EXPECT_EQ(StrReplace("abc", "abc", ""), "");
}

TEST(StrReplace, ReplacedTextIsNotSearchedAgain) {
    EXPECT_EQ(StrReplace("aa", "a", "aa"), "aaaa");
    EXPECT_EQ(StrReplace("xax", "a", "xax"), "xxaxx");
}

TEST(StrReplace, IgnoreCaseKeepsTheRestOfTheText) {
    EXPECT_EQ(StrReplace("One ONE one", "one", "1", true, true), "1 1 1");
    EXPECT_EQ(StrReplace("One ONE one", "one", "1", true, false), "One ONE 1");
    EXPECT_EQ(StrReplace("Caf" + kCapitalE + "!", "caf" + kSmallE, "Tea", true, true), "Tea!");
    EXPECT_EQ(StrReplace("{NAME} and {name}", "{Name}", "x", false, true), "x and {name}");
}

TEST(StrReplace, ManyWithOneNewReplacesEveryOld) {
    EXPECT_EQ(StrReplaceMany("a1b2c3", {"1", "2", "3"}, {"-"}), "a-b-c-");
}

TEST(StrReplace, ManyPairsUpToTheShorterList) {
    EXPECT_EQ(StrReplaceMany("a1b2c3", {"1", "2", "3"}, {"x", "y"}), "axbyc3");
    EXPECT_EQ(StrReplaceMany("ab", {"a", "b"}, {"b", "c"}), "cc"); // in list order
    EXPECT_EQ(StrReplaceMany("ab", {}, {"x", "y"}), "ab");
}

TEST(StrCutting, SplitExamples) {
    EXPECT_EQ(StrSplit("a,,b", ","), ArrMake({"a", "", "b"}));
    EXPECT_EQ(StrSplit("a,b,", ","), ArrMake({"a", "b"}));
    EXPECT_EQ(StrSplit("a,b,", ",", true), ArrMake({"a", "b", ""}));
    EXPECT_EQ(StrSplit(",a", ","), ArrMake({"", "a"}));
    EXPECT_EQ(StrSplit("abc", ","), ArrMake({"abc"}));
}

TEST(StrCutting, SplitKeepsEmptyPiecesBeforeTheLast) {
    EXPECT_EQ(StrSplit("a|b||", "|", true), ArrMake({"a", "b", "", ""}));
    EXPECT_EQ(StrSplit("a|b||", "|", false), ArrMake({"a", "b", ""}));
    EXPECT_EQ(StrSplit("|", "|", false), ArrMake({""}));
    EXPECT_EQ(StrSplit("|", "|", true), ArrMake({"", ""}));
}

TEST(StrCutting, SplitOfEmptyTextOrSeparator) {
    EXPECT_TRUE(StrSplit("", ",").empty());
    EXPECT_TRUE(StrSplit("", ",", true).empty());
    EXPECT_EQ(StrSplit("a,b", ""), ArrMake({"a,b"}));
}

TEST(StrCutting, SplitWithLongSeparatorAndJoinRoundTrip) {
    EXPECT_EQ(StrSplit("a<>b<><>c", "<>"), ArrMake({"a", "b", "", "c"}));
    for (std::string text : {"a|b", "|x|", "||", "x", "a||b|"}) {
        EXPECT_EQ(StrJoin(StrSplit(text, "|", true), "|"), text) << text;
    }
}

TEST(StrCutting, CutHead) {
    std::string text = "abc";
    EXPECT_EQ(StrCutHead("|", text), "");
    EXPECT_EQ(text, "abc");
    text = "en-us|UTF8_general.ini";
    EXPECT_EQ(StrCutHead("|", text), "en-us");
    EXPECT_EQ(text, "UTF8_general.ini");
    text = "|rest";
    EXPECT_EQ(StrCutHead("|", text), "");
    EXPECT_EQ(text, "rest");
    text = "a::b::c";
    EXPECT_EQ(StrCutHead("::", text), "a");
    EXPECT_EQ(text, "b::c");
}

TEST(StrCutting, BeforeAndAfter) {
    EXPECT_EQ(StrBefore("|", "abc", true), "abc");
    EXPECT_EQ(StrBefore("|", "abc", false), "");
    EXPECT_EQ(StrBefore("|", "a|b|c", false), "a");
    EXPECT_EQ(StrAfter("|", "a|b|c"), "b|c");
    EXPECT_EQ(StrAfter("|", "abc"), "");
}

TEST(StrFilter, KeepChars) {
    EXPECT_EQ(StrKeepChars("&Yes", kLettersAndDigits), "Yes");
    EXPECT_EQ(StrKeepChars("a1-b2", "12"), "12");
    EXPECT_EQ(StrKeepChars("x" + kSmallE + "y", kSmallE), kSmallE);
    // Half of a sequence in the allowed set does not keep a whole character.
    EXPECT_EQ(StrKeepChars(kSmallE, "\xC3"), "");
}

TEST(StrFilter, DeleteChars) {
    std::string text = "a-b_c-";
    StrDeleteChars(text, "-_");
    EXPECT_EQ(text, "abc");
    text = "\xE2\x82\xAC"
           "5" +
           kSmallE;
    StrDeleteChars(text, "\xE2\x82\xAC");
    EXPECT_EQ(text, "5" + kSmallE);
}

TEST(StrFilter, NormalizeLineBreaks) {
    EXPECT_EQ(StrNormalizeLineBreaks("a\r\nb\rc\nd", "\r\n"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(StrNormalizeLineBreaks("a\n\rb", "|"), "a||b"); // LF CR is two breaks
    EXPECT_EQ(StrNormalizeLineBreaks("\r\n\r\n", "\n"), "\n\n");
    EXPECT_EQ(StrNormalizeLineBreaks("plain", "\n"), "plain");
}

TEST(StrFilter, Trim) {
    EXPECT_EQ(StrTrim(" \t a b \r\n"), "a b");
    EXPECT_EQ(StrTrimLeft("  a "), "a ");
    EXPECT_EQ(StrTrimRight("  a "), "  a");
    EXPECT_EQ(StrTrim(" \x01 "), "");
}

TEST(StrRandomText, LengthAndAlphabet) {
    std::string text = StrRandom(200, "ab");
    EXPECT_EQ(text.size(), 200u);
    EXPECT_EQ(text.find_first_not_of("ab"), std::string::npos);
    EXPECT_NE(text.find('a'), std::string::npos);
    EXPECT_NE(text.find('b'), std::string::npos);
    EXPECT_EQ(StrRandom(0, "ab"), "");
    EXPECT_EQ(StrRandom(-3, "ab"), "");
    EXPECT_EQ(StrRandom(5, ""), "");
}

TEST(StrRandomText, MultiByteCharactersStayWhole) {
    std::string text = StrRandom(50, kSmallE + "x");
    EXPECT_EQ(StrCharCount(text), 50);
    EXPECT_EQ(StrReplace(StrReplace(text, kSmallE, ""), "x", ""), "");
}

TEST(StrRandomText, SuccessiveCallsDiffer) {
    std::set<std::string> seen;
    for (int i = 0; i < 20; ++i)
        seen.insert(StrRandom(16, kLettersAndDigits, i == 10));
    EXPECT_EQ(seen.size(), 20u);
}

TEST(StrNumbers, WholeDecimalNumbersOnly) {
    EXPECT_EQ(StrToIntDef("42", -1), 42);
    EXPECT_EQ(StrToIntDef("-42", 0), -42);
    EXPECT_EQ(StrToIntDef("+7", 0), 7);
    EXPECT_EQ(StrToIntDef("", 5), 5);
    EXPECT_EQ(StrToIntDef("4x", 5), 5);
    EXPECT_EQ(StrToIntDef(" 4", 5), 5);
    EXPECT_EQ(StrToIntDef("+-4", 5), 5);
    EXPECT_EQ(StrToIntDef("2147483648", 5), 5);
    EXPECT_EQ(StrToIntDef("-2147483648", 5), INT_MIN);
    EXPECT_EQ(StrToInt64Def("2147483648", 5), 2147483648LL);
    EXPECT_EQ(StrToInt64Def("99999999999999999999", 5), 5);
}

TEST(StrArrays, MakeIndexAppendDelete) {
    StringArray array = ArrMake({"a", "b", "c"});
    EXPECT_EQ(ArrIndexOf(array, "b"), 1);
    EXPECT_EQ(ArrIndexOf(array, "B"), -1);
    ArrAppend(array, "d");
    EXPECT_EQ(array, ArrMake({"a", "b", "c", "d"}));
    ArrDelete(array, 1);
    EXPECT_EQ(array, ArrMake({"a", "c", "d"}));
    ArrDelete(array, -1);
    EXPECT_EQ(array, ArrMake({"a", "c"}));
    ArrDelete(array, 7);
    ArrDelete(array, -2);
    EXPECT_EQ(array, ArrMake({"a", "c"}));
    StringArray empty;
    ArrDelete(empty, -1);
    EXPECT_TRUE(empty.empty());
}

TEST(StrArrays, ItemOr) {
    StringArray array = ArrMake({"a", "b", "c"});
    EXPECT_EQ(ArrItemOr(array, 5, "d"), "d");
    EXPECT_EQ(ArrItemOr(array, 3, "d"), "d");
    EXPECT_EQ(ArrItemOr(array, -1, "d"), "c");
    EXPECT_EQ(ArrItemOr(array, 0, "d"), "a");
    EXPECT_EQ(ArrItemOr(StringArray{}, -1, "d"), "d");
    EXPECT_EQ(ArrItemOr(array, -5, "d"), "d");
}

TEST(StrArrays, TrimAllAndRemoveDuplicates) {
    StringArray array = ArrMake({" a ", "\tb\r\n", "c"});
    ArrTrimAll(array);
    EXPECT_EQ(array, ArrMake({"a", "b", "c"}));
    array = ArrMake({"x", "y", "x", "z", "y"});
    ArrRemoveDuplicates(array);
    EXPECT_EQ(array, ArrMake({"x", "y", "z"}));
    array = ArrMake({"X", "x"}); // exact comparison
    ArrRemoveDuplicates(array);
    EXPECT_EQ(array, ArrMake({"X", "x"}));
}

TEST(StrArrays, GenericHelpers) {
    std::vector<int> numbers;
    ArrAppend(numbers, 3);
    ArrAppend(numbers, 9);
    EXPECT_EQ(ArrIndexOf(numbers, 9), 1);
    EXPECT_EQ(ArrIndexOf(numbers, 4), -1);
    std::vector<bool> flags{false};
    EXPECT_EQ(ArrIndexOf(flags, true), -1);
}

TEST(StrLists, LinearSearchIgnoresCaseUnlessAsked) {
    StringArray list = ArrMake({"Beta", "alpha", "Gamma"});
    EXPECT_EQ(ListIndexOf(list, "ALPHA"), 1);
    EXPECT_EQ(ListIndexOf(list, "ALPHA", false, true), -1);
    EXPECT_EQ(ListIndexOf(list, "alpha", false, true), 1);
    EXPECT_EQ(ListIndexOf(StringArray{}, "x"), -1);
    EXPECT_EQ(ListIndexOfEither(list, "delta", "gamma"), 2);
    EXPECT_EQ(ListIndexOfEither(list, "beta", "gamma"), 0);
    EXPECT_EQ(ListIndexOfEither(list, "x", "y"), -1);
}

TEST(StrLists, SortedListsUseBinarySearch) {
    StringArray list;
    for (char c = 'a'; c <= 'z'; ++c)
        list.push_back(std::string(1, c) + "key");
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(ListIndexOf(list, StrUpper(list[i]), true), static_cast<int>(i));
    EXPECT_EQ(ListIndexOf(list, "0key", true), -1);
    EXPECT_EQ(ListIndexOf(list, "zzz", true), -1);
    EXPECT_EQ(ListIndexOf(list, "mkex", true), -1);
    // A sorted case-sensitive list compares bytes.
    StringArray exact = ArrMake({"B", "a", "b"});
    EXPECT_EQ(ListIndexOf(exact, "b", true, true), 2);
    EXPECT_EQ(ListIndexOf(exact, "A", true, true), -1);
}

TEST(StrLists, SortedSearchFindsTheFirstOfEqualEntries) {
    StringArray list = ArrMake({"a", "B", "b", "b", "c"});
    EXPECT_EQ(ListIndexOf(list, "b", true), 1);
}

TEST(StringBuilder, AssemblesPiecesInOrder) {
    ThvStringBuilder builder;
    EXPECT_EQ(builder.GetText(), "");
    ThvStringBuilder second;
    second.Append("ab");
    second.Append("");
    second.Append("cd");
    EXPECT_EQ(second.TotalLength(), 4u);
    EXPECT_EQ(second.GetText(), "abcd");
}

TEST(StringBuilder, LaterPiecesNeedARefresh) {
    ThvStringBuilder builder;
    builder.Append("one");
    EXPECT_EQ(builder.GetText(), "one");
    builder.Append("two");
    EXPECT_EQ(builder.GetText(), "one");
    EXPECT_EQ(builder.GetText(true), "onetwo");
    EXPECT_EQ(builder.TotalLength(), 6u);
}

TEST(StringBuilder, BlocksGrowQuadratically) {
    // Block n holds 2 n n + 8 pieces: 8, 10, 16, 26, 40.
    ThvStringBuilder builder;
    std::string expected;
    size_t capacity = 0;
    const size_t sizes[] = {8, 10, 16, 26, 40};
    for (size_t block = 0; block < 5; ++block) {
        capacity += sizes[block];
        while (expected.size() < capacity) {
            std::string piece(1, static_cast<char>('a' + expected.size() % 26));
            builder.Append(piece);
            expected += piece;
        }
        EXPECT_EQ(builder.BlockCount(), block + 1) << "after " << capacity << " pieces";
    }
    builder.Append("!");
    EXPECT_EQ(builder.BlockCount(), 6u);
    EXPECT_EQ(builder.GetText(), expected + "!");
}

TEST(Centering, StartAndEnd) {
    EXPECT_EQ(CenterStart(16, 16), 1);
    EXPECT_EQ(CenterStart(16, 20), 1);
    EXPECT_EQ(CenterStart(17, 16), 1);
    EXPECT_EQ(CenterStart(20, 16), 3);
    EXPECT_EQ(CenterStart(21, 16), 3);
    EXPECT_EQ(CenterEnd(16, 16), 16);
    EXPECT_EQ(CenterEnd(16, 20), 16);
    EXPECT_EQ(CenterEnd(17, 16), 17);
    EXPECT_EQ(CenterEnd(20, 16), 18);
    EXPECT_EQ(CenterEnd(21, 16), 19);
}

} // namespace
} // namespace pw
