// The main window's save choice and save command.
#include <QApplication>
#include <QMenu>
#include <QTreeView>

#include "lang/ui/message_dialog.h"
#include "manager/form_front.h"
#include "manager/item_tree_model.h"
#include "manager/save_messages.h"
#include "menu/menus_painter.h"
#include "menu/popup_at_cursor.h"
#include "menu/popup_menu.h"

namespace pw {

namespace {
// At most this many folders are named in the message; the log has them all.
constexpr size_t kNamedFolders = 8;

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
} // namespace

void TFormFront::CreateSaveChoice() {
    pmSaveOptions_ = new QMenu();
    pmSaveOptions_->setObjectName("pmSaveOptions");
    pmSaveOptions_->setWindowTitle(QStringLiteral("Pathwick save choice"));
    miSaveNormal_ = pmSaveOptions_->addAction(QStringLiteral("Save"));
    miSaveNormal_->setObjectName("miSaveNormal");
    pmSaveOptions_->addSeparator();
    miSaveRefreshCache_ = pmSaveOptions_->addAction(QStringLiteral("Save and refresh image cache"));
    miSaveRefreshCache_->setObjectName("miSaveRefreshCache");
    for (QAction* entry : {miSaveNormal_, miSaveRefreshCache_})
        connect(entry, &QAction::triggered, this, [this, entry] { miSaveSharedClick(entry); });
}

void TFormFront::BitBtnSaveClick() {
    PopupAtCursor(pmSaveOptions_, this);
}

items::SaveOutcome TFormFront::SaveItemsNow(items::SaveChoice choice) {
    items::TreeNode* selected = SelectedNode();
    items::SaveOutcome out;
    ++busy_;
    reactToSelection_ = false;
    treeModel_->Reset([&] {
        out = store_->Save(choice);
        pmIcons_.Reset();
        tvIcons_.Reset();
    });
    reactToSelection_ = true;
    --busy_;
    if (out.Reloaded) {
        builder_->Build(pmItemsMenu_, store_->pmItems);
        builder_->ApplyMenuDrawing(pmItemsMenu_, painter_ && !painter_->UseStandardFont);
        ResetSelection();
    } else {
        SelectNode(selected); // the tree is as it was: the edits stay for another try
    }
    return out;
}

void TFormFront::miSaveSharedClick(QAction* entry) {
    const WaitCursor wait;
    const items::SaveChoice choice = entry == miSaveRefreshCache_
                                         ? items::SaveChoice::RefreshImageCache
                                         : items::SaveChoice::Normal;
    const items::SaveOutcome out = SaveItemsNow(choice);
    if (out.Saved)
        return;
    QString text = MessageText(kSaveErrorFolders.key, kSaveErrorFolders.english) + "\r\n";
    for (size_t i = 0; i < out.FailedFolders.size() && i < kNamedFolders; ++i)
        text += "\r\n" + QString::fromStdString(out.FailedFolders[i]);
    if (out.FailedFolders.size() > kNamedFolders)
        text += "\r\n...";
    const FrontMessage& after = out.DiskRestored ? kSaveErrorRestored : kSaveErrorNotRestored;
    text += "\r\n\r\n" + MessageText(after.key, after.english);
    for (const std::string& folder : out.FailedFolders)
        store_->Log(folder, items::kLogSaveNodes);
    ShowMessageDialog(text, MsgDlgType::Error, QMessageBox::Ok);
}

} // namespace pw
