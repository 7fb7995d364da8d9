#!/usr/bin/env bash
# Installs the Debian 12 packages the game, its tests and its tools need,
# only those missing. Runs as root or through sudo.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    # the game
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libqt6svg6
    qt6-qpa-plugins fonts-liberation
    # looking at it and testing it
    xvfb xauth xdotool imagemagick appstream desktop-file-utils
    # the atlas forge and the artwork tools
    libgdal-dev libproj-dev gdal-bin libgif-dev libicu-dev librsvg2-bin espeak-ng sox
    # benchmarks
    libopencv-dev
    # fuzzing (libFuzzer comes with clang's runtime) and the Debian package
    clang libclang-rt-14-dev dpkg-dev file
)

# Node.js and npm fetch the atlas's pinned sources; any installed npm will do.
if ! command -v npm >/dev/null 2>&1; then
    packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
