#include "about/browser_form.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "about/web_view.h"
#include "about/web_view_texts.h"
#include "framework/shared_options.h"
#include "framework/ui/data_module.h"
#include "framework/ui/hint_status_bar.h"
#include "framework/web_rules.h"
#include "lang/framework_texts.h"
#include "lang/language_controller.h"
#include "lang/ui/language_assistants.h"
#include "lang/ui/message_dialog.h"
#include "platform/shell_execute.h"
#include "platform/theme_icon_source.h"

namespace pw {

namespace {
QToolButton* ToolButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint, const QIcon& icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QIcon ThemeIcon(const char* name, const QIcon& fallback) {
    PrepareIconTheme();
    return QIcon::fromTheme(QString::fromLatin1(name), fallback);
}
} // namespace

ThvFormBrowserBase::ThvFormBrowserBase(const char* formSuffix, const char* panelName,
                                       const char* hostName)
    : formSuffix_(formSuffix), panelName_(panelName), hostName_(hostName) {}

void ThvFormBrowserBase::CreateLayout() {
    // A close box only.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* toolBar = new QWidget(this);
    toolBar->setObjectName("ToolBarMain");
    auto* tools = new QHBoxLayout(toolBar);
    tools->setContentsMargins(2, 2, 2, 2);
    tools->setSpacing(2);
    QStyle* s = style();
    btnPrior_ = ToolButton(toolBar, "btnPrior", "Back", "Back|Go back one page",
                           ThemeIcon("go-previous", s->standardIcon(QStyle::SP_ArrowBack)));
    btnNext_ = ToolButton(toolBar, "btnNext", "Forward", "Forward|Go forward one page",
                          ThemeIcon("go-next", s->standardIcon(QStyle::SP_ArrowForward)));
    btnRefresh_ = ToolButton(toolBar, "btnRefresh", "Refresh", "Refresh|Load the page again",
                             ThemeIcon("view-refresh", s->standardIcon(QStyle::SP_BrowserReload)));
    cbAddress_ = new QComboBox(toolBar);
    cbAddress_->setObjectName("cbWebsiteSavedOutput_Nav_Addr");
    cbAddress_->setEditable(true);
    cbAddress_->setInsertPolicy(QComboBox::NoInsert);
    cbAddress_->setToolTip("Address|The address of the page");
    cbAddress_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    cbAddress_->setMinimumContentsLength(10);
    cbAddress_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    btnNav_ = ToolButton(toolBar, "btnNav", "Go", "Go|Open the address",
                         ThemeIcon("go-jump", s->standardIcon(QStyle::SP_CommandLink)));
    const QIcon browser =
        ThemeIcon("internet-web-browser", s->standardIcon(QStyle::SP_DirHomeIcon));
    btnIE_ = ToolButton(toolBar, "btnIE", "Internet Explorer",
                        "Internet Explorer|Open the address in Internet Explorer", browser);
    btnFF_ = ToolButton(toolBar, "btnFF", "Firefox", "Firefox|Open the address in Firefox",
                        ThemeIcon("firefox", browser));
    btnO_ = ToolButton(toolBar, "btnO", "Opera", "Opera|Open the address in Opera",
                       ThemeIcon("opera", browser));
    tbBrowserSep_ = Separator(toolBar);
    tbBrowserSep_->setObjectName("tbBrowserSep");
    tools->addWidget(btnPrior_);
    tools->addWidget(btnNext_);
    tools->addWidget(Separator(toolBar));
    tools->addWidget(btnRefresh_);
    tools->addWidget(Separator(toolBar));
    tools->addWidget(cbAddress_, 1);
    tools->addWidget(Separator(toolBar));
    tools->addWidget(btnNav_);
    tools->addWidget(tbBrowserSep_);
    tools->addWidget(btnIE_);
    tools->addWidget(btnFF_);
    tools->addWidget(btnO_);
    layout->addWidget(toolBar);

    auto* panel = new QWidget(this);
    panel->setObjectName(panelName_);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    host_ = new ThvdvHost(panel);
    host_->setObjectName(hostName_);
    panelLayout->addWidget(host_);
    layout->addWidget(panel, 1);

    auto* footer = new QWidget(this);
    footer->setObjectName("pnlTipFooter");
    auto* footerLayout = new QHBoxLayout(footer);
    footerLayout->setContentsMargins(6, 4, 6, 4);
    FillFooter(footerLayout);
    footerLayout->addStretch(1);
    btnSave_ = new QPushButton("Save", footer);
    btnSave_->setObjectName("btnSave");
    btnClose_ = new QPushButton("Close", footer);
    btnClose_->setObjectName("btnClose");
    footerLayout->addWidget(btnSave_);
    footerLayout->addWidget(btnClose_);
    layout->addWidget(footer);

    stbInfo_ = new ThvHintStatusBar(this);
    stbInfo_->setObjectName("stbInfo");
    stbInfo_->SetRestoreInterval(0);
    auto* progressPanel = new QWidget(stbInfo_);
    progressPanel->setFixedWidth(100);
    auto* progressLayout = new QHBoxLayout(progressPanel);
    progressLayout->setContentsMargins(1, 1, 1, 1);
    pbInfo_ = new QProgressBar(progressPanel);
    pbInfo_->setObjectName("pbInfo");
    pbInfo_->setTextVisible(false);
    pbInfo_->setMaximumHeight(16);
    progressLayout->addWidget(pbInfo_);
    auto* lastPanel = new QWidget(stbInfo_);
    lastPanel->setFixedWidth(50);
    stbInfo_->addPermanentWidget(progressPanel);
    stbInfo_->addPermanentWidget(lastPanel);
    stbInfo_->WatchHints(true);
    layout->addWidget(stbInfo_);

    connect(btnPrior_, &QToolButton::clicked, this, &ThvFormBrowserBase::btnPriorClick);
    connect(btnNext_, &QToolButton::clicked, this, &ThvFormBrowserBase::btnNextClick);
    connect(btnRefresh_, &QToolButton::clicked, this, &ThvFormBrowserBase::btnRefreshClick);
    connect(btnNav_, &QToolButton::clicked, this, &ThvFormBrowserBase::btnNavClick);
    connect(cbAddress_->lineEdit(), &QLineEdit::returnPressed, this,
            &ThvFormBrowserBase::btnNavClick);
    connect(btnSave_, &QPushButton::clicked, this, &ThvFormBrowserBase::btnSaveClick);
    connect(btnClose_, &QPushButton::clicked, this, &QWidget::close);
}

void ThvFormBrowserBase::FormCreate() {
    busy_ = false;
    host_->OnNavigate = [this](const QString& address, bool& allow) {
        NavigateHandler(address, allow);
    };
    connect(host_, &ThvdvHost::ProgressChanged, this, &ThvFormBrowserBase::ViewProgress);
    connect(host_, &ThvdvHost::StatusTextChanged, stbInfo_, &ThvHintStatusBar::SetHintText);
    connect(host_, &ThvdvHost::NavigateComplete, this, &ThvFormBrowserBase::ViewNavigateComplete);
    const ThvSharedProgramOptions& options = Module()->Options();
    btnO_->setVisible(!options.OperaPath.empty());
    btnFF_->setVisible(!options.FirefoxPath.empty());
    btnIE_->setVisible(!options.InternetExplorerPath.empty());
    tbBrowserSep_->setVisible(!options.OperaPath.empty() || !options.FirefoxPath.empty() ||
                              !options.InternetExplorerPath.empty());
    connect(btnIE_, &QToolButton::clicked, this,
            [this] { OpenInBrowser(Module()->Options().InternetExplorerPath); });
    connect(btnFF_, &QToolButton::clicked, this,
            [this] { OpenInBrowser(Module()->Options().FirefoxPath); });
    connect(btnO_, &QToolButton::clicked, this,
            [this] { OpenInBrowser(Module()->Options().OperaPath); });
    btnPrior_->setEnabled(false);
    btnNext_->setEnabled(false);
}

// --- translation ------------------------------------------------------------------------------

void ThvFormBrowserBase::RegisterMessageTexts() {
    RegisterWebViewTexts(Module()->Language());
}

void ThvFormBrowserBase::TranslateControls(TranslateStep step) {
    ThvlgLanguageCompositeAllEx& c = Module()->LanguageComposite();
    c.AssistantControls.Form(step, kFileShared, formSuffix_, this);
    for (QWidget* w : {static_cast<QWidget*>(btnPrior_), static_cast<QWidget*>(btnNext_),
                       static_cast<QWidget*>(btnRefresh_), static_cast<QWidget*>(btnNav_),
                       static_cast<QWidget*>(btnIE_), static_cast<QWidget*>(btnFF_),
                       static_cast<QWidget*>(btnO_)})
        c.AssistantControls.Control(step, kFileShared, formSuffix_, w);
    c.AssistantControls.Edit(step, kFileShared, formSuffix_, cbAddress_);
    TranslateOwnControls(step);
    c.AssistantControls.Control(step, kFileShared, formSuffix_, btnSave_);
    c.AssistantControls.Control(step, kFileShared, formSuffix_, btnClose_);
    c.AssistantControlsHV.StatusBar(step, kFileShared, formSuffix_, stbInfo_);
}

void ThvFormBrowserBase::RegisterControlTexts() {
    TranslateControls(TranslateStep::Register);
}

void ThvFormBrowserBase::ApplyTranslation() {
    TranslateControls(TranslateStep::Apply);
    host_->Texts = WebViewTexts(Module()->Language());
}

// --- showing, activation, closing -------------------------------------------------------------

void ThvFormBrowserBase::showEvent(QShowEvent* event) {
    ThvFormGenericStructEx::showEvent(event);
    pbInfo_->setValue(0);
    pbInfo_->hide();
    // A window shown without being activated (a window manager may keep the focus where it
    // is) still does its work: showing counts as its first activation.
    QueueActivation();
}

bool ThvFormBrowserBase::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        QueueActivation();
    return ThvFormGenericStructEx::event(e);
}

