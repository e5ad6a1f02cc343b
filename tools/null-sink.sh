# A private PulseAudio with a null sink as the default device, and a listener on it asking for
# a short latency: with nobody listening the sink holds about 1.5 s of sound before it plays
# any, and a door sound that does not end within its length and a second is given up.
# Sourced by the benchmark scripts after x11.sh; needs $WORK; stop_null_sink ends both.
PULSE_PID=
RECORDER_PID=
start_null_sink() {
  mkdir -m 700 "$WORK/run" "$WORK/home"
  export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run PULSE_SERVER=unix:$WORK/native
  printf '%s\n' "load-module module-native-protocol-unix auth-anonymous=1 socket=$WORK/native" \
    "load-module module-null-sink sink_name=bench_null rate=22050 channels=1" \
    "set-default-sink bench_null" >"$WORK/bench.pa"
  pulseaudio -n -F "$WORK/bench.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --realtime=no --high-priority=no >"$WORK/pulse.log" 2>&1 &
  PULSE_PID=$!
  wait_for 60 pactl info || fail "PulseAudio did not start"
  parec -d bench_null.monitor --latency-msec=20 --raw --format=s16le --rate=22050 --channels=1 >/dev/null &
  RECORDER_PID=$!
}
stop_null_sink() {
  [ -z "$RECORDER_PID" ] || kill "$RECORDER_PID" 2>/dev/null || true
  [ -z "$PULSE_PID" ] || kill "$PULSE_PID" 2>/dev/null || true
}
