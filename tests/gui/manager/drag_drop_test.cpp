// Drag and drop in the manager window's tree, with the events sent to tvItems->viewport(): the
// press, TimerDrag and TimerExpand, the placement rule at every move and drop, drops of files,
// folders, desktop entries and web addresses from other programs; the Add item dialogs; and the
// add request of pathwick-ctl to the running program.
#include <QApplication>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <utility>

#include "gui/platform/launch_test_support.h"
#include "items/item_rules.h"
#include "manager/form_front.h"
#include "manager/item_tree_model.h"
#include "manager/side_column.h"
#include "menu/popup_menu.h"
#include "support/gui/module_fixture.h"
#include "util/paths.h"
#include "util/uri_list.h"

namespace pw {
namespace {

using items::TreeNode;

class DragDropTest : public test::ModuleFixture {
protected:
    std::string Root() const { return dataFolder + "shortcuts/"; }
    // Root: top, Tools (top, Doc, Inner (top)), Web, Inner (a link), Script.
    void StartWithSample() {
        doc = temp.write("files/doc.txt", "x");
        script = temp.write("files/run.sh", "#!/bin/sh\n");
        temp.mkdir("home/Documents/Halvorn-Ek/Pathwick/shortcuts/Tools/Inner");
        temp.write("home/Documents/Halvorn-Ek/Pathwick/shortcuts/shortcuts-utf8.txt",
                   "^Folder|Tools\r\n^NetLnk|https://example.org|Web|\r\n^UnkLnk|" + doc +
                       "|txt|Inner|\r\n^ExeLnk|" + script + "||sh|Script||\r\n");
        temp.write("home/Documents/Halvorn-Ek/Pathwick/shortcuts/Tools/shortcuts-utf8.txt",
                   "^UnkLnk|" + doc + "|txt|Doc|\r\n^Folder|Inner\r\n");
        StartModule();
        ProcessEvents();
        front = qobject_cast<TFormFront*>(module->MainForm.data());
        ASSERT_NE(front, nullptr);
        front->miManageItemsClick();
        ProcessEvents();
    }
    TreeNode* Named(const std::string& text, const TreeNode* in = nullptr) const {
        const auto& level = in ? in->Children : front->Store().tvItems.RootNodes();
        for (const auto& n : level)
            if (n->Text == text)
                return n.get();
        return nullptr;
    }
    std::vector<std::string> Texts(const TreeNode* folder = nullptr) const {
        std::vector<std::string> texts;
        const auto& level = folder ? folder->Children : front->Store().tvItems.RootNodes();
        for (const auto& n : level)
            texts.push_back(n->Text);
        return texts;
    }
    QWidget* Viewport() const { return front->tvItems()->viewport(); }
    QPoint PointOf(const TreeNode* node) const {
        return front->tvItems()->visualRect(front->TreeModel()->IndexOf(node)).center();
    }
    // Below the last row.
    QPoint EmptySpace() const { return QPoint(20, Viewport()->height() - 5); }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, Viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &event);
    }
    void Press(const TreeNode* node, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseButtonPress, PointOf(node), button, button);
    }
    void Release(QPoint at) { Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
    // One drag move over at; answers whether it was accepted.
    bool DragOver(QMimeData* data, QPoint at, Qt::DropActions actions = Qt::MoveAction) {
        QDragMoveEvent move(at, actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &move);
        return move.isAccepted();
    }
    // Enter, move and drop at one point; answers the drop's acceptance and its action.
    std::pair<bool, Qt::DropAction> Drop(QMimeData* data, QPoint at,
                                         Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction |
                                                                   Qt::LinkAction) {
        QDragEnterEvent enter(at, actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &enter);
        DragOver(data, at, actions);
        QDropEvent drop(at, actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &drop);
        return {drop.isAccepted(), drop.dropAction()};
    }
    // The same for data the test made itself (drop events never own their data).
    std::pair<bool, Qt::DropAction> Drop(std::unique_ptr<QMimeData> data, QPoint at,
                                         Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction |
                                                                   Qt::LinkAction) {
        return Drop(data.get(), at, actions);
    }
    static std::unique_ptr<QMimeData> UriList(const std::vector<std::string>& lines) {
        auto data = std::make_unique<QMimeData>();
        std::string list;
        for (const std::string& line : lines)
            list += line + "\r\n";
        data->setData("text/uri-list", QByteArray::fromStdString(list));
        return data;
    }
    static std::string FileUri(const std::string& path) { return "file://" + PercentEncode(path); }
    // Press on node, hold until the drag may begin, and answer the drag's data, which has
    // entered the tree where the drag began.
    QMimeData* StartTreeDrag(const TreeNode* node) {
        Press(node);
        EXPECT_TRUE(front->TimerDrag()->isActive());
        EXPECT_TRUE(test::WaitUntil([&] { return !front->TimerDrag()->isActive(); }, 2000));
        QMimeData* data = front->TreeDragMimeData();
        QDragEnterEvent enter(PointOf(node), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        return data;
    }

    std::string doc, script;
    TFormFront* front = nullptr;
};

TEST_F(DragDropTest, PressSelectsAndOnlyAHeldPressOnAnItemStartsTheDragTimer) {
    StartWithSample();
    TSideColumn& side = *front->Side();
    Press(Named("Web"));
    EXPECT_EQ(front->SelectedNode(), Named("Web")) << "the press selects first";
    EXPECT_EQ(side.edtFileCap->text(), "Web");
    EXPECT_EQ(front->DragSource(), Named("Web"));
    EXPECT_TRUE(front->TimerDrag()->isActive());
    EXPECT_EQ(front->TimerDrag()->interval(), 150);
    Release(PointOf(Named("Web")));
    EXPECT_FALSE(front->TimerDrag()->isActive()) << "a short click never drags";

    Press(front->Store().RootTopMarker());
    EXPECT_FALSE(front->TimerDrag()->isActive()) << "never from a top marker";
    Release(PointOf(front->Store().RootTopMarker()));
    Press(Named("Script"), Qt::RightButton);
    EXPECT_EQ(front->SelectedNode(), Named("Script"));
    EXPECT_FALSE(front->TimerDrag()->isActive());
    Mouse(QEvent::MouseButtonRelease, PointOf(Named("Script")), Qt::RightButton, Qt::NoButton);

    // Held long enough, a move of 8 pixels begins the drag (the offscreen platform ends it at
    // once); moving with the button held selects nothing on the way.
    Press(Named("Web"));
    ASSERT_TRUE(test::WaitUntil([&] { return !front->TimerDrag()->isActive(); }, 2000));
    const QPoint from = PointOf(Named("Web"));
    Mouse(QEvent::MouseMove, PointOf(Named("Script")), Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, from + QPoint(0, 9), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(front->SelectedNode(), Named("Web"));
    Release(from);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"", "Tools", "Web", "Inner", "Script"}));
}

