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

// The address of function `name` of the system's library `library`, which
// is loaded at the first call and kept until the program ends; null when
// either is missing. Libraries that the first window does not need (the
// common dialogs, the shell) are reached this way, so that starting the
// program does not wait for them.
void (*SystemProcedure(const char* library, const char* name))();

template <typename Function>
Function* SystemFunction(const char* library, const char* name) {
  return reinterpret_cast<Function*>(SystemProcedure(library, name));
}

}  // namespace lumvik
