#include "framework/ui/hint_status_bar.h"

#include <QDynamicPropertyChangeEvent>

namespace pw {

namespace {
constexpr const char* kAutoHintDef = "AutoHintDef";
}

ThvStatusBar::ThvStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setProperty(kAutoHintDef, QString());
    restore_.setSingleShot(true);
    connect(&restore_, &QTimer::timeout, this, &ThvStatusBar::RestoreDefault);
}

QString ThvStatusBar::AutoHintDef() const {
    return property(kAutoHintDef).toString();
}

void ThvStatusBar::SetAutoHintDef(const QString& text) {
    setProperty(kAutoHintDef, text);
}

QString ThvStatusBar::LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void ThvStatusBar::ShowHint(const QString& text) {
    const QString fallback = AutoHintDef();
    if (text == fallback) {
        restore_.stop();
        remembered_.clear();
        showMessage(fallback);
        return;
    }
    if (text.isEmpty()) {
        if (currentMessage() == fallback)
            return;
        remembered_.clear();
        clearMessage();
    } else {
        if (text == remembered_)
            return;
        remembered_ = text;
        showMessage(text);
    }
    if (restoreInterval_ > 0)
        restore_.start(restoreInterval_);
    else
        restore_.stop();
}

void ThvStatusBar::RestoreDefault() {
    restore_.stop();
    showMessage(AutoHintDef());
}

bool ThvStatusBar::event(QEvent* event) {
    // A new default text (a language switch) shows at once where the old one showed.
    if (event->type() == QEvent::DynamicPropertyChange &&
        static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == kAutoHintDef) {
        if (!restore_.isActive() && remembered_.isEmpty())
            showMessage(AutoHintDef());
    }
    return QStatusBar::event(event);
}

} // namespace pw
