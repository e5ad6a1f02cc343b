#!/usr/bin/env bash
# The version dialog's link on a real X server: a click hands the maker's page to the system's "open" action (a stand-in xdg-open
# that records its arguments); without the maker's library a real error box comes, the dialog
# outlives it, and libraries planted in the working folder under every name the program and
# the link look for are never loaded (an empty or relative run path entry would load them).
set -euo pipefail
EXE=$1
source "$(dirname "$0")/x11.sh"
begin_e2e "$3" "$EXE"
cp "$2" "$WORK/bin/libKQZ5Res.so"
cp -r "$(dirname "$2")/maker-page" "$WORK/bin/maker-page"
mkdir "$WORK/stand-in"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened.txt"\n' "$WORK" >"$WORK/stand-in/xdg-open"
chmod +x "$WORK/stand-in/xdg-open"

printf '#include <stdio.h>\n__attribute__((constructor)) static void ran(void) { fclose(fopen("%s/planted-ran", "w")); }\n' \
  "$WORK" >"$WORK/planted.c"
cc -shared -fPIC -o "$WORK/planted.so" "$WORK/planted.c"
for name in libKQZ5Res.so $(readelf -d "$EXE" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p'); do
  cp "$WORK/planted.so" "$WORK/$name"
done

start_bus env -u BROWSER PATH="$WORK/stand-in:$PATH"
click "$PANEL" 98 155 # バージョン情報
wait_for 10 window_shown "ポルカ号のバージョン情報" || fail "no version dialog"
DIALOG=$(window_named "ポルカ号のバージョン情報")
sleep 0.5
# The middle of the link line.
click_link() { click "$DIALOG" 126 206; }

note "the link line hands the maker's page to the system's open action"
click_link
wait_for 10 test -s "$WORK/opened.txt" || fail "nothing was opened"
[ "$(cat "$WORK/opened.txt")" = "file://$WORK/bin/maker-page/index.html" ] || fail "opened $(cat "$WORK/opened.txt")"

note "without the library: the error box, the dialog outlives it, nothing planted loaded"
rm "$WORK/bin/libKQZ5Res.so"
sleep 1 # more than a double-click interval: the second click of a double click is no click
click_link
wait_for 10 window_shown "Zubhpurl.dllのエラー" || fail "no error box"
sleep 0.5
screenshot "$3/e2e-version-error.png"
xdotool key Return
wait_for 10 window_gone "Zubhpurl.dllのエラー" || fail "the error box did not close"
window_shown "ポルカ号のバージョン情報" || fail "the dialog went away with the error box"
[ "$(wc -l <"$WORK/opened.txt")" = 1 ] || fail "something was opened without the library"
[ ! -e "$WORK/planted-ran" ] || fail "a library planted in the working folder was loaded"
! grep -q "$WORK/lib" "/proc/$BUS_PID/maps" || fail "a planted library is mapped"
echo "PASS"
