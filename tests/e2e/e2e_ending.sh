#!/usr/bin/env bash
# The ways a desktop ends the program: each of SIGTERM, SIGHUP and SIGINT after a moved bus and
# a changed speed ends it as a close does and saves both; an X server that goes away under it,
# or xkill, saves them too and ends it without a crash; a folder rejected on a first run saves
# no folder; a copy in a folder whose name is not UTF-8 is titled with its own name and keeps
# its settings beside itself.
set -euo pipefail
EXE=$1
ARTIFACTS=$2
source "$(dirname "$0")/x11.sh"
begin_e2e "$ARTIFACTS" "$EXE"
INI=$WORK/bin/QK31T0207.ini

# A moved bus and a middle-door speed one step up from its default of 6000.
move_and_speed_up() {
  xdotool windowmove "$MAIN" 150 100
  wait_for 10 placed_at "$MAIN" "150 100" || fail "the bus did not move: $(frame_place "$MAIN")"
  click "$PANEL" 135 66 # HScroll2's right arrow
  sleep 0.3
}

# The moved place and the faster speed are in the file.
expect_saved() {
  local fields
  IFS=, read -r -a fields <"$INI" || true
  [ "${fields[0]},${fields[1]}" = "2250,1500" ] || fail "$1: bus saved at ${fields[0]},${fields[1]}"
  [ "${fields[14]}" = 6001 ] || fail "$1: middle speed saved as ${fields[14]}"
}

for signal in TERM HUP INT; do
  note "SIG$signal saves and ends with status 0"
  rm -f "$INI"
  start_bus
  move_and_speed_up
  kill -s "$signal" "$BUS_PID"
  wait_end
  [ "$STATUS" = 0 ] || fail "exit status $STATUS after SIG$signal"
  expect_saved "SIG$signal"
done

note "xkill: saved, no crash"
rm -f "$INI"
start_bus
move_and_speed_up
xkill -id "$MAIN" >/dev/null
wait_end
[ "$STATUS" = 2 ] || fail "exit status $STATUS after xkill: $(cat "$WORK/bus.log")"
grep -q "the display went away; the settings were saved" "$WORK/bus.log" || fail "no word of it: $(cat "$WORK/bus.log")"
expect_saved xkill

note "the X server killed under the program: saved, no crash"
rm -f "$INI"
start_bus
move_and_speed_up
kill -9 "$XVFB_PID"
wait_end
[ "$STATUS" = 2 ] || fail "exit status $STATUS after the X server died: $(cat "$WORK/bus.log")"
expect_saved "X server killed"
stop_x
start_x

note "a folder rejected on a first run saves no folder"
rm -f "$INI"
start_bus
type_sign_folder "$WORK/no-such-signs"
wait_for 10 window_shown "ポルカ号" || fail "no message about the missing folder"
xdotool windowactivate --sync "$(window_named "ポルカ号")" key Return
wait_for 10 window_shown "画像の位置" || fail "the chooser did not come back"
sleep 0.3
click "$(window_named "画像の位置")" 409 66 # キャンセル
wait_for 10 window_gone "画像の位置" || fail "the chooser did not close"
press_close_box
wait_end
fields=$(cut -d, -f5 "$INI")
[ "$fields" = '""' ] || fail "first run saved the folder $fields"

note "a folder whose name is not UTF-8"
bad=$WORK/$'b-bad\xfe'
mkdir "$bad"
cp "$EXE" "$bad/QK31T0207"
(cd "$WORK" && QT_QPA_PLATFORM=xcb exec "$bad/QK31T0207") >"$WORK/bus.log" 2>&1 &
BUS_PID=$!
wait_for 30 window_shown "$MAIN_TITLE" || fail "no main window titled $MAIN_TITLE"
MAIN=$(window_named "$MAIN_TITLE")
sleep 0.5
press_close_box
wait_end
[ "$STATUS" = 0 ] || fail "exit status $STATUS in the folder not in UTF-8"
[ -s "$bad/QK31T0207.ini" ] || fail "no settings beside the program: $(ls -A "$bad")"
echo "PASS"
