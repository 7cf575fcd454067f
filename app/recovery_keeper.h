// The recovery copies of one running Lumvik: its own copy, written by a
// thread of its own so that the user never waits for it, and the copies
// that programs which ended without saving left in the same folder.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "document/recovery_copy.h"
#include "platform/process_lock.h"

namespace lumvik {

// A copy left by a program that no longer runs, read back, and held by this
// program until it is discarded, so that no other start offers it meanwhile.
struct LeftCopy {
  std::string file;  // its full path
  RecoveredDocument recovered;
  std::unique_ptr<ProcessLock> lock;
};

class RecoveryKeeper {
 public:
  // Keeps this program's copy in `folder` (made when missing, with its
  // parent), under `name` or, when a copy or lock of that name is there
  // already, under the first of "name (2)", "name (3)"... that is free.
  RecoveryKeeper(const std::string& folder, const std::string& name);
  // Finishes what was asked of it first.
  ~RecoveryKeeper();
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // The newest copy, by the time in it, that no running program holds and
  // that reads back whole; nothing when there is none. Copies that do not
  // read are left alone.
  std::optional<LeftCopy> CopyToOffer() const;
  // Deletes a copy that CopyToOffer gave, with its lock.
  void Discard(LeftCopy& copy) const;

  // This program's copy is to hold `bytes`; the thread writes the latest
  // bytes asked for, in one step.
  void Keep(std::string bytes);
  // This program's copy is to go.
  void Remove();
  // Waits until what was asked is done; false when the last write or
  // removal failed.
  bool Flush();
  // How the last job went, without waiting: nothing while one is still to
  // be done, else whether it went well.
  std::optional<bool> Outcome();

  // Where this program's copy lies.
  const std::string& own_file() const { return own_file_; }

  // Marks the document this program has open, none when `path` is empty.
  // The mark lies here rather than beside the document, where a sync
  // service would copy it to other computers.
  void MarkOpen(const std::string& path);
  // Whether another running program has marked the document open.
  bool OpenElsewhere(const std::string& path) const;

 private:
  // This program's name and lock in the folder, made when missing.
  void TakeName(const std::string& name);
  void Work();

  std::string folder_;
  std::string own_file_;
  std::string own_mark_;
  std::optional<ProcessLock> lock_;
  std::mutex mutex_;
  std::condition_variable asked_;
  std::condition_variable done_;
  // What is still to be done: bytes to write, or nothing to remove the copy.
  std::optional<std::optional<std::string>> pending_;
  bool busy_ = false;
  bool stopping_ = false;
  bool done_well_ = true;  // how the last job went
  std::thread worker_;
};

}  // namespace lumvik
