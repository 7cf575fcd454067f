#include "document/file_watch.h"

#include <utility>

#include "document/document_file.h"

namespace lumvik {

void DocumentFileWatch::Remember(const Document& document) {
  path_ = document.file_path;
  base_ = document;
  base_.saved = 1;
  stamp_ = document.file_version.stamp;
  fingerprint_ = document.file_version.fingerprint;
}

void DocumentFileWatch::Forget() {
  path_.clear();
  stamp_.reset();
  base_ = Document();
}

DocumentFileWatch::Look DocumentFileWatch::LookAgain(std::string_view program_name) {
  if (path_.empty()) return {};
  const std::optional<FileStamp> stamp = FileStampOf(path_);
  if (!stamp) return {Finding::Unreadable, {}};
  if (stamp == stamp_) return {};
  const std::optional<std::string> bytes = ReadWholeFile(path_);
  // An empty file is one being written, or emptied: never an empty list.
  if (!bytes || bytes->empty()) return {Finding::Unreadable, {}};
  const std::uint64_t fingerprint = BytesFingerprint(*bytes);
  if (fingerprint == fingerprint_) {
    stamp_ = stamp;  // touched, not changed
    return {};
  }
  ReadResult read = DocumentFromBytes(*bytes, path_, program_name);
  if (read.status != ReadStatus::Read) {
    // Said once: the same bytes are not looked at again.
    stamp_ = stamp;
    fingerprint_ = fingerprint;
    return {Finding::NotADocument, {}};
  }
  found_stamp_ = stamp;
  found_fingerprint_ = fingerprint;
  return {Finding::Changed, std::move(read.document)};
}

void DocumentFileWatch::TakeIn(Look look) {
  stamp_ = found_stamp_;
  fingerprint_ = found_fingerprint_;
  base_ = std::move(look.theirs);
}

}  // namespace lumvik
