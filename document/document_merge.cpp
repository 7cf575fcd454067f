#include "document/document_merge.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>

#include "document/progress_mean.h"
#include "document/row_forest.h"
#include "document/stored_form.h"

namespace lumvik {

namespace {

constexpr int kNone = -1;

std::size_t At(int index) { return static_cast<std::size_t>(index); }

const TreeEntry& Entry(const RowForest& forest, int row) { return forest.document().rows[At(row)]; }

const std::string& NameOf(const RowForest& forest, int row) {
  const TreeEntry& entry = Entry(forest, row);
  const Document& document = forest.document();
  return entry.kind == kCategoryRow ? document.categories[At(entry.index)].nom
                                    : document.tasks[At(entry.index)].nom;
}

bool SameKey(const RowForest& a, int row_a, const RowForest& b, int row_b) {
  return Entry(a, row_a).kind == Entry(b, row_b).kind && NameOf(a, row_a) == NameOf(b, row_b);
}

// The position of `row` among `children`, which stand in row order.
int PositionOf(std::span<const int> children, int row) {
  return static_cast<int>(std::lower_bound(children.begin(), children.end(), row) -
                          children.begin());
}

// Which rows of one side are which rows of the base.
struct Matching {
  std::vector<int> side_of_base;
  std::vector<int> base_of_side;

