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
source "$ROOT/tools/null-sink.sh"
cleanup() {
  stop_null_sink
  stop_x
  rm -rf "$WORK"
}
trap cleanup EXIT

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
command -v pulseaudio >/dev/null && start_null_sink
echo "== door movements (Xvfb, PulseAudio null sink)"
QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_doors" 2>/dev/null
echo "== the middle door after its sound, ten openings (Xvfb, PulseAudio null sink)"
QT_QPA_PLATFORM=xcb "$BUILD/bench/bench_doors" 10 2>/dev/null
