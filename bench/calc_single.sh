#!/usr/bin/env bash
# One call of kalvix-calc against the process floor (/bin/true), both started without a shell:
# hyperfine's mean and median of each and the ratio of the medians.
#   bench/calc_single.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-300}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVIX_BENCH=ON -DKALVIX_TESTS=OFF >/dev/null
ninja -C "$build" kalvix-calc >/dev/null
out=$(mktemp)
trap 'rm -f "$out"' EXIT
hyperfine -N --warmup 20 --runs "$runs" --export-json "$out" --style none \
  /bin/true "$build/src/kalvix/cli/kalvix-calc 人物 当前等级=60 目标等级=80" >/dev/null
python3 - "$out" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
for r in results:
    print(f"{r['command'][:60]:60s} median {r['median']*1000:6.2f} ms, mean {r['mean']*1000:6.2f} ms ± {r['stddev']*1000:.2f}")
print(f"ratio of the medians: {results[1]['median'] / results[0]['median']:.2f}")
PY
