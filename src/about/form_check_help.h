#pragma once
// ThvFormCheckHelp: the Help viewer. Every activation shows the help folder's index page;
// navigation stays inside the program folder, every other address goes to the default browser.

#include "about/browser_form.h"

namespace pw {

class ThvFormCheckHelp : public ThvFormBrowserBase {
    Q_OBJECT
public:
    static constexpr const char* kFormSuffix = "__CheckHelp";

    ThvFormCheckHelp();

    bool KeepsAddress(const QString& address) const override;
    // The help folder's "index.html".
    QString IndexPath() const;

protected:
    void CreateLayout() override;
    void FormActivate() override;
};

} // namespace pw
