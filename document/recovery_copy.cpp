#include "document/recovery_copy.h"

#include <cstdio>

#include "document/document_file.h"

namespace lumvik {

namespace {

constexpr std::string_view kFirstLine = "Lumvik recovery 1";

// The next line of `text` without its CR LF; false at the end.
bool NextLine(std::string_view& text, std::string_view& line) {
  const std::size_t end = text.find("\r\n");
  if (end == std::string_view::npos) return false;
  line = text.substr(0, end);
  text.remove_prefix(end + 2);
  return true;
}

bool Field(std::string_view& text, std::string_view key, std::string_view& value) {
  std::string_view line;
  if (!NextLine(text, line) || !line.starts_with(key) || line.size() <= key.size() ||
      line[key.size()] != '=') {  // "path=" alone is a new document's
    return false;
  }
  value = line.substr(key.size() + 1);
  return true;
}

}  // namespace

std::string RecoveryText(const Document& document, std::string_view program_name,
                         const LocalDateTime& when) {
  const std::string body = SerializeDocument(document, program_name);
  char time[32];
  std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:%02d", when.year, when.month, when.day,
                when.hour, when.minute, when.second);
  // The size tells a whole copy from one cut short.
  return std::string(kFirstLine) + "\r\npath=" + document.file_path + "\r\ntime=" + time +
         "\r\nsize=" + std::to_string(body.size()) + "\r\n" + body;
}

std::optional<RecoveredDocument> ReadRecoveryText(std::string_view bytes) {
  std::string_view first;
  std::string_view path;
  std::string_view time;
  std::string_view size;
  if (!NextLine(bytes, first) || first != kFirstLine || !Field(bytes, "path", path) ||
      !Field(bytes, "time", time) || !Field(bytes, "size", size) || size.empty() ||
      size.size() > 15 || size.find_first_not_of("0123456789") != std::string_view::npos ||
      std::stoull(std::string(size)) != bytes.size()) {
    return std::nullopt;
  }
  RecoveredDocument recovered{std::string(path), std::string(time), ParseDocument(bytes)};
  recovered.document.saved = 0;
  return recovered;
}

std::optional<std::size_t> CopyToOffer(const std::vector<RecoveryCandidate>& candidates) {
  std::optional<std::size_t> newest;
  for (std::size_t k = 0; k < candidates.size(); ++k) {
    if (candidates[k].held) continue;
    if (!newest || candidates[k].time > candidates[*newest].time) newest = k;
  }
  return newest;
}

}  // namespace lumvik
