#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it with the bundled atlas.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target mapurix
exec build/src/windows/mapurix "$@"
