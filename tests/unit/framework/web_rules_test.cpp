// The rules of the Check for updates and Help windows and the maker's web site address.
#include <gtest/gtest.h>

#include "framework/web_rules.h"
#include "framework/website.h"
#include "util/shell_link.h"

namespace pw {
namespace {

TEST(Website, BaseAddressIsTheConstantUnlessTheVariableHoldsAWebAddress) {
    auto base = [](std::map<std::string, std::string> env) {
        return WebsiteBaseUrl(FixedEnvironment(std::move(env)));
    };
    EXPECT_EQ(base({}), "https://www.halvorn-ek.example");
    EXPECT_EQ(base({{"PATHWICK_WEBSITE_URL", " http://127.0.0.1:8123/ "}}),
              "http://127.0.0.1:8123");
    EXPECT_EQ(base({{"PATHWICK_WEBSITE_URL", "HTTPS://mirror.example/base//"}}),
              "HTTPS://mirror.example/base");
    for (const char* bad : {"", "ftp://x.example", "file:///etc", "http://", "http:///x",
                            "http://a b.example", "javascript:alert(1)", "127.0.0.1:8000"})
        EXPECT_EQ(base({{"PATHWICK_WEBSITE_URL", bad}}), "https://www.halvorn-ek.example") << bad;
    EXPECT_EQ(HistoryPageAddress("http://h.example/"),
              "http://h.example/products/pathwick/history.php");
    EXPECT_EQ(ForumsAddress("http://h.example/"), "http://h.example/forums/");
}

TEST(CheckUpdates, UserAgentNamesTheProductAndVersion) {
    EXPECT_EQ(CheckUpdatesUserAgent(), "Pathwick::1.9.4::CheckForUpdates::");
}

TEST(CheckUpdates, DueAfterTheIntervalInWholeDays) {
    const TDateTime now = EncodeDateTime(2026, 3, 10, 0, 5);
    EXPECT_TRUE(CheckUpdatesDue(now, EncodeDateTime(2026, 3, 3, 23, 59), 7, false))
        << "whole days count, not hours";
    EXPECT_FALSE(CheckUpdatesDue(now, EncodeDateTime(2026, 3, 4, 0, 0), 7, false));
    EXPECT_TRUE(CheckUpdatesDue(now, now, 0, false)) << "0: at every start";
    EXPECT_FALSE(CheckUpdatesDue(now, now - 1000, -1, false)) << "negative: never";
    EXPECT_FALSE(CheckUpdatesDue(now, now + 2, 0, false)) << "a last check in the future";
    EXPECT_FALSE(CheckUpdatesDue(now, now - 100, 7, true)) << "critical error resolution";
    EXPECT_TRUE(CheckUpdatesDue(now, 0, 60, false)) << "never checked";
}

TEST(CheckUpdates, HistoryFamilyIsThePageItsAnchorsAndQueries) {
    const std::string history = "http://127.0.0.1:5000/products/pathwick/history.php";
    EXPECT_TRUE(IsHistoryFamilyAddress(history, history));
    EXPECT_TRUE(IsHistoryFamilyAddress(history + "#v1.9", history));
    EXPECT_TRUE(IsHistoryFamilyAddress(history + "?page=2", history));
    EXPECT_FALSE(IsHistoryFamilyAddress("http://127.0.0.1:5000/products/pathwick/", history));
    EXPECT_FALSE(
        IsHistoryFamilyAddress("HTTP://127.0.0.1:5000/products/pathwick/history.php", history))
        << "compared exactly";
    EXPECT_FALSE(IsHistoryFamilyAddress("https://evil.example/?" + history, history));
    EXPECT_FALSE(IsHistoryFamilyAddress("", ""));
}

TEST(HelpViewer, AddressesContainingTheProgramFolderInAnyOfItsFormsStay) {
    const std::string folder = "/opt/my apps/pathwick/";
    EXPECT_TRUE(IsHelpAddress("file:///opt/my apps/pathwick/help/index.html", folder));
    EXPECT_TRUE(IsHelpAddress("file:///opt/my%20apps/pathwick/help/a.html#x", folder));
    EXPECT_FALSE(IsHelpAddress("file:///opt/other/help/index.html", folder));
    EXPECT_FALSE(IsHelpAddress("https://www.halvorn-ek.example/", folder));
    EXPECT_TRUE(IsHelpAddress("file:///C:/Program%20Files/Pathwick/help/index.html",
                              "C:\\Program Files\\Pathwick\\"))
        << "backslashes read as slashes, blanks as %20";
    EXPECT_FALSE(IsHelpAddress("anything", "")) << "no program folder keeps nothing";
}

TEST(BrowserButtons, TheAddressIsOneParameterWhateverItHolds) {
    for (const std::string& address : {std::string("https://h.example/a b?x=1&y=$HOME"),
                                       std::string("say \"hi\" \\ `ls`"), std::string("")}) {
        const std::vector<std::string> words = SplitCommandLine(QuotedBrowserParameter(address));
        ASSERT_EQ(words.size(), 1u) << address;
        EXPECT_EQ(words[0], address);
    }
    EXPECT_EQ(QuotedBrowserParameter("https://h.example/"), "\"https://h.example/\"");
}

} // namespace
} // namespace pw
