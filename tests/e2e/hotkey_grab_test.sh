#!/bin/bash
# The global hot key on a real X server: Ctrl+L grabbed on the root window fires whatever lock
# keys are on, other combinations pass by, a second client cannot take the same combination, a
# shifted symbol is grabbed with its Shift, and the grab follows the key when the keyboard
# mapping changes.
# Usage: hotkey_grab_test.sh PROGRAM_FOLDER (the probe is in PROGRAM_FOLDER/../tests)
source "$(dirname "$0")/lib.sh" "$1"

PROBE="$E2E_BIN/../tests/hotkey_probe"
[ -x "$PROBE" ] || e2e_fail "the probe $PROBE is not built"
e2e_start_display

OUT="$E2E_TMP/probe1.out"
"$PROBE" CTRL+L >"$OUT" 2>"$E2E_TMP/program.err" &
PROBE1=$!
E2E_PIDS+=($PROBE1)
e2e_wait_for "the first probe to register Ctrl+L" 10 grep -q '^registered$' "$OUT"

fired() { grep -c '^fired' "$OUT"; }
fail() {
    echo "--- first probe:" >&2
    cat "$OUT" >&2
    e2e_fail "$@"
}
# expect_fired N: waits until the probe has fired N times, then checks it is not more.
expect_fired() {
    local i
    for i in $(seq 1 50); do
        [ "$(fired)" -ge "$1" ] && break
        sleep 0.1
    done
    [ "$(fired)" -eq "$1" ] || fail "expected $1 hot key presses, saw $(fired)"
}
# last_state: the modifier state of the last key press the probe received, as a number.
last_state() { printf '%d' "$(grep '^press' "$OUT" | tail -n1 | cut -d' ' -f3)"; }

xdotool key ctrl+l
expect_fired 1

# Neither another key, nor more modifiers, nor the key alone fire.
xdotool key ctrl+k ctrl+shift+l alt+l l
sleep 0.5
[ "$(fired)" -eq 1 ] || fail "a combination other than Ctrl+L fired the hot key"

# With NumLock on (Mod2), then CapsLock too, then CapsLock alone.
xdotool key Num_Lock
xdotool key ctrl+l
expect_fired 2
[ $(($(last_state) & 0x10)) -ne 0 ] || fail "NumLock was not on for the second press"
xdotool key Caps_Lock
xdotool key ctrl+l
expect_fired 3
[ $(($(last_state) & 0x12)) -eq $((0x12)) ] || fail "NumLock and CapsLock were not both on"
xdotool key Num_Lock
xdotool key ctrl+l
expect_fired 4
[ $(($(last_state) & 0x12)) -eq 2 ] || fail "CapsLock alone was not on"
xdotool key Caps_Lock

# A second client cannot register the combination the first holds...
"$PROBE" CTRL+L >"$E2E_TMP/probe2.out" 2>>"$E2E_TMP/program.err" &
PROBE2=$!
E2E_PIDS+=($PROBE2)
e2e_wait_exit $PROBE2 10
[ "$E2E_STATUS" = 3 ] || e2e_fail "the second probe ended with status $E2E_STATUS, expected 3"
grep -q '^failed$' "$E2E_TMP/probe2.out" || e2e_fail "the second probe did not report failure"
# ...but another one; and the first keeps its own.
"$PROBE" CTRL+K >"$E2E_TMP/probe3.out" 2>>"$E2E_TMP/program.err" &
PROBE3=$!
E2E_PIDS+=($PROBE3)
e2e_wait_for "the third probe to register Ctrl+K" 10 grep -q '^registered$' "$E2E_TMP/probe3.out"
xdotool key ctrl+k
e2e_wait_for "Ctrl+K in the third probe" 5 grep -q '^fired 1$' "$E2E_TMP/probe3.out"
xdotool key ctrl+l
expect_fired 5
# The third probe goes, so the key "k" moves below is nobody's grab.
kill $PROBE3
e2e_wait_exit $PROBE3 10

# A symbol on the shifted level: "Ctrl+!" is what Ctrl+Shift+1 types, so that is what fires;
# Ctrl+1 is another combination.
"$PROBE" "CTRL+!" >"$E2E_TMP/probe4.out" 2>>"$E2E_TMP/program.err" &
PROBE4=$!
E2E_PIDS+=($PROBE4)
e2e_wait_for "the fourth probe to register Ctrl+!" 10 grep -q '^registered$' "$E2E_TMP/probe4.out"
xdotool key ctrl+1
sleep 0.5
! grep -q '^fired' "$E2E_TMP/probe4.out" || e2e_fail "Ctrl+1 fired the hot key Ctrl+!"
xdotool key ctrl+exclam
e2e_wait_for "Ctrl+! (Ctrl+Shift+1) in the fourth probe" 5 grep -q '^fired 1$' "$E2E_TMP/probe4.out"
kill $PROBE4
e2e_wait_exit $PROBE4 10

# The "l" symbol moves to another key: the grab follows it.
if command -v xmodmap >/dev/null 2>&1; then
    code_of() { xmodmap -pke | awk -v s="$1" '$4 == s { print $2; exit }'; }
    old_l=$(code_of l)
    old_k=$(code_of k)
    [ -n "$old_l" ] && [ -n "$old_k" ] || e2e_fail "no key carries l or k"
    xmodmap -e "keycode $old_l = k K" -e "keycode $old_k = l L"
    sleep 0.5
    xdotool key ctrl+l
    expect_fired 6
    pressed=$(grep '^press' "$OUT" | tail -n1 | cut -d' ' -f2)
    [ "$pressed" = "$old_k" ] || fail "Ctrl+L came on key $pressed, expected $old_k"
else
    echo "xmodmap is not installed: the mapping change is not checked"
fi

echo "PASS: hotkey grab"
