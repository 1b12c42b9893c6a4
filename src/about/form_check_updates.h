#pragma once
// ThvFormCheckUpdates: the Check for updates window. Its first activation loads the product's
// version history page from the maker's web site, naming the product and its version in the
// user agent; pages of the history page's address family stay in the window, others go to the
// default browser. It also holds the interval of the automatic check and the upgrade-highlight
// option.

#include "about/browser_form.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace pw {

class ThvFormCheckUpdates : public ThvFormBrowserBase {
    Q_OBJECT
public:
    static constexpr const char* kFormSuffix = "__CheckUpdates";
    static constexpr const char* kMessageSuffix = "__MixedText__CheckUpdates";

    ThvFormCheckUpdates();

    void RegisterMessageTexts() override;
    bool KeepsAddress(const QString& address) const override;

    // GetWebsiteUrl + "products/pathwick/history.php".
    static QString HistoryAddress();
    bool Started() const { return started_; }
    QSpinBox* DaysBox() const { return seCheckUpdatesDays_; }
    QCheckBox* HighlightBox() const { return chbHighlightIfMajorUpgrade_; }

protected:
    void CreateLayout() override;
    void FormCreate() override;
    void FillFooter(QHBoxLayout* footer) override;
    void FormActivate() override;
    void FormClosing() override;
    void TranslateOwnControls(TranslateStep step) override;

private:
    bool started_ = false;
    QLabel* lblCheckUpdatesDays_ = nullptr;
    QSpinBox* seCheckUpdatesDays_ = nullptr;
    QCheckBox* chbHighlightIfMajorUpgrade_ = nullptr;
    int shownInterval_ = 0; // the interval the box started with, to tell a change
};

} // namespace pw
