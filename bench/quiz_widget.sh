#!/usr/bin/env bash
# 答题器 in its real widget at 100,000 generated questions (or the sizes given): the first
# keystroke after opening and every keystroke to the painted list, median and p95, beside
# the same searches done by SQLite FTS5 on an unencrypted copy of the same questions.
#   bench/quiz_widget.sh [build-dir] [rows ...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000)
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVIX_BENCH=ON -DKALVIX_TESTS=OFF >/dev/null
ninja -C "$build" bench_quiz_widget bench_quiz_fts5 >/dev/null
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
for n in "${sizes[@]}"; do
  QT_QPA_PLATFORM=offscreen KALVIX_STATS_BASE= "$build/bench/bench_quiz_widget" "$folder" "$n"
  "$build/bench/bench_quiz_fts5" "$folder"
done
