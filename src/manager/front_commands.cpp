// The main window's Tools buttons, the selection of tvItems and the command
// states. Every handler hands the selected node to the editing rules of the item store and
// tells the tree view what changed.
#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include "framework/ui/data_module.h"
#include "items/item_editing.h"
#include "items/item_rules.h"
#include "manager/form_front.h"
#include "manager/item_tree_model.h"
#include "manager/side_column.h"
#include "menu/launching.h"
#include "util/paths.h"

namespace pw {

using items::TreeNode;

void TFormFront::ConnectButtons() {
    TSideColumn& s = *side_;
    connect(s.BitBtnMoveUp, &QPushButton::clicked, this, &TFormFront::BitBtnMoveUpClick);
    connect(s.BitBtnMoveDown, &QPushButton::clicked, this, &TFormFront::BitBtnMoveDownClick);
    connect(s.BitBtnCut, &QPushButton::clicked, this, &TFormFront::BitBtnCutClick);
    connect(s.BitBtnCopy, &QPushButton::clicked, this, &TFormFront::BitBtnCopyClick);
    connect(s.BitBtnPaste, &QPushButton::clicked, this, &TFormFront::BitBtnPasteClick);
    connect(s.BitBtnDelete, &QPushButton::clicked, this, &TFormFront::BitBtnDeleteClick);
    connect(s.BitBtnSweep, &QPushButton::clicked, this, &TFormFront::BitBtnSweepClick);
    connect(s.BitBtnUndo, &QPushButton::clicked, this, &TFormFront::BitBtnUndoClick);
    connect(s.BitBtnSave, &QPushButton::clicked, this, &TFormFront::BitBtnSaveClick);
    connect(s.BitBtnHelp, &QPushButton::clicked, this, &TFormFront::BitBtnHelpClick);
    connect(s.BitBtnLaunch, &QPushButton::clicked, this, &TFormFront::BitBtnLaunchClick);
    connect(s.BitBtnClose, &QPushButton::clicked, this, &TFormFront::BitBtnCloseClick);
    connect(s.BitBtnAttach, &QPushButton::clicked, this, &TFormFront::BitBtnAttachClick);
}

void TFormFront::ConnectControls() {
    connect(tvItems_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { tvItemsCurrentChanged(); });
    // An expanded folder shows the open folder, a collapsed one the closed folder.
    auto folderPicture = [this](const QModelIndex& index, int picture) {
        TreeNode* node = treeModel_->NodeOf(index);
        if (items::IsFolder(node)) {
            node->SelectedIndex = picture;
            treeModel_->NodeChanged(node);
        }
    };
    connect(tvItems_, &QTreeView::expanded, this,
            [folderPicture](const QModelIndex& i) { folderPicture(i, items::kImageFolderOpen); });
    connect(tvItems_, &QTreeView::collapsed, this,
            [folderPicture](const QModelIndex& i) { folderPicture(i, items::kImageFolder); });
    // The states are current whenever the user can act: at every idle moment of the loop.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] {
                if (isVisible())
                    UpdateCommandStates();
            });
}

TreeNode* TFormFront::SelectedNode() const {
    return treeModel_ ? treeModel_->NodeOf(tvItems_->currentIndex()) : nullptr;
}

void TFormFront::SelectNode(const TreeNode* node) {
    const QModelIndex index = treeModel_->IndexOf(node);
    if (index == tvItems_->currentIndex()) {
        tvItemsCurrentChanged(); // the same node: its fields and states are shown afresh
    } else {
        tvItems_->setCurrentIndex(index);
    }
    // A hidden tree is not laid out for it: the window shows the top of the tree when it opens.
    if (index.isValid() && tvItems_->isVisible())
        tvItems_->scrollTo(index);
}

void TFormFront::tvItemsCurrentChanged() {
    if (!reactToSelection_)
        return;
    ShowItemFields(SelectedNode());
    UpdateCommandStates();
}

void TFormFront::ResetSelection() {
    store_->ResetSelection();
    SelectNode(store_->RootTopMarker());
    RefreshTreePictures();
    UpdateCommandStates();
}

