#!/usr/bin/env bash
# The weight of the tests against the code they test: lines that are neither blank nor a
# comment, C++ and shell under tests/ against C++ under src/, maker/ and tools/.
# Fails when the tests weigh more than --max (0.35) of the code.
#   tools/test-weight.sh [--max RATIO] [--folders]
set -euo pipefail
cd "$(dirname "$0")/.."

max=0.35
folders=no
while (($#)); do
  case $1 in
    --max) max=${2:?--max needs a ratio}; shift 2 ;;
    --folders) folders=yes; shift ;;
    -h|--help) sed -n '2,5s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "test-weight: unknown option $1" >&2; exit 64 ;;
  esac
done
[[ $max =~ ^[0-9]+(\.[0-9]+)?$ ]] || { echo "test-weight: --max wants a number, not $max" >&2; exit 64; }

# One "side<TAB>path" a line: test for the suite, code for what it tests.
list_files() {
  find tests -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' \) -printf 'test\t%p\n'
  find src maker tools -type f \( -name '*.cpp' -o -name '*.h' \) -printf 'code\t%p\n'
}

# A comment line starts with //, /* or * (the inside of a block comment), or # in shell;
# a script's #! line is code.
list_files | sort | awk -F'\t' -v max="$max" -v folders="$folders" '
  function folder(path,   parts, n) {
    n = split(path, parts, "/")
    if (parts[1] == "src" && parts[2] == "platform" && n > 3) return parts[1] "/" parts[2] "/" parts[3]
    return n > 2 ? parts[1] "/" parts[2] : parts[1]
  }
  function count(side, path,   line, number, shell, lines) {
    shell = path ~ /\.sh$/
    while ((getline line < path) > 0) {
      number++
      if (line ~ /^[ \t\r]*$/) continue
      if (line ~ /^[ \t]*(\/\/|\/\*|\*)/) continue
      if (shell && line ~ /^[ \t]*#/ && !(number == 1 && line ~ /^#!/)) continue
      lines++
    }
    close(path)
    return lines
  }
  {
    n = count($1, $2)
    total[$1] += n
    key = $1 "\t" folder($2)
    if (!(key in by_folder)) order[++keys] = key
    by_folder[key] += n
  }
  END {
    if (folders == "yes") {
      for (i = 1; i <= keys; i++) {
        split(order[i], k, "\t")
        printf "%-5s %-28s %6d\n", k[1], k[2], by_folder[order[i]]
      }
    }
    ratio = total["code"] ? total["test"] / total["code"] : 0
    printf "tests %d lines, code %d lines, ratio %.2f\n", total["test"], total["code"], ratio
    if (ratio > max + 0) {
      printf "test-weight: the tests weigh more than %s of the code\n", max > "/dev/stderr"
      exit 1
    }
  }'
