#!/usr/bin/env bash
# The ways a desktop ends the program, each after a moved bus and a faster middle door:
# SIGTERM, SIGHUP and SIGINT end it as a close does, xkill or an X server killed under it end
# it with status 2 and word of it; each saves both. Then, on a first run, a folder rejected
# through the real message box and chooser saves no folder; a copy in a folder whose name is
# not UTF-8 keeps its settings beside itself.
set -euo pipefail
EXE=$1
source "$(dirname "$0")/x11.sh"
begin_e2e "$2" "$EXE"
INI=$WORK/bin/QK31T0207.ini

for ending in TERM HUP INT xkill X-server; do
  note "$ending: saved, the end as it should be"
  rm -f "$INI"
  start_bus
  xdotool windowmove "$MAIN" 150 100
  wait_for 10 placed_at "$MAIN" "150 100" || fail "the bus did not move: $(frame_place "$MAIN")"
  click "$PANEL" 135 66 # the middle door's speed bar, its right arrow
  sleep 0.3
  case $ending in
    xkill) xkill -id "$MAIN" >/dev/null; expected=2 ;;
    X-server) kill -9 "$XVFB_PID"; expected=2 ;;
    *) kill -s "$ending" "$BUS_PID"; expected=0 ;;
  esac
  wait_end
  [ "$STATUS" = $expected ] || fail "exit status $STATUS after $ending: $(cat "$WORK/bus.log")"
  [ $expected = 0 ] || grep -q "the display went away; the settings were saved" "$WORK/bus.log" \
    || fail "no word of it after $ending: $(cat "$WORK/bus.log")"
  [ "$(cut -d, -f1,2,15 "$INI")" = "2250,1500,6001" ] || fail "$ending saved $(cat "$INI")"
done
stop_x
start_x

note "first run: a folder that does not exist is told, asked again, and Cancel saves no folder"
rm -f "$INI"
start_bus
type_sign_folder "$WORK/no-such-signs"
wait_for 10 window_shown "ポルカ号" || fail "no message about the missing folder"
xdotool windowactivate --sync "$(window_named "ポルカ号")" key Return
wait_for 10 window_shown "画像の位置" || fail "the chooser did not come back"
sleep 0.3
click "$(window_named "画像の位置")" 409 66 # キャンセル
wait_for 10 window_gone "画像の位置" || fail "the chooser did not close"
close_bus
[ "$(cut -d, -f5 "$INI")" = '""' ] || fail "first run saved the folder $(cut -d, -f5 "$INI")"

note "a folder whose name is not UTF-8"
bad=$WORK/$'b-bad\xfe'
mkdir "$bad"
cp "$EXE" "$bad/QK31T0207"
BUS_EXE=$bad/QK31T0207 start_bus
close_bus
[ "$STATUS" = 0 ] || fail "exit status $STATUS in the folder not in UTF-8"
[ -s "$bad/QK31T0207.ini" ] || fail "no settings beside the program: $(ls -A "$bad")"
echo "PASS"