void ThvFormBrowserBase::QueueActivation() {
    // Activation and showing come together: one run serves both. The work runs from the
    // event loop, not inside the event that announced it.
    if (activationQueued_ || busy_)
        return;
    activationQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        activationQueued_ = false;
        if (!busy_ && isVisible())
            FormActivate();
    });
}

bool ThvFormBrowserBase::LoadAndWait(const QString& address) {
    QPointer<ThvFormBrowserBase> self(this);
    host_->OpenAddress(address);
    busy_ = true;
    ThvDataModuleGenericStruct* module = Module();
    const bool loaded =
        host_->WaitUntilLoaded(kLoadTimeout, [module] { return module->Terminating(); });
    if (self)
        busy_ = false;
    return loaded;
}

void ThvFormBrowserBase::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        return;
    }
    FormClosing();
    host_->Close();
    ThvFormGenericStructEx::closeEvent(event);
}

void ThvFormBrowserBase::FormDestroy() {
    host_->Close();
    host_->disconnect(this);
    host_->OnNavigate = nullptr;
    stbInfo_->WatchHints(false);
    ThvFormGenericStructEx::FormDestroy();
}

// --- the view's events ------------------------------------------------------------------------

void ThvFormBrowserBase::ViewProgress(int position, int maximum) {
    pbInfo_->setMaximum(std::max(0, maximum));
    pbInfo_->setValue(std::clamp(position, 0, std::max(0, maximum)));
    if (pbInfo_->isHidden() && position != 0)
        pbInfo_->show();
    else if (!pbInfo_->isHidden() && position == 0)
        pbInfo_->hide();
}

