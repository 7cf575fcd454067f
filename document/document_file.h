// The ".lvk" document file: a header line, then one tag-like line per row.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "config/text_table.h"
#include "document/document.h"
#include "document/format_version.h"
#include "platform/file_io.h"
#include "platform/prompt.h"

namespace lumvik {

enum class HeaderCheck { Pass, Foreign, CannotOpen };

// The value of "logiciel=" on the first line of the file's bytes, exactly as
// it stands there, or nothing when the first line has no such attribute.
std::optional<std::string> HeaderProgramName(std::string_view file_bytes);

// Pass when the header names no program or names `program_name` up to letter case.
HeaderCheck CheckHeader(const std::string& path, std::string_view program_name);

// The rows and records of a file's bytes (the header is not checked here),
// with the index of each row counted in file order. Progress is as stored.
// Every row of the result names a record, and every record one row.
Document ParseDocument(std::string_view file_bytes);

// Categories whose progress follows their children take it as a read does:
// rows in order, each row's parent category recomputed from the children at
// that row's level; a category whose child category changes later in the
// pass keeps the value computed before. Tasks keep their progress. Every row
// must name a record.
void RecomputeLoadedProgress(Document& document);

enum class ReadStatus { Read, Foreign, CannotOpen };

struct ReadResult {
  ReadStatus status = ReadStatus::CannotOpen;
  Document document;  // filled only when status is Read
};

// Header check, parse and progress recomputation; the document is saved and
// carries the path. A refusal leaves the caller's document untouched, since
// the caller replaces it only on success. Asks nothing: the caller reports a
// refusal.
ReadResult ReadDocument(const std::string& path, std::string_view program_name);
// As ReadDocument, from the bytes of the file at `path`, read already.
ReadResult DocumentFromBytes(std::string_view bytes, const std::string& path,
                             std::string_view program_name);
// The document that bytes whose header passed hold as the file at `path`,
// saved: its categories' progress worked out again as a read does when
// `as_read`, else as stored (a version this program wrote).
Document SavedDocumentOf(std::string_view bytes, const std::string& path, bool as_read);

// The path with ".lvk" appended unless its extension is exactly "lvk".
std::string WithDocumentExtension(const std::string& path);

// The whole file as the writer stores it. Every row must name a record. A
// double quote in any text value is written as 0x1A and a line break as 0x1B,
// so that every value ends at its own closing quote and every row keeps its
// line; the reader turns 0x1A in a name back into a double quote.
std::string SerializeDocument(const Document& document, std::string_view program_name);

// Writes the file in one step, replacing any file of that name; false when it
// could not be written, and then the previous file is intact.
bool WriteDocumentFile(const std::string& path, const Document& document,
                       std::string_view program_name);

// How long a save waits while another program writes the same document.
constexpr std::chrono::milliseconds kDocumentWritePatience{5000};

// As WriteDocumentFile, through a write that holds the file's lock already
// (its writer may have read and merged the file under it); the file it
// replaces is kept in the backup folder with the newest `backups` earlier
// versions, once the write went through.
// The version written; nothing when it could not be written or
// `still_wanted` (see FileWrite::Commit) gave it up.
std::optional<FileVersion> WriteDocumentWithBackup(FileWrite& write, const Document& document,
                                                   std::string_view program_name, int backups,
                                                   const std::function<bool()>& still_wanted = {});

enum class SaveStatus { Saved, SaveAsInstead, Failed };

// The writer of Save: extension rule, the question before replacing an
// existing file (No hands over to Save As), the message when it cannot be
// written (a folder under the name cannot be replaced either). On success the
// document's path becomes the written path; the saved flag is its callers'
// business.
// The file it replaces is kept in the backup folder, the newest `backups`
// versions of it staying there.
SaveStatus SaveDocument(Document& document, const std::string& path, const TextTable& texts,
                        Prompt& prompt, int backups = 0);

}  // namespace lumvik
