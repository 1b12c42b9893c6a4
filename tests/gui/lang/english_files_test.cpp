// The shipped English language files hold every text the program registers, as it registers
// it: a translator syncs against them, so a text missing there is a text nobody translates.
//
// The test starts the program without English files, opens every window so that each registers
// its texts, and compares what the in-memory English documents hold with the shipped files. It
// writes what the program holds to <build>/english-trans/ as the files to ship when they differ.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#include "gui/about/browser_fixture.h"
#include "lang/translation_files.h"
#include "util/text_files.h"

namespace pw {
namespace {

class EnglishFilesTest : public test::BrowserFixture {};

// The document's text as shipped: its sections in order with "MetaData" last, a blank line
// between two sections.
std::string ShippedForm(const IniDocument& document) {
    StringArray sections = document.SectionNames();
    std::stable_partition(sections.begin(), sections.end(),
                          [](const std::string& s) { return s != "MetaData"; });
    std::string text;
    for (const std::string& section : sections) {
        if (!text.empty())
            text += "\r\n";
        text += "[" + section + "]\r\n";
        for (const std::string& key : document.SectionEntryNames(section))
            text += key + "=" + *document.Find(section, key) + "\r\n";
    }
    return text;
}

TEST_F(EnglishFilesTest, TheShippedFilesHoldEveryRegisteredTextAsRegistered) {
    for (const char* name : kLanguageFileNames)
        std::filesystem::remove(programFolder + "trans/en-us/" + name);
    AnswerMessageBoxes(QMessageBox::No);
    StartModule();
    ProcessEvents();
    module->ShowAbout();
    module->ShowCheckUpdates();
    module->ShowHelpViewer();
    module->ShowPreferences();
    ProcessEvents();

    const std::string shipped = std::string(PATHWICK_SOURCE_DIR) + "/data/trans/en-us/";
    const std::string generated = std::string(PATHWICK_BIN_DIR) + "/../english-trans/";
    std::filesystem::create_directories(generated);
    for (const char* name : kLanguageFileNames) {
        IniDocument* registered =
            module->Language().GetLanguageFile("en-us", name, ThvlgFileMode::Read);
        ASSERT_NE(registered, nullptr) << name;
        WriteFileBytes(generated + name, LanguageFileBytes(ShippedForm(*registered)));
        const IniDocument file(ReadLanguageFileText(shipped + name));
        int differences = 0;
        for (const std::string& section : registered->SectionNames()) {
            for (const std::string& key : registered->SectionEntryNames(section)) {
                if (section == "MetaData" && key == "Document_LastUpdateDate")
                    continue; // the day the program runs
                const std::optional<std::string> value = file.Find(section, key);
                const std::string wanted = *registered->Find(section, key);
                if (!value || *value != wanted) {
                    ++differences;
                    ADD_FAILURE() << name << " [" << section << "] " << key << "="
                                  << (value ? *value : std::string("<missing>"))
                                  << ", registered: " << wanted;
                }
            }
        }
        EXPECT_EQ(differences, 0) << "the program's texts are in " << generated << name;
    }
}

} // namespace
} // namespace pw
