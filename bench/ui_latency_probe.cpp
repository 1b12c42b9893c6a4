// Measures the desktop program from outside, on a running X server:
//   ui_latency_probe popup N        N times: Ctrl+L pressed (XTest) -> popup "Pathwick menu" mapped
//   ui_latency_probe ctl N CTL      N times: `CTL popup` started -> popup mapped
//   ui_latency_probe submenu N      N times: Ctrl+L, then Down i + 1 times and Right -> the
//                                   submenu of root entry i + 1 mapped (its first opening)
//   ui_latency_probe start PROGRAM [RUNS [CLASS]]
//                                   RUNS times: PROGRAM started -> its tray icon (a window of
//                                   class CLASS, "pathwick" unless given) docked (reparented),
//                                   and the program's peak memory a second later
// Prints one line per figure, in milliseconds (median, min, max) or kB.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct X {
    xcb_connection_t* c = nullptr;
    xcb_window_t root = 0;
};

xcb_atom_t Atom(X& x, const char* name) {
    auto cookie = xcb_intern_atom(x.c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(x.c, cookie, nullptr);
    xcb_atom_t a = r ? r->atom : 0;
    std::free(r);
    return a;
}

std::string Property(X& x, xcb_window_t w, xcb_atom_t prop) {
    auto cookie = xcb_get_property(x.c, 0, w, prop, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* r = xcb_get_property_reply(x.c, cookie, nullptr);
    std::string v;
    if (r) {
        v.assign(static_cast<const char*>(xcb_get_property_value(r)),
                 static_cast<size_t>(xcb_get_property_value_length(r)));
        std::free(r);
    }
    return v;
}

xcb_keycode_t KeycodeOf(X& x, xcb_keysym_t sym) {
    const xcb_setup_t* setup = xcb_get_setup(x.c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto cookie = xcb_get_keyboard_mapping(x.c, setup->min_keycode, static_cast<uint8_t>(count));
    xcb_get_keyboard_mapping_reply_t* r = xcb_get_keyboard_mapping_reply(x.c, cookie, nullptr);
    xcb_keycode_t found = 0;
    if (r) {
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(r);
        for (int k = 0; k < count && !found; ++k)
            for (int i = 0; i < r->keysyms_per_keycode; ++i)
                if (syms[k * r->keysyms_per_keycode + i] == sym)
                    found = static_cast<xcb_keycode_t>(setup->min_keycode + k);
        std::free(r);
    }
    return found;
}

void Key(X& x, xcb_keycode_t code, bool press) {
    xcb_test_fake_input(x.c, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, code, XCB_CURRENT_TIME,
                        XCB_NONE, 0, 0, 0);
}

void Tap(X& x, std::vector<xcb_keycode_t> codes) {
    for (auto c : codes)
        Key(x, c, true);
    std::reverse(codes.begin(), codes.end());
    for (auto c : codes)
        Key(x, c, false);
    xcb_flush(x.c);
}

// Waits for an event that satisfies pred; nothing after timeoutMs.
template <typename Pred> std::optional<Clock::time_point> WaitFor(X& x, int timeoutMs, Pred pred) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(x.c)) {
            const auto now = Clock::now();
            const bool hit = pred(e);
            std::free(e);
            if (hit)
                return now;
        }
        usleep(200);
    }
    return std::nullopt;
}

