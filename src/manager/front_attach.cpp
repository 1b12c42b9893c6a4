// The main window's Add item group: files, folders on disk, web addresses, separators and menu
// folders attached after the selected item; and the links pathwick-ctl add hands to the running
// program.
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QRadioButton>
#include <QTreeView>

#include "framework/ui/data_module.h"
#include "items/item_attach.h"
#include "items/item_editing.h"
#include "items/item_log.h"
#include "items/item_rules.h"
#include "items/link_from_file.h"
#include "manager/form_front.h"
#include "manager/item_tree_model.h"
#include "manager/side_column.h"
#include "util/paths.h"
#include "util/uri_list.h"

namespace pw {

using items::TreeNode;

namespace {

// The web address the input box offers at first.
constexpr const char* kSampleWebAddress = "https://www.example.org/";

// A caption without its accelerator marks ("&&" stays one "&").
QString WithoutAccelerator(QString caption) {
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

// Counts a nested dialog or command for Busy().
class BusyScope {
public:
    explicit BusyScope(int& count) : count_(count) { ++count_; }
    ~BusyScope() { --count_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& count_;
};

QByteArray Word(std::string_view text) {
    return QByteArray::fromStdString(PercentEncode(text));
}

} // namespace

bool TFormFront::Busy() const {
    return busy_ > 0 || QApplication::activeModalWidget() || QApplication::activePopupWidget();
}

TreeNode* TFormFront::InsertLink(TreeNode* anchor, const items::LinkPlan& plan) {
    if (!plan || !items::CanBeTarget(anchor))
        return nullptr;
    TreeNode* created = nullptr;
    reactToSelection_ = false;
    treeModel_->InsertNode(anchor->Parent, anchor->Index() + 1,
                           [&] { created = items::AttachLink(*store_, anchor, plan); });
    reactToSelection_ = true;
    if (created)
        SelectNode(created);
    return created;
}

void TFormFront::BitBtnAttachClick() {
    TreeNode* anchor = SelectedNode();
    if (!items::CanBeTarget(anchor))
        return;
    const TSideColumn& s = *side_;
    if (s.rbFile->isChecked()) {
        AttachFile();
        return;
    }
    if (s.rbFileDirectory->isChecked()) {
        AttachDirectory();
        return;
    }
    if (s.rbInternet->isChecked()) {
        AttachInternet();
        return;
    }
    TreeNode* created = nullptr;
    std::function<void()> attach;
    if (s.rbSeparator->isChecked())
        attach = [&] { created = items::AttachSeparator(*store_, anchor); };
    else if (s.rbFolder->isChecked())
        attach = [&] { created = items::AttachMenuFolder(*store_, anchor); };
    else
        return;
    reactToSelection_ = false;
    treeModel_->InsertNode(anchor->Parent, anchor->Index() + 1, attach);
    reactToSelection_ = true;
    SelectNode(created ? created : anchor);
}

void TFormFront::AttachFile() {
    QFileDialog dialog(this);
    dialog.setObjectName("OpenDialogAdd");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // A chosen shortcut comes back itself; following it is CreateLinkFromFile's part.
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    dialog.setNameFilter(MessageText("OpenDialogAddFilter", "All Files (*)"));
    dialog.setSizeGripEnabled(true);
    int result = QDialog::Rejected;
    {
        const BusyScope busy(busy_);
        result = dialog.exec();
    }
    const QStringList chosen = dialog.selectedFiles();
    if (result != QDialog::Accepted || chosen.isEmpty())
        return;
    const items::LinkPlan plan =
        items::PlanLinkFromFile(QFile::encodeName(chosen.front()).toStdString());
    if (!plan)
        store_->Log(plan.source + ": " + plan.refusal, items::kLogDropFiles);
    InsertLink(SelectedNode(), plan);
}

void TFormFront::AttachDirectory() {
    QFileDialog dialog(this, QStringLiteral("Pathwick"));
    dialog.setObjectName("FolderBrowser");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    // File-system folders only, and no button that makes a new folder.
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    int result = QDialog::Rejected;
    {
        const BusyScope busy(busy_);
        result = dialog.exec();
    }
    const QStringList chosen = dialog.selectedFiles();
    if (result != QDialog::Accepted || chosen.isEmpty() || chosen.front().isEmpty())
        return;
    const items::LinkPlan plan =
        items::PlanDirectoryLink(QFile::encodeName(chosen.front()).toStdString());
    if (!plan)
        store_->Log(plan.source + ": " + plan.refusal, items::kLogDropFiles);
    InsertLink(SelectedNode(), plan);
}

void TFormFront::AttachInternet() {
    QInputDialog dialog(this);
    dialog.setObjectName("InputBoxInternet");
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(WithoutAccelerator(side_->rbInternet->text()));
    dialog.setLabelText(WithoutAccelerator(side_->lblFilePath->text()));
    dialog.setTextValue(QString::fromLatin1(kSampleWebAddress));
    int result = QDialog::Rejected;
    {
        const BusyScope busy(busy_);
        result = dialog.exec();
    }
    if (result != QDialog::Accepted)
        return;
    // A text that is no web address attaches nothing, without a message.
    InsertLink(SelectedNode(), items::PlanWebLink(dialog.textValue().toStdString()));
}

QByteArray TFormFront::AddLinksRequest(const QList<QByteArray>& words) {
    if (words.size() < 3)
        return "REFUSED " + Word("") + ' ' + Word("nothing to add");
    if (Busy())
        return "BUSY";
    auto decoded = [&](qsizetype i) {
        return PercentDecode(
            std::string_view(words[i].constData(), static_cast<size_t>(words[i].size())));
    };
    const std::string data = IncludeTrailingSeparator(decoded(0));
    if (LongPathName(data) != LongPathName(Module()->Paths().UserDataFolder))
        return "ELSEWHERE";
    std::vector<items::LinkPlan> plans;
    for (qsizetype i = 2; i < words.size(); ++i) {
        items::LinkPlan plan = items::PlanLinkFromArgument(decoded(i), "/");
        if (!plan) {
            store_->Log(plan.source + ": " + plan.refusal, items::kLogAddRequest);
            return "REFUSED " + Word(plan.source) + ' ' + Word(plan.refusal);
        }
        plans.push_back(std::move(plan));
    }
    TreeNode* folder = nullptr;
    if (!items::FindMenuFolder(store_->tvItems, decoded(1), folder))
        return "NOFOLDER";

    const BusyScope busy(busy_);
    const bool unsaved = store_->HasUnsavedChanges();
    TreeNode* selected = SelectedNode();
    reactToSelection_ = false;
    for (const items::LinkPlan& plan : plans) {
        TreeNode* anchor = items::LastNodeOfLevel(store_->tvItems, folder);
        treeModel_->InsertNode(folder, anchor->Index() + 1,
                               [&] { items::AttachLink(*store_, anchor, plan); });
    }
    reactToSelection_ = true;
    const QByteArray count = QByteArray::number(static_cast<qsizetype>(plans.size()));
    if (unsaved) {
        // The window holds edits of its own: the links join them, and the user saves.
        SelectNode(selected);
        return "KEPT " + count;
    }
    const items::SaveOutcome out = SaveItemsNow(items::SaveChoice::Normal);
    if (!out.Saved) {
        for (const std::string& failed : out.FailedFolders)
            store_->Log(failed, items::kLogSaveNodes);
        return "SAVEFAILED " + count;
    }
    return "ADDED " + count;
}

} // namespace pw