  void Link(int base, int side) {
    side_of_base[At(base)] = side;
    base_of_side[At(side)] = base;
  }
};

struct KeyHash {
  std::size_t operator()(const std::pair<std::int16_t, std::string_view>& key) const {
    return std::hash<std::string_view>()(key.second) * 3 + static_cast<std::size_t>(key.first);
  }
};

// The n-th child of a kind and name matches the n-th.
void MatchByName(const RowForest& base, std::span<const int> base_children, const RowForest& side,
                 std::span<const int> side_children, Matching& matching) {
  if (base_children.size() * side_children.size() <= 1024) {
    for (int side_row : side_children) {
      for (int base_row : base_children) {
        if (matching.side_of_base[At(base_row)] == kNone &&
            SameKey(base, base_row, side, side_row)) {
          matching.Link(base_row, side_row);
          break;
        }
      }
    }
    return;
  }
  using Key = std::pair<std::int16_t, std::string_view>;
  std::unordered_map<Key, std::pair<std::vector<int>, std::size_t>, KeyHash> by_key;
  for (int base_row : base_children) {
    by_key[{Entry(base, base_row).kind, NameOf(base, base_row)}].first.push_back(base_row);
  }
  for (int side_row : side_children) {
    const auto found = by_key.find({Entry(side, side_row).kind, NameOf(side, side_row)});
    if (found == by_key.end()) continue;
    auto& [rows, used] = found->second;
    if (used < rows.size()) matching.Link(rows[used++], side_row);
  }
}

// Everything but the name the same: a row renamed and nothing more.
bool SameButName(const RowForest& a, int row_a, const RowForest& b, int row_b) {
  const TreeEntry& entry_a = Entry(a, row_a);
  const TreeEntry& entry_b = Entry(b, row_b);
  if (entry_a.kind != entry_b.kind) return false;
  if (entry_a.kind == kCategoryRow) {
    CategoryRecord renamed = a.document().categories[At(entry_a.index)];
    renamed.nom = b.document().categories[At(entry_b.index)].nom;
    return renamed == b.document().categories[At(entry_b.index)];
  }
  TaskRecord renamed = a.document().tasks[At(entry_a.index)];
  renamed.nom = b.document().tasks[At(entry_b.index)].nom;
  return renamed == b.document().tasks[At(entry_b.index)];
}

// A row left over on one side between the same two recognised rows as a
// row left over in the base, and holding all it held but the name, is that
// row renamed. A row deleted and another added there stay apart, so that
// changes the other side made to the deleted one are kept.
void PairRenamed(std::span<const int> base_gap, std::span<const int> side_gap,
                 const RowForest& base, const RowForest& side, Matching& matching) {
  if (base_gap.size() * side_gap.size() > 4096) return;
  for (int side_row : side_gap) {
    if (matching.base_of_side[At(side_row)] != kNone) continue;
    for (int base_row : base_gap) {
      if (matching.side_of_base[At(base_row)] == kNone &&
          SameButName(base, base_row, side, side_row)) {
        matching.Link(base_row, side_row);
        break;
      }
    }
  }
}

void MatchChildren(const RowForest& base, int base_parent, const RowForest& side, int side_parent,
                   Matching& matching, std::vector<std::pair<int, int>>& to_match) {
  const std::span<const int> base_children = base.Children(base_parent);
  const std::span<const int> side_children = side.Children(side_parent);
  if (base_children.empty() || side_children.empty()) return;
  MatchByName(base, base_children, side, side_children, matching);

  const int base_count = static_cast<int>(base_children.size());
  int previous = -1;  // the base position of the last side child recognised
  std::size_t gap_start = 0;
  for (std::size_t k = 0; k <= side_children.size(); ++k) {
    int next = base_count;
    if (k < side_children.size()) {
      const int base_row = matching.base_of_side[At(side_children[k])];
      if (base_row == kNone) continue;
      next = PositionOf(base_children, base_row);
    }
    if (next > previous) {
      PairRenamed(base_children.subspan(At(previous + 1), At(next - previous - 1)),
                  side_children.subspan(gap_start, k - gap_start), base, side, matching);
    }
    previous = next;
    gap_start = k + 1;
  }
  for (int side_row : side_children) {
    if (const int base_row = matching.base_of_side[At(side_row)]; base_row != kNone) {
      to_match.emplace_back(base_row, side_row);
    }
  }
}

Matching MatchVersions(const RowForest& base, const RowForest& side) {
  Matching matching;
  matching.side_of_base.assign(At(base.root()), kNone);
  matching.base_of_side.assign(At(side.root()), kNone);
  std::vector<std::pair<int, int>> to_match{{base.root(), side.root()}};
  while (!to_match.empty()) {
    const auto [base_parent, side_parent] = to_match.back();
    to_match.pop_back();
    MatchChildren(base, base_parent, side, side_parent, matching, to_match);
  }
  return matching;
}

// The indexes of a longest strictly increasing subsequence of `values`.
std::vector<std::size_t> LongestIncreasing(const std::vector<int>& values) {
  std::vector<std::size_t> tails;  // index of the smallest tail of each length
  std::vector<std::size_t> previous(values.size());
  for (std::size_t k = 0; k < values.size(); ++k) {
    const auto place = std::lower_bound(tails.begin(), tails.end(), values[k],
                                        [&](std::size_t t, int v) { return values[t] < v; });
    previous[k] = place == tails.begin() ? k : *(place - 1);
    if (place == tails.end()) {
      tails.push_back(k);
    } else {
      *place = k;
    }
  }
  std::vector<std::size_t> chain(tails.size());
  std::size_t k = tails.empty() ? 0 : tails.back();
  for (std::size_t n = chain.size(); n > 0; --n) {
    chain[n - 1] = k;
    k = previous[k];
  }
  return chain;
}

// The same row in the three versions; kNone where a version lacks it.
struct Triple {
  int base = kNone;
  int ours = kNone;
  int theirs = kNone;
  bool operator==(const Triple&) const = default;
};

struct Child {
  Triple rows;
  bool theirs_copy = false;  // their version of a task that both sides changed
};

// Fields taken three ways: the side that changed one gives it; both
// changing it differently keeps ours and says so.
template <typename T>
const T& Pick(const T& base, const T& ours, const T& theirs, bool& conflict) {
  if (ours == base) return theirs;
  if (theirs != base && theirs != ours) conflict = true;
  return ours;
}

class Merger {
 public:
  Merger(const Document& base, const Document& theirs, const Document& ours,
         std::string_view marker)
      : base_(base),
        theirs_(theirs),
        ours_(ours),
        ours_match_(MatchVersions(base_, ours_)),
        theirs_match_(MatchVersions(base_, theirs_)),
        marker_(marker) {
    merged_.document.file_path = ours.file_path;
    merged_.document.saved = 0;
  }

  MergedDocument Run();

 private:
  struct Frame {
    std::vector<Child> children;
    std::size_t next = 0;
    std::optional<std::int32_t> level;    // of the parent; none above the top level
    std::int64_t last_level = INT64_MAX;  // of the sibling emitted last
    std::optional<Child> copy;            // their version of the child emitted last
  };
  // Where a merged row's progress came from, to tell a derived value that
  // its children still give from one that their change made stale.
  struct Source {
    const RowForest* forest = nullptr;
    int row = kNone;
  };
  // The versions whose row held the progress the merged row took.
  using Sources = std::array<Source, 2>;

