#pragma once
// TFormFront: the main window. It owns the item store with its three mirrors, the image lists,
// the menu painter and the popup; it is created hidden and serves as the manager window.
//
// The window is thin: the editing rules, the field rules and the command states live in the
// item store's core (items/item_editing.h, items/item_fields.h); the handlers here hand them the
// selected node and show the result. Its parts live in their own files:
//   form_front.cpp      construction, loading, translation, window state, showing and closing
//   front_tray.cpp      tray icon, hot key, the popup's entries and the language menu
//   front_commands.cpp  the Tools and Add item buttons, the selection and the command states
//   front_fields.cpp    the edit fields of the selected item
//   front_save.cpp      the save choice and the save command
//   front_drag_drop.cpp moving items by dragging them, and files dropped from other programs
//   front_attach.cpp    attaching files, folders on disk and web addresses, and the links that
//                       pathwick-ctl add hands to the running program
//   side_column.*       the side column's groups and controls

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <memory>

#include "framework/ui/form_base.h"
#include "items/image_list.h"
#include "items/item_store.h"
#include "items/items_backup.h"
#include "menu/image_list_icons.h"

class QDragMoveEvent;
class QDropEvent;
class QMenu;
class QMimeData;
class QMouseEvent;
class QScrollArea;
class QSplitter;
class QSystemTrayIcon;
class QTimer;
class QTreeView;
class QAction;

namespace pw {

namespace items {
struct LinkPlan;
}
class GlobalHotKey;
class TItemTreeModel;
class TSideColumn;
class ThvHintStatusBar;
enum class TranslateStep;
class TProgramOptions;
class TPopupMenu;
class TPopupMenuBuilder;
class TTrayActivation;
class ThvMenusPainter;

class TFormFront : public ThvFormFrontBase, private items::BackupQuestion {
    Q_OBJECT
public:
    TFormFront();
    ~TFormFront() override;

    // The file and form suffix of this window's texts.
    static constexpr const char* kTextFile = "UTF8_program.ini";
    static constexpr const char* kFormSuffix = "__FrontMain";
    static constexpr const char* kMessageSuffix = "__MessageText__FrontMain";
    // The status bar's default text and restore interval.
    static constexpr const char* kStatusDefault =
        "Use \"Find and Attach\" to add shortcuts. Alternatively, \"drag-and-drop\" from Windows "
        "into Pathwick.";
    static constexpr int kStatusRestoreInterval = 7500;

    void RegisterMessageTexts() override;
    void RegisterControlTexts() override;
    void ApplyTranslation() override;
    void PrepareShow() override;
    void SaveMiscState(const std::string& iniPath) override;
    void LoadMiscState(const std::string& iniPath) override;
    void FormDestroy() override;

    // The whole load: all mirrors from disk, then the popup and the tree view.
    void LoadItems();
    // A message text of this window in the current culture.
    QString MessageText(const char* key, const char* english) const;

    items::ItemStore& Store() { return *store_; }
    TPopupMenu* pmItems() const { return pmItemsMenu_; }
    QMenu* pmSaveOptions() const { return pmSaveOptions_; }
    ThvMenusPainter* Painter() const { return painter_; }
    QTreeView* tvItems() const { return tvItems_; }
    // The side column, built at the window's first show (or here, when asked for earlier).
    TSideColumn* Side();
    ThvHintStatusBar* StatusBarHelp();
    TItemTreeModel* TreeModel() const { return treeModel_; }

    // The hot key and the menu settings of the options, applied to the running program.
    void ApplyOptions(const TProgramOptions& options);

    // The language submenu of the built-in menu, rebuilt for the current culture.
    void RebuildLanguageMenu();
    // An entry of the popup was chosen.
    void MenuItemClick(const items::MenuItem& item);
    // A link of the popup: starts the item whose id is the entry's Tag.
    void NorItemsRTClickItem(const items::MenuItem& item);
    // Starts the link with this id as the popup does.
    void LaunchItem(int32_t id);
    // The tray icon, once the delayed start-up begins.
    void StartupComplete() override;
    void TimerDelayedTimer();
    void CoolTrayIconClick();
    void CoolTrayIconDblClick();
    void JvApplicationHotKeyHotKey();
    void miManageItemsClick();
    // The tray icon is shown in a notification area.
    bool TrayIconVisible() const;
    GlobalHotKey& HotKey() { return *hotKey_; }
    void MI_Lingua_Select_ChoiceClick(const items::MenuItem& item);

    // The selected node of tvItems (nullptr: none).
    items::TreeNode* SelectedNode() const;
    void SelectNode(const items::TreeNode* node);
    // Clears the paste source, selects the root top marker, refreshes the command states.
    void ResetSelection();
    void UpdateCommandStates();

    // The Tools group.
    void BitBtnMoveUpClick();
    void BitBtnMoveDownClick();
    void BitBtnCutClick();
    void BitBtnCopyClick();
    void BitBtnPasteClick();
    void BitBtnDeleteClick();
    void BitBtnSweepClick();
    void BitBtnUndoClick();
    void BitBtnSaveClick();
    void BitBtnHelpClick();
    void BitBtnLaunchClick();
    void BitBtnCloseClick();
    // The Add item group.
    void BitBtnAttachClick();
    // Undo's work, also used by the close question's No.
    void RestoreSavedCopy();
    // An entry of the save choice: "Save" or "Save and refresh image cache".
    void miSaveSharedClick(QAction* entry);
    // Fills the edit fields from node.
    void ShowItemFields(const items::TreeNode* node);

