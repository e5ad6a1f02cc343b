# Helpers for end-to-end tests: a private X server with a window manager, and ways to look
# at windows and pixels. Sourced by the test scripts.

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

# wait_for <seconds> <command...>: retries the command until it succeeds.
wait_for() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

start_x() {
  for tool in Xvfb openbox xdotool xprop xwininfo convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
  done
  local n
  for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
  export DISPLAY=":$n"
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  wait_for 10 xdpyinfo || fail "Xvfb did not start"
  openbox --config-file /etc/xdg/openbox/rc.xml >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
}

stop_x() {
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null || true
}

# The id of the visible window with this exact title.
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
window_shown() { [ -n "$(window_named "$1")" ]; }
window_gone() { [ -z "$(window_named "$1")" ]; }
# The number of visible windows of the program (menus included).
program_windows() { xdotool search --onlyvisible --class QK31T0207 2>/dev/null | wc -l; }

# "left right top bottom" of the frame openbox draws around a window.
frame_extents() { xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ','; }

# Absolute client position and size: "x y width height".
client_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

screenshot() { import -window root "$1"; }

# The colour of one screen pixel as "r,g,b" (0..255).
pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n '2s/^[^(]*(\([0-9]*,[0-9]*,[0-9]*\).*/\1/p'
}

# click <window> <x> <y> [button]: a click at client pixel x, y of a window.
click() {
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click "${4:-1}"
}

# begin_e2e <artifacts folder>: a private work folder $WORK and the X server, both gone at the
# end of the script together with the program started as $BUS_PID.
begin_e2e() {
  WORK=$(mktemp -d)
  mkdir -p "$1"
  trap end_e2e EXIT
  start_x
}
end_e2e() {
  [ -n "${BUS_PID:-}" ] && kill "$BUS_PID" 2>/dev/null
  stop_x
  rm -rf "$WORK"
}
