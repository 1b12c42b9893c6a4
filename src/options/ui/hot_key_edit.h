#pragma once
// The hot key box: records one key combination when the user presses it and shows it in the
// toolkit's format. A combination without modifier, and Shift+Ctrl, Ctrl+Alt and
// Shift+Ctrl+Alt, become Ctrl and the key. Tab, Shift+Tab, Return, Enter and Escape without
// modifier are not recorded: they move the focus or reach the window as in any other control.

#include <QKeySequenceEdit>

namespace pw {

class THotKeyEdit : public QKeySequenceEdit {
    Q_OBJECT
public:
    explicit THotKeyEdit(QWidget* parent = nullptr);

    QKeyCombination HotKey() const;
    // Shows key as the box would record it (an empty combination clears the box).
    void SetHotKey(QKeyCombination key);

signals:
    // A combination was recorded or the box was cleared.
    void HotKeyChanged(QKeyCombination key);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    static bool IsNavigationKey(const QKeyEvent* e);
};

} // namespace pw
