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
trap 'kill ${PULSE_PID:-} ${RECORDER_PID:-} 2>/dev/null || true; stop_x; rm -rf "$WORK"' EXIT
start_x
mkdir -m 700 "$WORK/run" "$WORK/home"
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run PULSE_SERVER=unix:$WORK/native
printf '%s\n' "load-module module-native-protocol-unix auth-anonymous=1 socket=$WORK/native" \
  "load-module module-null-sink sink_name=bench_null rate=22050 channels=1" "set-default-sink bench_null" >"$WORK/bench.pa"
pulseaudio -n -F "$WORK/bench.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no --realtime=no \
  --high-priority=no >"$WORK/pulse.log" 2>&1 &
PULSE_PID=$!
wait_for 60 pactl info || fail "PulseAudio did not start"
parec -d bench_null.monitor --latency-msec=20 --raw --format=s16le --rate=22050 --channels=1 >/dev/null &
RECORDER_PID=$!
perf sched record -o "$WORK/sched.data" -- env QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_doors" 10 2>/dev/null
perf script -i "$WORK/sched.data" -F comm,tid,time,event,trace 2>/dev/null | grep sched_switch >"$WORK/switches.txt"
# The door thread is the program's first: the sound's worker thread bears the same name.
main=$(sed -n 's/.*prev_comm=bench_doors prev_pid=\([0-9]*\).*/\1/p' "$WORK/switches.txt" | sort -n | sed -n 1p)
echo "the door thread ($main) preempted, by what ran next:"
grep "prev_pid=$main .*prev_state=R" "$WORK/switches.txt" | sed -n 's/.*next_comm=\([^ ]*\) next_pid=.*/\1/p' \
  | sort | uniq -c | sort -rn | sed -n 1,10p
