// The About window's data table, its HTML and CSV forms, and the support bundle on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "framework/about_data.h"
#include "framework/support_bundle.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

AboutFacts SampleFacts() {
    AboutFacts facts;
    facts.OsName = "Debian GNU/Linux 12 (bookworm)";
    facts.Memory.TotalPhysical = 16ull * 1024 * 1024 * 1024;
    facts.Memory.AvailablePhysical = 1536ull * 1024 * 1024 + 1024 * 1024 / 4; // 1536.25 MB
    facts.Memory.TotalVirtual = 20ull * 1024 * 1024 * 1024;
    facts.Memory.AvailableVirtual = 5242; // just under half a hundredth of a megabyte
    facts.ProgramFolder = "/opt/pathwick/";
    facts.UserDataFolder = "/home/u/Documents/Halvorn-Ek/Pathwick/";
    facts.CoreDataFolder = "/home/u/.local/share/Halvorn-Ek/Pathwick/";
    return facts;
}

TEST(AboutData, SevenFactsInTheirOrder) {
    const std::vector<AboutDataRow> rows = AboutDataRows(SampleFacts());
    ASSERT_EQ(rows.size(), 7u);
    const char* keys[] = {"Application identification",     "Operating system platform",
                          "Computer physical memory",       "Computer virtual memory",
                          "Application main directory",     "Application user data directory",
                          "Application core data directory"};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].Key, keys[i]);
        EXPECT_EQ(rows[i].IsFolder, i >= 4) << i;
    }
    EXPECT_EQ(rows[0].Value, "Pathwick 1.9.4");
    EXPECT_EQ(rows[1].Value, "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(rows[2].Value, "16384.00 MB (Free: 1536.25 MB)");
    EXPECT_EQ(rows[3].Value, "20480.00 MB (Free: 0.00 MB)");
    EXPECT_EQ(rows[4].Value, "/opt/pathwick/");
    EXPECT_EQ(rows[6].Value, "/home/u/.local/share/Halvorn-Ek/Pathwick/");
}

TEST(AboutData, MegabytesHaveTwoDecimalsRoundedHalfUp) {
    constexpr uint64_t MB = 1024 * 1024;
    EXPECT_EQ(FormatMegabytes(0), "0.00");
    EXPECT_EQ(FormatMegabytes(MB / 2), "0.50");
    EXPECT_EQ(FormatMegabytes(MB - 1), "1.00") << "0.999999 rounds up into the integer";
    EXPECT_EQ(FormatMegabytes(3 * MB + 5243), "3.01") << "from half a hundredth up";
    EXPECT_EQ(FormatMegabytes(3 * MB + 5242), "3.00");
    EXPECT_EQ(FormatMegabytes(UINT64_MAX), "17592186044416.00");
}

TEST(AboutData, HtmlAndCsvCarryTheHeaderAndEscapeEveryCell) {
    std::vector<AboutDataRow> rows = AboutDataRows(SampleFacts());
    rows[4].Value = "/opt/<a & \"b\">, c/";
    const std::string html = AboutDataHtml(rows);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<tr><th>Key</th><th>Value</th></tr>"), std::string::npos);
    EXPECT_NE(html.find("<td>Application identification</td><td>Pathwick 1.9.4</td>"),
              std::string::npos);
    EXPECT_NE(html.find("/opt/&lt;a &amp; &quot;b&quot;&gt;, c/"), std::string::npos);
    EXPECT_EQ(html.find("<a &"), std::string::npos);
    size_t rowsInHtml = 0;
    for (size_t at = html.find("<tr>"); at != std::string::npos; at = html.find("<tr>", at + 1))
        ++rowsInHtml;
    EXPECT_EQ(rowsInHtml, 8u);

    const std::string csv = AboutDataCsv(rows);
    EXPECT_EQ(csv.substr(0, 11), "Key,Value\r\n");
    EXPECT_NE(csv.find("Application identification,Pathwick 1.9.4\r\n"), std::string::npos);
    EXPECT_NE(csv.find("Application main directory,\"/opt/<a & \"\"b\"\">, c/\"\r\n"),
              std::string::npos);
}

