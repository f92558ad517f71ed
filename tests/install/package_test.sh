#!/usr/bin/env bash
# Builds the Debian package from the build folder (as `make package` does, into a temporary folder)
# and checks it: its control fields, dependencies found from the shared libraries, the files a desktop
# needs, and no lintian error or warning.
# Usage: package_test.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$1
version=$2
app_id=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (run scripts/setup.sh)" >&2; exit 1; }
done

(cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log" >&2; exit 1; }
deb=$tmp/zarn_${version}_$(dpkg --print-architecture).deb
[[ -f "$deb" ]] || { echo "FAIL: no $deb" >&2; ls "$tmp" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == zarn ]] || fail "package name $(field Package)"
[[ "$(field Version)" == "$version" ]] || fail "version $(field Version), not $version"
[[ "$(field Section)" == games ]] || fail "section $(field Section), not games"
# Found by dpkg-shlibdeps from what the programs link, with version bounds.
for library in libc6 libstdc++6 libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libqt6widgets6 libspeechd2; do
    [[ ", $(field Depends)" == *", $library (>= "[0-9]* ]] || fail "Depends lacks $library: $(field Depends)"
done
# Spoken play's voice is the desktop's speech service: recommended, not required.
[[ "$(field Recommends)" == *speech-dispatcher* ]] || fail "Recommends lacks speech-dispatcher: $(field Recommends)"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/games/zarn ./usr/games/zarn-sim ./usr/games/zarn-pak ./usr/share/zarn/res118.pak \
    ./usr/share/zarn/res118-hd.pak ./usr/share/zarn/res118-lang.pak \
    "./usr/share/applications/$app_id.desktop" "./usr/share/metainfo/$app_id.metainfo.xml" \
    "./usr/share/icons/hicolor/16x16/apps/$app_id.png" "./usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
    ./usr/share/man/man6/zarn.6.gz ./usr/share/doc/zarn/copyright ./usr/share/doc/zarn/changelog.gz \
    ./usr/share/locale/de/LC_MESSAGES/zarn.mo ./usr/share/locale/ru/LC_MESSAGES/zarn.mo; do
    grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
# A small install: everything the package puts on the disk together within 25 MB (Installed-Size in KiB).
installed=$(field Installed-Size)
[[ "$installed" =~ ^[0-9]+$ && "$installed" -le 25600 ]] || fail "the package installs ${installed} KiB, over 25 MB"

# The test driver (the game with its test hooks) is for the tests alone.
! grep -q "zarn-test-driver" <<<"$contents" || fail "the package holds the test driver"

if ! lintian --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>&1; then
    fail "lintian: $(grep -E '^[EW]:' "$tmp/lintian.log" || cat "$tmp/lintian.log")"
fi

if [[ $failures -gt 0 ]]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package checked"
