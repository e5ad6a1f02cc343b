#!/usr/bin/env bash
# Logging out of the desktop with the program running: the session manager asks it to save
# itself; a checkpoint writes the settings file and leaves the program running, a logout
# writes it and ends the program within 2 s with status 0, without holding the logout up.
# Run with both interaction styles a manager may give (none, any) and both kinds of save
# that come with a logout (both, global).
set -euo pipefail
EXE=$1
MANAGER=$2
ARTIFACTS=$3
source "$(dirname "$0")/x11.sh"
begin_e2e "$ARTIFACTS" "$EXE"
INI=$WORK/bin/QK31T0207.ini
SM_LOG=$WORK/manager.log

stop_manager() {
  [ -z "${SM_PID:-}" ] || kill "$SM_PID" 2>/dev/null || true
  [ -z "${SM_PID:-}" ] || wait "$SM_PID" 2>/dev/null || true
  SM_PID=
}
trap 'stop_manager; end_e2e' EXIT

# start_manager <interaction style> <save type>: a manager with the bus as its client.
start_manager() {
  rm -f "$WORK/address"
  "$MANAGER" "$WORK/address" "$1" "$2" >"$SM_LOG" 2>&1 &
  SM_PID=$!
  wait_for 10 test -s "$WORK/address" || fail "no session manager: $(cat "$SM_LOG")"
  start_bus env SESSION_MANAGER="$(cat "$WORK/address")"
  # Registered, and done with the state it gives a new client.
  wait_for 10 logged_times 1 save-complete-sent || fail "the bus did not register: $(cat "$SM_LOG")"
}

# logged_times <n> <event>: the manager has logged the event n times.
logged_times() { [ "$(grep -c " $2 " "$SM_LOG")" -ge "$1" ]; }

# ini_field <n>: the settings file's nth value.
ini_field() { tr -d '\r' <"$INI" | cut -d, -f"$1"; }

# One click on the right arrow of the middle door's speed bar.
faster_middle_door() {
  click "$PANEL" 133 66
  sleep 0.3
}

checkpoint() {
  kill -USR2 "$SM_PID"
  wait_for 10 logged_times 2 save-complete-sent || fail "the checkpoint did not end: $(cat "$SM_LOG")"
  logged_times 2 "save-yourself-done success=1" || fail "the checkpoint failed: $(cat "$SM_LOG")"
  kill -0 "$BUS_PID" 2>/dev/null && window_shown "$MAIN_TITLE" || fail "a checkpoint ended the program"
}

# The logout: the program must be gone 2 s after it began, with status 0.
logout() {
  local began=${EPOCHREALTIME/./}
  kill -USR1 "$SM_PID"
  while kill -0 "$BUS_PID" 2>/dev/null; do
    [ $((${EPOCHREALTIME/./} - began)) -lt 2000000 ] || fail "still running 2 s into the logout: $(cat "$SM_LOG")"
    sleep 0.05
  done
  local status=0
  wait "$BUS_PID" || status=$?
  BUS_PID=
  [ "$status" = 0 ] || fail "exit status $status after the logout"
}

# What the manager saw from the logout on: its save done with success, then the connection
# closed within 2 s, and the logout never cancelled.
check_manager_saw_the_end() {
  local seen
  seen=$(awk '/ save-yourself-sent shutdown=1 /{t=$1} t && / save-yourself-done /{print $2, $3} t && / connection-closed /{print $2, $1 - t <= 2}' "$SM_LOG")
  [ "$seen" = "$(printf 'save-yourself-done success=1\nconnection-closed 1')" ] \
    || fail "the manager saw: $seen; log: $(cat "$SM_LOG")"
  ! grep -q "cancel=1\|shutdown-cancelled" "$SM_LOG" || fail "the logout was cancelled: $(cat "$SM_LOG")"
}

note "a checkpoint writes the settings and the program runs on"
start_manager none both
faster_middle_door
checkpoint
[ "$(ini_field 15)" -gt 6000 ] || fail "middle door speed after the checkpoint: $(cat "$INI")"
CHECKPOINT_SPEED=$(ini_field 15)

note "a logout (no interaction, save both) writes what changed since and ends the program"
faster_middle_door
xdotool windowmove "$MAIN" 300 200
wait_for 10 placed_at "$MAIN" "300 200" || fail "the bus is at $(frame_place "$MAIN"), not moved"
logout
check_manager_saw_the_end
[ "$(ini_field 15)" -gt "$CHECKPOINT_SPEED" ] || fail "middle door speed after the logout: $(cat "$INI")"
[ "$(ini_field 1),$(ini_field 2)" = "4500,3000" ] || fail "bus window place after the logout: $(cat "$INI")"
stop_manager
LOGOUT_SPEED=$(ini_field 15)

note "a logout that allows interaction (save global) ends the program all the same"
start_manager any global
faster_middle_door
logout
check_manager_saw_the_end
[ "$(ini_field 15)" -gt "$LOGOUT_SPEED" ] || fail "middle door speed after the second logout: $(cat "$INI")"
echo "PASS"
