#!/usr/bin/env bash
# Runs every benchmark and prints its figures: the sign file list on its own, the sign keys,
# the start-up (inside and seen from outside) and the doors on a private X server (Xvfb +
# openbox), the doors with a private PulseAudio null sink so that the sound really plays.
# Usage: tools/run-benchmarks.sh <build folder>
set -euo pipefail
BUILD=$(cd "${1:-build}" && pwd)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WORK=$(mktemp -d)
source "$ROOT/tests/e2e/x11.sh"

PULSE_PID=
RECORDER_PID=
cleanup() {
  [ -z "$RECORDER_PID" ] || kill "$RECORDER_PID" 2>/dev/null || true
  [ -z "$PULSE_PID" ] || kill "$PULSE_PID" 2>/dev/null || true
  stop_x
  rm -rf "$WORK"
}
trap cleanup EXIT

start_pulse() {
  mkdir -m 700 "$WORK/run" "$WORK/home"
  export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run PULSE_SERVER=unix:$WORK/native
  printf '%s\n' "load-module module-native-protocol-unix auth-anonymous=1 socket=$WORK/native" \
    "load-module module-null-sink sink_name=bench_null rate=22050 channels=1" \
    "set-default-sink bench_null" >"$WORK/bench.pa"
  pulseaudio -n -F "$WORK/bench.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --realtime=no --high-priority=no >"$WORK/pulse.log" 2>&1 &
  PULSE_PID=$!
  wait_for 60 pactl info || fail "PulseAudio did not start"
  # A listener asking for a short latency keeps the null sink close to a real device's timing;
  # with nobody listening it holds about 1.5 s of sound before it plays any, and a door sound
  # that does not end within its length and a second is given up.
  parec -d bench_null.monitor --latency-msec=20 --raw --format=s16le --rate=22050 --channels=1 >/dev/null &
  RECORDER_PID=$!
}

echo "== sign file list"
"$BUILD/bench/bench_filelist"
start_x
echo "== arrow key to sign painted (Xvfb)"
QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_sign" 2>/dev/null
echo "== an animated sign playing and a still one: CPU share and wake-ups (Xvfb)"
QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_animation" 2>/dev/null
echo "== start-up in an empty and in a crowded working folder (Xvfb)"
QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_startup" 2>/dev/null
echo "== start-up seen from outside: start to both windows viewable, against bare Qt (Xvfb)"
QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_launch"
command -v pulseaudio >/dev/null && start_pulse
echo "== door movements (Xvfb, PulseAudio null sink)"
QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_doors" 2>/dev/null
echo "== the middle door after its sound, ten openings (Xvfb, PulseAudio null sink)"
QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_doors" 10 2>/dev/null
