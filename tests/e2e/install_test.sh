#!/usr/bin/env bash
# cmake --install lays out Pathwick under any prefix (and below DESTDIR): the programs in bin/,
# the program folder's contents in share/pathwick/, the desktop entry, the hicolor icons, the
# AppStream metadata and the manual pages, which pass their validators. The installed programs
# use the installed data folder, also after the prefix has moved and when started through a
# symbolic link; the installed program offers German from the installed language files and,
# once chosen, shows its menus in German.
source "$(dirname "$0")/lib.sh" "$1"
build=$(cd "$E2E_BIN/.." && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
[ -f "$build/CMakeCache.txt" ] || e2e_fail "no build folder above $E2E_BIN"
id=example.halvorn_ek.Pathwick

prefix="$E2E_TMP/prefix"
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
    e2e_fail "cmake --install failed: $(tail -n 5 "$E2E_TMP/install.log")"

# The layout.
for f in bin/pathwick bin/pathwick-ctl; do
    [ -x "$prefix/$f" ] || e2e_fail "$f is not installed as a program"
done
for f in share/pathwick/trans/de-de/UTF8_program.ini share/pathwick/help/index.html \
    share/pathwick/shortcuts/shortcuts-utf8.txt share/pathwick/pathwick.png \
    share/pathwick/pathwick.bmp \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/man/man1/pathwick.1.gz \
    share/man/man1/pathwick-ctl.1.gz share/doc/pathwick/copyright; do
    [ -f "$prefix/$f" ] || e2e_fail "$f is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    file "$png" | grep -q "PNG image data, $size x $size," || e2e_fail "$png: $(file -b "$png")"
done
[ -z "$(find "$prefix" -perm /022 ! -type l)" ] || e2e_fail "group or world writable: $(find "$prefix" -perm /022 ! -type l)"

# The validators have nothing to say about the desktop entry and the AppStream metadata
# (beyond notes: the maker's domain has no well-known top-level name).
out=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) ||
    e2e_fail "desktop-file-validate: $out"
[ -z "$out" ] || e2e_fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) ||
    e2e_fail "appstreamcli validate: $out"
echo "$out" | grep -qE '^ *[EW]:' && e2e_fail "appstreamcli validate: $out"
out=$(appstreamcli validate-tree --no-net --no-color "$prefix" 2>&1) ||
    e2e_fail "appstreamcli validate-tree: $out"
echo "$out" | grep -qE '^ *[EW]:' && e2e_fail "appstreamcli validate-tree: $out"

# The manual pages render without warnings and name every switch and command the README lists.
for page in pathwick pathwick-ctl; do
    gz="$prefix/share/man/man1/$page.1.gz"
    LC_ALL=C.UTF-8 MANWIDTH=100 man --warnings -l "$gz" >"$E2E_TMP/$page.txt" 2>"$E2E_TMP/$page.err" ||
        e2e_fail "man -l $page: $(cat "$E2E_TMP/$page.err")"
    [ ! -s "$E2E_TMP/$page.err" ] || e2e_fail "man -l $page warns: $(cat "$E2E_TMP/$page.err")"
    grep -q "^NAME" "$E2E_TMP/$page.txt" || e2e_fail "the $page page has no NAME section"
    # The README's usage lines of this program ("    pathwick [-hide] [-exit]", "    pathwick-ctl
    # list [--data DIR] [--json]      print ..."): the switches, and the commands of pathwick-ctl.
    usage=$(grep -E "^    $page( |$)" "$source_dir/README.md" | sed -E 's/^ +//; s/ {2,}.*$//' |
        cut -s -d' ' -f2-)
    words=$({
        [ "$page" = pathwick ] || echo "$usage" | awk '{print $1}'
        echo "$usage" | grep -oE -- '-{1,2}[a-z][a-z-]*'
    } | sort -u)
    [ -n "$words" ] || e2e_fail "the README lists no usage for $page"
    for word in $words; do
        grep -qF -- "$word" "$E2E_TMP/$page.txt" || e2e_fail "the $page page does not mention $word"
    done
done

# The installed pathwick-ctl uses the installed data folder and its help pages.
ctl_paths() { "$1/bin/pathwick-ctl" paths >"$E2E_TMP/paths" 2>&1 || e2e_fail "pathwick-ctl paths: $(cat "$E2E_TMP/paths")"; }
path_of() { sed -n "s/^$1: //p" "$E2E_TMP/paths"; }
ctl_paths "$prefix"
[ "$(path_of program-folder)" = "$prefix/share/pathwick/" ] || e2e_fail "program folder $(path_of program-folder)"
[ "$(path_of program-folder-kind)" = "installed" ] || e2e_fail "program folder kind $(path_of program-folder-kind)"
[ -f "$(path_of help-folder)index.html" ] || e2e_fail "no help/index.html in $(path_of help-folder)"
[ "$(path_of user-data-folder)" = "$E2E_DATA/" ] || e2e_fail "user data folder $(path_of user-data-folder)"
[ -f "$E2E_DATA/shortcuts/shortcuts-utf8.txt" ] || e2e_fail "the new user's items were not seeded"
[ ! -e "$prefix/share/pathwick/tips" ] || e2e_fail "the program created folders in its data folder"
rm -rf "$E2E_DATA"

