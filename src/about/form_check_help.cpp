#include "about/form_check_help.h"

#include "about/web_view.h"
#include "framework/system_info.h"
#include "framework/ui/data_module.h"
#include "framework/web_rules.h"

namespace pw {

ThvFormCheckHelp::ThvFormCheckHelp() : ThvFormBrowserBase(kFormSuffix, "pnlHelp", "hvdvHostHelp") {
    setObjectName("hvFormCheckHelp");
}

void ThvFormCheckHelp::CreateLayout() {
    setWindowTitle("Help viewer");
    setMinimumSize(400, 300);
    resize(760, 560);
    ThvFormBrowserBase::CreateLayout();
}

QString ThvFormCheckHelp::IndexPath() const {
    return QString::fromStdString(Module()->Paths().HelpFolder + "index.html");
}

bool ThvFormCheckHelp::KeepsAddress(const QString& address) const {
    return IsHelpAddress(address.toStdString(), Module()->Paths().ProgramFolder);
}

void ThvFormCheckHelp::FormActivate() {
    QPointer<ThvFormCheckHelp> self(this);
    LoadAndWait(IndexPath());
    if (self)
        host_->UserAgent = QString::fromStdString(Module()->SystemInfo().InternetUserAgent());
}

} // namespace pw
