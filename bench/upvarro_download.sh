#!/bin/bash
# Download benchmark of the updater: upvarro's unattended run against aria2c -j 8 on the same
# files, served by nginx on the loopback interface. Two sets: 5 files of 64 MiB and 200 files
# of 16 KiB. aria2c runs twice: plain, and doing the updater's integrity work as well
# (--check-integrity=true with each file's MD5); md5sum over the same bytes is the floor of
# that work. Prints wall time, CPU seconds (user + system) and peak memory of each run, then
# the medians, the ratios upvarro / aria2c and upvarro's CPU against aria2c's plus md5sum's.
#
#   bench/upvarro_download.sh [build-dir] [runs]
#
# build-dir must hold src/upvarro/upvarro (it is built there when missing).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build-bench}
RUNS=${2:-3}
UPVARRO=$BUILD/src/upvarro/upvarro
if [ ! -x "$UPVARRO" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    ninja -C "$BUILD" upvarro >/dev/null
fi
for tool in nginx aria2c /usr/bin/time python3; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

WORK=$(mktemp -d /tmp/upvarro-bench-XXXXXX)
chmod 755 "$WORK"  # nginx workers run as an unprivileged user
NGINX_PID=
cleanup() {
    if [ -n "$NGINX_PID" ]; then kill "$NGINX_PID" 2>/dev/null || true; fi
    rm -rf "$WORK"
}
trap cleanup EXIT

PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')

# The two sets, each with its own update list.
make_set() {  # name count bytes
    local dir=$WORK/www/$1
    mkdir -p "$dir/files"
    for i in $(seq 1 "$2"); do head -c "$3" /dev/urandom >"$dir/files/f$i.bin"; done
    {
        echo "<files>"
        for i in $(seq 1 "$2"); do
            local f=$dir/files/f$i.bin
            echo "<file name=\"f$i.bin\" checksum=\"$(md5sum "$f" | cut -d' ' -f1)\"" \
                 "DownUrl=\"http://127.0.0.1:$PORT/$1/files\" size=\"$(stat -c %s "$f")\"/>"
        done
        echo "</files>"
    } >"$dir/soft_update.xml"
    echo "changes" >"$dir/changelog.txt"
    for i in $(seq 1 "$2"); do
        echo "http://127.0.0.1:$PORT/$1/files/f$i.bin"
        echo "  out=f$i.bin"
    done >"$WORK/$1.urls"
    # The same with each file's checksum, for aria2c's own check of what it wrote.
    for i in $(seq 1 "$2"); do
        echo "http://127.0.0.1:$PORT/$1/files/f$i.bin"
        echo "  out=f$i.bin"
        echo "  checksum=md5=$(md5sum "$dir/files/f$i.bin" | cut -d' ' -f1)"
    done >"$WORK/$1.checked.urls"
}
make_set large 5 $((64 * 1024 * 1024))
make_set small 200 $((16 * 1024))

mkdir -p "$WORK/nginx/logs"
cat >"$WORK/nginx/nginx.conf" <<CONF
worker_processes 2;
pid $WORK/nginx/nginx.pid;
error_log $WORK/nginx/logs/error.log;
daemon off;
events { worker_connections 256; }
http {
    access_log off;
    sendfile on;
    client_body_temp_path $WORK/nginx/body;
    proxy_temp_path $WORK/nginx/proxy;
    fastcgi_temp_path $WORK/nginx/fastcgi;
    uwsgi_temp_path $WORK/nginx/uwsgi;
    scgi_temp_path $WORK/nginx/scgi;
    server {
        listen 127.0.0.1:$PORT;
        root $WORK/www;
    }
}
CONF
nginx -p "$WORK/nginx" -c "$WORK/nginx/nginx.conf" &
NGINX_PID=$!
for _ in $(seq 1 100); do
    curl -sf "http://127.0.0.1:$PORT/small/changelog.txt" >/dev/null 2>&1 && break
    sleep 0.05
done

RESULTS=$WORK/results.tsv
: >"$RESULTS"
measure() {  # set tool command...
    local set=$1 tool=$2
    shift 2
    local t=$WORK/time.txt
    if ! /usr/bin/time -f "%e %U %S %M" -o "$t" "$@" >"$WORK/out.txt" 2>&1; then
        echo "$tool on $set failed:" >&2
        tail -5 "$WORK/out.txt" >&2
        exit 1
    fi
    read -r wall user sys rss <"$t"
    echo -e "$set\t$tool\t$wall\t$user\t$sys\t$rss" | tee -a "$RESULTS"
}

echo -e "set\ttool\twall_s\tuser_s\tsys_s\tpeak_kib"
for set in large small; do
    for run in $(seq 1 "$RUNS"); do
        inst=$WORK/install
        rm -rf "$inst"
        mkdir -p "$inst/update"
        cp "$UPVARRO" "$inst/update/upvarro"
        printf '[UpdateType]\nDownloadThreadNumber=8\n[Server]\nUpdateHost=127.0.0.1\nUpdatePort=%s\nUpdateListUrlPath=/%s\nLogLevel=0\n' \
            "$PORT" "$set" >"$inst/update/upvarro.ini"
        measure "$set" upvarro "$inst/update/upvarro" --unattended
        rm -rf "$inst"

        dest=$WORK/aria2
        for tool in aria2c aria2c+md5; do
            rm -rf "$dest"
            urls=$WORK/$set.urls
            checks=()
            if [ "$tool" = aria2c+md5 ]; then
                urls=$WORK/$set.checked.urls
                checks=(--check-integrity=true)
            fi
            measure "$set" "$tool" aria2c -j 8 -x 1 -i "$urls" -d "$dest" "${checks[@]}" \
                --allow-overwrite=true --file-allocation=none --console-log-level=warn \
                --summary-interval=0 --check-certificate=false
        done
        rm -rf "$dest"
        # The floor of the integrity work: one MD5 over the same bytes, from the page cache.
        measure "$set" md5sum md5sum "$WORK/www/$set/files/"*.bin
        : "$run"
    done
done

python3 - "$RESULTS" <<'PY'
import statistics, sys
rows = [l.split('\t') for l in open(sys.argv[1]).read().splitlines() if l]
def med(s, t, col):
    return statistics.median(float(r[col]) if col != 'cpu' else float(r[3]) + float(r[4])
                             for r in rows if r[0] == s and r[1] == t)
print()
print("medians               wall s    cpu s   peak MiB")
for s in ("large", "small"):
    for t in ("upvarro", "aria2c", "aria2c+md5", "md5sum"):
        print(f"{s:6} {t:11}  {med(s,t,2):9.2f} {med(s,t,'cpu'):8.2f} {med(s,t,5)/1024:9.1f}")
    print(f"{s:6} ratio        {med(s,'upvarro',2)/med(s,'aria2c',2):9.2f} "
          f"{med(s,'upvarro','cpu')/max(med(s,'aria2c','cpu'),0.01):8.2f} "
          f"{med(s,'upvarro',5)/med(s,'aria2c',5):9.2f}")
    floor = med(s, 'aria2c', 'cpu') + med(s, 'md5sum', 'cpu')
    cpu = med(s, 'upvarro', 'cpu')
    print(f"{s:6} upvarro cpu {cpu:.2f} s against aria2c + md5sum {floor:.2f} s: "
          f"{'within' if cpu <= floor else 'above'}; peak {med(s,'upvarro',5)/1024:.1f} MiB "
          f"against aria2c {med(s,'aria2c',5)/1024:.1f} MiB: "
          f"{'within' if med(s,'upvarro',5) <= med(s,'aria2c',5) else 'above'}")
PY
