// Every modal question the programs ask goes through this interface, so that
// tests can answer them and check what was asked.
#pragma once

#include <optional>
#include <string>

namespace lumvik {

// The standard message-box answers.
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

enum class Buttons { Ok, YesNo, YesNoCancel };

// What an open-file or save-file dialog shows. The filter pairs a
// description with its pattern, "|" between them and between pairs
// ("ToDo List (*.lvk)|*.lvk"); the first pair is selected.
struct FileQuestion {
  std::string title;
  std::string proposed_name;
  std::string filter;
  bool operator==(const FileQuestion&) const = default;
};

class Prompt {
 public:
  virtual ~Prompt() = default;
  virtual Answer Message(const std::string& title, const std::string& text, Buttons buttons) = 0;
  // The chosen path, or nothing when the dialog was cancelled. The open
  // dialog takes a name that does not exist; the save dialog does not ask
  // about replacing a file (the writer asks).
  virtual std::optional<std::string> OpenFileName(const FileQuestion& question) = 0;
  virtual std::optional<std::string> SaveFileName(const FileQuestion& question) = 0;
};

}  // namespace lumvik
