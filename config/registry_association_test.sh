#!/usr/bin/env bash
# The ".lvk" association seen from outside, in the Wine prefix of
# $LUMVIK_WINE_DIR: after associating a copy of the program folder, Wine's own
# "reg" finds every key, "start" on a document opens it in that copy of Lumvik,
# which remembers it on quitting; after removing, "reg" finds none of the keys,
# and a ".lvk" that names another program's class stays when removing again.
# registry_association_test.sh ASSOCIATE_TOOL.exe PROGRAM_FOLDER SAMPLE.lvk
set -euo pipefail
tool=$1 program=$2 sample=$3
. "$(dirname "$0")/../scripts/wine-env.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$program/Lumvik.exe" ] || fail "no program folder at $program (target program_folder)"

# A blank in the folder's name checks that the command quotes both paths.
work=$(mktemp -d "/tmp/lumvik association.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r "$program" "$work/program"
cp "$sample" "$work/My list.lvk"
windows_path() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
lumvik=$(windows_path "$work/program/Lumvik.exe")
document=$(windows_path "$work/My list.lvk")
command="\"$lumvik\" \"%1\""

"$WINE" "$tool" associate "$lumvik" </dev/null || fail "associate_tool associate failed"

# expect_value KEY NAME DATA: reg shows the value as a string (empty NAME: the
# default value).
expect_value() {
  local key=$1 name=$2 data=$3 option=(/ve) shown="(Default)" listing
  [ -n "$name" ] && option=(/v "$name") shown=$name
  listing=$("$WINE" reg query "$key" "${option[@]}" </dev/null 2>/dev/null | tr -d '\r') ||
    fail "reg query $key finds no $shown"
  grep -qxF "    $shown    REG_SZ    $data" <<<"$listing" ||
    fail "reg query $key ${option[*]} shows: $listing; expected $data"
}
expect_value 'HKCR\Applications\lumvik.exe\shell\open\command' "" "$command"
expect_value 'HKCR\.lvk' "" lvk_auto_file
expect_value 'HKCR\lvk_auto_file' "" "Lumvik File"
expect_value 'HKCR\lvk_auto_file\shell\open\command' "" "$command"
expect_value 'HKCR\lvk_auto_file\DefaultIcon' "" "$lumvik,0"
expect_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.lvk' \
  Application lumvik.exe

# The shell finds Lumvik through ".lvk" and its class. Started in the
# background with all output closed, so that nothing Wine starts holds ours.
(cd "$work" && exec setsid "$WINE" start "$document" </dev/null >/dev/null 2>&1 &) >/dev/null 2>&1
title="Lumvik - $document"
opened=
for _ in $(seq 60); do
  for window in $(xdotool search --name '^Lumvik - ' 2>/dev/null); do
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$title" ] && opened=yes
  done
  [ -n "$opened" ] && break
  sleep 0.5
done
[ -n "$opened" ] || fail "no window titled \"$title\" within 30 s of start"

# Without /f taskkill asks the window to close; the document is unchanged, so
# Lumvik quits without a question and writes the document it had open.
"$WINE" taskkill /im Lumvik.exe </dev/null >/dev/null 2>&1 || fail "taskkill found no Lumvik"
remembered=
for _ in $(seq 60); do
  if tr -d '\r' <"$work/program/Lumvik.ini" | grep -qxF "lastfile = $document"; then
    remembered=yes
    break
  fi
  sleep 0.5
done
[ -n "$remembered" ] || fail "Lumvik.ini does not remember $document: $(cat "$work/program/Lumvik.ini")"

"$WINE" "$tool" remove "$lumvik" </dev/null || fail "associate_tool remove failed"
for key in 'HKCR\Applications\lumvik.exe' 'HKCR\.lvk' 'HKCR\lvk_auto_file' \
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.lvk'; do
  if "$WINE" reg query "$key" </dev/null >/dev/null 2>&1; then fail "$key is still there"; fi
done

"$WINE" "$tool" associate "$lumvik" </dev/null || fail "associate_tool associate failed"
"$WINE" reg add 'HKCR\.lvk' /ve /d Other.Document /f </dev/null >/dev/null 2>&1 ||
  fail "reg add could not give .lvk to another class"
"$WINE" "$tool" remove "$lumvik" </dev/null || fail "associate_tool remove failed"
expect_value 'HKCR\.lvk' "" Other.Document
"$WINE" reg delete 'HKCR\.lvk' /f </dev/null >/dev/null 2>&1
echo "association written, opened by start, and removed; another program's .lvk stays"
