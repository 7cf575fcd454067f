#include "help/help_window_win32.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "config/object_numbers.h"
#include "config/text_numbers.h"
#include "platform/system_library_win32.h"
#include "platform/window_classes_win32.h"

namespace lumvik {

namespace {

constexpr char kHelpClass[] = "LumvikHelpWindow";
constexpr char kBrowserClass[] = "AtlAxWin";
constexpr SIZE kWindowSize{860, 700};
constexpr int kBandHeight = 31;  // the button's band above the page

using ControlInit = BOOL(WINAPI*)();

// Whether the browser control's window class is there. The library registers
// it once per run and stays loaded from then on, since the class points into
// it; asked again, the library may refuse to register the class a second
// time, and the help would open only once.
bool BrowserClassRegistered(const char* library_name) {
  static std::map<std::string, UniqueLibrary, std::less<>> registered_by;
  if (registered_by.contains(library_name)) return true;
  UniqueLibrary library = LoadSystemLibrary(library_name);
  if (!library) return false;
  // Through the generic function type, which any function pointer converts to.
  const auto init = reinterpret_cast<ControlInit>(
      reinterpret_cast<void (*)()>(::GetProcAddress(library.get(), "AtlAxWinInit")));
  if (init == nullptr || !init()) return false;
  registered_by.emplace(library_name, std::move(library));
  return true;
}

}  // namespace

std::string HelpPageAddress(const std::string& program_folder) {
  return program_folder + "/help/index.html";
}

HelpWindow::HelpWindow(const HelpScope& scope)
    : scope_(scope), address_(HelpPageAddress(scope.program_folder)) {
  RegisterTopWindowClass(scope.program, kHelpClass,
                         OwnedWindowProcedure<HelpWindow, &HelpWindow::Receive>);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  window_.reset(
      ::CreateWindowExA(WS_EX_CONTROLPARENT, kHelpClass, scope.texts[kTextHelpTitle].c_str(), style,
                        (::GetSystemMetrics(SM_CXSCREEN) - kWindowSize.cx) / 2,
                        (::GetSystemMetrics(SM_CYSCREEN) - kWindowSize.cy) / 2, kWindowSize.cx,
                        kWindowSize.cy, scope.owner, nullptr, scope.program, this));
  if (!window_) return;
  button_ = CreateControl(window_.get(), kGadgetHelpInBrowser, WC_BUTTONA,
                          scope.texts[kTextHelpInBrowser], WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                          {5, 3, 300, 25});
  if (!CreateBrowser()) {
    // Without the control the help is still one click away: the default
    // browser shows it, and the document stays open.
    window_.reset();
    scope_.prompt.OpenAddress(address_);
    return;
  }
  FitBrowser();
  ::ShowWindow(window_.get(), SW_SHOW);
}

HelpWindow::~HelpWindow() {
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
  window_.reset();
}

HWND HelpWindow::Control(int gadget) const {
  if (gadget == kGadgetHelpBrowser) return browser_;
  if (gadget == kGadgetHelpInBrowser) return button_;
  return nullptr;
}

bool HelpWindow::CreateBrowser() {
  if (!BrowserClassRegistered(scope_.control_library)) return false;
  browser_ = ::CreateWindowExA(0, kBrowserClass, address_.c_str(), WS_CHILD | WS_VISIBLE, 0,
                               kBandHeight, 0, 0, window_.get(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGadgetHelpBrowser)),
                               scope_.program, nullptr);
  return browser_ != nullptr;
}

// The control fills the window's inner area below the band.
void HelpWindow::FitBrowser() {
  RECT inside{};
  ::GetClientRect(window_.get(), &inside);
  ::MoveWindow(browser_, 0, kBandHeight, inside.right,
               std::max<LONG>(inside.bottom - kBandHeight, 0), TRUE);
}

void HelpWindow::Run() {
  while (window_) {
    const Event event = scope_.events.WaitEventOf(kWindowHelp);
    switch (event.kind) {
      case EventKind::SizeWindow:
        FitBrowser();
        break;
      case EventKind::CloseWindow:
        window_.reset();
        break;
      case EventKind::Gadget:
        if (event.gadget == kGadgetHelpInBrowser) scope_.prompt.OpenAddress(address_);
        break;
      default:
        break;
    }
  }
  scope_.events.ReleaseCloseRequest();
}

LRESULT HelpWindow::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == kGadgetHelpInBrowser && HIWORD(wparam) == BN_CLICKED) {
        scope_.events.Post(EventKind::Gadget, kWindowHelp, kGadgetHelpInBrowser);
      } else if (LOWORD(wparam) == IDCANCEL && lparam == 0) {
        scope_.events.Post(EventKind::CloseWindow, kWindowHelp,
                           0);  // Escape closes the help, as its close box does
      }
      return 0;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) scope_.events.Post(EventKind::SizeWindow, kWindowHelp, 0);
      return 0;
    case WM_CLOSE:
      scope_.events.Post(EventKind::CloseWindow, kWindowHelp, 0);
      return 0;
    default:
      return ::DefWindowProcA(window_.get(), message, wparam, lparam);
  }
}

}  // namespace lumvik
