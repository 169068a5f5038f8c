#!/usr/bin/env bash
# Start-up of the toolbox to its first shown window against a bare Qt window, offscreen:
# median wall time of N runs each, and their ratio.
#   bench/startup.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-15}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVIX_BENCH=ON -DKALVIX_TESTS=OFF >/dev/null
ninja -C "$build" bench_first_window_kalvix bench_first_window_bare >/dev/null
export KALVIX_STATS_BASE= QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
python3 - "$build" "$runs" <<'PY'
import statistics, subprocess, sys, time
build, runs = sys.argv[1], int(sys.argv[2])
def median(prog):
    times = []
    for _ in range(runs):
        t = time.perf_counter()
        subprocess.run([f"{build}/bench/{prog}"], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - t)
    return statistics.median(times)
subprocess.run([f"{build}/bench/bench_first_window_bare"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)  # warm caches
bare = median("bench_first_window_bare")
kalvix = median("bench_first_window_kalvix")
print(f"bare Qt window : {bare*1000:8.1f} ms (median of {runs})")
print(f"kalvix window  : {kalvix*1000:8.1f} ms (median of {runs})")
print(f"ratio          : {kalvix/bare:8.2f}")
PY
