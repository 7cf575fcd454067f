#!/usr/bin/env bash
# Builds the 32-bit release and packs its program folder twice: into
# build/Lumvik-win32.zip, the archive a user unpacks anywhere, and into
# build/Lumvik-win32-setup.exe, the installer that installs it for the user
# who runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" i686
program="$root/build/i686/program"
archive="$root/build/Lumvik-win32.zip"
rm -f "$archive"
(cd "$program" && zip -qr -X "$archive" .)
installer="$root/build/Lumvik-win32-setup.exe"
rm -f "$installer"
makensis -V2 -DPROGRAM_FOLDER="$program" -DOUTFILE="$installer" -DTARGET=x86-unicode \
  "$root/installer/Lumvik.nsi"
echo "$archive"
echo "$installer"
