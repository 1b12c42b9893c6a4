#!/usr/bin/env bash
# The XEmbed tray restarts (a panel that crashed or was restarted with the desktop): when the
# tray host ends, the icon leaves it; when a new tray host starts, the icon docks into it again
# within 2 seconds, and a click on it opens the popup.
source "$(dirname "$0")/lib.sh" "$1"
e2e_start_display
e2e_start_tray
E2E_TRAY=${E2E_PIDS[-1]}

mkdir -p "$E2E_DATA/shortcuts"
: >"$E2E_DATA/shortcuts/shortcuts-utf8.txt"

# The icon is docked when one of the program's windows has a parent other than the root window:
# the display runs no window manager, so only an embedder reparents a window of ours.
docked_icon() {
    local w
    for w in $(xdotool search --onlyvisible --classname pathwick 2>/dev/null); do
        if ! xwininfo -id "$w" -tree 2>/dev/null | grep -q '^  Parent window id: .*(the root window)'; then
            echo "$w"
            return 0
        fi
    done
    return 1
}
undocked() { ! docked_icon >/dev/null; }
popup_shown() { xdotool search --onlyvisible --name "^Pathwick menu$" >/dev/null 2>&1; }

e2e_start_program
e2e_wait_for "the tray icon" 20 docked_icon

for round in 1 2; do
    kill "$E2E_TRAY"
    e2e_wait_exit "$E2E_TRAY" 10
    e2e_wait_for "the icon to leave the ended tray (round $round)" 10 undocked
    e2e_start_tray
    E2E_TRAY=${E2E_PIDS[-1]}
    # From the moment the new tray's panel is mapped.
    start=$(date +%s%N)
    e2e_wait_for "the icon to dock into the new tray (round $round)" 10 docked_icon
    elapsed=$((($(date +%s%N) - start) / 1000000))
    echo "round $round: docked again $elapsed ms after the new tray appeared"
    [ "$elapsed" -le 2000 ] || e2e_fail "the icon took $elapsed ms to dock again"
done

# The icon in the new tray works.
eval "$(xdotool getwindowgeometry --shell "$(docked_icon)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
e2e_wait_for "the popup after a click on the re-docked icon" 10 popup_shown
xdotool key Escape
echo "PASS"
