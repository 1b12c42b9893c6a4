# Shared set-up of the end-to-end tests: a private X server, an optional tray host, a temporary
# HOME, and clean-up of exactly the processes a test started.
# Usage: source lib.sh "$BIN_DIR"; e2e_start_display; [e2e_start_tray]; ...; (trap cleans up)

set -u
E2E_BIN=${1:?program folder}
E2E_PIDS=()
E2E_TMP=$(mktemp -d /tmp/pathwick-e2e-XXXXXX)

e2e_cleanup() {
    local pid i
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${E2E_PIDS[@]}"; do
        for i in $(seq 1 20); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -f "$E2E_TMP/program.err" ]; then
        echo "--- program stderr:" >&2
        tail -n 40 "$E2E_TMP/program.err" >&2
    fi
    exit 1
}

# A temporary home with the XDG folders inside it; nothing reaches a session bus, so Qt docks its
# tray icon by XEmbed.
export HOME="$E2E_TMP/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache" XDG_RUNTIME_DIR="$E2E_TMP/runtime"
export TMPDIR="$E2E_TMP/tmp"
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Starts Xvfb on a free display and exports DISPLAY. -noreset: without it the server resets when
# its last client goes, and a program started in that moment cannot connect.
e2e_start_display() {
    local fdfile="$E2E_TMP/displayfd"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" 2>"$E2E_TMP/xvfb.err" &
    E2E_PIDS+=($!)
    local i
    for i in $(seq 1 100); do
        if [ -s "$fdfile" ]; then
            export DISPLAY=":$(head -n1 "$fdfile")"
            return 0
        fi
        sleep 0.05
    done
    e2e_fail "Xvfb did not start"
}

# Starts trayer, a notification area host, and waits until it has mapped its window.
e2e_start_tray() {
    trayer --edge top --align right --widthtype pixel --width 200 --height 32 \
        >"$E2E_TMP/trayer.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_for "trayer window" 10 xdotool search --onlyvisible --classname panel
}

# e2e_wait_for DESCRIPTION SECONDS COMMAND...: runs COMMAND until it succeeds.
e2e_wait_for() {
    local what=$1 seconds=$2
    shift 2
    local i
    for i in $(seq 1 $((seconds * 10))); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "timed out waiting for $what"
}

# Starts pathwick in the background with the given arguments; its PID is in E2E_PROGRAM.
e2e_start_program() {
    "$E2E_BIN/pathwick" "$@" >"$E2E_TMP/program.out" 2>"$E2E_TMP/program.err" &
    E2E_PROGRAM=$!
    E2E_PIDS+=($E2E_PROGRAM)
}

# Waits for a child process to end within SECONDS; its exit status goes to E2E_STATUS.
e2e_wait_exit() {
    local pid=$1 seconds=$2 i
    for i in $(seq 1 $((seconds * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            E2E_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "process $pid did not end within $seconds s"
}

# The running instance's endpoint (a local socket) exists.
e2e_instance_listening() {
    ls "$XDG_RUNTIME_DIR"/pathwick-560CEE382FE04EEE8EE428712CD776BE-* 2>/dev/null | grep -qv '\.lock$'
}

# The data folder the program uses for this HOME (the default "os" access mode).
E2E_DATA="$HOME/Documents/Halvorn-Ek/Pathwick"

# The system's python3, which has the Debian D-Bus bindings (python3-dbus, python3-gi).
E2E_PYTHON=/usr/bin/python3
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Starts a private D-Bus session bus and exports its address. Its configuration allows every
# name and message and activates no services, so only what the test starts is on it.
e2e_start_session_bus() {
    cat >"$E2E_TMP/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$E2E_TMP</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    dbus-daemon --config-file="$E2E_TMP/bus.conf" --nofork --nopidfile --print-address=3 \
        3>"$E2E_TMP/bus.address" 2>"$E2E_TMP/dbus.err" &
    E2E_PIDS+=($!)
    e2e_wait_for "the session bus" 10 test -s "$E2E_TMP/bus.address"
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$E2E_TMP/bus.address")
    export DBUS_SESSION_BUS_ADDRESS
}

# Starts the test's status notifier watcher and host (sni_watcher.py) on the session bus; its log
# is $E2E_TMP/sni.log (one file per start: sni.log, then sni.log.2, ...), its PID E2E_SNI.
E2E_SNI_STARTS=0
e2e_start_sni_watcher() {
    E2E_SNI_STARTS=$((E2E_SNI_STARTS + 1))
    E2E_SNI_LOG="$E2E_TMP/sni.log"
    [ "$E2E_SNI_STARTS" -eq 1 ] || E2E_SNI_LOG="$E2E_TMP/sni.log.$E2E_SNI_STARTS"
    "$E2E_PYTHON" "$E2E_DIR/sni_watcher.py" serve "$E2E_SNI_LOG" 2>>"$E2E_TMP/sni.err" &
    E2E_SNI=$!
    E2E_PIDS+=($E2E_SNI)
    e2e_wait_for "the status notifier watcher" 10 grep -q '^ready$' "$E2E_SNI_LOG"
}

# Ends the watcher as a desktop shell's restart does; waits until its name has left the bus.
e2e_stop_sni_watcher() {
    kill "$E2E_SNI" 2>/dev/null
    e2e_wait_exit "$E2E_SNI" 10
}

# The first item registered with the current watcher, as "SERVICE PATH" ("" when none).
e2e_sni_item() {
    sed -n 's/^item //p' "$E2E_SNI_LOG" 2>/dev/null | head -n1
}

# Runs the watcher's client: e2e_sni props|call|twice ... on the registered item.
e2e_sni() {
    local what=$1
    shift
    # shellcheck disable=SC2046
    "$E2E_PYTHON" "$E2E_DIR/sni_watcher.py" "$what" $(e2e_sni_item) "$@"
}

# Asks a window to close as a window manager's close box does (a WM_DELETE_WINDOW message); the
# e2e display runs no window manager.
e2e_close_window() {
    "$E2E_PYTHON" - "$1" <<'PY'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit(1)
window = int(sys.argv[1], 0)
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.xclient.data[1] = 0  # CurrentTime
status = x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x11.XFlush(display)
x11.XCloseDisplay(display)
sys.exit(0 if status else 1)
PY
}
