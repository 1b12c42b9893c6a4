#include "options/ui/hot_key_edit.h"

#include <QKeyEvent>

#include "options/ui/shortcut_text.h"

namespace pw {

THotKeyEdit::THotKeyEdit(QWidget* parent) : QKeySequenceEdit(parent) {
    setClearButtonEnabled(true);
    connect(this, &QKeySequenceEdit::keySequenceChanged, this,
            [this](const QKeySequence& sequence) {
                // The clear button empties the box; recorded keys arrive through keyPressEvent.
                if (sequence.isEmpty())
                    emit HotKeyChanged(QKeyCombination());
            });
}

QKeyCombination THotKeyEdit::HotKey() const {
    const QKeySequence sequence = keySequence();
    return sequence.isEmpty() ? QKeyCombination() : AdmittedHotKey(sequence[0]);
}

void THotKeyEdit::SetHotKey(QKeyCombination key) {
    const QKeyCombination admitted = AdmittedHotKey(key);
    if (!HasKey(admitted))
        setKeySequence(QKeySequence());
    else
        setKeySequence(QKeySequence(admitted));
}

bool THotKeyEdit::IsNavigationKey(const QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                         Qt::AltModifier | Qt::MetaModifier);
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return mods == Qt::NoModifier;
    case Qt::Key_Backtab:
        return (mods & ~Qt::ShiftModifier) == Qt::NoModifier;
    default:
        return false;
    }
}

bool THotKeyEdit::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(e);
        // The key sequence editor takes every key; these go on as in any other control.
        if (IsNavigationKey(key))
            return QWidget::event(e);
    }
    return QKeySequenceEdit::event(e);
}

void THotKeyEdit::keyPressEvent(QKeyEvent* e) {
    if (IsNavigationKey(e)) {
        e->ignore();
        return;
    }
    QKeySequenceEdit::keyPressEvent(e);
    const QKeySequence recorded = keySequence();
    if (recorded.isEmpty())
        return; // a modifier alone so far
    // One combination only: the next press starts a new one.
    const QKeyCombination admitted = AdmittedHotKey(recorded[0]);
    setKeySequence(!HasKey(admitted) ? QKeySequence() : QKeySequence(admitted));
    emit HotKeyChanged(admitted);
}

} // namespace pw
