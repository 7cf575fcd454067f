// Undo and redo: every change to the document becomes a step of the edit
// history, and the tree and the panel show a step taken back or forward.
#include "app/lumvik_app_win32.h"
#include "config/text_numbers.h"
#include "document/change_view.h"

namespace lumvik {

void LumvikApp::AddHistoryCommands() {
  command_table_.Add(
      {kCmdUndo}, [this](int) { TakeStep(false); }, [this] { return history_.CanUndo(); });
  command_table_.Add(
      {kCmdRedo}, [this](int) { TakeStep(true); }, [this] { return history_.CanRedo(); });
}

void LumvikApp::DocumentReplaced() {
  ShowStatus(WatchDocumentFile(DocumentFileWatch::Origin::Read) ? kTextOpenInAnotherLumvik : 0);
  history_.Reset(document_);
  RecordChange();
  // A view that hides the row a new document starts on selects the first
  // row it shows, or keeps the first in sight, as at start.
  if (view_filter_.Active()) SelectFirstRow();
}

std::uint64_t LumvikApp::RunOf(int gadget) const {
  const int row = SelectedRow();
  if (row < 0) return 0;
  const TreeEntry& entry = document_.rows[row];
  return (static_cast<std::uint64_t>(gadget) << 40) |
         (static_cast<std::uint64_t>(entry.kind) << 32) | static_cast<std::uint32_t>(entry.index);
}

void LumvikApp::RecordChange(std::uint64_t run, StepSelection selection) {
  const bool changed = history_.Record(document_, run, selection);
  if (changed && view_filter_.Active()) RefreshView();
  if (document_.saved == 1) history_.MarkSaved();
  ShowCommandState();
  RecoveryAfterChange(changed);
  RememberDocumentFile();
}

void LumvikApp::TakeStep(bool forward) {
  // A name being typed in the tree keeps its own keys.
  if (label_editing_) return;
  const std::optional<DocumentChange> change =
      forward ? history_.Redo(document_) : history_.Undo(document_);
  if (!change) return;
  const UrgencyColours colours = Colours();
  HoldRedraw();
  ShowChange({document_, window_->rows(), colours}, *change);
  ReleaseRedraw();
  document_.saved = history_.AtSaved() ? 1 : 0;
  if (const int row = SelectedRow(); row >= 0) panel_->ShowRow(row);
  // The history holds the step already: nothing is left to record.
  ShowCommandState();
  RecoveryAfterChange(true);
}

}  // namespace lumvik
