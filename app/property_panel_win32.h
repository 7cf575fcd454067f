// The property panel beside the tree: the selected row's values shown in the
// category panel or the task panel, and what the user changes there stored
// in the row's record.
#pragma once

#include <cstdint>
#include <functional>

#include "app/main_window_win32.h"
#include "app/skin_win32.h"
#include "config/settings.h"
#include "document/date_mask.h"
#include "document/document.h"
#include "platform/event_queue_win32.h"

namespace lumvik {

// Today's date, as the calendars of a new task show it.
using Clock = std::function<CalendarDate()>;
CalendarDate LocalToday();

class PropertyPanel {
 public:
  // `settings` and `skin` are read at each use, so that they may change
  // while the program runs.
  PropertyPanel(MainWindow& window, Document& document, const Settings& settings, const Skin& skin,
                const Clock& today);

  void ShowRow(int position);
  // Shows the category panel (kind 0) or the task panel, unless the panel
  // is turned off in the settings.
  void ShowPanelFor(std::int16_t kind);
  void ShowCategoryValues(int position);
  void ShowTaskValues(int position);

  // The user changed a status, an importance, a date or a progress.
  void HandleGadget(int gadget, GadgetAction action);

  // True while the panel puts values into its controls: the description
  // boxes' change notifications are then not the user's typing.
  bool filling() const { return filling_; }

 private:
  void StatusChosen(TaskRecord& task, int position);
  void ImportanceChosen(TaskRecord& task, int position);
  void DateChosen(int gadget, std::string& stored, GadgetAction action);
  void TaskProgressMoved(TaskRecord& task, int position);
  void CategoryProgressMoved(CategoryRecord& category, int position);
  void SetProgressText(int value_gadget, int slider_gadget);
  void Changed();
  void FocusTree();

  MainWindow& window_;
  Document& document_;
  const Settings& settings_;
  const Skin& skin_;
  const Clock& today_;
  bool filling_ = false;
};

}  // namespace lumvik
