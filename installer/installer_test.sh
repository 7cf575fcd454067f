#!/usr/bin/env bash
# The per-user installer seen from outside, in the throwaway Wine prefix of
# $LUMVIK_WINE_DIR. Built from the program folder for amd64, it installs
# silently into the user's programs folder with its Start-menu entries, its
# uninstall entry and the ".lvk" association under the user's own keys; the
# installed Lumvik opens a document through the shell and keeps its settings
# beside itself, also across a second installation. The uninstaller removes
# all of that and the start-up value of this copy, and leaves the user's
# documents, their backups and the recovery copies. Installed once more, its
# uninstaller leaves what is not its own: a document saved in the program
# folder, another copy's association and start-up value.
# installer_test.sh PROGRAM_FOLDER
set -euo pipefail
program=$(realpath "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
# Start-menu entries and associations stay inside the prefix: Wine would
# otherwise copy them into this machine's own menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

step=start
fail() {
  import -window root "$LUMVIK_WINE_DIR/failed-at-$step.png" 2>/dev/null || true
  echo "FAIL at $step: $*" >&2
  exit 1
}
# Any other command that fails ends the test, saying which.
trap 'fail "\"$BASH_COMMAND\" failed on line $LINENO"' ERR
[ -f "$program/Lumvik.exe" ] || fail "no program folder at $program (target program_folder)"
command -v makensis >/dev/null || fail "makensis is not installed (scripts/setup.sh installs nsis)"

# A blank in the documents' folder checks that the open command quotes them.
work=$(mktemp -d "/tmp/lumvik installer.XXXXXX")
cleanup() {
  "$WINE" taskkill /f /im Lumvik.exe </dev/null >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

wine_quiet() { "$WINE" "$@" </dev/null >/dev/null 2>&1; }
windows_path() { "$WINE" winepath -w "$1" </dev/null 2>/dev/null | tr -d '\r'; }
unix_path() { "$WINE" winepath -u "$1" </dev/null 2>/dev/null | tr -d '\r'; }
windows_variable() { "$WINE" cmd /c echo "%$1%" </dev/null 2>/dev/null | tr -d '\r'; }

# What reg shows of KEY (more options may follow), on one line.
listing() { "$WINE" reg query "$@" </dev/null 2>/dev/null | tr -d '\r' | tr -s '\n' ' '; }

# expect_value KEY NAME TYPE DATA: reg shows the value (empty NAME: the
# default value) with that type and data.
expect_value() {
  local key=$1 name=$2 type=$3 data=$4 option=(/ve) shown="(Default)" lines
  [ -n "$name" ] && option=(/v "$name") shown=$name
  lines=$("$WINE" reg query "$key" "${option[@]}" </dev/null 2>/dev/null | tr -d '\r') ||
    fail "reg query $key finds no $shown; expected $type $data"
  grep -qxF "    $shown    $type    $data" <<<"$lines" ||
    fail "reg query $key ${option[*]} shows: $(listing "$key" "${option[@]}"); expected $type $data"
}
key_exists() { wine_quiet reg query "$1"; }
expect_no_key() {
  if key_exists "$1"; then fail "$1 is there: $(listing "$1" /s)"; fi
}
expect_no_value() {
  if wine_quiet reg query "$1" /v "$2"; then fail "$1 still holds $2: $(listing "$1" /v "$2")"; fi
}
reg_add() { wine_quiet reg add "$@" /f || fail "reg add $* failed"; }
# within SECONDS COMMAND...: COMMAND succeeds within SECONDS.
within() {
  local seconds=$1 tries
  shift
  for tries in $(seq $((seconds * 2))); do
    "$@" && return 0
    sleep 0.5
  done
  return 1
}
# A Lumvik of this prefix still running, its window closed or not.
lumvik_running() {
  local process
  for process in /proc/[0-9]*; do
    { tr '\0' '\n' <"$process/cmdline" | grep -q 'Lumvik\.exe$' &&
      tr '\0' '\n' <"$process/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; } 2>/dev/null && return 0
  done
  return 1
}
uninstall_entry_gone() { ! key_exists "$uninstall_key"; }
ini_has() { tr -d '\r' <"$installed/Lumvik.ini" | grep -qxF "$1"; }
expect_ini() {
  ini_has "$1" || fail "Lumvik.ini lacks \"$1\": $(tr -d '\r' <"$installed/Lumvik.ini" | tr '\n' ' ')"
}

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumvik'
user_classes='HKCU\Software\Classes'
machine_classes='HKLM\Software\Classes'
file_exts='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.lvk'
user_run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
machine_run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
association_keys=('.lvk' 'lvk_auto_file' 'Applications\lumvik.exe')

step=build
setup="$work/Lumvik-setup.exe"
makensis -V2 -DPROGRAM_FOLDER="$program" -DOUTFILE="$setup" -DTARGET=amd64-unicode \
  "$root/installer/Lumvik.nsi" >"$work/makensis.log" 2>&1 ||
  fail "makensis failed: $(cat "$work/makensis.log")"

# Where a per-user installation belongs, as the prefix's own user sees it.
folder="$(windows_variable LOCALAPPDATA)\\Programs\\Lumvik"
installed=$(unix_path "$folder")
start_menu=$(unix_path "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Lumvik")
recovery=$(unix_path "$(windows_variable LOCALAPPDATA)\\Lumvik\\recovery")
lumvik="$folder\\Lumvik.exe"
command="\"$lumvik\" \"%1\""

install() {
  "$WINE" "$setup" /S </dev/null >/dev/null 2>&1 || fail "the silent installer exited with status $?"
  [ -f "$installed/Uninstall.exe" ] || fail "no Uninstall.exe in $installed: $(ls -A "$installed" 2>&1)"
}

# uninstall: as the uninstall entry says it runs silently. The uninstaller
# goes on from a copy of itself and deletes its entry last.
uninstall() {
  expect_value "$uninstall_key" QuietUninstallString REG_SZ "\"$folder\\Uninstall.exe\" /S"
  wine_quiet "$folder\\Uninstall.exe" /S || fail "the silent uninstaller exited with status $?"
  within 60 uninstall_entry_gone || fail "the uninstall entry is still there after 60 s"
}

step=install
install
differences=$(diff -r -x Uninstall.exe "$program" "$installed" 2>&1) ||
  fail "$installed is not a copy of the program folder: $differences"

step=start-menu
# A shortcut keeps its target's full path as plain text.
leads_to() { strings -a "$1" | grep -qxF "$folder\\$2"; }
links=$(ls -A "$start_menu" 2>&1 | tr '\n' ';') || fail "no Start-menu folder $start_menu"
for entry in Lumvik Skinwright; do
  leads_to "$start_menu/$entry.lnk" "$entry.exe" ||
    fail "no $entry.lnk leading to $folder\\$entry.exe; the Start-menu folder holds: $links"
done
# The uninstaller's entry bears a name in the installer's language.
[ "$(ls -A "$start_menu" | wc -l)" = 3 ] || fail "the Start-menu folder holds: $links; expected 3 entries"
uninstall_links=0
for link in "$start_menu"/*.lnk; do
  if leads_to "$link" Uninstall.exe; then uninstall_links=$((uninstall_links + 1)); fi
done
[ "$uninstall_links" = 1 ] || fail "no one entry leads to $folder\\Uninstall.exe; the Start-menu folder holds: $links"

step=uninstall-entry
expect_value "$uninstall_key" DisplayName REG_SZ Lumvik
expect_value "$uninstall_key" InstallLocation REG_SZ "$folder"
expect_value "$uninstall_key" DisplayIcon REG_SZ "$lumvik,0"
expect_value "$uninstall_key" UninstallString REG_SZ "\"$folder\\Uninstall.exe\""
expect_value "$uninstall_key" QuietUninstallString REG_SZ "\"$folder\\Uninstall.exe\" /S"
expect_value "$uninstall_key" NoModify REG_DWORD 0x1
expect_value "$uninstall_key" NoRepair REG_DWORD 0x1

step=association
expect_value "$user_classes\\Applications\\lumvik.exe\\shell\\open\\command" "" REG_SZ "$command"
expect_value "$user_classes\\.lvk" "" REG_SZ lvk_auto_file
expect_value "$user_classes\\lvk_auto_file" "" REG_SZ "Lumvik File"
expect_value "$user_classes\\lvk_auto_file\\shell\\open\\command" "" REG_SZ "$command"
expect_value "$user_classes\\lvk_auto_file\\DefaultIcon" "" REG_SZ "$lumvik,0"
expect_value "$file_exts" Application REG_SZ lumvik.exe
# For this user alone: nothing under the machine's classes.
for key in "${association_keys[@]}"; do expect_no_key "$machine_classes\\$key"; done

step=open
# Windows' shell reads the user's classes over the machine's; Wine 8's shell
# reads the machine's alone, so it is shown the user's there.
for key in "${association_keys[@]}"; do
  wine_quiet reg copy "$user_classes\\$key" "$machine_classes\\$key" /s /f ||
    fail "reg copy of $user_classes\\$key failed"
done
mkdir "$work/documents"
cp "$installed/Sample.lvk" "$work/documents/My list.lvk"
document=$(windows_path "$work/documents/My list.lvk")
# In the background with its output in a file, so that nothing Wine starts holds ours.
start_log="$LUMVIK_WINE_DIR/start.log"
: >"$start_log"
open_document() {
  (cd "$work" && exec setsid sh -c '"$0" start "$1"; echo "start ended with status $?"' "$WINE" \
    "$document" </dev/null >>"$start_log" 2>&1 &) >/dev/null 2>&1
}
open_document
title="Lumvik - $document"
titled() {
  local window
  for window in $(xdotool search --name '^Lumvik - ' 2>/dev/null); do
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$title" ] && return 0
  done
  return 1
}
# A fresh prefix now and then loses the first program it starts, before it
# runs: the document is opened once more then.
within 60 titled || { ! lumvik_running && open_document && within 60 titled; } ||
  fail "no window titled \"$title\" within 60 s; windows:\
 $(xdotool search --name . getwindowname %@ 2>/dev/null | tr '\n' ';');\
 Lumvik $(lumvik_running && echo runs || echo does not run); start said: $(tr '\n' ' ' <"$start_log")"

step=while-open
# Neither the installer nor the uninstaller touches a Lumvik that is open;
# silent, they give up with status 2. Run in place (_?=), the uninstaller
# ends when it is done.
status=0
wine_quiet "$setup" /S || status=$?
[ "$status" = 2 ] || fail "the installer, with Lumvik open, exited with status $status; expected 2"
status=0
wine_quiet "$folder\\Uninstall.exe" /S "_?=$folder" || status=$?
[ "$status" = 2 ] || fail "the uninstaller, with Lumvik open, exited with status $status; expected 2"
key_exists "$uninstall_key" || fail "the uninstaller, with Lumvik open, removed its entry"
differences=$(diff -r -x Uninstall.exe -x Lumvik.ini "$program" "$installed" 2>&1) ||
  fail "with Lumvik open, the program folder changed: $differences"

step=close
# Without /f taskkill asks the window to close; the document is unchanged, so
# Lumvik quits without a question and writes its settings beside itself.
wine_quiet taskkill /im Lumvik.exe || fail "taskkill found no Lumvik"
within 30 ini_has "lastfile = $document" ||
  fail "within 30 s, the installed Lumvik.ini does not remember $document: $(tr -d '\r' <"$installed/Lumvik.ini" | tr '\n' ' ')"
lumvik_ended() { ! lumvik_running; }
within 30 lumvik_ended || fail "Lumvik still runs 30 s after it was asked to close"

step=second-install
install
expect_ini "lastfile = $document"
differences=$(diff -r -x Uninstall.exe -x Lumvik.ini "$program" "$installed" 2>&1) ||
  fail "$installed is not a copy of the program folder: $differences"

step=uninstall
# The start-up value as Lumvik writes it where it may, machine-wide, in
# quotes, and as an earlier version wrote it for a standard user, without;
# and what the user keeps.
reg_add "$machine_run" /v Lumvik /d "\"$lumvik\""
reg_add "$user_run" /v Lumvik /d "$lumvik"
mkdir -p "$recovery" "$work/documents/backup"
echo "left by a Lumvik that ended" >"$recovery/My list.lvkr"
cp "$work/documents/My list.lvk" "$work/documents/backup/My list 2026-01-02 03-04-05.lvk"
uninstall
[ ! -e "$installed" ] || fail "$installed is still there: $(find "$installed" | head -20)"
[ ! -e "$start_menu" ] || fail "$start_menu is still there: $(ls -A "$start_menu")"
for key in "${association_keys[@]}"; do
  expect_no_key "$user_classes\\$key"
  expect_no_key "$machine_classes\\$key"
done
expect_no_key "$file_exts"
expect_no_value "$user_run" Lumvik
expect_no_value "$machine_run" Lumvik
for kept in "$work/documents/My list.lvk" "$work/documents/backup/My list 2026-01-02 03-04-05.lvk" \
  "$recovery/My list.lvkr"; do
  [ -f "$kept" ] || fail "the uninstaller removed $kept"
done

step=others-kept
install
other='C:\Other copy\Lumvik.exe'
reg_add "$machine_classes\\.lvk" /ve /d lvk_auto_file
reg_add "$machine_classes\\lvk_auto_file\\shell\\open\\command" /ve /d "\"$other\" \"%1\""
reg_add "$machine_run" /v Lumvik /d "$other"
cp "$work/documents/My list.lvk" "$installed/Saved here.lvk"
mkdir "$installed/backup"
cp "$work/documents/My list.lvk" "$installed/backup/Saved here 2026-01-02 03-04-05.lvk"
uninstall
left=$(cd "$installed" 2>/dev/null && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ') || true
[ "$left" = "./Saved here.lvk ./backup ./backup/Saved here 2026-01-02 03-04-05.lvk " ] ||
  fail "the program folder holds \"$left\"; expected the saved document and its backup alone"
expect_value "$machine_classes\\.lvk" "" REG_SZ lvk_auto_file
expect_value "$machine_classes\\lvk_auto_file\\shell\\open\\command" "" REG_SZ "\"$other\" \"%1\""
expect_value "$machine_run" Lumvik REG_SZ "$other"
for key in "${association_keys[@]}"; do expect_no_key "$user_classes\\$key"; done
[ ! -e "$start_menu" ] || fail "$start_menu is still there: $(ls -A "$start_menu")"
echo "installed, opened a document, installed again, uninstalled, leaving the user's files and others' values"