void ThvFormBrowserBase::ViewNavigateComplete(const QString& location, bool canGoBack,
                                              bool canGoForward) {
    if (location != QLatin1String("about:blank")) {
        int index = cbAddress_->findText(location, Qt::MatchFixedString);
        if (index < 0) {
            // The list keeps itself sorted, ignoring case.
            index = 0;
            while (index < cbAddress_->count() &&
                   cbAddress_->itemText(index).compare(location, Qt::CaseInsensitive) < 0)
                ++index;
            cbAddress_->insertItem(index, location);
        }
        cbAddress_->setCurrentIndex(index);
        if (cbAddress_->currentText() != location)
            cbAddress_->setEditText(location);
    }
    btnPrior_->setEnabled(canGoBack);
    btnNext_->setEnabled(canGoForward);
}

void ThvFormBrowserBase::NavigateHandler(const QString& address, bool& allow) {
    if (KeepsAddress(address)) {
        allow = true;
        return;
    }
    allow = false;
    const std::string question = Module()->Language().GetResString(
        kFileShared, "__MixedText__Module", "OpenExternalBrowserWindow",
        "This will open an external browser window.");
    const int answer = ShowMessageDialog(QString::fromStdString(question), MsgDlgType::Confirmation,
                                         QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Ok)
        ShellExecute("open", address.toStdString(), "", "", SW_SHOWNORMAL);
}

// --- toolbar and footer -----------------------------------------------------------------------

void ThvFormBrowserBase::btnPriorClick() {
    host_->Back();
}

void ThvFormBrowserBase::btnNextClick() {
    host_->Forward();
}

void ThvFormBrowserBase::btnRefreshClick() {
    host_->Refresh();
}

void ThvFormBrowserBase::btnNavClick() {
    const QString text = cbAddress_->currentText().trimmed();
    host_->OpenAddress(text.isEmpty() ? QStringLiteral("about:blank") : text);
}

void ThvFormBrowserBase::OpenInBrowser(const std::string& browserPath) {
    if (browserPath.empty())
        return;
    // A browser that does not start shows nothing here.
    ShellExecute("open", browserPath,
                 QuotedBrowserParameter(cbAddress_->currentText().toStdString()), "",
                 SW_SHOWDEFAULT);
}

void ThvFormBrowserBase::btnSaveClick() {
    Module()->SaveFormPlacement(this);
    Module()->SaveFormMiscState(this);
    Module()->SaveOptionsFile();
}

} // namespace pw
