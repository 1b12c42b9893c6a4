// New links from files, folders, web addresses and drops: what CreateLinkFromFile decides for
// every kind of file and shortcut, the caption rules, what cannot be linked, the URI lists of
// drops, and the links in the tree (ids, entries, pictures, insertion points, saving).
#include <cstdlib>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "items/item_attach.h"
#include "items/item_rules.h"
#include "items/link_from_file.h"
#include "unit/items/items_fixture.h"
#include "util/paths.h"
#include "util/uri_list.h"

namespace pw::items::test {
namespace {

void MakeExecutable(const std::string& path) {
    chmod(path.c_str(), 0755);
}

// PATH set for one test and put back afterwards.
class PathGuard {
public:
    explicit PathGuard(const std::string& value) {
        const char* old = std::getenv("PATH");
        saved_ = old ? old : "";
        setenv("PATH", value.c_str(), 1);
    }
    ~PathGuard() { setenv("PATH", saved_.c_str(), 1); }

private:
    std::string saved_;
};

TEST(FileLinkCaption, NameWithoutItsExtensionAndHiddenNamesWhole) {
    EXPECT_EQ(FileLinkCaption("/a/b/report.final.pdf"), "report.final");
    EXPECT_EQ(FileLinkCaption("/a/v1.2/"), "v1");
    EXPECT_EQ(FileLinkCaption("/a/plain"), "plain");
    EXPECT_EQ(FileLinkCaption("/a/name."), "name");
    EXPECT_EQ(FileLinkCaption("/home/u/.config"), ".config") << "a cut would leave nothing";
    EXPECT_EQ(FileLinkCaption("/home/u/.notes.txt"), ".notes");
    EXPECT_EQ(FileLinkCaption("/"), "/");
    EXPECT_EQ(FileLinkCaption("/a/x|y^z.txt"), "xyz") << "the record marks are left out";
}

class LinkFromFileTest : public ItemsFixture {
protected:
    LinkPlan Plan(const std::string& relative) { return PlanLinkFromFile(tmp.path() + relative); }
    std::string Entry(const std::string& name, const std::string& body) {
        return tmp.write("entries/" + name, "[Desktop Entry]\n" + body);
    }
};

TEST_F(LinkFromFileTest, DesktopEntriesBecomeTheirProgramsAndAddresses) {
    const std::string bin = tmp.mkdir("bin");
    const std::string editor = tmp.write("bin/pw-editor", "#!/bin/sh\n");
    MakeExecutable(editor);
    const std::string doc = tmp.write("files/notes.txt", "x");
    const PathGuard path("/nonexistent:" + bin);

    // An application: program found on PATH, arguments without field codes, Path= as work dir,
    // Name= as caption, Icon= as picture.
    const std::string app =
        Entry("editor.desktop", "Type=Application\nName=Text Editor\n"
                                "Exec=pw-editor --new \"two words\" %U %f\n"
                                "Path=/srv/work\nIcon=accessories-text-editor\n");
    LinkPlan plan = PlanLinkFromFile(app);
    ASSERT_TRUE(plan) << plan.refusal;
    EXPECT_EQ(plan.path, editor);
    EXPECT_EQ(plan.params, "--new 'two words'");
    EXPECT_EQ(plan.workDir, "/srv/work/");
    EXPECT_EQ(plan.caption, "Text Editor");
    EXPECT_EQ(plan.kind, LinkKind::Executable);
    EXPECT_TRUE(plan.programEntries);
    EXPECT_EQ(plan.picture, PictureSource::Named);
    EXPECT_EQ(plan.iconName, "accessories-text-editor");

    // Type=Link: a web link named by the entry, or the local file a file: URL names.
    plan = PlanLinkFromFile(Entry("site.desktop", "Type=Link\nName=Site\nURL=https://ex.org/a\n"));
    EXPECT_EQ(plan.path, "https://ex.org/a");
    EXPECT_EQ(plan.caption, "Site");
    EXPECT_EQ(plan.kind, LinkKind::Net);
    EXPECT_EQ(plan.picture, PictureSource::WebType);
    EXPECT_FALSE(plan.programEntries);
    plan = PlanLinkFromFile(
        Entry("doc.desktop", "Type=Link\nName=My notes\nURL=file://" + PercentEncode(doc) + "\n"));
    EXPECT_EQ(plan.path, doc);
    EXPECT_EQ(plan.caption, "My notes");
    EXPECT_EQ(plan.kind, LinkKind::Unknown);

    // Entries that lead nowhere, or whose command the shortcut file cannot hold, link to
    // themselves with their own caption.
    for (const std::string& body :
         {std::string("Exec=pw-not-installed --x\nName=Gone\n"), std::string("Name=No program\n"),
          std::string("Exec=/bin/sh -c \"ls | wc\"\nName=Pipe\n"),
          std::string("Type=Link\nURL=mailto:a@b.example\nName=Mail\n")}) {
        const std::string self = Entry("broken.desktop", body);
        plan = PlanLinkFromFile(self);
        ASSERT_TRUE(plan) << body;
        EXPECT_EQ(plan.path, self) << body;
        EXPECT_EQ(plan.caption, "broken") << body;
        EXPECT_EQ(plan.picture, PictureSource::Shell) << body;
        EXPECT_FALSE(plan.programEntries) << body;
    }
    plan = PlanLinkFromFile(tmp.write("entries/plain.desktop", "not an entry at all"));
    EXPECT_EQ(plan.path, tmp.path() + "entries/plain.desktop");
}

TEST_F(LinkFromFileTest, SymbolicLinksAreFollowedAndOrdinaryFilesTakenAsTheyAre) {
    const std::string script = tmp.write("real/tool.sh", "#!/bin/sh\n");
    const std::string folder = tmp.mkdir("real/plain");
    const std::string bin = tmp.mkdir("bin");
    const std::string program = tmp.write("bin/pw-viewer", "#!/bin/sh\n");
    MakeExecutable(program);
    const PathGuard path(bin);
    Entry("viewer.desktop", "Exec=pw-viewer %F\nName=Viewer\n");
    tmp.mkdir("links");
    ASSERT_EQ(symlink("../real/tool.sh", (tmp.path() + "links/tool").c_str()), 0);
    ASSERT_EQ(symlink(folder.c_str(), (tmp.path() + "links/to-folder").c_str()), 0);
    ASSERT_EQ(symlink("../entries/viewer.desktop", (tmp.path() + "links/viewer").c_str()), 0);
    ASSERT_EQ(symlink("../gone/app", (tmp.path() + "links/dead.app").c_str()), 0);

    LinkPlan plan = Plan("links/tool");
    EXPECT_EQ(plan.path, script);
    EXPECT_EQ(plan.caption, "tool") << "the target's name";
    EXPECT_TRUE(plan.programEntries) << "a .sh script runs";
    plan = Plan("links/to-folder/");
    EXPECT_EQ(plan.path, ExcludeTrailingSeparator(folder));
    EXPECT_EQ(plan.picture, PictureSource::Directory);
    plan = Plan("links/viewer");
    EXPECT_EQ(plan.path, program) << "a link to an entry leads to the entry's program";
    EXPECT_EQ(plan.caption, "Viewer");
    plan = Plan("links/dead.app");
    EXPECT_EQ(plan.path, tmp.path() + "links/dead.app") << "a dangling link links to itself";
    EXPECT_EQ(plan.caption, "dead");

    // Ordinary files by their class; ".cpl" means nothing here.
    plan = Plan("real/plain");
    EXPECT_EQ(plan.picture, PictureSource::Directory);
    EXPECT_EQ(plan.caption, "plain");
    EXPECT_EQ(plan.kind, LinkKind::Unknown);
    tmp.mkdir("real/v1.2");
    plan = Plan("real/v1.2");
    EXPECT_EQ(plan.caption, "v1");
    EXPECT_EQ(plan.picture, PictureSource::Shell) << "a folder with an extension";
    plan = PlanLinkFromFile(tmp.write("real/main.cpl", "x"));
    EXPECT_EQ(plan.path, tmp.path() + "real/main.cpl");
    EXPECT_EQ(plan.kind, LinkKind::Unknown);
    EXPECT_TRUE(plan.params.empty());
    plan = PlanLinkFromFile(program);
    EXPECT_EQ(plan.kind, LinkKind::Executable);
    EXPECT_TRUE(plan.programEntries);
    plan = PlanLinkFromFile(tmp.write("real/site.url", "[InternetShortcut]\n"));
    EXPECT_EQ(plan.kind, LinkKind::Executable);
    EXPECT_FALSE(plan.programEntries) << "an Internet shortcut file gets a window state only";
    EXPECT_TRUE(plan.windowStateEntry);
}

TEST_F(LinkFromFileTest, WhatCannotBeStoredIsRefusedAndLongPathsArriveWhole) {
    EXPECT_FALSE(Plan("missing.txt"));
    EXPECT_FALSE(PlanLinkFromFile(""));
    EXPECT_FALSE(PlanLinkFromFile("relative.txt"));
    // These exist, but the saved record would name another file or stop reading as UTF-8.
    for (const std::string name : {"new\nline.txt", "cr\rx", "bar|x.txt", "latin\xE9.txt"}) {
        const std::string file = tmp.write("odd/" + name, "x");
        ASSERT_TRUE(FileExists(file));
        const LinkPlan plan = PlanLinkFromFile(file);
        EXPECT_FALSE(plan) << name;
        EXPECT_FALSE(plan.refusal.empty());
        EXPECT_EQ(plan.source, file);
    }
    EXPECT_FALSE(PlanWebLink("plain words"));
    EXPECT_FALSE(PlanWebLink("https://a.example/x|y"));
    EXPECT_TRUE(PlanWebLink("ftp://files.example/"));
    EXPECT_EQ(PlanWebLink("ftp://files.example/").caption, "ftp://files.example/");

    // A path far beyond 255 characters, by its own name and from a drop.
    std::string deep = "long";
    while (deep.size() < 1200)
        deep += "/" + std::string(60, 'd');
    const std::string file = tmp.write(deep + "/the file.txt", "x");
    ASSERT_GT(file.size(), 1200u);
    EXPECT_EQ(PlanLinkFromFile(file).path, file);
    const std::vector<LinkPlan> dropped =
        PlanDroppedLinks("file://" + PercentEncode(file) + "\r\n", true, "", "");
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0].path, file);
    EXPECT_EQ(dropped[0].caption, "the file");
}

