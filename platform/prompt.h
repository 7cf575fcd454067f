// Every modal question the programs ask goes through this interface, so that
// tests can answer them and check what was asked.
#pragma once

#include <cstdint>
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

// What the one-line prompt shows: its title, the message above the text box
// and the captions of its OK and Cancel buttons.
struct NameQuestion {
  std::string title;
  std::string message;
  std::string ok;
  std::string cancel;
  bool operator==(const NameQuestion&) const = default;
};

// A font as the font dialog returns it: the face and the size in tenths of
// a point.
struct FontAnswer {
  std::string face;
  std::int32_t tenths = 0;
  bool operator==(const FontAnswer&) const = default;
};

// A file named in a save dialog, with the pair of the filter the user chose:
// 1 for the first.
struct TypedFileName {
  std::string path;
  int type = 1;
  bool operator==(const TypedFileName&) const = default;
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
  // A save dialog whose filter chooses what kind of file is written; it asks
  // itself before a file is replaced.
  virtual std::optional<TypedFileName> SaveTypedFileName(const FileQuestion& question) = 0;
  // The colour chosen in the colour dialog, which starts from `start`
  // (red + 256 * green + 65536 * blue); nothing when it was cancelled.
  virtual std::optional<std::int32_t> AskColour(std::int32_t start) = 0;
  // The font chosen in the font dialog, which starts from `face` at
  // `points`; its style and colour are not asked for. Nothing when cancelled.
  virtual std::optional<FontAnswer> AskFont(const std::string& face, std::int32_t points) = 0;
  // The text typed into a one-line prompt that starts empty; nothing when
  // it was cancelled.
  virtual std::optional<std::string> AskName(const NameQuestion& question) = 0;
  // Asks the system to open a web address, or a page of this machine, in
  // the default browser; false when it found nothing to open it with.
  virtual bool OpenAddress(const std::string& address) = 0;
};

}  // namespace lumvik
