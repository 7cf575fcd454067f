#include "config/ini_file.h"

#include "platform/codepage.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace lumvik {

namespace {

std::string_view WithoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view EntryValue(std::string_view after_equals, IniReader reader) {
  if (reader == IniReader::Lumvik) return TrimBlanks(after_equals);
  if (!after_equals.empty() && IsBlank(after_equals.front())) after_equals.remove_prefix(1);
  return after_equals;
}

// The line's meaning; `line` holds more than blanks.
IniLine ParseLine(std::string_view line, IniReader reader) {
  const std::string_view rest = WithoutLeadingBlanks(line);
  if (rest.front() == '[') {
    const std::string_view name = rest.substr(1);
    return {IniLineKind::Group, std::string(name.substr(0, name.find(']'))), {}};
  }
  if (rest.front() == ';')
    return {IniLineKind::Comment, {}, std::string(TrimBlanks(rest.substr(1)))};
  const std::size_t equals = rest.find('=');
  if (equals == std::string_view::npos) return {IniLineKind::Other, {}, std::string(line)};
  return {IniLineKind::Entry, std::string(TrimBlanks(rest.substr(0, equals))),
          std::string(EntryValue(rest.substr(equals + 1), reader))};
}

void AppendLine(std::string& out, const IniLine& line) {
  switch (line.kind) {
    case IniLineKind::Group:
      out.append("[").append(line.name).append("]");
      break;
    case IniLineKind::Entry:
      out.append(line.name).append(" = ").append(line.text);
      break;
    case IniLineKind::Comment:
      out.append("; ").append(line.text);
      break;
    case IniLineKind::Other:
      out.append(line.text);
      break;
  }
  out.append("\r\n");
}

}  // namespace

IniFile IniFile::Open(const std::string& path, IniReader reader) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  IniFile file = Parse(bytes ? std::string_view(*bytes) : std::string_view(), reader);
  file.path_ = path;
  file.unreadable_ = !bytes && PathExists(path);
  return file;
}

IniFile IniFile::Parse(std::string_view bytes, IniReader reader) {
  IniFile file(reader, bytes.starts_with(kUtf8Mark));
  if (file.utf8_) bytes.remove_prefix(kUtf8Mark.size());
  ForEachLine(bytes, [&](std::string_view line) {
    if (!WithoutLeadingBlanks(line).empty()) file.lines_.push_back(ParseLine(line, reader));
  });
  return file;
}

std::optional<std::string> IniFile::Find(std::string_view group, std::string_view key) const {
  const std::optional<Span> span = GroupSpan(group);
  if (!span) return std::nullopt;
  const std::optional<std::size_t> entry = EntryIndex(*span, key);
  if (!entry) return std::nullopt;
  return ToAnsi(lines_[*entry].text);
}

std::string IniFile::ReadString(std::string_view group, std::string_view key,
                                std::string_view fallback) const {
  std::optional<std::string> value = Find(group, key);
  return value ? std::move(*value) : std::string(fallback);
}

std::int32_t IniFile::ReadInt32(std::string_view group, std::string_view key,
                                std::int32_t fallback) const {
  const std::optional<std::string> value = Find(group, key);
  return value ? ParseDecimal32(*value) : fallback;
}

void IniFile::Write(std::string_view group, std::string_view key, std::string_view value) {
  changed_ = true;
  std::string stored = ToFile(value.substr(0, value.find_first_of("\r\n")));
  std::optional<Span> span = GroupSpan(group);
  if (!span) {
    lines_.push_back({IniLineKind::Group, ToFile(group), {}});
    span = Span{lines_.size(), lines_.size()};
  }
  if (const std::optional<std::size_t> entry = EntryIndex(*span, key)) {
    lines_[*entry].text = std::move(stored);
    return;
  }
  std::size_t insert_at = span->begin;
  for (std::size_t i = span->begin; i < span->end; ++i) {
    if (lines_[i].kind == IniLineKind::Entry) insert_at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at),
                {IniLineKind::Entry, ToFile(key), std::move(stored)});
}

void IniFile::WriteInt(std::string_view group, std::string_view key, std::int64_t value) {
  Write(group, key, std::to_string(value));
}

std::string IniFile::Serialize() const {
  std::string body;
  for (const IniLine& line : lines_) AppendLine(body, line);
  if (utf8_) return std::string(kUtf8Mark) + body;
  // A line that moved to the top must not make the file read as UTF-8.
  if (!read_with_mark_ && body.starts_with(kUtf8Mark)) return "\r\n" + body;
  return body;
}

bool IniFile::Save() const {
  if (!changed_) return true;
  if (unreadable_) return false;
  return WriteFileAtomically(path_, Serialize());
}

std::optional<IniFile::Span> IniFile::GroupSpan(std::string_view group) const {
  std::size_t begin = 0;
  if (!group.empty()) {
    while (begin < lines_.size() &&
           !(lines_[begin].kind == IniLineKind::Group && NameIs(lines_[begin].name, group))) {
      ++begin;
    }
    if (begin == lines_.size()) return std::nullopt;
    ++begin;
  }
  std::size_t end = begin;
  while (end < lines_.size() && lines_[end].kind != IniLineKind::Group) ++end;
  return Span{begin, end};
}

std::optional<std::size_t> IniFile::EntryIndex(Span span, std::string_view key) const {
  for (std::size_t i = span.begin; i < span.end; ++i) {
    if (lines_[i].kind == IniLineKind::Entry && NameIs(lines_[i].name, key)) return i;
  }
  return std::nullopt;
}

bool IniFile::NameIs(const std::string& stored, std::string_view wanted) const {
  return utf8_ ? EqualsIgnoringCase(AnsiFromUtf8(stored), wanted)
               : EqualsIgnoringCase(stored, wanted);
}

std::string IniFile::ToAnsi(std::string_view stored) const {
  return utf8_ ? AnsiFromUtf8(stored) : std::string(stored);
}

std::string IniFile::ToFile(std::string_view ansi) const {
  return utf8_ ? Utf8FromAnsi(ansi) : std::string(ansi);
}

}  // namespace lumvik
