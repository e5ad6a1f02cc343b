#!/usr/bin/env bash
# The signboard on a real X server: its menu from a right press, a drag with the mouse that
# leaves the frame behind, a double click that brings the frame, and a picture chosen through
# the real open-file dialog. What the menu's other items do is the offscreen test's.
set -euo pipefail
EXE=$1
ARTIFACTS=$2
source "$(dirname "$0")/x11.sh"
begin_e2e "$ARTIFACTS" "$EXE"
mkdir "$WORK/pictures"
convert -size 100x40 xc:blue "BMP3:$WORK/pictures/board.BMP"

start_bus
read -r mx my _ _ < <(client_geometry "$MAIN")

WHITE=255,255,255
BAR=224,224,224    # the frame's fill
OUTLINE=128,128,128
BLUE=0,0,255

# colours <x y>...: the colours of these client pixels of the main window, one line.
colours() {
  screenshot "$WORK/now.png"
  local out=()
  while [ $# -gt 0 ]; do out+=("$(pixel "$WORK/now.png" $((mx + $1)) $((my + $2)))"); shift 2; done
  echo "${out[*]}"
}
# expect <what> <expected colours> <x y>...
expect() {
  local what=$1 wanted=$2; shift 2
  local seen; seen=$(colours "$@")
  [ "$seen" = "$wanted" ] || fail "$what: saw $seen, wanted $wanted"
}
menu_open() {
  for w in $(xdotool search --onlyvisible --class QK31T0207 2>/dev/null); do
    xwininfo -id "$w" | grep -q "Override Redirect State: yes" && return 0
  done
  return 1
}
menu_closed() { ! menu_open; }
# menu <x> <y> <downs>: right press at a client pixel, then the item that many Downs reach.
menu() {
  click "$MAIN" "$1" "$2" 3
  wait_for 5 menu_open || fail "no popup menu at $1,$2"
  sleep 0.2
  xdotool key --delay 80 $(printf 'Down %.0s' $(seq "$3")) Return
  wait_for 5 menu_closed || fail "the menu stayed open"
  sleep 0.3
}

# The box at 495, 111, 94 x 30 pixels; the left post at 490, the right one at 589, the bar at 141.
note "the signboard and its frame at start (their pixels: the offscreen test)"
screenshot "$ARTIFACTS/e2e-signboard-start.png"

note "a drag moves the signboard 20 pixels right and 3 down; the frame stays"
xdotool mousemove --window "$MAIN" 540 125 sleep 0.2 mousedown 1 sleep 0.2
for step in 5 10 15 20; do xdotool mousemove --window "$MAIN" $((540 + step)) $((125 + step * 3 / 20)) sleep 0.1; done
xdotool mouseup 1
sleep 0.5
# The box now covers the right post; where it stood, the bus shows.
expect "after the drag" "$OUTLINE $BAR $WHITE $WHITE" 490 120 492 120 591 120 605 125
[ "$(colours 497 112)" != "$WHITE" ] || fail "the box still covers its old place"
screenshot "$ARTIFACTS/e2e-signboard-dragged.png"

note "a double click brings the frame around the box"
xdotool mousemove --window "$MAIN" 560 125 sleep 0.2 click --repeat 2 --delay 60 1
sleep 0.5
# Left post 510..514 from 114, bar from 144 under the box (515..608).
expect "after the double click" "$OUTLINE $BAR $BAR $WHITE" 510 125 512 125 560 145 560 125
[ "$(colours 492 120)" != "$BAR" ] || fail "the old left post is still there"
screenshot "$ARTIFACTS/e2e-signboard-refit.png"

note "a picture chosen through the open-file dialog: the box takes its size, the frame fits"
before=$(xdotool search --onlyvisible --class QK31T0207 | wc -l)
menu 560 125 3 # 看板の画像を設定...
wait_for 10 sh -c "[ \$(xdotool search --onlyvisible --class QK31T0207 | wc -l) -gt $before ]" || fail "no file dialog"
sleep 0.5
screenshot "$ARTIFACTS/e2e-signboard-dialog.png"
xdotool type --delay 5 "$WORK/pictures/board.BMP"
xdotool key Return
wait_for 10 sh -c "[ \$(xdotool search --onlyvisible --class QK31T0207 | wc -l) -eq $before ]" || fail "the file dialog stayed"
sleep 0.5
# The box 515..614 x 114..153; posts to 154, the bar 154..157.
expect "after the picture" "$BLUE $BLUE $BAR $BAR $OUTLINE" 516 115 613 152 512 150 560 155 615 150
screenshot "$ARTIFACTS/e2e-signboard-picture.png"

grep -v '^QStandardPaths' "$WORK/bus.log" || true
echo "PASS"
