#!/usr/bin/env bash
# Draws the pictures that the programs carry and the logo of the help pages:
#   resources/about.jpg               the about picture, 800 x 200, baseline JPEG
#   resources/lumvik.ico              Lumvik's program icon, 16, 32, 48 and 256 pixels
#   resources/skinwright.ico          Skinwright's program icon, same sizes
#   resources/skinwright_new.ico      Skinwright's toolbar pictures, one 48 x 48 image each
#   resources/skinwright_save.ico
#   resources/skinwright_reload.ico
#   dist/help/logo.png                the logo in the heading of the help pages
# Every shape is drawn large and scaled down, so that the small sizes stay smooth; the 16-pixel
# icons have a plainer drawing of their own on the pixel grid. The output is committed; run this
# again after changing a drawing (needs ImageMagick and the DejaVu fonts, see scripts/setup.sh).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
resources="$root/resources"
help="$root/dist/help"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$resources" "$help"

# No time stamps and no comments in the files, so that drawing twice gives the same bytes.
steady=(-strip -define 'png:exclude-chunk=date,time,text,ztxt,itxt')

font_file() {
  local file
  file=$(fc-match -f '%{file}' "$1")
  case "$file" in
    *DejaVuSans*) printf '%s' "$file" ;;
    *) echo "make-pictures: the font $1 is missing (Debian package fonts-dejavu-core)" >&2; exit 1 ;;
  esac
}

# A rounded tile with a vertical gradient, 1024 x 1024, transparent outside the corners.
tile() {  # tile TOP-COLOUR BOTTOM-COLOUR MARGIN RADIUS OUT
  local far=$((1023 - $3))
  convert -size 1024x1024 "gradient:$1-$2" \
    \( -size 1024x1024 xc:none -fill white -draw "roundrectangle $3,$3 $far,$far $4,$4" \) \
    -compose CopyOpacity -composite "$5"
}

# Lumvik: a category box with two child rows on a tree line, and a check mark.
lumvik_large() {
  tile '#4a90d9' '#1c4a86' 32 190 "$work/lumvik_tile.png"
  convert "$work/lumvik_tile.png" \
    -stroke '#bcd4f0' -strokewidth 56 -fill none \
    -draw "stroke-linecap round stroke-linejoin round polyline 272,360 272,776 440,776" \
    -draw "stroke-linecap round line 272,560 440,560" \
    -stroke none -fill white \
    -draw "roundrectangle 176,176 368,368 44,44" \
    -draw "roundrectangle 440,500 840,620 44,44" \
    -draw "roundrectangle 440,716 740,836 44,44" \
    -stroke '#ffcf40' -strokewidth 112 -fill none \
    -draw "stroke-linecap round stroke-linejoin round polyline 486,262 590,362 826,150" \
    "$1"
}

# At 16 pixels: the box, one row and the check mark, on whole pixels.
lumvik_small() {
  tile '#4a90d9' '#1c4a86' 16 176 "$work/lumvik_small_tile.png"
  convert "$work/lumvik_small_tile.png" \
    -stroke none -fill white \
    -draw "roundrectangle 192,192 384,384 40,40" \
    -draw "roundrectangle 192,704 832,832 40,40" \
    -stroke '#ffcf40' -strokewidth 150 -fill none \
    -draw "stroke-linecap round stroke-linejoin round polyline 450,360 580,490 836,230" \
    "$1"
}

# The brush of Skinwright, drawn along its own axis and then turned.
brush() {  # brush X Y WIDTH-PERCENT HANDLE-LENGTH
  local w=$((52 * $3 / 100)) f=$((60 * $3 / 100)) t=$((44 * $3 / 100))
  printf '%s' "push graphic-context translate $1,$2 rotate 30 " \
    "fill '#f3e6c8' roundrectangle -$w,-$4 $w,60 40,40 " \
    "fill '#c9ced8' rectangle -$f,40 $f,150 " \
    "fill '#e04848' path 'M -$f,150 L $f,150 L $t,300 Q 0,390 -$t,300 Z' " \
    "pop graphic-context"
}

# Skinwright: three rows in urgency colours and the brush that paints them.
skinwright_large() {
  tile '#9a63d6' '#4e2787' 32 190 "$work/skinwright_tile.png"
  convert "$work/skinwright_tile.png" -stroke none \
    -fill '#7ddc86' -draw "roundrectangle 176,196 640,316 44,44" \
    -fill '#ffcf40' -draw "roundrectangle 176,452 640,572 44,44" \
    -fill '#ff6b6b' -draw "roundrectangle 176,708 640,828 44,44" \
    -draw "$(brush 760 520 100 380)" \
    "$1"
}

skinwright_small() {
  tile '#9a63d6' '#4e2787' 16 176 "$work/skinwright_small_tile.png"
  convert "$work/skinwright_small_tile.png" -stroke none \
    -fill '#7ddc86' -draw "roundrectangle 192,192 576,320 32,32" \
    -fill '#ffcf40' -draw "roundrectangle 192,448 576,576 32,32" \
    -fill '#ff6b6b' -draw "roundrectangle 192,704 576,832 32,32" \
    -draw "$(brush 730 560 170 280)" \
    "$1"
}

# Toolbar pictures, 768 x 768 on a transparent ground.
new_picture() {
  convert -size 768x768 xc:none \
    -stroke '#5a6a80' -strokewidth 28 -fill white \
    -draw "stroke-linejoin round path 'M 150,60 L 470,60 L 620,210 L 620,700 L 150,700 Z'" \
    -fill '#dde5ee' -draw "stroke-linejoin round path 'M 470,60 L 470,210 L 620,210 Z'" \
    -stroke none -fill '#b9c6d6' \
    -draw "rectangle 230,330 540,360" -draw "rectangle 230,420 540,450" \
    -draw "rectangle 230,510 420,540" \
    -fill '#2e9d4a' -stroke white -strokewidth 28 -draw "circle 560,590 560,420" \
    -strokewidth 60 -draw "stroke-linecap round line 560,510 560,670" \
    -draw "stroke-linecap round line 480,590 640,590" \
    "$1"
}

