// File primitives of the portable core. Paths are bytes in the ANSI code
// page, exactly as the user and the settings give them.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvik {

// The whole file in binary mode, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// True when anything (a file or a folder) exists under the path.
bool PathExists(const std::string& path);

bool IsDirectory(const std::string& path);

// When the file was last written, as a moment of the system clock; nothing
// when it cannot be told.
std::optional<std::time_t> LastWriteTime(const std::string& path);

// A file's size and the moment it was last written, as finely as the
// system tells (a sync service may write twice within a second).
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t written = 0;  // in the system's own unit
  bool operator==(const FileStamp&) const = default;
};

// The stamp of a file (not a folder); nothing when it cannot be read.
std::optional<FileStamp> FileStampOf(const std::string& path);

// What tells one version of some bytes from another (64-bit FNV-1a).
std::uint64_t BytesFingerprint(std::string_view bytes);

// One version of a file as it was read or written: its stamp, taken no
// later than its bytes were read, and the fingerprint of those bytes. A
// later stamp on the same bytes is the same version.
struct FileVersion {
  std::optional<FileStamp> stamp;
  std::uint64_t fingerprint = 0;
};

// One write of a file, holding the file's write lock from before its writer
// reads the file until the new bytes are in place, so that two writers of
// the same file never interleave: the second one reads what the first wrote.
// The lock is the temporary file beside the target (SavingFileOf), kept open
// from start to end; a program stopped in the middle leaves at most that
// file, which the next write of the same target takes over.
class FileWrite {
 public:
  // Takes the lock, waiting up to `patience` while another write of the
  // same target holds it; held() says whether it was taken.
  FileWrite(std::string path, std::chrono::milliseconds patience);
  // Unless a Commit went through, the target stays as it was and the
  // temporary file goes.
  ~FileWrite();
  FileWrite(const FileWrite&) = delete;
  FileWrite& operator=(const FileWrite&) = delete;

  // Whether the lock is held: from its taking until a Commit went through.
  bool held() const;
  const std::string& path() const { return path_; }
  // Writes the bytes to the temporary file, flushes it and then puts it in
  // place in one step. A folder or a read-only file under the target's name
  // is not replaced. `still_wanted`, when given, is asked once the bytes are
  // flushed, just before they are put in place; false gives the write up.
  // On any failure the previous file stays as it was and the result is
  // false. Once per write.
  bool Commit(std::string_view bytes, const std::function<bool()>& still_wanted = {});
  // The stamp of the file a Commit put in place, read from the file this
  // write made, whatever another writer did after it.
  const std::optional<FileStamp>& written_stamp() const { return written_stamp_; }

 private:
  std::string path_;
  std::intptr_t handle_;  // the temporary file, open and locked
  bool committed_ = false;
  std::optional<FileStamp> written_stamp_;
};

// One FileWrite that does not wait: while another write of the same target
// is under way, this one fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The temporary file beside the target that a write fills first: the target's
// name followed by ".saving", so that it never counts as a document.
std::string SavingFileOf(const std::string& path);

bool RemoveFile(const std::string& path);

// Makes the folder unless it exists; true when it is there afterwards. Its
// parent must exist.
bool MakeFolder(const std::string& path);

// The names of the files (not the folders) in a folder; empty when it cannot be read.
std::vector<std::string> FileNamesIn(const std::string& folder);

// `name` in `folder`, joined by the separator the folder already uses ("\"
// when it has none).
std::string JoinPath(const std::string& folder, const std::string& name);

// The system's form of a path given in UTF-8: the same bytes on POSIX, the
// ANSI code page under Windows; nothing when it has no such form.
std::optional<std::string> PathFromUtf8(const std::string& path);

// The running executable's full path as the system reports it.
std::string ExecutablePath();

// The folder of the running executable, with its last separator.
std::string ExecutableFolder();

// The folder part of a path including its last separator ("C:\a\" of
// "C:\a\b.lvk"); empty when the path names no folder.
std::string FolderOf(const std::string& path);

}  // namespace lumvik
