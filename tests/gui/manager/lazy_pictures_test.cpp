// A start reads the icon cache only for the pictures something shows: a save right after it,
// and an Undo, still give back every picture as saved, and a cache file gone before its picture
// is first shown gives the picture of programs, logged once.
#include <QMenu>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <tuple>

#include "manager/form_front.h"
#include "menu/popup_menu.h"
#include "support/gui/module_fixture.h"

namespace pw {
namespace {

using items::TreeNode;

class LazyPicturesTest : public test::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        const std::string folder = "home/Documents/Halvorn-Ek/Pathwick/shortcuts/";
        shortcuts = temp.path() + folder;
        temp.write(folder + "shortcuts-utf8.txt",
                   "^ExeLnk|/bin/true|||True||\r\n^UnkLnk|/srv/a.pdf|pdf|A|\r\n"
                   "^NetLnk|https://example.org|Example\r\n^Folder|Sub\r\n^Folder|Later\r\n");
        temp.write(folder + "Later/shortcuts-utf8.txt", "^NetLnk|https://example.net|Net\r\n");
        temp.write(folder + "Sub/shortcuts-utf8.txt",
                   "^ExeLnk|/bin/ls|-l||List||\r\n^ExeLnk|/bin/sh|||Shell||\r\n"
                   "^UnkLnk|/srv/b.txt|txt|B|\r\n");
    }
    TFormFront* Front() { return qobject_cast<TFormFront*>(module->MainForm.data()); }
    // Save as the window's "Save" does: save, then load again.
    void Save() { Front()->miSaveSharedClick(Front()->pmSaveOptions()->actions().at(0)); }
    // Every file below the items root with its bytes.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(shortcuts))
            if (entry.is_regular_file())
                files[entry.path().lexically_relative(shortcuts).string()] =
                    test::SlurpFile(entry.path().string());
        return files;
    }
    TreeNode* Named(const std::string& text, const TreeNode* parent = nullptr) {
        const auto& level = parent ? parent->Children : Front()->Store().tvItems.RootNodes();
        for (const auto& node : level)
            if (node->Text == text)
                return node.get();
        return nullptr;
    }
    // The names of the files that differ from before (added, gone or changed), "" when none.
    std::string ChangedSince(const std::map<std::string, std::string>& before) const {
        const std::map<std::string, std::string> now = Snapshot();
        std::string changed;
        for (const auto& [name, bytes] : now) {
            auto it = before.find(name);
            if (it == before.end() || it->second != bytes)
                changed += name + " ";
        }
        for (const auto& [name, bytes] : before)
            if (!now.count(name))
                changed += name + " (gone) ";
        return changed;
    }
    std::string shortcuts;
};

TEST_F(LazyPicturesTest, ASaveOrAnUndoRightAfterTheStartGivesBackEveryPictureAsSaved) {
    StartModule();
    Save(); // the cache pictures are made from the programs' icons
    const std::map<std::string, std::string> saved = Snapshot();
    ASSERT_EQ(saved.count("true.bmp") + saved.count("true.wc.bmp") + saved.count("Sub/ls.bmp") +
                  saved.count("Sub/sh.wc.bmp"),
              4u);
    StopModule();

    // A new start shows no picture of the folder; its save writes the same bytes.
    StartModule();
    Save();
    EXPECT_EQ(ChangedSince(saved), "");
    StopModule();

    // Edits undone after a start: what was saved comes back, pictures included.
    StartModule();
    TFormFront* front = Front();
    front->SelectNode(Named("Sub"));
    front->BitBtnDeleteClick();
    front->SelectNode(Named("True"));
    front->BitBtnDeleteClick();
    ASSERT_EQ(Named("Sub"), nullptr);
    front->BitBtnUndoClick();
    ASSERT_NE(Named("List", Named("Sub")), nullptr);
    Save();
    EXPECT_EQ(ChangedSince(saved), "");
}

