// Where the time of a start goes: when the environment variable
// LUMVIK_TRACE names a file, each checkpoint adds a line to it, the
// milliseconds since the process was created and what was just done.
// Without the variable a checkpoint costs one look at a flag.
#pragma once

namespace lumvik {

void StartupCheckpoint(const char* what);

// The last checkpoint of the start, followed by the memory the program
// holds: later ones are not written.
void StartupFinished(const char* what);

}  // namespace lumvik