save_picture() {
  convert -size 768x768 xc:none \
    -stroke '#1d3f6e' -strokewidth 28 -fill '#3a78c2' \
    -draw "stroke-linejoin round path 'M 100,100 L 570,100 L 670,200 L 670,670 L 100,670 Z'" \
    -stroke none -fill '#dfe8f3' -draw "roundrectangle 210,100 530,300 16,16" \
    -fill '#1d3f6e' -draw "rectangle 420,135 480,265" \
    -fill white -draw "roundrectangle 180,400 590,640 24,24" \
    -fill '#b8c6d8' -draw "rectangle 230,460 540,480" -draw "rectangle 230,530 540,550" \
    "$1"
}

# A circular arrow turning clockwise. The arc is a polyline of points: an open arc path would be
# closed by a chord when it is stroked.
reload_picture() {
  local arc
  arc=$(awk 'BEGIN { for (a = -20; a <= 232; a += 4) { r = a * 3.14159265 / 180;
                       printf "%.1f,%.1f ", 392 + 260 * cos(r), 420 + 260 * sin(r) } }')
  convert -size 768x768 xc:none \
    -stroke '#2e9d4a' -strokewidth 112 -fill none -draw "stroke-linejoin round polyline $arc" \
    -stroke none -fill '#2e9d4a' \
    -draw "push graphic-context translate 232,215 rotate -38 path 'M -20,-165 L -20,165 L 180,0 Z' pop graphic-context" \
    "$1"
}

# An icon file from large drawings: one image per size, 32 bits with alpha. The 256-pixel image
# is stored compressed, as icon files hold that size.
icon() {  # icon OUT SMALL-DRAWING LARGE-DRAWING SIZE...
  local out=$1 small=$2 large=$3 size images=()
  shift 3
  for size in "$@"; do
    local source=$large
    [ "$size" -le 16 ] && source=$small
    convert "$source" -filter Lanczos -resize "${size}x${size}" -alpha set "${steady[@]}" \
      "PNG32:$work/icon_$size.png"
    images+=("$work/icon_$size.png")
  done
  convert "${images[@]}" "${steady[@]}" "$out"
}

# The name alone, without a motto: the picture is the same in every language.
about_picture() {
  local bold
  bold=$(font_file 'DejaVu Sans:bold')
  convert "$work/lumvik_large.png" -filter Lanczos -resize 160x160 "$work/lumvik_160.png"
  convert -size 200x800 'gradient:#ffffff-#d6e4f3' -rotate 90 \
    -stroke none -fill '#c9dbef' \
    -draw "roundrectangle 656,56 772,72 8,8" -draw "roundrectangle 680,92 772,108 8,8" \
    -draw "roundrectangle 680,128 772,144 8,8" \
    -fill '#8fb6e0' \
    -draw "roundrectangle 656,56 748,72 8,8" -draw "roundrectangle 680,92 720,108 8,8" \
    -draw "roundrectangle 680,128 772,144 8,8" \
    "$work/lumvik_160.png" -geometry +36+20 -composite \
    -font "$bold" -pointsize 96 -fill '#1c4a86' -annotate +228+135 'Lumvik' \
    -alpha off -colorspace sRGB -type TrueColor -sampling-factor 2x2 \
    -interlace none -quality 90 "${steady[@]}" "JPEG:$1"
}

# The help pages' heading is this light blue: the logo sits on it without transparency, which old
# browser engines do not draw well.
help_logo() {
  convert "$work/lumvik_large.png" -filter Lanczos -resize 48x48 \
    -background '#e8f0f8' -alpha remove -alpha off "${steady[@]}" "PNG24:$1"
}

# What the programs rely on: the decoder takes baseline JPEG only, and every icon image has alpha.
check() {  # check FILE EXPECTED-LINES
  local found
  found=$(identify -format '%wx%h %[channels] %[interlace]\n' "$1")
  if [ "$found" != "$2" ]; then
    printf 'make-pictures: %s is\n%s\ninstead of\n%s\n' "$1" "$found" "$2" >&2
    exit 1
  fi
}

lumvik_large "$work/lumvik_large.png"
lumvik_small "$work/lumvik_small.png"
skinwright_large "$work/skinwright_large.png"
skinwright_small "$work/skinwright_small.png"
new_picture "$work/new.png"
save_picture "$work/save.png"
reload_picture "$work/reload.png"

icon "$resources/lumvik.ico" "$work/lumvik_small.png" "$work/lumvik_large.png" 16 32 48 256
icon "$resources/skinwright.ico" "$work/skinwright_small.png" "$work/skinwright_large.png" \
  16 32 48 256
icon "$resources/skinwright_new.ico" "$work/new.png" "$work/new.png" 48
icon "$resources/skinwright_save.ico" "$work/save.png" "$work/save.png" 48
icon "$resources/skinwright_reload.ico" "$work/reload.png" "$work/reload.png" 48
about_picture "$resources/about.jpg"
help_logo "$help/logo.png"

check "$resources/about.jpg" "800x200 srgb None"
for name in lumvik skinwright; do
  check "$resources/$name.ico" "$(printf '%s srgba None\n' 16x16 32x32 48x48 256x256)"
done
for name in new save reload; do
  check "$resources/skinwright_$name.ico" "48x48 srgba None"
done
