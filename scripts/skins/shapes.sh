# The outlines the skins share, as ImageMagick drawing primitives. Tree icons are on a grid of 32
# units, toolbar pictures on one of 48. Each function prints geometry only; the skin sets the
# colours and line widths before it with `paint`.

paint() {  # paint FILL STROKE WIDTH
  printf "fill '%s' stroke '%s' stroke-width %s stroke-linejoin round stroke-linecap round " \
    "$1" "$2" "$3"
}

# Sets the layers of a drawing with a badge on it: DISC is the badge's outline function, given the
# top edge of the disc; a wider disc, from GAP-EDGE, is cleared around it.
badged() {  # badged DRAWING DISC GAP-EDGE EDGE BADGE-PAINT MARK MARK-PAINT
  base=$1
  cut="$(paint black none 0)$("$2" "$3")"
  top="$5$("$2" "$4")$7$("$6")"
}

# Tree icons: a status disc and the marks drawn on it.
status_disc() { printf 'circle 16,16 16,%s ' "${1:-3.5}"; }
half_disc() { printf "path 'M 16,7 A 9,9 0 0 1 16,25 Z' "; }
pause_bars() { printf 'roundrectangle 10.5,9.5 14,22.5 1,1 roundrectangle 18,9.5 21.5,22.5 1,1 '; }
check_mark() { printf 'polyline 9.5,16.5 14,21 22.5,11.5 '; }
cross_mark() { printf 'line 11,11 21,21 line 21,11 11,21 '; }

# Tree icons: a category folder, and the corner where a badge sits on it.
folder_back() {
  printf "path 'M 3,8 Q 3,6 5,6 L 11.5,6 Q 13,6 14,7.5 L 15,9 L 27,9 Q 29,9 29,11 L 29,25 "
  printf "Q 29,27 27,27 L 5,27 Q 3,27 3,25 Z' "
}
folder_front() { printf 'roundrectangle 3,12 29,27 2,2 '; }
badge_disc() { printf 'circle 23,23 23,%s ' "$1"; }
badge_check() { printf 'polyline 19,23 22,26 27,19.5 '; }

# Toolbar: a new page with a plus badge.
page() { printf "path 'M 10,4 L 29,4 L 38,13 L 38,44 L 10,44 Z' "; }
page_fold() { printf "path 'M 29,4 L 29,13 L 38,13 Z' "; }
page_lines() { printf 'line 15,20 32,20 line 15,26 32,26 line 15,32 24,32 '; }
plus_disc() { printf 'circle 35,36 35,%s ' "$1"; }
plus_mark() { printf 'line 35,30.5 35,41.5 line 29.5,36 40.5,36 '; }

# Toolbar: an open folder with a sheet in it.
open_back() {
  printf "path 'M 4,11 Q 4,8 7,8 L 15,8 Q 16.5,8 17.5,9.5 L 19,12 L 37,12 Q 40,12 40,15 "
  printf "L 40,40 L 4,40 Z' "
}
open_sheet() { printf "path 'M 10,30 L 10,16 L 34,16 L 34,30' "; }
open_flap() {
  printf "path 'M 4,40 L 10.5,22.5 Q 11,21 12.5,21 L 44.5,21 Q 46,21 45.5,22.5 L 40,40 Z' "
}

# Toolbar: a diskette.
floppy_body() {
  printf "path 'M 9,6 L 36,6 L 42,12 L 42,39 Q 42,42 39,42 L 9,42 Q 6,42 6,39 L 6,9 "
  printf "Q 6,6 9,6 Z' "
}
floppy_shutter() { printf 'rectangle 13,6 33,17 '; }
floppy_slot() { printf 'rectangle 26,9 29.5,14 '; }
floppy_label() { printf 'roundrectangle 11,24 37,42 1.5,1.5 '; }
floppy_label_lines() { printf 'line 16,30 32,30 line 16,35.5 32,35.5 '; }
small_floppy() {  # small_floppy DRAWING: the diskette shrunk into the top left corner
  printf 'push graphic-context scale 0.78,0.78 %s pop graphic-context ' "$1"
}

# Toolbar: a pencil writing toward the bottom left, drawn along its own axis and turned.
pencil() {  # pencil DRAWING
  printf 'push graphic-context translate 32,32 rotate 135 %s pop graphic-context ' "$1"
}
pencil_outline() { printf "path 'M -15,-5 L 7,-5 L 17,0 L 7,5 L -15,5 Z' "; }
pencil_body() { printf 'rectangle -11,-5 7,5 '; }
pencil_eraser() { printf 'rectangle -15,-5 -11,5 '; }
pencil_wood() { printf "path 'M 7,-5 L 17,0 L 7,5 Z' "; }
pencil_lead() { printf "path 'M 13,-2 L 17,0 L 13,2 Z' "; }

# Toolbar: arrows for moving a row up and down.
arrow_up() { printf "path 'M 24,5 L 43,24 L 32,24 L 32,43 L 16,43 L 16,24 L 5,24 Z' "; }
arrow_down() { printf "path 'M 24,43 L 43,24 L 32,24 L 32,5 L 16,5 L 16,24 L 5,24 Z' "; }

# Toolbar: a waste bin.
bin_lid() { printf 'roundrectangle 7,9 41,14 1.5,1.5 '; }
bin_handle() { printf "path 'M 18,9 L 18,6.5 Q 18,4.5 20,4.5 L 28,4.5 Q 30,4.5 30,6.5 L 30,9' "; }
bin_body() {
  printf "path 'M 10,14 L 38,14 L 35.5,42 Q 35.3,44 33,44 L 15,44 Q 12.7,44 12.5,42 Z' "
}
bin_ribs() { printf 'line 18.5,20 19.3,37.5 line 24,20 24,37.5 line 29.5,20 28.7,37.5 '; }
