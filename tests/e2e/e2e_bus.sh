#!/usr/bin/env bash
# The bus on a real X server: start-up places, the topmost panel, the popup menu, the sign
# folder, arrow keys and keypad, both doors, and the end of the program.
set -euo pipefail
EXE=$1
ARTIFACTS=$2
source "$(dirname "$0")/x11.sh"
begin_e2e "$ARTIFACTS" "$EXE"
mkdir "$WORK/signs"
colours=(red lime blue yellow magenta cyan)
for i in "${!colours[@]}"; do
  convert -size 52x32 "xc:${colours[$i]}" "BMP3:$WORK/signs/sign_$i.bmp"
done

start_bus

note "main window: client 664 x 212, frame at the top-left corner"
read -r mx my mw mh < <(client_geometry "$MAIN")
read -r ml mr mt mb < <(frame_extents "$MAIN")
[ "$mw" = 664 ] && [ "$mh" = 212 ] || fail "main client is ${mw}x${mh}"
[ "$mx" = "$ml" ] && [ "$my" = "$mt" ] || fail "main frame not at 0,0 (client at $mx,$my, frame $ml $mr $mt $mb)"

note "panel: left edge, directly below the main window's frame, above the others"
read -r px py pw ph < <(client_geometry "$PANEL")
read -r pl pr pt pb < <(frame_extents "$PANEL")
[ "$pw" = 263 ] && [ "$ph" = 171 ] || fail "panel client is ${pw}x${ph}"
[ $((px - pl)) = 0 ] || fail "panel frame left at $((px - pl))"
[ $((py - pt)) = $((mt + mh + mb)) ] || fail "panel frame top at $((py - pt)), main outer height $((mt + mh + mb))"
xprop -id "$PANEL" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "panel is not above other windows"
xprop -id "$MAIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && fail "the main window is above too"
screenshot "$ARTIFACTS/e2e-startup.png"

note "right click on the bare bus opens the signboard menu"
before=$(program_windows)
click "$MAIN" 620 20 3
wait_for 30 sh -c "[ \$(xdotool search --onlyvisible --class QK31T0207 | wc -l) -gt $before ]" || fail "no popup menu"
menu=$(for w in $(xdotool search --onlyvisible --class QK31T0207); do
  if xwininfo -id "$w" | grep -q "Override Redirect State: yes"; then echo "$w"; fi; done)
[ -n "$menu" ] || fail "the new window is no popup menu"
screenshot "$ARTIFACTS/e2e-menu.png"
xdotool key Escape
wait_for 30 sh -c "[ \$(xdotool search --onlyvisible --class QK31T0207 | wc -l) -eq $before ]" || fail "menu did not close"

# The sign's place on the screen: Picture1 at 212, 37 of the main client, 52 x 32.
SIGN_X=$((mx + 212 + 26))
SIGN_Y=$((my + 37 + 16))
sign_colour() { screenshot "$WORK/sign.png"; pixel "$WORK/sign.png" "$SIGN_X" "$SIGN_Y"; }
sign_is() { [ "$(sign_colour)" = "$1" ]; }

note "the chooser points the sign at a folder; Down shows the next sign"
choose_sign_folder "$WORK/signs"
xdotool key Down
wait_for 30 sign_is "0,255,0" || fail "after Down the sign shows $(sign_colour), not sign_1"
xdotool key Down
wait_for 30 sign_is "0,0,255" || fail "after a second Down the sign shows $(sign_colour)"
screenshot "$ARTIFACTS/e2e-sign.png"

note "punctuation on the sign steps nothing: ( & % ' are not arrows"
xdotool key parenleft ampersand percent apostrophe
sleep 0.5
[ "$(sign_colour)" = "0,0,255" ] || fail "punctuation moved the sign to $(sign_colour)"

note "the keypad shows sign 4"
click "$PANEL" 173 79 # "4"
click "$PANEL" 239 131 # "設定"
wait_for 30 sign_is "255,0,255" || fail "after 4 設定 the sign shows $(sign_colour)"

note "a folder that does not exist is reported, asked again, and Cancel keeps the sign working"
click "$PANEL" 207 155 # 方向幕フォルダー
wait_for 10 window_shown "画像の位置" || fail "no folder chooser"
CHOOSER=$(window_named "画像の位置")
sleep 0.3
xdotool key ctrl+a type --delay 5 "$WORK/no-such-signs"
click "$CHOOSER" 321 66 # OK
wait_for 10 window_shown "ポルカ号" || fail "no message about the missing folder"
screenshot "$ARTIFACTS/e2e-missing-folder.png"
xdotool windowactivate --sync "$(window_named "ポルカ号")" key Return
wait_for 10 window_gone "ポルカ号" || fail "the message did not close"
wait_for 10 window_shown "画像の位置" || fail "the chooser was not opened again"
click "$(window_named "画像の位置")" 409 66 # キャンセル
wait_for 10 window_gone "画像の位置" || fail "chooser did not close"
click "$MAIN" 238 53
xdotool key Up
sleep 0.5
[ "$(sign_colour)" = "0,255,0" ] || fail "after a rejected folder Up shows $(sign_colour), not sign_1"

# A pixel of each door: the front door near its right edge, the middle door where the leaves meet.
FRONT_X=$((mx + 85)); FRONT_Y=$((my + 120))
MIDDLE_X=$((mx + 336)); MIDDLE_Y=$((my + 120))
door_pixels() { screenshot "$WORK/doors.png"; echo "$(pixel "$WORK/doors.png" $FRONT_X $FRONT_Y) $(pixel "$WORK/doors.png" $MIDDLE_X $MIDDLE_Y)"; }
read -r front_closed middle_closed < <(door_pixels)
# Clicks given during a movement wait for its end, so the test only waits for what it sees.
doors_open() { local front middle; read -r front middle < <(door_pixels)
  [ "$front" != "$front_closed" ] && [ "$middle" != "$middle_closed" ]; }
doors_closed() { [ "$(door_pixels)" = "$front_closed $middle_closed" ]; }

note "both switches open the doors and close them again"
click "$PANEL" 31 30 # Check1
click "$PANEL" 30 75 # Check2
wait_for 60 doors_open || fail "the doors did not open ($(door_pixels))"
screenshot "$ARTIFACTS/e2e-doors-open.png"
click "$PANEL" 31 30
click "$PANEL" 30 75
wait_for 60 doors_closed || fail "the doors did not close ($(door_pixels), closed: $front_closed $middle_closed)"

note "closing the main window ends the program"
xdotool windowactivate --sync "$MAIN" key alt+F4
status=0
program_ended() { ! kill -0 "$BUS_PID" 2>/dev/null; }
wait_for 30 program_ended || fail "the program is still running"
wait "$BUS_PID" || status=$?
BUS_PID=
[ "$status" = 0 ] || fail "exit status $status; the program printed:
$(cat "$WORK/bus.log")"
[ -z "$(window_named "$MAIN_TITLE")" ] && [ -z "$(window_named "設定パネル")" ] || fail "windows left behind"
cat "$WORK/bus.log"
echo "PASS"
