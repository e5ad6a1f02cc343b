#!/usr/bin/env bash
# on_x.sh <program> [arguments...]: runs a test program on a private X server with a window
# manager, through Qt's X11 platform, and passes on its exit status.
set -euo pipefail
source "$(dirname "$0")/x11.sh"
WORK=$(mktemp -d)
trap 'stop_x; rm -rf "$WORK"' EXIT
start_x
QT_QPA_PLATFORM=xcb "$@"
