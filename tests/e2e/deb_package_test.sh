#!/usr/bin/env bash
# The Debian package (cpack -G DEB): its dependencies come from the binaries, lintian finds no
# error and no warning in it, and as root it installs with dpkg -i (the installed programs use
# /usr/share/pathwick/ and start), and dpkg -r removes every file again.
source "$(dirname "$0")/lib.sh" "$1"
build=$(cd "$E2E_BIN/.." && pwd)
[ -f "$build/CPackConfig.cmake" ] || e2e_fail "no CPack configuration in $build"

(cd "$build" && cpack -G DEB -B "$E2E_TMP/package") >"$E2E_TMP/cpack.log" 2>&1 ||
    e2e_fail "cpack failed: $(tail -n 20 "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/package/pathwick_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || e2e_fail "cpack made no package: $(tail -n 5 "$E2E_TMP/cpack.log")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# The control data: the dependencies dpkg-shlibdeps found in the binaries.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' >"$E2E_TMP/depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libxcb1; do
    grep -qxF "$lib" "$E2E_TMP/depends" || e2e_fail "Depends lacks $lib"
done
dpkg-deb -c "$deb" >"$E2E_TMP/contents"
for f in ./usr/bin/pathwick ./usr/bin/pathwick-ctl ./usr/share/pathwick/trans/de-de/UTF8_program.ini \
    ./usr/share/pathwick/help/index.html ./usr/share/applications/example.halvorn_ek.Pathwick.desktop \
    ./usr/share/man/man1/pathwick.1.gz ./usr/share/doc/pathwick/copyright; do
    grep -qE " $f$" "$E2E_TMP/contents" || e2e_fail "the package lacks $f"
done

# lintian: no errors and no warnings (its exit status says so); its notes are shown.
lintian --tag-display-limit 0 --fail-on error,warning -I "$deb" >"$E2E_TMP/lintian" 2>"$E2E_TMP/lintian.err"
status=$?
[ "$status" -ne 1 ] || e2e_fail "lintian: $(grep -E '^[EW]: ' "$E2E_TMP/lintian")"
[ "$status" -eq 0 ] || e2e_fail "lintian did not run ($status): $(cat "$E2E_TMP/lintian.err")"
sed -n 's/^I: pathwick: \([^ ]*\).*/lintian note: \1/p' "$E2E_TMP/lintian" | sort | uniq -c

# Installing and removing needs root, and a machine where the package is not installed already.
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: dpkg -i and dpkg -r need root; the package was built and checked only"
    echo "PASS"
    exit 0
fi
exec 9>/tmp/pathwick-deb-test.lock
flock -w 300 9 || e2e_fail "another package test holds the lock"
if dpkg-query -W -f='${Status}' pathwick 2>/dev/null | grep -q 'install ok installed'; then
    echo "SKIP: pathwick is installed on this machine already; the test leaves it alone"
    echo "PASS"
    exit 0
fi
installed_by_test=0
remove_package() {
    if [ "$installed_by_test" = 1 ]; then
        dpkg -r pathwick >>"$E2E_TMP/dpkg.log" 2>&1
        installed_by_test=0
    fi
}
trap 'remove_package; e2e_cleanup' EXIT

installed_by_test=1
dpkg -i "$deb" >"$E2E_TMP/dpkg.log" 2>&1 || e2e_fail "dpkg -i failed: $(tail -n 20 "$E2E_TMP/dpkg.log")"
dpkg-query -W -f='${Status}' pathwick | grep -q 'install ok installed' || e2e_fail "not installed"
/usr/bin/pathwick-ctl paths >"$E2E_TMP/paths" 2>&1 || e2e_fail "pathwick-ctl paths: $(cat "$E2E_TMP/paths")"
grep -qx 'program-folder: /usr/share/pathwick/' "$E2E_TMP/paths" ||
    e2e_fail "the installed program folder is $(sed -n 's/^program-folder: //p' "$E2E_TMP/paths")"
grep -qx 'help-folder: /usr/share/pathwick/help/' "$E2E_TMP/paths" || e2e_fail "help folder"
[ "$(man -w pathwick 2>/dev/null)" = /usr/share/man/man1/pathwick.1.gz ] || e2e_fail "man -w pathwick: $(man -w pathwick 2>&1)"
# The installed program starts (its libraries are there) and ends by itself.
e2e_start_display
E2E_BIN=/usr/bin
e2e_start_program -hide
e2e_wait_exit "$E2E_PROGRAM" 30
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "/usr/bin/pathwick -hide ended with $E2E_STATUS"
grep -q '^LanguageCulture=' "$E2E_DATA/config/options.ini" || e2e_fail "the installed program wrote no options"

dpkg -r pathwick >>"$E2E_TMP/dpkg.log" 2>&1 || e2e_fail "dpkg -r failed: $(tail -n 20 "$E2E_TMP/dpkg.log")"
installed_by_test=0
dpkg-query -W -f='${Status}' pathwick 2>/dev/null | grep -q 'install ok installed' && e2e_fail "still installed"
for f in /usr/bin/pathwick /usr/bin/pathwick-ctl /usr/share/pathwick \
    /usr/share/applications/example.halvorn_ek.Pathwick.desktop /usr/share/doc/pathwick \
    /usr/share/man/man1/pathwick.1.gz /usr/share/icons/hicolor/48x48/apps/example.halvorn_ek.Pathwick.png; do
    [ ! -e "$f" ] || e2e_fail "$f is left after dpkg -r"
done
grep -i 'warning' "$E2E_TMP/dpkg.log" && e2e_fail "dpkg warned"
echo "PASS"
