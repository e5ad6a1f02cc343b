#!/usr/bin/env bash
# Logging out of the desktop with the program running, through a session manager of our own:
# a checkpoint writes the settings file and leaves the program running; a logout writes it and
# ends the program within 2 s with status 0, never cancelling it. Run with both interaction
# styles a manager may give (none, any) and both kinds of save that come with a logout.
set -euo pipefail
MANAGER=$2
source "$(dirname "$0")/x11.sh"
begin_e2e "$3" "$1"
INI=$WORK/bin/QK31T0207.ini
SM_LOG=$WORK/manager.log
trap 'kill "${SM_PID:-}" 2>/dev/null || true; end_e2e' EXIT

# start_manager <interaction style> <save type>: a manager with the bus as its client, and
# one click on the right arrow of the middle door's speed bar.
start_manager() {
  [ -z "${SM_PID:-}" ] || { kill "$SM_PID"; wait "$SM_PID" || true; }
  rm -f "$WORK/address"
  "$MANAGER" "$WORK/address" "$1" "$2" >"$SM_LOG" 2>&1 &
  SM_PID=$!
  wait_for 10 test -s "$WORK/address" || fail "no session manager: $(cat "$SM_LOG")"
  start_bus env SESSION_MANAGER="$(cat "$WORK/address")"
  # Registered, and done with the state it gives a new client.
  wait_for 10 logged 1 save-complete-sent || fail "the bus did not register: $(cat "$SM_LOG")"
}

# logged <n> <event>: the manager has logged the event n times.
logged() { [ "$(grep -c "^$2" "$SM_LOG")" -ge "$1" ]; }

faster_middle_door() { click "$PANEL" 133 66; sleep 0.3; }
middle_speed() { cut -d, -f15 "$INI"; }

# The logout: the program gone within 2 s with status 0, the manager's log showing its save
# done with success and the connection closed, and the logout never cancelled.
logout() {
  local began=${EPOCHREALTIME/./}
  kill -USR1 "$SM_PID"
  while kill -0 "$BUS_PID" 2>/dev/null; do
    [ $((${EPOCHREALTIME/./} - began)) -lt 2000000 ] || fail "still running 2 s into the logout: $(cat "$SM_LOG")"
    sleep 0.05
  done
  wait_end
  [ "$STATUS" = 0 ] || fail "exit status $STATUS after the logout"
  wait_for 2 logged 1 connection-closed || fail "the manager saw no end: $(cat "$SM_LOG")"
  sed -n '/shutdown=1/,$p' "$SM_LOG" | grep -q "save-yourself-done success=1" && ! grep -q "cancel=1" "$SM_LOG" \
    || fail "the manager saw: $(cat "$SM_LOG")"
}

note "a checkpoint writes the settings and the program runs on"
start_manager none both
faster_middle_door
kill -USR2 "$SM_PID"
wait_for 10 logged 2 save-complete-sent || fail "the checkpoint did not end: $(cat "$SM_LOG")"
logged 2 "save-yourself-done success=1" || fail "the checkpoint failed: $(cat "$SM_LOG")"
kill -0 "$BUS_PID" && window_shown "$MAIN_TITLE" || fail "a checkpoint ended the program"
[ "$(middle_speed)" -gt 6000 ] || fail "middle door speed after the checkpoint: $(cat "$INI")"
SAVED=$(middle_speed)

note "a logout (no interaction, save both) writes what changed since and ends the program"
faster_middle_door
xdotool windowmove "$MAIN" 300 200
wait_for 10 placed_at "$MAIN" "300 200" || fail "the bus is at $(frame_place "$MAIN"), not moved"
logout
[ "$(cut -d, -f1,2 "$INI")" = "4500,3000" ] && [ "$(middle_speed)" -gt "$SAVED" ] || fail "after the logout: $(cat "$INI")"
SAVED=$(middle_speed)

note "a logout that allows interaction (save global) ends the program all the same"
start_manager any global
faster_middle_door
logout
[ "$(middle_speed)" -gt "$SAVED" ] || fail "middle door speed after the second logout: $(cat "$INI")"
echo "PASS"
