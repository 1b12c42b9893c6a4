#include "manager/form_front.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "framework/options_file.h"
#include "framework/ui/data_module.h"
#include "framework/website.h"
#include "items/basic_menu.h"
#include "lang/framework_texts.h"
#include "lang/language_controller.h"
#include "lang/language_menu.h"
#include "lang/ui/language_assistants.h"
#include "lang/ui/message_dialog.h"
#include "manager/item_tree_model.h"
#include "menu/launching.h"
#include "menu/menus_painter.h"
#include "menu/popup_at_cursor.h"
#include "menu/popup_menu.h"
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
    {"ItemFolderNeedName", "The folder has to have a name", nullptr},
    {"ItemFolderIllegalName", "The folder name can not contain: \"\\ / : * ? \" < > |\"", nullptr},
    {"ItemFolderDuplicatedName",
     "The folder name may not be duplicated on the same level in the \"tree view\"", nullptr},
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
};

// The built-in menu items whose captions, hints and shortcuts follow the culture, in order.
const char* const kTranslatedMenuItems[] = {
    "miSysMenuProgram",  "miCloseApp",           "miPathwickKitFolder",
    "miTools_Pathwick",  "miTools_Quillmark",    "miTools_Tallyweb",
    "miTools_Driftnote", "miTools_Cinderpad",    "miSysMenuSystem",
    "miHelpFile",        "miManageItems",        "miPreferences",
    "miVisitWebsite",    "miVisitWebsiteForums", "miAbout",
    "MiTools",           "miSaveNormal",         "miSaveRefreshCache",
};

constexpr const char* kPanelSideWidthKey = "PanelSide.Width";
constexpr int kPanelSideMinWidth = 150;
constexpr int kPanelSideMaxWidth = 4000;
constexpr int kPanelSideDefaultWidth = 220;
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
    builder_.reset();
    delete painter_;
}

void TFormFront::CreateLayout() {
    setMinimumSize(500, 630);
    resize(640, 700);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    panelSide_ = new QScrollArea(splitter_);
    panelSide_->setObjectName("PanelSide");
    panelSide_->setMinimumWidth(kPanelSideMinWidth);
    panelSide_->setWidgetResizable(true);
    panelSide_->setWidget(new QWidget(panelSide_));
    tvItems_ = new QTreeView(splitter_);
    tvItems_->setObjectName("tvItems");
    tvItems_->setHeaderHidden(true);
    tvItems_->setIndentation(21);
    tvItems_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvItems_->setSelectionMode(QAbstractItemView::SingleSelection);
    splitter_->addWidget(panelSide_);
    splitter_->addWidget(tvItems_);
    splitter_->setChildrenCollapsible(false);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kPanelSideDefaultWidth, 420});
    connect(splitter_, &QSplitter::splitterMoved, this,
            [this] { panelSideWidth_ = splitter_->sizes().value(0, panelSideWidth_); });
    layout->addWidget(splitter_, 1);

    statusBarHelp_ = new QStatusBar(this);
    statusBarHelp_->setObjectName("StatusBarHelp");
    statusBarHelp_->setProperty(ThvlgLanguageAssistantControlsHV::kAutoHintDefProperty, QString());
    layout->addWidget(statusBarHelp_);

    painter_ = new ThvMenusPainter();
    pmItemsMenu_ = new TPopupMenu();
    pmItemsMenu_->setObjectName("pmItems");
    pmItemsMenu_->setTitle(QStringLiteral("Pathwick"));
    pmItemsMenu_->setWindowTitle(QStringLiteral("Pathwick menu"));

    coolTrayIcon_ = new QSystemTrayIcon(this);
    coolTrayIcon_->setObjectName("CoolTrayIcon");
    coolTrayIcon_->setToolTip(QStringLiteral("Pathwick"));
    timerDelayed_ = new QTimer(this);
    timerDelayed_->setObjectName("TimerDelayed");
    timerDelayed_->setInterval(10000);
    connect(timerDelayed_, &QTimer::timeout, this, &TFormFront::TimerDelayedTimer);
    trayClickTimer_ = new QTimer(this);
    trayClickTimer_->setSingleShot(true);
    trayClickTimer_->setInterval(QApplication::doubleClickInterval());
    connect(trayClickTimer_, &QTimer::timeout, this, &TFormFront::CoolTrayIconClick);
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
            const LogSender who{sender, std::nullopt};
            Module()->hvLoggingProgram.Log(&who, nullptr, message, id);
        });
    store_->Images.PrepareImageLists(
        tvItems_->fontMetrics().height() + 2 > 16 ? tvItems_->fontMetrics().height() + 2 : 16);
    pmIcons_.SetList(&store_->Images.ilPublicPM);
    tvIcons_.SetList(&store_->Images.ilPublicTV);
    linguaIcons_.SetList(&ilLingua_);
    builder_ = std::make_unique<TPopupMenuBuilder>(
        painter_,
        [this](const std::string& list, int index) {
            return list == "ilLingua" ? linguaIcons_.Icon(index) : pmIcons_.Icon(index);
        },
        [this](const items::MenuItem& item) { MenuItemClick(item); });
    // The Preferences dialog is not part of the program yet.
    builder_->SetAvailability(
        [](items::MenuAction action) { return action != items::MenuAction::Preferences; });
    treeModel_ = new TItemTreeModel(&store_->tvItems, &tvIcons_, this);
    tvItems_->setModel(treeModel_);
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
    treeModel_->Reset([this] {
        store_->LoadItems();
        pmIcons_.Reset();
        tvIcons_.Reset();
    });
    builder_->Build(pmItemsMenu_, store_->pmItems);
    builder_->ApplyMenuDrawing(pmItemsMenu_, painter_ && !painter_->UseStandardFont);
    tvItems_->setCurrentIndex(treeModel_->IndexOf(store_->ResetSelection()));
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
    c.AssistantControls.Form(step, kTextFile, kFormSuffix, this);
    c.AssistantControlsHV.StatusBar(step, kTextFile, kFormSuffix, statusBarHelp_);
    if (!store_)
        return;
    items::MenuItem& basic = store_->BasicMenu();
    for (const char* name : kTranslatedMenuItems) {
        if (items::MenuItem* item = basic.Find(name))
            c.AssistantMenus.MenuItem(step, kTextFile, kFormSuffix, *item, true);
    }
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

