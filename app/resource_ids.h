/* Resource numbers of Lumvik's executable, shared by its resource script and
   its code. */
#pragma once

#define LUMVIK_RES_PROGRAM_ICON 1
#define LUMVIK_RES_ABOUT_PICTURE 15
