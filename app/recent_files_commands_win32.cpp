// The File menu's recent documents: each document opened or saved goes to
// the top of the list, and choosing one opens it as Open would.
#include "app/lumvik_app_win32.h"
#include "config/recent_files.h"
#include "platform/file_io.h"

namespace lumvik {

void LumvikApp::AddRecentFileCommands() {
  for (int number = 0; number < kRecentFileCount; ++number) {
    command_table_.Add(
        {kCmdFirstRecentFile + number}, [this, number](int) { OpenRecentFile(number); },
        [this, number] { return number < static_cast<int>(recent_files_.size()); });
  }
}

void LumvikApp::LoadRecentFiles() {
  recent_files_ = ReadRecentFiles(program_folder_);
  window_->ShowRecentFiles(recent_files_);
}

// A document that stands saved under its path was just opened or saved
// there, or was so before: either way it heads the list.
void LumvikApp::RememberDocumentFile() {
  const std::string& path = document_.file_path;
  if (document_.saved != 1 || path.empty()) return;
  if (!recent_files_.empty() && SameFilePath(recent_files_.front(), path)) return;
  Remember(recent_files_, path);
  RecentFilesChanged();
}

void LumvikApp::RecentFilesChanged() {
  SettingsFileWritten(WriteRecentFiles(program_folder_, recent_files_));
  window_->ShowRecentFiles(recent_files_);
}

void LumvikApp::OpenRecentFile(int number) {
  const std::string path = recent_files_[static_cast<std::size_t>(number)];
  // As Open: the question about unsaved changes comes first.
  const FileCommands commands = Commands();
  if (AskAboutUnsavedChanges(commands) == UnsavedChanges::Keep) return;
  if (OpenDocumentPath(commands, path)) return;
  // A document that is gone leaves the list once the reader has said so.
  if (!PathExists(path) || IsDirectory(path)) {
    Forget(recent_files_, path);
    RecentFilesChanged();
  }
}

}  // namespace lumvik
