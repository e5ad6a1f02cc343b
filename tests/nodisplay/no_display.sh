#!/usr/bin/env bash
# Started with no display to reach, the program says so in one line on stderr and ends
# with status 1: no abort, no core file, nothing on stdout.
# Usage: no_display.sh <program>
set -euo pipefail
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect_no_display <case> <text the line must hold> [VAR=value...]: runs the program in an
# otherwise empty environment, from an empty folder.
expect_no_display() {
  local name=$1 text=$2 status=0; shift 2
  mkdir "$work/$name"
  (cd "$work/$name" && ulimit -c unlimited && exec env -i "$@" "$exe") >"$work/out" 2>"$work/err" </dev/null || status=$?
  local seen="status $status, $(wc -l <"$work/err") line(s) on stderr, $(wc -c <"$work/out") bytes on stdout, files: $(ls -A "$work/$name")"
  if [ "$seen" != "status 1, 1 line(s) on stderr, 0 bytes on stdout, files: " ] || ! grep -qF -- "$text" "$work/err"; then
    echo "FAIL $name: $seen; \"$text\" expected in: $(cat "$work/err")"
    failures=$((failures + 1))
  fi
}

expect_no_display empty-environment "DISPLAY is not set"
expect_no_display x11-asked-for "DISPLAY is not set" QT_QPA_PLATFORM=xcb
expect_no_display empty-display "DISPLAY is not set" DISPLAY=
expect_no_display unreachable-display 'X display ":4321"' DISPLAY=:4321
expect_no_display unreachable-under-wayland 'X display ":4321"' DISPLAY=:4321 WAYLAND_DISPLAY=wayland-4321
expect_no_display wayland-only 'Wayland display "wayland-4321"' WAYLAND_DISPLAY=wayland-4321 XDG_RUNTIME_DIR=/tmp
mkdir -m 700 "$work/run" && touch "$work/run/wayland-4321" # a file where the socket would be
expect_no_display wayland-no-socket 'Wayland display "wayland-4321"' WAYLAND_DISPLAY=wayland-4321 XDG_RUNTIME_DIR="$work/run"
[ "$failures" = 0 ] || exit 1
echo PASS
