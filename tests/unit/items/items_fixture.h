#pragma once
// A data folder in a temporary folder with an item store over it, for the item store's tests.
// HOME and XDG_DATA_HOME point into the temporary folder, so that nothing reaches the real
// home (the clean-up of a save sends stale folders to the trash).

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "items/icon_source.h"
#include "items/item_store.h"
#include "support/temp_dir.h"

namespace pw::items::test {

// Records every log record handed to it.
struct LogRecords {
    std::vector<std::pair<std::string, std::string>> records; // message, id
    ItemLogger Logger() {
        return [this](const std::string&, const std::string& message, const std::string& id) {
            records.emplace_back(message, id);
        };
    }
    int Count(const std::string& id) const {
        int n = 0;
        for (const auto& r : records)
            n += r.second == id;
        return n;
    }
};

class ItemsFixture : public ::testing::Test {
protected:
    ItemsFixture()
        : root(tmp.mkdir("data/shortcuts")), temp(tmp.mkdir("data/temp")),
          program(tmp.mkdir("program")), store({root, temp, program}, icons) {
        setenv("HOME", tmp.mkdir("home").c_str(), 1);
        setenv("XDG_DATA_HOME", tmp.mkdir("home/.local/share").c_str(), 1);
        store.SetLogger(log.Logger());
    }

    // Writes a shortcut file (records joined with CR LF, each ending with CR LF).
    void WriteLevel(const std::string& relativeFolder, const std::vector<std::string>& records) {
        std::string text;
        for (const auto& r : records)
            text += r + "\r\n";
        tmp.write("data/shortcuts/" + relativeFolder + "shortcuts-utf8.txt", text);
    }
    std::string ReadLevel(const std::string& relativeFolder) const {
        return tmp.read("data/shortcuts/" + relativeFolder + "shortcuts-utf8.txt");
    }
    // The root level's nodes after the top marker.
    TreeNode* RootNode(int index) const {
        return store.tvItems.RootNodes().at(static_cast<size_t>(index)).get();
    }

    pw::test::TempDir tmp;
    std::string root, temp, program;
    PlainIconSource icons;
    LogRecords log;
    ItemStore store;
};

} // namespace pw::items::test
