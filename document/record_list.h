// A list of a document's records that keeps, from one TakeChanges to the
// next, what its changed elements held before, so that the edit history
// learns what a command changed without holding a copy of every record.
// Reading gives const elements; every write goes through a member that
// notes it, so a change cannot go unnoted: an element taken to be written
// (Edit) counts as rewritten, an insertion, a removal or an assignment as a
// change of its stretch.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "document/list_changes.h"

namespace lumvik {

template <typename T>
class RecordList {
 public:
  using value_type = T;
  using const_iterator = typename std::vector<T>::const_iterator;

  RecordList() = default;
  RecordList(std::initializer_list<T> items) : items_(items) {}
  RecordList(std::vector<T> items) : items_(std::move(items)) {}  // NOLINT: a list converts
  // A copy holds the same records and no changes.
  RecordList(const RecordList& other) : items_(other.items_) {}
  RecordList(RecordList&& other) noexcept : items_(std::move(other.items_)) {
    other.items_.clear();
    other.ForgetChanges();
  }
  // Taking other records is a change of them all.
  RecordList& operator=(const RecordList& other) {
    if (this != &other) Replace(other.items_);
    return *this;
  }
  RecordList& operator=(RecordList&& other) {
    if (this != &other) {
      Replace(std::move(other.items_));
      other.items_.clear();
      other.ForgetChanges();
    }
    return *this;
  }
  RecordList& operator=(std::vector<T> items) {
    Replace(std::move(items));
    return *this;
  }
  RecordList& operator=(std::initializer_list<T> items) {
    Replace(std::vector<T>(items));
    return *this;
  }

  std::size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  const std::vector<T>& items() const { return items_; }
  operator const std::vector<T>&() const { return items_; }  // NOLINT: read as a vector
  const T& operator[](std::size_t i) const { return items_[i]; }
  const T& front() const { return items_.front(); }
  const T& back() const { return items_.back(); }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

  // Element `i`, to be written.
  T& Edit(std::size_t i) {
    Rewriting(i);
    return items_[i];
  }

  void reserve(std::size_t count) { items_.reserve(count); }
  void push_back(T item) { insert(items_.end(), std::move(item)); }
  template <typename... Arguments>
  void emplace_back(Arguments&&... arguments) {
    push_back(T(std::forward<Arguments>(arguments)...));
  }
  const_iterator insert(const_iterator at, T item) {
    const auto index = static_cast<std::size_t>(at - items_.cbegin());
    Changing(index, index, 1);
    return items_.insert(items_.cbegin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  }
  template <typename Iterator>
  const_iterator insert(const_iterator at, Iterator first, Iterator last) {
    const auto index = static_cast<std::size_t>(at - items_.cbegin());
    Changing(index, index, static_cast<std::size_t>(std::distance(first, last)));
    return items_.insert(items_.cbegin() + static_cast<std::ptrdiff_t>(index), first, last);
  }
  void pop_back() { erase(items_.end() - 1); }
  const_iterator erase(const_iterator at) { return erase(at, at + 1); }
  const_iterator erase(const_iterator first, const_iterator last) {
    const auto from = static_cast<std::size_t>(first - items_.cbegin());
    const auto to = static_cast<std::size_t>(last - items_.cbegin());
    Changing(from, to, 0);
    return items_.erase(first, last);
  }
  void clear() { Replace({}); }
  // Removes the elements marked in `marked` (one mark per element), keeping
  // the order of the others.
  void EraseMarked(const std::vector<bool>& marked) {
    const auto first = std::find(marked.begin(), marked.end(), true);
    if (first == marked.end()) return;
    const auto from = static_cast<std::size_t>(first - marked.begin());
    const auto to = static_cast<std::size_t>(
        std::find(marked.rbegin(), marked.rend(), true).base() - marked.begin());
    const auto kept = static_cast<std::size_t>(
        std::count(marked.begin() + static_cast<std::ptrdiff_t>(from),
                   marked.begin() + static_cast<std::ptrdiff_t>(to), false));
    Changing(from, to, kept);
    std::size_t next = from;
    for (std::size_t i = from; i < to; ++i) {
      if (!marked[i]) items_[next++] = std::move(items_[i]);
    }
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(next),
                 items_.begin() + static_cast<std::ptrdiff_t>(to));
  }

