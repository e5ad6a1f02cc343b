# Checks on the program as installed from the package into $ROOT, run on the X server of
# x11.sh. Sourced by package_test.sh, which sets WORK, ROOT, DEB, SOURCE, ARTIFACTS and
# HAS_MAKER. Every run gets a scratch home, so nothing reaches this machine's own settings.

MAIN_TITLE="ポルカ号　-　QK31T0207"
DIALOG_TITLE="ポルカ号のバージョン情報"
NOBODY=65534

# The desktop's "open" action, replaced by one that writes down what it was given.
fake_opener() {
  mkdir -p "$WORK/bin"
  printf '#!/bin/sh\necho "$@" >> "%s/opened"\n' "$WORK" >"$WORK/bin/xdg-open"
  chmod 755 "$WORK/bin/xdg-open"
}

# start_installed <home> [command prefix...]: the installed program, from a folder of its own.
start_installed() {
  local home=$1; shift
  mkdir -p "$WORK/cwd"
  (cd "$WORK/cwd" && exec "$@" env PATH="$WORK/bin:$PATH" HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    QT_QPA_PLATFORM=xcb "$ROOT/usr/games/QK31T0207") >"$WORK/bus.log" 2>&1 &
  BUS_PID=$!
  wait_for 20 window_shown "$MAIN_TITLE" || { cat "$WORK/bus.log"; fail "no main window"; }
  wait_for 10 window_shown "設定パネル" || fail "no settings panel"
  MAIN=$(window_named "$MAIN_TITLE")
  PANEL=$(window_named "設定パネル")
  sleep 0.5
}

# Closing the main window ends the program normally.
stop_installed() {
  xdotool windowactivate --sync "$MAIN" key alt+F4
  for _ in $(seq 50); do kill -0 "$BUS_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$BUS_PID" 2>/dev/null && fail "the program is still running"
  local status=0
  wait "$BUS_PID" || status=$?
  BUS_PID=
  [ "$status" = 0 ] || { cat "$WORK/bus.log"; fail "exit status $status"; }
}

check_run_path() {
  note "the installed program's run path names no working folder"
  run_path_safe "$ROOT/usr/games/QK31T0207" || fail "unsafe run path: $(readelf -d "$ROOT/usr/games/QK31T0207" | grep PATH)"
}

# The link of the version dialog asks the installed library for the installed page.
check_maker_link() {
  if [ "$HAS_MAKER" != 1 ]; then
    skip "version dialog link: the maker's library is not part of this build"
    return
  fi
  note "the version dialog's link opens the installed page through the installed library"
  click "$PANEL" 98 155 # バージョン情報
  wait_for 10 window_shown "$DIALOG_TITLE" || fail "no version dialog"
  local dialog
  dialog=$(window_named "$DIALOG_TITLE")
  click "$dialog" 60 206 # the link line
  wait_for 10 test -s "$WORK/opened" || fail "the link opened nothing"
  # The library names the page beside its own file, and is unloaded after each click: the
  # installed page's address is what proves that the installed library answered.
  grep -q "$ROOT/usr/share/qk31t0207/maker-page/index.html" "$WORK/opened" || fail "the link opened $(cat "$WORK/opened")"
  click "$dialog" 279 207 # OK
  wait_for 10 window_gone "$DIALOG_TITLE" || fail "the version dialog did not close"
}

