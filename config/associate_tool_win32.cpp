// Test tool: associates ".lvk" with the Lumvik named on the command line, or
// removes that Lumvik's association, as the options window's two buttons do,
// so that a script can look at the result with the system's own tools.
#include <cstdio>
#include <string>

#include "config/registry_win32.h"

int main(int argc, char** argv) {
  const std::string action = argc > 1 ? argv[1] : "";
  if (action == "associate" && argc == 3) {
    lumvik::Registry().AssociateFileType(lumvik::LumvikAssociation(argv[2]));
    return 0;
  }
  if (action == "remove" && argc == 3) {
    lumvik::Registry().RemoveFileAssociation(lumvik::LumvikAssociation(argv[2]));
    return 0;
  }
  std::fputs("usage: associate_tool associate|remove PROGRAM.exe\n", stderr);
  return 2;
}
