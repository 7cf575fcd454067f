#!/usr/bin/env bash
# Builds the 32-bit release and packs its program folder into
# build/Lumvik-win32.zip, the archive a user downloads.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" i686
archive="$root/build/Lumvik-win32.zip"
rm -f "$archive"
(cd "$root/build/i686/program" && zip -qr -X "$archive" .)
echo "$archive"
