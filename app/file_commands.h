// New, Open, Save, Save As and Quit, with the question about unsaved
// changes. They change the document and ask through the prompt; what the
// window shows of it goes through DocumentScreen.
#pragma once

#include <string>

#include "config/text_table.h"
#include "document/document.h"
#include "document/row_decoration.h"
#include "document/row_view.h"
#include "platform/prompt.h"

namespace lumvik {

// The parts of the main window that the file commands change.
class DocumentScreen {
 public:
  virtual ~DocumentScreen() = default;
  virtual RowView& Rows() = 0;
  virtual UrgencyColours Colours() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // The category part of the property panel, ready to edit `category`, with
  // its progress controls shown or hidden.
  virtual void PrepareCategoryPanel(const CategoryRecord& category, bool show_progress) = 0;
  // The tree shows many rows anew: hold off its drawing until ReleaseRedraw.
  virtual void HoldRedraw() = 0;
  virtual void ReleaseRedraw() = 0;
};

struct FileCommands {
  Document& document;
  const TextTable& texts;
  Prompt& prompt;
  DocumentScreen& screen;
};

// The question before New, Open, Quit and closing the window: true when the
// command goes on. Yes saves, and the command goes on only when the document
// was written; No drops the changes; Cancel abandons the command.
bool SettleUnsavedChanges(const FileCommands& commands);

// Replaces the document by one new category, shown and selected.
void NewDocumentCommand(const FileCommands& commands);

// Reads `path` in place of the document and shows it, or reports why the
// file is refused and changes nothing. True when it was read.
bool OpenDocumentPath(const FileCommands& commands, const std::string& path);

// Asks about unsaved changes, then for a file, and reads it.
void OpenCommand(const FileCommands& commands);

// Writes the document to its own file (asking for a name when it has none).
// True, and the document saved, only when it was written.
bool SaveCommand(const FileCommands& commands);

// Asks for a file name and writes the document there; true when written.
bool SaveAsCommand(const FileCommands& commands);

// The title of the main window for a document at `path` ("" for a new one).
std::string DocumentWindowTitle(const TextTable& texts, const std::string& path);

}  // namespace lumvik
