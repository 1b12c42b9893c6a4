#!/usr/bin/env bash
# Without a notification area the hot key shows the manager window; a tray host that starts
# later still gets the icon.
source "$(dirname "$0")/lib.sh" "$1"
e2e_start_display

e2e_start_program
e2e_wait_for "the instance endpoint" 20 e2e_instance_listening
# The key is grabbed when the start-up completes, which a busy machine delays: press it until the
# window shows (another press only brings the same window forward).
press_hot_key_and_look() {
    xdotool mousemove 300 300 key ctrl+l
    sleep 0.4
    xdotool search --onlyvisible --name "^Pathwick 1.9.4$"
}
e2e_wait_for "the manager window after Ctrl+L without tray" 4 press_hot_key_and_look

e2e_start_tray
e2e_wait_for "the tray icon after the tray host started" 25 \
    bash -c 'test -n "$(xdotool search --onlyvisible --classname pathwick | head -n1)"'
echo "PASS"
