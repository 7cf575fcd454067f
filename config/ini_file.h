// The INI layout shared by the settings file, the language file and the theme
// files: the file as an ordered list of lines, so that a rewrite gives back
// every group, key, comment and stray line the programs do not use.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvik {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// How a file is read. Lumvik's reader trims blanks and tabs around a value and
// reads a file that starts with the UTF-8 mark as UTF-8. Skinwright's simpler
// reader drops only one blank after the "=" and keeps the rest of the line,
// and takes a mark for part of the first line.
enum class IniReader { Lumvik, Skinwright };

enum class IniLineKind { Group, Entry, Comment, Other };

// One non-empty line, in the file's own encoding.
struct IniLine {
  IniLineKind kind = IniLineKind::Other;
  std::string name;  // group name or key
  std::string text;  // entry value, comment text, or the whole line of any other kind

  bool operator==(const IniLine&) const = default;
};

// Names and values cross this interface in the ANSI code page; a file read as
// UTF-8 holds them in UTF-8, so that lines nobody changes keep their bytes.
class IniFile {
 public:
  // A file that does not exist reads as empty; Save then creates it. One that
  // exists but cannot be read also reads as empty, and Save will not replace it.
  static IniFile Open(const std::string& path, IniReader reader);
  static IniFile Parse(std::string_view bytes, IniReader reader);

  // Group and key names match without regard to case. Only the first
  // occurrence of a group is searched, and the first occurrence of a key in
  // it counts. The group "" is the lines before the first group line.
  std::optional<std::string> Find(std::string_view group, std::string_view key) const;
  std::string ReadString(std::string_view group, std::string_view key,
                         std::string_view fallback) const;
  // The low 32 bits of the decimal value; a present value without digits is 0.
  std::int32_t ReadInt32(std::string_view group, std::string_view key, std::int32_t fallback) const;

  // Replaces the value of the key's first occurrence, or adds the key after
  // the group's last entry (right after the group line when it has none); a
  // missing group is appended to the file. A line cannot hold a line end, so
  // the value ends before its first CR or LF.
  void Write(std::string_view group, std::string_view key, std::string_view value);
  void WriteInt(std::string_view group, std::string_view key, std::int64_t value);

  // The whole file as a rewrite stores it, every line ended by CR LF.
  std::string Serialize() const;

  // Rewrites the file in one step when something was written; true when
  // nothing was. False when it failed, and then the previous file is intact.
  bool Save() const;

  const std::vector<IniLine>& lines() const { return lines_; }

 private:
  struct Span {
    std::size_t begin;  // first line after the group line
    std::size_t end;    // the next group line, or the end of the file
  };

  IniFile(IniReader reader, bool read_with_mark)
      : utf8_(reader == IniReader::Lumvik && read_with_mark), read_with_mark_(read_with_mark) {}

  std::optional<Span> GroupSpan(std::string_view group) const;
  std::optional<std::size_t> EntryIndex(Span span, std::string_view key) const;
  bool NameIs(const std::string& stored, std::string_view wanted) const;
  std::string ToAnsi(std::string_view stored) const;
  std::string ToFile(std::string_view ansi) const;

  std::vector<IniLine> lines_;
  std::string path_;
  bool utf8_ = false;
  bool read_with_mark_ = false;
  bool changed_ = false;
  bool unreadable_ = false;  // exists but could not be read: Save must not replace it
};

}  // namespace lumvik
