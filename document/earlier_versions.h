// The version of a document that a save replaces, kept in the backup folder
// once the save has gone through. Nothing here ever stops a save: a backup
// that cannot be written is simply not there.
#pragma once

#include <optional>
#include <string>

#include "platform/local_time.h"

namespace lumvik {

struct EarlierVersion {
  std::string document_path;
  std::optional<std::string> bytes;  // nothing: no file to keep
};

// The file about to be replaced, read before the save; nothing to keep when
// `keep` is 0 or less or there is no readable file.
EarlierVersion TakeEarlierVersion(const std::string& document_path, int keep);

// After a successful save: the earlier version written into the backup
// folder under a name of its own, and the oldest backups beyond `keep` removed.
void KeepEarlierVersion(const EarlierVersion& version, int keep, const LocalDateTime& when);

}  // namespace lumvik
