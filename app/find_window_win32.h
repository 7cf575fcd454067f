// The find window: a small window of its own beside the main window, where
// the user types what to look for in names and descriptions. It stays open
// while the user goes on working; its buttons, Enter, F3 and Shift+F3 are
// the main window's Find next and Find previous commands. Its check box
// narrows the tree to the rows that match: the program hears of it as an
// event of the box, when it is ticked or unticked and a short pause after
// the text changes while it is ticked.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "config/object_numbers.h"
#include "config/text_table.h"
#include "platform/event_queue_win32.h"
#include "platform/window_owners_win32.h"

namespace lumvik {

struct FindScope {
  HINSTANCE program = nullptr;
  HWND owner = nullptr;
  const TextTable& texts;
  EventQueue& events;
  // Told when the window is shown (true) or hidden (false).
  std::function<void(bool shown)> shown;
};

class FindWindow {
 public:
  // Builds the window, hidden until Show.
  explicit FindWindow(const FindScope& scope);
  ~FindWindow();
  FindWindow(const FindWindow&) = delete;
  FindWindow& operator=(const FindWindow&) = delete;

  // Shows and activates the window, the text box ready for typing over.
  void Show();
  // Escape, the close box: the text stays for the next search.
  void Hide();
  bool visible() const;
  // What the user typed, in the ANSI code page.
  std::string Text() const;
  // The word saying that nothing matches, or no word.
  void ShowNothingFound(bool nothing_found);
  // Whether the tree is to show only the rows that match.
  bool ShowOnlyMatches() const;
  // Unticks the box, as closing the window does.
  void StopShowingOnlyMatches();
  void ApplyTexts(const TextTable& texts);

  HWND window() const { return window_.get(); }
  HWND Control(int gadget) const;

 private:
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  HWND AddControl(int gadget, const char* window_class, const std::string& text, DWORD style,
                  RECT place, DWORD ex_style = 0);
  void PostCommand(int command);
  void PostMatchingChanged();

  FindScope scope_;
  UniqueWindow window_;
  UniqueAccelerators keys_;
  std::array<HWND, kGadgetFindShowOnlyMatches - kWindowFind + 1> controls_{};
};

}  // namespace lumvik
