// The main window's tray icon, hot key and popup: what the notification area and the popup's
// entries do.
#include <QApplication>
#include <QFontMetrics>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/ui/module_shared.h"
#include "framework/ui/data_module.h"
#include "framework/website.h"
#include "items/basic_menu.h"
#include "lang/language_menu.h"
#include "manager/form_front.h"
#include "menu/launching.h"
#include "menu/menus_painter.h"
#include "menu/popup_at_cursor.h"
#include "menu/popup_menu.h"
#include "menu/tray_activation.h"
#include "options/program_options.h"
#include "options/ui/shortcut_text.h"
#include "platform/global_hot_key.h"

namespace pw {

void TFormFront::ApplyOptions(const TProgramOptions& options) {
    ApplyHotKeyText(*hotKey_, options.ProgramPopupShortCut, &Module()->hvLoggingProgram);
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
                      Module()->Options().LanguageCulture, &ilLingua_,
                      Module()->Paths().UserDataFolder + "trans/");
    linguaIcons_.Reset();
}

void TFormFront::MenuItemClick(const items::MenuItem& item) {
    switch (item.Action) {
    case items::MenuAction::StartItem:
        NorItemsRTClickItem(item);
        break;
    case items::MenuAction::Preferences:
        if (auto* module = qobject_cast<TModuleShared*>(Module()))
            module->ShowPreferences();
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
        OpenDocument(ThvDataModuleGenericStruct::GetWebsiteUrl() + item.Url.str());
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
    LaunchItem(item.Tag);
}

void TFormFront::LaunchItem(int32_t id) {
    const bool runAs = store_->GetItemRunAs(id);
    const int startMode = StartModeOf(store_->GetItemWindowState(id));
    CallExternal(store_->GetItemPath(id), store_->GetItemParams(id), store_->GetItemWorkDir(id),
                 runAs, startMode, store_->Paths().programFolder);
}

void TFormFront::StartupComplete() {
    coolTrayIcon_->setIcon(ProgramIcon());
    connect(coolTrayIcon_, &QSystemTrayIcon::activated, trayActivation_,
            &TTrayActivation::Activated);
    timerDelayed_->start();
    TimerDelayedTimer();
    // The fonts are read once the icon is up, so that the first popup does not wait for them.
    QTimer::singleShot(0, this, [this] { QFontMetrics(pmItemsMenu_->font()).height(); });
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

} // namespace pw
