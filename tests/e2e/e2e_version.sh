#!/usr/bin/env bash
# The version dialog on a real X server: opened from the panel, its size, the link line
# handing the maker's page to the system's "open" action (a stand-in xdg-open that records
# its arguments), and the error box when the maker's library is gone, even with libraries
# planted in the working folder.
set -euo pipefail
EXE=$1
LIBRARY=$2
ARTIFACTS=$3
source "$(dirname "$0")/x11.sh"
begin_e2e "$ARTIFACTS" "$EXE"

# The maker's library and page beside the program, as built.
mkdir "$WORK/stand-in"
cp "$LIBRARY" "$WORK/bin/libKQZ5Res.so"
cp -r "$(dirname "$LIBRARY")/maker-page" "$WORK/bin/maker-page"
cat >"$WORK/stand-in/xdg-open" <<STAND_IN
#!/bin/sh
printf '%s\n' "\$@" >>"$WORK/opened.txt"
STAND_IN
chmod +x "$WORK/stand-in/xdg-open"

note "the run path names no working folder, and libraries planted there are never loaded"
run_path_safe "$EXE" || fail "unsafe run path: $(readelf -d "$EXE" | grep PATH)"
plant_libraries "$WORK" "$EXE"

TITLE="ポルカ号のバージョン情報"
BOX="Zubhpurl.dllのエラー"
start_bus env -u BROWSER PATH="$WORK/stand-in:$PATH"

note "バージョン情報 opens the dialog, client 333 x 223"
click "$PANEL" 98 155 # Command3 "バージョン情報"
wait_for 10 window_shown "$TITLE" || fail "no version dialog"
DIALOG=$(window_named "$TITLE")
sleep 0.5
read -r dx dy dw dh < <(client_geometry "$DIALOG")
[ "$dw" = 333 ] && [ "$dh" = 223 ] || fail "dialog client is ${dw}x${dh}"
screenshot "$ARTIFACTS/e2e-version.png"
convert "$ARTIFACTS/e2e-version.png" -crop "${dw}x${dh}+${dx}+${dy}" "$ARTIFACTS/e2e-version-dialog.png"

# The middle of the link line Label5. Clicks at one place come more than a double-click
# interval apart, since the second click of a double click is no click.
click_link() { sleep 1; click "$DIALOG" 126 206; }
PAGE="file://$WORK/bin/maker-page/index.html"
opened() { [ -f "$WORK/opened.txt" ] && [ "$(wc -l <"$WORK/opened.txt")" -ge "$1" ]; }

note "the link line hands the maker's page to the system's open action"
click_link
wait_for 10 opened 1 || fail "nothing was opened"
[ "$(sed -n 1p "$WORK/opened.txt")" = "$PAGE" ] || fail "opened $(cat "$WORK/opened.txt"), not $PAGE"
[ -f "$WORK/bin/maker-page/index.html" ] || fail "the page is not there"
window_shown "$TITLE" || fail "the dialog went away"

note "without the library the error box appears, and the dialog outlives it"
mv "$WORK/bin/libKQZ5Res.so" "$WORK/libKQZ5Res.so.away"
click_link
wait_for 10 window_shown "$BOX" || fail "no error box"
sleep 0.5
screenshot "$ARTIFACTS/e2e-version-error.png"
xdotool key Return
wait_for 10 window_gone "$BOX" || fail "the error box did not close"
window_shown "$TITLE" || fail "the dialog went away with the error box"
opened 2 && fail "something was opened without the library"
[ ! -e "$WORK/planted-ran" ] || fail "a library planted in the working folder was loaded"
grep -q "$WORK/lib" "/proc/$BUS_PID/maps" && fail "a planted library is mapped"

note "with the library back, the next click opens the page again"
mv "$WORK/libKQZ5Res.so.away" "$WORK/bin/libKQZ5Res.so"
click_link
wait_for 10 opened 2 || fail "the second click opened nothing"
[ "$(sed -n 2p "$WORK/opened.txt")" = "$PAGE" ] || fail "opened $(sed -n 2p "$WORK/opened.txt")"

note "Esc closes the dialog"
xdotool windowactivate --sync "$DIALOG" key Escape
wait_for 10 window_gone "$TITLE" || fail "Esc did not close the dialog"

xdotool windowactivate --sync "$MAIN" key alt+F4
for _ in $(seq 50); do kill -0 "$BUS_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$BUS_PID" 2>/dev/null && fail "the program is still running"
BUS_PID=
cat "$WORK/bus.log"
echo "PASS"
