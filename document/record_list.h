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
    const std::size_t count = std::min(marked.size(), items_.size());
    const auto is_marked = [&](std::size_t i) { return i < count && marked[i]; };
    std::size_t first = count;  // the first marked element
    if (stretches_.empty()) {
      // Each run of marked elements is a stretch of its own, its elements
      // moved out rather than copied; a run starts where the runs before
      // it leave it.
      std::size_t removed = 0;
      for (std::size_t i = 0; i < count;) {
        if (!is_marked(i)) {
          ++i;
          continue;
        }
        first = std::min(first, i);
        Stretch run{i - removed, i - removed, {}};
        for (; is_marked(i); ++i) run.before.push_back(std::move(items_[i]));
        removed += run.before.size();
        stretches_.push_back(std::move(run));
      }
    } else {
      // Among earlier changes, each run is noted from the last back, so
      // that the runs before it keep their places.
      for (std::size_t end = count; end > 0;) {
        if (!is_marked(end - 1)) {
          --end;
          continue;
        }
        first = end - 1;
        while (first > 0 && is_marked(first - 1)) --first;
        Changing(first, end, 0);
        end = first;
      }
    }
    if (first == count) return;  // nothing marked
    // The elements go in one pass.
    std::size_t next = first;
    for (std::size_t i = first; i < items_.size(); ++i) {
      if (!is_marked(i)) items_[next++] = std::move(items_[i]);
    }
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(next), items_.end());
  }

  bool operator==(const RecordList& other) const { return items_ == other.items_; }
  friend bool operator==(const RecordList& list, const std::vector<T>& items) {
    return list.items_ == items;
  }

  // What changed since the last take, in pieces; forgets it.
  Patch<T> TakeChanges() {
    Patch<T> patch;
    // Pieces start where they stood before: each stretch is moved back by
    // what the stretches ahead of it gained.
    std::ptrdiff_t gained = 0;
    for (Stretch& stretch : stretches_) {
      const std::vector<T> now(items_.begin() + static_cast<std::ptrdiff_t>(stretch.from),
                               items_.begin() + static_cast<std::ptrdiff_t>(stretch.to));
      Splice<T> piece = Difference(stretch.before, now);
      piece.start = static_cast<std::size_t>(
          static_cast<std::ptrdiff_t>(stretch.from + piece.start) - gained);
      gained += static_cast<std::ptrdiff_t>(now.size()) -
                static_cast<std::ptrdiff_t>(stretch.before.size());
      for (Splice<T>& part : InPieces(std::move(piece)).pieces) {
        patch.pieces.push_back(std::move(part));
      }
    }
    ForgetChanges();
    return patch;
  }
  // The list as it stands is the one the next take compares with.
  void ForgetChanges() { std::vector<Stretch>().swap(stretches_); }

 private:
  // Elements [from, to) of the list now stand where `before` stood; every
  // element outside the stretches is as it was.
  struct Stretch {
    std::size_t from = 0;
    std::size_t to = 0;
    std::vector<T> before;
  };

  // Element `i` may be written in place.
  void Rewriting(std::size_t i) { Cover(i, i + 1); }
  // Elements [from, to) give way to `count` others.
  void Changing(std::size_t from, std::size_t to, std::size_t count) {
    const auto stretch = Cover(from, to);
    const std::ptrdiff_t grown =
        static_cast<std::ptrdiff_t>(count) - static_cast<std::ptrdiff_t>(to - from);
    for (auto later = stretch; later != stretches_.end(); ++later) {
      if (later != stretch)
        later->from = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(later->from) + grown);
      later->to = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(later->to) + grown);
    }
  }
  void Replace(std::vector<T> items) {
    if (stretches_.empty()) {
      // The whole list is the stretch, and what it held is its own.
      stretches_.push_back(Stretch{0, items.size(), std::move(items_)});
      items_ = std::move(items);
      return;
    }
    Changing(0, items_.size(), items.size());
    items_ = std::move(items);
  }
  // The stretch that holds [from, to): the stretches it meets or touches
  // become one, with what the elements newly in it held before, which is
  // what they hold now. Stretches apart stay apart, so that changes far from
  // each other cost what they change, not the distance between them.
  typename std::vector<Stretch>::iterator Cover(std::size_t from, std::size_t to) {
    const auto first = std::find_if(stretches_.begin(), stretches_.end(),
                                    [&](const Stretch& stretch) { return stretch.to >= from; });
    auto last = first;
    while (last != stretches_.end() && last->from <= to) ++last;
    if (first == last) {
      return stretches_.insert(first, Stretch{from, to, Now(from, to)});
    }
    Stretch joined{std::min(from, first->from), std::max(to, (last - 1)->to), {}};
    std::size_t next = joined.from;
    for (auto met = first; met != last; ++met) {
      Append(joined.before, Now(next, met->from));
      Append(joined.before, std::move(met->before));
      next = met->to;
    }
    Append(joined.before, Now(next, joined.to));
    const auto kept = stretches_.erase(first + 1, last);
    *(kept - 1) = std::move(joined);
    return kept - 1;
  }
  std::vector<T> Now(std::size_t from, std::size_t to) const {
    if (from >= to) return {};
    return {items_.begin() + static_cast<std::ptrdiff_t>(from),
            items_.begin() + static_cast<std::ptrdiff_t>(to)};
  }
  static void Append(std::vector<T>& to, std::vector<T> more) {
    to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  }

  std::vector<T> items_;
  // The stretches changed since the last take, in order and apart.
  std::vector<Stretch> stretches_;
};

}  // namespace lumvik
