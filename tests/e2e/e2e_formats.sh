#!/usr/bin/env bash
# Animations on a real X server: an animated GIF on the sign, shown at its size and changing
# at its delays until Down steps to a still PNG; then an animated WebP on the signboard, which
# stops waking the program once the signboard is hidden. (What each format decodes to, APNG
# included: tst_picture_loader.)
set -euo pipefail
EXE=$1
ARTIFACTS=$2
source "$(dirname "$0")/x11.sh"
command -v img2webp >/dev/null || { echo "SKIP: no img2webp"; exit 77; }
begin_e2e "$ARTIFACTS" "$EXE"
S=$WORK/signs
mkdir "$S" "$WORK/frames" "$WORK/pictures"

# frame <name> <colour> <text>: a 40 x 24 frame of one colour with a black text.
frame() {
  convert -size 40x24 "xc:$2" -fill black -font /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
    -pointsize 14 -draw "text 22,18 '$3'" "PNG32:$WORK/frames/$1.png"
}
frame one yellow 1 && frame two lime 2 && frame three cyan 3
convert -size 8x8 xc:black "$S/0.png" # where the sign stands before the first Down
convert -delay 50 "$WORK/frames/one.png" "$WORK/frames/two.png" -loop 0 "$S/c.gif"
convert -size 52x32 xc:orange "$S/f.png"
img2webp -loop 0 -lossless -d 200 "$WORK/frames/one.png" -d 200 "$WORK/frames/three.png" -o "$WORK/pictures/board.webp" 2>/dev/null

start_bus
read -r mx my _ _ < <(client_geometry "$MAIN")
SIGN_X=$((mx + 212)) # Picture1's corner on the screen
SIGN_Y=$((my + 37))
sign_pixels() {
  screenshot "$WORK/sign.png"
  while [ $# -gt 0 ]; do pixel "$WORK/sign.png" $((SIGN_X + $1)) $((SIGN_Y + $2)); shift 2; done
}
sign_shows() { [ "$(sign_pixels "$1" "$2")" = "$3" ]; }
# shows <what> <colour at 2,2> <colour just past the picture's corner> <its x y>
shows() {
  wait_for 10 sign_shows 2 2 "$2" || { cp "$WORK/sign.png" "$ARTIFACTS/e2e-formats-failed.png"; fail "$1 is not shown: $(sign_pixels 2 2)"; }
  [ "$(sign_pixels "$4" "$5")" = "$3" ] || fail "$1 is not at its size: $(sign_pixels "$4" "$5") at $4,$5"
  screenshot "$ARTIFACTS/e2e-formats-$1.png"
}
# colours_over <x> <y> <seconds>: a pixel of the main window's client in dumps taken one
# after another for that long, changes only, on one line. The dumps are read afterwards, so
# that a loaded machine spaces them no wider than a dump takes.
colours_over() {
  local end=$((SECONDS + $3)) n=0
  while [ $SECONDS -lt $end ]; do xwd -id "$MAIN" -silent >"$WORK/dump$n.xwd"; n=$((n + 1)); sleep 0.05; done
  for i in $(seq 0 $((n - 1))); do pixel "xwd:$WORK/dump$i.xwd" "$1" "$2"; rm "$WORK/dump$i.xwd"; done | uniq | tr '\n' ' '
}
# plays <what> <x> <y> <first colour> <second colour>: the frames alternate, and come back.
plays() {
  local seen; seen=$(colours_over "$2" "$3" 3)
  [[ "$seen" == *"$4 $5 $4"* || "$seen" == *"$5 $4 $5"* ]] || fail "$1 does not play: $seen"
}
YELLOW=255,255,0 LIME=0,255,0 CYAN=0,255,255 WHITE=255,255,255

note "the animated GIF at 40 x 24, playing"
choose_sign_folder "$S"
xdotool key Down
shows gif "$YELLOW" "$WHITE" 41 10
plays gif 214 39 "$YELLOW" "$LIME"

note "Down to a still picture stops the animation at once"
xdotool key Down
shows still 255,165,0 255,165,0 45 28
[ "$(colours_over 214 39 2)" = "255,165,0 " ] || fail "the sign changed after the animation"

# The main thread's wake-ups (voluntary context switches) over 2 s.
wakeups() {
  local before after
  before=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$BUS_PID/task/$BUS_PID/status")
  sleep 2
  after=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$BUS_PID/task/$BUS_PID/status")
  echo $((after - before))
}
note "the signboard plays an animated WebP, and stops when hidden"
click "$MAIN" 540 125 3
sleep 0.5
xdotool key --delay 80 Down Down Down Return # 看板の画像を設定...
sleep 1
xdotool type --delay 5 "$WORK/pictures/board.webp"
xdotool key Return
board_shows() { [ "$(pixel_at "$1" "$2")" = "$3" ]; }
pixel_at() { screenshot "$WORK/board.png"; pixel "$WORK/board.png" $((mx + $1)) $((my + $2)); }
wait_for 10 board_shows 497 113 "$YELLOW" || board_shows 497 113 "$CYAN" || fail "the signboard shows $(pixel_at 497 113)"
plays signboard 497 113 "$YELLOW" "$CYAN"
screenshot "$ARTIFACTS/e2e-formats-signboard.png"
playing=$(wakeups)
click "$MAIN" 500 115 3
sleep 0.5
xdotool key --delay 80 Down Return # 看板の表示
sleep 1
[ "$(pixel_at 497 113)" != "$YELLOW" ] && [ "$(pixel_at 497 113)" != "$CYAN" ] || fail "the signboard is still shown"
hidden=$(wakeups)
note "wake-ups in 2 s: $playing playing, $hidden hidden"
[ "$playing" -ge 8 ] || fail "the signboard's animation woke the program only $playing times in 2 s"
[ "$hidden" -le 2 ] || fail "the hidden signboard still wakes the program ($hidden times in 2 s)"
echo "PASS"
