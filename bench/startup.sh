#!/usr/bin/env bash
# Start-up of the toolbox to its first painted frame against a bare Qt window of the same size,
# both offscreen: median wall time of N runs each, their ratio, where the toolbox's time goes,
# and the peak memory at the first frame (and, for the toolbox, after every tab was opened).
#   bench/startup.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-11}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVIX_BENCH=ON -DKALVIX_TESTS=OFF >/dev/null
ninja -C "$build" bench_first_window_kalvix bench_first_window_bare >/dev/null
export KALVIX_STATS_BASE= QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
python3 - "$build" "$runs" <<'PY'
import statistics, subprocess, sys, time
build, runs = sys.argv[1], int(sys.argv[2])

def run(prog, *args):
    """One run: the wall time and the program's own marks, relative to the spawn."""
    spawned = time.monotonic()
    out = subprocess.run([f"{build}/bench/{prog}", *args], check=True, capture_output=True,
                         text=True).stdout
    ended = time.monotonic()
    marks = dict(kv.split("=") for kv in out.split())
    timed = {k: float(v) - spawned for k, v in marks.items() if not k.endswith("_kib")}
    timed["end"] = ended - spawned
    return timed, {k: int(v) for k, v in marks.items() if k.endswith("_kib")}

def median_of(prog, *args):
    results = [run(prog, *args) for _ in range(runs)]
    med = lambda key, part: statistics.median(r[part][key] for r in results)
    return results, med

run("bench_first_window_bare")  # warm the caches
run("bench_first_window_kalvix")
bare, bmed = median_of("bench_first_window_bare")
kalvix, kmed = median_of("bench_first_window_kalvix")
b, k = bmed("frame", 0), kmed("frame", 0)
print(f"bare Qt window : {b*1000:8.1f} ms to the first frame (median of {runs})")
print(f"kalvix window  : {k*1000:8.1f} ms to the first frame (median of {runs})")
print(f"ratio          : {k/b:8.2f}")
print("where the toolbox's time goes (medians, ms):")
steps = [("process start", None, "main"), ("Qt", "main", "qt"), ("catalogue", "qt", "catalogue"),
         ("window", "catalogue", "window"), ("first frame", "window", "frame")]
for name, a, z in steps:
    d = [r[0][z] - (r[0][a] if a else 0) for r in kalvix]
    print(f"  {name:14s} {statistics.median(d)*1000:8.1f}")
bd = [r[0]["main"] for r in bare]
print(f"  (bare window: process start {statistics.median(bd)*1000:.1f}, "
      f"Qt {statistics.median(r[0]['qt'] - r[0]['main'] for r in bare)*1000:.1f}, "
      f"window and first frame {statistics.median(r[0]['frame'] - r[0]['qt'] for r in bare)*1000:.1f})")
print(f"  exit after the first frame: toolbox {statistics.median(r[0]['end'] - r[0]['frame'] for r in kalvix)*1000:.1f}, "
      f"bare {statistics.median(r[0]['end'] - r[0]['frame'] for r in bare)*1000:.1f}")
bm, km = bmed("peak_kib", 1) / 1024, kmed("peak_kib", 1) / 1024
all_tabs = [run("bench_first_window_kalvix", "--all-tabs")[1]["all_tabs_peak_kib"] for _ in range(3)]
print(f"peak memory at the first frame: toolbox {km:.1f} MiB, bare {bm:.1f} MiB, ratio {km/bm:.2f}")
print(f"peak memory after every tab was opened (median of 3): toolbox {statistics.median(all_tabs)/1024:.1f} MiB")
PY
