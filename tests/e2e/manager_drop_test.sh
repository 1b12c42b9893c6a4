#!/usr/bin/env bash
# Files dragged from another program onto the manager window's tree: a real drag between two
# processes on the X server (a small drag source of this test's own, driven with xdotool),
# two files at once, one with a blank in its name. They become links after the item under the
# pointer, the drop takes a copy (never a move), and saving writes them. Then pathwick-ctl add
# hands a file to the running program, an item is dragged inside the tree, and the popup shows
# the added file.
# Usage: manager_drop_test.sh PROGRAM_FOLDER (the drag source is in PROGRAM_FOLDER/../tests)
source "$(dirname "$0")/lib.sh" "$1"

SOURCE="$E2E_BIN/../tests/drag_source"
[ -x "$SOURCE" ] || e2e_fail "the drag source $SOURCE is not built"
e2e_start_display
e2e_start_tray

mkdir -p "$E2E_DATA/shortcuts" "$E2E_TMP/bin" "$E2E_TMP/files"
{
    printf '^NetLnk|https://alpha.example/|Alpha|\r\n'
    printf '^NetLnk|https://beta.example/|Beta|\r\n'
} >"$E2E_DATA/shortcuts/shortcuts-utf8.txt"
plain="$E2E_TMP/files/plain.txt"
blank="$E2E_TMP/files/with blank.txt"
added="$E2E_TMP/files/added later.pdf"
echo plain >"$plain"
echo blank >"$blank"
echo added >"$added"
# A stub xdg-open first on the program's PATH records what the popup opens.
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

e2e_start_program
e2e_wait_for "the tray icon" 20 tray_docked
"$E2E_BIN/pathwick-ctl" show || e2e_fail "pathwick-ctl show failed"
e2e_wait_for "the manager window" 10 manager_shown
eval "$(xdotool getwindowgeometry --shell "$(manager)")"
# The tree is the right part of the window; its first row is the root's top marker.
drop_x=$((X + WIDTH - 120))
drop_y=$((Y + 8))

"$SOURCE" 1030 80 "$plain" "$blank" >"$E2E_TMP/source.out" 2>"$E2E_TMP/source.err" &
E2E_PIDS+=($!)
e2e_wait_for "the drag source" 10 grep -q '^ready$' "$E2E_TMP/source.out"
e2e_wait_for "the drag source's window" 10 shown "Pathwick drag source"
sleep 0.5

# Press in the source, move over to the tree step by step, release on the top marker's row.
xdotool mousemove 1130 140
sleep 0.2
xdotool mousedown 1
from_x=1130 from_y=140
for step in $(seq 1 20); do
    xdotool mousemove $((from_x + (drop_x - from_x) * step / 20)) $((from_y + (drop_y - from_y) * step / 20))
    sleep 0.05
done
sleep 0.5
xdotool mousemove "$drop_x" "$((drop_y + 1))"
sleep 0.5
xdotool mouseup 1
e2e_wait_for "the end of the drag" 10 grep -q '^finished' "$E2E_TMP/source.out"
grep -q '^finished copy$' "$E2E_TMP/source.out" ||
    e2e_fail "the drop chose: $(grep '^finished' "$E2E_TMP/source.out")"

# The tree holds the new links: closing asks about the unsaved change (Cancel keeps it).
xdotool windowfocus --sync "$(manager)" 2>/dev/null || true
xdotool mousemove 1200 1000
sleep 0.3
xdotool key Escape
e2e_wait_for "the save question" 10 shown "Warning"
xdotool key Escape
sleep 0.5
manager_shown || e2e_fail "the manager window closed instead of asking"

# Saved: each file after the top marker, the later one first.
xdotool windowfocus --sync "$(manager)" 2>/dev/null || true
xdotool key alt+a
e2e_wait_for "the save choice" 10 shown "Pathwick save choice"
xdotool key Down Return
expected=$(
    printf '^UnkLnk|%s|txt|with blank|\r\n' "$blank"
    printf '^UnkLnk|%s|txt|plain|\r\n' "$plain"
    printf '^NetLnk|https://alpha.example/|Alpha|\r\n'
    printf '^NetLnk|https://beta.example/|Beta|\r\n'
)
saved() { [ "$(cat "$E2E_DATA/shortcuts/shortcuts-utf8.txt")" = "$expected" ]; }
e2e_wait_for "the saved shortcut file" 10 saved

# pathwick-ctl add with the program running: added at the end of the root level and saved.
(cd "$E2E_TMP/files" && "$E2E_BIN/pathwick-ctl" add "added later.pdf") ||
    e2e_fail "pathwick-ctl add failed with the program running"
grep -q "^\^UnkLnk|$added|pdf|added later|" "$E2E_DATA/shortcuts/shortcuts-utf8.txt" ||
    e2e_fail "the added link was not saved: $(cat "$E2E_DATA/shortcuts/shortcuts-utf8.txt")"
"$E2E_BIN/pathwick-ctl" add "$E2E_TMP/files/gone.txt" 2>"$E2E_TMP/ctl.err"
[ $? -eq 2 ] || e2e_fail "a missing file did not give status 2"
grep -q "gone.txt" "$E2E_TMP/ctl.err" || e2e_fail "no message about the missing file"

# A drag inside the tree: pressed on the first row ("with blank"), held past the drag delay,
# moved and released on the second ("plain"), it goes after that row. (Rows are 17 to 25 pixels
# tall with the fonts of a Debian system; the first row is the top marker.)
tree_x=$((X + WIDTH - 150))
xdotool mousemove "$tree_x" $((Y + 30))
xdotool mousedown 1
sleep 0.4
for step in $(seq 1 10); do
    xdotool mousemove "$tree_x" $((Y + 30 + 2 * step))
    sleep 0.05
done
sleep 0.3
xdotool mouseup 1
sleep 0.3
xdotool windowfocus --sync "$(manager)" 2>/dev/null || true
xdotool key alt+a
e2e_wait_for "the save choice" 10 shown "Pathwick save choice"
xdotool key Down Return
expected=$(
    printf '^UnkLnk|%s|txt|plain|\r\n' "$plain"
    printf '^UnkLnk|%s|txt|with blank|\r\n' "$blank"
    printf '^NetLnk|https://alpha.example/|Alpha|\r\n'
    printf '^NetLnk|https://beta.example/|Beta|\r\n'
    printf '^UnkLnk|%s|pdf|added later|\r\n' "$added"
)
for i in $(seq 1 100); do
    saved && break
    sleep 0.1
done
saved || e2e_fail "after the drag the tree was saved as: $(cat "$E2E_DATA/shortcuts/shortcuts-utf8.txt")"

# The popup shows the added link at once, as its fifth entry.
xdotool windowfocus --sync "$(manager)" 2>/dev/null || true
xdotool key Escape
e2e_wait_for "the manager window to hide" 10 bash -c "! xdotool search --onlyvisible --name '^Pathwick 1.9.4$'"
xdotool mousemove 400 300
sleep 0.3
xdotool key ctrl+l
e2e_wait_for "the popup" 10 shown "Pathwick menu"
xdotool key Down Down Down Down Down Return
e2e_wait_for "the added entry opened" 10 test -s "$E2E_TMP/opened"
[ "$(cat "$E2E_TMP/opened")" = "$added" ] || e2e_fail "the popup opened $(cat "$E2E_TMP/opened")"
echo "PASS"
