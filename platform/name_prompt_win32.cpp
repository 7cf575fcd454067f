#include "platform/name_prompt_win32.h"

#include <cstdint>
#include <vector>

namespace lumvik {

namespace {

// A dialog template built in memory, so that the prompt needs no resource
// in the executable that shows it. Its strings are UTF-16 whatever the
// program's code page; the ANSI texts are converted with the code page.
class DialogTemplate {
 public:
  DialogTemplate(const std::string& title, DWORD style, short width, short height, int items) {
    DLGTEMPLATE head{};
    head.style = style | DS_SETFONT;
    head.cdit = static_cast<WORD>(items);
    head.cx = width;
    head.cy = height;
    AddBytes(&head, sizeof head);
    AddWord(0);  // no menu
    AddWord(0);  // the standard dialog class
    AddText(title);
    AddWord(8);  // points of the dialog's font
    AddText("MS Shell Dlg");
  }

  // `control_class` is one of the predefined atoms (0x80 button, 0x81 edit,
  // 0x82 static).
  void AddItem(WORD control_class, int id, const std::string& text, DWORD style, short x, short y,
               short width, short height) {
    AlignToDword();
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = width;
    item.cy = height;
    item.id = static_cast<WORD>(id);
    AddBytes(&item, sizeof item);
    AddWord(0xFFFF);
    AddWord(control_class);
    AddText(text);
    AddWord(0);  // no creation data
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void AddBytes(const void* bytes, std::size_t size) {
    const auto* from = static_cast<const WORD*>(bytes);
    words_.insert(words_.end(), from, from + size / sizeof(WORD));
  }
  void AddWord(WORD word) { words_.push_back(word); }
  void AddText(const std::string& text) {
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(length > 0 ? length : 0));
    if (!wide.empty()) {
      ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            length);
    }
    for (wchar_t c : wide) words_.push_back(static_cast<WORD>(c));
    words_.push_back(0);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) words_.push_back(0);
  }

  // Words keep the template aligned as the system reads it.
  std::vector<WORD> words_;
};

constexpr WORD kButtonClass = 0x80;
constexpr WORD kEditClass = 0x81;
constexpr WORD kStaticClass = 0x82;

INT_PTR CALLBACK PromptProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      ::SetFocus(::GetDlgItem(dialog, kNamePromptEdit));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        auto* typed = reinterpret_cast<std::string*>(::GetWindowLongPtrA(dialog, DWLP_USER));
        HWND edit = ::GetDlgItem(dialog, kNamePromptEdit);
        std::vector<char> text(static_cast<std::size_t>(::GetWindowTextLengthA(edit)) + 1, '\0');
        const int length = ::GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
        typed->assign(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<std::string> AskOneLine(HWND owner, const NameQuestion& question) {
  DialogTemplate layout(question.title,
                        DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 220, 78, 4);
  layout.AddItem(kStaticClass, kNamePromptMessage, question.message, SS_LEFT, 7, 7, 206, 26);
  layout.AddItem(kEditClass, kNamePromptEdit, "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 36,
                 206, 13);
  // Wide enough for the buttons' words in every language.
  layout.AddItem(kButtonClass, IDOK, question.ok, WS_TABSTOP | BS_DEFPUSHBUTTON, 88, 57, 60, 14);
  layout.AddItem(kButtonClass, IDCANCEL, question.cancel, WS_TABSTOP | BS_PUSHBUTTON, 153, 57, 60,
                 14);
  std::string typed;
  const INT_PTR answer =
      ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), layout.get(), owner, PromptProcedure,
                                reinterpret_cast<LPARAM>(&typed));
  if (answer != IDOK) return std::nullopt;
  return typed;
}

}  // namespace lumvik
