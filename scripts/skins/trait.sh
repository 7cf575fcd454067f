# Skin "trait": flat monochrome line drawings in one dark ink, told apart by shape alone (an empty
# ring to do, a half disc in progress, a pause waiting, a tick done, a cross dropped).
# Each function sets the layers `base`, `cut` and `top` for the size in pixels it is given.

ink='#262a31'
line() { [ "$1" -le 16 ] && echo 3 || echo 2; }  # one and a half pixels at 16, two at 32
stroke() { paint none "$ink" "$(line "$1")"; }
solid() { paint "$ink" none 0; }

ring() { printf '%s%s' "$(stroke "$1")" "$(status_disc 5)"; }
folder() { printf '%s%s%s' "$(stroke "$1")" "$(folder_back)" "$(folder_front)"; }

icone0() { base="$(ring "$1")$(check_mark)"; }
icone1() { base="$(folder "$1")polyline 11,19.5 15,23 21.5,16 "; }  # a tick inside the folder
icone2() { base=$(folder "$1"); }
icone3() { base="$(ring "$1")$(cross_mark)"; }
icone4() { base=$(ring "$1"); }
icone5() { base="$(ring "$1")$(solid)$(half_disc)"; }
icone6() { base="$(ring "$1")$(solid)$(pause_bars)"; }

tool1() {
  badged "$(paint none "$ink" 3)$(page)$(page_fold)" plus_disc 26.5 26 "$(paint none none 0)" \
    plus_mark "$(paint none "$ink" 3)"  # a plus without a disc
}
tool2() { base="$(paint none "$ink" 3)$(open_back)$(open_flap)"; }
floppy() {
  printf '%s%s%s%s' "$(paint none "$ink" 3)" "$(floppy_body)" "$(floppy_shutter)" "$(floppy_label)"
  printf '%s%s' "$(solid)" "$(floppy_slot)"
}
tool3() { base=$(floppy); }
tool4() {
  base=$(small_floppy "$(floppy)")
  cut=$(pencil "$(paint black black 9)$(pencil_outline)")
  top="$(paint none "$ink" 3)$(pencil_outline)line 7,-5 7,5 line -11,-5 -11,5 "
  top=$(pencil "$top$(solid)$(pencil_lead)")
}
tool5() { base="$(paint none "$ink" 3)$(arrow_up)"; }
tool6() { base="$(paint none "$ink" 3)$(arrow_down)"; }
tool7() {
  base="$(paint none "$ink" 3)$(bin_handle)$(bin_body)$(bin_lid)$(paint none "$ink" 2.5)"
  base+=$(bin_ribs)
}
