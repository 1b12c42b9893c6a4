#!/usr/bin/env bash
# A backup left by a save that was cut short makes the next start ask what to do with it:
# Cancel keeps it and loads the normal items; No deletes it.
source "$(dirname "$0")/lib.sh" "$1"
e2e_start_display

make_backup() {
    mkdir -p "$E2E_DATA/temp/item_bak" "$E2E_DATA/shortcuts"
    printf '^NorSep\r\n' >"$E2E_DATA/temp/item_bak/shortcuts-utf8.txt"
}

answer_question() { # key to press in the question
    e2e_wait_for "the backup question" 20 xdotool search --onlyvisible --name "^Warning$"
    local win
    win=$(xdotool search --onlyvisible --name "^Warning$" | head -n1)
    xdotool windowfocus --sync "$win" >/dev/null 2>&1 || true
    xdotool key --window "$win" "$1"
}

make_backup
e2e_start_program -hide
answer_question Escape
e2e_wait_exit "$E2E_PROGRAM" 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Cancel"
[ -d "$E2E_DATA/temp/item_bak" ] || e2e_fail "Cancel removed the backup"

e2e_start_program -hide
answer_question alt+n
e2e_wait_exit "$E2E_PROGRAM" 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after No"
[ ! -e "$E2E_DATA/temp/item_bak" ] || e2e_fail "No kept the backup"
echo "PASS"
