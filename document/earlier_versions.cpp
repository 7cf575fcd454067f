#include "document/earlier_versions.h"

#include "document/backup_names.h"
#include "platform/file_io.h"

namespace lumvik {

namespace {

// A name's "(2)", "(3)"... go this far before the backup is given up.
constexpr int kMostAttempts = 100;
// A backup is written within moments of the time in its name.
constexpr std::time_t kWritingSeconds = 60;

// A backup written again well after the time in its name was opened and
// saved in place: it holds work of its own, and no save of the document it
// came from removes it.
bool SavedSinceKept(const std::string& folder, const std::string& name,
                    const std::string& document_path) {
  const std::optional<LocalDateTime> named = BackupTime(name, document_path);
  const std::optional<std::time_t> kept = named ? MomentOf(*named) : std::nullopt;
  const std::optional<std::time_t> written = LastWriteTime(JoinPath(folder, name));
  return kept && written && *written > *kept + kWritingSeconds;
}

}  // namespace

EarlierVersion TakeEarlierVersion(const std::string& document_path, int keep) {
  EarlierVersion version{document_path, std::nullopt};
  if (keep > 0 && PathExists(document_path) && !IsDirectory(document_path)) {
    version.bytes = ReadWholeFile(document_path);
  }
  return version;
}

void KeepEarlierVersion(const EarlierVersion& version, int keep, const LocalDateTime& when) {
  if (!version.bytes || keep <= 0) return;
  const std::string folder = BackupFolder(version.document_path);
  if (!MakeFolder(folder)) return;
  for (int attempt = 1; attempt <= kMostAttempts; ++attempt) {
    const std::string path = JoinPath(folder, BackupFileName(version.document_path, when, attempt));
    if (PathExists(path)) continue;
    if (!WriteFileAtomically(path, *version.bytes)) return;
    break;
  }
  for (const std::string& name : BackupsBeyond(FileNamesIn(folder), version.document_path, keep)) {
    if (SavedSinceKept(folder, name, version.document_path)) continue;
    RemoveFile(JoinPath(folder, name));
  }
}

}  // namespace lumvik
