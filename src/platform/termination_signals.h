#pragma once
// Ends the program in order when the session asks it to (SIGTERM, SIGINT, SIGHUP): the signal
// is turned into a call on the user-interface thread, so the windows save their state and the
// options file is written as at a normal close.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace pw {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // onSignal runs on the thread that owns this object, once per signal received.
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace pw
