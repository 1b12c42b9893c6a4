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

// Why the last SetShortCut left the requested combination without a grab.
enum class HotKeyFailure {
    None,       // the combination is grabbed
    NoShortCut, // no combination (empty, or a modifier alone)
    NoDisplay,  // no X11 display serves the program (Wayland, offscreen)
    NoKey,      // no key of this keyboard gives the combination's symbol
    Taken,      // another program holds the combination
};

class GlobalHotKey : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit GlobalHotKey(QObject* parent = nullptr);
    ~GlobalHotKey() override;

    // Takes key (Shift, Ctrl, Alt and Meta as it has them; Shift added where the key's symbol
    // sits on the shifted level, as "!" does) in place of the current combination. An active
    // combination equal to key is kept as it is. False when key is empty (the hot key is then
    // released), when there is no X11 display (nothing active, key remembered), or when no key
    // of the keyboard gives it or another program holds it: then the previous combination stays
    // grabbed and active. Failure() tells which.
    bool SetShortCut(QKeyCombination key);
    // The first combination of the sequence; an empty sequence just releases.
    bool SetShortCut(const QKeySequence& sequence);
    void Unregister();

    // While recording, a press of the combination is handed on as Recorded instead of firing:
    // a box that records key combinations gets the one that is the hot key.
    void SetRecording(bool on) { recording_ = on; }
    bool IsRecording() const { return recording_; }

    bool IsActive() const { return active_; }
    QKeyCombination ShortCut() const { return shortcut_; }
    HotKeyFailure Failure() const { return failure_; }
    // The reason of a failure in a few English words, for the log.
    static const char* FailureText(HotKeyFailure failure);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // The combination was pressed.
    void Activated();
    // The combination was pressed while recording.
    void Recorded(QKeyCombination key);

private:
    HotKeyFailure Grab();
    void Ungrab();
    void ScheduleRegrab();
    bool HasShortCut() const;

    QKeyCombination shortcut_;
    bool active_ = false;
    bool recording_ = false;
    HotKeyFailure failure_ = HotKeyFailure::NoShortCut;
    uint8_t keycode_ = 0;
    uint16_t modifiers_ = 0;
    std::vector<uint16_t> lockVariants_;
    std::vector<uint32_t> roots_;
    uint8_t xkbFirstEvent_ = 0;
    bool regrabPending_ = false;
};

} // namespace pw
