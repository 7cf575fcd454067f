#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "platform/file_io.h"
#include "tools/lvk/commands.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes on every system: no LF to CR LF translation of the output.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const int status = lumvik::RunLvk(arguments, lumvik::ExecutableFolder(), std::cout, std::cerr);
  std::cout.flush();
  return std::cout.good() ? status : lumvik::kExitFileError;
}
