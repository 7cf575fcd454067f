#include <algorithm>
#include <array>
#include <optional>

#include "document/document_file.h"
#include "document/stored_form.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace lumvik {

namespace {

enum class LineKind { Other, Category, Task };

// A line is a row by its tag, the text before its first double quote, so
// that no value can change what the line is. A tag naming both is a category.
LineKind KindOf(std::string_view line) {
  const std::string_view tag = line.substr(0, line.find('"'));
  if (tag.find("<categorie") != std::string_view::npos) return LineKind::Category;
  if (tag.find("<task") != std::string_view::npos) return LineKind::Task;
  return LineKind::Other;
}

enum Key {
  kNom,
  kDesignation,
  kLevel,
  kAvancement,
  kImportance,
  kDateDebut,
  kDateEcheance,
  kStatut,
  kKeyCount
};

constexpr std::array<std::string_view, kKeyCount> kKeys = {
    "nom",        "designation", "level",        "avancement",
    "importance", "datedebut",   "dateecheance", "statut"};

// The first value of each key in the line; nothing for an absent key.
using LineValues = std::array<std::optional<std::string_view>, kKeyCount>;

// The key of an attribute whose value opens right after `before`: the text
// between a blank and a final "=".
std::optional<std::string_view> KeyBefore(std::string_view before) {
  if (!before.ends_with('=')) return std::nullopt;
  std::size_t start = before.size() - 1;
  while (start > 0 && !IsBlank(before[start - 1])) --start;
  if (start == 0) return std::nullopt;
  return before.substr(start, before.size() - 1 - start);
}

// An attribute is a blank, the key, "=" and a value between double quotes.
// The line is read from left to right and every value is stepped over as a
// whole, so that text inside a value, even text that looks like another
// attribute, is never taken for a key. A double quote that opens no value (a
// name cut short by an older writer) is stepped over on its own.
LineValues ValuesOf(std::string_view line) {
  LineValues values;
  std::size_t from = 0;
  for (;;) {
    const std::size_t quote = line.find('"', from);
    if (quote == std::string_view::npos) return values;
    const std::optional<std::string_view> key = KeyBefore(line.substr(from, quote - from));
    if (!key) {
      from = quote + 1;
      continue;
    }
    const std::size_t closing = line.find('"', quote + 1);
    const auto known = std::find(kKeys.begin(), kKeys.end(), *key);
    if (known != kKeys.end() && !values[known - kKeys.begin()]) {
      // Without a closing quote the value is empty.
      values[known - kKeys.begin()] = closing == std::string_view::npos
                                          ? std::string_view()
                                          : line.substr(quote + 1, closing - quote - 1);
    }
    if (closing == std::string_view::npos) return values;
    from = closing + 1;
  }
}

std::string Text(const LineValues& values, Key key) {
  return values[key] ? std::string(*values[key]) : std::string();
}

std::int16_t Number16(const LineValues& values, Key key, std::int16_t absent) {
  return values[key] ? ParseDecimal16(*values[key]) : absent;
}

// A name is written with its double quotes as 0x1A, since a quote would end it.
std::string Name(const LineValues& values) {
  std::string name = Text(values, kNom);
  std::replace(name.begin(), name.end(), kStoredQuote, '"');
  return name;
}

void AppendCategory(Document& document, const LineValues& values) {
  document.rows.push_back({kCategoryRow, static_cast<std::int32_t>(document.categories.size()),
                           values[kLevel] ? ParseDecimal32(*values[kLevel]) : 0});
  document.categories.push_back(
      {Name(values), Text(values, kDesignation), Number16(values, kAvancement, 0)});
}

void AppendTask(Document& document, const LineValues& values) {
  document.rows.push_back({kTaskRow, static_cast<std::int32_t>(document.tasks.size()),
                           values[kLevel] ? ParseDecimal32(*values[kLevel]) : 0});
  document.tasks.push_back({Name(values), Text(values, kDesignation), Text(values, kDateDebut),
                            Text(values, kDateEcheance), Number16(values, kAvancement, 0),
                            Number16(values, kStatut, 1), Number16(values, kImportance, 1)});
}

// Counting the rows first lets the three lists be allocated once.
void ReserveRows(Document& document, std::string_view file_bytes) {
  std::size_t categories = 0;
  std::size_t tasks = 0;
  ForEachLine(file_bytes, [&](std::string_view line) {
    const LineKind kind = KindOf(line);
    categories += kind == LineKind::Category;
    tasks += kind == LineKind::Task;
  });
  document.rows.reserve(categories + tasks);
  document.categories.reserve(categories);
  document.tasks.reserve(tasks);
}

std::string_view FirstLine(std::string_view file_bytes) {
  return file_bytes.substr(0, LineEndAt(file_bytes, 0));
}

HeaderCheck CheckHeaderOf(std::string_view file_bytes, std::string_view program_name) {
  const std::optional<std::string> named = HeaderProgramName(file_bytes);
  if (!named || LowerLatin1(*named) == LowerLatin1(program_name)) return HeaderCheck::Pass;
  return HeaderCheck::Foreign;
}

}  // namespace

std::optional<std::string> HeaderProgramName(std::string_view file_bytes) {
  constexpr std::string_view kAttribute = "logiciel=";
  const std::string_view line = TrimSpaces(FirstLine(file_bytes));
  const std::size_t found = line.find(kAttribute);
  if (found == std::string_view::npos) return std::nullopt;
  // The byte after "=" is taken for the opening quote, whatever it is.
  const std::size_t start = found + kAttribute.size() + 1;
  if (start > line.size()) return std::string();
  const std::size_t closing = line.find('"', start);
  if (closing == std::string_view::npos) return std::string();
  return std::string(line.substr(start, closing - start));
}

HeaderCheck CheckHeader(const std::string& path, std::string_view program_name) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  return bytes ? CheckHeaderOf(*bytes, program_name) : HeaderCheck::CannotOpen;
}

Document ParseDocument(std::string_view file_bytes) {
  Document document;
  ReserveRows(document, file_bytes);
  ForEachLine(file_bytes, [&](std::string_view raw_line) {
    const std::string_view line = TrimSpaces(raw_line);
    switch (KindOf(line)) {
      case LineKind::Category:
        AppendCategory(document, ValuesOf(line));
        break;
      case LineKind::Task:
        AppendTask(document, ValuesOf(line));
        break;
      case LineKind::Other:
        break;
    }
  });
  return document;
}

ReadResult ReadDocument(const std::string& path, std::string_view program_name) {
  // The stamp first: a file replaced in between then looks changed, and
  // its bytes are compared before anything is taken for a change.
  std::optional<FileStamp> stamp = FileStampOf(path);
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return {ReadStatus::CannotOpen, {}};
  ReadResult result = DocumentFromBytes(*bytes, path, program_name);
  result.document.file_version = {std::move(stamp), BytesFingerprint(*bytes)};
  return result;
}

ReadResult DocumentFromBytes(std::string_view bytes, const std::string& path,
                             std::string_view program_name) {
  if (CheckHeaderOf(bytes, program_name) == HeaderCheck::Foreign) {
    return {ReadStatus::Foreign, {}};
  }
  return {ReadStatus::Read, SavedDocumentOf(bytes, path, true)};
}

Document SavedDocumentOf(std::string_view bytes, const std::string& path, bool as_read) {
  Document document = ParseDocument(bytes);
  if (as_read) RecomputeLoadedProgress(document);
  document.saved = 1;
  document.file_path = path;
  return document;
}

}  // namespace lumvik
