#!/usr/bin/env bash
# Metafile signs on a real X server: a sign folder holding a bitmap, a Windows metafile, a
# damaged JPEG and an enhanced metafile, stepped with Down and checked by pixel.
set -euo pipefail
EXE=$1
ARTIFACTS=$2
PICTURES=$3
source "$(dirname "$0")/x11.sh"
begin_e2e "$ARTIFACTS" "$EXE"
mkdir "$WORK/signs"
convert -size 52x32 xc:red "BMP3:$WORK/signs/a.bmp"
cp "$PICTURES/sign-inkscape-paths.wmf" "$WORK/signs/b.wmf"
convert -size 52x32 xc:lime "$WORK/signs/c.jpg"
head -c 300 "$WORK/signs/c.jpg" >"$WORK/signs/c_damaged.jpg" && rm "$WORK/signs/c.jpg"
cp "$PICTURES/bitmap-inkscape.emf" "$WORK/signs/d.emf"

start_bus
read -r mx my _ _ < <(client_geometry "$MAIN")

# The sign's top-left corner on the screen: Picture1 at 212, 37 of the main client.
SIGN_X=$((mx + 212))
SIGN_Y=$((my + 37))
# The colours of the sign's pixels at the given offsets, one a line.
sign_pixels() {
  screenshot "$WORK/sign.png"
  while [ $# -gt 0 ]; do pixel "$WORK/sign.png" $((SIGN_X + $1)) $((SIGN_Y + $2)); shift 2; done
}
# Whether the sign's pixel at an offset has a colour.
sign_shows() { [ "$(sign_pixels "$1" "$2")" = "$3" ]; }

note "the sign folder is chosen; the bitmap is the first sign"
choose_sign_folder "$WORK/signs"

note "Down: the Windows metafile, navy with yellow characters"
xdotool key Down
wait_for 10 sign_shows 2 2 0,0,128 || fail "the metafile's ground is $(sign_pixels 2 2)"
screenshot "$ARTIFACTS/e2e-pictures-wmf.png"
# Yellowish pixels in the sign's upper half.
yellow=$(convert "$WORK/sign.png" -crop "52x16+$SIGN_X+$SIGN_Y" -depth 8 txt:- \
  | awk -F'[(),]' 'NR > 1 && $3 > 180 && $4 > 180 && $5 < 100 { n++ } END { print n + 0 }')
[ "$yellow" -ge 40 ] || fail "too little yellow text on the metafile sign ($yellow pixels)"
wmf=$(sign_pixels 2 2 20 9 40 25)

note "Down: a damaged JPEG changes nothing"
xdotool key Down
sleep 1
[ "$(sign_pixels 2 2 20 9 40 25)" = "$wmf" ] || fail "the damaged picture changed the sign"

note "Down: the enhanced metafile, its bitmap sharp"
xdotool key Down
wait_for 10 sign_shows 4 8 255,0,0 || fail "the enhanced metafile is not shown"
screenshot "$ARTIFACTS/e2e-pictures-emf.png"
expected=$'255,0,0\n0,0,255\n0,192,0\n255,255,255\n0,160,0\n255,255,255'
actual=$(sign_pixels 4 8 19 8 4 23 19 23 36 16 1 1)
[ "$actual" = "$expected" ] || fail "the enhanced metafile shows $(echo $actual)"

note "Up past the damaged file goes back to the Windows metafile"
xdotool key Up Up
wait_for 10 sign_shows 2 2 0,0,128 || fail "Up did not show the metafile again"
[ "$(sign_pixels 2 2 20 9 40 25)" = "$wmf" ] || fail "the metafile looks different the second time"
echo "PASS"
