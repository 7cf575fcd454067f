// Changes made to the document's file elsewhere (another computer through a
// sync service, another Lumvik, a script) are never overwritten: Lumvik looks
// at its file when its window becomes active and before it saves, shows a
// changed file at once when the document has no unsaved changes, and merges
// it with them when it has.
#include <chrono>
#include <set>

#include "app/lumvik_app_win32.h"
#include "config/text_numbers.h"
#include "document/tree_rebuild.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace lumvik {

namespace {

constexpr UINT_PTR kLookAgainTimer = 3;
// A file being replaced, or a name being typed, is looked at again soon.
constexpr UINT kLookAgainMs = 2000;
// A change in the folder: a sync service writes a file in bursts, so it is
// looked at once the burst is over.
constexpr UINT kFolderChanged = WM_APP + 1;
constexpr UINT kAfterFolderChangeMs = 300;
// A file that stays unreadable this many looks is said, and looked at less often.
constexpr int kLooksBeforeSayingUnreadable = 5;
constexpr UINT kLookLaterMs = 10000;
// How long Save waits for a file held by another program to be readable.
constexpr std::chrono::milliseconds kPatienceAtSave{2000};

// The names of a row and of each category above it, to find it again in
// another version of the document.
std::vector<std::string> RowPaths(const Document& document) {
  std::vector<std::string> paths;
  std::vector<std::pair<std::int32_t, std::string>> open;  // level, path
  for (const TreeEntry& entry : document.rows) {
    while (!open.empty() && open.back().first >= entry.level) open.pop_back();
    const std::string& name = entry.kind == kCategoryRow
                                  ? document.categories[static_cast<std::size_t>(entry.index)].nom
                                  : document.tasks[static_cast<std::size_t>(entry.index)].nom;
    std::string path = (open.empty() ? std::string() : open.back().second + '\n') + name;
    paths.push_back(path);
    open.emplace_back(entry.level, std::move(path));
  }
  return paths;
}

// What ends the name of their version of a task: the language file cannot
// hold a text's leading blank, so it is put before the words here.
std::string ChangedElsewhereMark(const TextTable& texts) {
  return " " + texts[kTextChangedElsewhere];
}

}  // namespace

bool LumvikApp::WatchDocumentFile(DocumentFileWatch::Origin origin) {
  // A document read from its file is watched; a new or recovered one is
  // not, until it is saved.
  const bool has_file = document_.saved == 1 && !document_.file_path.empty();
  const std::string path = has_file ? document_.file_path : std::string();
  if (has_file) {
    file_watch_.Remember(document_, origin);
  } else {
    file_watch_.Forget();
  }
  if (!folder_watch_)
    folder_watch_ = std::make_unique<FolderWatch>(window_->window(), kFolderChanged);
  std::string folder = FolderOf(path);
  // "C:\" stays as it is; any other folder is named without its last separator.
  if (folder.size() > 3) folder.pop_back();
  folder_watch_->Watch(folder);
  if (path == marked_open_) return false;
  marked_open_ = path;
  recovery_->MarkOpen(path);
  return has_file && recovery_->OpenElsewhere(path);
}

void LumvikApp::DocumentWritten() {
  const bool open_elsewhere = WatchDocumentFile(DocumentFileWatch::Origin::Written);
  // What an earlier look took in is in the file now; what this save took in
  // stays said until the next one.
  const bool taken_in = std::exchange(taken_in_by_save_, false);
  if (open_elsewhere) {
    ShowStatus(kTextOpenInAnotherLumvik);
  } else if (!taken_in) {
    ShowStatus(0);
  }
}

bool LumvikApp::TakeInChangesElsewhere() {
  // What the user is doing ends first: the name being typed is kept, the
  // drag given up, so that the look is not put off.
  if (label_editing_) TreeView_EndEditLabelNow(window_->rows().tree(), FALSE);
  window_->CancelRowDrag();
  const auto deadline = std::chrono::steady_clock::now() + kPatienceAtSave;
  for (;;) {
    const LookOutcome outcome = LookAtDocumentFile(true);
    taken_in_by_save_ = outcome == LookOutcome::TakenIn;
    if (outcome != LookOutcome::Unreadable) return true;
    // A file that is gone, or empty, has nothing to lose; one held by
    // another program is waited for, and never written over unread.
    const std::optional<FileStamp> stamp = FileStampOf(document_.file_path);
    if (!PathExists(document_.file_path) || (stamp && stamp->size == 0)) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    ::Sleep(100);
  }
}

std::optional<LRESULT> LumvikApp::LookAgainMessage(UINT message, WPARAM wparam) {
  if (message == kFolderChanged) {
    ::SetTimer(window_->window(), kLookAgainTimer, kAfterFolderChangeMs, nullptr);
    return 0;
  }
  if (message != WM_TIMER || wparam != kLookAgainTimer) return std::nullopt;
  ::KillTimer(window_->window(), kLookAgainTimer);
  // Through the event loop, so that a window open over the main one (which
  // runs its own loop) is closed first.
  events_.Post(EventKind::ActivateWindow, 0, 0);
  return 0;
}

