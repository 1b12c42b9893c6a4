#!/usr/bin/env bash
# The Check for updates window opens by itself when the check is due and loads the version
# history page from the maker's web site (a loopback server this test starts) with the product's
# user agent; "Help...", "Updates..." and "About..." of the popup open their windows; with -hide
# even a due check shows nothing.
source "$(dirname "$0")/lib.sh" "$1"
e2e_start_display
e2e_start_tray

# The web site: answers the history page and records the path and user agent of every request.
cat >"$E2E_TMP/site.py" <<'PY'
import http.server, sys
log, portfile = sys.argv[1], sys.argv[2]
class Site(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(log, "a") as f:
            f.write("%s|%s\n" % (self.path, self.headers.get("User-Agent", "")))
        body = b"<h1>Pathwick version history</h1><p>1.9.4</p>"
        self.send_response(200 if self.path.startswith("/products/pathwick/history.php") else 404)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass
server = http.server.HTTPServer(("127.0.0.1", 0), Site)
with open(portfile + ".tmp", "w") as f:
    f.write(str(server.server_address[1]))
import os; os.rename(portfile + ".tmp", portfile)
server.serve_forever()
PY
python3 "$E2E_TMP/site.py" "$E2E_TMP/requests" "$E2E_TMP/port" &
E2E_PIDS+=($!)
e2e_wait_for "the web site" 10 test -s "$E2E_TMP/port"
export PATHWICK_WEBSITE_URL="http://127.0.0.1:$(cat "$E2E_TMP/port")"

# No items of the user's own, and a check for updates that is due (the last one 90 days ago).
mkdir -p "$E2E_DATA/shortcuts" "$E2E_DATA/config"
: >"$E2E_DATA/shortcuts/shortcuts-utf8.txt"
last=$(date -d '90 days ago' '+%Y-%m-%d %H:%M:%S')
write_options() {
    printf '[ProgramOptions.Miscellaneous]\r\nCheckUpdatesInterval=60\r\nCheckUpdatesLast=%s\r\n' \
        "$last" >"$E2E_DATA/config/options.ini"
}

# -hide: the due window is not shown and the program ends by itself; nothing is requested.
write_options
e2e_start_program -hide
e2e_wait_exit "$E2E_PROGRAM" 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "-hide: exit status $E2E_STATUS"
[ ! -s "$E2E_TMP/requests" ] || e2e_fail "-hide requested $(cat "$E2E_TMP/requests")"

shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
write_options
e2e_start_program
e2e_wait_for "the due Check for updates window" 20 shown "Checking for updates..."
e2e_wait_for "the history page request" 10 test -s "$E2E_TMP/requests"
[ "$(head -n1 "$E2E_TMP/requests")" = "/products/pathwick/history.php|Pathwick::1.9.4::CheckForUpdates::" ] ||
    e2e_fail "first request: $(head -n1 "$E2E_TMP/requests")"

# The popup: the root holds the heading "Program" and the program's submenu; the submenu's
# first entries are Help, Updates and About.
popup_shown() { xdotool search --onlyvisible --name "^Pathwick menu$" >/dev/null 2>&1; }
choose() {
    xdotool mousemove 400 300
    xdotool key ctrl+l
    e2e_wait_for "the popup" 10 popup_shown
    sleep 0.3
    xdotool key Down Down Right
    sleep 0.3
    local i
    for i in $(seq 1 "$1"); do xdotool key Down; done
    xdotool key Return
}
choose 0
e2e_wait_for "the Help viewer" 10 shown "Help viewer"
choose 2
e2e_wait_for "the About window" 10 shown "About"
# Updates... while the window is open opens no second one and loads nothing again.
choose 1
sleep 1
[ "$(xdotool search --onlyvisible --name '^Checking for updates...$' | wc -l)" -eq 1 ] ||
    e2e_fail "a second Check for updates window"
[ "$(wc -l <"$E2E_TMP/requests")" -eq 1 ] || e2e_fail "the page was loaded again"

# Ending the session writes the options: the check is recorded as done today.
kill -TERM "$E2E_PROGRAM"
e2e_wait_exit "$E2E_PROGRAM" 20
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "SIGTERM: exit status $E2E_STATUS"
grep -q "^CheckUpdatesLast=$(date '+%Y-%m-%d')" "$E2E_DATA/config/options.ini" ||
    e2e_fail "CheckUpdatesLast not renewed: $(grep CheckUpdatesLast "$E2E_DATA/config/options.ini")"
echo "PASS"
