#!/usr/bin/env bash
# The .deb as a user gets it: built by CPack, its metadata and files, the desktop and
# AppStream checkers and lintian, then unpacked into a scratch root (never onto this
# machine) and started there on Xvfb, its version link answered by the installed library
# and page, and installed and purged by dpkg in a scratch root without leftovers.
# package_test.sh <build dir> <source dir> <artifacts dir> <maker library built: 0|1>
set -euo pipefail
BUILD=$1
HAS_MAKER=$4
WORK=$(mktemp -d)
source "$2/tests/e2e/x11.sh"
mkdir -p "$3"
trap 'end_e2e' EXIT
skip() { echo "SKIP (sub-check): $*"; }

for tool in cpack dpkg-deb lintian desktop-file-validate appstreamcli identify; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done

note "building the package"
targets=(QK31T0207 bus_package_docs)
[ "$HAS_MAKER" = 1 ] && targets+=(KQZ5Res)
cmake --build "$BUILD" --target "${targets[@]}" >"$WORK/build.log" 2>&1 || { cat "$WORK/build.log"; fail "build"; }
cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; fail "cpack"; }
DEB=$(ls "$WORK"/pkg/qk31t0207_*.deb)
field() { dpkg-deb -f "$DEB" "$1"; }

note "control fields: name, section, libraries found in the binaries, run-time needs"
[ "$(field Package) $(field Section)" = "qk31t0207 games" ] || fail "package $(field Package) in $(field Section)"
for need in libqt6widgets6 libqt6gui6 libqt6core6 libasound2 libc6 qt6-qpa-plugins fonts-ipafont-gothic libasound2-plugins; do
  grep -Eq "(^|, )$need( |,|$)" <<<"$(field Depends)" || fail "Depends lacks $need: $(field Depends)"
done

note "files: program, menu entry, AppStream data, manual, icons at every size"
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
ENTRY=$ROOT/usr/share/applications/io.github.polkabus.QK31T0207.desktop
METAINFO=$ROOT/usr/share/metainfo/io.github.polkabus.QK31T0207.metainfo.xml
for file in "$ENTRY" "$METAINFO" "$ROOT"/usr/share/doc/qk31t0207/{copyright,changelog.Debian.gz} \
  "$ROOT/usr/share/icons/hicolor/scalable/apps/qk31t0207.svg"; do
  [ -f "$file" ] || fail "missing ${file#"$ROOT"}"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/qk31t0207.png
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "no $size px icon"
done
[ -x "$ROOT/usr/games/QK31T0207" ] || fail "program not executable"
# Exactly this: an empty or relative entry would have the working folder searched for libraries.
readelf -d "$ROOT/usr/games/QK31T0207" | grep -q 'RUNPATH.*\[\$ORIGIN/../lib/qk31t0207\]$' || fail "run path: $(readelf -d "$ROOT/usr/games/QK31T0207" | grep PATH)"
zcat "$ROOT/usr/share/man/man6/QK31T0207.6.gz" | grep -q '^\.TH QK31T0207 6' || fail "manual is not a section 6 page"

note "desktop entry, AppStream data, lintian"
desktop-file-validate "$ENTRY" || fail "desktop-file-validate"
grep -qx 'Name=ポルカ号' "$ENTRY" || fail "menu name"
appstreamcli validate --no-net "$METAINFO" || fail "appstreamcli validate"
lintian --tag-display-limit 0 "$DEB" >"$WORK/lintian.log" 2>&1 || true
cat "$WORK/lintian.log"
! grep -q '^E:' "$WORK/lintian.log" || fail "lintian reports errors"

note "the installed program starts, its version link opens the installed page"
start_x
mkdir "$WORK/bin"
printf '#!/bin/sh\necho "$@" >> "%s/opened"\n' "$WORK" >"$WORK/bin/xdg-open"
printf '#!/bin/sh\nexit 0\n' >"$WORK/bin/ldconfig"
chmod 755 "$WORK"/bin/*
BUS_EXE=$ROOT/usr/games/QK31T0207 start_bus env PATH="$WORK/bin:$PATH" HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config"
screenshot "$3/package-startup.png"
if [ "$HAS_MAKER" = 1 ]; then
  click "$PANEL" 98 155 # バージョン情報
  wait_for 10 window_shown "ポルカ号のバージョン情報" || fail "no version dialog"
  click "$(window_named "ポルカ号のバージョン情報")" 60 206 # the link line
  wait_for 10 test -s "$WORK/opened" || fail "the link opened nothing"
  # The library names the page beside its own file: the installed page proves the installed library answered.
  grep -q "$ROOT/usr/share/qk31t0207/maker-page/index.html" "$WORK/opened" || fail "the link opened $(cat "$WORK/opened")"
  xdotool key Escape
  wait_for 10 window_gone "ポルカ号のバージョン情報" || fail "the version dialog did not close"
else
  skip "maker's library, page and link: not part of this build"
fi
close_bus
[ "$STATUS" = 0 ] || fail "exit status $STATUS: $(cat "$WORK/bus.log")"

if [ "$(id -u)" != 0 ]; then
  skip "install and removal by dpkg --root: needs root"
  exit 0
fi
note "dpkg installs into a scratch root and purges without leftovers"
# Maintainer scripts run outside the scratch root, which has no shell; the ldconfig call
# packages with a library get is answered by a stand-in, so this machine stays untouched.
TARGET=$WORK/dpkg-root
mkdir -p "$TARGET"/var/lib/dpkg/{info,updates,triggers}
touch "$TARGET/var/lib/dpkg/status"
dpkg=(env PATH="$WORK/bin:$PATH" dpkg --root="$TARGET" --log=/dev/null --force-script-chrootless)
"${dpkg[@]}" --force-depends -i "$DEB" >"$WORK/dpkg.log" 2>&1 || { cat "$WORK/dpkg.log"; fail "dpkg -i"; }
[ -x "$TARGET/usr/games/QK31T0207" ] || fail "dpkg did not install the program"
"${dpkg[@]}" -P qk31t0207 >>"$WORK/dpkg.log" 2>&1 || { cat "$WORK/dpkg.log"; fail "dpkg -P"; }
[ -z "$(find "$TARGET/usr" -type f 2>/dev/null)" ] || fail "left after removal: $(find "$TARGET/usr" -type f)"
note "package test passed"
