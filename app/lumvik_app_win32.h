// Lumvik's program-wide state and its spine: start-up, the event loop with
// its dispatch tables, and the shut-down.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_table.h"
#include "app/file_commands.h"
#include "app/find_window_win32.h"
#include "app/first_document.h"
#include "app/main_window_win32.h"
#include "app/options_window_win32.h"
#include "app/property_panel_win32.h"
#include "app/recovery_keeper.h"
#include "app/skin_win32.h"
#include "config/registry_win32.h"
#include "config/settings.h"
#include "config/text_table.h"
#include "config/view_settings.h"
#include "document/document.h"
#include "document/document_merge.h"
#include "document/edit_history.h"
#include "document/edit_target.h"
#include "document/file_watch.h"
#include "document/view_filter.h"
#include "help/about_box_win32.h"
#include "help/feedback_form_win32.h"
#include "help/help_window_win32.h"
#include "platform/event_queue_win32.h"
#include "platform/folder_watch_win32.h"
#include "platform/prompt.h"

namespace lumvik {

// Shows a pop-up menu at a point of the screen; the chosen item arrives as
// a menu command of the window.
using PopupMenuShower = std::function<void(HWND window, HMENU menu, POINT where)>;

class LumvikApp : public DocumentScreen {
 public:
  LumvikApp(HINSTANCE program, Prompt& prompt, const Registry& registry);
  ~LumvikApp() override;
  LumvikApp(const LumvikApp&) = delete;
  LumvikApp& operator=(const LumvikApp&) = delete;

  // Start-up up to the first document: settings, texts, skin and theme from
  // `program_folder`, the main window, its layout, then the document named by
  // the command line `parameter` or remembered in the settings. False when the
  // main window cannot be built, and the program then ends.
  bool Start(const std::string& program_folder, const std::string& parameter);

  // The event loop until the program quits, then the shut-down.
  void Run();

  // Handles one event as the event loop does.
  void Dispatch(const Event& event);
  // Delivers the waiting messages and handles every event they raise.
  void HandlePendingEvents();
  // Writes "lastfile" to the settings file.
  void ShutDown();

  bool quitting() const { return quit_ != 0; }
  Document& document() { return document_; }
  const Settings& settings() const { return settings_; }
  const TextTable& texts() const { return texts_; }
  const Skin& skin() const { return skin_; }
  MainWindow& window() { return *window_; }
  EventQueue& events() { return events_; }
  void SetPopupMenuShower(PopupMenuShower shower) { show_popup_ = std::move(shower); }
  void SetClock(Clock today) { today_ = std::move(today); }
  PropertyPanel& panel() { return *panel_; }
  // The options window while it is open, else null.
  OptionsWindow* options() { return options_; }
  // The about box while it is open, else null.
  AboutBox* about() { return about_; }
  // The help window while it is open, else null.
  HelpWindow* help() { return help_; }
  // The feedback form while it is open, else null.
  FeedbackForm* feedback() { return feedback_; }
  // The find window once it has been opened, else null.
  FindWindow* find() { return find_.get(); }
  // Where the feedback mail goes.
  void SetMailRoute(MailRoute route) { mail_route_ = std::move(route); }
  // Where recovery copies are kept, in place of the user's local application
  // data; before Start.
  void SetRecoveryFolder(std::string folder) { recovery_folder_ = std::move(folder); }
  // The library that hosts the help's browser control.
  void SetHelpLibrary(const char* library) { help_library_ = library; }

  // Brings the main window, its icons, fonts, toolbar and texts, the
  // start-up entry and the layout in line with the settings just read.
  void ApplySettings();

  // The parts of the window that the file commands change.
  RowView& Rows() override;
  UrgencyColours Colours() const override;
  void SetTitle(const std::string& title) override;
  void PrepareCategoryPanel(const CategoryRecord& category, bool show_progress) override;
  void EnableCategoryPanel() override;
  void HoldRedraw() override;
  void ReleaseRedraw() override;
  void DocumentReplaced() override;
  bool TakeInChangesElsewhere() override;
  void DocumentWritten() override;

