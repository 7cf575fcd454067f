#!/usr/bin/env bash
# Configures and builds one target of the project into build/<target>:
# scripts/build.sh native|sanitize|fuzz|x86_64|i686
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=$1
build="$root/build/$target"
options=(-G Ninja -Wno-dev -DLUMVIK_TEST_PREFIX="$target.")

case "$target" in
  native) ;;
  sanitize) options+=(-DLUMVIK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
  fuzz) options+=(-DLUMVIK_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  x86_64 | i686)
    "$root/scripts/build-libjpeg.sh" "$target" "$root/build/deps/jpeg-$target"
    options+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$target.cmake"
              -DLUMVIK_JPEG_PREFIX="$root/build/deps/jpeg-$target")
    # The 32-bit release is built and linked only: these machines cannot run it.
    [ "$target" = i686 ] && options+=(-DLUMVIK_TESTS=OFF -DCMAKE_BUILD_TYPE=Release)
    ;;
  *) echo "usage: $0 native|sanitize|fuzz|x86_64|i686" >&2; exit 2 ;;
esac

[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -- --quiet
