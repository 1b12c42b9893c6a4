#!/usr/bin/env bash
# -hide and -exit (in any letter case) end the program by itself after the start-up, without
# showing a window, and leave the options file; other arguments are ignored.
source "$(dirname "$0")/lib.sh" "$1"
e2e_start_display

for switch in -hide -EXIT; do
    rm -rf "$E2E_DATA"
    e2e_start_program "$switch" --exit /hide unknown
    e2e_wait_exit "$E2E_PROGRAM" 30
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "$switch: exit status $E2E_STATUS"
    [ -s "$E2E_DATA/config/options.ini" ] || e2e_fail "$switch: no options file written"
    grep -q '^LanguageCulture=en-us' "$E2E_DATA/config/options.ini" ||
        e2e_fail "$switch: options file lacks the language"
    [ -d "$E2E_DATA/shortcuts" ] || e2e_fail "$switch: no items root"
done

# A switch written with two dashes alone is no switch: the program keeps running.
e2e_start_program --hide
sleep 3
kill -0 "$E2E_PROGRAM" 2>/dev/null || e2e_fail "--hide ended the program"

# The end of a session (SIGTERM) closes the program in order: it writes its options file.
rm -f "$E2E_DATA/config/options.ini"
kill -TERM "$E2E_PROGRAM"
e2e_wait_exit "$E2E_PROGRAM" 20
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "SIGTERM: exit status $E2E_STATUS"
[ -s "$E2E_DATA/config/options.ini" ] || e2e_fail "SIGTERM: no options file written"
echo "PASS"
