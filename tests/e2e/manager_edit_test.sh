#!/usr/bin/env bash
# Editing in the manager window with the keyboard: select, move, delete and save; the shortcut
# file on disk and the popup's order follow the saved tree.
source "$(dirname "$0")/lib.sh" "$1"
e2e_start_display
e2e_start_tray

# Three web links; a stub xdg-open first on the program's PATH records what the popup opens.
mkdir -p "$E2E_DATA/shortcuts" "$E2E_TMP/bin"
{
    printf '^NetLnk|https://alpha.example/|Alpha|\r\n'
    printf '^NetLnk|https://beta.example/|Beta|\r\n'
    printf '^NetLnk|https://gamma.example/|Gamma|\r\n'
} >"$E2E_DATA/shortcuts/shortcuts-utf8.txt"
cat >"$E2E_TMP/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$1" >>"$E2E_TMP/opened"
SH
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH="$E2E_TMP/bin:$PATH"

tray_docked() { test -n "$(xdotool search --onlyvisible --classname pathwick 2>/dev/null)"; }
manager() { xdotool search --onlyvisible --name "^Pathwick 1.9.4$" 2>/dev/null | head -n1; }
manager_shown() { test -n "$(manager)"; }
shown() { xdotool search --onlyvisible --name "^$1$" >/dev/null 2>&1; }
opened() { test "$(wc -l <"$E2E_TMP/opened" 2>/dev/null || echo 0)" -ge "$1"; }

e2e_start_program
e2e_wait_for "the tray icon" 20 tray_docked
"$E2E_BIN/pathwick-ctl" show || e2e_fail "pathwick-ctl show failed"
e2e_wait_for "the manager window" 10 manager_shown
xdotool windowfocus --sync "$(manager)" 2>/dev/null || true
xdotool mousemove 1200 1000
sleep 0.5

# The tree has the keyboard: Gamma (third below the top marker) moves above Beta; Alpha goes.
xdotool key Down Down Down
xdotool key ctrl+Up
xdotool key Up
xdotool key alt+d
sleep 0.3
# Alt+A is "S&ave": the save choice opens at the mouse; its first entry is "Save".
xdotool key alt+a
e2e_wait_for "the save choice" 10 shown "Pathwick save choice"
xdotool key Down Return
expected=$(printf '^NetLnk|https://gamma.example/|Gamma|\r\n^NetLnk|https://beta.example/|Beta|\r\n')
saved() { [ "$(cat "$E2E_DATA/shortcuts/shortcuts-utf8.txt")" = "$expected" ]; }
e2e_wait_for "the saved shortcut file" 10 saved

# Nothing is unsaved now: Esc hides the window without a question.
xdotool key Escape
e2e_wait_for "the manager window to hide" 10 bash -c "! xdotool search --onlyvisible --name '^Pathwick 1.9.4$'"

# The popup shows the saved order: Gamma first, then Beta.
xdotool mousemove 400 300
sleep 0.3
xdotool key ctrl+l
e2e_wait_for "the popup" 10 shown "Pathwick menu"
xdotool key Down Return
e2e_wait_for "the first entry opened" 10 opened 1
e2e_wait_for "the popup to close" 5 bash -c '! xdotool search --onlyvisible --name "^Pathwick menu$"'
xdotool key ctrl+l
e2e_wait_for "the popup" 10 shown "Pathwick menu"
xdotool key Down Down Return
e2e_wait_for "the second entry opened" 10 opened 2
[ "$(sed -n 1p "$E2E_TMP/opened")" = "https://gamma.example/" ] ||
    e2e_fail "the first entry opened $(sed -n 1p "$E2E_TMP/opened")"
[ "$(sed -n 2p "$E2E_TMP/opened")" = "https://beta.example/" ] ||
    e2e_fail "the second entry opened $(sed -n 2p "$E2E_TMP/opened")"
echo "PASS"