TEST(AboutData, CreditsNameTheLibrariesUnderHeadings) {
    const std::string credits = AboutCreditsText("https://h.example");
    EXPECT_EQ(credits.rfind("Created by:\n", 0), 0u);
    EXPECT_NE(credits.find("https://h.example\n"), std::string::npos);
    EXPECT_NE(credits.find("\nPortions:\n"), std::string::npos);
    EXPECT_NE(credits.find("Qt 6"), std::string::npos);
    EXPECT_NE(credits.find("LGPL-3.0"), std::string::npos);
    EXPECT_NE(credits.find("libxcb"), std::string::npos);
}

class SupportBundleTest : public ::testing::Test {
protected:
    test::TempDir temp;
    DataPaths paths;
    void SetUp() override {
        paths.ProgramFolder = temp.mkdir("program");
        paths.LogFile = temp.path() + "data/logs/misc/program.log";
        paths.OptionsFile = temp.path() + "data/config/options.ini";
    }
};

TEST_F(SupportBundleTest, WritesDataAndCopiesWhatExistsReplacingEarlierFiles) {
    const std::vector<SupportFile> files = SupportBundleFiles(paths);
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].Source, paths.ProgramFolder + "muc.ini");
    EXPECT_EQ(files[1].TargetName, "program.log");
    EXPECT_EQ(files[2].TargetName, "options.ini");

    temp.write("data/logs/misc/program.log", "log one");
    temp.write("data/config/options.ini", "[a]\r\nb=1\r\n");
    const std::string out = temp.mkdir("out");
    SupportBundleResult result = CollectSupportData(out, "<html>1</html>", files);
    EXPECT_EQ(result.Written, (StringArray{"data.html", "program.log", "options.ini"}));
    EXPECT_TRUE(result.Failed.empty());
    EXPECT_EQ(temp.read("out/data.html"), "<html>1</html>");
    EXPECT_EQ(temp.read("out/program.log"), "log one");
    struct stat st {};
    EXPECT_NE(stat((out + "muc.ini").c_str(), &st), 0) << "a missing muc.ini is skipped";

    temp.write("program/muc.ini", "[Data]\r\nDataAccess=app\r\n");
    temp.write("data/logs/misc/program.log", "log two");
    result = CollectSupportData(out, "<html>2</html>", files);
    EXPECT_EQ(result.Written, (StringArray{"data.html", "muc.ini", "program.log", "options.ini"}));
    EXPECT_EQ(temp.read("out/data.html"), "<html>2</html>");
    EXPECT_EQ(temp.read("out/program.log"), "log two");
    EXPECT_EQ(temp.read("out/muc.ini"), "[Data]\r\nDataAccess=app\r\n");
}

TEST_F(SupportBundleTest, FailuresAreReportedOneByOne) {
    temp.write("data/logs/misc/program.log", "log");
    temp.write("data/config/options.ini", "opts");
    const std::string out = temp.mkdir("blocked");
    // Folders where two of the files should go: those two cannot be written, the rest can.
    temp.mkdir("blocked/data.html");
    temp.mkdir("blocked/program.log");
    SupportBundleResult result = CollectSupportData(out, "<html/>", SupportBundleFiles(paths));
    EXPECT_EQ(result.Failed, (StringArray{"data.html", "program.log"}));
    EXPECT_EQ(result.Written, (StringArray{"options.ini"}));
    EXPECT_EQ(temp.read("blocked/options.ini"), "opts");

    result = CollectSupportData(temp.path() + "missing/", "<html/>", SupportBundleFiles(paths));
    EXPECT_EQ(result.Failed, (StringArray{"data.html", "program.log", "options.ini"}));
    EXPECT_TRUE(result.Written.empty());
}

} // namespace
} // namespace pw
