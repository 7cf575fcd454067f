#!/usr/bin/env bash
# Libraries planted beside the programs, seen from outside: a program folder
# with an "atl.dll" and a "riched20.dll" that leave a mark when loaded, and
# Wine told to search as Windows does (the program's folder first). Lumvik
# started, its help opened with F1, then Skinwright started: neither loads
# either library.
# planted_library_test.sh PLANTED.dll PROGRAM_FOLDER
set -euo pipefail
planted=$1 program=$2
. "$(dirname "$0")/../scripts/wine-env.sh"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;atl,riched20=n,b"

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$program/Lumvik.exe" ] || fail "no program folder at $program (target program_folder)"

work=$(mktemp -d /tmp/lumvik-planted.XXXXXX)
cleanup() {
  for exe in Lumvik.exe Skinwright.exe; do
    "$WINE" taskkill /f /im "$exe" </dev/null >/dev/null 2>&1 || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$program" "$work/program"
for library in atl.dll riched20.dll; do cp "$planted" "$work/program/$library"; done

# loaded WHEN: fails when either planted library left its mark.
loaded() {
  local marks
  marks=$(cd "$work/program" && ls ./*.loaded 2>/dev/null) || return 0
  fail "$1 loaded the library planted beside it: $marks"
}
# window_named PATTERN WHEN: the id of a shown window whose whole title
# matches, waited for.
window_named() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ] &&
      echo "$id" && return 0
    sleep 0.2
  done
  loaded "$2"
  fail "$2: no window titled \"$1\" within 20 s"
}
start() {
  (cd "$work/program" && exec setsid "$WINE" "$1" </dev/null >/dev/null 2>&1 &) >/dev/null 2>&1
}

start Lumvik.exe
main=$(window_named 'Lumvik - .*' "Lumvik's start")
loaded "Lumvik's start"
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key --delay 60 F1
window_named Help "Lumvik's help (F1)" >/dev/null
loaded "Lumvik's help (F1)"

start Skinwright.exe
window_named 'Skinwright.*' "Skinwright's start" >/dev/null
loaded "Skinwright's start"
echo "neither program loaded the libraries planted beside it"
