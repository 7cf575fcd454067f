// New, Open, Save, Save As and Quit, with the question about unsaved
// changes. They change the document and ask through the prompt; what the
// window shows of it goes through DocumentScreen.
#pragma once

#include <string>

#include "config/text_table.h"
#include "document/document.h"
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
  // The controls of the category part usable, whatever they show; they are
  // greyed until the first document with a category is shown.
  virtual void EnableCategoryPanel() = 0;
  // The tree shows many rows anew: hold off its drawing until ReleaseRedraw.
  virtual void HoldRedraw() = 0;
  virtual void ReleaseRedraw() = 0;
  // Another document (new or read) has replaced the one shown.
  virtual void DocumentReplaced() = 0;
  // Save is about to replace the document's own file: changes made to the
  // file elsewhere since it was read are taken in first. False when the
  // file cannot be read, so that it must not be written over.
  virtual bool TakeInChangesElsewhere() = 0;
  // The document was just written to the file it is now known by.
  virtual void DocumentWritten() = 0;
};

struct FileCommands {
  Document& document;
  const TextTable& texts;
  Prompt& prompt;
  DocumentScreen& screen;
  int backups = 0;  // earlier versions each save keeps
};

// What became of the changes after the question about them.
enum class UnsavedChanges {
  None,  // there were none, or they were written
  Drop,  // the user does not want them; the saved flag is still 0
  Keep,  // the command is abandoned, the changes kept
};

// The question before a command that replaces the document, when it has
// unsaved changes. Yes saves them (Keep when nothing was written), No drops
// them, Cancel keeps them.
UnsavedChanges AskAboutUnsavedChanges(const FileCommands& commands);

// The question before New, Quit and closing the window: true when the
// command goes on, the changes then written or dropped (saved flag 1).
bool SettleUnsavedChanges(const FileCommands& commands);

// Replaces the document by one new category, shown and selected.
void NewDocumentCommand(const FileCommands& commands);

// Reads `path` in place of the document and shows it with the category
// panel usable, or reports why the file is refused and changes nothing.
// True when it was read.
bool OpenDocumentPath(const FileCommands& commands, const std::string& path);

// Shows `document`, recovered from a program that ended without saving it,
// as unsaved changes to its own file (or as a new document).
void ShowRecoveredDocument(const FileCommands& commands, Document document);

// Asks about unsaved changes, then for a file, and reads it. Changes the
// user drops stay in the document until another one replaces it.
void OpenCommand(const FileCommands& commands);

// Writes the document to its own file (asking for a name when it has none).
// True, and the document saved, only when it was written.
bool SaveCommand(const FileCommands& commands);

// Asks for a file name and writes the document there; true when written,
// and the window's title then names the new file.
bool SaveAsCommand(const FileCommands& commands);

// The title of the main window for a document at `path` ("" for a new one).
std::string DocumentWindowTitle(const TextTable& texts, const std::string& path);

}  // namespace lumvik