  const EditHistory& history() const { return history_; }
  const std::vector<std::string>& recent_files() const { return recent_files_; }

 private:
  // The command modules, each adding its commands to the table.
  void AddFileCommands();
  void AddEditCommands();
  void AddHistoryCommands();
  void AddFindCommands();
  void AddRecentFileCommands();
  void AddExportCommands();
  void AddHelpCommands();
  void AddViewCommands();
  // The menu items greyed as the rules of their commands say.
  void ShowCommandState();

  FileCommands Commands();
  void ApplyStartupLayout();
  void NarrowLayout();
  void WideLayout();
  // After a write of the settings file: the first one of the run that
  // failed is said, naming the file.
  void SettingsFileWritten(bool written);
  void ShowFirstDocument(const FirstDocument& first);
  // The first row selected, with the category panel ready for it.
  void SelectFirstRow();
  void DispatchTree(const Event& event);
  // One of the edit commands on the selected `row`.
  void EditCommand(int command, int row);
  void ContentsAdded(int row);
  void AddFromKeys(int command, int row);
  // The row the user let go over another, where the drop puts it.
  void DropDraggedRow();
  void DeleteAsking(const EditTarget& target, int row);
  void Relayout();
  void Quit();
  // The selected row when it is a row of the document, else -1.
  int SelectedRow() const;
  std::optional<LRESULT> MainWindowCallback(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam);
  std::optional<LRESULT> EndLabelEdit(const NMTVDISPINFOA& edit);
  void DescriptionChanged(int gadget);
  // After anything that may have changed the document: the change becomes a
  // step of the history (joining the step before when `run` is the same
  // non-zero number, as typing in one box does), a saved document marks its
  // state, and the menu items are greyed as their commands apply.
  void RecordChange(std::uint64_t run = 0, StepSelection selection = {});
  // The run of changes to `gadget` on the selected row.
  std::uint64_t RunOf(int gadget) const;
  void TakeStep(bool forward);

  // File > Options, and the Help menu's windows and web pages.
  void OpenOptions();
  void OpenWebPage(std::string_view address);
  void ShowAbout();
  void ShowHelp();
  void ShowFeedback();

  // Changes made to the document's file elsewhere: looked for when the
  // window becomes active and before Save, shown at once or merged with the
  // unsaved changes as one step of the history, and said in the status line
  // until the next save.
  enum class LookOutcome { Unchanged, TakenIn, Unreadable, PutOff };
  // Puts the look off while the user is in the middle of something, unless
  // Save asks.
  LookOutcome LookAtDocumentFile(bool saving = false);
  // The document was read from or written to its file, or has none: its
  // file and folder are watched from now on and it is marked open by this
  // program. True when another running Lumvik has newly marked it so too.
  bool WatchDocumentFile(DocumentFileWatch::Origin origin);
  void ShowChangesElsewhere(MergedDocument merged, bool had_changes);
  // Clears the status line's values unless given.
  void ShowStatus(int text, std::vector<std::string> values = {});
  std::optional<LRESULT> LookAgainMessage(UINT message, WPARAM wparam);

  // The File menu's recent documents.
  void LoadRecentFiles();
  void RememberDocumentFile();
  void RecentFilesChanged();
  void OpenRecentFile(int number);

