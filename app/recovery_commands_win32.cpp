// Recovery after a crash: while the document has unsaved changes, a copy of
// it is kept in the user's local application data, and the next start
// offers it back.
#include <shlobj.h>

#include <cstdio>

#include "app/lumvik_app_win32.h"
#include "config/text_numbers.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/system_library_win32.h"

namespace lumvik {

namespace {

constexpr UINT_PTR kRecoveryTimer = 1;
// How long after a change the copy is taken: a burst of typing makes one copy.
constexpr UINT kRecoveryDelayMs = 2000;

std::string LocalApplicationData() {
  // The environment names the folder on every system since Vista, without
  // the shell's library, which the start would otherwise wait for.
  char folder[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableA("LOCALAPPDATA", folder, sizeof folder);
  if (length > 0 && length < sizeof folder && IsDirectory(std::string(folder, length))) {
    return std::string(folder, length);
  }
  auto* folder_path =
      SystemFunction<decltype(::SHGetFolderPathA)>("shell32.dll", "SHGetFolderPathA");
  if (folder_path == nullptr || FAILED(folder_path(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE,
                                                   nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return {};
  }
  return folder;
}

std::string DefaultRecoveryFolder() {
  const std::string folder = LocalApplicationData();
  return folder.empty() ? std::string() : JoinPath(JoinPath(folder, "Lumvik"), "recovery");
}

// The start time and the process number: a name no other Lumvik takes.
std::string OwnCopyName() {
  const LocalDateTime now = LocalNow();
  char name[64];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d %02d-%02d-%02d %lu", now.year, now.month,
                now.day, now.hour, now.minute, now.second, ::GetCurrentProcessId());
  return name;
}

}  // namespace

void LumvikApp::StartRecovery() {
  if (recovery_folder_.empty()) recovery_folder_ = DefaultRecoveryFolder();
  recovery_ = std::make_unique<RecoveryKeeper>(recovery_folder_, OwnCopyName());
}

bool LumvikApp::OfferRecoveredCopy() {
  std::optional<LeftCopy> copy = recovery_->CopyToOffer();
  if (!copy) return false;
  RecoveredDocument& recovered = copy->recovered;
  const std::string question =
      texts_[kTextRecoverChanges] + "\r\n\r\n" +
      (recovered.path.empty() ? texts_[kTextUntitledDocument] : recovered.path) + "\r\n" +
      recovered.time;
  if (prompt_.Message(texts_[kTextProgramName], question, Buttons::YesNo) != Answer::Yes) {
    recovery_->Discard(*copy);
    return false;
  }
  recovered.document.file_path = recovered.path;
  ShowRecoveredDocument(Commands(), std::move(recovered.document));
  SelectFirstRow();
  // The changes are this program's to keep from now on: the old copy goes
  // once its own copy holds them.
  KeepRecoveryCopy();
  if (recovery_->Flush()) recovery_->Discard(*copy);
  return true;
}

void LumvikApp::RecoveryAfterChange(bool changed) {
  if (!HasChangesToRecover()) {
    StopRecoveryTimer();
    if (copy_kept_) recovery_->Remove();
    copy_kept_ = false;
    copy_current_ = false;
    return;
  }
  if (changed) copy_current_ = false;
  if (!copy_current_ && !recovery_timer_) {
    recovery_timer_ = ::SetTimer(window_->window(), kRecoveryTimer, kRecoveryDelayMs, nullptr) != 0;
  }
}

// The timer runs until the copy holds the document and is written: a copy
// that could not be written (a file held open by another program) is taken
// again on the next tick.
void LumvikApp::RecoveryTick() {
  if (!HasChangesToRecover()) return StopRecoveryTimer();
  const std::optional<bool> written = recovery_->Outcome();
  if (!written) return;  // still writing
  if (copy_current_ && *written) return StopRecoveryTimer();
  KeepRecoveryCopy();
}

void LumvikApp::StopRecoveryTimer() {
  if (recovery_timer_) ::KillTimer(window_->window(), kRecoveryTimer);
  recovery_timer_ = false;
}

bool LumvikApp::HasChangesToRecover() const {
  // A document without rows (a refused last file) holds nothing to give back.
  return document_.saved != 1 && !document_.rows.empty();
}

void LumvikApp::KeepRecoveryCopy() {
  if (!HasChangesToRecover()) return;
  // The document is taken here, between two events; the keeper's thread
  // writes it while the user goes on.
  recovery_->Keep(RecoveryText(document_, texts_[kTextProgramName], LocalNow()));
  copy_kept_ = true;
  copy_current_ = true;
}

std::optional<LRESULT> LumvikApp::RecoveryMessage(UINT message, WPARAM wparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam != kRecoveryTimer) return std::nullopt;
      RecoveryTick();
      return 0;
    case WM_QUERYENDSESSION:
      // Windows may end the program at any moment from here on: the changes
      // go where the next start finds them, and the session is never held
      // up. Before the first document is shown there is no last file yet.
      if (!started_) return TRUE;
      KeepRecoveryCopy();
      recovery_->Flush();
      WriteLastFile(program_folder_, document_.file_path);
      return TRUE;
    case WM_ENDSESSION:
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace lumvik
