#!/usr/bin/env bash
# Keystroke-to-list time of the 答题器 page at 1,000, 10,000 and 100,000 generated questions:
# median and p95 of the page's search, and the median of the engine's LIKE scan of the same
# open file through the bound query forms. The last line is the 100,000-row result.
#   bench/quiz_search.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVIX_BENCH=ON -DKALVIX_TESTS=OFF >/dev/null
ninja -C "$build" bench_quiz_search >/dev/null
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
"$build/bench/bench_quiz_search" "$folder" 1000 10000 100000
