#pragma once
// What a click on the tray icon means: a click (the popup) or a double click (the manager
// window), from the activations the tray reports.
//
// An XEmbed tray reports a press of the left button (Trigger), for a double click a second press
// and then DoubleClick; a status notifier host reports Activate as Trigger and has no double
// click of its own, but may call SecondaryActivate (the middle button), reported as MiddleClick.
// So: a Trigger waits the double-click interval for a second one and is a click when none comes;
// a second Trigger within it or a DoubleClick is one double click; ContextMenu (the right button)
// is a click at once; MiddleClick is a double click.

#include <QObject>
#include <QSystemTrayIcon>

class QTimer;

namespace pw {

class TTrayActivation : public QObject {
    Q_OBJECT
public:
    explicit TTrayActivation(QObject* parent = nullptr);

    // Connected to QSystemTrayIcon::activated.
    void Activated(QSystemTrayIcon::ActivationReason reason);

signals:
    void Click();
    void DoubleClick();

private:
    QTimer* wait_ = nullptr;   // runs between a first Trigger and the click it becomes
    bool doubleGiven_ = false; // the second Trigger already gave this double click
};

} // namespace pw