TEST_F(LazyPicturesTest, LinksMovedToOtherFoldersKeepPicturesThatWereNeverShown) {
    StartModule();
    Save();
    const std::map<std::string, std::string> saved = Snapshot();
    StopModule();

    // After a new start, True moves into Sub and List from Sub into Later, unseen; the save
    // removes the old folders' copies of their pictures (Sub's before it writes Later).
    StartModule();
    TFormFront* front = Front();
    front->SelectNode(Named("True"));
    front->BitBtnCutClick();
    front->SelectNode(Named("Shell", Named("Sub")));
    front->BitBtnPasteClick();
    front->SelectNode(Named("List", Named("Sub")));
    front->BitBtnCutClick();
    front->SelectNode(Named("Net", Named("Later")));
    front->BitBtnPasteClick();
    ASSERT_NE(Named("List", Named("Later")), nullptr);
    ASSERT_NE(Named("True", Named("Sub")), nullptr);
    Save();
    EXPECT_FALSE(std::filesystem::exists(shortcuts + "true.bmp"));
    EXPECT_FALSE(std::filesystem::exists(shortcuts + "Sub/ls.bmp"));
    // Each record names its cache file; the pictures are those saved before.
    for (const auto& [folder, program, old] :
         {std::tuple<std::string, std::string, std::string>{"Sub/", "/bin/true||", "true"},
          {"Later/", "/bin/ls|-l|", "Sub/ls"}}) {
        const std::string text = test::SlurpFile(shortcuts + folder + "shortcuts-utf8.txt");
        const size_t record = text.find("^ExeLnk|" + program);
        ASSERT_NE(record, std::string::npos) << text;
        const size_t from = record + program.size() + 8;
        const std::string icon = text.substr(from, text.find('|', from) - from);
        ASSERT_GT(icon.size(), 4u) << text;
        EXPECT_EQ(test::SlurpFile(shortcuts + folder + icon), saved.at(old + ".bmp")) << icon;
        EXPECT_EQ(test::SlurpFile(shortcuts + folder + icon.substr(0, icon.size() - 4) + ".wc.bmp"),
                  saved.at(old + ".wc.bmp"))
            << icon;
    }
}

TEST_F(LazyPicturesTest, ACacheFileGoneBeforeItsPictureIsShownGivesTheProgramsPictureLoggedOnce) {
    StartModule();
    Save();
    StopModule();
    StartModule();
    // The submenu was not opened yet: its pictures are still on disk only.
    std::filesystem::remove(shortcuts + "Sub/ls.bmp");
    std::filesystem::remove(shortcuts + "Sub/ls.wc.bmp");
    TFormFront* front = Front();
    QMenu* sub = front->pmItems()->actions().at(3)->menu();
    ASSERT_EQ(front->pmItems()->actions().at(3)->text(), "Sub");
    ASSERT_NE(sub, nullptr);
    for (int i = 0; i < 2; ++i)
        Q_EMIT sub->aboutToShow();
    QAction* listEntry = nullptr;
    for (QAction* action : sub->actions())
        if (action->text() == "List")
            listEntry = action;
    ASSERT_NE(listEntry, nullptr);
    EXPECT_FALSE(listEntry->icon().isNull());

    const items::ItemImages& images = front->Store().Images;
    const TreeNode* list = Named("List", Named("Sub"));
    const items::Picture& program = images.ilPublicPM.At(images.TypeIconIndex("exe"));
    EXPECT_EQ(images.ilPublicPM.At(list->ImageIndex), program);
    // The tree picture: the same picture on the list's colours, not an empty square.
    const items::Picture& tree = images.ilPublicTV.At(list->ImageIndex);
    int treeColoured = 0;
    for (items::Argb px : tree.Pixels)
        treeColoured += px == images.TreeColour;
    EXPECT_LT(treeColoured, static_cast<int>(tree.Pixels.size()));
    // A picture still cached is read as saved.
    const TreeNode* shell = Named("Shell", Named("Sub"));
    EXPECT_NE(images.ilPublicPM.At(shell->ImageIndex), items::Picture());

    const std::string log = test::SlurpFile(dataFolder + "logs/misc/program.log");
    const size_t first = log.find("Sub/ls.bmp");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("Sub/ls.bmp", first + 1), std::string::npos) << "logged once";
}

} // namespace
} // namespace pw
