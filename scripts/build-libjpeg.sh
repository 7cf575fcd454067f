#!/usr/bin/env bash
# Cross-builds libjpeg from Debian's libjpeg-turbo source package for one
# MinGW-w64 target: scripts/build-libjpeg.sh i686|x86_64 INSTALL_DIR.
# The machine's apt configuration is not changed: the source lists live in a
# private folder derived from the configured sources. Quiet when already built.
set -euo pipefail

arch=$1
prefix=$(realpath -m "$2")
[ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ] && exit 0

work="$(dirname "$prefix")/libjpeg-source"
mkdir -p "$work"

# The source package, fetched once into the work folder.
source_dir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
if [ -z "$source_dir" ]; then
  apt_dir="$work/apt"
  mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  found=0
  for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] || continue
    sed 's/^Types: deb$/Types: deb-src/' "$sources" > "$apt_dir/parts/$(basename "$sources")"
    found=1
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$apt_dir/parts/main.list"
    found=1
  fi
  [ "$found" = 1 ] || { echo "no apt sources configured" >&2; exit 1; }
  apt_options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/parts"
               -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache")
  apt-get "${apt_options[@]}" update -qq
  (cd "$work" && apt-get "${apt_options[@]}" source -qq libjpeg-turbo >/dev/null 2>&1)
  source_dir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  [ -n "$source_dir" ] || { echo "libjpeg-turbo source package not found" >&2; exit 1; }
fi

build="$work/build-$arch"
toolchain="$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-$arch.cmake"
cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 \
  -DCMAKE_INSTALL_PREFIX="$prefix" -Wno-dev >/dev/null
cmake --build "$build" --target jpeg-static >/dev/null
mkdir -p "$prefix/lib" "$prefix/include"
cp "$build/libjpeg.a" "$prefix/lib/"
cp "$build/jconfig.h" "$source_dir/jpeglib.h" "$source_dir/jmorecfg.h" "$source_dir/jerror.h" \
  "$prefix/include/"
