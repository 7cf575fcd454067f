#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#include "platform/file_io.h"
#include "tools/lvk/commands.h"

namespace {

int Run(const std::vector<std::string>& arguments) {
#ifdef _WIN32
  // The same bytes on every system: no LF to CR LF translation of the output.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const int status = lumvik::RunLvk(arguments, lumvik::ExecutableFolder(), std::cout, std::cerr);
  std::cout.flush();
  return std::cout.good() ? status : lumvik::kExitFileError;
}

}  // namespace

#ifdef _WIN32
// The arguments as typed, in UTF-8 as on every other system: the ANSI code
// page would have turned a letter it lacks into another one.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string argument(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, argument.data(), length, nullptr, nullptr);
    argument.pop_back();  // the terminating zero
    arguments.push_back(std::move(argument));
  }
  return Run(arguments);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
