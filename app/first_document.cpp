#include "app/first_document.h"

#include "platform/file_io.h"

namespace lumvik {

namespace {

bool IsExistingFile(const std::string& path) {
  return !path.empty() && PathExists(path) && !IsDirectory(path);
}

}  // namespace

std::string FirstCommandLineParameter(std::string_view parameters) {
  std::size_t at = parameters.find_first_not_of(" \t");
  std::string parameter;
  bool quoted = false;
  for (; at != std::string_view::npos && at < parameters.size(); ++at) {
    const char c = parameters[at];
    if (c == '"') {
      quoted = !quoted;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      break;
    } else {
      parameter += c;
    }
  }
  return parameter;
}

FirstDocument ChooseFirstDocument(const std::string& parameter, const Settings& settings) {
  if (!parameter.empty()) {
    return {IsExistingFile(parameter) ? parameter : std::string(), true};
  }
  if (settings.loadlastfile != 0 && IsExistingFile(settings.lastfile)) {
    return {settings.lastfile, false};
  }
  return {};
}

}  // namespace lumvik
