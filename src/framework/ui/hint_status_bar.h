#pragma once
// ThvHintStatusBar: a status bar with a default text that shows the hints of the controls under
// the mouse pointer and the texts other code hands it, and returns to its default text after a
// restore interval.
//
//   the default text: the restore timer stops, the remembered hint is forgotten, the default
//                     text is shown;
//   an empty text:    nothing while the default text shows; otherwise the remembered hint is
//                     forgotten, the bar goes blank and the restore timer restarts;
//   any other text:   nothing when it is the remembered hint; otherwise it is remembered,
//                     shown, and the restore timer restarts.
// When the timer runs out the default text is shown (the remembered hint stays). An interval
// of 0 never restores.
//
// The default text is the "AutoHintDef" property, which the language assistant translates. A
// control's hint is its tool tip; the long part after "|" is shown, a hint without "|" whole.
// The first panel is the text; further panels are added with addPermanentWidget.

#include <QStatusBar>

class QTimer;

namespace pw {

class ThvHintStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kDefaultRestoreInterval = 3750;

    explicit ThvHintStatusBar(QWidget* parent = nullptr);

    QString DefaultText() const;
    void SetDefaultText(const QString& text);
    int RestoreInterval() const { return restoreInterval_; }
    void SetRestoreInterval(int milliseconds);
    // A text handed to the bar by the program or by a control's hint (rules above).
    void SetHintText(const QString& text);
    QString Text() const { return currentMessage(); }
    bool ShowingDefault() const { return showingDefault_; }
    QString RememberedHint() const { return rememberedHint_; }
    bool RestorePending() const;
    // Follows the mouse over the controls of this window (the bar's top-level window).
    void WatchHints(bool watch);

    // The long part of a hint: after the first "|", or the whole hint.
    static QString LongHint(const QString& hint);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ShowDefault();
    void Restore();

    QTimer* restoreTimer_ = nullptr;
    int restoreInterval_ = kDefaultRestoreInterval;
    QString rememberedHint_;
    bool showingDefault_ = true;
    bool watching_ = false;
};

} // namespace pw
