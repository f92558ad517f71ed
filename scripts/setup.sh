#!/usr/bin/env bash
# Makes a Debian machine ready to build, test and run Zarn.
# Installs only the packages that are missing; does nothing when all are present.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev
    qt6-base-dev
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
    clang libclang-rt-dev
    fonts-dejavu-core fonts-dseg fonts-dkg-handwriting
    libx11-dev
    xvfb xdotool x11-utils openbox
    help2man desktop-file-utils appstream man-db file dpkg-dev lintian
)

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