# A moved prefix, and a program started through a symbolic link, find their data just as well.
moved="$E2E_TMP/moved prefix"
mv "$prefix" "$moved"
ctl_paths "$moved"
[ "$(path_of program-folder)" = "$moved/share/pathwick/" ] || e2e_fail "moved: program folder $(path_of program-folder)"
mkdir -p "$E2E_TMP/links/bin"
ln -s "$moved/bin/pathwick-ctl" "$E2E_TMP/links/bin/pathwick-ctl"
ctl_paths "$E2E_TMP/links"
[ "$(path_of program-folder)" = "$moved/share/pathwick/" ] || e2e_fail "linked: program folder $(path_of program-folder)"
rm -rf "$E2E_DATA"

# DESTDIR puts everything below the staging folder.
DESTDIR="$E2E_TMP/stage" cmake --install "$build" --prefix /usr >"$E2E_TMP/install.log" 2>&1 ||
    e2e_fail "cmake --install with DESTDIR failed"
[ -x "$E2E_TMP/stage/usr/bin/pathwick" ] && [ -f "$E2E_TMP/stage/usr/share/pathwick/help/index.html" ] ||
    e2e_fail "DESTDIR: nothing below $E2E_TMP/stage/usr"

# The installed program itself: German from the language submenu, kept at the next start.
e2e_start_display
e2e_start_tray
mkdir -p "$E2E_DATA/shortcuts"
: >"$E2E_DATA/shortcuts/shortcuts-utf8.txt"
E2E_BIN="$moved/bin"
e2e_start_program
tray_icon=""
find_tray_icon() { tray_icon=$(xdotool search --onlyvisible --classname pathwick 2>/dev/null | head -n1); test -n "$tray_icon"; }
e2e_wait_for "the installed program's tray icon" 20 find_tray_icon
popup_shown() { xdotool search --onlyvisible --name "^Pathwick menu$" >/dev/null 2>&1; }
popup_closed() { ! popup_shown; }
# The visible windows of the program other than its tray icon and the popup: open submenus.
submenus() {
    local popup w
    popup=$(xdotool search --onlyvisible --name "^Pathwick menu$" 2>/dev/null | head -n1)
    for w in $(xdotool search --onlyvisible --classname pathwick 2>/dev/null); do
        [ "$w" = "$tray_icon" ] || [ "$w" = "$popup" ] || echo "$w"
    done
}
submenu_count() { test "$(submenus | wc -l)" -eq "$1"; }
# Opens the popup and its "Pathwick menu" submenu (the second entry, after the heading); prints
# the submenu's width.
open_program_menu() {
    xdotool mousemove 300 200
    xdotool key ctrl+l
    e2e_wait_for "the popup" 10 popup_shown
    xdotool key Down Down Right
    e2e_wait_for "the program submenu" 10 submenu_count 1
    xdotool getwindowgeometry --shell "$(submenus)" | sed -n 's/^WIDTH=//p'
}
close_popup() {
    xdotool key Escape Escape Escape
    e2e_wait_for "the popup to close" 5 popup_closed
}

english_width=$(open_program_menu)
# The language submenu is the third entry from the end, before "Preferences..." when that can be
# chosen; "Close" is last. Its first entry is the current culture, then the others: German only
# when the installed language files were found.
xdotool key Up Up Up Right
sleep 0.3
if ! submenu_count 2; then
    xdotool key Up Right
fi
e2e_wait_for "the language submenu" 10 submenu_count 2
xdotool key Down Return
e2e_wait_for "the popup to close after choosing German" 5 popup_closed

# The popup is assembled at every load: the built-in entries show the new language from the next
# load on. "Close" ends the program, which writes the language into the options file; started
# again, the installed program shows its menus in German.
open_program_menu >/dev/null
xdotool key Up Return
e2e_wait_exit "$E2E_PROGRAM" 20
grep -q '^LanguageCulture=de-de' "$E2E_DATA/config/options.ini" ||
    e2e_fail "the options file does not hold the German culture"
# Writing the options wrote the autostart entry: it starts the installed binary (its folder name
# has a blank, so the Exec line quotes it), and it is a valid desktop entry.
autostart="$XDG_CONFIG_HOME/autostart/HalvornEk-Pathwick.desktop"
[ "$(sed -n 's/^Exec=//p' "$autostart")" = "\"$moved/bin/pathwick\"" ] ||
    e2e_fail "the autostart entry starts $(sed -n 's/^Exec=//p' "$autostart")"
out=$(desktop-file-validate "$autostart" 2>&1) && [ -z "$out" ] || e2e_fail "autostart entry: $out"
e2e_start_program
e2e_wait_for "the tray icon after the restart" 20 find_tray_icon
german_width=$(open_program_menu)
close_popup
echo "program submenu: $english_width pixels wide in English, $german_width in German"
[ "$german_width" -gt "$english_width" ] ||
    e2e_fail "the program submenu does not show the longer German captions"
echo "PASS"
