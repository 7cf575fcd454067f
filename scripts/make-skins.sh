#!/usr/bin/env bash
# Draws the icon skins delivered in dist/skins, one folder per skin:
#   deruv       the default: soft, rounded and colourful
#   trait       flat line drawings in one dark ink
#   contraste   bold black outlines around bright colours, for low vision
# each holding
#   icone0.ico .. icone6.ico   tree icons, 16 x 16 and 32 x 32 in each file
#   tool1.ico .. tool7.ico     toolbar pictures, 48 x 48
# Every image is 32 bits with alpha. The drawings are in scripts/skins/<skin>.sh, one function per
# icon file, built from the outlines of scripts/skins/shapes.sh as ImageMagick drawing primitives
# on a grid of 32 units (tree icons) or 48 units (toolbar); they are drawn 16 times larger than
# needed and scaled down, so that the edges are smooth. The output is committed; run this again
# after changing a drawing (needs ImageMagick, see scripts/setup.sh).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
skins="$root/dist/skins"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# No time stamps and no comments in the files, so that drawing twice gives the same bytes.
steady=(-strip -define png:exclude-chunk=date,time,text,ztxt,itxt)

scaled() {  # scaled FACTOR DRAWING
  printf 'push graphic-context scale %s,%s %s pop graphic-context' "$1" "$1" "$2"
}

# One picture: layer BASE, then CUT removed from it (room around a badge), then TOP over it.
# Any layer may be empty.
render() {  # render GRID SIZE OUT BASE [CUT [TOP]]
  local grid=$1 size=$2 out=$3 base=$4 cut=${5:-} top=${6:-}
  local big=$((size * 16))
  local scale=$((big / grid))
  local draw=(-size "${big}x${big}" xc:none)
  local command=(convert "${draw[@]}" -draw "$(scaled "$scale" "$base")")
  [ -n "$cut" ] &&
    command+=(\( "${draw[@]}" -draw "$(scaled "$scale" "$cut")" \) -compose DstOut -composite)
  [ -n "$top" ] &&
    command+=(\( "${draw[@]}" -draw "$(scaled "$scale" "$top")" \) -compose Over -composite)
  "${command[@]}" -filter Box -resize "${size}x${size}" -alpha set "${steady[@]}" "PNG32:$out"
}

word() { od --endian=little -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }  # word FILE OFFSET

# An icon file from the drawing function NAME of the skin, at the given sizes. The function is
# called with the size so that it can draw the small sizes plainer; it sets the three layers.
icon() {  # icon OUT GRID NAME SIZE...
  local out=$1 grid=$2 name=$3 size images=()
  shift 3
  for size in "$@"; do
    base='' cut='' top=''
    "$name" "$size"
    render "$grid" "$size" "$work/${name}_$size.png" "$base" "$cut" "$top"
    images+=("$work/${name}_$size.png")
  done
  convert "${images[@]}" "${steady[@]}" "$out"
  # Every image of the file must keep 32 bits per pixel (bytes 6 and 7 of each directory entry).
  local count entry
  count=$(word "$out" 4)
  for ((entry = 0; entry < count; entry++)); do
    if [ "$(word "$out" $((12 + 16 * entry)))" != 32 ]; then
      echo "make-skins: image $entry of $out is not 32 bits per pixel" >&2
      exit 1
    fi
  done
}

# Each skin in a shell of its own, so that its drawing functions do not leak into the next one.
make_skin() {  # make_skin NAME
  local skin=$1 folder="$skins/$1" i
  # shellcheck source=/dev/null
  source "$root/scripts/skins/$skin.sh"
  mkdir -p "$folder"
  for i in 0 1 2 3 4 5 6; do icon "$folder/icone$i.ico" 32 "icone$i" 16 32; done
  for i in 1 2 3 4 5 6 7; do icon "$folder/tool$i.ico" 48 "tool$i" 48; done
}

# shellcheck source=skins/shapes.sh
source "$root/scripts/skins/shapes.sh"
for skin in deruv trait contraste; do
  (make_skin "$skin")
done
