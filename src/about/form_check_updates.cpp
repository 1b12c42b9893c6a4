#include "about/form_check_updates.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "about/web_view.h"
#include "framework/shared_options.h"
#include "framework/system_info.h"
#include "framework/ui/data_module.h"
#include "framework/web_rules.h"
#include "framework/website.h"
#include "lang/framework_texts.h"
#include "lang/language_controller.h"
#include "lang/ui/language_assistants.h"

namespace pw {

namespace {
constexpr int kMinDays = 1;
constexpr int kMaxDays = 180;
} // namespace

ThvFormCheckUpdates::ThvFormCheckUpdates()
    : ThvFormBrowserBase(kFormSuffix, "pnlUpdates", "hvdvHostUpdates") {
    setObjectName("hvFormCheckUpdates");
}

QString ThvFormCheckUpdates::HistoryAddress() {
    return QString::fromStdString(HistoryPageAddress(ThvDataModuleGenericStruct::GetWebsiteUrl()));
}

void ThvFormCheckUpdates::CreateLayout() {
    setWindowTitle("Checking for updates...");
    setMinimumSize(240, 210);
    resize(720, 540);
    ThvFormBrowserBase::CreateLayout();
}

void ThvFormCheckUpdates::FillFooter(QHBoxLayout* footer) {
    QWidget* parent = footer->parentWidget();
    lblCheckUpdatesDays_ = new QLabel("Days between checking for updates ", parent);
    lblCheckUpdatesDays_->setObjectName("lblCheckUpdatesDays");
    seCheckUpdatesDays_ = new QSpinBox(parent);
    seCheckUpdatesDays_->setObjectName("seCheckUpdatesDays");
    seCheckUpdatesDays_->setRange(kMinDays, kMaxDays);
    lblCheckUpdatesDays_->setBuddy(seCheckUpdatesDays_);
    chbHighlightIfMajorUpgrade_ =
        new QCheckBox("Highlight if a free or paid major version *upgrade* is available", parent);
    chbHighlightIfMajorUpgrade_->setObjectName("chbHighlightIfMajorUpgrade");
    chbHighlightIfMajorUpgrade_->setToolTip(
        "Updates are always free. With upgrades it depends. (Compared to version 1.0.0 then "
        "1.9.9 = update and 2.0.0 = upgrade.)");
    footer->addWidget(lblCheckUpdatesDays_);
    footer->addWidget(seCheckUpdatesDays_);
    footer->addSpacing(8);
    footer->addWidget(chbHighlightIfMajorUpgrade_);
}

void ThvFormCheckUpdates::FormCreate() {
    started_ = false;
    const ThvSharedProgramOptions& options = Module()->Options();
    seCheckUpdatesDays_->setValue(options.CheckUpdatesInterval);
    shownInterval_ = seCheckUpdatesDays_->value();
    chbHighlightIfMajorUpgrade_->setChecked(options.CheckUpdatesHighlightUpgrades);
    ThvFormBrowserBase::FormCreate();
}

void ThvFormCheckUpdates::RegisterMessageTexts() {
    ThvFormBrowserBase::RegisterMessageTexts();
    ThvlgLanguageController& lang = Module()->Language();
    lang.RegisterResString(kFileShared, kMessageSuffix, "DistributedBy",
                           "Distributed by {CompanyNameLong}", "__curly");
    lang.RegisterResString(kFileShared, kMessageSuffix, "Copyright",
                           "Copyright {CopyrightTime} {CopyrightHolders}", "__curly");
}

void ThvFormCheckUpdates::TranslateOwnControls(TranslateStep step) {
    ThvlgLanguageCompositeAllEx& c = Module()->LanguageComposite();
    c.AssistantControls.Label(step, kFileShared, kFormSuffix, lblCheckUpdatesDays_);
    c.AssistantControls.Edit(step, kFileShared, kFormSuffix, seCheckUpdatesDays_);
    c.AssistantControls.Control(step, kFileShared, kFormSuffix, chbHighlightIfMajorUpgrade_);
}

bool ThvFormCheckUpdates::KeepsAddress(const QString& address) const {
    return IsHistoryFamilyAddress(address.toStdString(), HistoryAddress().toStdString());
}

void ThvFormCheckUpdates::FormActivate() {
    if (started_)
        return;
    started_ = true;
    QPointer<ThvFormCheckUpdates> self(this);
    host_->UserAgent = QString::fromStdString(CheckUpdatesUserAgent());
    LoadAndWait(HistoryAddress());
    if (!self)
        return;
    host_->UserAgent = QString::fromStdString(Module()->SystemInfo().InternetUserAgent());
    // The next automatic check comes after the full interval, loaded or not.
    Module()->Options().CheckUpdatesLast = NowLocal();
}

void ThvFormCheckUpdates::FormClosing() {
    ThvSharedProgramOptions& options = Module()->Options();
    // The box holds 1 to 180 days; a stored interval outside that range (0: at every start, a
    // negative one: never) is kept unless the user changed the box.
    const int days = seCheckUpdatesDays_->value();
    if (!options.CheckUpdatesCritErrRes &&
        (days != shownInterval_ ||
         (options.CheckUpdatesInterval >= kMinDays && options.CheckUpdatesInterval <= kMaxDays)))
        options.CheckUpdatesInterval = days;
    options.CheckUpdatesHighlightUpgrades = chbHighlightIfMajorUpgrade_->isChecked();
}

} // namespace pw
