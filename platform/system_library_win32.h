// Libraries that the programs load while they run come from the system
// folder only: a program started from a downloads folder must never load a
// file of the same name lying beside it.
#pragma once

#include <windows.h>

#include "platform/window_owners_win32.h"

namespace lumvik {

// The system's library `name` ("riched20.dll"), or none when the system
// folder holds no loadable one.
UniqueLibrary LoadSystemLibrary(const char* name);

}  // namespace lumvik
