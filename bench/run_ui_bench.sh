#!/usr/bin/env bash
# The desktop figures, all in one X session (its own Xvfb and trayer, a temporary HOME):
#   - the floor: a bare Qt tray program (bench/bare_tray), start to tray icon docked and peak memory;
#   - Pathwick with 10, 10,000 and 100,000 links: start to tray icon docked as a ratio to the
#     floor, peak memory as the excess over the floor;
#   - hot key (and pathwick-ctl popup) to the popup mapped with 1,000 and 10,000 root entries;
#   - the first opening of a submenu of 1,000 entries.
# Usage: bench/run_ui_bench.sh [BUILD_DIR] (RUNS=n starts per figure, 5 unless given)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-5}
tmp=$(mktemp -d /tmp/pathwick-bench-XXXXXX)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$tmp"; }
trap cleanup EXIT

export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share"
export XDG_RUNTIME_DIR="$tmp/run" TMPDIR="$tmp/tmp" DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
unset QT_QPA_PLATFORM
mkdir -p "$HOME/Documents" "$XDG_RUNTIME_DIR" "$TMPDIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$HOME/Documents/Halvorn-Ek/Pathwick"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/display")"
trayer --edge top --align right --widthtype pixel --width 200 --height 32 >/dev/null 2>&1 &
pids+=($!)
sleep 1

probe="$build/bench/ui_latency_probe"
# median FIELD FILE: the median of "start to tray icon docked" (ms) or "peak memory" (kB).
median() { sed -n "s/^$1: median \([0-9.]*\).*/\1/p" "$2"; }

generate() { # LINKS FOLDERS
    rm -rf "$data/shortcuts" "$XDG_RUNTIME_DIR"/pathwick-*
    "$build/bench/items_tree_gen" "$data/shortcuts" "$1" "$2"
    # The starts measure a warm cache, not the write-back of the tree just made (or removed).
    sync
}

run_program() { # started, and waited for until the instance answers
    "$build/bin/pathwick" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do ls "$XDG_RUNTIME_DIR"/pathwick-* >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 2
}
stop_program() { kill "${pids[-1]}"; wait "${pids[-1]}" 2>/dev/null || true; }

echo "== floor: a bare Qt tray program"
"$probe" start "$build/bench/bare_tray" "$runs" bare_tray | tee "$tmp/floor"
floor_ms=$(median "start to tray icon docked" "$tmp/floor")
floor_kb=$(median "peak memory" "$tmp/floor")

for size in "10 1" "10000 1000" "100000 10000"; do
    set -- $size
    echo "== $1 links in $2 folders"
    generate "$1" "$2"
    "$probe" start "$build/bin/pathwick" "$runs" | tee "$tmp/start"
    awk -v ms="$(median "start to tray icon docked" "$tmp/start")" \
        -v kb="$(median "peak memory" "$tmp/start")" -v fms="$floor_ms" -v fkb="$floor_kb" \
        'BEGIN { printf "   %.2f times the floor, %.1f MB over the floor\n", ms / fms, (kb - fkb) / 1024 }'
done

for entries in 1000 10000; do
    echo "== $entries entries on the root level"
    generate "$entries" 0
    run_program
    xdotool mousemove 300 200
    "$probe" popup 20
    [ "$entries" = 1000 ] && "$probe" ctl 10 "$build/bin/pathwick-ctl"
    stop_program
done

echo "== submenus of 1,000 entries (5 folders)"
generate 6000 5
run_program
xdotool mousemove 300 200
"$probe" submenu 5
stop_program