void TFormFront::UpdateCommandStates() {
    if (!side_ || !store_)
        return;
    const items::CommandStates s = items::UpdateCommandStates(*store_, SelectedNode());
    TSideColumn& c = *side_;
    const std::pair<QWidget*, bool> states[] = {
        {c.BitBtnCut, s.Cut},       {c.BitBtnCopy, s.Copy},         {c.BitBtnPaste, s.Paste},
        {c.BitBtnDelete, s.Delete}, {c.BitBtnAttach, s.Attach},     {c.BitBtnLaunch, s.Launch},
        {c.BitBtnMoveUp, s.MoveUp}, {c.BitBtnMoveDown, s.MoveDown}, {c.btnFilePathName, s.Set},
        {c.BitBtnSweep, s.Clean},   {c.BitBtnUndo, s.Undo},         {c.BitBtnSave, s.Save},
        {c.BitBtnHelp, s.Help},     {c.BitBtnClose, s.Close},
    };
    for (const auto& [widget, enabled] : states)
        if (widget->isEnabled() != enabled)
            widget->setEnabled(enabled);
}

void TFormFront::RefreshTreePictures() {
    // The cut mark is drawn from the store's paste source: the view paints it afresh.
    tvItems_->viewport()->update();
}

void TFormFront::BitBtnMoveUpClick() {
    TreeNode* node = SelectedNode();
    if (!items::CanMoveUp(node))
        return;
    reactToSelection_ = false;
    treeModel_->MoveNode(node, node->Parent, node->PrevSibling()->Index(),
                         [&] { items::MoveItemUp(*store_, node); });
    reactToSelection_ = true;
    SelectNode(node);
}

void TFormFront::BitBtnMoveDownClick() {
    TreeNode* node = SelectedNode();
    if (!items::CanMoveDown(node))
        return;
    TreeNode* next = node->NextSibling();
    reactToSelection_ = false;
    treeModel_->MoveNode(next, node->Parent, node->Index(),
                         [&] { items::MoveItemDown(*store_, node); });
    reactToSelection_ = true;
    SelectNode(node);
}

void TFormFront::BitBtnCutClick() {
    if (items::CutItem(*store_, SelectedNode()))
        RefreshTreePictures();
    UpdateCommandStates();
}

void TFormFront::BitBtnCopyClick() {
    if (items::CopyItem(*store_, SelectedNode()))
        RefreshTreePictures();
    UpdateCommandStates();
}

void TFormFront::BitBtnPasteClick() {
    TreeNode* target = SelectedNode();
    TreeNode* source = store_->PasteSource;
    if (!items::CanPlaceAfter(source, target))
        return;
    TreeNode* pasted = nullptr;
    const auto paste = [&] { pasted = items::PasteItem(*store_, target); };
    reactToSelection_ = false;
    if (!store_->PasteSourceCut)
        treeModel_->InsertNode(target->Parent, target->Index() + 1, paste);
    else if (source == target)
        paste();
    else
        treeModel_->MoveNode(source, target->Parent, target->Index() + 1, paste);
    reactToSelection_ = true;
    RefreshTreePictures();
    SelectNode(pasted ? pasted : target);
}

void TFormFront::BitBtnDeleteClick() {
    TreeNode* node = SelectedNode();
    if (!items::CanCutOrDelete(node))
        return;
    TreeNode* next = nullptr;
    reactToSelection_ = false;
    treeModel_->RemoveNode(node, [&] { next = items::DeleteItem(*store_, node); });
    reactToSelection_ = true;
    SelectNode(next);
}

void TFormFront::BitBtnSweepClick() {
    TreeNode* selected = SelectedNode();
    if (!selected)
        return;
    reactToSelection_ = false;
    treeModel_->Reset([&] { items::CleanItems(*store_, selected); });
    reactToSelection_ = true;
    ResetSelection();
}

void TFormFront::RestoreSavedCopy() {
    reactToSelection_ = false;
    treeModel_->Reset([this] {
        items::RestoreSavedCopy(*store_);
        tvIcons_.Reset();
        pmIcons_.Reset();
    });
    reactToSelection_ = true;
    ResetSelection();
}

void TFormFront::BitBtnUndoClick() {
    RestoreSavedCopy();
}

void TFormFront::BitBtnLaunchClick() {
    const TreeNode* node = SelectedNode();
    if (items::CanStart(node))
        LaunchItem(node->Data);
}

void TFormFront::BitBtnHelpClick() {
    // The help pages beside the program, in the default browser; a missing page shows nothing.
    const std::string page = Module()->Paths().ProgramFolder + "help/index.html";
    if (FileExists(page))
        OpenDocument(page);
}

} // namespace pw
