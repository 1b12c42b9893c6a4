#include "menu/tray_activation.h"

#include <QApplication>
#include <QTimer>

namespace pw {

TTrayActivation::TTrayActivation(QObject* parent) : QObject(parent), wait_(new QTimer(this)) {
    wait_->setSingleShot(true);
    wait_->setInterval(QApplication::doubleClickInterval());
    connect(wait_, &QTimer::timeout, this, &TTrayActivation::Click);
}

void TTrayActivation::Activated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (wait_->isActive()) {
            wait_->stop();
            doubleGiven_ = true;
            emit DoubleClick();
        } else {
            doubleGiven_ = false;
            wait_->start();
        }
        break;
    case QSystemTrayIcon::DoubleClick:
        wait_->stop();
        // The XEmbed tray's DoubleClick after the second press that already counted.
        if (!doubleGiven_)
            emit DoubleClick();
        doubleGiven_ = false;
        break;
    case QSystemTrayIcon::Context:
        wait_->stop();
        // Once the tray's own event has returned: the popup runs a loop of its own.
        QTimer::singleShot(0, this, &TTrayActivation::Click);
        break;
    case QSystemTrayIcon::MiddleClick:
        wait_->stop();
        emit DoubleClick();
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}

} // namespace pw