  Triple FromBase(int base) const {
    return {base, ours_match_.side_of_base[At(base)], theirs_match_.side_of_base[At(base)]};
  }
  Triple FromOurs(int ours) const {
    const int base = ours_match_.base_of_side[At(ours)];
    return base != kNone ? FromBase(base) : Triple{kNone, ours, kNone};
  }
  Triple FromTheirs(int theirs) const {
    const int base = theirs_match_.base_of_side[At(theirs)];
    return base != kNone ? FromBase(base) : Triple{kNone, kNone, theirs};
  }

  bool Changed(const RowForest& side, int side_row, int base_row) const {
    return side.Fingerprint(side_row) != base_.Fingerprint(base_row);
  }
  // Rows added stay; a row one side deleted stays when the other changed it
  // or anything under it.
  bool Keeps(const Triple& rows) const {
    if (rows.base == kNone) return true;
    if (rows.ours != kNone && rows.theirs != kNone) return true;
    if (rows.ours != kNone) return Changed(ours_, rows.ours, rows.base);
    if (rows.theirs != kNone) return Changed(theirs_, rows.theirs, rows.base);
    return false;
  }

  std::vector<Child> OrderChildren(const Triple& parent) const;
  void Emit(Frame& frame, const Child& child);
  void EmitRecordOf(const RowForest& forest, int row, std::int32_t level, bool copy);
  void EmitMerged(Frame& frame, const Triple& rows, std::int32_t level);
  std::int32_t LevelIn(Frame& frame, std::int64_t step);
  void DeriveProgress();

