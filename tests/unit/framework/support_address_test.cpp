#include "framework/support_address.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(SupportAddress, DialogTextQuotesTheMessage) {
    EXPECT_EQ(ErrorDialogText("Error occured", "Disk full?\r\nRetry & continue",
                              "Open browser to view more information?"),
              "Error occured: \"Disk full?\r\nRetry & continue\"\r\n\r\n"
              "Open browser to view more information?");
    EXPECT_EQ(ErrorDialogText("Error occured", "", "Open?"), "Error occured\r\n\r\nOpen?");
}

TEST(SupportAddress, MessageIsCleanedForTheAddress) {
    EXPECT_EQ(CleanSupportMessage("Disk full?\r\nRetry & continue"),
              "Disk full[Question] Retry [And] continue");
    EXPECT_EQ(CleanSupportMessage("a    b"), "a  b") << "one pass: four blanks become two";
    EXPECT_EQ(CleanSupportMessage("line\nnext\rlast"), "line next last");
    EXPECT_EQ(CleanSupportMessage("100% #1\t"), "100%25 %231%09");
    EXPECT_EQ(CleanSupportMessage(""), "");
}

TEST(SupportAddress, FullAddress) {
    EXPECT_EQ(SupportAddress("https://halvorn-ek.example/", "EInOutError",
                             "Disk full?\r\nRetry & continue"),
              "https://halvorn-ek.example/home/support.php?pn=Pathwick&pv=1.9.4&ec=EInOutError"
              "&em=Disk full[Question] Retry [And] continue");
    EXPECT_EQ(SupportAddress("https://h.example/", "E", ""),
              "https://h.example/home/support.php?pn=Pathwick&pv=1.9.4&ec=E&em=");
}

} // namespace
} // namespace pw
