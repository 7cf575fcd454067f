#include "platform/prompt_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace lumvik {

namespace {

UINT MessageBoxStyle(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return MB_OK | MB_ICONINFORMATION;
    case Buttons::YesNo:
      return MB_YESNO | MB_ICONQUESTION;
    case Buttons::YesNoCancel:
      return MB_YESNOCANCEL | MB_ICONQUESTION;
  }
  return MB_OK;
}

// The dialog's filter: the pairs separated by NUL characters, ending with two.
std::string DialogFilter(const std::string& filter) {
  std::string pairs = filter;
  std::replace(pairs.begin(), pairs.end(), '|', '\0');
  pairs.append(2, '\0');
  return pairs;
}

// Room for a long path; the dialog fails rather than cut a longer one.
constexpr DWORD kPathRoom = 32768;

std::optional<std::string> AskFileName(HWND owner, const FileQuestion& question, bool save) {
  const std::string filter = DialogFilter(question.filter);
  std::vector<char> name(kPathRoom, '\0');
  std::copy_n(question.proposed_name.begin(),
              std::min<std::size_t>(question.proposed_name.size(), kPathRoom - 1), name.begin());
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = kPathRoom;
  dialog.lpstrTitle = question.title.c_str();
  // The program finds its own files through the current directory, so the
  // dialogs must not move it.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  const BOOL chosen = save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
  if (!chosen) return std::nullopt;
  return std::string(name.data());
}

}  // namespace

HWND WindowPrompt::Owner() const { return owner_ != nullptr ? owner_ : ::GetActiveWindow(); }

Answer WindowPrompt::Message(const std::string& title, const std::string& text, Buttons buttons) {
  const int answer = ::MessageBoxA(Owner(), text.c_str(), title.c_str(), MessageBoxStyle(buttons));
  switch (answer) {
    case IDYES:
      return Answer::Yes;
    case IDNO:
      return Answer::No;
    case IDCANCEL:
      return Answer::Cancel;
    default:
      return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
}

std::optional<std::string> WindowPrompt::OpenFileName(const FileQuestion& question) {
  return AskFileName(Owner(), question, false);
}

std::optional<std::string> WindowPrompt::SaveFileName(const FileQuestion& question) {
  return AskFileName(Owner(), question, true);
}

}  // namespace lumvik
