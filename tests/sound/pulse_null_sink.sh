#!/usr/bin/env bash
# The middle door's sound on a real sound server: ALSA's "default" reaches a private
# PulseAudio whose null sink is recorded, so the test hears whether the whole sound came
# out and whether the call waited for its end. A device that takes the sound at once and
# reports its end straight away must still keep the call for the sound's length. A device
# that never answers or stops taking the sound (a file plugin writing into a FIFO nobody
# reads, a frozen server) must be given up within the bounds, a FIFO losing its reader must
# not end the program, and fifty calls to a frozen server must leave no more than one stuck
# worker behind. Then, with no server and no device, the call must give up at once and
# quietly.
# Usage: pulse_null_sink.sh <play_wave_probe> <wave101.wav>
set -euo pipefail

probe=$1
wave=$2
# The bounds leave room for a loaded machine: a played sound takes at least its 800 ms,
# a failed one returns well before that, one given up within its 1 s to answer.
readonly rate=22050 min_ms=800 max_ms=4000 quick_ms=500 stuck_ms=2000 loud=512

work=$(mktemp -d)
pids=()
stop_all() {
    local pid
    for pid in "${pids[@]}"; do kill -CONT "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    pids=()
}
cleanup() {
    stop_all
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

fail() {
    echo "FAIL: $*"
    echo "--- server log"
    cat "$work/pulse.log" 2>/dev/null || true
    exit 1
}

# Samples of at least two 8-bit steps away from silence, in signed 16-bit raw audio.
loud_samples_s16() {
    od -An -v -td2 "$1" | awk -v t="$loud" \
        '{ for (i = 1; i <= NF; i++) if ($i >= t || $i <= -t) n++ } END { print n + 0 }'
}

# The same for the door sound's own unsigned 8-bit samples after its 44-byte header.
loud_samples_u8_wave() {
    tail -c +45 "$1" | od -An -v -tu1 | awk -v t="$((loud / 256))" \
        '{ for (i = 1; i <= NF; i++) { d = $i - 128; if (d >= t || d <= -t) n++ } } END { print n + 0 }'
}

# Polls `command` up to 20 seconds; true as soon as it succeeds.
eventually() {
    local end=$((SECONDS + 20))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}

# Plays the sound, where `$1` says, as many times as `$2` says (once by default), quietly and
# bounded; sets the first call's answer and milliseconds. The probe's lines stay in calls.txt:
# a line before the first call, then one a call, each ending in the threads and open files.
play() {
    timeout 30 "$probe" "${@:2}" >"$work/calls.txt" 2>"$work/stderr.txt" || fail "the probe ended with $?"
    [ ! -s "$work/stderr.txt" ] || fail "printed: $(cat "$work/stderr.txt")"
    read -r answer elapsed_ms _ < <(sed -n 2p "$work/calls.txt")
    echo "PlayWave $1: answer $answer after ${elapsed_ms} ms"
}
played_in_time() {
    [ "$answer" -eq 1 ] || fail "the sound was not played"
    [ "$elapsed_ms" -ge "$min_ms" ] || fail "returned after ${elapsed_ms} ms, before the sound's own length"
    [ "$elapsed_ms" -le "$max_ms" ] || fail "took ${elapsed_ms} ms"
}
given_up_within() {
    [ "$answer" -eq 0 ] || fail "answered ${answer}"
    [ "$elapsed_ms" -lt "$1" ] || fail "took ${elapsed_ms} ms to give up"
}

# ALSA's null device takes every sample at once and reports the end at once.
printf 'pcm.!default { type null }\n' >"$work/null-device.conf"
ALSA_CONFIG_PATH=$work/null-device.conf play "on a device that reports the end at once"
played_in_time

# Makes the FIFO $work/$1 and a configuration whose "default" writes into it; prints the
# configuration's path.
fifo_device() {
    mkfifo "$work/$1"
    printf 'pcm.!default { type file; slave.pcm { type null }; file "%s"; format raw }\n' \
        "$work/$1" >"$work/$1.conf"
    echo "$work/$1.conf"
}

# Nothing reads the FIFO, so the device blocks for good.
ALSA_CONFIG_PATH=$(fifo_device unread) play "into a FIFO nobody reads"
given_up_within "$stuck_ms"

# Fills the FIFO $work/$1 while a process holds it open for $2 seconds without reading.
hold_full() {
    timeout 60 sleep "$2" <>"$work/$1" &
    pids+=($!)
    timeout 10 head -c 65536 /dev/zero >"$work/$1" || fail "could not fill the FIFO"
}

# The device takes the start of the sound into its buffer, then its writes block: for good,
# or until the reader leaves, whose broken pipe fails the sound and must not end the program.
for held_s in 60 1; do
    config=$(fifo_device "held$held_s")
    hold_full "held$held_s" "$held_s"
    ALSA_CONFIG_PATH=$config play "into a FIFO held ${held_s} s without reading"
    given_up_within "$max_ms"
    stop_all
done

if ! command -v pulseaudio >/dev/null; then
    echo "pulseaudio is not installed: skipped"
    exit 77
fi

sink_latency_usec() {
    pactl list sinks | awk '$1 == "Latency:" { print $2; exit }'
}
sink_settled() { [ "$(sink_latency_usec)" -lt 200000 ] 2>/dev/null; }
server_up() { pactl info >/dev/null 2>&1; }
recorder_attached() { [ -n "$(pactl list short source-outputs)" ]; }

# A private server: own runtime dir, home and socket, so nothing of the machine's own
# sound setup is used or disturbed. `timeout` bounds every process should this script
# itself be killed before its trap runs.
mkdir -m 700 "$work/run" "$work/home"
export HOME=$work/home XDG_RUNTIME_DIR=$work/run PULSE_SERVER=unix:$work/native
unset ALSA_CONFIG_PATH PULSE_SINK
cat >"$work/bus.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$work/native
load-module module-null-sink sink_name=bus_null rate=$rate channels=1 norewinds=1
set-default-sink bus_null
PA
start_server() {
    timeout 90 pulseaudio -n -F "$work/bus.pa" --daemonize=no --exit-idle-time=-1 \
        --disallow-exit --use-pid-file=no --realtime=no --high-priority=no \
        --log-target=stderr >"$work/pulse.log" 2>&1 &
    pids+=($!)
    eventually server_up || fail "the private PulseAudio did not come up"
}
start_server

# A recorder asking for a short latency keeps the null sink close to a real device's
# timing; its first long block has to run out before the sink follows.
timeout 90 parec -d bus_null.monitor --latency-msec=20 --raw --format=s16le \
    --rate="$rate" --channels=1 >"$work/recording.raw" &
pids+=($!)
eventually recorder_attached || fail "the recorder did not attach to the null sink"
eventually sink_settled || fail "the null sink kept a latency of $(sink_latency_usec) us"

recording_size() { stat -c %s "$work/recording.raw"; }
grown_by() { [ "$(recording_size)" -ge $(($1 + $2)) ]; }

cp "$work/recording.raw" "$work/before.raw"
play "on the null sink"
# The monitor's last blocks: whatever the sink still held is in the recording once the
# recording has gone on for a second past the call's end.
eventually grown_by "$(recording_size)" $((rate * 2)) || fail "the recording stopped"
stop_all
tail -c +"$(($(stat -c %s "$work/before.raw") + 1))" "$work/recording.raw" >"$work/after.raw"

expected=$(loud_samples_u8_wave "$wave")
heard=$(loud_samples_s16 "$work/after.raw")
echo "loud samples heard ${heard} of ${expected}"
played_in_time
[ "$heard" -ge $((expected * 9 / 10)) ] || fail "the recording missed the sound"
[ "$heard" -le $((expected * 11 / 10)) ] || fail "the recording heard more than one sound"

# A frozen server takes the connection and never answers. The first call gives up on it,
# the later ones find its worker still stuck and give up at once; none leaves more behind.
start_server
server=$(pgrep -P "${pids[-1]}" pulseaudio)
kill -STOP "$server"
play "on a frozen server" 50
echo "answer, ms, threads, open files before, after the first call and after the last:" \
    "$(sed -n '1p;2p;$p' "$work/calls.txt" | paste -sd '|')"
given_up_within "$stuck_ms"
read -r _ _ threads_before _ < <(sed -n 1p "$work/calls.txt")
read -r _ _ threads_stuck files_stuck < <(sed -n 2p "$work/calls.txt")
[ "$((threads_stuck - threads_before))" -le 2 ] || fail "more threads than one stuck worker's"
awk -v quick="$quick_ms" -v t="$threads_stuck" -v f="$files_stuck" \
    'NR > 2 && ($1 != 0 || $2 >= quick || $3 != t || $4 != f) { exit 1 }' "$work/calls.txt" \
    || fail "a later call did not give up at once, or left more behind"
stop_all

# No server, no device: a configuration that sends "default" to PulseAudio, as a desktop's
# does, and one that names no device at all.
printf 'pcm.!default { type pulse }\nctl.!default { type pulse }\n' >"$work/pulse-only.conf"
export PULSE_SERVER=unix:$work/nowhere
for config in "$work/pulse-only.conf" /dev/null; do
    ALSA_CONFIG_PATH=$config play "without a device (ALSA_CONFIG_PATH='${config}')"
    given_up_within "$quick_ms"
done
echo "PASS"
