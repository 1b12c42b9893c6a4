#include "menu/popup_at_cursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace pw {

void PopupAtCursor(QMenu* menu, QWidget* window) {
    if (!menu || menu->isVisible())
        return;
    const QPoint pos = QCursor::pos();
    QCoreApplication::processEvents();
    // A shown window comes to the front with its menu; a hidden one stays hidden.
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
    menu->exec(pos);
}

} // namespace pw
