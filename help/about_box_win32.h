// The about box: the about picture at half its size, the program's name,
// version, author and development tool, and one button that closes it.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "config/object_numbers.h"
#include "config/text_table.h"
#include "platform/event_queue_win32.h"
#include "platform/window_owners_win32.h"
#include "theme/gdi_owners_win32.h"

namespace lumvik {

struct AboutScope {
  HINSTANCE program = nullptr;
  HWND owner = nullptr;
  const TextTable& texts;
  HBITMAP picture = nullptr;  // the decoded about picture; may be missing
  EventQueue& events;
};

class AboutBox {
 public:
  // Builds the box, the picture scaled anew, and shows it centred.
  explicit AboutBox(const AboutScope& scope);
  ~AboutBox();
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  // Until its button is pressed; a close request does not close it.
  void Run();

  bool open() const { return static_cast<bool>(window_); }
  HWND window() const { return window_.get(); }
  HWND Control(int gadget) const;

 private:
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  HWND AddControl(int gadget, const char* window_class, const std::string& text, DWORD style,
                  RECT place);

  AboutScope scope_;
  UniqueWindow window_;
  UniqueBitmap scaled_picture_;  // shown by the picture control, which does not own it
  std::array<HWND, kGadgetAboutClose + 1> controls_{};
};

}  // namespace lumvik
