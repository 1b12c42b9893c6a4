#!/usr/bin/env bash
# The tray icon on a desktop whose tray speaks the status notifier protocol over D-Bus (KDE
# Plasma, GNOME with the app-indicator extension): the item registers with the watcher, shows the
# program's title, icon and tool tip; Activate opens the popup, ContextMenu too; SecondaryActivate
# and a double activation open the manager window; when the watcher goes away and comes back (a
# restart of the desktop shell), the item registers again and still works.
source "$(dirname "$0")/lib.sh" "$1"
e2e_start_display
e2e_start_session_bus
e2e_start_sni_watcher

mkdir -p "$E2E_DATA/shortcuts"
printf '^NetLnk|https://example.org/pathwick|Example|\r\n' >"$E2E_DATA/shortcuts/shortcuts-utf8.txt"

popup_shown() { xdotool search --onlyvisible --name "^Pathwick menu$" >/dev/null 2>&1; }
popup_closed() { ! popup_shown; }
manager_shown() { xdotool search --onlyvisible --name "^Pathwick 1.9.4$" >/dev/null 2>&1; }
manager_closed() { ! manager_shown; }
# Its close box hides the manager window again.
close_manager() {
    e2e_close_window "$(xdotool search --onlyvisible --name "^Pathwick 1.9.4$" | head -n1)" ||
        e2e_fail "cannot close the manager window"
    e2e_wait_for "the manager window to close" 10 manager_closed
}
registered() { test -n "$(e2e_sni_item)"; }

e2e_start_program
e2e_wait_for "the status notifier item to register" 20 registered

# What the tray shows: the program's name as the title, a picture, the tool tip.
e2e_sni props >"$E2E_TMP/props" || e2e_fail "the item's properties cannot be read"
prop() { sed -n "s/^$1=//p" "$E2E_TMP/props"; }
[ "$(prop Title)" = "Pathwick" ] || e2e_fail "the item's title is '$(prop Title)'"
[ -n "$(prop IconName)$(prop IconPixmap)" ] || e2e_fail "the item has neither icon name nor pixmap"
[ "$(prop ToolTip)" = "Pathwick" ] || e2e_fail "the item's tool tip is '$(prop ToolTip)'"
[ "$(prop Status)" = "Active" ] || e2e_fail "the item's status is '$(prop Status)'"
echo "item: $(e2e_sni_item); icon pixmaps $(prop IconPixmap)"

# A click (Activate) opens the popup at the mouse, as the left button on an XEmbed icon does.
xdotool mousemove 400 300
e2e_sni call Activate 400 300 || e2e_fail "Activate failed"
e2e_wait_for "the popup after Activate" 10 popup_shown
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name "^Pathwick menu$" | head -n1)")"
[ "$X" -ge 395 ] && [ "$X" -le 405 ] && [ "$Y" -ge 295 ] && [ "$Y" -le 305 ] ||
    e2e_fail "the popup is at $X,$Y, not at the mouse"
xdotool key Escape
e2e_wait_for "the popup to close" 5 popup_closed

# The right button (ContextMenu) opens the same popup.
e2e_sni call ContextMenu 400 300 || e2e_fail "ContextMenu failed"
e2e_wait_for "the popup after ContextMenu" 10 popup_shown
xdotool key Escape
e2e_wait_for "the popup to close" 5 popup_closed

# The middle button (SecondaryActivate) opens the manager window, as a double click does.
e2e_sni call SecondaryActivate 400 300 || e2e_fail "SecondaryActivate failed"
e2e_wait_for "the manager window after SecondaryActivate" 10 manager_shown
close_manager

# Two activations in a row are a double click: the manager window, and no popup.
e2e_sni twice Activate 400 300 || e2e_fail "the double activation failed"
e2e_wait_for "the manager window after a double activation" 10 manager_shown
sleep 1
popup_closed || e2e_fail "a double activation also opened the popup"
close_manager

# The desktop shell restarts: the watcher leaves the bus and a new one comes. The item registers
# with the new watcher and answers it.
e2e_stop_sni_watcher
e2e_start_sni_watcher
e2e_wait_for "the item to register with the new watcher" 10 registered
e2e_sni props >"$E2E_TMP/props" || e2e_fail "the item's properties cannot be read after the restart"
[ "$(prop Title)" = "Pathwick" ] || e2e_fail "after the restart the item's title is '$(prop Title)'"
e2e_sni call Activate 400 300 || e2e_fail "Activate failed after the restart"
e2e_wait_for "the popup after the restart" 10 popup_shown
xdotool key Escape
e2e_wait_for "the popup to close" 5 popup_closed

# The hot key still opens the popup (the tray counts as there).
xdotool key ctrl+l
e2e_wait_for "the popup after Ctrl+L" 10 popup_shown
xdotool key Escape
echo "PASS"
