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

# Starts Xvfb on a free display and exports DISPLAY.
e2e_start_display() {
    local fdfile="$E2E_TMP/displayfd"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>"$E2E_TMP/xvfb.err" &
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