void TFormFront::ApplyOptions(const TProgramOptions& options) {
    hotKey_->SetShortCut(QKeySequence::fromString(
        QString::fromStdString(options.ProgramPopupShortCut), QKeySequence::PortableText));
    painter_->FontName = QString::fromStdString(options.OverrideStandardFontName);
    painter_->FontSize = options.OverrideStandardFontSize;
    painter_->FontBold = options.OverrideStandardFontBold;
    painter_->UseStandardFont = !options.OverrideStandardFont;
    items::MenuItem hiding;
    hiding.Caption = items::kAnchorCaption;
    hiding.Tag = items::kTagHidden;
    hiding.Visible = false;
    store_->pmItems.Add(std::move(hiding));
    QAction* action = pmItemsMenu_->addAction(QString::fromLatin1(items::kAnchorCaption));
    action->setData(items::kTagHidden);
    action->setVisible(false);
    builder_->ApplyMenuDrawing(pmItemsMenu_, options.OverrideStandardFont);
}

void TFormFront::RebuildLanguageMenu() {
    items::MenuItem* lingua = store_->BasicMenu().Find("M_MI_Lingua");
    if (!lingua)
        return;
    BuildLanguageMenu(*lingua, Module()->Paths().LanguageFolder,
                      Module()->Options().LanguageCulture, &ilLingua_);
    linguaIcons_.Reset();
}

void TFormFront::MenuItemClick(const items::MenuItem& item) {
    switch (item.Action) {
    case items::MenuAction::StartItem:
        NorItemsRTClickItem(item);
        break;
    case items::MenuAction::VisitWebsite:
        OpenDocument(ThvDataModuleGenericStruct::GetWebsiteBaseUrl());
        break;
    case items::MenuAction::VisitForums:
        OpenDocument(ForumsAddress(ThvDataModuleGenericStruct::GetWebsiteUrl()));
        break;
    case items::MenuAction::HelpFile:
        Module()->ShowHelpViewer();
        break;
    case items::MenuAction::CheckUpdates:
        Module()->ShowCheckUpdates();
        break;
    case items::MenuAction::About:
        Module()->ShowAbout();
        break;
    case items::MenuAction::OpenWebPage:
        OpenDocument(ThvDataModuleGenericStruct::GetWebsiteUrl() + item.Url);
        break;
    case items::MenuAction::SwitchLanguage:
        MI_Lingua_Select_ChoiceClick(item);
        break;
    case items::MenuAction::ManageItems:
        miManageItemsClick();
        break;
    case items::MenuAction::CloseApp:
        Module()->RequestTermination();
        break;
    default:
        break;
    }
}