# Settings stay beside the program while its folder can be written; a user who cannot
# write it finds them in the user's own configuration folder.
check_user_settings() {
  note "settings with the program's folder writable"
  start_installed "$WORK/home-writer"
  stop_installed
  if [ -z "$(find "$ROOT/usr/games" -name '*.ini')" ]; then
    skip "user settings: this build writes no settings file"
    return
  fi
  rm -f "$ROOT"/usr/games/*.ini

  note "settings of a user who cannot write the program's folder"
  local home=$WORK/home-user prefix=()
  mkdir -p "$home"
  if [ "$(id -u)" = 0 ]; then
    chown "$NOBODY:$NOBODY" "$home"
    prefix=(setpriv --reuid=$NOBODY --regid=$NOBODY --clear-groups)
  fi
  chmod a-w "$ROOT/usr/games"
  start_installed "$home" "${prefix[@]}"
  stop_installed
  chmod u+w "$ROOT/usr/games"
  [ -z "$(find "$ROOT/usr/games" -name '*.ini')" ] || fail "settings written into the program's folder"
  [ -s "$home/.config/QK31T0207/QK31T0207.ini" ] || fail "no settings in the user's folder: $(find "$home" -type f)"
}

# x y of one 2x pixel and the 1x pixel under it match within a few steps of colour.
same_colour() {
  local a b
  IFS=, read -r -a a <<<"$1"
  IFS=, read -r -a b <<<"$2"
  for i in 0 1 2; do
    [ $((a[i] - b[i])) -le 6 ] && [ $((b[i] - a[i])) -le 6 ] || return 1
  done
}

# At 200 % the body comes pixel for pixel from its 2x picture, which holds detail an
# enlarged 1x picture cannot, and a hard edge of the 1x picture stays a hard edge.
check_double_scale() {
  note "at 200 %: the body drawn from its 2x picture, edges sharp"
  start_installed "$WORK/home-writer" env QT_SCALE_FACTOR=2
  read -r _ _ w h < <(client_geometry "$MAIN")
  [ "$w" = 1328 ] && [ "$h" = 424 ] || fail "main client at 200 % is ${w}x${h}"
  local shot=$ARTIFACTS/package-200.png
  import -window "$MAIN" "$shot"
  stop_installed

  # The lettering "ポルカ号" on the body, clear of every control.
  convert "$shot" -crop 200x44+200+228 +repage "$WORK/shown.png"
  convert "$SOURCE/assets/bus_body@2x.bmp" -crop 200x44+200+228 +repage "$WORK/drawn.png"
  convert "$SOURCE/assets/bus_body.bmp" -crop 100x22+100+114 +repage -filter point -resize 200% "$WORK/enlarged.png"
  local differ
  differ=$(compare -metric AE "$WORK/shown.png" "$WORK/drawn.png" null: 2>&1 || true)
  [ "$differ" = 0 ] || fail "$differ pixels of the lettering differ from the 2x picture"
  differ=$(compare -metric AE "$WORK/shown.png" "$WORK/enlarged.png" null: 2>&1 || true)
  [ "$differ" -gt 100 ] || fail "the lettering looks like the 1x picture enlarged ($differ pixels differ)"

  # Across the left edge of the sign's black box: cream, grey border, black, no blend.
  local x
  for x in $(seq 410 421); do
    same_colour "$(pixel "$shot" "$x" 100)" "$(pixel "$SOURCE/assets/bus_body.bmp" $((x / 2)) 50)" ||
      fail "blurred edge at x $x: $(pixel "$shot" "$x" 100) under 1x $(pixel "$SOURCE/assets/bus_body.bmp" $((x / 2)) 50)"
  done
}

# dpkg itself, rooted in a scratch folder: the package installs and leaves nothing behind.
check_removal() {
  if [ "$(id -u)" != 0 ]; then
    skip "install and removal by dpkg --root: needs root"
    return
  fi
  note "dpkg installs into a scratch root and purges without leftovers"
  local target=$WORK/dpkg-root
  mkdir -p "$target/var/lib/dpkg/info" "$target/var/lib/dpkg/updates" "$target/var/lib/dpkg/triggers"
  touch "$target/var/lib/dpkg/status"
  # Maintainer scripts run outside the scratch root, which has no shell; the ldconfig call
  # packages with a library get is answered by a stand-in, so this machine stays untouched.
  printf '#!/bin/sh\nexit 0\n' >"$WORK/bin/ldconfig"
  chmod 755 "$WORK/bin/ldconfig"
  local dpkg=(env PATH="$WORK/bin:$PATH" dpkg --root="$target" --log=/dev/null --force-script-chrootless)
  "${dpkg[@]}" --force-depends -i "$DEB" >"$WORK/dpkg.log" 2>&1 || { cat "$WORK/dpkg.log"; fail "dpkg -i"; }
  [ -x "$target/usr/games/QK31T0207" ] || fail "dpkg did not install the program"
  "${dpkg[@]}" -P qk31t0207 >>"$WORK/dpkg.log" 2>&1 || { cat "$WORK/dpkg.log"; fail "dpkg -P"; }
  local left
  left=$(find "$target/usr" -type f 2>/dev/null || true)
  [ -z "$left" ] || fail "left after removal: $left"
}
