#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all the tests.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
# MAPURIX_WERROR=ON turns warnings into errors (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

dir=build
extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    extra=(-DCMAKE_BUILD_TYPE=Debug -DMAPURIX_SANITIZE=ON -DMAPURIX_BUILD_BENCH=OFF)
    export ASAN_OPTIONS=detect_leaks=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$dir" -G Ninja -DMAPURIX_WERROR="${MAPURIX_WERROR:-OFF}" "${extra[@]}"
cmake --build "$dir"
ctest --test-dir "$dir" --output-on-failure --no-tests=error -j2
if [ -x "$dir/tools/forge/mapurix-forge" ]; then
    "$dir/tools/forge/mapurix-forge" check data
fi
