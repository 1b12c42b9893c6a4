#pragma once
// Shows a popup menu at the mouse cursor and waits until it closes.

class QMenu;
class QWidget;

namespace pw {

void PopupAtCursor(QMenu* menu, QWidget* window);

} // namespace pw
