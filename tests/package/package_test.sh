#!/usr/bin/env bash
# The .deb as a user gets it: built by CPack, its metadata and files, the desktop and
# AppStream checkers and lintian, then unpacked into a scratch root (never onto this
# machine) and started there on Xvfb: main window, the maker's library and page, where a
# user's settings go, the bus at 200 %, and a clean removal.
# package_test.sh <build dir> <source dir> <artifacts dir> <maker library built: 0|1>
set -euo pipefail
BUILD=$1
SOURCE=$2
ARTIFACTS=$3
HAS_MAKER=$4
WORK=$(mktemp -d)
chmod 755 "$WORK" # the unprivileged user below reads the scratch root
HERE=$(cd "$(dirname "$0")" && pwd)
source "$SOURCE/tests/e2e/x11.sh"
mkdir -p "$ARTIFACTS"

skip() { echo "SKIP (sub-check): $*"; }

cleanup() {
  [ -n "${BUS_PID:-}" ] && kill "$BUS_PID" 2>/dev/null
  stop_x
  rm -rf "$WORK"
}
trap cleanup EXIT

for tool in cpack dpkg-deb lintian desktop-file-validate appstreamcli identify compare; do
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
[ "$(field Package)" = qk31t0207 ] || fail "package name $(field Package)"
[ "$(field Section)" = games ] || fail "section $(field Section)"
depends=$(field Depends)
for need in libqt6widgets6 libqt6gui6 libqt6core6 libasound2 libc6 qt6-qpa-plugins fonts-ipafont-gothic libasound2-plugins; do
  grep -Eq "(^|, )$need( |,|$)" <<<"$depends" || fail "Depends lacks $need: $depends"
done

note "files: program, menu entry, AppStream data, manual, icons at every size"
dpkg-deb -x "$DEB" "$WORK/root"
ROOT=$WORK/root
for file in usr/games/QK31T0207 usr/share/applications/io.github.polkabus.QK31T0207.desktop \
  usr/share/metainfo/io.github.polkabus.QK31T0207.metainfo.xml usr/share/man/man6/QK31T0207.6.gz \
  usr/share/doc/qk31t0207/copyright usr/share/doc/qk31t0207/changelog.Debian.gz \
  usr/share/icons/hicolor/scalable/apps/qk31t0207.svg; do
  [ -f "$ROOT/$file" ] || fail "missing /$file"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/qk31t0207.png
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $size is $(identify -format '%wx%h' "$icon")"
done
[ -x "$ROOT/usr/games/QK31T0207" ] || fail "program not executable"
readelf -d "$ROOT/usr/games/QK31T0207" | grep -q 'RUNPATH.*\[\$ORIGIN/../lib/qk31t0207\]' || fail "no run path to the maker's library"
zcat "$ROOT/usr/share/man/man6/QK31T0207.6.gz" | grep -q '^\.TH QK31T0207 6' || fail "manual is not a section 6 page"
if [ "$HAS_MAKER" = 1 ]; then
  [ -f "$ROOT/usr/lib/qk31t0207/libKQZ5Res.so" ] || fail "maker's library not packaged"
  [ -f "$ROOT/usr/share/qk31t0207/maker-page/index.html" ] || fail "maker's page not packaged"
else
  skip "maker's library and page: not part of this build"
fi

note "desktop entry, AppStream data, lintian"
desktop-file-validate "$ROOT/usr/share/applications/io.github.polkabus.QK31T0207.desktop" || fail "desktop-file-validate"
grep -qx 'Name=ポルカ号' "$ROOT/usr/share/applications/io.github.polkabus.QK31T0207.desktop" || fail "menu name"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/io.github.polkabus.QK31T0207.metainfo.xml" || fail "appstreamcli validate"
lintian --tag-display-limit 0 "$DEB" >"$WORK/lintian.log" 2>&1 || true
cat "$WORK/lintian.log"
! grep -q '^E:' "$WORK/lintian.log" || fail "lintian reports errors"

source "$HERE/installed.sh"
start_x
fake_opener

note "the installed program starts and shows both windows"
start_installed "$WORK/home-writer"
screenshot "$ARTIFACTS/package-startup.png"
check_run_path
check_maker_link
stop_installed
check_user_settings
check_double_scale
check_removal
note "package test passed"
