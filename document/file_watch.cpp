#include "document/file_watch.h"

#include <utility>

#include "document/document_file.h"

namespace lumvik {

void DocumentFileWatch::Remember(const Document& document, Origin origin) {
  path_ = document.file_path;
  base_read_ = origin == Origin::Read;
  stamp_ = document.file_version.stamp;
  fingerprint_ = document.file_version.fingerprint;
  // The file's bytes are the base while they are still those the document
  // was read from or written as; written again since, the file is a change
  // to be found, and the base is the document itself, kept as it is.
  const std::optional<std::string> bytes = ReadWholeFile(path_);
  base_in_memory_.reset();
  if (!bytes || BytesFingerprint(*bytes) != fingerprint_ || !base_.Keep(*bytes)) {
    base_.Clear();
    base_in_memory_ = document;
  }
}

void DocumentFileWatch::Forget() {
  path_.clear();
  stamp_.reset();
  base_.Clear();
  base_in_memory_.reset();
}

DocumentFileWatch::Look DocumentFileWatch::LookAgain(std::string_view program_name) {
  if (path_.empty()) return {};
  const std::optional<FileStamp> stamp = FileStampOf(path_);
  if (!stamp) return {Finding::Unreadable, {}, {}};
  if (stamp == stamp_) return {};
  std::optional<std::string> bytes = ReadWholeFile(path_);
  // An empty file is one being written, or emptied: never an empty list.
  if (!bytes || bytes->empty()) return {Finding::Unreadable, {}, {}};
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
    return {Finding::NotADocument, {}, {}};
  }
  found_stamp_ = stamp;
  found_fingerprint_ = fingerprint;
  return {Finding::Changed, std::move(read.document), std::move(*bytes)};
}

void DocumentFileWatch::TakeIn(Look look) {
  stamp_ = found_stamp_;
  fingerprint_ = found_fingerprint_;
  base_in_memory_.reset();
  base_read_ = true;
  if (!base_.Keep(look.bytes)) base_in_memory_ = std::move(look.theirs);
}

Document DocumentFileWatch::Base() const {
  if (base_in_memory_) return *base_in_memory_;
  const std::optional<std::string> bytes = base_.Read();
  // Unreadable, it is an empty list: every row then counts as added on both
  // sides, and the merge keeps both versions of a row that differs rather
  // than lose one.
  if (!bytes) return Document();
  return SavedDocumentOf(*bytes, path_, base_read_);
}

}  // namespace lumvik
