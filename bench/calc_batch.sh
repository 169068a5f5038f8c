#!/usr/bin/env bash
# kalvix-calc --batch on one core: N requests over the calculator pages (each a fresh page, a
# few arguments, as a bot would ask), the page evaluations a second by wall and by CPU time,
# and a check that every answer is a result, not an error.
#   bench/calc_batch.sh [build-dir] [requests]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
count=${2:-20000}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVIX_BENCH=ON -DKALVIX_TESTS=OFF >/dev/null
ninja -C "$build" kalvix-calc >/dev/null
python3 - "$build/src/kalvix/cli/kalvix-calc" "$count" <<'PY'
import json, os, random, resource, subprocess, sys, time
calc, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(33)
# Requests a bot might send, each with values drawn afresh.
makers = [
    lambda: ["人物", f"当前等级={rng.randrange(0, 176)}", "目标等级=#0"],
    lambda: ["人物", f"当前等级={rng.randrange(0, 176)}", f"当前经验={rng.randrange(0, 10**8)}"],
    lambda: ["技能", f"师门技能.当前等级={rng.randrange(0, 150)}", f"师门技能.目标等级=#{rng.randrange(0, 20)}"],
    lambda: ["修炼", f"当前等级={rng.randrange(0, 20)}", "攻击/法术=1"],
    lambda: ["任务", f"当前等级={rng.randrange(0, 176)}"],
    lambda: ["召唤兽", f"召唤兽升级经验.从={rng.randrange(0, 100)}", f"召唤兽升级经验.到=#{rng.randrange(0, 50)}"],
    lambda: ["孩子", f"武学悟性={rng.randrange(0, 100)}", "计算 ==>"],
    lambda: ["老朋友回流计算", f"被绑定人.人物等级={rng.randrange(60, 160)}", "被绑定人.计算"],
    lambda: ["捉鬼计算器", f"队伍平均等级={rng.randrange(20, 160)}", f"环数=#{rng.randrange(0, 5)}"],
]
requests = [makers[i % len(makers)]() for i in range(count)]
rng.shuffle(requests)
data = "".join(json.dumps(r, ensure_ascii=False) + "\n" for r in requests).encode()
before = resource.getrusage(resource.RUSAGE_CHILDREN)
start = time.monotonic()
out = subprocess.run(["taskset", "-c", "0", calc, "--batch"], input=data, capture_output=True,
                     check=True).stdout.decode().splitlines()
wall = time.monotonic() - start
after = resource.getrusage(resource.RUSAGE_CHILDREN)
cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
errors = {}
for request, line in zip(requests, out):
    answer = json.loads(line)
    if "error" in answer:
        errors.setdefault(request[0], answer["error"])
assert len(out) == count, f"{len(out)} answers to {count} requests"
print(f"{count} requests in {wall:.2f} s wall, {cpu:.2f} s CPU on one core")
print(f"page evaluations a second: {count / wall:,.0f} (wall), {count / cpu:,.0f} (CPU)")
if errors:
    print("refused:", errors)
PY
