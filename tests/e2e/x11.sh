# Helpers for end-to-end tests: a private X server with a window manager, and ways to look
# at windows and pixels. Sourced by the test scripts.

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

# A script run with its standard input closed would hand fd 0 to the first file it opens,
# and the X server or the window manager would take it for their input.
{ : <&0; } 2>/dev/null || exec </dev/null

# wait_for <seconds> <command...>: retries the command until it succeeds.
wait_for() {
  local end=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

# How long a loaded machine may take to bring the server or the window manager up.
X_START_SECONDS=${X_START_SECONDS:-60}
# alive_and <pid> <command...>: the command succeeds, or the process is gone (and so is the wait).
alive_and() { "${@:2}" || { kill -0 "$1" || exit 3; return 1; }; }
started() { (wait_for "$X_START_SECONDS" alive_and "$@") >/dev/null 2>&1; }

# The window manager is running when the root window names a check window that names
# itself: the window manager's own mark that it is alive.
wm_running() {
  local check
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # //p')
  [ -n "$check" ] && xprop -id "$check" _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id # $check\$"
}

# start_x: a private Xvfb (on a free display it picks itself, ready once it names it) with
# openbox, and DISPLAY pointing there; its screen is X_SCREEN_SIZE ("WIDTHxHEIGHT") or
# 1280x800. Needs $WORK; exits 77 if a tool is missing. Nothing it started is left running
# when it fails.
start_x() {
  for tool in Xvfb openbox xdotool xprop xwininfo convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
  done
  rm -f "$WORK/xvfb.display" # a server started before wrote there
  Xvfb -displayfd 3 -screen 0 "${X_SCREEN_SIZE:-1280x800}x24" -nolisten tcp -noreset \
    3>"$WORK/xvfb.display" </dev/null >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  started "$XVFB_PID" test -s "$WORK/xvfb.display" || { stop_x; fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"; }
  export DISPLAY=":$(head -1 "$WORK/xvfb.display")"
  openbox --config-file /etc/xdg/openbox/rc.xml </dev/null >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  # Should this script end without stop_x (killed, or a cleanup that stopped half-way),
  # the guard ends both within a second.
  (while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$WM_PID" "$XVFB_PID") </dev/null >/dev/null 2>&1 &
  X_GUARD_PID=$!
  started "$WM_PID" wm_running || { stop_x; fail "openbox did not start on $DISPLAY: $(cat "$WORK/openbox.log")"; }
}

# stop_x: ends the window manager and the server started by start_x and waits for them.
# Safe to call more than once, after a failed start, and under `set -e`.
stop_x() {
  local pid
  for pid in ${X_GUARD_PID:-} ${WM_PID:-} ${XVFB_PID:-}; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  X_GUARD_PID= WM_PID= XVFB_PID=
}

# The id of the visible window with this exact title.
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
window_shown() { [ -n "$(window_named "$1")" ]; }
window_gone() { [ -z "$(window_named "$1")" ]; }

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
click() { xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click "${4:-1}"; }

# "x y" of a window's frame on the screen.
frame_place() {
  local x y w h l r t b
  read -r x y w h < <(client_geometry "$1")
  read -r l r t b < <(frame_extents "$1")
  echo "$((x - l)) $((y - t))"
}
placed_at() { [ "$(frame_place "$1")" = "$2" ]; }

# The close box of the main window's title bar: a close key would first reach the sign, and
# any key there gives the sign folder its "/".
press_close_box() {
  local x y w h l r t b
  read -r x y w h < <(client_geometry "$MAIN")
  read -r l r t b < <(frame_extents "$MAIN")
  xdotool mousemove $((x + w + r - 12)) $((y - t / 2)) sleep 0.2 click 1
}
close_bus() { press_close_box; wait_end; } # sets STATUS

# Waits up to 10 s for the program's end and sets STATUS.
wait_end() {
  for _ in $(seq 100); do kill -0 "$BUS_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$BUS_PID" 2>/dev/null && fail "the program is still running"
  STATUS=0
  wait "$BUS_PID" || STATUS=$?
  BUS_PID=
}

MAIN_TITLE="ポルカ号　-　QK31T0207"

# start_bus [command prefix...]: starts $BUS_EXE (the program copied to $WORK/bin/QK31T0207),
# in the folder $WORK, waits for both its windows and sets BUS_PID, MAIN and PANEL.
start_bus() {
  (cd "$WORK" && QT_QPA_PLATFORM=xcb exec "$@" "${BUS_EXE:-$WORK/bin/QK31T0207}") >"$WORK/bus.log" 2>&1 &
  BUS_PID=$!
  wait_for 30 window_shown "$MAIN_TITLE" || fail "no main window titled $MAIN_TITLE: $(cat "$WORK/bus.log")"
  wait_for 10 window_shown "設定パネル" || fail "no settings panel"
  MAIN=$(window_named "$MAIN_TITLE")
  PANEL=$(window_named "設定パネル")
  sleep 0.5
}

# type_sign_folder <folder>: types the folder into the chooser that 方向幕フォルダー opens and
# presses OK.
type_sign_folder() {
  click "$PANEL" 207 155 # 方向幕フォルダー
  wait_for 30 window_shown "画像の位置" || fail "no folder chooser"
  sleep 0.3
  xdotool type --delay 5 "$1"
  click "$(window_named "画像の位置")" 321 66 # OK
}

# choose_sign_folder <folder>: the folder typed and confirmed, then the sign given the
# keyboard focus.
choose_sign_folder() {
  type_sign_folder "$1"
  wait_for 30 window_gone "画像の位置" || fail "chooser did not close"
  click "$MAIN" 238 53
}

# begin_e2e <artifacts folder> <program>: a private work folder $WORK with the program copied
# to $WORK/bin/QK31T0207, so that whatever it writes beside itself stays there, and the X
# server; all gone at the end of the script together with the program started as $BUS_PID.
begin_e2e() {
  WORK=$(mktemp -d)
  mkdir -p "$1" "$WORK/bin"
  cp "$2" "$WORK/bin/QK31T0207"
  trap end_e2e EXIT
  start_x
}
end_e2e() {
  [ -z "${BUS_PID:-}" ] || kill "$BUS_PID" 2>/dev/null || true # it may have ended already
  stop_x
  rm -rf "$WORK"
}
