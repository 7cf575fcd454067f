/* Resource numbers of Skinwright's executable, shared by its resource script
   and its code. */
#pragma once

#define SKINWRIGHT_RES_PROGRAM_ICON 1
#define SKINWRIGHT_RES_NEW_PICTURE 2
#define SKINWRIGHT_RES_SAVE_PICTURE 3
#define SKINWRIGHT_RES_RELOAD_PICTURE 4
