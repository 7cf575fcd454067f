#!/usr/bin/env bash
# Installs what is missing, builds the Windows programs and runs Lumvik under
# Wine from the program folder it assembles, with the sample document open.
# On a desktop, Lumvik opens on the desktop's display and this returns when
# it is closed. Without a display, Lumvik runs on a virtual one; a screenshot
# of it is saved and its path printed, and the program is ended.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" x86_64

program="$root/build/x86_64/program"

if [ -n "${DISPLAY:-}" ]; then
  # A prefix of its own, so that the tests' virtual display is not used.
  export LUMVIK_WINE_DIR="$root/build/x86_64/wine-desktop"
  mkdir -p "$LUMVIK_WINE_DIR"
  . "$root/scripts/wine-env.sh"
  [ -f "$WINEPREFIX/system.reg" ] || "$WINE" wineboot -i </dev/null >/dev/null 2>&1
  sample=$("$WINE" winepath -w "$program/Sample.lvk" 2>/dev/null)
  exec "$WINE" "$program/Lumvik.exe" "$sample"
fi

export LUMVIK_WINE_DIR="$root/build/x86_64/wine"
"$root/scripts/wine-session.sh" start "$LUMVIK_WINE_DIR"
trap '"$root/scripts/wine-session.sh" stop "$LUMVIK_WINE_DIR"' EXIT
. "$root/scripts/wine-env.sh"
sample=$("$WINE" winepath -w "$program/Sample.lvk" 2>/dev/null)
"$WINE" "$program/Lumvik.exe" "$sample" </dev/null >/dev/null 2>&1 &

window=""
for _ in $(seq 60); do
  window=$(xdotool search --onlyvisible --name "^Lumvik" 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "Lumvik did not open its window" >&2
  exit 1
fi
sleep 2  # the first paint of the tree and the panel
shot="$root/build/screenshots/lumvik.png"
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "No display: Lumvik ran on a virtual one; its screenshot is $shot"
