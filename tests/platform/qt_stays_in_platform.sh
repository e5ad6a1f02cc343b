#!/usr/bin/env bash
# The windows and handlers speak the platform's words: no file under src/ outside
# src/platform/ may include a Qt header.
set -euo pipefail
src=$1
found=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z0-9_]*|Qt[A-Za-z]*/[^>"]*|q[a-z0-9_]*\.h)[>"]' \
  --include='*.h' --include='*.cpp' "$src" | grep -v "^$src/platform/" || true)
if [ -n "$found" ]; then
  echo "Qt headers included outside src/platform/:"
  echo "$found"
  exit 1
fi
echo "no Qt header outside src/platform/"
