#!/bin/bash
# Start-up bench: how long the game takes from launch until its title screen
# is first painted, and how much resident memory it holds three seconds
# later, each the median of five runs under a private Xvfb.
#
#   bench/startup.sh [path/to/mapurix]     (default: build/src/windows/mapurix)
#
# The game prints the moment of its first paint when MAPURIX_REPORT_STARTUP
# is set; the launch moment is taken here just before the exec. Needs Xvfb.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
exe=${1:-$here/../build/src/windows/mapurix}
runs=5
budget_ms=150
budget_mib=40

if [[ ! -x $exe ]]; then
    echo "startup.sh: no game at $exe (build it, or pass its path)" >&2
    exit 2
fi
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")

# A private display, so that nothing else drawing interferes.
display=:$((100 + RANDOM % 800))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
cleanup() {
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [[ -e /tmp/.X11-unix/X${display#:} ]] && break
    sleep 0.02
done

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

startup_us=()
rss_kib=()
for run in $(seq "$runs"); do
    log=$work/run$run.log
    launched=$(date +%s%6N)
    DISPLAY=$display MAPURIX_REPORT_STARTUP=1 "$exe" 2>"$log" >/dev/null &
    pid=$!
    painted=
    for _ in $(seq 1000); do
        painted=$(sed -n 's/^.*mapurix-startup-painted \([0-9]*\).*$/\1/p' "$log" | head -1)
        [[ -n $painted ]] && break
        sleep 0.01
    done
    if [[ -z $painted ]]; then
        echo "run $run: the title screen never appeared" >&2
        cat "$log" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    sleep 3
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    startup_us+=($((painted - launched)))
    rss_kib+=("$rss")
    printf 'run %d: %6.1f ms to the title screen, %6.1f MiB resident\n' "$run" \
        "$(awk -v u="${startup_us[-1]}" 'BEGIN { print u / 1000 }')" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
done

ms=$(printf '%s\n' "${startup_us[@]}" | median | awk '{ printf "%.1f", $1 / 1000 }')
mib=$(printf '%s\n' "${rss_kib[@]}" | median | awk '{ printf "%.1f", $1 / 1024 }')
verdict() { awk -v v="$1" -v b="$2" 'BEGIN { print (v <= b) ? "within" : "OVER" }'; }
echo "median of $runs: start-up $ms ms (budget $budget_ms ms: $(verdict "$ms" $budget_ms))," \
     "resident $mib MiB (budget $budget_mib MiB: $(verdict "$mib" $budget_mib))"
