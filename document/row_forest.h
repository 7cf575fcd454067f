// One version of a document seen as a tree, for comparing versions: each
// row's parent and children, how much deeper than its parent it stands, and
// a fingerprint of the row with everything under it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/document.h"

namespace lumvik {

class RowForest {
 public:
  explicit RowForest(const Document& document);

  const Document& document() const { return document_; }
  // The node above the top-level rows; it stands at level -1.
  int root() const { return static_cast<int>(document_.rows.size()); }
  // The rows whose parent is `node` (a row or the root), in row order.
  std::span<const int> Children(int node) const;
  // How much deeper than its parent the row stands (1 unless levels jump);
  // for a top-level row, its level.
  std::int64_t DepthStep(int row) const { return depth_steps_[static_cast<std::size_t>(row)]; }
  // Equal for two rows, of this version or another, that hold the same
  // record, depth step and children, in the same order, all the way down;
  // a category with children whatever progress it holds.
  std::uint64_t Fingerprint(int row) const { return fingerprints_[static_cast<std::size_t>(row)]; }

 private:
  const Document& document_;
  std::vector<std::int64_t> depth_steps_;
  std::vector<int> child_starts_;  // node n's children: child_rows_[starts[n], starts[n + 1])
  std::vector<int> child_rows_;
  std::vector<std::uint64_t> fingerprints_;
};

// A row's fingerprint without its children: its kind and record, but for
// the progress of a category that has children.
std::uint64_t RecordFingerprint(const Document& document, int row, bool has_children);

}  // namespace lumvik
