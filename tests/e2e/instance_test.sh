#!/usr/bin/env bash
# One instance per user: a second start brings the first one's window forward and ends;
# pathwick-ctl show does the same, and says so when no instance runs.
source "$(dirname "$0")/lib.sh" "$1"
e2e_start_display

"$E2E_BIN/pathwick-ctl" show 2>"$E2E_TMP/ctl.err" && e2e_fail "ctl show succeeded without an instance"
grep -q "not running" "$E2E_TMP/ctl.err" || e2e_fail "ctl show gave no clear message"

e2e_start_program
first=$E2E_PROGRAM
e2e_wait_for "the first instance's endpoint" 20 e2e_instance_listening
sleep 1
xdotool search --onlyvisible --name "^Pathwick 1.9.4$" && e2e_fail "the program showed its window at start"

timeout 20 "$E2E_BIN/pathwick" >"$E2E_TMP/second.out" 2>&1
status=$?
[ "$status" -eq 0 ] || e2e_fail "the second instance ended with status $status"
e2e_wait_for "the main window of the first instance" 10 \
    xdotool search --onlyvisible --name "^Pathwick 1.9.4$"
kill -0 "$first" || e2e_fail "the first instance ended"
[ "$(xdotool search --onlyvisible --name "^Pathwick 1.9.4$" | wc -l)" -eq 1 ] ||
    e2e_fail "more than one main window is shown"

# pathwick-ctl show reaches the running instance.
"$E2E_BIN/pathwick-ctl" show || e2e_fail "pathwick-ctl show failed with an instance running"
echo "PASS"