TEST_F(LinkFromFileTest, DropsBringLocalFilesAndWebAddressesOnly) {
    const std::string a = tmp.write("drop/a b.txt", "x");
    const std::string odd = tmp.write("drop/\xFF.txt", "x");
    const std::string list = "file://" + PercentEncode(a) +
                             "\r\n"
                             "# a comment\r\n"
                             "\r\n"
                             "https://example.org/page?q=1\r\n"
                             "mailto:someone@example.org\r\n"
                             "file://elsewhere.example" +
                             PercentEncode(a) + "\r\nfile://localhost" + PercentEncode(a) +
                             "\nfile://MyHost" + PercentEncode(a) + "\nfile://" +
                             PercentEncode(odd) + "\nfile:///gone/file.txt\nfile:///a%0Ab\n";
    const std::vector<LinkPlan> plans = PlanDroppedLinks(list, true, "ignored", "myhost");
    ASSERT_EQ(plans.size(), 9u);
    EXPECT_EQ(plans[0].path, a);
    EXPECT_EQ(plans[0].caption, "a b");
    EXPECT_EQ(plans[1].path, "https://example.org/page?q=1");
    EXPECT_EQ(plans[1].kind, LinkKind::Net);
    EXPECT_FALSE(plans[2]) << "mailto";
    EXPECT_FALSE(plans[3]) << "a file of another host";
    EXPECT_EQ(plans[4].path, a) << "localhost";
    EXPECT_EQ(plans[5].path, a) << "this host, in any case";
    EXPECT_FALSE(plans[6]) << "not UTF-8";
    EXPECT_FALSE(plans[7]) << "vanished";
    EXPECT_FALSE(plans[8]) << "a line break in the name";

    EXPECT_TRUE(PlanDroppedLinks("", true, "https://x.example/", "").empty()) << "empty list";
    ASSERT_EQ(PlanDroppedLinks("", false, " https://x.example/ ", "").size(), 1u);
    EXPECT_TRUE(PlanDroppedLinks("", false, "some words", "").empty());
    EXPECT_TRUE(PlanDroppedLinks("", false, "https://x.example/\nhttps://y.example/", "").empty());

    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(rng() % 20, '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng());
        ASSERT_EQ(PercentDecode(PercentEncode(bytes)), bytes);
        PlanDroppedLinks(bytes, true, bytes, "h"); // never crashes
    }
    EXPECT_EQ(PercentDecode("100%-%4g%41"), "100%-%4gA");
}

