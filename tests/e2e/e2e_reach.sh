#!/usr/bin/env bash
# Windows saved off every screen come back within reach: places from a monitor that is gone
# or from a larger screen are brought whole onto the screen, a place that can be reached is
# used as saved, and the file written at the end holds where the windows really were.
set -euo pipefail
EXE=$1
ARTIFACTS=$2
source "$(dirname "$0")/x11.sh"
begin_e2e "$ARTIFACTS" "$EXE"
INI=$WORK/bin/QK31T0207.ini

# places <bus left> <bus top> <panel left> <panel top>: a settings file with these places (twips).
places() {
  printf '%s,%s,%s,%s,"","",0,0,"",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n' "$@" >"$INI"
}

# "width height" of the screen.
screen_size() { xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p'; }

# "width height" of a window's frame.
frame_size() {
  local x y w h l r t b
  read -r x y w h < <(client_geometry "$1")
  read -r l r t b < <(frame_extents "$1")
  echo "$((l + w + r)) $((t + h + b))"
}

# expect_place <window> <name> <x> <y>: the window's frame stands at x, y (pixels).
expect_place() {
  wait_for 10 placed_at "$1" "$3 $4" || fail "$2 at $(frame_place "$1"), not $3 $4"
}

# The frame's place where it shows whole on the screen nearest to x, y: at the right or
# bottom edge for a place beyond it, at the left or top edge for one before it or too big.
whole_on_screen() {
  local sw sh fw fh x=$2 y=$3
  read -r sw sh < <(screen_size)
  read -r fw fh < <(frame_size "$1")
  x=$((x + fw > sw ? sw - fw : x)); y=$((y + fh > sh ? sh - fh : y))
  echo "$((x < 0 ? 0 : x)) $((y < 0 ? 0 : y))"
}

# Closes the program with the window manager's close key, which works even where the close
# box is off the screen, and checks that the file written holds the places last seen.
close_and_check_file() {
  local bx by px py
  read -r bx by < <(frame_place "$MAIN")
  read -r px py < <(frame_place "$PANEL")
  screenshot "$ARTIFACTS/e2e-reach-$1.png"
  xdotool windowactivate --sync "$MAIN" key alt+F4
  wait_end
  [ "$STATUS" = 0 ] || fail "exit status $STATUS ($1)"
  local written
  written=$(cut -d, -f1-4 "$INI")
  [ "$written" = "$((bx * 15)),$((by * 15)),$((px * 15)),$((py * 15))" ] \
    || fail "written $written, the windows were at $bx $by and $px $py ($1)"
}

note "a monitor that is gone: the bus far up-left, the panel far down-right"
places -30000 -30000 300000 300000
start_bus
expect_place "$MAIN" "the bus" 0 0
expect_place "$PANEL" "the panel" $(whole_on_screen "$PANEL" 20000 20000)
close_and_check_file gone-monitor

note "a place that can be reached is used as saved, the panel's title half off the left edge"
places 1500 1200 -2250 9000
start_bus
expect_place "$MAIN" "the bus" 100 80
expect_place "$PANEL" "the panel" -150 600
close_and_check_file reachable

note "a 640 x 480 screen with places from a 1280 x 900 one: each whole on the screen, or at its left edge"
stop_x
X_SCREEN_SIZE=640x480 start_x
places 9000 11000 15000 12000
start_bus
expect_place "$MAIN" "the bus" $(whole_on_screen "$MAIN" 600 733)
expect_place "$PANEL" "the panel" $(whole_on_screen "$PANEL" 1000 800)
close_and_check_file small-screen
echo "PASS"
