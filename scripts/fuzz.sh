#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, then runs each for a while.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# SECONDS per target (default 60); TARGET names such as coordinates or
# floodfill (default: all). Each run starts from the committed seed corpus in
# fuzz/corpus/TARGET and grows a working copy in build-fuzz/corpus/TARGET; a
# crash leaves its input in build-fuzz/artifacts/ and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(coordinates textfile languagefile numconv cardlayout wavheader floodfill)
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DMAPURIX_FUZZ=ON -DBUILD_TESTING=OFF -DMAPURIX_BUILD_FORGE=OFF -DMAPURIX_BUILD_BENCH=OFF \
    -DMAPURIX_WERROR="${MAPURIX_WERROR:-OFF}" "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-fuzz/artifacts
failed=()
for t in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$t"
    echo "== fuzz_$t for ${seconds} s"
    if ! "build-fuzz/fuzz/fuzz_$t" "build-fuzz/corpus/$t" "fuzz/corpus/$t" \
        -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 -timeout=10 \
        -artifact_prefix="build-fuzz/artifacts/$t-" -print_final_stats=1 2>"build-fuzz/fuzz_$t.log"; then
        failed+=("$t")
        tail -40 "build-fuzz/fuzz_$t.log"
    else
        grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "build-fuzz/fuzz_$t.log" || true
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]} (inputs in build-fuzz/artifacts/)" >&2
    exit 1
fi
