#!/usr/bin/env bash
# Builds the Debian package from build/ (scripts/test.sh makes it), installs
# it with apt-get, starts the game under Xvfb until its title window shows,
# and removes the package again. Runs as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

cmake --build build --target mapurix
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb="mapurix_${version}_amd64.deb"
rm -f "build/$deb"
(cd build && cpack -G DEB >/dev/null)
test -f "build/$deb"
dpkg-deb --field "build/$deb" Package Version Architecture Depends

cleanup() {
    "${sudo_cmd[@]}" apt-get remove -y -qq mapurix >/dev/null 2>&1 || true
}
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "./build/$deb" >/dev/null
test -x /usr/bin/mapurix
test -f /usr/lib/mapurix/idioma

# The title window appears within 30 s, from the menu's own command.
status=0
xvfb-run -a -s "-screen 0 1366x768x24" sh -c '
    mapurix & pid=$!
    timeout 30 xdotool search --sync --onlyvisible --name "^Mapurix 2.0" >/dev/null
    found=$?
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null
    exit $found' || status=$?
if [ "$status" -ne 0 ]; then
    echo "The installed game did not show its title window" >&2
    exit 1
fi
"${sudo_cmd[@]}" apt-get remove -y -qq mapurix >/dev/null
if [ -e /usr/bin/mapurix ]; then
    echo "Removing the package left /usr/bin/mapurix behind" >&2
    exit 1
fi
trap - EXIT
echo "Package $deb built, installed, started and removed."