LumvikApp::LookOutcome LumvikApp::LookAtDocumentFile(bool saving) {
  if (!file_watch_.watching()) return LookOutcome::Unchanged;
  // A name being typed, a row being dragged or a description being typed
  // finishes first.
  const HWND focus = ::GetFocus();
  const bool typing = window_->IsGadget(focus, kGadgetTaskDescription) ||
                      window_->IsGadget(focus, kGadgetCategoryDescription);
  if (!saving && (label_editing_ || window_->DraggingRow() || typing)) {
    ::SetTimer(window_->window(), kLookAgainTimer, kLookAgainMs, nullptr);
    return LookOutcome::PutOff;
  }
  DocumentFileWatch::Look look = file_watch_.LookAgain(texts_[kTextProgramName]);
  if (look.finding != DocumentFileWatch::Finding::Unreadable) unreadable_looks_ = 0;
  switch (look.finding) {
    case DocumentFileWatch::Finding::Unchanged:
      return LookOutcome::Unchanged;
    case DocumentFileWatch::Finding::Unreadable:
      // Looked at again and again, less often once it has stayed so; said
      // once.
      if (++unreadable_looks_ == kLooksBeforeSayingUnreadable) ShowStatus(kTextFileUnreadable);
      ::SetTimer(window_->window(), kLookAgainTimer,
                 unreadable_looks_ < kLooksBeforeSayingUnreadable ? kLookAgainMs : kLookLaterMs,
                 nullptr);
      return LookOutcome::Unreadable;
    case DocumentFileWatch::Finding::NotADocument:
      ShowStatus(kTextFileNoLongerDocument);
      return LookOutcome::Unchanged;
    case DocumentFileWatch::Finding::Changed:
      break;
  }
  const bool had_changes = document_.saved == 0;
  MergedDocument merged =
      MergeDocuments(file_watch_.Base(), look.theirs, document_, ChangedElsewhereMark(texts_));
  file_watch_.TakeIn(std::move(look));
  ShowChangesElsewhere(std::move(merged), had_changes);
  return LookOutcome::TakenIn;
}

void LumvikApp::ShowChangesElsewhere(MergedDocument merged, bool had_changes) {
  TreeRowView& rows = window_->rows();
  // The selected row and the open categories stay so where they still are.
  const std::vector<std::string> paths_before = RowPaths(document_);
  const int selected = SelectedRow();
  std::set<std::string> open;
  for (int row = 0; row < static_cast<int>(paths_before.size()); ++row) {
    if (rows.Expanded(row)) open.insert(paths_before[static_cast<std::size_t>(row)]);
  }

  merged.document.file_path = document_.file_path;
  document_ = std::move(merged.document);
  // Without changes of its own, the document is the file as it stands.
  document_.saved = had_changes ? 0 : 1;
  HoldRedraw();
  RebuildTree(rows, document_, Colours());
  ReleaseRedraw();
  const std::vector<std::string> paths = RowPaths(document_);
  int reselect = -1;
  for (int row = 0; row < static_cast<int>(paths.size()); ++row) {
    const std::string& path = paths[static_cast<std::size_t>(row)];
    if (open.contains(path)) rows.Expand(row);
    if (selected >= 0 && path == paths_before[static_cast<std::size_t>(selected)] &&
        (reselect < 0 || row == selected)) {
      reselect = row;
    }
  }
  if (reselect < 0 && selected >= 0 && !paths.empty()) {
    reselect = std::min(selected, static_cast<int>(paths.size()) - 1);
  }
  if (reselect >= 0) {
    rows.Select(reselect);
    panel_->ShowRow(reselect);
  }
  RecordChange(0, {selected, reselect});  // one step, which Undo takes back
  // Merged, the document is not the file; nor is any earlier state now.
  if (had_changes) history_.ForgetSaved();

  const std::vector<std::string> counts = {std::to_string(merged.rows_from_elsewhere),
                                           std::to_string(merged.conflicts.size())};
  ShowStatus(merged.conflicts.empty() ? kTextRowsFromElsewhere : kTextRowsAndConflictsFromElsewhere,
             counts);
}

void LumvikApp::ShowStatus(int text, std::vector<std::string> values) {
  status_text_ = text;
  status_values_ = std::move(values);
  std::string shown = text == 0 ? std::string() : FillPlaceholders(texts_[text], status_values_);
  // What the view shows comes first: it stays while the view narrows the tree.
  if (!view_status_.empty()) shown = shown.empty() ? view_status_ : view_status_ + " \x97 " + shown;
  ::SetWindowTextA(window_->Gadget(kGadgetStatusLine), shown.c_str());
}

}  // namespace lumvik
