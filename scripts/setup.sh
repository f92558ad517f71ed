#!/usr/bin/env bash
# Makes a Debian machine ready for one or more purposes, installing only the packages that are missing
# (nothing at all when every one is present):
#
#   scripts/setup.sh [PURPOSE...]     run, test, bench, fuzz, package; every list when none is given
#
# Each purpose has one list and each package is named once, in the list of the first purpose that needs
# it; a purpose that builds on another names both (the Makefile does: `make run` installs the run list
# only, `make test` the run, test and package lists, since the tests check the installed files and the
# Debian package too).
set -euo pipefail

# Building and running the game: the compiler and build tools, the libraries the game and its dialog
# use (libX11 for full screen without a window manager, libpng and libjpeg for the larger pictures
# decoded in the background), Qt's own translations (the standard buttons of the dialog's boxes in the
# player's language), the fonts the resource generator draws its letters from, gettext, which turns the
# translations into the catalogues the game reads, and libspeechd for spoken play through Speech
# Dispatcher.
run_packages=(
    g++ cmake ninja-build pkg-config
    libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libpng-dev libjpeg-dev
    qt6-base-dev qt6-translations-l10n libcli11-dev
    fonts-dejavu-core fonts-dseg fonts-dkg-handwriting
    libx11-dev
    gettext
    libspeechd-dev
)
# The tests: GoogleTest, a private X server, a window manager to run the game under (openbox) and the
# tools that drive a real window, python3 for the pictures the keyboard test compares, ccache,
# which the build uses when present (the sanitizer build compiles everything a second time), and the
# Speech Dispatcher daemon that the spoken-play test starts privately.
test_packages=(
    libgtest-dev libgmock-dev
    xvfb openbox xdotool x11-utils python3
    ccache
    speech-dispatcher
)
# The benchmarks (the frame-loop ones run under Xvfb too: `make bench` adds the test list).
bench_packages=(libbenchmark-dev)
# The fuzzers: clang and its libFuzzer and sanitizer runtimes.
fuzz_packages=(clang libclang-rt-dev)
# Installing and packaging: the manual pages written from --help, and the checkers of the desktop entry,
# the metadata, the pages and the Debian package.
package_packages=(help2man desktop-file-utils appstream man-db file dpkg-dev lintian)

purposes=("$@")
if [[ ${#purposes[@]} -eq 0 ]]; then
    purposes=(run test bench fuzz package)
fi
packages=()
for purpose in "${purposes[@]}"; do
    case "$purpose" in
        run) packages+=("${run_packages[@]}") ;;
        test) packages+=("${test_packages[@]}") ;;
        bench) packages+=("${bench_packages[@]}") ;;
        fuzz) packages+=("${fuzz_packages[@]}") ;;
        package) packages+=("${package_packages[@]}") ;;
        *)
            echo "zarn setup: unknown purpose '$purpose' (run, test, bench, fuzz or package)" >&2
            exit 2
            ;;
    esac
done

missing=()
for pkg in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$pkg")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

install_cmd="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        install_cmd="sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}"
    else
        echo "zarn setup: these packages are missing: ${missing[*]}" >&2
        echo "zarn setup: run this command as root, then try again:" >&2
        echo "    sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
fi

echo "zarn setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
bash -c "$install_cmd"
