#!/usr/bin/env bash
# The soak: complete tests on every map of the atlas one after another in one
# window (offscreen, animations ended at once), with the resident memory at
# the start and the end; fails when it grows by 5 % or more.
#   scripts/soak.sh [TESTS]     (default 120)
# Uses the build in build/ (scripts/test.sh makes it).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target mapurix-soak
build/tests/mapurix-soak "${1:-120}"
