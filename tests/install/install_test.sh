#!/usr/bin/env bash
# Installs the build into a temporary root (DESTDIR) and checks the installation as a person meets it:
# every file in its place, the game started from another folder reaching its first frames on the
# installed archive, zarn-pak reading that archive, the menu entry and the metadata passing their
# validators, and each manual page rendering cleanly and naming every option of its program's --help.
# Usage: install_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
app_id=$2

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in desktop-file-validate appstreamcli man file; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (run scripts/setup.sh)" >&2; exit 1; }
done

DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >"$tmp/install.log"
prefix=$tmp/root/usr

# Every file in its place.
for f in games/zarn games/zarn-sim games/zarn-pak share/zarn/res118.pak share/zarn/res118-hd.pak share/zarn/res118-lang.pak \
    "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$app_id.svg" share/man/man6/zarn.6.gz share/man/man6/zarn-sim.6.gz \
    share/man/man1/zarn-pak.1.gz share/doc/zarn/copyright share/doc/zarn/changelog.gz; do
    [[ -s "$prefix/$f" ]] || fail "$f is not installed"
done
# A catalogue for every language of po/LINGUAS, and none for the tests' pseudo-language; the menu
# entry speaks them too.
while read -r lang; do
    [[ -s "$prefix/share/locale/$lang/LC_MESSAGES/zarn.mo" ]] || fail "the $lang catalogue is not installed"
    grep -q "^Comment\[$lang\]=" "$prefix/share/applications/$app_id.desktop" ||
        fail "the menu entry has no $lang comment"
done <"$(dirname "$0")/../../po/LINGUAS"
[[ ! -e "$prefix/share/locale/pseudo" ]] || fail "the pseudo-language is installed"
for size in 16 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    file -b "$icon" 2>/dev/null | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "icon $icon is not a ${size} x ${size} RGBA picture: $(file -b "$icon" 2>&1)"
done
grep -q '<svg .*viewBox="0 0 256 256"' "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" ||
    fail "the scalable icon is not an SVG picture"

# The installed game, started from another folder with the player's folders in the temporary place
# and no other archive in reach, finds its archive and reaches its first frames.
mkdir -p "$tmp/elsewhere" "$tmp/home" "$tmp/no-data"
run_installed() {
    (cd "$tmp/elsewhere" && env -u ZARN_DATA HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/config" \
        XDG_STATE_HOME="$tmp/home/state" XDG_DATA_HOME="$tmp/home/data" XDG_DATA_DIRS="$tmp/no-data" \
        SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$@")
}
# The test driver (the same game, built from the same libraries, with the test hooks that end it after
# a few frames) is not installed; put beside the installed game, it finds the installed archive as the
# game does.
[[ ! -e "$prefix/games/zarn-test-driver" ]] || fail "the test driver is installed"
cp "$build/bin/zarn-test-driver" "$prefix/games/"
if ! run_installed timeout 120 "$prefix/games/zarn-test-driver" --no-dialog --seed 1 --exit-after-frames 5 \
    --screenshot "$tmp/first-frames.png" >"$tmp/game.log" 2>&1; then
    fail "the game did not run on the installed archive: $(cat "$tmp/game.log")"
fi
rm "$prefix/games/zarn-test-driver"
# The table is drawn at the scale the (dummy) screen calls for: 800 x 600 times 1, 2 or 3.
file -b "$tmp/first-frames.png" 2>/dev/null | grep -Eq "^PNG image data, (800 x 600|1600 x 1200|2400 x 1800)," ||
    fail "the game drew no frame on the installed archive: $(cat "$tmp/game.log")"
# The installed game itself reads the installed files too: the player's statistics, none yet.
run_installed "$prefix/games/zarn" --statistics >"$tmp/statistics.txt" 2>&1 ||
    fail "the installed game's --statistics failed: $(cat "$tmp/statistics.txt")"
# Its --help lists only what a player uses.
if run_installed "$prefix/games/zarn" --help | grep -qi "hook"; then
    fail "the installed game's --help names a test hook"
fi

# zarn-pak reads the installed archive.
if run_installed "$prefix/games/zarn-pak" list "$prefix/share/zarn/res118.pak" >"$tmp/list.txt" 2>&1; then
    grep -q "Xitmaps_Back_800x600.jpg" "$tmp/list.txt" || fail "zarn-pak list misses the background entry"
else
    fail "zarn-pak list failed: $(cat "$tmp/list.txt")"
fi

# The menu entry and the metadata: no error and no warning.
out=$(desktop-file-validate "$prefix/share/applications/$app_id.desktop" 2>&1) || fail "desktop-file-validate: $out"
[[ -z "$out" ]] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
grep -qE '^[EW]:' <<<"$out" && fail "appstreamcli validate: $out"
for binary in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$prefix/share/metainfo/$app_id.metainfo.xml"); do
    [[ -x "$prefix/games/$binary" ]] || fail "the metadata provides $binary, not installed"
done
grep -q "^Icon=$app_id$" "$prefix/share/applications/$app_id.desktop" || fail "the menu entry names another icon"

# Manual pages: rendered without a groff warning, and every option of --help in its page.
check_page() { # program, page
    local program=$1 page=$2 warnings text option
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z "$warnings" ]] || fail "$(basename "$page") renders with warnings: $warnings"
    text=$(LC_ALL=C MANWIDTH=80 man -l "$page" 2>/dev/null | col -b)
    for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" EXAMPLES; do
        grep -q "^$section" <<<"$text" || fail "$(basename "$page") has no $section section"
    done
    for option in $(run_installed "$program" --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u); do
        grep -qe "$option" <<<"$text" || fail "$(basename "$page") does not name $option of --help"
    done
}
check_page "$prefix/games/zarn" "$prefix/share/man/man6/zarn.6.gz"
check_page "$prefix/games/zarn-sim" "$prefix/share/man/man6/zarn-sim.6.gz"
check_page "$prefix/games/zarn-pak" "$prefix/share/man/man1/zarn-pak.1.gz"

# The exit status the pages give for a wrong command line.
for program in games/zarn games/zarn-sim games/zarn-pak; do
    status=0
    run_installed "$prefix/$program" --no-such-option >/dev/null 2>&1 || status=$?
    [[ $status -eq 2 ]] || fail "$program exits with $status on a wrong command line, not 2"
done

if [[ $failures -gt 0 ]]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "installation checked"
