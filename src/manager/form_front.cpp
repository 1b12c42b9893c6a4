#include "manager/form_front.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "framework/ui/data_module.h"
#include "framework/ui/hint_status_bar.h"
#include "items/item_editing.h"
#include "items/item_fields.h"
#include "lang/language_controller.h"
#include "lang/ui/language_assistants.h"
#include "lang/ui/message_dialog.h"
#include "manager/item_tree_model.h"
#include "manager/save_messages.h"
#include "menu/menus_painter.h"
#include "menu/popup_menu.h"
#include "menu/tray_activation.h"
#include "options/program_options.h"
#include "platform/global_hot_key.h"
#include "platform/theme_icon_source.h"

namespace pw {

namespace {
struct MessageEntry {
    const char* Name;
    const char* Default;
    const char* Template;
};

// The window's message catalogue, in registration order.
const MessageEntry kMessageTexts[] = {
    {"NoAddItemOnTypeProgram", "You can not drop items on following type: \"Program item\"",
     nullptr},
    {"WantSaveChanges", "Do you want to save changes?", nullptr},
    {items::kFolderNeedName.key, items::kFolderNeedName.english, nullptr},
    {items::kFolderIllegalName.key, items::kFolderIllegalName.english, nullptr},
    {items::kFolderDuplicatedName.key, items::kFolderDuplicatedName.english, nullptr},
    {"ItemFolderDropOnSub", "The folder may not be dropped on a subitem of its own", nullptr},
    {"SaveErrorLockedFiles",
     "Could not save, perhaps due to \"locked\" files? (files opened by another program)", nullptr},
    {items::kBackupQuestionKey, items::kBackupQuestionText, "__curly"},
    {"NotAvailableShort", "N/A", nullptr},
    {"ItemTypeExecutable", "Executable", nullptr},
    {"ItemTypeRunable", "Runable", nullptr},
    {"ItemTypeShortcut", "Shortcut", nullptr},
    {"ItemTypeViewable", "Viewable", nullptr},
    {"ItemTypeSeparator", "Separator", nullptr},
    {"ItemTypeSpecialTop", "Special: Drag and drop items here", nullptr},
    {"ItemTypeSpecialDesign", "Special: Builtin item", nullptr},
    {"ItemTypeSpecialFolder", "Special: Create and place items here", nullptr},
    {kSaveErrorFolders.key, kSaveErrorFolders.english, nullptr},
    {kSaveErrorRestored.key, kSaveErrorRestored.english, nullptr},
    {kSaveErrorNotRestored.key, kSaveErrorNotRestored.english, nullptr},
    {"OpenDialogAddFilter", "All Files (*)", nullptr},
};

// The built-in menu items whose captions, hints and shortcuts follow the culture, in order;
// the last two are the entries of the save choice.
const char* const kTranslatedMenuItems[] = {
    "miSysMenuProgram",  "miCloseApp",           "miPathwickKitFolder",
    "miTools_Pathwick",  "miTools_Quillmark",    "miTools_Tallyweb",
    "miTools_Driftnote", "miTools_Cinderpad",    "miSysMenuSystem",
    "miHelpFile",        "miManageItems",        "miPreferences",
    "miVisitWebsite",    "miVisitWebsiteForums", "miAbout",
    "MiTools",
};
} // namespace

TFormFront::TFormFront() {
    setObjectName("FormFront");
}

TFormFront::~TFormFront() {
    // The view and its model point into the store, which goes with the members below.
    tvItems_->setModel(nullptr);
    delete treeModel_;
    treeModel_ = nullptr;
    // The menus use the painter as their style: they go first.
    delete pmItemsMenu_;
    pmItemsMenu_ = nullptr;
    delete pmSaveOptions_;
    pmSaveOptions_ = nullptr;
    builder_.reset();
    delete painter_;
}

void TFormFront::CreateLayout() {
    setMinimumSize(500, 630);
    resize(680, 700);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The tree view exists from the start (the store's views and the selection live in it); the
    // splitter with the side column is put together at the first show.
    tvItems_ = new QTreeView(this);
    tvItems_->setObjectName("tvItems");
    tvItems_->setHeaderHidden(true);
    // The hidden header's one column fills the view; a minimum of its own would be measured
    // from the font, which loads the font configuration of the whole system at the first
    // selection, long before the window shows.
    tvItems_->header()->setMinimumSectionSize(items::kIconSize);
    tvItems_->setIndentation(21);
    tvItems_->setUniformRowHeights(true);
    tvItems_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvItems_->setSelectionMode(QAbstractItemView::SingleSelection);
    tvItems_->setIconSize(QSize(items::kIconSize, items::kIconSize));
    tvItems_->hide();

    painter_ = new ThvMenusPainter();
    pmItemsMenu_ = new TPopupMenu();
    pmItemsMenu_->setObjectName("pmItems");
    pmItemsMenu_->setTitle(QStringLiteral("Pathwick"));
    pmItemsMenu_->setWindowTitle(QStringLiteral("Pathwick menu"));
    CreateSaveChoice();

    coolTrayIcon_ = new QSystemTrayIcon(this);
    coolTrayIcon_->setObjectName("CoolTrayIcon");
    coolTrayIcon_->setToolTip(QStringLiteral("Pathwick"));
    timerDelayed_ = new QTimer(this);
    timerDelayed_->setObjectName("TimerDelayed");
    timerDelayed_->setInterval(10000);
    connect(timerDelayed_, &QTimer::timeout, this, &TFormFront::TimerDelayedTimer);
    trayActivation_ = new TTrayActivation(this);
    connect(trayActivation_, &TTrayActivation::Click, this, &TFormFront::CoolTrayIconClick);
    connect(trayActivation_, &TTrayActivation::DoubleClick, this,
            &TFormFront::CoolTrayIconDblClick);
    hotKey_ = new GlobalHotKey(this);
    hotKey_->setObjectName("JvApplicationHotKey");
    // Queued: the popup runs its own loop, which must not start inside the native event filter.
    connect(hotKey_, &GlobalHotKey::Activated, this, &TFormFront::JvApplicationHotKeyHotKey,
            Qt::QueuedConnection);

    // The item store and its views; the first load follows in FormCreate.
    const DataPaths& paths = Module()->Paths();
    iconSource_ = std::make_unique<ThemeIconSource>();
    store_ = std::make_unique<items::ItemStore>(
        items::StorePaths{paths.ItemsRoot, paths.TempFolder, paths.ProgramFolder}, *iconSource_);
    store_->SetLogger(
        [this](const std::string& sender, const std::string& message, const std::string& id) {
            // The window is the component that owns the store.
            const LogSender who{sender, objectName().toStdString()};
            Module()->hvLoggingProgram.Log(&who, nullptr, message, id);
        });
    // Pictures are composed on the colours the menu and the tree are shown in; the tree's
    // pictures are 16 pixels tall whatever the font: the cached tree pictures are written from
    // them, and a taller band would shift each cached picture at every save.
    store_->Images.MenuColour = painter_->MenuBackground(pmItemsMenu_).rgb();
    store_->Images.TreeColour = tvItems_->palette().color(QPalette::Base).rgb();
    store_->Images.PrepareImageLists(items::kIconSize);
    pmIcons_.SetList(&store_->Images.ilPublicPM);
    tvIcons_.SetList(&store_->Images.ilPublicTV);
    linguaIcons_.SetList(&ilLingua_);
    builder_ = std::make_unique<TPopupMenuBuilder>(
        painter_,
        [this](const std::string& list, int index) {
            return list == "ilLingua" ? linguaIcons_.Icon(index) : pmIcons_.Icon(index);
        },
        [this](const items::MenuItem& item) { MenuItemClick(item); });
    treeModel_ = new TItemTreeModel(
        &store_->tvItems, &tvIcons_, [this] { return items::CutMarked(*store_); }, this);
    treeModel_->SetBeforeChange([this] { store_->KeepUndoCopy(); });
    tvItems_->setModel(treeModel_);
    ConnectControls();
    ConnectDragDrop();

    // Esc closes like the close box; the status bar takes the hints of the controls under the
    // mouse.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TFormFront::BitBtnCloseClick);
    // "Up" and "Down" have no accelerator of their own: Ctrl and the arrow keys move from the
    // keyboard.
    auto* up = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), this);
    connect(up, &QShortcut::activated, this, &TFormFront::BitBtnMoveUpClick);
    auto* down = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), this);
    connect(down, &QShortcut::activated, this, &TFormFront::BitBtnMoveDownClick);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void TFormFront::FormCreate() {
    const DataPaths& paths = Module()->Paths();
    RebuildLanguageMenu();

    items::RecoverItemsBackup(paths.ItemsRoot, paths.TempFolder, *this);
    LoadItems();
}

