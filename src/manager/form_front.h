#pragma once
// TFormFront: the main window. It owns the item store with its three mirrors, the image lists,
// the menu painter and the popup; it is created hidden and serves as the manager window.

#include <QPointer>
#include <memory>

#include "framework/ui/form_base.h"
#include "items/image_list.h"
#include "items/item_store.h"
#include "items/items_backup.h"
#include "menu/image_list_icons.h"

class QScrollArea;
class QSplitter;
class QStatusBar;
class QSystemTrayIcon;
class QTimer;
class QTreeView;

namespace pw {

class GlobalHotKey;
class TItemTreeModel;
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
    ThvMenusPainter* Painter() const { return painter_; }
    QTreeView* tvItems() const { return tvItems_; }

    // The hot key and the menu settings of the options, applied to the running program.
    void ApplyOptions(const TProgramOptions& options);

    // The language submenu of the built-in menu, rebuilt for the current culture.
    void RebuildLanguageMenu();
    // An entry of the popup was chosen.
    void MenuItemClick(const items::MenuItem& item);
    // A link of the popup: starts the item whose id is the entry's Tag.
    void NorItemsRTClickItem(const items::MenuItem& item);
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

protected:
    void CreateLayout() override;
    void FormCreate() override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    items::BackupAnswer AskRestoreBackup(const std::string& backupFolder) override;
    void TranslateControls(TranslateStep step);
    void FormClose();

    std::unique_ptr<items::IconSource> iconSource_;
    std::unique_ptr<items::ItemStore> store_;
    items::ImageList ilLingua_;
    ImageListIcons pmIcons_, tvIcons_, linguaIcons_;
    ThvMenusPainter* painter_ = nullptr;
    std::unique_ptr<TPopupMenuBuilder> builder_;
    TPopupMenu* pmItemsMenu_ = nullptr;
    TItemTreeModel* treeModel_ = nullptr;

    QSplitter* splitter_ = nullptr;
    QScrollArea* panelSide_ = nullptr;
    QTreeView* tvItems_ = nullptr;
    QStatusBar* statusBarHelp_ = nullptr;
    QSystemTrayIcon* coolTrayIcon_ = nullptr;
    QTimer* timerDelayed_ = nullptr;
    TTrayActivation* trayActivation_ = nullptr; // tells a click from a double click
    GlobalHotKey* hotKey_ = nullptr;
    int panelSideWidth_ = 220; // the side panel's width while the window is hidden
};

} // namespace pw
