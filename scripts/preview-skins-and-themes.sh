#!/usr/bin/env bash
# Draws what the delivered skins and themes look like, for looking them over before a release:
#   <out>/skin-<name>.png    the fourteen icons of the skin, at their sizes and enlarged four
#                            times, on white and on the blue of a selected row
#   <out>/theme-<name>.png   the five urgency rows of the theme, its fonts, and its progress
#                            pictures at 0, 50 and 100 %, drawn as the tree view's are
# scripts/preview-skins-and-themes.sh [OUT]   (OUT defaults to build/previews; needs ImageMagick)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dist="$root/dist"
out=${1:-$root/build/previews}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

steady=(-strip -define png:exclude-chunk=date,time,text,ztxt,itxt)
selected='#3170d0'  # the blue behind a selected tree row

installed() { [ "$(fc-match -f '%{family[0]}' "$1" | tr '[:upper:]' '[:lower:]')" = "${1,,}" ]; }

# The font file for a Windows face name; a face that is not installed here is drawn in DejaVu Sans.
font_file() {
  if installed "$1"; then fc-match -f '%{file}' "$1"; else fc-match -f '%{file}' 'DejaVu Sans'; fi
}

font_note() {
  if installed "$1"; then echo "$1"; else echo "$1 (not installed here: shown in DejaVu Sans)"; fi
}

label_font=$(font_file 'DejaVu Sans')

# ---- Skins ----

icon_meaning=(
  [0]='task done (status 4)' [1]='category complete' [2]='category not complete'
  [3]='task dropped (status 5)' [4]='task to do (status 1)' [5]='task in progress (status 2)'
  [6]='task waiting (status 3)'
)
tool_meaning=([1]='New' [2]='Open' [3]='Save' [4]='Save As' [5]='Move up' [6]='Move down'
  [7]='Delete')

# The image of an icon file that has the given width.
frame() {  # frame FILE SIZE OUT
  local index
  index=$(identify -format '%p %w\n' "$1" | awk -v s="$2" '$2 == s { print $1; exit }')
  [ -n "$index" ] || { echo "preview: $1 holds no ${2}-pixel image" >&2; exit 1; }
  convert "$1[$index]" -alpha set "PNG32:$3"
}

# Images side by side, bottom-aligned, 6 pixels apart, on the colour given.
side_by_side() {  # side_by_side COLOUR OUT IMAGE...
  local colour=$1 result=$2
  shift 2
  convert -background "$colour" "$@" -gravity west -splice 6x0 -gravity south +append \
    +gravity -chop 6x0 +repage -alpha remove -alpha off "PNG24:$result"
}

# One tile: the sizes side by side at their own size, then enlarged, on white and on blue.
icon_tile() {  # icon_tile FILE LABEL OUT SIZE...
  local file=$1 label=$2 tile=$3 size natural=() large=()
  shift 3
  for size in "$@"; do
    frame "$file" "$size" "$work/f$size.png"
    convert "$work/f$size.png" -scale 400% "PNG32:$work/l$size.png"
    natural+=("$work/f$size.png")
    large+=("$work/l$size.png")
  done
  side_by_side white "$work/white.png" "${natural[@]}" "${large[@]}"
  side_by_side "$selected" "$work/blue.png" "${natural[@]}"
  convert "$work/blue.png" -bordercolor "$selected" -border 4 "$work/blue.png"
  side_by_side white "$work/both.png" "$work/white.png" "$work/blue.png"
  convert -background white "$work/both.png" -font "$label_font" -pointsize 13 -fill '#222222' \
    label:"$label" -gravity center -append -bordercolor white -border 6 "$tile"
}

preview_skin() {  # preview_skin FOLDER
  local folder=$1 skin i tiles=()
  skin=$(basename "$folder")
  for i in 4 5 6 0 3 2 1; do
    icon_tile "$folder/icone$i.ico" "icone$i.ico: ${icon_meaning[$i]}" "$work/icone$i.png" 16 32
    tiles+=("$work/icone$i.png")
  done
  for i in 1 2 3 4 5 6 7; do
    icon_tile "$folder/tool$i.ico" "tool$i.ico: ${tool_meaning[$i]}" "$work/tool$i.png" 48
    tiles+=("$work/tool$i.png")
  done
  montage "${tiles[@]}" -tile 4x -geometry +8+8 -background '#e6e6e6' "$work/sheet.png"
  convert "$work/sheet.png" -gravity north -background '#e6e6e6' -splice 0x36 \
    -font "$label_font" -pointsize 20 -fill '#222222' -annotate +0+8 "Skin \"$skin\"" \
    "${steady[@]}" "$out/skin-$skin.png"
}

# ---- Themes ----

