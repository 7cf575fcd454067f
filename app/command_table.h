// The commands of the menus, the toolbar and the shortcuts. Each command
// module adds its own: the number, what it does, and when it can be done.
// The program looks a command up when it arrives, and greys the menu items
// from the same rules.
#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

namespace lumvik {

class CommandTable {
 public:
  // Does the command; it receives its number, so that one action may serve
  // several numbers (a menu item and its toolbar button, a recent document).
  using Action = std::function<void(int command)>;
  // Whether the command can be done now; without one, it always can.
  using Rule = std::function<bool()>;

  // Each of `commands` does `action` when `available` allows. A number
  // belongs to one module only: a second claim ends the program.
  void Add(std::initializer_list<int> commands, const Action& action, const Rule& available = {});

  // Does the command when it is known and available now; false otherwise.
  bool Run(int command) const;
  // Calls `show` with each command that has a rule and whether it is
  // available now.
  void ForEachRuled(const std::function<void(int command, bool available)>& show) const;

 private:
  struct Entry {
    int command;
    Action action;
    Rule available;
  };
  const Entry* Find(int command) const;

  std::vector<Entry> entries_;
};

}  // namespace lumvik
