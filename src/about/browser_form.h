#pragma once
// The frame shared by the Check for updates window and the Help viewer: a toolbar with back,
// forward, refresh, the address box, go and the installed browsers; a panel with the web view;
// a footer with Save and Close; a hint status bar with the load progress.
//
// Each window says which addresses stay inside it (KeepsAddress); the view asks before every
// navigation, and an address the window does not keep is opened in the default browser after
// the question "This will open an external browser window.". The window's work on activation
// (FormActivate) runs once the window has been shown or activated, from the event loop; while
// it waits for its page the window is busy and cannot be closed.

#include <QPointer>

#include "framework/ui/form_base.h"

class QComboBox;
class QHBoxLayout;
class QProgressBar;
class QPushButton;
class QToolButton;
class QWidget;

namespace pw {

class ThvdvHost;
class ThvHintStatusBar;
enum class TranslateStep;

class ThvFormBrowserBase : public ThvFormGenericStructEx {
    Q_OBJECT
public:
    static constexpr int kLoadTimeout = 7500;

    // The form's text file and control section, and the names of its panel and web view.
    ThvFormBrowserBase(const char* formSuffix, const char* panelName, const char* hostName);

    void RegisterMessageTexts() override;
    void RegisterControlTexts() override;
    void ApplyTranslation() override;
    void FormDestroy() override;

    ThvdvHost* Host() const { return host_; }
    ThvHintStatusBar* StatusBar() const { return stbInfo_; }
    QProgressBar* ProgressBar() const { return pbInfo_; }
    QComboBox* AddressBox() const { return cbAddress_; }
    bool Busy() const { return busy_; }

    // The toolbar's commands.
    void btnPriorClick();
    void btnNextClick();
    void btnRefreshClick();
    // Opens the address box's text, "about:blank" when it is empty.
    void btnNavClick();
    // Starts the browser with the address box's text in double quotes as its only parameter.
    void OpenInBrowser(const std::string& browserPath);
    // Placement, state and the options file are written now.
    void btnSaveClick();

    // The navigation rule: true keeps the address in the window.
    virtual bool KeepsAddress(const QString& address) const = 0;
    // Cancelled in the view; after the question, opened with the default browser.
    void NavigateHandler(const QString& address, bool& allow);

protected:
    void CreateLayout() override;
    void FormCreate() override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* e) override;

    // Adds the window's own controls to the footer, before Save and Close.
    virtual void FillFooter(QHBoxLayout* footer) { (void)footer; }
    // The window's work when it has been activated.
    virtual void FormActivate() {}
    // The window closes (it is not busy): last chance to take values from its controls.
    virtual void FormClosing() {}
    // Translates the window's own controls (register or apply).
    virtual void TranslateOwnControls(TranslateStep step) { (void)step; }
    // Opens the address and waits for it up to kLoadTimeout; busy meanwhile.
    bool LoadAndWait(const QString& address);

    const char* formSuffix_;
    bool busy_ = false;
    ThvdvHost* host_ = nullptr;
    ThvHintStatusBar* stbInfo_ = nullptr;
    QProgressBar* pbInfo_ = nullptr;
    QComboBox* cbAddress_ = nullptr;
    QToolButton *btnPrior_ = nullptr, *btnNext_ = nullptr, *btnRefresh_ = nullptr,
                *btnNav_ = nullptr, *btnIE_ = nullptr, *btnFF_ = nullptr, *btnO_ = nullptr;
    QWidget* tbBrowserSep_ = nullptr;
    QPushButton *btnSave_ = nullptr, *btnClose_ = nullptr;

private:
    void TranslateControls(TranslateStep step);
    void QueueActivation();
    void ViewProgress(int position, int maximum);
    void ViewNavigateComplete(const QString& location, bool canGoBack, bool canGoForward);

    const char* panelName_;
    const char* hostName_;
    bool activationQueued_ = false;
};

} // namespace pw
