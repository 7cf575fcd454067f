#include "document/row_forest.h"

#include <string_view>

namespace lumvik {

namespace {

constexpr std::uint64_t kFnvPrime = 0x100000001B3;
constexpr std::uint64_t kFnvStart = 0xCBF29CE484222325;

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
  hash ^= value + 0x9E3779B97F4A7C15 + (hash << 6) + (hash >> 2);
  return hash * kFnvPrime;
}

std::uint64_t Mix(std::uint64_t hash, std::string_view text) {
  return Mix(Mix(hash, BytesFingerprint(text)), text.size());
}

}  // namespace

std::uint64_t RecordFingerprint(const Document& document, int row, bool has_children) {
  const TreeEntry& entry = document.rows[static_cast<std::size_t>(row)];
  const auto index = static_cast<std::size_t>(entry.index);
  std::uint64_t hash = Mix(kFnvStart, static_cast<std::uint64_t>(entry.kind));
  if (entry.kind == kCategoryRow) {
    const CategoryRecord& category = document.categories[index];
    hash = Mix(Mix(hash, category.nom), category.designation);
    // Progress that children give changes with them, never on its own.
    return has_children ? hash : Mix(hash, static_cast<std::uint64_t>(category.avancement));
  }
  const TaskRecord& task = document.tasks[index];
  hash = Mix(Mix(Mix(Mix(hash, task.nom), task.designation), task.datedebut), task.dateecheance);
  hash = Mix(Mix(hash, static_cast<std::uint64_t>(task.avancement)),
             static_cast<std::uint64_t>(task.statut));
  return Mix(hash, static_cast<std::uint64_t>(task.importance));
}

RowForest::RowForest(const Document& document) : document_(document) {
  const int count = root();
  const auto size = static_cast<std::size_t>(count);
  std::vector<int> parents(size);
  depth_steps_.resize(size);
  // The nearest earlier row with a smaller level is the parent: the rows
  // still open above the current one, shallowest first.
  std::vector<int> open;
  for (int row = 0; row < count; ++row) {
    const std::int32_t level = document.rows[static_cast<std::size_t>(row)].level;
    while (!open.empty() && document.rows[static_cast<std::size_t>(open.back())].level >= level) {
      open.pop_back();
    }
    const int parent = open.empty() ? count : open.back();
    parents[static_cast<std::size_t>(row)] = parent;
    // A file may start deeper than 0 or jump down several levels: the step
    // keeps what it says.
    depth_steps_[static_cast<std::size_t>(row)] =
        open.empty() ? std::int64_t{level}
                     : std::int64_t{level} - document.rows[static_cast<std::size_t>(parent)].level;
    open.push_back(row);
  }

  child_starts_.assign(size + 2, 0);
  for (int parent : parents) ++child_starts_[static_cast<std::size_t>(parent) + 1];
  for (std::size_t node = 1; node < child_starts_.size(); ++node) {
    child_starts_[node] += child_starts_[node - 1];
  }
  child_rows_.resize(size);
  std::vector<int> filled(child_starts_.begin(), child_starts_.end() - 1);
  for (int row = 0; row < count; ++row) {
    child_rows_[static_cast<std::size_t>(
        filled[static_cast<std::size_t>(parents[static_cast<std::size_t>(row)])]++)] = row;
  }

  // Children follow their parent, so from the last row back each row's
  // children have their fingerprints already.
  fingerprints_.resize(size);
  for (int row = count - 1; row >= 0; --row) {
    std::uint64_t hash =
        Mix(RecordFingerprint(document, row, !Children(row).empty()),
            static_cast<std::uint64_t>(depth_steps_[static_cast<std::size_t>(row)]));
    for (int child : Children(row))
      hash = Mix(hash, fingerprints_[static_cast<std::size_t>(child)]);
    fingerprints_[static_cast<std::size_t>(row)] = hash;
  }
}

std::span<const int> RowForest::Children(int node) const {
  const auto begin = static_cast<std::size_t>(child_starts_[static_cast<std::size_t>(node)]);
  const auto end = static_cast<std::size_t>(child_starts_[static_cast<std::size_t>(node) + 1]);
  return std::span<const int>(child_rows_).subspan(begin, end - begin);
}

}  // namespace lumvik
