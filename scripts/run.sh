#!/usr/bin/env bash
# Installs what is missing, builds the Windows programs and runs them under
# Wine with the program folder it assembles. Until the main window lands, this
# shows the sample document as the `lvk` companion reads it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" x86_64

export LUMVIK_WINE_DIR="$root/build/x86_64/wine"
"$root/scripts/wine-session.sh" start "$LUMVIK_WINE_DIR"
trap '"$root/scripts/wine-session.sh" stop "$LUMVIK_WINE_DIR"' EXIT
"$root/scripts/wine-run.sh" "$root/build/x86_64/program/lvk.exe" dump "$root/build/x86_64/program/Sample.lvk"
"$root/scripts/wine-run.sh" "$root/build/x86_64/program/lvk.exe" export --format markdown \
  "$root/build/x86_64/program/Sample.lvk"
