// The commands that change the rows of the document: adding, deleting and
// moving categories and tasks, from the pop-up menus, the toolbar and the
// Delete key.
#include "app/lumvik_app_win32.h"
#include "config/text_numbers.h"
#include "document/date_mask.h"
#include "document/row_edits.h"
#include "document/row_moves.h"

namespace lumvik {

void LumvikApp::EditCommand(int command) {
  const int row = SelectedRow();
  if (row < 0) return;
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
    default:
      return;
  }
  document_.saved = 0;
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

}  // namespace lumvik
