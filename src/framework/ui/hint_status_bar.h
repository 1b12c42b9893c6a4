#pragma once
// ThvStatusBar: the hint status bar of the program's windows. It shows a default text
// ("AutoHintDef"), takes the hints of the controls under the mouse, and after a restore interval
// shows its default text again.
//
//   the default text: the restore timer stops, the remembered hint is forgotten, the default shows;
//   an empty text:    nothing while the default shows; else the bar goes blank, the hint is
//                     forgotten, the timer restarts;
//   any other text:   nothing when it is the remembered hint; else it is remembered and shown,
//                     and the timer restarts.
// When the timer runs out the default text shows and the timer stops. An interval of 0 never
// restores.

#include <QStatusBar>
#include <QTimer>

namespace pw {

class ThvStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit ThvStatusBar(QWidget* parent = nullptr);

    static constexpr int kDefaultRestoreInterval = 3750;

    // The default text, kept in the "AutoHintDef" property (which the translation reads and sets).
    QString AutoHintDef() const;
    void SetAutoHintDef(const QString& text);
    void SetRestoreInterval(int milliseconds) { restoreInterval_ = milliseconds; }
    int RestoreInterval() const { return restoreInterval_; }

    // A hint for the bar (the long part of a control's hint, or a text of the window's own).
    void ShowHint(const QString& text);
    QString RememberedHint() const { return remembered_; }
    QString Text() const { return currentMessage(); }
    bool RestorePending() const { return restore_.isActive(); }
    // The part of a hint after its first "|"; the whole hint when it has none.
    static QString LongHint(const QString& hint);

protected:
    bool event(QEvent* event) override;

private:
    void RestoreDefault();

    QTimer restore_;
    QString remembered_;
    int restoreInterval_ = kDefaultRestoreInterval;
};

} // namespace pw