  // The View menu's filters, remembered in the settings file, and the
  // find window's narrowing to the rows that match. The tree shows what they
  // leave, with the selected row (or, once, `found`) kept in sight, its
  // categories open as they were unless the find window's box is ticked and
  // many rows show; the status line says how many of the tasks are shown.
  void StartView();
  ViewSettings ViewChoices() const;
  void ToggleFilter(int command);
  void ShowEverything();
  void ViewChanged();
  void MatchingChanged();
  void RefreshView(int found = -1);
  // What an export or a printout of the view holds: the rows it shows,
  // without a row kept in sight though the view hides it, and the note on
  // how many of the tasks those are, empty when no row is left out.
  struct ViewedPart {
    Document rows;
    std::string note;
  };
  ViewedPart PartShown() const;
  // The first of them, or -1.
  int FirstShownRow() const;
  // Shift+F10 and the context-menu key.
  void ShowSelectedRowMenu();

  // File > Export and File > Print.
  void ExportDocumentCommand();
  void PrintCommand();

  // The find window, the searches and the marks of the tasks that fall due.
  void OpenFind();
  void FindAgain(bool forward);
  void NextOverdue();
  void ShowFoundRow(int row);
  void StartDueMarks();
  void FollowClock();
  std::optional<LRESULT> ClockMessage(UINT message, WPARAM wparam);

  // The recovery copy: the keeper of this program's copy; the newest copy
  // left by a program that ended, offered back (true when the user took it);
  // a copy taken soon after a change while the document has unsaved
  // changes, and removed once it has none.
  void StartRecovery();
  bool OfferRecoveredCopy();
  void RecoveryAfterChange(bool changed);
  bool HasChangesToRecover() const;
  void KeepRecoveryCopy();
  void RecoveryTick();
  void StopRecoveryTimer();
  // The copy's timer and the end of the Windows session.
  std::optional<LRESULT> RecoveryMessage(UINT message, WPARAM wparam);

  HINSTANCE program_;
  Prompt& prompt_;
  const Registry& registry_;
  std::string program_folder_;
  Document document_;
  Settings settings_;
  TextTable texts_{kLumvikTextCount};
  Skin skin_;
  EventQueue events_;
  CommandTable command_table_;
  std::unique_ptr<MainWindow> window_;
  Clock today_ = LocalToday;
  std::unique_ptr<PropertyPanel> panel_;
  std::unique_ptr<RedrawHold> redraw_hold_;
  PopupMenuShower show_popup_;
  EditHistory history_;
  std::string recovery_folder_;
  std::unique_ptr<RecoveryKeeper> recovery_;
  bool recovery_timer_ = false;
  bool copy_kept_ = false;     // this program's copy is there, or asked for
  bool copy_current_ = false;  // the copy asked for last holds the document
  OptionsWindow* options_ = nullptr;
  AboutBox* about_ = nullptr;
  HelpWindow* help_ = nullptr;
  FeedbackForm* feedback_ = nullptr;
  std::unique_ptr<FindWindow> find_;
  std::vector<std::string> recent_files_;  // newest first
  DocumentFileWatch file_watch_;
  std::unique_ptr<FolderWatch> folder_watch_;
  std::string marked_open_;  // the document's path as marked open
  int status_text_ = 0;      // the status line's text, 0 for none
  bool taken_in_by_save_ = false;
  int unreadable_looks_ = 0;  // in a row
  std::vector<std::string> status_values_;
  ViewFilter view_filter_;
  bool rows_narrowed_ = false;    // the tree hides rows
  bool matching_ticked_ = false;  // the find window's box, as last heard of
  std::string view_status_;       // how many of the tasks the tree shows
  // The row a search found where the view hides it, while it is in sight.
  std::optional<TreeEntry> found_row_;
  CalendarDate marks_today_;  // the day the due marks are drawn for
  MailRoute mail_route_ = BuildMailRoute();
  const char* help_library_ = "atl.dll";
  int quit_ = 0;
  bool ended_at_once_ = false;         // nothing more is written when the toolbar is lost
  bool settings_file_behind_ = false;  // it could not take the options confirmed last
  bool settings_file_refusal_told_ = false;
  bool user_sizing_ = false;
  bool label_editing_ = false;
  bool started_ = false;  // the first document is shown
};

}  // namespace lumvik
