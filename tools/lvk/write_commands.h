// lvk add and lvk done: scripts feeding a list that Lumvik may have open.
// Each write reads the file, changes it and writes it back under the file's
// write lock, as Lumvik's Save does, so that neither loses the other's rows.
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>

namespace lumvik {

// An option's name without its "--", and its value as given, in UTF-8.
using LvkOptions = std::map<std::string, std::string, std::less<>>;

struct WriteContext {
  std::string program_name;  // that documents carry
  int backups = 0;           // earlier versions kept, as Lumvik keeps them
  std::ostream& errors;
};

// Adds a task under the category path of "in", named by "name", with the
// other values given or those of a new task in Lumvik. An exit status.
int AddTaskCommand(const std::string& file, const LvkOptions& options, const WriteContext& context);

// Marks the task at the path of "task" done. An exit status.
int DoneCommand(const std::string& file, const LvkOptions& options, const WriteContext& context);

}  // namespace lumvik
