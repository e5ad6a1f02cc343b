#!/usr/bin/env bash
# The settings file with the real program on a real X server: a first run writes the
# defaults beside the program, a hand-written file puts the windows, speeds, mode, signboard
# and sign back, closing writes it back, an installed program keeps its file in the user's
# configuration folder, and a save that cannot be done says so and keeps the old file.
set -euo pipefail
EXE=$1
ARTIFACTS=$2
source "$(dirname "$0")/x11.sh"
begin_e2e "$ARTIFACTS" "$EXE"

# Everything readable by a user other than root.
chmod 755 "$WORK"
mkdir "$WORK/signs"
INI=$WORK/bin/QK31T0207.ini
convert -size 52x32 xc:red "BMP3:$WORK/signs/sign_0.bmp"
convert -size 52x32 xc:lime "BMP3:$WORK/signs/sign_1.bmp"
convert -size 60x20 xc:blue "BMP3:$WORK/board.bmp"

close_bus() {
  press_close_box
  wait_end
}

# screen_shows <x> <y> <r,g,b>: the screen's pixel has that colour (the screen is kept).
screen_shows() {
  screenshot "$WORK/screen.png"
  [ "$(pixel "$WORK/screen.png" "$1" "$2")" = "$3" ]
}

# The speed labels of the panel, as a picture to compare.
speed_labels() { import -window "$PANEL" -crop 90x60+57+28 "$1"; }
# The labels hold text: more than the one colour of their ground.
labels_drawn() {
  speed_labels "$1"
  [ "$(convert "$1" -format %k info:)" -gt 1 ]
}
labels_differ_from() {
  speed_labels "$WORK/labels-now.png"
  [ "$(compare -metric AE "$1" "$WORK/labels-now.png" null: 2>&1 || true)" != 0 ]
}

# A closed program whose save failed: a message box, then the end with status 1.
expect_failed_save() {
  press_close_box
  wait_for 10 window_shown "ポルカ号" || fail "no message about the failed save ($1)"
  screenshot "$ARTIFACTS/e2e-settings-$1.png"
  xdotool windowactivate --sync "$(window_named "ポルカ号")" key Return
  wait_end
  [ "$STATUS" = 1 ] || fail "exit status $STATUS after a failed save ($1)"
}

note "first run: the defaults, written beside the program at the end"
start_bus
read -r _ _ _ mh < <(client_geometry "$MAIN")
read -r _ _ mt mb < <(frame_extents "$MAIN")
OUTER=$(((mt + mh + mb) * 15))
wait_for 10 labels_drawn "$WORK/labels-defaults.png" || fail "the panel shows no speeds"
close_bus
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
printf '0,0,0,%s,"","",0,0,"",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n' "$OUTER" | cmp - "$INI" \
  || fail "first-run file: $(od -c "$INI" | head)"

note "a hand-written file puts everything back"
record() {
  printf '1500,1200,3000,6000,"%s","carried, as is",-7,42,"%s",4500,600,#TRUE#,#FALSE#,2345,30000,1\r\n' "$1" "$WORK/board.bmp"
}
record "$WORK/signs" >"$INI"
start_bus
wait_for 10 placed_at "$MAIN" "100 80" || fail "main window at $(frame_place "$MAIN")"
wait_for 10 placed_at "$PANEL" "200 400" || fail "panel at $(frame_place "$PANEL")"
read -r mx my _ _ < <(client_geometry "$MAIN")
wait_for 10 screen_shows $((mx + 212 + 26)) $((my + 37 + 16)) "255,0,0" || fail "the sign is not the folder's first"
wait_for 10 screen_shows $((mx + 300 + 5)) $((my + 40 + 5)) "0,0,255" || fail "no signboard picture at 300, 40"
cp "$WORK/screen.png" "$ARTIFACTS/e2e-settings-restored.png"
wait_for 10 labels_differ_from "$WORK/labels-defaults.png" || fail "the panel shows the default speeds"

note "closing writes the same record back, the folder with its /"
close_bus
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
record "$WORK/signs/" | cmp - "$INI" || fail "written back: $(cat "$INI")"

note "installed for all users: the file beside the program is read, the user's own written"
AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config")
mkdir -p "$WORK/config" "$WORK/home" && chown 65534:65534 "$WORK/config" "$WORK/home"
start_bus "${AS_USER[@]}"
wait_for 10 placed_at "$MAIN" "100 80" || fail "main window at $(frame_place "$MAIN") for the user"
close_bus
[ "$STATUS" = 0 ] || fail "exit status $STATUS for the user"
record "$WORK/signs/" | cmp - "$WORK/config/QK31T0207/QK31T0207.ini" || fail "the user's file is not the record"
record "$WORK/signs/" | cmp - "$INI" || fail "the file beside the program changed"

note "a save that fails under a file-size limit keeps the old file"
cp "$INI" "$WORK/old.ini"
start_bus bash -c 'ulimit -f 0; trap "" XFSZ; exec "$0"'
expect_failed_save file-size-limit
cmp "$WORK/old.ini" "$INI" || fail "the old file was changed"
[ "$(ls -A "$WORK/bin")" = "$(printf 'QK31T0207\nQK31T0207.ini')" ] || fail "left behind: $(ls -A "$WORK/bin")"

note "a save that fails because neither folder is writable keeps the old file"
chown root:root "$WORK/config"
rm -rf "$WORK/config/QK31T0207"
start_bus "${AS_USER[@]}"
wait_for 10 placed_at "$MAIN" "100 80" || fail "main window at $(frame_place "$MAIN") with no writable folder"
expect_failed_save unwritable
cmp "$WORK/old.ini" "$INI" || fail "the old file was changed"
[ ! -e "$WORK/config/QK31T0207" ] || fail "a configuration folder was made"
echo "PASS"
