#!/usr/bin/env bash
# Every #include under src/ points down the layers: a folder includes only from itself and
# the folders below it, Qt only under platform/, ALSA only in audio and XCB only in x11.
# Prints each include that goes the wrong way with its file and line.
set -euo pipefail
src=$1

# The folders each folder may include from, besides itself.
declare -A below=(
  [platform/text]=""
  [platform/codec]="platform/text"
  [platform/metafile]="platform/codec platform/text"
  [platform/system]="platform/text"
  [platform/picture]="platform/metafile platform/codec platform/system"
  [platform/audio]="platform/system"
  [platform/x11]="platform/system"
  [platform/forms]="platform/text platform/codec platform/metafile platform/system platform/picture platform/audio platform/x11"
  [logic]="platform/text"
)
program="app sign doors signboard dialogs logic ${below[platform/forms]} platform/forms"

# The folder a file belongs to: its subfolder under platform/, else its top folder.
layer_of() {
  case $1 in
    platform/forms/*) echo platform/forms ;;
    platform/*) echo "${1%/*}" | cut -d/ -f1-2 ;;
    *) echo "${1%%/*}" ;;
  esac
}

allowed() { # <layer> <included layer>
  local layer=$1 target=$2 list
  [ "$layer" = "$target" ] && return 0
  if [ -n "${below[$layer]+set}" ]; then list=${below[$layer]}; else list=$program; fi
  [[ " $list " == *" $target "* ]]
}

status=0
report() { echo "$1: $2"; status=1; }
while IFS=: read -r file line text; do
  rel=${file#"$src"/}
  layer=$(layer_of "$rel")
  if [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
    target=$(layer_of "${BASH_REMATCH[1]}")
    allowed "$layer" "$target" || report "$rel:$line" "$layer may not include ${BASH_REMATCH[1]}"
  elif [[ $text =~ \#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z0-9_]*|Qt[A-Za-z]*/[^\>]*|q[a-z0-9_]*\.h)\> ]]; then
    [[ $layer == platform/* ]] || report "$rel:$line" "Qt outside platform/: ${BASH_REMATCH[1]}"
  elif [[ $text =~ \#[[:space:]]*include[[:space:]]*\<alsa/ ]]; then
    [ "$layer" = platform/audio ] || report "$rel:$line" "ALSA outside platform/audio"
  elif [[ $text =~ \#[[:space:]]*include[[:space:]]*\<xcb/ ]]; then
    [ "$layer" = platform/x11 ] || report "$rel:$line" "XCB outside platform/x11"
  fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' --include='*.h' --include='*.cpp' "$src")
[ "$status" = 0 ] && echo "every include points down the layers"
exit "$status"
