#!/usr/bin/env bash
# The version dialog on a real X server without the maker's library beside the program: a
# click on the link brings a real error box, the dialog outlives it, nothing is handed to the
# system's "open" action (a stand-in xdg-open that records its arguments), and libraries
# planted in the working folder under every name the program and the link look for are never
# loaded (an empty or relative run path entry would load them). The link answered by the
# library: tst_version, and the installed package in the package test.
set -euo pipefail
EXE=$1
source "$(dirname "$0")/x11.sh"
begin_e2e "$2" "$EXE"
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
sleep 0.5
click "$(window_named "ポルカ号のバージョン情報")" 126 206 # the link line
wait_for 10 window_shown "Zubhpurl.dllのエラー" || fail "no error box"
sleep 0.5
screenshot "$2/e2e-version-error.png"
xdotool windowactivate --sync "$(window_named "Zubhpurl.dllのエラー")" key Return # to the box, not the dialog under it
wait_for 10 window_gone "Zubhpurl.dllのエラー" || fail "the error box did not close"
window_shown "ポルカ号のバージョン情報" || fail "the dialog went away with the error box"
[ ! -e "$WORK/opened.txt" ] || fail "something was opened without the library: $(cat "$WORK/opened.txt")"
[ ! -e "$WORK/planted-ran" ] || fail "a library planted in the working folder was loaded"
! grep -q "$WORK/lib" "/proc/$BUS_PID/maps" || fail "a planted library is mapped"
echo "PASS"