TEST_F(DragDropTest, DragsFollowThePlacementRuleAndFoldersOpenWhenThePointerRests) {
    StartWithSample();
    TreeNode* tools = Named("Tools");
    TreeNode* inner = Named("Inner", tools);

    // A link goes right after whatever it is dropped on, here a folder: after it, not into it.
    QMimeData* data = StartTreeDrag(Named("Script"));
    EXPECT_TRUE(DragOver(data, PointOf(tools)));
    auto [accepted, action] = Drop(data, PointOf(tools), Qt::MoveAction);
    delete data;
    EXPECT_TRUE(accepted);
    EXPECT_EQ(action, Qt::MoveAction);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"", "Tools", "Script", "Web", "Inner"}));
    EXPECT_EQ(front->SelectedNode(), Named("Script"));
    EXPECT_EQ(front->Side()->edtFileCap->text(), "Script");
    EXPECT_TRUE(front->Store().HasUnsavedChanges());
    Release(PointOf(Named("Script")));

    // Resting on a collapsed folder opens it after 400 ms (and selects it); the drop on its top
    // marker puts the link first in it, and the link is selected again.
    data = StartTreeDrag(Named("Web"));
    const QModelIndex toolsIndex = front->TreeModel()->IndexOf(tools);
    ASSERT_FALSE(front->tvItems()->isExpanded(toolsIndex));
    EXPECT_TRUE(DragOver(data, PointOf(tools)));
    EXPECT_TRUE(front->TimerExpand()->isActive());
    EXPECT_EQ(front->TimerExpand()->interval(), 400);
    ASSERT_TRUE(test::WaitUntil([&] { return front->tvItems()->isExpanded(toolsIndex); }, 2000));
    EXPECT_EQ(front->SelectedNode(), tools);
    EXPECT_FALSE(front->tvItems()->isExpanded(front->TreeModel()->IndexOf(inner)))
        << "one level only";
    EXPECT_TRUE(Drop(data, PointOf(tools->FirstChild()), Qt::MoveAction).first);
    delete data;
    EXPECT_EQ(Texts(tools), (std::vector<std::string>{"", "Web", "Doc", "Inner"}));
    EXPECT_EQ(front->SelectedNode(), Named("Web", tools));
    Release(PointOf(Named("Web", tools)));

    // A folder is refused inside itself and beside a level's item of its name (the root holds
    // a link "Inner"): the no-drop answer, no opening, and the drop changes nothing.
    data = StartTreeDrag(tools);
    EXPECT_TRUE(DragOver(data, PointOf(Named("Script"))));
    EXPECT_TRUE(DragOver(data, EmptySpace())) << "over no item the answer stays as it was";
    EXPECT_FALSE(DragOver(data, PointOf(Named("Doc", tools))));
    EXPECT_FALSE(DragOver(data, EmptySpace()));
    delete data;
    Release(PointOf(tools));
    data = StartTreeDrag(inner);
    EXPECT_FALSE(DragOver(data, PointOf(Named("Script"))));
    EXPECT_FALSE(DragOver(data, PointOf(tools))) << "a folder that refuses is not opened";
    EXPECT_FALSE(front->TimerExpand()->isActive());
    EXPECT_FALSE(Drop(data, PointOf(Named("Inner")), Qt::MoveAction).first);
    EXPECT_EQ(Texts(tools), (std::vector<std::string>{"", "Web", "Doc", "Inner"}));
    // Within its own level it may go anywhere.
    EXPECT_TRUE(Drop(data, PointOf(tools->FirstChild()), Qt::MoveAction).first);
    EXPECT_EQ(Texts(tools), (std::vector<std::string>{"", "Inner", "Web", "Doc"}));
    // A release over empty space does nothing.
    EXPECT_FALSE(Drop(data, EmptySpace(), Qt::MoveAction).first);
    delete data;
    Release(PointOf(Named("Inner", tools)));
    EXPECT_EQ(Texts(tools), (std::vector<std::string>{"", "Inner", "Web", "Doc"}));
}

