# Skin "deruv", the default: soft, rounded and colourful. Each status has a colour and a sign of
# its own (grey ring to do, blue half disc in progress, amber pause waiting, green tick done, red
# cross dropped); categories are yellow folders, green-ticked when complete.
# Each function sets the layers `base`, `cut` and `top` for the size in pixels it is given.

# Outlines are one pixel at every size, the signs a little bolder at 16 pixels.
outline() { [ "$1" -le 16 ] && echo 2 || echo 1.25; }
sign() { [ "$1" -le 16 ] && echo 4.5 || echo 3.5; }

# A disc of colour FILL rimmed in EDGE, with a soft light on its upper half.
disc() {  # disc SIZE FILL EDGE
  printf '%s%s' "$(paint "$2" "$3" "$(outline "$1")")" "$(status_disc)"
  printf "fill '#ffffff40' stroke none ellipse 16,11 8,4.5 0,360 "
}

folder() {  # folder SIZE
  local w
  w=$(outline "$1")
  printf '%s%s%s%s' "$(paint '#e5a82a' '#a8740f' "$w")" "$(folder_back)" \
    "$(paint '#fbd35f' '#a8740f' "$w")" "$(folder_front)"
  printf "fill '#fde79b' stroke none rectangle 4.5,13.5 27.5,14.5 "
}

icone0() { base="$(disc "$1" '#34a853' '#1f7a39')$(paint none white "$(sign "$1")")$(check_mark)"; }
icone1() {
  badged "$(folder "$1")" badge_disc 13 15.5 "$(paint '#34a853' '#1f7a39' "$(outline "$1")")" \
    badge_check "$(paint none white "$(sign "$1")")"
}
icone2() { base=$(folder "$1"); }
icone3() { base="$(disc "$1" '#e5484d' '#a8262b')$(paint none white "$(sign "$1")")$(cross_mark)"; }
icone4() { base="$(paint white '#7d8ca3' 3)$(status_disc 5)"; }
icone5() {
  base="$(paint white '#2f7fe0' 3)$(status_disc 5)$(paint '#2f7fe0' none 0)$(half_disc)"
}
icone6() { base="$(disc "$1" '#f5a623' '#b7770b')$(paint white none 0)$(pause_bars)"; }

tool1() {
  local page
  page="$(paint white '#5a6a80' 2)$(page)$(paint '#dde5ee' '#5a6a80' 2)$(page_fold)"
  page+="$(paint none '#b9c6d6' 2.5)$(page_lines)"
  badged "$page" plus_disc 23 26 "$(paint '#34a853' '#1f7a39' 1.5)" plus_mark \
    "$(paint none white 3.5)"
}
tool2() {
  base="$(paint '#e5a82a' '#a8740f' 2)$(open_back)$(paint white '#9aa7b8' 1.5)$(open_sheet)"
  base+="$(paint '#fbd35f' '#a8740f' 2)$(open_flap)"
}
floppy() {
  printf '%s%s' "$(paint '#3a78c2' '#1d3f6e' 2)" "$(floppy_body)"
  printf '%s%s%s' "$(paint '#e3ebf5' '#1d3f6e' 1.5)" "$(floppy_shutter)" "$(floppy_label)"
  printf '%s%s' "$(paint '#1d3f6e' none 0)" "$(floppy_slot)"
  printf '%s%s' "$(paint none '#a9bbd3' 2)" "$(floppy_label_lines)"
}
tool3() { base=$(floppy); }
tool4() {
  base=$(small_floppy "$(floppy)")
  cut=$(pencil "$(paint black black 6)$(pencil_outline)")
  top="$(paint '#f6c344' '#8a5a12' 1.5)$(pencil_body)$(paint '#f08c9a' '#8a5a12' 1.5)"
  top+="$(pencil_eraser)$(paint '#f6dcb4' '#8a5a12' 1.5)$(pencil_wood)"
  top=$(pencil "$top$(paint '#3b3b3b' none 0)$(pencil_lead)")
}
tool5() { base="$(paint '#2f7fe0' '#1a56a8' 2.5)$(arrow_up)"; }
tool6() { base="$(paint '#2f7fe0' '#1a56a8' 2.5)$(arrow_down)"; }
tool7() {
  base="$(paint none '#a8262b' 2.5)$(bin_handle)$(paint '#e5484d' '#a8262b' 2)$(bin_body)"
  base+="$(bin_lid)$(paint none '#ffc9cb' 2.5)$(bin_ribs)"
}
