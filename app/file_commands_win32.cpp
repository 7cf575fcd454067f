// The File menu's commands on the document and the program: New, Open, Save
// and Save As from the menu, the toolbar and the shortcuts; Options and Quit.
#include "app/lumvik_app_win32.h"
#include "platform/disabled_owner_win32.h"
#include "platform/file_io.h"

namespace lumvik {

void LumvikApp::AddFileCommands() {
  command_table_.Add({kCmdNew, kCmdToolNew}, [this](int) {
    const FileCommands commands = Commands();
    if (SettleUnsavedChanges(commands)) NewDocumentCommand(commands);
  });
  command_table_.Add({kCmdOpen, kCmdToolOpen}, [this](int) { OpenCommand(Commands()); });
  command_table_.Add({kCmdSave, kCmdToolSave}, [this](int) { SaveCommand(Commands()); });
  command_table_.Add({kCmdSaveAs, kCmdToolSaveAs}, [this](int) { SaveAsCommand(Commands()); });
  command_table_.Add({kCmdOptions}, [this](int) { OpenOptions(); });
  command_table_.Add({kCmdQuit}, [this](int) { Quit(); });
}

void LumvikApp::OpenOptions() {
  // The window lives until the settings are applied: the main window may
  // draw with the fonts it replaced until then.
  OptionsWindow options({program_, window_->window(), program_folder_, ExecutablePath(), settings_,
                         texts_, skin_, registry_, events_, settings_file_behind_});
  {
    const DisabledOwner modal(options.window());
    options_ = &options;
    options.Run();
    options_ = nullptr;
  }
  if (options.outcome() != OptionsOutcome::Cancelled) {
    settings_file_behind_ = options.outcome() == OptionsOutcome::NotWritten;
  }
  // Choices that the settings file could not take stay in effect from
  // memory until the program ends.
  if (settings_file_behind_) {
    ReadSettingsKeepingOptions(program_folder_, settings_, settings_, texts_);
  } else {
    ReadSettings(program_folder_, settings_, texts_);
  }
  SettingsFileWritten(options.outcome() != OptionsOutcome::NotWritten);
  ApplySettings();
}

}  // namespace lumvik
