#include "app/find_window_win32.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <iterator>
#include <vector>

#include "config/text_numbers.h"
#include "platform/dialog_keys_win32.h"
#include "platform/window_classes_win32.h"

namespace lumvik {

namespace {

constexpr char kFindClass[] = "LumvikFindWindow";
constexpr SIZE kInsideSize{385, 128};
// How long the text rests before the tree shows what matches it: long
// enough that typing a word in a long list narrows it once.
constexpr UINT kTypingPauseMs = 300;
constexpr UINT_PTR kTypingTimer = 1;

RECT Place(int x, int y, int width, int height) { return {x, y, width, height}; }

}  // namespace

FindWindow::FindWindow(const FindScope& scope) : scope_(scope) {
  RegisterTopWindowClass(scope.program, kFindClass,
                         OwnedWindowProcedure<FindWindow, &FindWindow::Receive>);
  window_.reset(CreateCentredWindow(scope.program, kFindClass, scope.texts[kTextFindTitle],
                                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, kInsideSize,
                                    scope.owner, this));
  if (!window_) return;
  AddControl(kGadgetFindCaption, WC_STATICA, "", 0, Place(10, 13, 80, 20));
  AddControl(kGadgetFindText, WC_EDITA, "", WS_TABSTOP | ES_AUTOHSCROLL, Place(95, 10, 280, 22),
             WS_EX_CLIENTEDGE);
  AddControl(kGadgetFindNext, WC_BUTTONA, "", WS_TABSTOP | BS_DEFPUSHBUTTON,
             Place(125, 42, 120, 28));
  AddControl(kGadgetFindPrevious, WC_BUTTONA, "", WS_TABSTOP | BS_PUSHBUTTON,
             Place(255, 42, 120, 28));
  AddControl(kGadgetFindShowOnlyMatches, WC_BUTTONA, "", WS_TABSTOP | BS_AUTOCHECKBOX,
             Place(10, 78, 365, 20));
  AddControl(kGadgetFindOutcome, WC_STATICA, "", 0, Place(10, 104, 365, 20));
  ApplyTexts(scope.texts);
  // F3 and Shift+F3 go on searching from the window too, and the view's
  // filters change from there as from the main window.
  ACCEL keys[] = {{FVIRTKEY, VK_F3, kCmdFindNext},
                  {FVIRTKEY | FSHIFT, VK_F3, kCmdFindPrevious},
                  {FVIRTKEY | FCONTROL, 'H', kCmdHideFinished},
                  {FVIRTKEY | FCONTROL, 'D', kCmdOnlyDue},
                  {FVIRTKEY | FCONTROL, 'U', kCmdOnlyUrgent},
                  {FVIRTKEY | FCONTROL | FSHIFT, 'H', kCmdShowEverything}};
  keys_.reset(::CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));
  scope.events.SetCompanionKeys(window_.get(), keys_.get());
}

FindWindow::~FindWindow() {
  scope_.events.SetCompanionKeys(nullptr, nullptr);
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

HWND FindWindow::Control(int gadget) const {
  const int slot = gadget - kWindowFind;
  return slot >= 0 && slot < static_cast<int>(controls_.size()) ? controls_[slot] : nullptr;
}

HWND FindWindow::AddControl(int gadget, const char* window_class, const std::string& text,
                            DWORD style, RECT place, DWORD ex_style) {
  controls_[gadget - kWindowFind] =
      CreateControl(window_.get(), gadget, window_class, text, WS_VISIBLE | style, place, ex_style);
  return controls_[gadget - kWindowFind];
}

void FindWindow::ApplyTexts(const TextTable& texts) {
  if (!window_) return;
  ::SetWindowTextA(window_.get(), texts[kTextFindTitle].c_str());
  ::SetWindowTextA(Control(kGadgetFindCaption), texts[kTextFindCaption].c_str());
  ::SetWindowTextA(Control(kGadgetFindNext), texts[kTextFindNext].c_str());
  ::SetWindowTextA(Control(kGadgetFindPrevious), texts[kTextFindPrevious].c_str());
  ::SetWindowTextA(Control(kGadgetFindShowOnlyMatches), texts[kTextShowOnlyMatches].c_str());
  if (::GetWindowTextLengthA(Control(kGadgetFindOutcome)) > 0) ShowNothingFound(true);
}

void FindWindow::Show() {
  if (!window_) return;
  const bool was_visible = visible();
  ::ShowWindow(window_.get(), SW_SHOW);
  ::SetForegroundWindow(window_.get());
  HWND text = Control(kGadgetFindText);
  ::SetFocus(text);
  ::SendMessageA(text, EM_SETSEL, 0, -1);
  if (!was_visible && scope_.shown) scope_.shown(true);
}

void FindWindow::Hide() {
  if (!visible()) return;
  StopShowingOnlyMatches();
  // The main window takes the keyboard back before this one goes.
  ::SetForegroundWindow(scope_.owner);
  ::ShowWindow(window_.get(), SW_HIDE);
  if (scope_.shown) scope_.shown(false);
}

bool FindWindow::visible() const { return window_ && ::IsWindowVisible(window_.get()) != FALSE; }

std::string FindWindow::Text() const { return WindowText(Control(kGadgetFindText)); }

void FindWindow::ShowNothingFound(bool nothing_found) {
  ::SetWindowTextA(Control(kGadgetFindOutcome),
                   nothing_found ? scope_.texts[kTextNothingFound].c_str() : "");
}

bool FindWindow::ShowOnlyMatches() const {
  return ::SendMessageA(Control(kGadgetFindShowOnlyMatches), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void FindWindow::StopShowingOnlyMatches() {
  if (!ShowOnlyMatches()) return;
  ::SendMessageA(Control(kGadgetFindShowOnlyMatches), BM_SETCHECK, BST_UNCHECKED, 0);
  PostMatchingChanged();
}

void FindWindow::PostMatchingChanged() {
  ::KillTimer(window_.get(), kTypingTimer);
  Event event;
  event.kind = EventKind::Gadget;
  event.window = kWindowFind;
  event.gadget = kGadgetFindShowOnlyMatches;
  scope_.events.Post(event);
}

void FindWindow::PostCommand(int command) {
  Event event;
  event.kind = EventKind::Menu;
  event.window = kWindowFind;
  event.command = command;
  ::GetCursorPos(&event.cursor);
  scope_.events.Post(event);
}

LRESULT FindWindow::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id == kGadgetFindText) {
        if (HIWORD(wparam) != EN_CHANGE) return 0;
        ShowNothingFound(false);  // it spoke of the text before
        if (ShowOnlyMatches()) ::SetTimer(window_.get(), kTypingTimer, kTypingPauseMs, nullptr);
        return 0;
      }
      if (HIWORD(wparam) != BN_CLICKED) return 0;
      if (id == kGadgetFindShowOnlyMatches) PostMatchingChanged();
      if (id == kGadgetFindNext || id == IDOK) PostCommand(kCmdFindNext);
      if (id == kGadgetFindPrevious) PostCommand(kCmdFindPrevious);
      if (id == IDCANCEL) Hide();
      return 0;
    }
    case DM_GETDEFID:
      // Enter finds the next row, or presses the button that has the focus.
      return DefaultButtonReply(window_.get(), kGadgetFindNext);
    case WM_CLOSE:
      Hide();
      return 0;
    case WM_TIMER:
      if (wparam == kTypingTimer) PostMatchingChanged();
      return 0;
    default:
      return ::DefWindowProcA(window_.get(), message, wparam, lparam);
  }
}

}  // namespace lumvik
