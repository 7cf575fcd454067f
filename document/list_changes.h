// How one version of a list differs from another: the stretches of
// elements that gave way to others.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace lumvik {

// Elements [start, start + before.size()) of a list gave way to `after`.
template <typename T>
struct Splice {
  std::size_t start = 0;
  std::vector<T> before;
  std::vector<T> after;
  bool empty() const { return before.empty() && after.empty(); }
};

// Pieces of a list that gave way to others, in order and apart, each of any
// sizes, each starting where it stood in the list before: applied from the
// last to the first, each finds its place unmoved.
template <typename T>
struct Patch {
  std::vector<Splice<T>> pieces;
  bool empty() const { return pieces.empty(); }
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

// A difference as pieces: whole when the lists' lengths differ, else split
// into the runs of elements that differ (a task's progress carried up to
// categories far apart, say).
template <typename T>
Patch<T> InPieces(Splice<T> whole) {
  Patch<T> patch;
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

// The elements that differ between two lists, in pieces.
template <typename T>
Patch<T> PiecesOfDifference(const std::vector<T>& before, const std::vector<T>& after) {
  return InPieces(Difference(before, after));
}

}  // namespace lumvik
