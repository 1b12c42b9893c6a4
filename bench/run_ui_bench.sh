#!/usr/bin/env bash
# The desktop figures: hot key (and pathwick-ctl popup) to the popup mapped with 1,000 entries on
# the root level, and start to tray icon docked with 10,000 links in 1,000 folders, with peak
# memory. Runs its own Xvfb and trayer in a temporary HOME.
# Usage: bench/run_ui_bench.sh [BUILD_DIR]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
tmp=$(mktemp -d /tmp/pathwick-bench-XXXXXX)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$tmp"; }
trap cleanup EXIT

export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share"
export XDG_RUNTIME_DIR="$tmp/run" TMPDIR="$tmp/tmp" DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
unset QT_QPA_PLATFORM
mkdir -p "$HOME/Documents" "$XDG_RUNTIME_DIR" "$TMPDIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$HOME/Documents/Halvorn-Ek/Pathwick"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/display")"
trayer --edge top --align right --widthtype pixel --width 200 --height 32 >/dev/null 2>&1 &
pids+=($!)
sleep 1

run_program() { # wait until the instance answers
    "$build/bin/pathwick" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do "$build/bin/pathwick-ctl" paths >/dev/null 2>&1; ls "$XDG_RUNTIME_DIR"/pathwick-* >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 2
}

echo "== 1,000 entries on the root level"
rm -rf "$data/shortcuts"
"$build/bench/items_tree_gen" "$data/shortcuts" 1000 0
run_program
xdotool mousemove 300 200
"$build/bench/ui_latency_probe" popup 20
"$build/bench/ui_latency_probe" ctl 10 "$build/bin/pathwick-ctl"
kill "${pids[-1]}"; wait "${pids[-1]}" 2>/dev/null || true

echo "== 10,000 links in 1,000 folders"
rm -rf "$data/shortcuts" "$XDG_RUNTIME_DIR"/pathwick-*
"$build/bench/items_tree_gen" "$data/shortcuts" 10000 1000
"$build/bench/ui_latency_probe" start "$build/bin/pathwick"
"$build/bench/ui_latency_probe" start "$build/bin/pathwick"
