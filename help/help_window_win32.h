// The help window: the local help pages in the system's web-browser control,
// and above it a button that opens the same page in the default browser,
// which also stands in for the control where it cannot be made.
#pragma once

#include <windows.h>

#include <string>

#include "config/text_table.h"
#include "platform/event_queue_win32.h"
#include "platform/prompt.h"
#include "platform/window_owners_win32.h"

namespace lumvik {

struct HelpScope {
  HINSTANCE program = nullptr;
  HWND owner = nullptr;
  std::string program_folder;  // ends with a separator
  const TextTable& texts;
  Prompt& prompt;
  EventQueue& events;
  const char* control_library = "atl.dll";  // hosts the browser control
};

// The address of the help's first page: the program folder, then "/help/index.html".
std::string HelpPageAddress(const std::string& program_folder);

class HelpWindow {
 public:
  // Builds the window with its browser control and shows it. Where the
  // control cannot be made, no window stays open and the page is opened in
  // the default browser instead.
  explicit HelpWindow(const HelpScope& scope);
  ~HelpWindow();
  HelpWindow(const HelpWindow&) = delete;
  HelpWindow& operator=(const HelpWindow&) = delete;

  // Until the window is closed.
  void Run();

  bool open() const { return static_cast<bool>(window_); }
  HWND window() const { return window_.get(); }
  HWND Control(int gadget) const;

 private:
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  bool CreateBrowser();
  void FitBrowser();

  HelpScope scope_;
  std::string address_;
  UniqueWindow window_;
  HWND browser_ = nullptr;
  HWND button_ = nullptr;
};

}  // namespace lumvik
