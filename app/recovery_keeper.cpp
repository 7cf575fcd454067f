#include "app/recovery_keeper.h"

#include <vector>

#include "platform/file_io.h"
#include "platform/text.h"

namespace lumvik {

namespace {

constexpr std::string_view kLockExtension = ".lock";
constexpr std::string_view kOpenMarkExtension = ".open";
// How far "name (2)", "name (3)"... go in search of a free name.
constexpr int kMostNames = 100;

std::optional<RecoveredDocument> ReadRecovery(const std::string& file) {
  const std::optional<std::string> bytes = ReadWholeFile(file);
  return bytes ? ReadRecoveryText(*bytes) : std::nullopt;
}

// `file` with its extension `from` (which it has) replaced by `to`.
std::string Retyped(const std::string& file, std::string_view from, std::string_view to) {
  return file.substr(0, file.size() - from.size()) + std::string(to);
}

// The lock that goes with a copy: the same name, another extension.
std::string LockOf(const std::string& copy) {
  return Retyped(copy, kRecoveryExtension, kLockExtension);
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(const std::string& folder, const std::string& name)
    : folder_(folder) {
  if (!folder.empty()) TakeName(name);  // without a folder, nothing is kept
  worker_ = std::thread([this] { Work(); });
}

void RecoveryKeeper::TakeName(const std::string& name) {
  const std::string& folder = folder_;
  std::string parent = FolderOf(folder);
  if (parent.size() > 1) parent.pop_back();
  MakeFolder(parent);
  MakeFolder(folder);
  // Marks and locks of programs that ended before they had a copy to keep.
  for (const std::string& left : FileNamesIn(folder)) {
    const std::string file = JoinPath(folder, left);
    if (left.ends_with(kOpenMarkExtension) &&
        !IsLockHeld(Retyped(file, kOpenMarkExtension, kLockExtension))) {
      RemoveFile(file);
    }
  }
  for (const std::string& left : FileNamesIn(folder)) {
    const std::string lock = JoinPath(folder, left);
    if (left.ends_with(kLockExtension) && !IsLockHeld(lock) &&
        !PathExists(Retyped(lock, kLockExtension, kRecoveryExtension))) {
      RemoveFile(lock);
    }
  }
  for (int attempt = 1;; ++attempt) {
    const std::string stem =
        JoinPath(folder, attempt == 1 ? name : name + " (" + std::to_string(attempt) + ")");
    own_file_ = stem + std::string(kRecoveryExtension);
    if (PathExists(own_file_) || PathExists(stem + std::string(kLockExtension))) continue;
    lock_.emplace(stem + std::string(kLockExtension));
    own_mark_ = stem + std::string(kOpenMarkExtension);
    // Another program may have taken the name meanwhile; a folder that
    // cannot be written keeps nothing anyway.
    if (lock_->held() || attempt >= kMostNames) break;
    lock_.reset();
  }
}

RecoveryKeeper::~RecoveryKeeper() {
  Flush();
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    stopping_ = true;
  }
  asked_.notify_one();
  worker_.join();
  // A program that ends cleanly leaves no lock behind.
  if (!lock_) return;
  RemoveFile(own_mark_);
  lock_.reset();
  RemoveFile(LockOf(own_file_));
}

std::optional<LeftCopy> RecoveryKeeper::CopyToOffer() const {
  if (folder_.empty()) return std::nullopt;
  std::vector<LeftCopy> copies;
  std::vector<RecoveryCandidate> candidates;
  for (const std::string& name : FileNamesIn(folder_)) {
    if (!name.ends_with(kRecoveryExtension)) continue;
    const std::string file = JoinPath(folder_, name);
    // The copy of a running program is its own: not even read.
    if (IsLockHeld(LockOf(file))) continue;
    std::optional<RecoveredDocument> recovered = ReadRecovery(file);
    if (!recovered) continue;
    candidates.push_back({name, recovered->time, false});
    copies.push_back({file, std::move(*recovered), nullptr});
  }
  // The newest first. Another start may have taken a copy meanwhile, or
  // taken it and let it go: only a copy still there once held is offered.
  while (const std::optional<std::size_t> newest = lumvik::CopyToOffer(candidates)) {
    LeftCopy& copy = copies[*newest];
    candidates[*newest].held = true;
    copy.lock = std::make_unique<ProcessLock>(LockOf(copy.file));
    if (!copy.lock->held()) continue;
    std::optional<RecoveredDocument> again = ReadRecovery(copy.file);
    if (!again) continue;
    copy.recovered = std::move(*again);
    return std::move(copy);
  }
  return std::nullopt;
}

void RecoveryKeeper::Discard(LeftCopy& copy) const {
  RemoveFile(copy.file);
  copy.lock.reset();
  RemoveFile(LockOf(copy.file));
}

void RecoveryKeeper::MarkOpen(const std::string& path) {
  if (!lock_ || !lock_->held()) return;
  if (path.empty()) {
    RemoveFile(own_mark_);
  } else {
    WriteFileAtomically(own_mark_, path);
  }
}

bool RecoveryKeeper::OpenElsewhere(const std::string& path) const {
  if (folder_.empty()) return false;
  for (const std::string& name : FileNamesIn(folder_)) {
    const std::string mark = JoinPath(folder_, name);
    if (!name.ends_with(kOpenMarkExtension) || mark == own_mark_) continue;
    const std::optional<std::string> marked = ReadWholeFile(mark);
    // File names are compared as Windows compares them, whatever the case.
    if (marked && EqualsIgnoringCase(*marked, path) &&
        IsLockHeld(Retyped(mark, kOpenMarkExtension, kLockExtension))) {
      return true;
    }
  }
  return false;
}

void RecoveryKeeper::Keep(std::string bytes) {
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    pending_.emplace(std::move(bytes));
  }
  asked_.notify_one();
}

void RecoveryKeeper::Remove() {
  {
    const std::lock_guard<std::mutex> guard(mutex_);
    pending_.emplace(std::nullopt);
  }
  asked_.notify_one();
}

bool RecoveryKeeper::Flush() {
  std::unique_lock<std::mutex> guard(mutex_);
  done_.wait(guard, [this] { return !pending_ && !busy_; });
  return done_well_;
}

std::optional<bool> RecoveryKeeper::Outcome() {
  const std::lock_guard<std::mutex> guard(mutex_);
  if (pending_ || busy_) return std::nullopt;
  return done_well_;
}

void RecoveryKeeper::Work() {
  std::unique_lock<std::mutex> guard(mutex_);
  for (;;) {
    asked_.wait(guard, [this] { return pending_ || stopping_; });
    if (!pending_) return;
    const std::optional<std::string> job = std::move(*pending_);
    pending_.reset();
    busy_ = true;
    guard.unlock();
    // Bytes asked for meanwhile replace these; the next round writes them.
    const bool well = own_file_.empty() ? !job
                      : job             ? WriteFileAtomically(own_file_, *job)
                                        : RemoveFile(own_file_) || !PathExists(own_file_);
    guard.lock();
    done_well_ = well;
    busy_ = false;
    done_.notify_all();
  }
}

}  // namespace lumvik
