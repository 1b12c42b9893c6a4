#include "lang/template_variables.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(Templates, ExpandsEveryPlaceholderInPasses) {
    ThvlgTemplates t;
    t.AddTemplateVariable("CopyrightTime", "\xC2\xA9 2009-2026");
    t.AddTemplateVariable("CopyrightHolders", "Halvorn-Ek");
    EXPECT_EQ(t.ExpandTemplate("__curly", "Copyright {CopyrightTime} {CopyrightHolders}"),
              "Copyright \xC2\xA9 2009-2026 Halvorn-Ek");
}

TEST(Templates, OtherSystemsAndUnknownSystemsLeaveTheTextAlone) {
    ThvlgTemplates t;
    t.AddTemplateVariable("dynDirFilePathName", "/home/u/x.ini", nullptr, true);
    const std::string text = "Save file \"{dynDirFilePathName}\" changes?";
    EXPECT_EQ(t.ExpandTemplate("__curly", text), "Save file \"/home/u/x.ini\" changes?");
    EXPECT_EQ(t.ExpandTemplate("__sharp", text), text);
    EXPECT_EQ(t.ExpandTemplate("", text), text);
    EXPECT_EQ(t.ExpandTemplate("__nosuch", text), text);
    EXPECT_EQ(t.ExpandTemplate("__SHARP", "#dynDirFilePathName#"), "/home/u/x.ini");
    EXPECT_EQ(t.ExpandTemplate("__Dollar", "$dyndirfilepathname$!"), "/home/u/x.ini!");
}

TEST(Templates, OverwriteRules) {
    ThvlgTemplates t;
    t.AddTemplateVariable("v", "first");
    t.AddTemplateVariable("V", "second");
    EXPECT_EQ(t.ExpandTemplate("__curly", "{v}"), "first");
    t.AddTemplateVariable("v", "third", nullptr, true);
    EXPECT_EQ(t.ExpandTemplate("__curly", "{v}"), "third");
}

TEST(Templates, UnknownOrEmptyVariablesShowTheirName) {
    ThvlgTemplates t;
    t.AddTemplateVariable("Empty", "");
    EXPECT_EQ(t.ExpandTemplate("__curly", "[{Empty}] [{Unknown}] [{}]"), "[Empty] [Unknown] []");
}

TEST(Templates, CallbackGivesTheValueWhenStoredValueIsEmpty) {
    ThvlgTemplates t;
    int calls = 0;
    t.AddTemplateVariable("Count", "", [&calls](const std::string& name, std::string& value) {
        ++calls;
        value = name + "=" + std::to_string(calls);
    });
    EXPECT_EQ(t.ExpandTemplate("__curly", "{Count} {count}"), "Count=1 Count=1");
    EXPECT_EQ(calls, 1) << "both spellings are replaced in the one pass";
    t.AddTemplateVariable("Stored", "s", [&calls](const std::string&, std::string&) { ++calls; });
    EXPECT_EQ(t.ExpandTemplate("__curly", "{Stored}"), "s");
    EXPECT_EQ(calls, 1) << "a stored value wins over the callback";
}

TEST(Templates, TextsWithoutCompletePlaceholdersAreUnchanged) {
    ThvlgTemplates t;
    EXPECT_EQ(t.ExpandTemplate("__curly", "no placeholder"), "no placeholder");
    EXPECT_EQ(t.ExpandTemplate("__curly", "open { but never closed"), "open { but never closed");
    EXPECT_EQ(t.ExpandTemplate("__curly", "} {"), "} {");
}

TEST(Templates, NameMayContainTheOpeningDelimiter) {
    ThvlgTemplates t;
    EXPECT_EQ(t.ExpandTemplate("__curly", "a{{x}b"), "a{xb");
}

TEST(Templates, ReplacementsAreExpandedInLaterPasses) {
    ThvlgTemplates t;
    t.AddTemplateVariable("CompanyNameLong", "Halvorn-Ek Software");
    t.AddTemplateVariable("dynDialogFindText", "{CompanyNameLong}", nullptr, true);
    EXPECT_EQ(t.ExpandTemplate("__curly", "Find \"{dynDialogFindText}\""),
              "Find \"Halvorn-Ek Software\"");
}

TEST(Templates, ReplacementHoldingItsOwnPlaceholderEndsTheExpansion) {
    ThvlgTemplates t;
    t.AddTemplateVariable("dynDialogFindText", "x{DYNDIALOGFINDTEXT}y", nullptr, true);
    EXPECT_EQ(t.ExpandTemplate("__curly", "Find {dynDialogFindText}!"),
              "Find x{DYNDIALOGFINDTEXT}y!");
}

TEST(Templates, MutualRecursionIsBounded) {
    ThvlgTemplates t;
    t.AddTemplateVariable("a", "{b}");
    t.AddTemplateVariable("b", "{a}");
    std::string result = t.ExpandTemplate("__curly", "{a}");
    EXPECT_TRUE(result == "{a}" || result == "{b}");

    t.AddTemplateVariable("grow", "{twice}{twice}");
    t.AddTemplateVariable("twice", "{grow}{grow}");
    std::string big = t.ExpandTemplate("__curly", "{grow}");
    EXPECT_LE(big.size(), 4 * ThvlgTemplates::kMaxExpandedLength);
}

TEST(Templates, AddTemplateSystemNeverChangesAnExistingOne) {
    ThvlgTemplates t;
    t.AddTemplateSystem("__curly", "<", ">");
    t.AddTemplateSystem("__angle", "<<", ">>");
    t.AddTemplateVariable("v", "1");
    EXPECT_EQ(t.ExpandTemplate("__curly", "{v}<v>"), "1<v>");
    EXPECT_EQ(t.ExpandTemplate("__ANGLE", "<<v>>"), "1");
}

TEST(Templates, DefaultSystemStack) {
    ThvlgTemplates t;
    EXPECT_EQ(t.DefaultTemplateSystem(), "");
    t.PushDefaultTemplateSystem("__curly");
    EXPECT_EQ(t.DefaultTemplateSystem(), "__curly");
    t.PushDefaultTemplateSystem("__sharp");
    EXPECT_EQ(t.DefaultTemplateSystem(), "__sharp");
}

} // namespace
} // namespace pw
