#include "framework/ui/hint_status_bar.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "lang/ui/language_assistants.h"

namespace pw {

namespace {
const char* const kDefaultProperty = ThvlgLanguageAssistantControlsHV::kAutoHintDefProperty;
}

ThvHintStatusBar::ThvHintStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setProperty(kDefaultProperty, QString());
    restoreTimer_ = new QTimer(this);
    restoreTimer_->setSingleShot(true);
    connect(restoreTimer_, &QTimer::timeout, this, &ThvHintStatusBar::Restore);
}

QString ThvHintStatusBar::DefaultText() const {
    return property(kDefaultProperty).toString();
}

void ThvHintStatusBar::SetDefaultText(const QString& text) {
    setProperty(kDefaultProperty, text); // shown through the property change when it shows
}

void ThvHintStatusBar::SetRestoreInterval(int milliseconds) {
    restoreInterval_ = std::max(0, milliseconds);
    if (restoreInterval_ == 0)
        restoreTimer_->stop();
}

void ThvHintStatusBar::ShowDefault() {
    showingDefault_ = true;
    showMessage(DefaultText());
}

void ThvHintStatusBar::Restore() {
    restoreTimer_->stop();
    ShowDefault();
}

void ThvHintStatusBar::SetHintText(const QString& text) {
    auto restartTimer = [this] {
        if (restoreInterval_ > 0)
            restoreTimer_->start(restoreInterval_);
        else
            restoreTimer_->stop();
    };
    if (text == DefaultText()) {
        restoreTimer_->stop();
        rememberedHint_.clear();
        ShowDefault();
        return;
    }
    if (text.isEmpty()) {
        if (showingDefault_)
            return;
        rememberedHint_.clear();
        showingDefault_ = false;
        clearMessage();
        restartTimer();
        return;
    }
    if (text == rememberedHint_)
        return;
    rememberedHint_ = text;
    showingDefault_ = false;
    showMessage(text);
    restartTimer();
}

bool ThvHintStatusBar::RestorePending() const {
    return restoreTimer_->isActive();
}

QString ThvHintStatusBar::LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void ThvHintStatusBar::WatchHints(bool watch) {
    if (watch == watching_)
        return;
    watching_ = watch;
    if (watch)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool ThvHintStatusBar::event(QEvent* e) {
    if (e->type() == QEvent::DynamicPropertyChange && showingDefault_) {
        auto* change = static_cast<QDynamicPropertyChangeEvent*>(e);
        if (change->propertyName() == kDefaultProperty)
            showMessage(DefaultText());
    }
    return QStatusBar::event(e);
}

bool ThvHintStatusBar::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Enter && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget != this && widget->window() == window())
            SetHintText(LongHint(widget->toolTip()));
    }
    return QStatusBar::eventFilter(watched, e);
}

} // namespace pw
