#!/usr/bin/env bash
# The settings file with the real program on a real X server: where a first run puts the
# windows and the defaults it writes beside the program, a hand-written file putting the
# framed windows back and written back at the end, an installed program keeping its file in
# the user's configuration folder, and a save that cannot be done told in a real message box.
set -euo pipefail
source "$(dirname "$0")/x11.sh"
begin_e2e "$2" "$1"
chmod 755 "$WORK" # everything readable by a user other than root
INI=$WORK/bin/QK31T0207.ini

note "first run: the bus at the corner, the panel on top right below its frame, the defaults written"
start_bus
read -r _ _ _ mh < <(client_geometry "$MAIN")
read -r _ _ mt mb < <(frame_extents "$MAIN")
OUTER=$((mt + mh + mb))
placed_at "$MAIN" "0 0" && placed_at "$PANEL" "0 $OUTER" || fail "bus at $(frame_place "$MAIN"), panel at $(frame_place "$PANEL")"
xprop -id "$PANEL" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "the panel is not above other windows"
xprop -id "$MAIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && fail "the bus is above too"
close_bus
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
printf '0,0,0,%s,"","",0,0,"",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n' $((OUTER * 15)) | cmp - "$INI" \
  || fail "first-run file: $(cat -A "$INI")"

note "a hand-written file puts the windows back, the panel's title half off the left edge"
mkdir "$WORK/signs"
convert -size 52x32 xc:red "BMP3:$WORK/signs/sign_0.bmp"
convert -size 60x20 xc:blue "BMP3:$WORK/board.bmp"
record() {
  printf '1500,1200,-2250,6000,"%s","carried, as is",-7,42,"%s",4500,600,#TRUE#,#FALSE#,2345,30000,1\r\n' "$1" "$WORK/board.bmp"
}
record "$WORK/signs" >"$INI"
start_bus
wait_for 10 placed_at "$MAIN" "100 80" || fail "bus at $(frame_place "$MAIN")"
wait_for 10 placed_at "$PANEL" "-150 400" || fail "panel at $(frame_place "$PANEL")"
close_bus
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
record "$WORK/signs/" | cmp - "$INI" || fail "written back: $(cat "$INI")"

note "installed for all users: the file beside the program is read, the user's own written"
AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config")
mkdir -p "$WORK/config" "$WORK/home" && chown 65534:65534 "$WORK/config" "$WORK/home"
start_bus "${AS_USER[@]}"
wait_for 10 placed_at "$MAIN" "100 80" || fail "bus at $(frame_place "$MAIN") for the user"
close_bus
[ "$STATUS" = 0 ] || fail "exit status $STATUS for the user"
record "$WORK/signs/" | cmp - "$WORK/config/QK31T0207/QK31T0207.ini" || fail "the user's file is not the record"
record "$WORK/signs/" | cmp - "$INI" || fail "the file beside the program changed"

note "neither folder writable: a message box, status 1, the old file kept, no folder made"
chown root:root "$WORK/config"
rm -rf "$WORK/config/QK31T0207"
start_bus "${AS_USER[@]}"
press_close_box
wait_for 10 window_shown "ポルカ号" || fail "no message about the failed save"
screenshot "$2/e2e-settings-unwritable.png"
xdotool windowactivate --sync "$(window_named "ポルカ号")" key Return
wait_end
[ "$STATUS" = 1 ] || fail "exit status $STATUS after a failed save"
record "$WORK/signs/" | cmp - "$INI" || fail "the old file was changed"
[ ! -e "$WORK/config/QK31T0207" ] || fail "a configuration folder was made"
echo "PASS"
