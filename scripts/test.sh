#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test: the
# native tests, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets, and the Windows build under
# Wine. Ends with CTest's summary over all of them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

targets=(native sanitize fuzz x86_64 i686)
for target in "${targets[@]}"; do
  echo "== building $target"
  "$root/scripts/build.sh" "$target"
done

# One CTest run over every build folder that has tests.
all="$root/build/all"
mkdir -p "$all"
{
  for target in native sanitize fuzz x86_64; do
    echo "subdirs(\"$root/build/$target\")"
  done
} > "$all/CTestTestfile.cmake"
cd "$all"
status=0
started=$SECONDS
ctest --output-on-failure --parallel 2 --label-exclude blackbox "$@" || status=$?
first_pass=$((SECONDS - started))
ctest --output-on-failure --parallel 2 --label-regex blackbox "$@" || status=$?
blackbox_pass=$((SECONDS - started - first_pass))
minutes() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }
echo "== time: tests $(minutes "$first_pass"), black-box scenarios $(minutes "$blackbox_pass")"
exit "$status"
