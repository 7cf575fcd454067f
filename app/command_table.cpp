#include "app/command_table.h"

#include <cstdio>
#include <cstdlib>

namespace lumvik {

void CommandTable::Add(std::initializer_list<int> commands, const Action& action,
                       const Rule& available) {
  for (int command : commands) {
    // Two modules claiming one number is a fault of the program, found at
    // its first start.
    if (Find(command) != nullptr) {
      std::fprintf(stderr, "command %d is added twice\n", command);
      std::abort();
    }
    entries_.push_back({command, action, available});
  }
}

bool CommandTable::Run(int command) const {
  const Entry* entry = Find(command);
  if (entry == nullptr || (entry->available && !entry->available())) return false;
  entry->action(command);
  return true;
}

void CommandTable::ForEachRuled(
    const std::function<void(int command, bool available)>& show) const {
  for (const Entry& entry : entries_) {
    if (entry.available) show(entry.command, entry.available());
  }
}

const CommandTable::Entry* CommandTable::Find(int command) const {
  for (const Entry& entry : entries_) {
    if (entry.command == command) return &entry;
  }
  return nullptr;
}

}  // namespace lumvik
