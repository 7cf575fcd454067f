// The document's edit history, for undo and redo. A step keeps only what one
// command changed: for the row list, the stretch that differs between before
// and after; for each record list, the pieces that differ, each stretch the
// command changed apart from the others. The history finds the rows' stretch
// by comparing them with the rows it last recorded (a row is a few bytes),
// and learns the records' from the record lists themselves, which note every
// write; so every command, present or future, is undoable by recording once
// after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "document/document.h"
#include "document/list_changes.h"

namespace lumvik {

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
  void Reset(Document& document);

  // Takes what changed since the last record as one step; false when nothing
  // changed. A step of the same non-zero `run` as the step before joins it
  // (the typing in one box), unless the document was saved, a step undone or
  // redone, or the run ended in between. `selection` is what the user had
  // selected around the command, shown again by its undo and its redo.
  bool Record(Document& now, std::uint64_t run = 0, StepSelection selection = {});

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
  std::vector<TreeEntry> recorded_rows_;  // the rows as of the last record
  std::deque<Step> done_;
  std::vector<Step> undone_;
  std::uint64_t next_id_ = 1;
  std::uint64_t joinable_ = 0;  // the step that a step of its run may join
  std::uint64_t base_ = 0;      // the state below the oldest step
  std::uint64_t saved_ = 0;     // kUnreachable once no undo or redo leads back to it
  std::size_t bytes_ = 0;
};

}  // namespace lumvik