    // Drag and drop in tvItems. The press selects the node under the pointer and makes it the
    // drag source; TimerDrag (150 ms) lets a drag begin once the pointer has moved 8 pixels;
    // TimerExpand (400 ms) opens a folder the pointer rests on when it would accept the drop.
    static constexpr const char* kTreeItemFormat = "application/x-pathwick-tree-item";
    static constexpr int kDragDelay = 150;
    static constexpr int kExpandDelay = 400;
    static constexpr int kDragThreshold = 8;
    void tvItemsMouseDown(QMouseEvent* event);
    void tvItemsMouseUp();
    void TimerDragTimer();
    void TimerExpandTimer();
    void tvItemsDragOver(QDragMoveEvent* event);
    void tvItemsDragDrop(QDropEvent* event);
    void tvItemsDropFiles(QDropEvent* event);
    // The data of a drag of the drag source inside the tree (what the drag itself carries).
    QMimeData* TreeDragMimeData();
    const items::TreeNode* DragSource() const { return dragSource_; }
    QTimer* TimerDrag() const { return timerDrag_; }
    QTimer* TimerExpand() const { return timerExpand_; }

    // A new link of the plan, inserted after anchor and selected; nullptr when nothing was
    // inserted.
    items::TreeNode* InsertLink(items::TreeNode* anchor, const items::LinkPlan& plan);
    // The request of pathwick-ctl add (the request line's words after "ADD", each
    // percent-encoded: data folder, folder path, the arguments); the reply line.
    QByteArray AddLinksRequest(const QList<QByteArray>& words);
    // A dialog, menu, drag or command runs: requests that change the tree wait.
    bool Busy() const;

protected:
    void CreateLayout() override;
    void FormCreate() override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    items::BackupAnswer AskRestoreBackup(const std::string& backupFolder) override;
    void TranslateControls(TranslateStep step);
    void FormClose();
    void CreateSaveChoice();
    void ConnectControls();
    void ConnectButtons();
    void ConnectFields();
    // Builds the splitter with the side column and the status bar once: its controls, connections,
    // texts and the selected item's fields. A program that only shows its popup never needs them.
    void EnsureWindowContents();
    void TranslateSideColumn(TranslateStep step);
    void ApplyPanelSideWidth();
    void tvItemsCurrentChanged();
    void RefreshTreePictures();
    void ConnectDragDrop();
    // The drag and drop events of the tree's viewport; true when handled.
    bool tvItemsViewportEvent(QEvent* event);
    bool IsTreeDrag(const QMimeData* data) const;
    void BeginTreeDrag();
    void ForgetDragNodes();
    void AttachFile();
    void AttachDirectory();
    void AttachInternet();
    // The save command without its messages: the mirrors rebuilt, the popup and the view
    // refreshed.
    items::SaveOutcome SaveItemsNow(items::SaveChoice choice);
    void ShowPicture(int imageIndex);
    // The caption rule on the caption box's text; false when a message was shown.
    void RunCaptionRule(const QString& typed);

    std::unique_ptr<items::IconSource> iconSource_;
    std::unique_ptr<items::ItemStore> store_;
    items::ImageList ilLingua_;
    ImageListIcons pmIcons_, tvIcons_, linguaIcons_;
    ThvMenusPainter* painter_ = nullptr;
    std::unique_ptr<TPopupMenuBuilder> builder_;
    TPopupMenu* pmItemsMenu_ = nullptr;
    QMenu* pmSaveOptions_ = nullptr;
    QAction* miSaveNormal_ = nullptr;
    QAction* miSaveRefreshCache_ = nullptr;
    TItemTreeModel* treeModel_ = nullptr;

    QSplitter* splitter_ = nullptr;
    QScrollArea* panelSide_ = nullptr;
    TSideColumn* side_ = nullptr;
    QTreeView* tvItems_ = nullptr;
    ThvHintStatusBar* statusBarHelp_ = nullptr;
    QSystemTrayIcon* coolTrayIcon_ = nullptr;
    QTimer* timerDelayed_ = nullptr;
    TTrayActivation* trayActivation_ = nullptr; // tells a click from a double click
    GlobalHotKey* hotKey_ = nullptr;
    int panelSideWidth_ = 220; // the side panel's width while the window is hidden

    // Off while the program itself fills the boxes or rebuilds the tree: no rule runs then.
    bool reactToFields_ = true;
    bool reactToSelection_ = true;
    bool captionBoxWasEnabled_ = false;

    // Drag and drop.
    QTimer* timerDrag_ = nullptr;
    QTimer* timerExpand_ = nullptr;
    items::TreeNode* dragSource_ = nullptr;
    items::TreeNode* expandTarget_ = nullptr;
    QPoint pressPos_;
    bool dragArmed_ = false;    // TimerDrag fired: the next moves may begin the drag
    bool dragAccepted_ = false; // the last answer to a move over an item
    int redrawCount_ = 0;
    QByteArray dragToken_; // tells this window's own drag from any other
    int dragSerial_ = 0;
    int busy_ = 0; // nested dialogs, drags and commands
};

} // namespace pw
