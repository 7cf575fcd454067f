#include "document/edit_history.h"

#include <algorithm>
#include <limits>
#include <map>
#include <utility>

namespace lumvik {

namespace {

constexpr std::uint64_t kUnreachable = std::numeric_limits<std::uint64_t>::max();

std::size_t ElementBytes(const TreeEntry&) { return sizeof(TreeEntry); }
std::size_t ElementBytes(const CategoryRecord& category) {
  return sizeof(CategoryRecord) + category.nom.capacity() + category.designation.capacity();
}
std::size_t ElementBytes(const TaskRecord& task) {
  return sizeof(TaskRecord) + task.nom.capacity() + task.designation.capacity() +
         task.datedebut.capacity() + task.dateecheance.capacity();
}

template <typename T>
std::size_t SpliceBytes(const Splice<T>& splice) {
  std::size_t bytes = sizeof(Splice<T>);
  for (const T& element : splice.before) bytes += ElementBytes(element);
  for (const T& element : splice.after) bytes += ElementBytes(element);
  return bytes;
}

template <typename T>
std::size_t PatchBytes(const Patch<T>& patch) {
  std::size_t bytes = 0;
  for (const Splice<T>& piece : patch.pieces) bytes += SpliceBytes(piece);
  return bytes;
}

std::size_t ChangeBytes(const DocumentChange& change) {
  return sizeof(DocumentChange) + SpliceBytes(change.rows) + PatchBytes(change.categories) +
         PatchBytes(change.tasks);
}

// An element to write over: a record list notes it.
template <typename T>
T& Written(std::vector<T>& list, std::size_t i) {
  return list[i];
}
template <typename T>
T& Written(RecordList<T>& list, std::size_t i) {
  return list.Edit(i);
}

// Puts the `after` side of `splice` where its `before` side stands in `list`.
template <typename List, typename T>
void Replace(List& list, const Splice<T>& splice) {
  const auto first = list.begin() + static_cast<std::ptrdiff_t>(splice.start);
  const std::size_t common = std::min(splice.before.size(), splice.after.size());
  for (std::size_t k = 0; k < common; ++k) Written(list, splice.start + k) = splice.after[k];
  if (splice.before.size() > common) {
    list.erase(first + static_cast<std::ptrdiff_t>(common),
               first + static_cast<std::ptrdiff_t>(splice.before.size()));
  } else {
    list.insert(first + static_cast<std::ptrdiff_t>(common),
                splice.after.begin() + static_cast<std::ptrdiff_t>(common), splice.after.end());
  }
}

template <typename T>
void Replace(RecordList<T>& list, const Patch<T>& patch) {
  for (auto piece = patch.pieces.rbegin(); piece != patch.pieces.rend(); ++piece) {
    Replace(list, *piece);
  }
}

// Turns the document from the `before` side of the change to its `after`
// side, which its record lists then take as their unchanged state.
void Apply(Document& document, const DocumentChange& change) {
  Replace(document.rows, change.rows);
  Replace(document.categories, change.categories);
  Replace(document.tasks, change.tasks);
  document.categories.ForgetChanges();
  document.tasks.ForgetChanges();
}

template <typename T>
void Swap(Splice<T>& splice) {
  std::swap(splice.before, splice.after);
}

// The pieces turned round start where they stand in the list after them.
template <typename T>
void Swap(Patch<T>& patch) {
  std::ptrdiff_t gained = 0;
  for (Splice<T>& piece : patch.pieces) {
    Swap(piece);
    piece.start = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(piece.start) + gained);
    gained += static_cast<std::ptrdiff_t>(piece.before.size()) -
              static_cast<std::ptrdiff_t>(piece.after.size());
  }
}

DocumentChange Reversed(DocumentChange change) {
  Swap(change.rows);
  Swap(change.categories);
  Swap(change.tasks);
  return change;
}

// Whether `later`, taken right after `earlier`, changes only what `earlier` wrote.
template <typename T>
bool Inside(const Splice<T>& earlier, const Splice<T>& later) {
  if (later.empty()) return true;
  return !earlier.empty() && later.start >= earlier.start &&
         later.start + later.before.size() <= earlier.start + earlier.after.size();
}

template <typename T>
bool KeepsSizes(const Patch<T>& patch) {
  return std::all_of(patch.pieces.begin(), patch.pieces.end(), [](const Splice<T>& piece) {
    return piece.before.size() == piece.after.size();
  });
}

// Whether `later` can join `earlier`: records rewritten in place join
// whichever records they touch (a slider drag carried up to categories far
// apart); a list that gained or lost records joins only inside its one piece.
template <typename T>
bool Inside(const Patch<T>& earlier, const Patch<T>& later) {
  if (later.empty() || (KeepsSizes(earlier) && KeepsSizes(later))) return true;
  return earlier.pieces.size() == 1 && later.pieces.size() == 1 &&
         Inside(earlier.pieces[0], later.pieces[0]);
}

// `later` over `earlier`, both rewriting records in place: each record keeps
// its value before `earlier` and takes its value after `later`.
template <typename T>
void JoinInPlace(Patch<T>& earlier, Patch<T>& later) {
  std::map<std::size_t, std::pair<T, T>> records;
  for (Splice<T>& piece : earlier.pieces) {
    for (std::size_t k = 0; k < piece.before.size(); ++k) {
      records.emplace(piece.start + k,
                      std::pair<T, T>{std::move(piece.before[k]), std::move(piece.after[k])});
    }
  }
  for (Splice<T>& piece : later.pieces) {
    for (std::size_t k = 0; k < piece.before.size(); ++k) {
      const auto [place, added] =
          records.try_emplace(piece.start + k, std::move(piece.before[k]), piece.after[k]);
      if (!added) place->second.second = std::move(piece.after[k]);
    }
  }
  earlier.pieces.clear();
  for (auto& [index, values] : records) {
    if (earlier.pieces.empty() ||
        earlier.pieces.back().start + earlier.pieces.back().before.size() != index) {
      earlier.pieces.push_back({index, {}, {}});
    }
    earlier.pieces.back().before.push_back(std::move(values.first));
    earlier.pieces.back().after.push_back(std::move(values.second));
  }
}

// `earlier` followed by `later`, as one splice.
template <typename T>
void Join(Splice<T>& earlier, Splice<T>& later) {
  if (later.empty()) return;
  const auto offset = static_cast<std::ptrdiff_t>(later.start - earlier.start);
  const auto first = earlier.after.begin() + offset;
  earlier.after.erase(first, first + static_cast<std::ptrdiff_t>(later.before.size()));
  earlier.after.insert(earlier.after.begin() + offset, std::make_move_iterator(later.after.begin()),
                       std::make_move_iterator(later.after.end()));
}

template <typename T>
void Join(Patch<T>& earlier, Patch<T>& later) {
  if (later.empty()) return;
  if (KeepsSizes(earlier) && KeepsSizes(later)) return JoinInPlace(earlier, later);
  Join(earlier.pieces[0], later.pieces[0]);
}

}  // namespace

