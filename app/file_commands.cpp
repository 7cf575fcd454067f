#include "app/file_commands.h"

#include "config/text_numbers.h"
#include "document/document_file.h"
#include "document/new_document.h"
#include "document/tree_rebuild.h"

namespace lumvik {

namespace {

// The save dialog's filter is the same in every language.
constexpr const char* kSaveFilter = "ToDo List (*.lvk)|*.lvk";

// Everything up to and including the last "\" or "/".
std::string FolderPart(const std::string& path) {
  const std::size_t end = path.find_last_of("\\/");
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

void ShowWholeDocument(const FileCommands& commands) {
  commands.screen.HoldRedraw();
  RebuildTree(commands.screen.Rows(), commands.document, commands.screen.Colours());
  commands.screen.ReleaseRedraw();
}

// A document that replaced the one shown, known by its file, with the
// category panel usable.
void ShowReplacement(const FileCommands& commands) {
  ShowWholeDocument(commands);
  commands.screen.EnableCategoryPanel();
  commands.screen.SetTitle(DocumentWindowTitle(commands.texts, commands.document.file_path));
  commands.screen.DocumentReplaced();
}

// The writer for a path the user chose, handing over to the dialog again
// when the user keeps an existing file. The document is known by its new
// file from then on, in the title as after a read.
bool WriteToChosenPath(const FileCommands& commands, const std::string& path) {
  switch (
      SaveDocument(commands.document, path, commands.texts, commands.prompt, commands.backups)) {
    case SaveStatus::Saved:
      commands.document.saved = 1;
      commands.screen.SetTitle(DocumentWindowTitle(commands.texts, commands.document.file_path));
      commands.screen.DocumentWritten();
      return true;
    case SaveStatus::SaveAsInstead:
      return SaveAsCommand(commands);
    case SaveStatus::Failed:
      return false;
  }
  return false;
}

}  // namespace

std::string DocumentWindowTitle(const TextTable& texts, const std::string& path) {
  return texts[kTextProgramName] + " - " + (path.empty() ? texts[kTextUntitledDocument] : path);
}

UnsavedChanges AskAboutUnsavedChanges(const FileCommands& commands) {
  if (commands.document.saved == 1) return UnsavedChanges::None;
  switch (commands.prompt.Message(commands.texts[kTextSave], commands.texts[kTextUnsavedChanges],
                                  Buttons::YesNoCancel)) {
    case Answer::Yes:
      // A save that was cancelled or failed keeps the changes, and with
      // them the document that holds them.
      return SaveCommand(commands) ? UnsavedChanges::None : UnsavedChanges::Keep;
    case Answer::No:
      return UnsavedChanges::Drop;
    default:
      return UnsavedChanges::Keep;
  }
}

bool SettleUnsavedChanges(const FileCommands& commands) {
  switch (AskAboutUnsavedChanges(commands)) {
    case UnsavedChanges::None:
      return true;
    case UnsavedChanges::Drop:
      commands.document.saved = 1;
      return true;
    case UnsavedChanges::Keep:
      return false;
  }
  return false;
}

void NewDocumentCommand(const FileCommands& commands) {
  commands.document = NewDocument(commands.texts, 1);
  ShowWholeDocument(commands);
  commands.screen.PrepareCategoryPanel(commands.document.categories.front(), true);
  commands.screen.Rows().Select(0);
  commands.screen.SetTitle(DocumentWindowTitle(commands.texts, ""));
  commands.screen.DocumentReplaced();
}

bool OpenDocumentPath(const FileCommands& commands, const std::string& path) {
  ReadResult read = ReadDocument(path, commands.texts[kTextProgramName]);
  if (read.status != ReadStatus::Read) {
    const int message = read.status == ReadStatus::Foreign ? kTextForeignFile : kTextCannotOpenFile;
    commands.prompt.Message(commands.texts[kTextProgramName], commands.texts[message], Buttons::Ok);
    return false;
  }
  commands.document = std::move(read.document);
  ShowReplacement(commands);
  return true;
}

void ShowRecoveredDocument(const FileCommands& commands, Document document) {
  commands.document = std::move(document);
  commands.document.saved = 0;
  ShowReplacement(commands);
}

void OpenCommand(const FileCommands& commands) {
  // Changes the user chose to drop go only when a document read from a file
  // replaces them: a cancelled dialog or a refused file leaves them unsaved,
  // and the next New or Quit asks about them again.
  if (AskAboutUnsavedChanges(commands) == UnsavedChanges::Keep) return;
  const std::optional<std::string> path =
      commands.prompt.OpenFileName({commands.texts[kTextOpenTitle], "",
                                    commands.texts[kTextDocumentFileKind] + " (*.lvk)|*.lvk"});
  if (path) OpenDocumentPath(commands, *path);
}

bool SaveCommand(const FileCommands& commands) {
  Document& document = commands.document;
  if (document.file_path.empty()) return SaveAsCommand(commands);
  const std::string target = WithDocumentExtension(document.file_path);
  if (target != document.file_path) {
    // A file read under another extension is saved beside it, as .lvk: the
    // file it came from is left as it was.
    return WriteToChosenPath(commands, document.file_path);
  }
  // The document's own file is replaced without a question, in one step,
  // with what was written to it elsewhere in the meantime: read, merged and
  // written under the file's lock, so that no other writer comes between.
  FileWrite write(target, kDocumentWritePatience);
  const std::string& program_name = commands.texts[kTextProgramName];
  std::optional<FileVersion> written;
  if (write.held() && commands.screen.TakeInChangesElsewhere()) {
    written = WriteDocumentWithBackup(write, document, program_name, commands.backups);
  }
  if (!written) {
    commands.prompt.Message(program_name, commands.texts[kTextCannotCreateFile], Buttons::Ok);
    return false;
  }
  document.file_version = std::move(*written);
  document.saved = 1;
  commands.screen.DocumentWritten();
  return true;
}

bool SaveAsCommand(const FileCommands& commands) {
  const std::optional<std::string> path = commands.prompt.SaveFileName(
      {commands.texts[kTextSaveAsTitle], FolderPart(commands.document.file_path), kSaveFilter});
  return path && WriteToChosenPath(commands, *path);
}

}  // namespace lumvik