TEST_F(DragDropTest, FilesFoldersEntriesAndAddressesDroppedFromOtherProgramsBecomeLinks) {
    const std::string bin = temp.mkdir("bin");
    const std::string tool = temp.write("bin/pw-tool", "#!/bin/sh\n");
    test::MakeExecutable(tool);
    const std::string blank = temp.write("files/with blank.txt", "x");
    const std::string pics = temp.mkdir("files/pics");
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(qRgb(255, 0, 0));
    const std::string picture = temp.file("files/red.png");
    ASSERT_TRUE(red.save(QString::fromStdString(picture)));
    const std::string entry =
        temp.write("files/tool.desktop", "[Desktop Entry]\nName=The Tool\nExec=" + tool +
                                             " --go %U\nPath=/srv\nIcon=" + picture + "\n");
    StartWithSample();
    TreeNode* web = Named("Web");
    const int count = front->Store().tvItems.Count();

    // Several files at once on one item: each goes directly after it, so the last one is first;
    // what is no local file or web address, or is gone, adds nothing.
    auto [accepted, action] =
        Drop(UriList({FileUri(blank), FileUri(pics), FileUri(entry), "https://example.org/page",
                      "smb://server/share/x.txt", FileUri(temp.path() + "files/gone.txt")}),
             PointOf(web));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(action, Qt::CopyAction) << "never a move: the file manager keeps its files";
    EXPECT_EQ(front->Store().tvItems.Count(), count + 4);
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"", "Tools", "Web", "https://example.org/page", "The Tool",
                                        "pics", "with blank", "Inner", "Script"}));
    EXPECT_EQ(front->SelectedNode(), Named("https://example.org/page"));
    const items::ItemStore& store = front->Store();
    const TreeNode* toolLink = Named("The Tool");
    EXPECT_EQ(store.Attributes.Path(toolLink->Data), tool);
    EXPECT_EQ(store.GetItemParams(toolLink->Data), "--go");
    EXPECT_EQ(store.GetItemWorkDir(toolLink->Data), "/srv/");
    EXPECT_EQ(Named("pics")->ImageIndex, items::kImageDirectoryLink);
    EXPECT_EQ(store.Attributes.Path(Named("with blank")->Data), blank);
    EXPECT_GT(Named("with blank")->ImageIndex, store.Images.ExtractEnd) << "its own icon";
    EXPECT_EQ(store.Images.ilPublicPM.At(toolLink->ImageIndex).At(8, 8), 0xFFFF0000u)
        << "the entry's Icon=";

    // Below the last row: after the top marker of the selected item's folder.
    front->tvItems()->expand(front->TreeModel()->IndexOf(Named("Tools")));
    front->SelectNode(Named("Doc", Named("Tools")));
    EXPECT_TRUE(Drop(UriList({FileUri(doc)}), EmptySpace()).first);
    EXPECT_EQ(Texts(Named("Tools")), (std::vector<std::string>{"", "doc", "Doc", "Inner"}));
    EXPECT_EQ(front->SelectedNode()->Text, "doc");

    // Nothing that could become a broken link, and nothing from a source that only moves.
    const int now = front->Store().tvItems.Count();
    EXPECT_FALSE(Drop(UriList({}), PointOf(web)).first);
    EXPECT_FALSE(
        Drop(UriList({"file:///a%0Ab.txt", "file:///%FF.txt", "mailto:x@y.example"}), PointOf(web))
            .first);
    auto text = std::make_unique<QMimeData>();
    text->setText("just some words");
    EXPECT_FALSE(Drop(std::move(text), PointOf(web)).first);
    EXPECT_FALSE(Drop(UriList({FileUri(doc)}), PointOf(web), Qt::MoveAction).first);
    auto other = std::make_unique<QMimeData>();
    other->setData(TFormFront::kTreeItemFormat, "12345-1"); // another program's drag of its own
    EXPECT_FALSE(Drop(std::move(other), PointOf(web)).first);
    EXPECT_EQ(front->Store().tvItems.Count(), now);
    // A web address dragged from a browser as text.
    auto address = std::make_unique<QMimeData>();
    address->setText("https://www.example.org/text");
    EXPECT_TRUE(Drop(std::move(address), PointOf(web)).first);
    EXPECT_EQ(web->NextSibling()->Text, "https://www.example.org/text");

    // Saved, the links are records of the shortcut files.
    front->miSaveSharedClick(front->pmSaveOptions()->actions().at(0));
    const std::string saved = temp.read("home/Documents/Halvorn-Ek/Pathwick/shortcuts/"
                                        "shortcuts-utf8.txt");
    EXPECT_NE(saved.find("^ExeLnk|" + tool + "|--go|pw-tool.bmp|The Tool|/srv/|\r\n^UnkLnk|" +
                         ExcludeTrailingSeparator(pics) + "||pics|\r\n^UnkLnk|" + blank +
                         "|txt|with blank|\r\n"),
              std::string::npos)
        << saved;
    EXPECT_TRUE(FileExists(Root() + "pw-tool.bmp"));
}