void EditHistory::Reset(Document& document) {
  recorded_rows_ = document.rows;
  document.categories.ForgetChanges();
  document.tasks.ForgetChanges();
  done_.clear();
  undone_.clear();
  bytes_ = 0;
  base_ = next_id_++;
  saved_ = document.saved == 1 ? base_ : kUnreachable;
}

bool EditHistory::Record(Document& now, std::uint64_t run, StepSelection selection) {
  DocumentChange change{Difference(recorded_rows_, now.rows), now.categories.TakeChanges(),
                        now.tasks.TakeChanges()};
  if (change.empty()) return false;
  Replace(recorded_rows_, change.rows);
  for (const Step& step : undone_) {
    if (step.id == saved_) saved_ = kUnreachable;
    bytes_ -= step.bytes;
  }
  undone_.clear();

  if (!done_.empty()) {
    Step& top = done_.back();
    if (run != 0 && top.run == run && joinable_ == top.id && saved_ != top.id &&
        Inside(top.change.rows, change.rows) && Inside(top.change.categories, change.categories) &&
        Inside(top.change.tasks, change.tasks)) {
      Join(top.change.rows, change.rows);
      Join(top.change.categories, change.categories);
      Join(top.change.tasks, change.tasks);
      bytes_ -= top.bytes;
      top.bytes = ChangeBytes(top.change);
      bytes_ += top.bytes;
      top.selection.after = selection.after;
      return true;
    }
  }
  joinable_ = next_id_;
  Push(Step{std::move(change), next_id_++, run, 0, selection});
  return true;
}

void EditHistory::Push(Step step) {
  step.bytes = ChangeBytes(step.change);
  bytes_ += step.bytes;
  done_.push_back(std::move(step));
  while (done_.size() > 1 && (done_.size() > limits_.steps || bytes_ > limits_.bytes)) {
    DropOldest();
  }
}

void EditHistory::DropOldest() {
  const Step& oldest = done_.front();
  if (saved_ == base_) saved_ = kUnreachable;
  base_ = oldest.id;
  bytes_ -= oldest.bytes;
  done_.pop_front();
}

std::optional<DocumentChange> EditHistory::Undo(Document& document) {
  if (done_.empty()) return std::nullopt;
  Step step = std::move(done_.back());
  done_.pop_back();
  DocumentChange undoing = Reversed(std::move(step.change));
  Apply(document, undoing);
  Replace(recorded_rows_, undoing.rows);
  step.change = Reversed(undoing);
  joinable_ = 0;  // typing after an undo starts a step of its own
  undoing.selected = step.selection.Chosen(step.selection.before);
  undone_.push_back(std::move(step));
  return undoing;
}

std::optional<DocumentChange> EditHistory::Redo(Document& document) {
  if (undone_.empty()) return std::nullopt;
  Step step = std::move(undone_.back());
  undone_.pop_back();
  Apply(document, step.change);
  Replace(recorded_rows_, step.change.rows);
  DocumentChange redone = step.change;
  redone.selected = step.selection.Chosen(step.selection.after);
  joinable_ = 0;
  done_.push_back(std::move(step));
  return redone;
}

void EditHistory::MarkSaved() { saved_ = Current(); }

void EditHistory::ForgetSaved() { saved_ = kUnreachable; }

}  // namespace lumvik
