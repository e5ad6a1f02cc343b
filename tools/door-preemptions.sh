#!/usr/bin/env bash
# Records the scheduler while the middle door opens ten times after its sound (bench_doors 10,
# Xvfb and a PulseAudio null sink as in run-benchmarks.sh) and counts who took the door
# thread's core each time it was preempted. Needs perf and a quiet machine.
# Usage: tools/door-preemptions.sh <build folder>
set -euo pipefail
BUILD=$(cd "${1:-build}" && pwd)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WORK=$(mktemp -d)
source "$ROOT/tests/e2e/x11.sh"
source "$ROOT/tools/null-sink.sh"
trap 'stop_null_sink; stop_x; rm -rf "$WORK"' EXIT
start_x
start_null_sink
perf sched record -o "$WORK/sched.data" -- env QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_doors" 10 2>/dev/null
perf script -i "$WORK/sched.data" -F comm,tid,time,event,trace 2>/dev/null | grep sched_switch >"$WORK/switches.txt"
# The door thread is the program's first: the sound's worker thread bears the same name.
main=$(sed -n 's/.*prev_comm=bench_doors prev_pid=\([0-9]*\).*/\1/p' "$WORK/switches.txt" | sort -n | sed -n 1p)
echo "the door thread ($main) preempted, by what ran next:"
grep "prev_pid=$main .*prev_state=R" "$WORK/switches.txt" | sed -n 's/.*next_comm=\([^ ]*\) next_pid=.*/\1/p' \
  | sort | uniq -c | sort -rn | sed -n 1,10p
