#!/usr/bin/env bash
# The Preferences dialog on a real X server: opened from the popup, Cancel writes the options
# unchanged (the autostart entry appears), OK with a new hot key makes it work at once and
# releases the old one, the autostart entry follows its check box, a combination another program
# holds is refused in the dialog while the previous hot key stays, and a restart keeps it all.
# Usage: preferences_test.sh PROGRAM_FOLDER (the probe is in PROGRAM_FOLDER/../tests)
source "$(dirname "$0")/lib.sh" "$1"

PROBE="$E2E_BIN/../tests/hotkey_probe"
[ -x "$PROBE" ] || e2e_fail "the probe $PROBE is not built"
e2e_start_display
e2e_start_tray

# No items of the user's own: the root shows the "Program" heading and "Pathwick menu".
mkdir -p "$E2E_DATA/shortcuts"
: >"$E2E_DATA/shortcuts/shortcuts-utf8.txt"
OPTIONS="$E2E_DATA/config/options.ini"
AUTOSTART="$XDG_CONFIG_HOME/autostart/HalvornEk-Pathwick.desktop"

tray_docked() { test -n "$(xdotool search --onlyvisible --classname pathwick 2>/dev/null)"; }
popup_shown() { xdotool search --onlyvisible --name "^Pathwick menu$" >/dev/null 2>&1; }
popup_gone() { ! popup_shown; }
dialog_window() { xdotool search --onlyvisible --name "^Options$" 2>/dev/null | head -n1; }
dialog_shown() { test -n "$(dialog_window)"; }
dialog_gone() { ! dialog_shown; }
warning_shown() { xdotool search --onlyvisible --name "^Warning$" >/dev/null 2>&1; }
option() { sed -n "s/^$1=//p" "$OPTIONS" | tr -d '\r'; }

# e2e_wait_until SECONDS COMMAND...: like e2e_wait_for, but reports instead of failing.
e2e_wait_until() {
    local seconds=$1 i
    shift
    for i in $(seq 1 $((seconds * 10))); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# popup_with KEY [SECONDS]: presses KEY and reports whether the popup opened within SECONDS
# (5 by default), closing it again.
popup_with() {
    xdotool key "$1"
    local i
    for i in $(seq 1 $((${2:-5} * 10))); do
        if popup_shown; then
            xdotool key Escape
            e2e_wait_for "the popup to close" 5 popup_gone
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# open_preferences HOTKEY: Up wraps to the root's last entry, "Pathwick menu"; Right opens it on
# its first entry, from which Up wraps to the bottom: "Close", "Manage items...", "Preferences...".
open_preferences() {
    xdotool mousemove 300 300
    # The grab is made by the delayed start-up, which may come a little after the tray icon.
    local try
    for try in 1 2 3 4 5; do
        xdotool key "$1"
        e2e_wait_until 3 popup_shown && break
    done
    popup_shown || e2e_fail "$1 did not open the popup"
    xdotool key Up Right
    sleep 0.3
    xdotool key Up Up Up Return
    e2e_wait_for "the Options dialog" 10 dialog_shown
    # The dialog takes the keyboard (there is no window manager to give it).
    xdotool windowfocus --sync "$(dialog_window)"
    sleep 0.3
}

e2e_start_program
e2e_wait_for "the tray icon" 20 tray_docked
sleep 0.5
[ ! -e "$AUTOSTART" ] || e2e_fail "the autostart entry exists before the options were written"

# Cancel changes nothing but writes the options file, and with it the autostart entry.
open_preferences ctrl+l
xdotool key Escape
e2e_wait_for "the dialog to close after the first Escape" 10 dialog_gone
e2e_wait_for "the options file" 5 test -s "$OPTIONS"
[ "$(option ProgramPopupShortCut)" = "CTRL+L" ] || e2e_fail "Cancel changed the hot key to $(option ProgramPopupShortCut)"
[ -e "$AUTOSTART" ] || e2e_fail "no autostart entry after the options were written"
grep -q "^Exec=$E2E_BIN/pathwick$" "$AUTOSTART" || e2e_fail "autostart entry: $(cat "$AUTOSTART")"

# OK with Ctrl+K and the tray check box cleared.
open_preferences ctrl+l
xdotool key ctrl+Tab # to the page "Miscellaneous": the focus is on the tray check box
sleep 0.3
xdotool key space Tab
sleep 0.2
xdotool key ctrl+k
sleep 0.2
xdotool key Return
e2e_wait_for "the dialog to close after OK" 10 dialog_gone
[ "$(option ProgramPopupShortCut)" = "Ctrl+K" ] || e2e_fail "the options file holds '$(option ProgramPopupShortCut)'"
[ "$(option AlwaysShowInTray)" = "0" ] || e2e_fail "AlwaysShowInTray is '$(option AlwaysShowInTray)'"
[ ! -e "$AUTOSTART" ] || e2e_fail "the autostart entry stayed after its check box was cleared"
xdotool mousemove 300 300
popup_with ctrl+k || e2e_fail "Ctrl+K does not open the popup"
! popup_with ctrl+l 2 || e2e_fail "Ctrl+L still opens the popup"

# A combination another program holds is refused in the dialog; Ctrl+K stays.
"$PROBE" CTRL+J >"$E2E_TMP/probe.out" 2>>"$E2E_TMP/program.err" &
E2E_PIDS+=($!)
e2e_wait_for "the probe to hold Ctrl+J" 10 grep -q '^registered$' "$E2E_TMP/probe.out"
open_preferences ctrl+k
# The dialog opens on the page it was closed on, with the tray check box focused. The probe's
# grab takes Ctrl+J itself wherever the focus is; Ctrl+Alt+J reaches the box, which keeps Ctrl+J.
xdotool key space Tab
sleep 0.2
# The hot key itself, pressed in the box, is recorded there instead of opening the popup.
xdotool key ctrl+k
sleep 0.5
! popup_shown || e2e_fail "Ctrl+K in the hot key box opened the popup"
xdotool key ctrl+alt+j
sleep 0.2
xdotool key Return
e2e_wait_for "the warning about Ctrl+J" 10 warning_shown
dialog_shown || e2e_fail "the dialog closed although its hot key was refused"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Warning$' | head -n1)"
xdotool key Return
e2e_wait_for "the warning to close" 5 bash -c '! xdotool search --onlyvisible --name "^Warning$"'
dialog_shown || e2e_fail "the dialog closed with the warning"
sleep 0.5
xdotool windowfocus --sync "$(dialog_window)"
sleep 0.3
xdotool key Escape
e2e_wait_for "the dialog to close after the Escape that follows the refusal" 10 dialog_gone
[ "$(option ProgramPopupShortCut)" = "Ctrl+K" ] || e2e_fail "after the refusal the file holds '$(option ProgramPopupShortCut)'"
[ "$(option AlwaysShowInTray)" = "0" ] || e2e_fail "Cancel after the refusal changed the tray option"
[ ! -e "$AUTOSTART" ] || e2e_fail "Cancel after the refusal wrote the autostart entry"
popup_with ctrl+k || e2e_fail "Ctrl+K stopped working when Ctrl+J was refused"

# A restart keeps Ctrl+K.
kill "$E2E_PROGRAM"
e2e_wait_exit "$E2E_PROGRAM" 20
e2e_start_program
e2e_wait_for "the tray icon after the restart" 20 tray_docked
sleep 0.5
popup_with ctrl+k || e2e_fail "Ctrl+K does not open the popup after a restart"
! popup_with ctrl+l 2 || e2e_fail "Ctrl+L opens the popup after a restart"
echo "PASS: preferences"
