#!/usr/bin/env bash
# The tray icon and the hot key open the popup at the mouse; choosing a link starts it;
# a double click shows the manager window; pathwick-ctl popup does what the hot key does.
source "$(dirname "$0")/lib.sh" "$1"
e2e_start_display
e2e_start_tray

# One link to a script that records its arguments and its working folder.
script="$E2E_TMP/tools/record.sh"
mkdir -p "$(dirname "$script")" "$E2E_DATA/shortcuts"
cat >"$script" <<'SH'
#!/bin/sh
printf '%s\n' "$2" >"$1.tmp"
pwd >>"$1.tmp"
echo "startup=${DESKTOP_STARTUP_ID:-none} token=${XDG_ACTIVATION_TOKEN:-none}" >>"$1.tmp"
mv "$1.tmp" "$1"
SH
chmod +x "$script"
marker="$E2E_TMP/marker"
# A document and a web address, opened by the desktop's default handler: a stub xdg-open first on
# the program's PATH records what it was asked to open.
document="$E2E_TMP/notes.txt"
echo "notes" >"$document"
mkdir -p "$E2E_TMP/bin"
cat >"$E2E_TMP/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$1" >>"$E2E_TMP/opened"
SH
chmod +x "$E2E_TMP/bin/xdg-open"
{
    printf '^ExeLnk|%s|%s "two words"||Record||\r\n' "$script" "$marker"
    printf '^UnkLnk|%s|txt|Notes|\r\n' "$document"
    printf '^NetLnk|https://example.org/pathwick|Example|\r\n'
} >"$E2E_DATA/shortcuts/shortcuts-utf8.txt"
export PATH="$E2E_TMP/bin:$PATH"

tray_icon() { xdotool search --onlyvisible --classname pathwick 2>/dev/null | head -n1; }
tray_docked() { test -n "$(tray_icon)"; }
popup_shown() { xdotool search --onlyvisible --name "^Pathwick menu$" >/dev/null 2>&1; }
manager_shown() { xdotool search --onlyvisible --name "^Pathwick 1.9.4$" >/dev/null 2>&1; }

# Started as a desktop launcher starts it: with a start-up notification of its own, which no
# program started from the menu may take over.
DESKTOP_STARTUP_ID="pathwick-launch_TIME1234" XDG_ACTIVATION_TOKEN="pathwick-token" e2e_start_program
e2e_wait_for "the tray icon" 20 tray_docked

# The hot key opens the popup at the mouse.
xdotool mousemove 400 300
sleep 0.5
xdotool key ctrl+l
e2e_wait_for "the popup after Ctrl+L" 10 popup_shown
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name "^Pathwick menu$" | head -n1)")"
[ "$X" -ge 395 ] && [ "$X" -le 405 ] && [ "$Y" -ge 295 ] && [ "$Y" -le 305 ] ||
    e2e_fail "the popup is at $X,$Y, not at the mouse"

# Choosing the link starts the script with its parameters, in its own folder.
xdotool key Down Return
e2e_wait_for "the script's marker file" 10 test -s "$marker"
[ "$(sed -n 1p "$marker")" = "two words" ] || e2e_fail "parameters arrived as '$(sed -n 1p "$marker")'"
[ "$(sed -n 2p "$marker")" = "$E2E_TMP/tools" ] || e2e_fail "started in $(sed -n 2p "$marker")"
[ "$(sed -n 3p "$marker")" = "startup=none token=none" ] ||
    e2e_fail "the started program inherited $(sed -n 3p "$marker")"
e2e_wait_for "the popup to close" 5 bash -c '! xdotool search --onlyvisible --name "^Pathwick menu$"'

# The document and the web address go to the default handler.
for entry in 2 3; do
    xdotool key ctrl+l
    e2e_wait_for "the popup" 10 popup_shown
    for _ in $(seq 1 "$entry"); do xdotool key Down; done
    xdotool key Return
    e2e_wait_for "the handler for entry $entry" 10 test "$(wc -l <"$E2E_TMP/opened" 2>/dev/null || echo 0)" -ge $((entry - 1))
done
[ "$(sed -n 1p "$E2E_TMP/opened")" = "$document" ] || e2e_fail "opened $(sed -n 1p "$E2E_TMP/opened")"
[ "$(sed -n 2p "$E2E_TMP/opened")" = "https://example.org/pathwick" ] ||
    e2e_fail "opened $(sed -n 2p "$E2E_TMP/opened")"

# A left click on the tray icon opens the popup; the click does not choose an entry.
rm -f "$marker"
eval "$(xdotool getwindowgeometry --shell "$(tray_icon)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
e2e_wait_for "the popup after a click on the tray icon" 10 popup_shown
sleep 0.5
[ ! -e "$marker" ] || e2e_fail "the click on the tray icon started the first entry"
xdotool key Escape
e2e_wait_for "the popup to close" 5 bash -c '! xdotool search --onlyvisible --name "^Pathwick menu$"'

# A double click shows the manager window.
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat 2 --delay 60 1
e2e_wait_for "the manager window after a double click" 10 manager_shown
xdotool key --window "$(xdotool search --onlyvisible --name "^Pathwick 1.9.4$" | head -n1)" Escape

# pathwick-ctl popup asks the running instance for the hot key's popup.
xdotool mousemove 600 500
"$E2E_BIN/pathwick-ctl" popup || e2e_fail "pathwick-ctl popup failed"
e2e_wait_for "the popup after pathwick-ctl popup" 10 popup_shown
xdotool key Escape
echo "PASS"
