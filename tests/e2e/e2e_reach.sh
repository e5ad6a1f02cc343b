#!/usr/bin/env bash
# Windows saved off every screen come back within reach on a real screen: places from a
# monitor that is gone are brought whole onto the screen, framed, and the file written at the
# end holds where the windows really were. (The rule's cases: tst_window_reach; a reachable
# place used as saved: e2e_settings.)
set -euo pipefail
source "$(dirname "$0")/x11.sh"
begin_e2e "$2" "$1"
INI=$WORK/bin/QK31T0207.ini

# expect_whole <window> <x> <y>: the window's frame stands whole on the screen, as near x, y
# (pixels) as it fits: at the right or bottom edge for a place beyond it, at the left or top
# edge for one before it.
expect_whole() {
  local sw sh x y w h l r t b
  read -r sw sh < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
  read -r x y w h < <(client_geometry "$1")
  read -r l r t b < <(frame_extents "$1")
  x=$(($2 + l + w + r > sw ? sw - l - w - r : $2)); y=$(($3 + t + h + b > sh ? sh - t - h - b : $3))
  wait_for 10 placed_at "$1" "$((x < 0 ? 0 : x)) $((y < 0 ? 0 : y))" || fail "frame at $(frame_place "$1"), near $2 $3"
}

note "a monitor that is gone: the bus far up-left, the panel far down-right"
printf '%s,%s,%s,%s,"","",0,0,"",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n' -30000 -30000 300000 300000 >"$INI"
start_bus
expect_whole "$MAIN" -2000 -2000
expect_whole "$PANEL" 20000 20000
read -r bx by < <(frame_place "$MAIN")
read -r px py < <(frame_place "$PANEL")
screenshot "$2/e2e-reach.png"
close_bus
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
[ "$(cut -d, -f1-4 "$INI")" = "$((bx * 15)),$((by * 15)),$((px * 15)),$((py * 15))" ] \
  || fail "written $(cut -d, -f1-4 "$INI"), the windows were at $bx $by and $px $py"
echo "PASS"