TEST_F(LinkFromFileTest, NewLinksGetIdsEntriesPicturesAndPlacesAndAreSaved) {
    const std::string doc = tmp.write("files/doc.pdf", "x");
    const std::string folder = tmp.mkdir("files/pics");
    const std::string script = tmp.write("files/run.sh", "#!/bin/sh\n");
    const std::string bin = tmp.mkdir("bin");
    MakeExecutable(tmp.write("bin/pw-app", "#!/bin/sh\n"));
    const PathGuard path(bin);
    tmp.mkdir("data/shortcuts/Tools/Net");
    WriteLevel("", {"^Folder|Tools", "^UnkLnk|/x/tools||Tools2|"});
    WriteLevel("Tools/", {"^Folder|Net", "^NetLnk|https://a.example/|A|"});
    store.LoadItems();
    TreeNode* top = store.RootTopMarker();
    TreeNode* tools = store.tvItems.RootNodes()[1].get();

    // The anchor of a drop: the node under the pointer, else the top marker of the selected
    // node's level.
    TreeNode* net = tools->Children[1].get();
    TreeNode* a = tools->Children[2].get();
    EXPECT_EQ(DropAnchor(store, a, top), a);
    EXPECT_EQ(DropAnchor(store, nullptr, a), tools->Children[0].get());
    EXPECT_EQ(DropAnchor(store, nullptr, nullptr), top);
    EXPECT_EQ(DropAnchor(store, nullptr, tools), top);

    // Menu folders by their captions.
    TreeNode* found = nullptr;
    EXPECT_TRUE(FindMenuFolder(store.tvItems, "Tools/Net", found));
    EXPECT_EQ(found, net);
    EXPECT_TRUE(FindMenuFolder(store.tvItems, " tools /NET/", found));
    EXPECT_EQ(found, net);
    EXPECT_TRUE(FindMenuFolder(store.tvItems, "", found));
    EXPECT_EQ(found, nullptr);
    EXPECT_FALSE(FindMenuFolder(store.tvItems, "Tools/A", found)) << "a link is no folder";
    EXPECT_FALSE(FindMenuFolder(store.tvItems, "Tools2", found));
    EXPECT_EQ(LastNodeOfLevel(store.tvItems, net), net->Children[0].get());

    // Two files dropped on one item land directly after it, the later one first.
    const int32_t firstId = store.NextItemId;
    const int before = store.Images.ilPublicPM.Count();
    TreeNode* pdf = AttachLink(store, DropAnchor(store, a, nullptr), PlanLinkFromFile(doc));
    TreeNode* dir = AttachLink(store, DropAnchor(store, a, pdf), PlanLinkFromFile(folder));
    ASSERT_TRUE(pdf && dir);
    EXPECT_EQ(a->NextSibling(), dir);
    EXPECT_EQ(dir->NextSibling(), pdf);
    EXPECT_EQ(pdf->Data, firstId);
    EXPECT_EQ(dir->Data, firstId + 1);
    EXPECT_EQ(dir->ImageIndex, kImageDirectoryLink);
    EXPECT_EQ(pdf->ImageIndex, store.Images.ExtractEnd + 1) << "an appended item icon";
    EXPECT_EQ(store.Images.ilPublicPM.At(pdf->ImageIndex).At(5, 5),
              PlainIconSource::ColourOf("pdf"));
    EXPECT_EQ(store.Images.ilPublicPM.Count(), before + 1);
    EXPECT_TRUE(store.Attributes.HasWindowState(pdf->Data));
    EXPECT_FALSE(store.Attributes.HasParams(pdf->Data));

    // The other kinds, at the end of a folder.
    Entry("app.desktop", "Exec=pw-app -q %u\nPath=/tmp\nName=App\nIcon=pw-icon\n");
    TreeNode* app = AttachLink(store, LastNodeOfLevel(store.tvItems, net),
                               PlanLinkFromFile(tmp.path() + "entries/app.desktop"));
    ASSERT_TRUE(app);
    EXPECT_EQ(store.Attributes.Params(app->Data), "-q");
    EXPECT_EQ(store.Attributes.WorkDir(app->Data), "/tmp/");
    EXPECT_TRUE(store.Attributes.HasRunAs(app->Data));
    EXPECT_EQ(store.Images.ilPublicPM.At(app->ImageIndex).At(5, 5),
              PlainIconSource::ColourOf("icon:pw-icon"));
    TreeNode* run = AttachLink(store, app, PlanLinkFromFile(script));
    TreeNode* web = AttachLink(store, top, PlanWebLink("www.example.org"));
    ASSERT_TRUE(run && web);
    EXPECT_EQ(web->ImageIndex, store.Images.TypeIconIndex("url"));
    TreeNode* onDisk = AttachLink(store, tools, PlanDirectoryLink(folder + "/"));
    ASSERT_TRUE(onDisk);
    EXPECT_EQ(onDisk->Text, "pics");
    EXPECT_FALSE(store.Attributes.HasWindowState(onDisk->Data)) << "only its path";
    EXPECT_EQ(AttachLink(store, top, PlanLinkFromFile("/gone")), nullptr);
    EXPECT_EQ(AttachLink(store, nullptr, PlanLinkFromFile(doc)), nullptr);

    ASSERT_TRUE(store.Save().Saved);
    EXPECT_EQ(ReadLevel(""), "^NetLnk|www.example.org|www.example.org|\r\n"
                             "^Folder|Tools\r\n"
                             "^UnkLnk|" +
                                 folder.substr(0, folder.size() - 1) +
                                 "||pics|\r\n"
                                 "^UnkLnk|/x/tools||Tools2|\r\n");
    const std::string tools2 = ReadLevel("Tools/");
    EXPECT_NE(tools2.find("^NetLnk|https://a.example/|A|\r\n^UnkLnk|" +
                          folder.substr(0, folder.size() - 1) + "||pics|\r\n^UnkLnk|" + doc +
                          "|pdf|doc|\r\n"),
              std::string::npos)
        << tools2;
    EXPECT_EQ(ReadLevel("Tools/Net/"), "^ExeLnk|" + tmp.path() + "bin/pw-app|-q|pw-app.bmp|App|" +
                                           "/tmp/|\r\n^ExeLnk|" + script + "||sh|run||\r\n");
}

} // namespace
} // namespace pw::items::test
