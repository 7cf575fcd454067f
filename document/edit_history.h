// The document's edit history, for undo and redo. A step keeps only what one
// command changed: for the row list, the stretch that differs between before
// and after; for each record list, that stretch or, when no record came or
// went, the records that differ within it. The history finds that stretch itself by
// comparing the document with the state it last recorded, so every command,
// present or future, is undoable by recording once after it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "document/document.h"

namespace lumvik {

// Elements [start, start + before.size()) of a list gave way to `after`.
template <typename T>
struct Splice {
  std::size_t start = 0;
  std::vector<T> before;
  std::vector<T> after;
  bool empty() const { return before.empty() && after.empty(); }
};

// Pieces of a list that gave way to others, in order and apart: either one
// piece of any sizes, or pieces that each keep their size, so that an element
// has the same place on both sides outside them.
template <typename T>
struct Patch {
  std::vector<Splice<T>> pieces;
  bool empty() const { return pieces.empty(); }
};

// What one step changed, as it stands in the direction last applied:
// `before` is what the document held, `after` what it holds now.
struct DocumentChange {
  Splice<TreeEntry> rows;
  Patch<CategoryRecord> categories;
  Patch<TaskRecord> tasks;
  // The row to select once the change is shown, when the command chose it
  // (a moved row); -1 leaves the choice to the change itself.
  int selected = -1;
  bool empty() const { return rows.empty() && categories.empty() && tasks.empty(); }
};

// The selected row before and after a command, -1 for none.
struct StepSelection {
  int before = -1;
  int after = -1;
  // `side` when the command moved the selection, so that it says which row
  // the command was about; else -1.
  int Chosen(int side) const { return before != after ? side : -1; }
};

struct HistoryLimits {
  std::size_t steps = 1000;
  std::size_t bytes = 64u << 20;
};

class EditHistory {
 public:
  explicit EditHistory(HistoryLimits limits = {}) : limits_(limits) {}

  // Starts afresh from `document` (a new or opened document); its state is
  // the saved one when its saved flag says so.
  void Reset(const Document& document);

  // Takes what changed since the last record as one step; false when nothing
  // changed. A step of the same non-zero `run` as the step before joins it
  // (the typing in one box), unless the document was saved, a step undone or
  // redone, or the run ended in between. `selection` is what the user had
  // selected around the command, shown again by its undo and its redo.
  bool Record(const Document& now, std::uint64_t run = 0, StepSelection selection = {});

  // The next step starts afresh whatever its run: a slider let go, a list
  // closed.
  void EndRun() { joinable_ = 0; }

  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }

  // Turns `document`, which holds the recorded state, one step back or
  // forward; gives what changed, or nothing when there is no step.
  std::optional<DocumentChange> Undo(Document& document);
  std::optional<DocumentChange> Redo(Document& document);

  // The document as recorded now is what its file holds.
  void MarkSaved();
  // No state recorded is what the file holds: it was changed elsewhere.
  void ForgetSaved();
  // Whether the recorded state is the one last saved.
  bool AtSaved() const { return saved_ == Current(); }

  std::size_t steps() const { return done_.size() + undone_.size(); }
  std::size_t bytes() const { return bytes_; }

 private:
  struct Step {
    DocumentChange change;  // as done: `before` is the state before the command
    std::uint64_t id = 0;
    std::uint64_t run = 0;
    std::size_t bytes = 0;
    StepSelection selection;
  };
  std::uint64_t Current() const { return done_.empty() ? base_ : done_.back().id; }
  void Push(Step step);
  void DropOldest();

  HistoryLimits limits_;
  Document recorded_;  // rows and records as of the last record
  std::deque<Step> done_;
  std::vector<Step> undone_;
  std::uint64_t next_id_ = 1;
  std::uint64_t joinable_ = 0;  // the step that a step of its run may join
  std::uint64_t base_ = 0;   // the state below the oldest step
  std::uint64_t saved_ = 0;  // kUnreachable once no undo or redo leads back to it
  std::size_t bytes_ = 0;
};

// The elements that differ between two lists: the stretch between their
// longest common beginning and their longest common end.
template <typename T>
Splice<T> Difference(const std::vector<T>& before, const std::vector<T>& after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  Splice<T> splice;
  splice.start = head;
  splice.before.assign(before.begin() + static_cast<std::ptrdiff_t>(head),
                       before.end() - static_cast<std::ptrdiff_t>(tail));
  splice.after.assign(after.begin() + static_cast<std::ptrdiff_t>(head),
                      after.end() - static_cast<std::ptrdiff_t>(tail));
  return splice;
}

// The elements that differ between two lists: their Difference, split into
// the runs of elements that differ when the lists have the same length (a
// task's progress carried up to categories far apart, say).
template <typename T>
Patch<T> PiecesOfDifference(const std::vector<T>& before, const std::vector<T>& after) {
  Patch<T> patch;
  Splice<T> whole = Difference(before, after);
  if (whole.empty()) return patch;
  if (whole.before.size() != whole.after.size()) {
    patch.pieces.push_back(std::move(whole));
    return patch;
  }
  for (std::size_t k = 0; k < whole.before.size();) {
    if (whole.before[k] == whole.after[k]) {
      ++k;
      continue;
    }
    std::size_t end = k + 1;
    while (end < whole.before.size() && !(whole.before[end] == whole.after[end])) ++end;
    const auto from = static_cast<std::ptrdiff_t>(k);
    const auto to = static_cast<std::ptrdiff_t>(end);
    patch.pieces.push_back({whole.start + k,
                            {whole.before.begin() + from, whole.before.begin() + to},
                            {whole.after.begin() + from, whole.after.begin() + to}});
    k = end;
  }
  return patch;
}

}  // namespace lumvik