  RowForest base_;
  RowForest theirs_;
  RowForest ours_;
  Matching ours_match_;
  Matching theirs_match_;
  std::string_view marker_;
  MergedDocument merged_;
  std::vector<Sources> sources_;
};

std::vector<Child> Merger::OrderChildren(const Triple& parent) const {
  std::vector<Triple> base_list;
  std::vector<Triple> ours_list;
  std::vector<Triple> theirs_list;
  const std::span<const int> base_rows =
      parent.base != kNone ? base_.Children(parent.base) : std::span<const int>();
  const std::span<const int> theirs_rows =
      parent.theirs != kNone ? theirs_.Children(parent.theirs) : std::span<const int>();
  for (int row : base_rows) base_list.push_back(FromBase(row));
  if (parent.ours != kNone) {
    for (int row : ours_.Children(parent.ours)) ours_list.push_back(FromOurs(row));
  }
  for (int row : theirs_rows) theirs_list.push_back(FromTheirs(row));

  // Anchors: rows all three hold in the same order. Between two anchors,
  // each side's stretch is taken whole when the other left it as it was.
  std::vector<std::size_t> in_all;
  std::vector<int> theirs_positions;
  for (std::size_t k = 0; k < ours_list.size(); ++k) {
    const Triple& rows = ours_list[k];
    if (rows.base == kNone || rows.theirs == kNone) continue;
    in_all.push_back(k);
    theirs_positions.push_back(PositionOf(theirs_rows, rows.theirs));
  }
  std::vector<std::size_t> anchors;  // positions in ours_list
  {
    std::vector<std::size_t> agreeing;
    std::vector<int> base_positions;
    for (std::size_t k : LongestIncreasing(theirs_positions)) {
      agreeing.push_back(in_all[k]);
      base_positions.push_back(PositionOf(base_rows, ours_list[in_all[k]].base));
    }
    for (std::size_t k : LongestIncreasing(base_positions)) anchors.push_back(agreeing[k]);
  }

  // The stretch of each row in each list: the number of anchors before it.
  const auto stretches = [&](const std::vector<Triple>& list) {
    std::vector<std::size_t> stretch(list.size());
    std::size_t passed = 0;
    for (std::size_t k = 0; k < list.size(); ++k) {
      if (passed < anchors.size() && list[k] == ours_list[anchors[passed]]) {
        stretch[k] = SIZE_MAX;  // the anchor itself
        ++passed;
      } else {
        stretch[k] = passed;
      }
    }
    return stretch;
  };
  const std::vector<std::size_t> ours_stretch = stretches(ours_list);
  const std::vector<std::size_t> theirs_stretch = stretches(theirs_list);
  const std::vector<std::size_t> base_stretch = stretches(base_list);
  // A row both sides hold in different stretches goes where the side that
  // moved it put it; ours when both did.
  const auto home = [&](const Triple& rows) {
    const std::size_t in_ours =
        ours_stretch[At(PositionOf(ours_.Children(parent.ours), rows.ours))];
    const std::size_t in_theirs = theirs_stretch[At(PositionOf(theirs_rows, rows.theirs))];
    const std::size_t in_base = base_stretch[At(PositionOf(base_rows, rows.base))];
    return in_ours == in_theirs || in_ours != in_base ? in_ours : in_theirs;
  };

  std::vector<Child> children;
  std::size_t ours_at = 0;
  std::size_t theirs_at = 0;
  std::size_t base_at = 0;
  for (std::size_t stretch = 0; stretch <= anchors.size(); ++stretch) {
    std::vector<Triple> ours_part;
    std::vector<Triple> theirs_part;
    bool ours_as_base = true;
    std::size_t base_count = 0;
    for (; ours_at < ours_list.size() && ours_stretch[ours_at] == stretch; ++ours_at) {
      const Triple& rows = ours_list[ours_at];
      if (base_at + base_count >= base_list.size() ||
          base_stretch[base_at + base_count] != stretch ||
          !(base_list[base_at + base_count] == rows)) {
        ours_as_base = false;
      }
      ++base_count;
      if (rows.base == kNone || rows.theirs == kNone || home(rows) == stretch) {
        ours_part.push_back(rows);
      }
    }
    for (; theirs_at < theirs_list.size() && theirs_stretch[theirs_at] == stretch; ++theirs_at) {
      const Triple& rows = theirs_list[theirs_at];
      if (rows.base == kNone || rows.ours == kNone || home(rows) == stretch) {
        theirs_part.push_back(rows);
      }
    }
    std::size_t base_in_stretch = 0;
    for (; base_at < base_list.size() && base_stretch[base_at] == stretch; ++base_at) {
      ++base_in_stretch;
    }
    if (base_in_stretch != base_count) ours_as_base = false;

    // The side that changed the stretch gives its order; the other side's
    // rows that it lacks follow the row they followed there.
    const std::vector<Triple>& first = ours_as_base ? theirs_part : ours_part;
    const std::vector<Triple>& second = ours_as_base ? ours_part : theirs_part;
    std::unordered_map<int, std::size_t> first_place;  // base row -> place in `first`
    for (std::size_t k = 0; k < first.size(); ++k) {
      if (first[k].base != kNone) first_place[first[k].base] = k;
    }
    std::vector<std::vector<Triple>> after(first.size() + 1);  // [0]: before all
    std::size_t insert_at = 0;
    for (const Triple& rows : second) {
      const auto found = rows.base != kNone ? first_place.find(rows.base) : first_place.end();
      if (found != first_place.end()) {
        insert_at = found->second + 1;
      } else {
        after[insert_at].push_back(rows);
      }
    }
    const auto keep = [&](const Triple& rows) {
      if (Keeps(rows)) children.push_back({rows, false});
    };
    for (const Triple& rows : after[0]) keep(rows);
    for (std::size_t k = 0; k < first.size(); ++k) {
      keep(first[k]);
      for (const Triple& rows : after[k + 1]) keep(rows);
    }
    if (stretch < anchors.size()) {
      children.push_back({ours_list[anchors[stretch]], false});
      ++ours_at;
      // The anchor stands at the same place in the other two lists.
      while (theirs_at < theirs_list.size() && theirs_stretch[theirs_at] != SIZE_MAX) ++theirs_at;
      ++theirs_at;
      while (base_at < base_list.size() && base_stretch[base_at] != SIZE_MAX) ++base_at;
      ++base_at;
    }
  }
  return children;
}

std::int32_t Merger::LevelIn(Frame& frame, std::int64_t step) {
  // Deeper than the parent, and not deeper than the sibling before it, or
  // the row would become that sibling's child.
  std::int64_t level = std::min(frame.level ? *frame.level + step : step, frame.last_level);
  if (frame.level) level = std::max(level, std::int64_t{*frame.level} + 1);
  level = std::clamp<std::int64_t>(level, INT32_MIN, INT32_MAX);
  frame.last_level = level;
  return static_cast<std::int32_t>(level);
}

void Merger::EmitRecordOf(const RowForest& forest, int row, std::int32_t level, bool copy) {
  const TreeEntry& entry = Entry(forest, row);
  const Document& document = forest.document();
  Document& merged = merged_.document;
  const bool from_ours = &forest == &ours_ && !copy;
  if (entry.kind == kCategoryRow) {
    merged.categories.push_back(document.categories[At(entry.index)]);
    merged.rows.push_back(
        {kCategoryRow, static_cast<std::int32_t>(merged.categories.size() - 1), level});
  } else {
    TaskRecord task = document.tasks[At(entry.index)];
    if (copy) task.nom += marker_;
    merged.tasks.push_back(std::move(task));
    merged.rows.push_back({kTaskRow, static_cast<std::int32_t>(merged.tasks.size() - 1), level});
  }
  sources_.push_back({Source{&forest, row}, Source{}});
  if (!from_ours) ++merged_.rows_from_elsewhere;
}

void Merger::EmitMerged(Frame& frame, const Triple& rows, std::int32_t level) {
  const Document& base = base_.document();
  const Document& ours = ours_.document();
  const Document& theirs = theirs_.document();
  const TreeEntry& base_entry = Entry(base_, rows.base);
  const TreeEntry& ours_entry = Entry(ours_, rows.ours);
  const TreeEntry& theirs_entry = Entry(theirs_, rows.theirs);
  Document& merged = merged_.document;
  const int row = static_cast<int>(merged.rows.size());
  bool conflict = false;
  bool changed_by_theirs = false;
  if (ours_entry.kind == kCategoryRow) {
    const CategoryRecord& b = base.categories[At(base_entry.index)];
    const CategoryRecord& o = ours.categories[At(ours_entry.index)];
    const CategoryRecord& t = theirs.categories[At(theirs_entry.index)];
    bool name_conflict = false;
    bool description_conflict = false;
    CategoryRecord category;
    category.nom = Pick(b.nom, o.nom, t.nom, name_conflict);
    category.designation = Pick(b.designation, o.designation, t.designation, description_conflict);
    // A category's progress that its children give is never in conflict.
    bool progress_conflict = false;
    category.avancement = Pick(b.avancement, o.avancement, t.avancement, progress_conflict);
    const bool own_progress_conflict = progress_conflict && ours_.Children(rows.ours).empty() &&
                                       theirs_.Children(rows.theirs).empty();
    sources_.push_back(
        {o.avancement == category.avancement ? Source{&ours_, rows.ours} : Source{},
         t.avancement == category.avancement ? Source{&theirs_, rows.theirs} : Source{}});
    if (name_conflict || description_conflict || own_progress_conflict) {
      // Their words (and their progress, in percent) join ours in the
      // description, after the marker.
      std::string& text = category.designation;
      const std::size_t start = marker_.find_first_not_of(' ');
      text += kStoredLineBreak;
      text += DesignationToStoredForm(marker_.substr(std::min(start, marker_.size())));
      if (name_conflict) text += kStoredLineBreak + DesignationToStoredForm(t.nom);
      if (description_conflict) text += kStoredLineBreak + t.designation;
      if (own_progress_conflict) {
        text += kStoredLineBreak + std::to_string(t.avancement * 10) + " %";
      }
      conflict = true;
    }
    // Progress that the children give came with them, not as a change of
    // the category.
    const bool derived =
        !ours_.Children(rows.ours).empty() || !theirs_.Children(rows.theirs).empty();
    changed_by_theirs = category.nom != o.nom || category.designation != o.designation ||
                        (!derived && category.avancement != o.avancement);
    merged.categories.push_back(std::move(category));
    merged.rows.push_back(
        {kCategoryRow, static_cast<std::int32_t>(merged.categories.size() - 1), level});
  } else {
    const TaskRecord& b = base.tasks[At(base_entry.index)];
    const TaskRecord& o = ours.tasks[At(ours_entry.index)];
    const TaskRecord& t = theirs.tasks[At(theirs_entry.index)];
    TaskRecord task;
    task.nom = Pick(b.nom, o.nom, t.nom, conflict);
    task.designation = Pick(b.designation, o.designation, t.designation, conflict);
    task.datedebut = Pick(b.datedebut, o.datedebut, t.datedebut, conflict);
    task.dateecheance = Pick(b.dateecheance, o.dateecheance, t.dateecheance, conflict);
    task.avancement = Pick(b.avancement, o.avancement, t.avancement, conflict);
    task.statut = Pick(b.statut, o.statut, t.statut, conflict);
    task.importance = Pick(b.importance, o.importance, t.importance, conflict);
    // Their version follows ours, under a name that says where it came from.
    if (conflict) frame.copy = Child{rows, true};
    changed_by_theirs = !(task == o);
    sources_.push_back({});
    merged.tasks.push_back(std::move(task));
    merged.rows.push_back({kTaskRow, static_cast<std::int32_t>(merged.tasks.size() - 1), level});
  }
  if (changed_by_theirs) ++merged_.rows_from_elsewhere;
  if (conflict) merged_.conflicts.push_back({MergeConflict::Kind::ChangedOnBothSides, row});
}

void Merger::Emit(Frame& frame, const Child& child) {
  const Triple& rows = child.rows;
  if (child.theirs_copy) {
    EmitRecordOf(theirs_, rows.theirs, LevelIn(frame, theirs_.DepthStep(rows.theirs)), true);
    return;
  }
  if (rows.ours != kNone && rows.theirs != kNone && rows.base != kNone) {
    bool unused = false;
    const std::int64_t step = Pick(base_.DepthStep(rows.base), ours_.DepthStep(rows.ours),
                                   theirs_.DepthStep(rows.theirs), unused);
    EmitMerged(frame, rows, LevelIn(frame, step));
    return;
  }
  const bool ours_only = rows.ours != kNone;
  const RowForest& side = ours_only ? ours_ : theirs_;
  const int row = ours_only ? rows.ours : rows.theirs;
  if (rows.base != kNone) {
    merged_.conflicts.push_back(
        {MergeConflict::Kind::ChangedAndDeleted, static_cast<int>(merged_.document.rows.size())});
  }
  EmitRecordOf(side, row, LevelIn(frame, side.DepthStep(row)), false);
}

void Merger::DeriveProgress() {
  Document& merged = merged_.document;
  const RowForest forest(merged);
  const auto progress_of = [](const Document& document, int row) {
    const TreeEntry& entry = document.rows[At(row)];
    return entry.kind == kCategoryRow ? document.categories[At(entry.index)].avancement
                                      : document.tasks[At(entry.index)].avancement;
  };
  // Children come after their category: from the last row back, each
  // category's children hold their final progress.
  for (int row = static_cast<int>(merged.rows.size()) - 1; row >= 0; --row) {
    const TreeEntry& entry = merged.rows[At(row)];
    const std::span<const int> children = forest.Children(row);
    if (entry.kind != kCategoryRow || children.empty()) continue;
    // A value that a version held with the same children's progress stays
    // as it was: a read leaves some categories so, and the merge keeps what
    // it did not touch.
    const auto as_in = [&](const Source& source) {
      if (source.forest == nullptr) return false;
      const std::span<const int> source_children = source.forest->Children(source.row);
      if (source_children.size() != children.size()) return false;
      for (std::size_t k = 0; k < children.size(); ++k) {
        if (progress_of(source.forest->document(), source_children[k]) !=
            progress_of(merged, children[k])) {
          return false;
        }
      }
      return true;
    };
    const Sources& sources = sources_[At(row)];
    if (!as_in(sources[0]) && !as_in(sources[1])) {
      std::int64_t sum = 0;
      for (int child : children) sum += progress_of(merged, child);
      merged.categories.Edit(At(entry.index)).avancement =
          FloorMean(sum, static_cast<std::int64_t>(children.size()));
    }
  }
}

MergedDocument Merger::Run() {
  std::vector<Frame> frames(1);
  frames.back().children = OrderChildren({base_.root(), ours_.root(), theirs_.root()});
  while (!frames.empty()) {
    Frame& frame = frames.back();
    Child child;
    if (frame.copy) {
      child = *std::exchange(frame.copy, std::nullopt);
    } else if (frame.next < frame.children.size()) {
      child = frame.children[frame.next++];
    } else {
      frames.pop_back();
      continue;
    }
    Emit(frame, child);
    if (child.theirs_copy) continue;
    Frame inner;
    inner.level = merged_.document.rows.back().level;
    inner.children = OrderChildren(child.rows);
    frames.push_back(std::move(inner));
  }
  DeriveProgress();
  return std::move(merged_);
}

}  // namespace

MergedDocument MergeDocuments(const Document& base, const Document& theirs, const Document& ours,
                              std::string_view marker) {
  return Merger(base, theirs, ours, marker).Run();
}

}  // namespace lumvik