void TFormFront::NorItemsRTClickItem(const items::MenuItem& item) {
    const int32_t id = item.Tag;
    const bool runAs = store_->GetItemRunAs(id);
    const int startMode = StartModeOf(store_->GetItemWindowState(id));
    CallExternal(store_->GetItemPath(id), store_->GetItemParams(id), store_->GetItemWorkDir(id),
                 runAs, startMode);
}

void TFormFront::StartupComplete() {
    coolTrayIcon_->setIcon(ProgramIcon());
    connect(coolTrayIcon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) {
                    trayClickTimer_->start();
                } else if (reason == QSystemTrayIcon::DoubleClick) {
                    trayClickTimer_->stop();
                    CoolTrayIconDblClick();
                } else if (reason == QSystemTrayIcon::Context) {
                    trayClickTimer_->stop();
                    QTimer::singleShot(0, this, &TFormFront::CoolTrayIconClick);
                }
            });
    timerDelayed_->start();
    TimerDelayedTimer();
}

bool TFormFront::TrayIconVisible() const {
    return coolTrayIcon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void TFormFront::TimerDelayedTimer() {
    // The notification area may not exist yet (a start at logon): try until it does.
    if (!TrayIconVisible() && QSystemTrayIcon::isSystemTrayAvailable()) {
        coolTrayIcon_->hide();
        coolTrayIcon_->show();
    }
    if (TrayIconVisible())
        timerDelayed_->stop();
}

void TFormFront::CoolTrayIconClick() {
    PopupAtCursor(pmItemsMenu_, this);
}

void TFormFront::CoolTrayIconDblClick() {
    miManageItemsClick();
}

void TFormFront::JvApplicationHotKeyHotKey() {
    if (TrayIconVisible())
        PopupAtCursor(pmItemsMenu_, this);
    else
        miManageItemsClick();
}

void TFormFront::miManageItemsClick() {
    ShowFrontWindow();
}

void TFormFront::MI_Lingua_Select_ChoiceClick(const items::MenuItem& item) {
    const std::string culture = CultureOfLanguageEntry(item.Caption);
    Module()->SetLanguage(culture, false);
    RebuildLanguageMenu();
}

void TFormFront::SaveMiscState(const std::string& iniPath) {
    const PathMacros& macros = Module()->Paths().Macros;
    IniDocument ini = LoadOptionsDocument(iniPath, macros);
    const int width = panelSide_->isVisible() ? panelSide_->width() : panelSideWidth_;
    ini.WriteInteger(objectName().toStdString(), kPanelSideWidthKey, width);
    SaveOptionsDocument(ini, iniPath, macros);
}

void TFormFront::LoadMiscState(const std::string& iniPath) {
    const IniDocument ini = LoadOptionsDocument(iniPath, Module()->Paths().Macros);
    const int current = panelSide_->isVisible() ? panelSide_->width() : panelSideWidth_;
    const int width =
        std::clamp(ini.ReadInteger(objectName().toStdString(), kPanelSideWidthKey, current),
                   kPanelSideMinWidth, kPanelSideMaxWidth);
    QList<int> sizes = splitter_->sizes();
    const int total = std::max(sizes.value(0) + sizes.value(1), width + 100);
    splitter_->setSizes({width, total - width});
    panelSideWidth_ = width;
}

void TFormFront::FormDestroy() {
    // A minimized window is stored as a normal one; a hidden one stays hidden.
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    ThvFormFrontBase::FormDestroy();
}

void TFormFront::showEvent(QShowEvent* event) {
    ThvFormFrontBase::showEvent(event);
    if (treeModel_) {
        const QModelIndex top = tvItems_->indexAt(QPoint(1, 1));
        tvItems_->setCurrentIndex(top.isValid() ? top : treeModel_->index(0, 0));
    }
}

void TFormFront::closeEvent(QCloseEvent* event) {
    // The manager window is never closed, only hidden.
    event->ignore();
    FormClose();
}

void TFormFront::FormClose() {
    if (store_ && store_->HasUnsavedChanges()) {
        const int answer = ShowMessageDialog(
            MessageText("WantSaveChanges", "Do you want to save changes?"), MsgDlgType::Warning,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel)
            return;
        hide();
        if (answer == QMessageBox::No) {
            treeModel_->Reset([this] {
                store_->UndoChanges();
                tvIcons_.Reset();
            });
            tvItems_->setCurrentIndex(treeModel_->IndexOf(store_->ResetSelection()));
        }
        return;
    }
    hide();
    tvItems_->setCurrentIndex(treeModel_->IndexOf(store_->ResetSelection()));
}

} // namespace pw
