#include "document/earlier_versions.h"

#include "document/backup_names.h"
#include "platform/file_io.h"

namespace lumvik {

namespace {

// A name's "(2)", "(3)"... go this far before the backup is given up.
constexpr int kMostAttempts = 100;

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
    RemoveFile(JoinPath(folder, name));
  }
}

}  // namespace lumvik
