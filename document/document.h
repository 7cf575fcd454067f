// The open to-do document: the row list in display order, and the category
// and task records that the rows name by index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/record_list.h"
#include "platform/file_io.h"

namespace lumvik {

constexpr std::int16_t kCategoryRow = 0;
constexpr std::int16_t kTaskRow = 1;

// One row of the tree: which record it shows and how deep it stands.
struct TreeEntry {
  std::int16_t kind = kCategoryRow;
  std::int32_t index = 0;
  std::int32_t level = 0;
  bool operator==(const TreeEntry&) const = default;
};

struct CategoryRecord {
  std::string nom;
  std::string designation;  // stored form: CR LF as 0x1B, double quote as 0x1A
  std::int16_t avancement = 0;
  bool operator==(const CategoryRecord&) const = default;
};

struct TaskRecord {
  std::string nom;
  std::string designation;   // stored form, as for categories
  std::string datedebut;     // "dd/mm/yyyy"
  std::string dateecheance;  // "dd/mm/yyyy"
  std::int16_t avancement = 0;
  std::int16_t statut = 1;
  std::int16_t importance = 1;
  bool operator==(const TaskRecord&) const = default;
};

struct Document {
  std::vector<TreeEntry> rows;
  RecordList<CategoryRecord> categories;
  RecordList<TaskRecord> tasks;
  std::vector<TreeEntry> move_buffer;  // scratch while a category moves with its contents
  std::string file_path;
  std::int32_t saved = 1;
  // The version of the file it was last read from or written to, so that a
  // change made to the file elsewhere since then is told from its own.
  FileVersion file_version;
};

}  // namespace lumvik
