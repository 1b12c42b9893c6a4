// A small X11 client for the hot key's end-to-end test: registers a global hot key (first
// argument, default "CTRL+L") and prints one line per event:
//   registered | failed          the registration's outcome (exit status 3 on failure)
//   press <keycode> <state>      every key press it receives, before the hot key sees it
//   fired <n>                    the hot key fired for the n-th time
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QKeySequence>
#include <cstdio>
#include <xcb/xcb.h>

#include "platform/global_hot_key.h"

namespace {

class PressLogger : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t" || message == nullptr) {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == XCB_KEY_PRESS) {
            const auto* press = static_cast<const xcb_key_press_event_t*>(message);
            std::printf("press %u 0x%x\n", press->detail, press->state);
            std::fflush(stdout);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString keys = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("CTRL+L");
    pw::GlobalHotKey hotKey;
    int count = 0;
    QObject::connect(&hotKey, &pw::GlobalHotKey::Activated, [&count] {
        std::printf("fired %d\n", ++count);
        std::fflush(stdout);
    });
    if (!hotKey.SetShortCut(QKeySequence::fromString(keys, QKeySequence::PortableText))) {
        std::printf("failed\n");
        std::fflush(stdout);
        return 3;
    }
    // Installed after the hot key, so it sees each press first.
    PressLogger logger;
    app.installNativeEventFilter(&logger);
    std::printf("registered\n");
    std::fflush(stdout);
    return app.exec();
}
