// The commands that change the rows of the document: adding, deleting,
// renaming and moving categories and tasks, from the pop-up menus, the
// toolbar, the Delete key and the keys of the tree; and the names and
// descriptions typed in the tree and the panel.
#include "app/lumvik_app_win32.h"
#include "config/text_numbers.h"
#include "document/date_mask.h"
#include "document/row_drop.h"
#include "document/row_edits.h"
#include "document/row_levels.h"
#include "document/row_moves.h"
#include "document/stored_form.h"
#include "document/tree_queries.h"
#include "platform/window_classes_win32.h"

namespace lumvik {

void LumvikApp::AddEditCommands() {
  // Each works on the selected row.
  const auto row_selected = [this] { return SelectedRow() >= 0; };
  command_table_.Add(
      {kCmdAddCategory, kCmdAddSubCategory, kCmdAddTask, kCmdDeleteCategory, kCmdDeleteTask,
       kCmdMoveUp, kCmdMoveDown, kCmdDeleteAsking, kCmdKeyAddTask, kCmdKeyAddSubCategory,
       kCmdKeyAddCategory, kCmdMoveIn, kCmdMoveOut},
      [this](int command) { EditCommand(command, SelectedRow()); }, row_selected);
  command_table_.Add(
      {kCmdRenameCategory, kCmdRenameTask},
      [this](int) { window_->rows().EditLabel(SelectedRow()); }, row_selected);
}

void LumvikApp::EditCommand(int command, int row) {
  const UrgencyColours colours = Colours();
  const EditTarget target{document_, window_->rows(), colours};
  const bool on_category = document_.rows[row].kind == kCategoryRow;
  switch (command) {
    case kCmdAddCategory:
      AddSiblingCategory(target, row, texts_[kTextNewCategory]);
      break;
    case kCmdAddSubCategory:
      AddSubCategory(target, row, texts_[kTextNewCategory]);
      ContentsAdded(row);
      break;
    case kCmdAddTask:
      AddTask(target, row, texts_[kTextNewTask], WriteMaskedDate(today_()));
      ContentsAdded(row);
      break;
    // The pop-up menus name the kind; a selection that changed kind since
    // the menu opened deletes nothing.
    case kCmdDeleteCategory:
      if (on_category) DeleteCategory(target, row);
      break;
    case kCmdDeleteTask:
      if (!on_category) DeleteTask(target, row);
      break;
    case kCmdMoveUp:
      on_category ? MoveCategoryUp(target, row) : MoveTaskUp(target, row);
      break;
    case kCmdMoveDown:
      on_category ? MoveCategoryDown(target, row) : MoveTaskDown(target, row);
      break;
    case kCmdDeleteAsking:
      if (window_->rows().Count() < 2) return;
      DeleteAsking(target, row);
      break;
    case kCmdKeyAddTask:
    case kCmdKeyAddSubCategory:
    case kCmdKeyAddCategory:
      AddFromKeys(command, row);
      return;
    case kCmdMoveIn:
      if (!MoveRowIn(target, row)) return;
      break;
    case kCmdMoveOut:
      if (!MoveRowOut(target, row)) return;
      break;
    default:
      return;
  }
  document_.saved = 0;
}

void LumvikApp::DropDraggedRow() {
  const std::optional<RowDrop> drop = window_->TakeDrop();
  if (!drop || drop->row >= static_cast<int>(document_.rows.size())) return;
  const UrgencyColours colours = Colours();
  if (DropRow({document_, window_->rows(), colours}, drop->row, drop->onto)) {
    document_.saved = 0;
  }
}

// The tree's Insert keys add to the selected category, or to the category
// of the selected task, as its pop-up menu does.
void LumvikApp::AddFromKeys(int command, int row) {
  const int category =
      document_.rows[row].kind == kCategoryRow ? row : ParentRow(document_.rows, row);
  if (category < 0 || document_.rows[category].kind != kCategoryRow) return;
  window_->rows().Select(category);
  EditCommand(command == kCmdKeyAddTask          ? kCmdAddTask
              : command == kCmdKeyAddSubCategory ? kCmdAddSubCategory
                                                 : kCmdAddCategory,
              category);
}

// A category that has just been given contents follows them from now on:
// the panel showing it takes its progress slider away, and shows the
// progress the new child brought.
void LumvikApp::ContentsAdded(int row) {
  window_->rows().Expand(row);
  panel_->ShowRow(row);
}

void LumvikApp::DeleteAsking(const EditTarget& target, int row) {
  const bool on_category = document_.rows[row].kind == kCategoryRow;
  // The only category of a document stays.
  if (on_category && document_.categories.size() < 2) return;
  const Answer answer =
      prompt_.Message(texts_[kTextProgramName], texts_[kTextConfirmDelete], Buttons::YesNo);
  if (answer != Answer::Yes) return;
  on_category ? DeleteCategory(target, row) : DeleteTask(target, row);
}

std::optional<LRESULT> LumvikApp::EndLabelEdit(const NMTVDISPINFOA& edit) {
  if (edit.item.pszText == nullptr) return std::nullopt;  // cancelled
  const std::string name = edit.item.pszText;
  if (name.empty()) return FALSE;  // the old name stays
  const int row = SelectedRow();
  if (row >= 0) {
    const TreeEntry& entry = document_.rows[row];
    if (entry.kind == kCategoryRow) {
      document_.categories.Edit(entry.index).nom = name;
      ::SetWindowTextA(window_->Gadget(kGadgetCategoryName), name.c_str());
    } else {
      document_.tasks.Edit(entry.index).nom = name;
      ::SetWindowTextA(window_->Gadget(kGadgetTaskName), name.c_str());
    }
  }
  document_.saved = 0;
  RecordChange(0, {row, row});
  return TRUE;
}

void LumvikApp::DescriptionChanged(int gadget) {
  if (panel_->filling()) return;  // the program showing a row is no change
  const std::string stored = DesignationToStoredForm(WindowText(window_->Gadget(gadget)));
  const int row = SelectedRow();
  if (row >= 0) {
    const TreeEntry& entry = document_.rows[row];
    if (gadget == kGadgetCategoryDescription && entry.kind == kCategoryRow) {
      document_.categories.Edit(entry.index).designation = stored;
    } else if (gadget == kGadgetTaskDescription && entry.kind == kTaskRow) {
      document_.tasks.Edit(entry.index).designation = stored;
    }
  }
  document_.saved = 0;
  RecordChange(RunOf(gadget), {row, row});
}

}  // namespace lumvik
