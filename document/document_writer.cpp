#include <algorithm>
#include <charconv>

#include "config/text_numbers.h"
#include "document/document_file.h"
#include "document/earlier_versions.h"
#include "document/stored_form.h"
#include "platform/file_io.h"

namespace lumvik {

namespace {

bool EndsValueOrLine(char c) { return c == '"' || c == '\r' || c == '\n'; }

// Values stand between double quotes without escaping, so a byte that would
// end the value or the line is written in its stored form. (A byte loop: the
// library's find_first_of costs a call per byte.)
void AppendValue(std::string& out, std::string_view text) {
  const char* from = text.data();
  const char* const end = from + text.size();
  for (;;) {
    const char* const special = std::find_if(from, end, EndsValueOrLine);
    out.append(from, special - from);
    if (special == end) return;
    from = special + 1;
    if (*special == '"') {
      out += kStoredQuote;
    } else {
      out += kStoredLineBreak;
      if (*special == '\r' && from != end && *from == '\n') ++from;
    }
  }
}

void AppendText(std::string& out, std::string_view key, std::string_view text) {
  out.append(" ").append(key).append("=\"");
  AppendValue(out, text);
  out += '"';
}

void AppendNumber(std::string& out, std::string_view key, std::int32_t value) {
  char digits[16];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(" ").append(key).append("=\"").append(digits, end - digits) += '"';
}

void AppendCategoryLine(std::string& out, const CategoryRecord& category, std::int32_t level) {
  out += "<categorie";
  AppendText(out, "nom", category.nom);
  AppendText(out, "designation", category.designation);
  AppendNumber(out, "level", level);
  AppendNumber(out, "avancement", category.avancement);
  out += ">\r\n";
}

void AppendTaskLine(std::string& out, const TaskRecord& task, std::int32_t level) {
  out += "<task";
  AppendText(out, "nom", task.nom);
  AppendText(out, "designation", task.designation);
  AppendNumber(out, "level", level);
  AppendNumber(out, "importance", task.importance);
  AppendText(out, "datedebut", task.datedebut);
  AppendText(out, "dateecheance", task.dateecheance);
  AppendNumber(out, "statut", task.statut);
  AppendNumber(out, "avancement", task.avancement);
  out += ">\r\n";
}

// Enough for the whole file in the common case, so that it is built in one buffer.
std::size_t EstimatedSize(const Document& document) {
  std::size_t size = 64;
  for (const CategoryRecord& category : document.categories) {
    size += 64 + category.nom.size() + category.designation.size();
  }
  for (const TaskRecord& task : document.tasks) {
    size += 160 + task.nom.size() + task.designation.size() + task.datedebut.size() +
            task.dateecheance.size();
  }
  return size;
}

}  // namespace

std::string WithDocumentExtension(const std::string& path) {
  const std::size_t folder_end = path.find_last_of("/\\");
  const std::size_t dot = path.rfind('.');
  const bool has_extension =
      dot != std::string::npos && (folder_end == std::string::npos || dot > folder_end);
  if (has_extension && path.compare(dot + 1, std::string::npos, "lvk") == 0) return path;
  return path + ".lvk";
}

std::string SerializeDocument(const Document& document, std::string_view program_name) {
  std::string out;
  out.reserve(EstimatedSize(document) + program_name.size());
  out.append("<xml version=\"").append(kFormatVersion).append("\" logiciel=\"");
  out.append(program_name).append("\">\r\n");
  for (const TreeEntry& row : document.rows) {
    if (row.kind == kCategoryRow) {
      AppendCategoryLine(out, document.categories[row.index], row.level);
    } else {
      AppendTaskLine(out, document.tasks[row.index], row.level);
    }
  }
  return out;
}

bool WriteDocumentFile(const std::string& path, const Document& document,
                       std::string_view program_name) {
  return WriteFileAtomically(path, SerializeDocument(document, program_name));
}

std::optional<FileVersion> WriteDocumentWithBackup(FileWrite& write, const Document& document,
                                                   std::string_view program_name, int backups,
                                                   const std::function<bool()>& still_wanted) {
  // Taken before the write, kept only after it: a failed save leaves the
  // backups as they were.
  const EarlierVersion earlier = TakeEarlierVersion(write.path(), backups);
  const std::string bytes = SerializeDocument(document, program_name);
  if (!write.Commit(bytes, still_wanted)) return std::nullopt;
  // A save that changed nothing has nothing earlier to keep.
  if (earlier.bytes != bytes) KeepEarlierVersion(earlier, backups, LocalNow());
  return FileVersion{write.written_stamp(), BytesFingerprint(bytes)};
}

SaveStatus SaveDocument(Document& document, const std::string& path, const TextTable& texts,
                        Prompt& prompt, int backups) {
  const std::string target = WithDocumentExtension(path);
  const std::string& program_name = texts[kTextProgramName];
  // The old file is replaced in one step by the write itself, never deleted
  // first, so that a failed write leaves it as it was.
  if (PathExists(target) && prompt.Message(program_name, texts[kTextReplaceExistingFile],
                                           Buttons::YesNo) != Answer::Yes) {
    return SaveStatus::SaveAsInstead;
  }
  FileWrite write(target, kDocumentWritePatience);
  std::optional<FileVersion> written =
      WriteDocumentWithBackup(write, document, program_name, backups);
  if (!written) {
    prompt.Message(program_name, texts[kTextCannotCreateFile], Buttons::Ok);
    return SaveStatus::Failed;
  }
  document.file_path = target;
  document.file_version = std::move(*written);
  return SaveStatus::Saved;
}

}  // namespace lumvik
