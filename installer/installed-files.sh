#!/bin/sh
# installed-files.sh PROGRAM_FOLDER: the uninstaller's lines that delete what
# the installer copies from PROGRAM_FOLDER into $INSTDIR, each file by name,
# then each folder, innermost first, only once it is empty. makensis runs it
# while it builds the installer, and on this system turns every backslash of
# the command that runs it into a slash, so the paths' backslashes are made here.
set -eu
cd "$1"
find . -mindepth 1 -type f | LC_ALL=C sort | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
find . -mindepth 1 -depth -type d | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|'
