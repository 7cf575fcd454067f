#include "app/property_panel_win32.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>

#include "document/progress_propagation.h"
#include "document/row_decoration.h"
#include "document/stored_form.h"
#include "document/tree_queries.h"
#include "theme/urgency_colours.h"

namespace lumvik {

namespace {

constexpr int kCategoryLayoutShown[] = {kGadgetCategoryPanel, kGadgetCategoryName,
                                        kGadgetCategoryDescriptionCaption,
                                        kGadgetCategoryDescription};
constexpr int kCategoryProgressGadgets[] = {kGadgetCategoryProgress, kGadgetCategoryProgressCaption,
                                            kGadgetCategoryProgressValue};

SYSTEMTIME SystemTimeOf(const CalendarDate& date) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  return time;
}

CalendarDate CalendarDateOf(const SYSTEMTIME& time) { return {time.wYear, time.wMonth, time.wDay}; }

int SliderPosition(HWND slider) {
  return static_cast<int>(::SendMessageA(slider, TBM_GETPOS, 0, 0));
}

}  // namespace

CalendarDate LocalToday() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return CalendarDateOf(now);
}

PropertyPanel::PropertyPanel(MainWindow& window, Document& document, const Settings& settings,
                             const Skin& skin, const Clock& today)
    : window_(window), document_(document), settings_(settings), skin_(skin), today_(today) {}

void PropertyPanel::ShowRow(int position) {
  if (position < 0 || position >= static_cast<int>(document_.rows.size())) return;
  const std::int16_t kind = document_.rows[position].kind;
  ShowPanelFor(kind);
  if (kind == kCategoryRow) {
    ShowCategoryValues(position);
  } else {
    ShowTaskValues(position);
  }
}

void PropertyPanel::ShowPanelFor(std::int16_t kind) {
  if (settings_.droite != 0) return;
  const auto show_all = [this](const auto& gadgets, bool shown) {
    for (int gadget : gadgets) window_.ShowGadget(gadget, shown);
  };
  if (kind == kCategoryRow) {
    show_all(kTaskPanelGadgets, false);
    show_all(kCategoryLayoutShown, true);
    // A category with contents follows them; only one without any is set by hand.
    const int selected = window_.rows().Selection();
    const bool has_contents = selected >= 0 && selected < static_cast<int>(document_.rows.size()) &&
                              DescendantCount(document_.rows, selected) != 0;
    show_all(kCategoryProgressGadgets, !has_contents);
  } else {
    show_all(kCategoryLayoutShown, false);
    show_all(kCategoryProgressGadgets, false);
    show_all(kTaskPanelGadgets, true);
  }
}

void PropertyPanel::ShowCategoryValues(int position) {
  const CategoryRecord& category = document_.categories[document_.rows[position].index];
  filling_ = true;
  ::SetWindowTextA(window_.Gadget(kGadgetCategoryName), category.nom.c_str());
  ::SetWindowTextA(window_.Gadget(kGadgetCategoryDescription),
                   DesignationFromStoredForm(category.designation).c_str());
  ::SendMessageA(window_.Gadget(kGadgetCategoryProgress), TBM_SETPOS, TRUE, category.avancement);
  SetProgressText(kGadgetCategoryProgressValue, kGadgetCategoryProgress);
  filling_ = false;
}