  bool operator==(const RecordList& other) const { return items_ == other.items_; }
  friend bool operator==(const RecordList& list, const std::vector<T>& items) {
    return list.items_ == items;
  }

  // What changed since the last take, as PiecesOfDifference gives it
  // between the list then and now; forgets it.
  Patch<T> TakeChanges() {
    Patch<T> patch = stretched_ ? InPieces(StretchTaken()) : RewrittenTaken();
    ForgetChanges();
    return patch;
  }
  // The list as it stands is the one the next take compares with.
  void ForgetChanges() {
    stretched_ = false;
    from_ = to_ = 0;
    std::vector<T>().swap(before_);
    rewritten_.clear();
  }

 private:
  // How the stretch differs from what it held, its equal ends trimmed. Equal
  // elements just outside it are left alone, so that the work stays that of
  // the change however alike the records around it are.
  Splice<T> StretchTaken() const {
    const std::vector<T> now(items_.begin() + static_cast<std::ptrdiff_t>(from_),
                             items_.begin() + static_cast<std::ptrdiff_t>(to_));
    Splice<T> splice = Difference(before_, now);
    splice.start += from_;
    return splice;
  }
  // The elements written in place that hold something else now, in runs.
  Patch<T> RewrittenTaken() {
    Patch<T> patch;
    for (auto& [index, earlier] : rewritten_) {
      if (earlier == items_[index]) continue;
      if (patch.pieces.empty() ||
          patch.pieces.back().start + patch.pieces.back().before.size() != index) {
        patch.pieces.push_back({index, {}, {}});
      }
      patch.pieces.back().before.push_back(std::move(earlier));
      patch.pieces.back().after.push_back(items_[index]);
    }
    return patch;
  }
  // Element `i` may be written in place.
  void Rewriting(std::size_t i) {
    if (stretched_) {
      Cover(i, i + 1);
    } else {
      rewritten_.try_emplace(i, items_[i]);
    }
  }
  // Elements [from, to) give way to `count` others.
  void Changing(std::size_t from, std::size_t to, std::size_t count) {
    Cover(from, to);
    to_ = to_ - (to - from) + count;
  }
  void Replace(std::vector<T> items) {
    Changing(0, items_.size(), items.size());
    items_ = std::move(items);
  }
  // Widens the stretch that holds every change to take in [from, to), with
  // what the elements newly in it held before: what they hold now, as
  // nothing outside the stretch has changed.
  void Cover(std::size_t from, std::size_t to) {
    if (!stretched_) {
      stretched_ = true;
      from_ = rewritten_.empty() ? from : std::min(from, rewritten_.begin()->first);
      to_ = rewritten_.empty() ? to : std::max(to, rewritten_.rbegin()->first + 1);
      before_.assign(items_.begin() + static_cast<std::ptrdiff_t>(from_),
                     items_.begin() + static_cast<std::ptrdiff_t>(to_));
      for (auto& [index, earlier] : rewritten_) before_[index - from_] = std::move(earlier);
      rewritten_.clear();
      return;
    }
    if (from < from_) {
      before_.insert(before_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(from),
                     items_.begin() + static_cast<std::ptrdiff_t>(from_));
      from_ = from;
    }
    if (to > to_) {
      before_.insert(before_.end(), items_.begin() + static_cast<std::ptrdiff_t>(to_),
                     items_.begin() + static_cast<std::ptrdiff_t>(to));
      to_ = to;
    }
  }

  std::vector<T> items_;
  // Once a record came or went: the elements [from_, to_) now stand where
  // `before_` stood, and every element outside them is as it was.
  bool stretched_ = false;
  std::size_t from_ = 0;
  std::size_t to_ = 0;
  std::vector<T> before_;
  // Until then: what each element written in place held before, by index.
  std::map<std::size_t, T> rewritten_;
};

}  // namespace lumvik
