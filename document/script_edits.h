// The edits that scripts make to a document without opening it in Lumvik,
// naming rows by their path: the names of the categories above a row and
// its own, joined by "/", with a "/" inside a name written "//".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"

namespace lumvik {

// The names of a path; nothing when one of them is empty.
std::optional<std::vector<std::string>> SplitRowPath(std::string_view path);

// How many rows a path named; an edit is made only when it named one.
enum class PathFinding { One, None, Several };

// Adds the task as the last child of the category at `categories`, first
// making the categories of the path that are missing, each at the end of its
// parent. The categories above the task follow their children's progress.
// Several when a category of the path is named by more than one row.
PathFinding AddTaskAt(Document& document, const std::vector<std::string>& categories,
                      TaskRecord task);

// Sets the status of the task at `path` to done (4) and its progress to
// 100 %, the categories above it following.
PathFinding MarkTaskDone(Document& document, const std::vector<std::string>& path);

}  // namespace lumvik
