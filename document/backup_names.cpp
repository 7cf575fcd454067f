#include "document/backup_names.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace lumvik {

namespace {

constexpr std::string_view kBackupFolder = "backup";
constexpr std::string_view kExtension = ".lvk";
constexpr std::size_t kStampLength = 19;  // "yyyy-mm-dd hh-mm-ss"

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

bool EndsWithExtension(std::string_view name) {
  return name.size() >= kExtension.size() &&
         SameLetters(name.substr(name.size() - kExtension.size()), kExtension);
}

std::size_t NameStart(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? 0 : slash + 1;
}

// The document's file name without ".lvk".
std::string_view Stem(std::string_view document_path) {
  std::string_view name = document_path.substr(NameStart(document_path));
  if (EndsWithExtension(name)) name.remove_suffix(kExtension.size());
  return name;
}

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "yyyy-mm-dd hh-mm-ss" with digits where the digits go.
bool IsStamp(std::string_view text) {
  if (text.size() != kStampLength) return false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char expected = k == 4 || k == 7 || k == 13 || k == 16 ? '-' : k == 10 ? ' ' : '0';
    if (expected == '0' ? !IsDigits(text.substr(k, 1)) : text[k] != expected) return false;
  }
  return true;
}

struct Backup {
  std::string_view stamp;
  int attempt = 1;
  std::string name;
};

// The backup that `name` is for the document of `stem`, if it is one.
bool ReadBackup(const std::string& name, std::string_view stem, Backup& backup) {
  std::string_view rest = name;
  if (!EndsWithExtension(rest)) return false;
  rest.remove_suffix(kExtension.size());
  if (rest.size() < stem.size() + 1 + kStampLength ||
      !SameLetters(rest.substr(0, stem.size()), stem) || rest[stem.size()] != ' ') {
    return false;
  }
  rest.remove_prefix(stem.size() + 1);
  if (!IsStamp(rest.substr(0, kStampLength))) return false;
  backup.stamp = rest.substr(0, kStampLength);
  rest.remove_prefix(kStampLength);
  backup.attempt = 1;
  if (!rest.empty()) {
    if (rest.size() < 4 || rest.substr(0, 2) != " (" || rest.back() != ')') return false;
    const std::string_view number = rest.substr(2, rest.size() - 3);
    if (!IsDigits(number) || number.size() > 6) return false;
    backup.attempt = std::stoi(std::string(number));
  }
  backup.name = name;
  return true;
}

}  // namespace

std::string BackupFolder(std::string_view document_path) {
  const std::size_t name_start = NameStart(document_path);
  const std::string_view folder =
      name_start == 0 ? std::string_view() : document_path.substr(0, name_start - 1);
  if (SameLetters(folder.substr(NameStart(folder)), kBackupFolder)) return std::string(folder);
  if (name_start == 0) return std::string(kBackupFolder);  // a document named without its folder
  // At the root the folder part is empty, and the backup folder is "\backup".
  return std::string(folder) + document_path[name_start - 1] + std::string(kBackupFolder);
}

std::string BackupFileName(std::string_view document_path, const LocalDateTime& when, int attempt) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, " %04d-%02d-%02d %02d-%02d-%02d", when.year, when.month,
                when.day, when.hour, when.minute, when.second);
  std::string name = std::string(Stem(document_path)) + stamp;
  if (attempt > 1) name += " (" + std::to_string(attempt) + ")";
  return name + std::string(kExtension);
}

std::optional<LocalDateTime> BackupTime(const std::string& file_name,
                                        std::string_view document_path) {
  Backup backup;
  if (!ReadBackup(file_name, Stem(document_path), backup)) return std::nullopt;
  const auto number = [&](std::size_t at, std::size_t length) {
    return std::stoi(std::string(backup.stamp.substr(at, length)));
  };
  return LocalDateTime{number(0, 4),  number(5, 2),  number(8, 2),
                       number(11, 2), number(14, 2), number(17, 2)};
}

std::vector<std::string> BackupsBeyond(const std::vector<std::string>& file_names,
                                       std::string_view document_path, int keep) {
  const std::string_view stem = Stem(document_path);
  std::vector<Backup> backups;
  for (const std::string& name : file_names) {
    Backup backup;
    if (ReadBackup(name, stem, backup)) backups.push_back(std::move(backup));
  }
  // The stamp reads in time order as text; the attempt orders one second's saves.
  std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
    return std::tie(a.stamp, a.attempt) < std::tie(b.stamp, b.attempt);
  });
  const std::size_t kept = static_cast<std::size_t>(std::max(keep, 0));
  std::vector<std::string> beyond;
  for (std::size_t k = 0; k + kept < backups.size(); ++k) beyond.push_back(backups[k].name);
  return beyond;
}

}  // namespace lumvik
