#!/usr/bin/env bash
# What the running program costs while it waits for the remote: CPU time and resident memory of
# qn520remote.exe over a quiet period under Wine with the simulated card, and the regularity of
# its polls as the card's request log timestamps them. A benchmark that prints its figures, not a
# test. Run inside the card's prefix:
#   tests/wine/wine-env --card -- tests/wine/bench/idle_bench.sh [SECONDS]
set -euo pipefail

seconds=${1:-10}
repo=$(cd "$(dirname "$0")/../../.." && pwd)
exe="$repo/build/win64/src/qn520remote.exe"
remote() { "$WINE" "$QN520_REMOTE" "$@" 2>/dev/null | tr -d '\r'; }

remote reset
"$WINE" "$exe" &
# The loader's process becomes the program's own: this is the process to measure.
pid=$!
started=0
for _ in $(seq 1 200); do
    remote state | grep -qE '[1-9][0-9]* requests' && { started=1; break; }
    sleep 0.05
done
[ "$started" -eq 1 ] && grep -q 'qn520remote' "/proc/$pid/cmdline" ||
    { echo "idle_bench: the program did not start polling" >&2; exit 1; }
# Let start-up settle before measuring.
sleep 1
remote reset

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
log=$(remote log)

kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) logical processors; $("$WINE" --version)"
awk -v t="$ticks" -v b="$before" -v a="$after" -v s="$seconds" \
    'BEGIN { printf "idle CPU: %.2f%% of one core over %d s (%.0f ms of CPU time)\n", (a - b) / t / s * 100, s, (a - b) / t * 1000 }'
echo "resident memory: ${rss} KiB now, ${hwm} KiB peak (the Wine process, runtime included)"
# The select of each read starts a poll; the spacing of their arrival times is the poll period.
awk '$2 == "ms" && $3 == "select" { print $1 }' <<<"$log" |
    sort -n | awk 'NR > 1 { d = $1 - last; print d } { last = $1 }' | sort -n |
    awk '{ v[NR] = $1; s += $1 } END {
        if (NR == 0) { print "poll period: no polls seen"; exit }
        printf "poll period over %d polls: mean %.1f ms, median %.1f ms, p1 %.1f ms, p99 %.1f ms\n",
               NR, s / NR, v[int((NR + 1) / 2)], v[int(NR * 0.01) + 1], v[int(NR * 0.99) + (NR * 0.99 > int(NR * 0.99))] }'
