#include "menu/popup_at_cursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace pw {

void PopupAtCursor(QMenu* menu, QWidget* window) {
    // One popup at a time: a second request while it is up (a repeated key) is dropped.
    static bool running = false;
    if (!menu || running || menu->isVisible())
        return;
    running = true;
    const QPoint pos = QCursor::pos();
    QCoreApplication::processEvents();
    // A shown window comes to the front with its menu; a hidden one stays hidden.
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
    menu->exec(pos);
    running = false;
}

} // namespace pw
