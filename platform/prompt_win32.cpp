#include "platform/prompt_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/name_prompt_win32.h"
#include "platform/system_library_win32.h"

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

// The screen's device context while a size in points is turned into pixels.
class ScreenDc {
 public:
  ScreenDc() : dc_(::GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_ != nullptr) ::ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  int PixelsPerInchY() const { return dc_ != nullptr ? ::GetDeviceCaps(dc_, LOGPIXELSY) : 96; }

 private:
  HDC dc_;
};

// Room for a long path; the dialog fails rather than cut a longer one.
constexpr DWORD kPathRoom = 32768;

enum class FileDialogKind { Open, Save, SaveTyped };

// A function of the common dialogs' library; a missing one answers as a
// cancelled dialog.
template <typename Function>
Function* CommonDialog(const char* name) {
  return SystemFunction<Function>("comdlg32.dll", name);
}

std::optional<TypedFileName> AskFileName(HWND owner, const FileQuestion& question,
                                         FileDialogKind kind) {
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
  // Documents ask their own question before a file is replaced.
  if (kind == FileDialogKind::SaveTyped) dialog.Flags |= OFN_OVERWRITEPROMPT;
  auto* ask = kind == FileDialogKind::Open
                  ? CommonDialog<decltype(::GetOpenFileNameA)>("GetOpenFileNameA")
                  : CommonDialog<decltype(::GetSaveFileNameA)>("GetSaveFileNameA");
  if (ask == nullptr || !ask(&dialog)) return std::nullopt;
  return TypedFileName{name.data(), static_cast<int>(dialog.nFilterIndex)};
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
  std::optional<TypedFileName> file = AskFileName(Owner(), question, FileDialogKind::Open);
  return file ? std::optional(std::move(file->path)) : std::nullopt;
}

std::optional<std::string> WindowPrompt::SaveFileName(const FileQuestion& question) {
  std::optional<TypedFileName> file = AskFileName(Owner(), question, FileDialogKind::Save);
  return file ? std::optional(std::move(file->path)) : std::nullopt;
}

std::optional<TypedFileName> WindowPrompt::SaveTypedFileName(const FileQuestion& question) {
  return AskFileName(Owner(), question, FileDialogKind::SaveTyped);
}

std::optional<std::int32_t> WindowPrompt::AskColour(std::int32_t start) {
  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Owner();
  // A colour outside the 24 bits, such as "no colour", starts from black.
  dialog.rgbResult = start >= 0 && start <= 0xFFFFFF ? static_cast<COLORREF>(start) : 0;
  dialog.lpCustColors = custom_colours_.data();
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  auto* choose = CommonDialog<decltype(::ChooseColorA)>("ChooseColorA");
  if (choose == nullptr || !choose(&dialog)) return std::nullopt;
  return static_cast<std::int32_t>(dialog.rgbResult & 0xFFFFFF);
}

std::optional<FontAnswer> WindowPrompt::AskFont(const std::string& face, std::int32_t points) {
  HWND owner = Owner();
  LOGFONTA font{};
  if (points > 0) font.lfHeight = -::MulDiv(points, ScreenDc().PixelsPerInchY(), 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  CHOOSEFONTA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpLogFont = &font;
  dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  auto* choose = CommonDialog<decltype(::ChooseFontA)>("ChooseFontA");
  if (choose == nullptr || !choose(&dialog)) return std::nullopt;
  return FontAnswer{font.lfFaceName, dialog.iPointSize};
}

std::optional<std::string> WindowPrompt::AskName(const NameQuestion& question) {
  return AskOneLine(Owner(), question);
}

bool WindowPrompt::OpenAddress(const std::string& address) {
  auto* execute = SystemFunction<decltype(::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  // ShellExecute reports success with a value above 32.
  return execute != nullptr &&
         reinterpret_cast<INT_PTR>(
             execute(nullptr, "Open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

}  // namespace lumvik
