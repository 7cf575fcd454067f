# Skin "contraste", for low vision: bold black outlines around plain bright colours, and signs in
# black or white, whichever stands out more on the colour (white ring to do, blue half disc in
# progress, yellow pause waiting, green tick done, red cross dropped; yellow folders).
# Each function sets the layers `base`, `cut` and `top` for the size in pixels it is given.

edge=3  # one and a half pixels at 16, three at 32
mark() { [ "$1" -le 16 ] && echo 4 || echo 4.5; }

badge_edge() { [ "$1" -le 16 ] && echo 2 || echo 3; }  # the badge is too small for more at 16

disc() {  # disc SIZE FILL
  printf '%s%s' "$(paint "$2" black "$edge")" "$(status_disc 4.5)"
}
folder() {
  printf '%s%s%s' "$(paint '#ffd400' black "$edge")" "$(folder_back)" "$(folder_front)"
}

icone0() { base="$(disc "$1" '#2ee05a')$(paint none black "$(mark "$1")")$(check_mark)"; }
icone1() {
  badged "$(folder "$1")" badge_disc 12 15.5 "$(paint '#2ee05a' black "$(badge_edge "$1")")" \
    badge_check "$(paint none black "$(mark "$1")")"
}
icone2() { base=$(folder "$1"); }
icone3() { base="$(disc "$1" '#e00000')$(paint none white "$(mark "$1")")$(cross_mark)"; }
icone4() { base=$(disc "$1" white); }
icone5() { base="$(disc "$1" white)$(paint '#0047ff' none 0)$(half_disc)"; }
icone6() { base="$(disc "$1" '#ffd400')$(paint black none 0)$(pause_bars)"; }

tool1() {
  badged "$(paint white black 3)$(page)$(page_fold)$(paint none black 2.5)$(page_lines)" \
    plus_disc 22 26 "$(paint '#2ee05a' black 3)" plus_mark "$(paint none black 4)"
}
tool2() {
  base="$(paint '#ffd400' black 3)$(open_back)$(paint white black 2.5)$(open_sheet)"
  base+="$(paint '#ffd400' black 3)$(open_flap)"
}
floppy() {
  printf '%s%s' "$(paint '#0047ff' black 3)" "$(floppy_body)"
  printf '%s%s%s' "$(paint white black 2.5)" "$(floppy_shutter)" "$(floppy_label)"
  printf '%s%s%s%s' "$(paint black none 0)" "$(floppy_slot)" "$(paint none black 2.5)" \
    "$(floppy_label_lines)"
}
tool3() { base=$(floppy); }
tool4() {
  base=$(small_floppy "$(floppy)")
  cut=$(pencil "$(paint black black 8)$(pencil_outline)")
  top="$(paint '#ffd400' black 2.5)$(pencil_body)$(paint white black 2.5)$(pencil_eraser)"
  top=$(pencil "$top$(pencil_wood)$(paint black none 0)$(pencil_lead)")
}
tool5() { base="$(paint '#0047ff' black 3)$(arrow_up)"; }
tool6() { base="$(paint '#0047ff' black 3)$(arrow_down)"; }
tool7() {
  base="$(paint none black 3)$(bin_handle)$(paint '#e00000' black 3)$(bin_body)$(bin_lid)"
  base+="$(paint none white 3)$(bin_ribs)"
}
