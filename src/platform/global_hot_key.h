#pragma once
// A process-wide key combination: an X11 key grab on the root window, seen through a native
// event filter. The combination is grabbed once for every state of the lock keys (none,
// NumLock, CapsLock, both), so it works whatever lights are on, and grabbed again when the
// keyboard mapping changes. Where no X11 display serves the program, registration fails.

#include <QAbstractNativeEventFilter>
#include <QKeyCombination>
#include <QKeySequence>
#include <QObject>
#include <cstdint>
#include <vector>

namespace pw {

class GlobalHotKey : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit GlobalHotKey(QObject* parent = nullptr);
    ~GlobalHotKey() override;

    // Releases the current combination, then takes key (Shift, Ctrl, Alt and Meta as it has
    // them). False, and the hot key inactive, when key is empty, has no key on this keyboard,
    // there is no X11 display, or another program holds the combination.
    bool SetShortCut(QKeyCombination key);
    // The first combination of the sequence; an empty sequence just releases.
    bool SetShortCut(const QKeySequence& sequence);
    void Unregister();

    bool IsActive() const { return active_; }
    QKeyCombination ShortCut() const { return shortcut_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // The combination was pressed.
    void Activated();

private:
    bool Grab();
    void Ungrab();
    void ScheduleRegrab();

    QKeyCombination shortcut_;
    bool active_ = false;
    uint8_t keycode_ = 0;
    uint16_t modifiers_ = 0;
    std::vector<uint16_t> lockVariants_;
    std::vector<uint32_t> roots_;
    uint8_t xkbFirstEvent_ = 0;
    bool regrabPending_ = false;
};

} // namespace pw