void PropertyPanel::ShowTaskValues(int position) {
  const TaskRecord& task = document_.tasks[document_.rows[position].index];
  filling_ = true;
  ::SetWindowTextA(window_.Gadget(kGadgetTaskName), task.nom.c_str());
  ::SetWindowTextA(window_.Gadget(kGadgetTaskDescription),
                   DesignationFromStoredForm(task.designation).c_str());
  ::SendMessageA(window_.Gadget(kGadgetStatusList), CB_SETCURSEL, task.statut - 1, 0);
  ::SendMessageA(window_.Gadget(kGadgetImportanceList), CB_SETCURSEL, task.importance - 1, 0);
  // A date that is no date (an empty one from a file) shows today's until
  // the user picks one.
  for (const auto& [gadget, text] : {std::pair{kGadgetStartDate, &task.datedebut},
                                     std::pair{kGadgetDueDate, &task.dateecheance}}) {
    SYSTEMTIME shown = SystemTimeOf(ReadMaskedDate(*text).value_or(today_()));
    ::SendMessageA(window_.Gadget(gadget), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
  }
  ::SendMessageA(window_.Gadget(kGadgetTaskProgress), TBM_SETPOS, TRUE, task.avancement);
  SetProgressText(kGadgetTaskProgressValue, kGadgetTaskProgress);
  filling_ = false;
}

void PropertyPanel::HandleGadget(int gadget, GadgetAction action) {
  const int position = window_.rows().Selection();
  if (position < 0 || position >= static_cast<int>(document_.rows.size())) return;
  const TreeEntry& row = document_.rows[position];
  // The task controls change only a task and the category slider only a
  // category, whatever a stray notification may say.
  if (gadget == kGadgetCategoryProgress) {
    if (row.kind == kCategoryRow)
      CategoryProgressMoved(document_.categories.Edit(row.index), position);
    return;
  }
  if (row.kind != kTaskRow) return;
  TaskRecord& task = document_.tasks.Edit(row.index);
  switch (gadget) {
    case kGadgetStatusList:
      StatusChosen(task, position);
      break;
    case kGadgetImportanceList:
      ImportanceChosen(task, position);
      break;
    case kGadgetStartDate:
      DateChosen(gadget, task.datedebut, action);
      break;
    case kGadgetDueDate:
      DateChosen(gadget, task.dateecheance, action);
      break;
    case kGadgetTaskProgress:
      TaskProgressMoved(task, position);
      break;
    default:
      break;
  }
}

void PropertyPanel::StatusChosen(TaskRecord& task, int position) {
  const LRESULT item = ::SendMessageA(window_.Gadget(kGadgetStatusList), CB_GETCURSEL, 0, 0);
  if (item < 0 || item == task.statut - 1) return;
  task.statut = static_cast<std::int16_t>(item + 1);
  ShowTaskStatus(window_.rows(), position, task);
  Changed();
  FocusTree();
}

void PropertyPanel::ImportanceChosen(TaskRecord& task, int position) {
  const LRESULT item = ::SendMessageA(window_.Gadget(kGadgetImportanceList), CB_GETCURSEL, 0, 0);
  if (item < 0 || item == task.importance - 1) return;
  task.importance = static_cast<std::int16_t>(item + 1);
  ShowTaskColours(window_.rows(), position, task, UrgencyColoursOf(skin_.theme));
  Changed();
  FocusTree();
}

void PropertyPanel::DateChosen(int gadget, std::string& stored, GadgetAction action) {
  SYSTEMTIME chosen{};
  if (::SendMessageA(window_.Gadget(gadget), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&chosen)) ==
      0) {
    return;
  }
  const CalendarDate date = CalendarDateOf(chosen);
  const std::optional<CalendarDate> held = ReadMaskedDate(stored);
  // A stored text that is no date is kept until the user picks a day: the
  // calendar only shows today's in its place.
  if (held ? *held == date : action != GadgetAction::Picked) return;
  stored = WriteMaskedDate(date);
  Changed();
  FocusTree();
}

void PropertyPanel::TaskProgressMoved(TaskRecord& task, int position) {
  SetProgressText(kGadgetTaskProgressValue, kGadgetTaskProgress);
  task.avancement = static_cast<std::int16_t>(SliderPosition(window_.Gadget(kGadgetTaskProgress)));
  Changed();
  ShowTaskProgress(window_.rows(), position, task);
  const UrgencyColours colours = UrgencyColoursOf(skin_.theme);
  PropagateProgress({document_, window_.rows(), colours}, position);
}

void PropertyPanel::CategoryProgressMoved(CategoryRecord& category, int position) {
  SetProgressText(kGadgetCategoryProgressValue, kGadgetCategoryProgress);
  category.avancement =
      static_cast<std::int16_t>(SliderPosition(window_.Gadget(kGadgetCategoryProgress)));
  Changed();
  RefreshCategoryRow(window_.rows(), position, category);
  const UrgencyColours colours = UrgencyColoursOf(skin_.theme);
  PropagateProgress({document_, window_.rows(), colours}, position);
}

void PropertyPanel::SetProgressText(int value_gadget, int slider_gadget) {
  const std::string text =
      std::to_string(SliderPosition(window_.Gadget(slider_gadget)) * 10) + " %";
  ::SetWindowTextA(window_.Gadget(value_gadget), text.c_str());
}

void PropertyPanel::Changed() { document_.saved = 0; }

void PropertyPanel::FocusTree() { ::SetFocus(window_.rows().tree()); }

}  // namespace lumvik
