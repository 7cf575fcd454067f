// The recovery copy that Lumvik keeps of a document with unsaved changes, so
// that a crash or a killed program loses nothing: a few header lines (what
// it is, the document's path, the time taken) and then the document exactly
// as its file would hold it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "platform/local_time.h"

namespace lumvik {

// The copy's file name ends so; the name before it is the program's own.
constexpr std::string_view kRecoveryExtension = ".lvkr";

// The copy's bytes: `document.file_path` (empty for a new document) and `when`
// in the header, then the document as the writer stores it.
std::string RecoveryText(const Document& document, std::string_view program_name,
                         const LocalDateTime& when);

struct RecoveredDocument {
  std::string path;   // the document's own path, empty for a new one
  std::string time;   // "yyyy-mm-dd hh:mm:ss", when the copy was taken
  Document document;  // the rows and records, unsaved, without a path
};

// The copy read back; nothing when the bytes are not a whole recovery copy
// (another file, or one cut short).
std::optional<RecoveredDocument> ReadRecoveryText(std::string_view bytes);

// A copy found in the recovery folder.
struct RecoveryCandidate {
  std::string name;
  std::string time;   // as in its header
  bool held = false;  // a running Lumvik keeps it
};

// The newest copy that no running Lumvik holds, by the time in its header;
// nothing when there is none.
std::optional<std::size_t> CopyToOffer(const std::vector<RecoveryCandidate>& candidates);

}  // namespace lumvik