// Answers the next modal dialog of type T once it shows; any other modal widget, or none within
// 20 seconds, fails the test (and is closed, so that nothing waits for ever).
template <typename T> void OnNextDialog(std::function<void(T*)> answer, int tries = 2000) {
    QTimer::singleShot(10, [answer, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(modal)) {
            answer(dialog);
            QTimer::singleShot(5000, [open = QPointer<QDialog>(dialog)] {
                if (open && open->isVisible()) {
                    ADD_FAILURE() << "the dialog did not take the answer";
                    open->reject();
                }
            });
            return;
        }
        if (modal || tries == 0) {
            ADD_FAILURE() << "expected dialog missing; modal widget: "
                          << (modal ? modal->metaObject()->className() : "none");
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
            return;
        }
        OnNextDialog<T>(answer, tries - 1);
    });
}

// Types a whole path into a file dialog's name box and accepts it, as a user may.
void TypeInto(QFileDialog* dialog, const std::string& path) {
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->setText(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();
}

TEST_F(DragDropTest, FindAndAttachOfFilesFoldersAndWebAddresses) {
    const std::string versioned = temp.mkdir("files/release.v2");
    StartWithSample();
    TSideColumn& s = *front->Side();
    const TreeNode* top = front->Store().RootTopMarker();

    // A file: the open-file dialog, the link first in the menu with its own icon.
    s.rbFile->setChecked(true);
    bool seen = false;
    OnNextDialog<QFileDialog>([&](QFileDialog* d) {
        seen = d->fileMode() == QFileDialog::ExistingFile &&
               d->testOption(QFileDialog::DontResolveSymlinks);
        TypeInto(d, script);
    });
    s.BitBtnAttach->click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(top->NextSibling()->Text, "run");
    EXPECT_EQ(front->SelectedNode(), top->NextSibling());
    EXPECT_EQ(s.edtFilePathName->text().toStdString(), script);
    EXPECT_TRUE(s.edtFileParams->isEnabled()) << "a script takes params";
    OnNextDialog<QFileDialog>([](QFileDialog* d) { d->reject(); });
    const int count = front->Store().tvItems.Count();
    s.BitBtnAttach->click();
    EXPECT_EQ(front->Store().tvItems.Count(), count) << "cancelled";

    // A folder on disk: the folder browser titled "Pathwick"; the caption ends before the dot.
    s.rbFileDirectory->setChecked(true);
    front->SelectNode(top);
    OnNextDialog<QFileDialog>([&](QFileDialog* d) {
        seen = d->windowTitle() == "Pathwick" && d->fileMode() == QFileDialog::Directory &&
               d->testOption(QFileDialog::ShowDirsOnly);
        TypeInto(d, ExcludeTrailingSeparator(versioned));
    });
    s.BitBtnAttach->click();
    EXPECT_TRUE(seen);
    const TreeNode* folder = top->NextSibling();
    EXPECT_EQ(folder->Text, "release");
    EXPECT_EQ(folder->ImageIndex, items::kImageDirectoryLink);
    EXPECT_EQ(front->Store().Attributes.Path(folder->Data), ExcludeTrailingSeparator(versioned));

    // A web address: the input box titled like the kind, prompted like the path label.
    s.rbInternet->setChecked(true);
    QString title, prompt, offered;
    OnNextDialog<QInputDialog>([&](QInputDialog* d) {
        title = d->windowTitle();
        prompt = d->labelText();
        offered = d->textValue();
        d->setTextValue("ftp://files.example/pub/");
        d->accept();
    });
    s.BitBtnAttach->click();
    EXPECT_EQ(title, "Internet and web");
    EXPECT_EQ(prompt, "Path");
    EXPECT_TRUE(items::IsWebAddress(offered.toStdString()));
    const TreeNode* web = front->SelectedNode();
    EXPECT_EQ(web->Text, "ftp://files.example/pub/");
    EXPECT_EQ(web->ImageIndex, front->Store().Images.TypeIconIndex("url"));
    const int withWeb = front->Store().tvItems.Count();
    OnNextDialog<QInputDialog>([](QInputDialog* d) {
        d->setTextValue("plain word");
        d->accept();
    });
    s.BitBtnAttach->click();
    EXPECT_EQ(front->Store().tvItems.Count(), withWeb) << "no web address, no link, no message";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The dialogs speak the culture's language.
    module->SetLanguage("de-de", false);
    s.rbFile->setChecked(true);
    QStringList filters;
    OnNextDialog<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        d->reject();
    });
    s.BitBtnAttach->click();
    EXPECT_EQ(filters, QStringList{"Alle Dateien (*)"});
    s.rbInternet->setChecked(true);
    OnNextDialog<QInputDialog>([&](QInputDialog* d) {
        title = d->windowTitle();
        prompt = d->labelText();
        d->reject();
    });
    s.BitBtnAttach->click();
    EXPECT_EQ(title, "Internet und Web");
    EXPECT_EQ(prompt, "Pfad");
    module->SetLanguage("en-us", false);
}