void Report(const char* what, std::vector<double> ms) {
    if (ms.empty()) {
        std::printf("%s: no measurement\n", what);
        return;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.1f ms, min %.1f ms, max %.1f ms (%zu runs)\n", what,
                ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
}

pid_t Spawn(const std::vector<std::string>& args) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ui_latency_probe popup N | ctl N CTL | submenu N | start "
                             "PROGRAM [RUNS [CLASS]]\n");
        return 2;
    }
    X x;
    x.c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x.c)) {
        std::fprintf(stderr, "ui_latency_probe: no X display\n");
        return 1;
    }
    x.root = xcb_setup_roots_iterator(xcb_get_setup(x.c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.c, x.root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x.c);
    const xcb_atom_t wmName = XCB_ATOM_WM_NAME;
    const xcb_atom_t wmClass = XCB_ATOM_WM_CLASS;
    (void)Atom;

    const std::string mode = argv[1];
    auto isPopupMap = [&](xcb_generic_event_t* e) {
        if ((e->response_type & 0x7f) != XCB_MAP_NOTIFY)
            return false;
        auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
        return Property(x, m->window, wmName) == "Pathwick menu";
    };

    if (mode == "popup" || mode == "ctl") {
        const int runs = std::max(1, std::atoi(argv[2]));
        const xcb_keycode_t ctrl = KeycodeOf(x, 0xffe3), l = KeycodeOf(x, 0x6c),
                            esc = KeycodeOf(x, 0xff1b);
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            const auto t0 = Clock::now();
            pid_t ctl = 0;
            if (mode == "popup")
                Tap(x, {ctrl, l});
            else if (argc > 3)
                ctl = Spawn({argv[3], "popup"});
            if (auto t1 = WaitFor(x, 5000, isPopupMap))
                ms.push_back(std::chrono::duration<double, std::milli>(*t1 - t0).count());
            if (ctl > 0)
                waitpid(ctl, nullptr, 0);
            usleep(100 * 1000);
            Tap(x, {esc});
            usleep(300 * 1000);
        }
        Report(mode == "popup" ? "hot key to popup mapped" : "pathwick-ctl popup to popup mapped",
               ms);
        return ms.empty() ? 1 : 0;
    }
    if (mode == "submenu") {
        // Run i opens the popup and then, by keyboard, the submenu of its entry i + 1: each
        // opening is the first of that submenu since the program started.
        const int runs = std::max(1, std::atoi(argv[2]));
        const xcb_keycode_t ctrl = KeycodeOf(x, 0xffe3), l = KeycodeOf(x, 0x6c),
                            esc = KeycodeOf(x, 0xff1b), down = KeycodeOf(x, 0xff54),
                            right = KeycodeOf(x, 0xff53);
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            xcb_window_t popup = 0;
            Tap(x, {ctrl, l});
            if (!WaitFor(x, 5000, [&](xcb_generic_event_t* e) {
                    if (!isPopupMap(e))
                        return false;
                    popup = reinterpret_cast<xcb_map_notify_event_t*>(e)->window;
                    return true;
                }))
                continue;
            usleep(100 * 1000);
            for (int d = 0; d <= i; ++d) {
                Tap(x, {down});
                usleep(30 * 1000);
            }
            usleep(200 * 1000);
            while (xcb_generic_event_t* e = xcb_poll_for_event(x.c))
                std::free(e);
            const auto t0 = Clock::now();
            Tap(x, {right});
            if (auto t1 = WaitFor(x, 5000, [&](xcb_generic_event_t* e) {
                    return (e->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                           reinterpret_cast<xcb_map_notify_event_t*>(e)->window != popup;
                }))
                ms.push_back(std::chrono::duration<double, std::milli>(*t1 - t0).count());
            usleep(100 * 1000);
            Tap(x, {esc});
            usleep(100 * 1000);
            Tap(x, {esc});
            usleep(300 * 1000);
        }
        Report("first opening of a submenu", ms);
        return ms.empty() ? 1 : 0;
    }
    if (mode == "start") {
        // start PROGRAM [RUNS [CLASS]]: the window class names the tray icon's window.
        const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
        const std::string windowClass = argc > 4 ? argv[4] : "pathwick";
        std::vector<double> ms, kb;
        for (int i = 0; i < runs; ++i) {
            const auto t0 = Clock::now();
            const pid_t pid = Spawn({argv[2]});
            auto docked = WaitFor(x, 30000, [&](xcb_generic_event_t* e) {
                if ((e->response_type & 0x7f) != XCB_REPARENT_NOTIFY)
                    return false;
                auto* r = reinterpret_cast<xcb_reparent_notify_event_t*>(e);
                return r->parent != x.root &&
                       Property(x, r->window, wmClass).find(windowClass) != std::string::npos;
            });
            if (docked)
                ms.push_back(std::chrono::duration<double, std::milli>(*docked - t0).count());
            sleep(1);
            std::ifstream status("/proc/" + std::to_string(pid) + "/status");
            for (std::string line; std::getline(status, line);)
                if (line.rfind("VmHWM:", 0) == 0)
                    kb.push_back(std::atof(line.substr(6).c_str()));
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            usleep(300 * 1000);
        }
        if (ms.empty())
            std::printf("start to tray icon docked: not docked within 30 s\n");
        else
            Report("start to tray icon docked", ms);
        if (!kb.empty()) {
            std::sort(kb.begin(), kb.end());
            std::printf("peak memory: median %.0f kB, min %.0f kB, max %.0f kB\n",
                        kb[kb.size() / 2], kb.front(), kb.back());
        }
        return ms.size() == static_cast<size_t>(runs) ? 0 : 1;
    }
    std::fprintf(stderr, "ui_latency_probe: unknown mode %s\n", mode.c_str());
    return 2;
}
