#!/usr/bin/env bash
# The bus in a Wayland session, on a headless compositor. With XWayland the program goes
# through X11, where its windows can be placed and kept on top; without XWayland it runs as
# a Wayland client with both windows under the menu entry's application id. Neither prints.
# wayland_session.sh <program> <source dir>
set -euo pipefail
source "$2/tests/e2e/x11.sh"
for tool in weston Xwayland xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
[ -n "$(find /usr/lib -path '*qt6/plugins/platforms/*' -name 'libqwayland-generic.so' -print -quit)" ] ||
  { echo "SKIP: Qt's Wayland platform plugin missing"; exit 77; }
WORK=$(mktemp -d)
trap 'kill ${BUS_PID:-} ${WESTON_PID:-} 2>/dev/null || true; wait; rm -rf "$WORK"' EXIT
# A copy of its own, so that the settings it saves when it is ended stay in the work folder.
mkdir "$WORK/bin"
cp "$1" "$WORK/bin/QK31T0207"

export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
weston --backend=headless-backend.so --xwayland --socket=bus-wayland --width=1280 --height=800 \
  --idle-time=0 >"$WORK/weston.log" 2>&1 &
WESTON_PID=$!
wait_for 15 grep -q "xserver listening on display" "$WORK/weston.log" || fail "weston did not start: $(cat "$WORK/weston.log")"
XWAYLAND=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log" | head -1)

# run_bus <log> <environment...>: the program from a folder of its own.
run_bus() {
  LOG=$1; shift
  (cd "$WORK" && exec env "$@" "$WORK/bin/QK31T0207") >"$LOG" 2>&1 &
  BUS_PID=$!
}
stop_bus() {
  kill "$BUS_PID" || fail "the program ended by itself: $(cat "$LOG")"
  wait "$BUS_PID" || true
}

note "with XWayland: both windows are X11 windows, nothing printed"
run_bus "$WORK/xwayland.log" WAYLAND_DISPLAY=bus-wayland DISPLAY="$XWAYLAND"
export DISPLAY=$XWAYLAND
wait_for 20 window_shown "$MAIN_TITLE" || fail "no main window on XWayland: $(cat "$LOG")"
wait_for 10 window_shown "設定パネル" || fail "no settings panel on XWayland"
sleep 0.5
stop_bus
[ ! -s "$LOG" ] || fail "printed under XWayland: $(cat "$LOG")"
unset DISPLAY

note "without XWayland: a Wayland client with both windows, nothing printed"
# Ended as a Wayland client, Qt's Wayland plugins leave objects behind, some in a plugin
# already unloaded when the leak checker looks: under the checkers, leaks are looked for in
# the program's runs on X11 only.
run_bus "$WORK/wayland.log" WAYLAND_DISPLAY=bus-wayland WAYLAND_DEBUG=client ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
for title in "$MAIN_TITLE" "設定パネル"; do
  wait_for 20 grep -q "xdg_toplevel@[0-9]*\.set_title(\"$title\")" "$LOG" || fail "no Wayland window titled $title"
done
sleep 1
# The compositor ties the windows to the menu entry through the application id.
ids=$(sed -n 's/.*xdg_toplevel@[0-9]*\.set_app_id("\(.*\)")/\1/p' "$LOG" | sort -u)
[ "$ids" = io.github.polkabus.QK31T0207 ] || fail "application ids: $ids"
stop_bus
# The protocol trace lines start with a time stamp in brackets; anything else was printed.
printed=$(grep -v '^\[' "$LOG" || true)
[ -z "$printed" ] || fail "printed on Wayland: $printed"
echo "PASS"
