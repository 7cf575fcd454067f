#!/usr/bin/env bash
# Runs a Windows program of ours under Wine in the build's prefix and display:
# LUMVIK_WINE_DIR=DIR scripts/wine-run.sh PROGRAM.exe [ARGS...]
set -euo pipefail
: "${LUMVIK_WINE_DIR:?set LUMVIK_WINE_DIR to the wine folder of a build}"
. "$(dirname "$0")/wine-env.sh"
exec "$WINE" "$@"