items::BackupAnswer TFormFront::AskRestoreBackup(const std::string&) {
    const int answer = ShowMessageDialog(
        MessageText(items::kBackupQuestionKey, items::kBackupQuestionText), MsgDlgType::Warning,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return items::BackupAnswer::Yes;
    if (answer == QMessageBox::No)
        return items::BackupAnswer::No;
    return items::BackupAnswer::Cancel;
}

void TFormFront::LoadItems() {
    reactToSelection_ = false;
    treeModel_->Reset([this] {
        // Until the window is first built nothing edits the tree: its saved copy waits.
        store_->LoadItems(side_ ? items::ItemStore::UndoCopy::Now
                                : items::ItemStore::UndoCopy::Deferred);
        pmIcons_.Reset();
        tvIcons_.Reset();
    });
    reactToSelection_ = true;
    builder_->Build(pmItemsMenu_, store_->pmItems);
    builder_->ApplyMenuDrawing(pmItemsMenu_, painter_ && !painter_->UseStandardFont);
    ResetSelection();
}

QString TFormFront::MessageText(const char* key, const char* english) const {
    ThvlgLanguageController& lang = Module()->Language();
    // The lookup expands the text's placeholders by its registered template system.
    return QString::fromStdString(lang.GetResString(kTextFile, kMessageSuffix, key, english));
}

void TFormFront::RegisterMessageTexts() {
    ThvlgLanguageController& lang = Module()->Language();
    for (const MessageEntry& t : kMessageTexts)
        lang.RegisterResString(kTextFile, kMessageSuffix, t.Name, t.Default,
                               t.Template ? t.Template : "");
}

void TFormFront::TranslateControls(TranslateStep step) {
    ThvlgLanguageCompositeAllEx& c = Module()->LanguageComposite();
    const ThvlgLanguageAssistantControls& controls = c.AssistantControls;
    controls.Form(step, kTextFile, kFormSuffix, this);
    TranslateSideColumn(step);
    if (!store_)
        return;
    items::MenuItem& basic = store_->BasicMenu();
    for (const char* name : kTranslatedMenuItems) {
        if (items::MenuItem* item = basic.Find(name))
            c.AssistantMenus.MenuItem(step, kTextFile, kFormSuffix, *item, true);
    }
    for (QAction* entry : {miSaveNormal_, miSaveRefreshCache_})
        if (entry)
            c.AssistantMenus.MenuAction(step, kTextFile, kFormSuffix, entry, true);
    // The type label and the "N/A" texts of the boxes follow the culture too.
    if (step == TranslateStep::Apply && tvItems_ && tvItems_->model())
        ShowItemFields(SelectedNode());
}

void TFormFront::RegisterControlTexts() {
    TranslateControls(TranslateStep::Register);
}

void TFormFront::ApplyTranslation() {
    TranslateControls(TranslateStep::Apply);
}

void TFormFront::PrepareShow() {
    ThvFormFrontBase::PrepareShow();
    UpdateTitle();
}

void TFormFront::FormDestroy() {
    // A minimized window is stored as a normal one; a hidden one stays hidden.
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    ThvFormFrontBase::FormDestroy();
}

void TFormFront::showEvent(QShowEvent* event) {
    EnsureWindowContents();
    ThvFormFrontBase::showEvent(event);
    if (treeModel_) {
        // The node at the top of the visible part: the root top marker after a load or a reset.
        const QModelIndex top = tvItems_->indexAt(QPoint(1, 1));
        tvItems_->setCurrentIndex(top.isValid() ? top : treeModel_->index(0, 0));
        // The keys go to the tree: the arrows move the selection, Alt and a letter press the
        // buttons.
        tvItems_->setFocus(Qt::ActiveWindowFocusReason);
        UpdateCommandStates();
    }
}

bool TFormFront::eventFilter(QObject* watched, QEvent* event) {
    if (tvItems_ && watched == tvItems_->viewport() && treeModel_ && tvItemsViewportEvent(event))
        return true;
    if (event->type() == QEvent::Enter && statusBarHelp_) {
        if (auto* widget = qobject_cast<QWidget*>(watched))
            statusBarHelp_->SetHintText(ThvHintStatusBar::LongHint(widget->toolTip()));
    }
    return ThvFormFrontBase::eventFilter(watched, event);
}

void TFormFront::closeEvent(QCloseEvent* event) {
    // The manager window is never closed, only hidden.
    event->ignore();
    FormClose();
}

void TFormFront::BitBtnCloseClick() {
    close();
}

void TFormFront::FormClose() {
    if (store_ && store_->HasUnsavedChanges()) {
        const int answer = ShowMessageDialog(
            MessageText("WantSaveChanges", "Do you want to save changes?"), MsgDlgType::Warning,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer != QMessageBox::Yes && answer != QMessageBox::No)
            return;
        hide();
        if (answer == QMessageBox::Yes)
            BitBtnSaveClick(); // saving happens only when an entry of the choice is picked
        else
            RestoreSavedCopy();
        return;
    }
    hide();
    ResetSelection();
}

} // namespace pw