TEST_F(DragDropTest, AddRequestsOfPathwickCtlJoinTheTreeAndAreSaved) {
    StartWithSample();
    const std::string extra = temp.write("files/extra.txt", "x");
    auto request = [&](const std::string& data, const std::string& folder,
                       const std::string& argument) {
        return module->ProgramRequest("ADD " + QByteArray::fromStdString(PercentEncode(data)) +
                                      ' ' + QByteArray::fromStdString(PercentEncode(folder)) + ' ' +
                                      QByteArray::fromStdString(PercentEncode(argument)));
    };
    EXPECT_EQ(request(dataFolder, "Nope", extra), "NOFOLDER");
    EXPECT_EQ(request(dataFolder, "Tools", temp.path() + "files/gone.txt").left(8), "REFUSED ");
    EXPECT_EQ(request(temp.path() + "other/", "Tools", extra), "ELSEWHERE");

    // Nothing unsaved: added at the end of the folder, saved, and in the popup at once.
    EXPECT_EQ(request(dataFolder, "tools", extra), "ADDED 1");
    EXPECT_FALSE(front->Store().HasUnsavedChanges());
    EXPECT_EQ(Texts(Named("Tools")), (std::vector<std::string>{"", "Doc", "Inner", "extra"}));
    EXPECT_NE(temp.read("home/Documents/Halvorn-Ek/Pathwick/shortcuts/Tools/shortcuts-utf8.txt")
                  .find("^UnkLnk|" + extra + "|txt|extra|"),
              std::string::npos);
    QMenu* tools = nullptr;
    for (QAction* a : front->pmItems()->actions())
        if (a->text() == "Tools")
            tools = a->menu();
    ASSERT_NE(tools, nullptr);
    emit tools->aboutToShow();
    bool inPopup = false;
    for (QAction* a : tools->actions())
        inPopup = inPopup || a->text() == "extra";
    EXPECT_TRUE(inPopup);

    // With unsaved edits in the window the links join them and nothing is saved.
    front->SelectNode(Named("Web"));
    front->Side()->BitBtnDelete->click();
    const std::string before = temp.read("home/Documents/Halvorn-Ek/Pathwick/shortcuts/"
                                         "shortcuts-utf8.txt");
    EXPECT_EQ(request(dataFolder, "", "https://new.example/"), "KEPT 1");
    EXPECT_EQ(Texts().back(), "https://new.example/");
    EXPECT_EQ(temp.read("home/Documents/Halvorn-Ek/Pathwick/shortcuts/shortcuts-utf8.txt"), before);

    // While a dialog is open the tree is left alone.
    front->Side()->rbInternet->setChecked(true);
    QByteArray busy;
    OnNextDialog<QInputDialog>([&](QInputDialog* d) {
        busy = request(dataFolder, "", extra);
        d->reject();
    });
    front->Side()->BitBtnAttach->click();
    EXPECT_EQ(busy, "BUSY");
}

} // namespace
} // namespace pw
