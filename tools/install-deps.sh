#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, run and be tested.
# Only what is missing is installed; sudo is used when not root.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libpng-dev libasound2-dev libxcb1-dev libxcb-shm0-dev
  libsm-dev libice-dev # the session manager of the logout test
  # run: X11 and offscreen platform plugins, Japanese fonts, ALSA to the sound server
  qt6-qpa-plugins libqt6svg6 qt6-image-formats-plugins fonts-ipafont-gothic libasound2-plugins xdg-utils
  # end-to-end tests: X server, window manager, input, inspection, screenshots, sound server
  xvfb xauth openbox xdotool x11-utils x11-apps imagemagick
  webp apngasm # animated test pictures made by real encoders
  pulseaudio pulseaudio-utils alsa-utils
  # the .deb and its checks; a Wayland compositor with XWayland for the Wayland test
  dpkg-dev fakeroot lintian desktop-file-utils appstream weston xwayland qt6-wayland
  # fuzzing: clang with its libFuzzer and sanitizer runtimes
  clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
