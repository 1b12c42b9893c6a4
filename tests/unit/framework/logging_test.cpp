#include "framework/logging.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace pw {
namespace {

TDateTime FixedTime() {
    return EncodeDateTime(2026, 12, 9, 7, 8, 9);
}

std::string Cwd() {
    return std::filesystem::current_path().string();
}

TEST(Logging, RecordKindsFollowTheArguments) {
    LogError error{"EInOutError", "Disk full"};
    auto kind = [&](const LogError* e, std::string_view message) {
        return LogRecordLines(nullptr, e, message, "", FixedTime(), "n", "/w").front();
    };
    EXPECT_EQ(kind(nullptr, ""), "--Info--");
    EXPECT_EQ(kind(nullptr, "text"), "--Message--");
    EXPECT_EQ(kind(&error, ""), "--Exception--");
    EXPECT_EQ(kind(&error, "text"), "--Combined--");
}

TEST(Logging, CombinedRecordHasEveryLineInOrder) {
    LogSender sender{"TFormFront", std::string("FormFront")};
    LogError error{"EInOutError", "Disk full"};
    EXPECT_EQ(
        LogRecordLines(&sender, &error, "Saving failed", "Maintain_SaveNodesFrom", FixedTime(),
                       "12/09/26 07:08:09", "/home/u"),
        (StringArray{"--Combined--", "DateTime (ISO): 2026-12-09 07:08:09",
                     "DateTime (native): 12/09/26 07:08:09", "Sender Class Name: TFormFront",
                     "Sender Name: FormFront", "Current Work Directory: /home/u",
                     "ID: Maintain_SaveNodesFrom", "Message: Saving failed",
                     "Exception Class Name: EInOutError", "Exception Message: Disk full", ""}));
}

TEST(Logging, SenderThatIsNoComponentHasNoNameLine) {
    LogSender sender{"TStringList", std::nullopt};
    StringArray lines = LogRecordLines(&sender, nullptr, "", "", FixedTime(), "n", "/w");
    EXPECT_EQ(lines, (StringArray{"--Info--", "DateTime (ISO): 2026-12-09 07:08:09",
                                  "DateTime (native): n", "Sender Class Name: TStringList",
                                  "Current Work Directory: /w", ""}));
}

TEST(Logging, NativeDateTimeShowsTheTime) {
    std::string text = NativeDateTimeText(FixedTime());
    EXPECT_NE(text.find("07:08:09"), std::string::npos) << text;
}

TEST(Logging, FirstRecordCreatesTheFileAndRecordsAreAppended) {
    test::TempDir dir;
    ThvLogging log;
    log.Clock = FixedTime;
    std::string file = dir.path() + "program.log";
    log.SetLogFile(file);
    log.Log(nullptr, nullptr, "first", "");
    std::string one = test::SlurpFile(file);
    EXPECT_EQ(one.rfind("--Message--\r\nDateTime (ISO): 2026-12-09 07:08:09\r\n", 0), 0u) << one;
    EXPECT_NE(one.find("Current Work Directory: " + Cwd() + "\r\nMessage: first\r\n\r\n"),
              std::string::npos);
    log.Log(nullptr, nullptr, "second", "X");
    std::string two = test::SlurpFile(file);
    EXPECT_EQ(two.substr(0, one.size()), one) << "the old content stays in front";
    EXPECT_NE(two.find("\r\n\r\n--Message--"), std::string::npos);
    EXPECT_EQ(two.substr(two.size() - 19), "Message: second\r\n\r\n");
    EXPECT_TRUE(log.LogStrings().empty());
}

TEST(Logging, RecordsBeforeTheFileIsKnownArePendingUntilTheNextRecord) {
    test::TempDir dir;
    ThvLogging log;
    log.Clock = FixedTime;
    log.Log(nullptr, nullptr, "early", "");
    EXPECT_EQ(log.LogStrings().size(), 6u);
    log.SetLogFile(dir.path() + "program.log");
    log.Log(nullptr, nullptr, "later", "");
    std::string text = dir.read("program.log");
    EXPECT_LT(text.find("Message: early"), text.find("Message: later"));
    EXPECT_TRUE(log.LogStrings().empty());
}

TEST(Logging, OldContentWithoutFinalLineBreakStaysALineOfItsOwn) {
    test::TempDir dir;
    std::string file = dir.write("program.log", "old line");
    ThvLogging log;
    log.Clock = FixedTime;
    log.SetLogFile(file);
    log.Log(nullptr, nullptr, "", "");
    EXPECT_EQ(test::SlurpFile(file).rfind("old line\r\n--Info--\r\n", 0), 0u);
}

TEST(Logging, GrowingFileIsAppendedToNotRewritten) {
    test::TempDir dir;
    std::string old(100000, 'x');
    old += "\r\n";
    std::string file = dir.write("program.log", old);
    struct stat before {};
    ASSERT_EQ(stat(file.c_str(), &before), 0);
    ThvLogging log;
    log.SetLogFile(file);
    log.Log(nullptr, nullptr, "one", "");
    log.Log(nullptr, nullptr, "two", "");
    struct stat after {};
    ASSERT_EQ(stat(file.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    std::string text = test::SlurpFile(file);
    EXPECT_EQ(text.substr(0, old.size()), old);
    EXPECT_EQ(text.substr(old.size(), 11), "--Message--");
}

TEST(Logging, NonCumulativeLogReplacesTheFile) {
    test::TempDir dir;
    std::string file = dir.write("program.log", "old content\r\n");
    ThvLogging log;
    log.WriteLogCumulative = false;
    log.SetLogFile(file);
    log.Log(nullptr, nullptr, "", "");
    EXPECT_EQ(test::SlurpFile(file).rfind("--Info--", 0), 0u);
}

TEST(Logging, WithoutAutoSaveRecordsWaitForSaveLog) {
    test::TempDir dir;
    ThvLogging log;
    log.AutoSaveLog = false;
    log.SetLogFile(dir.path() + "program.log");
    log.Log(nullptr, nullptr, "", "");
    EXPECT_EQ(dir.read("program.log"), "");
    log.SaveLog();
    EXPECT_EQ(dir.read("program.log").rfind("--Info--\r\n", 0), 0u);
}

TEST(Logging, MissingFolderLosesTheRecordsQuietly) {
    test::TempDir dir;
    ThvLogging log;
    log.SetLogFile(dir.path() + "no/such/folder/program.log");
    log.Log(nullptr, nullptr, "lost", "");
    EXPECT_TRUE(log.LogStrings().empty());
}

TEST(Logging, RecordsFromManyThreadsStayWhole) {
    test::TempDir dir;
    ThvLogging log;
    log.SetLogFile(dir.path() + "program.log");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&log, t] {
            for (int i = 0; i < 25; ++i)
                log.Log(nullptr, nullptr, "thread " + std::to_string(t), "ID" + std::to_string(i));
        });
    for (std::thread& thread : threads)
        thread.join();
    StringArray lines = StrSplit(dir.read("program.log"), "\r\n");
    int records = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != "--Message--")
            continue;
        ++records;
        ASSERT_LT(i + 6, lines.size());
        EXPECT_EQ(lines[i + 1].rfind("DateTime (ISO): ", 0), 0u);
        EXPECT_EQ(lines[i + 4].rfind("ID: ID", 0), 0u);
        EXPECT_EQ(lines[i + 5].rfind("Message: thread ", 0), 0u);
        EXPECT_EQ(lines[i + 6], "");
    }
    EXPECT_EQ(records, 100);
}

} // namespace
} // namespace pw
