// What Lumvik last read or wrote of its document's file, and what has
// become of the file since: a sync service, another Lumvik or a script may
// have written it. The document the file held then is the base from which
// changes made on both sides merge; it is kept on disk, as the bytes of the
// file then, since it is needed only when the file changes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/document.h"
#include "platform/file_io.h"
#include "platform/scratch_file.h"

namespace lumvik {

class DocumentFileWatch {
 public:
  // How the document came to be what its file holds.
  enum class Origin {
    Read,     // read from it, its categories' progress worked out again
    Written,  // written to it, as it stands
  };
  // `document` was just read from or written to its file, the version of
  // the file it carries being what the file held then.
  void Remember(const Document& document, Origin origin);
  // A document without a file: there is nothing to watch.
  void Forget();

  enum class Finding {
    Unchanged,     // the same bytes, whatever their time says
    Changed,       // other bytes, read as a document
    Unreadable,    // gone or held for a moment: to be looked at again later
    NotADocument,  // other bytes, but not a document of this program
  };
  struct Look {
    Finding finding = Finding::Unchanged;
    Document theirs;    // the file's document, when it changed
    std::string bytes;  // the bytes it was read from
  };
  // Looks at the file: its size and time first, its bytes only when one of
  // them differs. A change becomes the new base once the caller has taken
  // it in (TakeIn).
  Look LookAgain(std::string_view program_name);
  // The document of a changed file was shown or merged: it is the base now.
  void TakeIn(Look look);

  // The document the file held when it was last read, written or taken in,
  // read back.
  Document Base() const;
  bool watching() const { return !path_.empty(); }

 private:
  std::string path_;
  std::optional<FileStamp> stamp_;
  std::uint64_t fingerprint_ = 0;
  // The stamp and fingerprint of the bytes of the last change found.
  std::optional<FileStamp> found_stamp_;
  std::uint64_t found_fingerprint_ = 0;
  ScratchFile base_;
  // Whether the base, read back, has its categories' progress worked out
  // again, as the document had when its bytes were read.
  bool base_read_ = false;
  // Where the base stays when the temporary folder cannot take it.
  std::optional<Document> base_in_memory_;
};

}  // namespace lumvik