# The value of KEY in group "Theme" of a theme file as Lumvik reads it, or DEFAULT when the file
# lacks the key.
theme_value() {  # theme_value FILE KEY DEFAULT
  awk -v key="$2" -v fallback="$3" '
    { sub(/\r$/, ""); line = $0; sub(/^[ \t]+/, "", line) }
    line ~ /^\[/ { group = tolower(substr(line, 2, index(line, "]") - 2)); next }
    group == "theme" && index(line, "=") {
      name = substr(line, 1, index(line, "=") - 1); sub(/[ \t]+$/, "", name)
      if (tolower(name) == key) {
        value = substr(line, index(line, "=") + 1); gsub(/^[ \t]+|[ \t]+$/, "", value)
        print value; found = 1; exit
      }
    }
    END { if (!found) print fallback }' "$1"
}

# A number as Lumvik reads it: an optional sign and the digits up to the first other character.
theme_number() {  # theme_number FILE KEY DEFAULT
  local value
  value=$(theme_value "$@" | sed -E 's/^[ \t]*([+-]?[0-9]*).*/\1/')
  case "$value" in *[0-9]*) echo $((10#${value#[+-]} * ${value%%[0-9]*}1)) ;; *) echo 0 ;; esac
}

# A colour key of the theme as #rrggbb; colours are red + 256 green + 65536 blue.
theme_colour() {  # theme_colour FILE KEY DEFAULT
  local value
  value=$(theme_number "$@")
  printf '#%02x%02x%02x' $((value & 255)) $(((value >> 8) & 255)) $(((value >> 16) & 255))
}

# A progress picture as the tree view draws it: 50 x 14, a 12-pixel bar, two white rows and the
# label "N%" centred, its cell starting 2 pixels above the picture.
progress_picture() {  # progress_picture TENTHS OUT
  local label="$(($1 * 10))%%" width x  # "%%" is a percent sign once ImageMagick has read it
  width=$(convert -font "$bar_font" -pointsize "$bar_points" label:"$label" -format '%w' info:)
  x=$(((50 - width) / 2))
  local draw=(-fill "$bar_bgc" -draw 'rectangle 0,0 49,11')
  [ "$1" -gt 0 ] && draw+=(-fill "$bar_fgc" -draw "rectangle 0,0 $((5 * $1 - 1)),11")
  convert -size 50x14 xc:white "${draw[@]}" -fill white -draw 'rectangle 0,12 49,13' \
    -font "$bar_font" -pointsize "$bar_points" -fill "$bar_tc" -gravity northwest \
    -annotate "+$x+-2" "$label" -alpha off "PNG24:$2"
}

# The progress picture uses bar_bgc, bar_fgc, bar_tc, bar_font and bar_points of the theme.
preview_theme() {  # preview_theme FILE
  local file=$1 theme level rows=() police police_nom police_design size name_font design_font
  theme=$(basename "$file" .lvs)
  bar_bgc=$(theme_colour "$file" avancement_bgc 0)
  bar_fgc=$(theme_colour "$file" avancement_fgc 16711680)
  bar_tc=$(theme_colour "$file" avancement_tc 16777215)
  police=$(theme_value "$file" police Arial)
  police_nom=$(theme_value "$file" police_nom Arial)
  police_design=$(theme_value "$file" police_design Arial)
  size=$(theme_number "$file" police_size 8)
  bar_font=$(font_file "$police")
  name_font=$(font_file "$police_nom")
  design_font=$(font_file "$police_design")
  # Windows makes a font of P points 4 P / 3 pixels high on a 96-dpi screen.
  bar_points=$(awk -v p="$size" 'BEGIN { printf "%.2f", p * 96 / 72 }')
  for level in 1 2 3 4 5; do
    progress_picture $(((level - 1) * 2)) "$work/row_bar.png"
    convert -size 240x18 "xc:$(theme_colour "$file" "urg_${level}_bc" 0)" \
      -font "$name_font" -pointsize 10.67 -fill "$(theme_colour "$file" "urg_${level}_tc" 0)" \
      -gravity west -annotate +6+0 "Urgency $level: a task of level $level" \
      \( "$work/row_bar.png" -background white -gravity west -splice 6x0 \) \
      -gravity center +append "$work/row$level.png"
    rows+=("$work/row$level.png")
  done
  local bars=()
  for level in 0 5 10; do
    progress_picture "$level" "$work/bar$level.png"
    bars+=(\( "$work/bar$level.png" -scale 400% -bordercolor white -border 6 \))
  done
  local note=(-font "$label_font" -pointsize 9 -fill '#444444')
  convert -background white \
    \( -font "$label_font" -pointsize 13 -fill '#222222' label:"Theme \"$theme\"" \) \
    "${rows[@]}" \
    \( "${note[@]}" label:"Urgency rows and name lines: $(font_note "$police_nom")" \) \
    \( -font "$design_font" -pointsize 10.67 -fill black \
       label:"A description in $(font_note "$police_design")" \) \
    \( "${note[@]}" label:"Progress label: $(font_note "$police") at $size pt" \) \
    \( "${note[@]}" label:'0, 50 and 100 %%, four times as large:' \) \
    \( "${bars[@]}" +append \) \
    -gravity north -splice 0x4 -gravity west -append -bordercolor white -border 8 \
    -scale 200% "${steady[@]}" "$out/theme-$theme.png"
}

for folder in "$dist"/skins/*/; do preview_skin "${folder%/}"; done
for file in "$dist"/*.lvs; do [ -e "$file" ] && preview_theme "$file"; done
echo "previews in $out"
