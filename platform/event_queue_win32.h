// The program's events, in one queue: window procedures turn messages into
// events, and each event loop of the program is a plain loop over WaitEvent.
#pragma once

#include <windows.h>

#include <deque>
#include <optional>

namespace lumvik {

enum class EventKind {
  Menu,            // a menu item, a toolbar button or a keyboard shortcut
  Gadget,          // something happened to a control
  CloseWindow,     // the user asked to close a window
  SizeWindow,      // a window took a new size (not when minimised)
  ActivateWindow,  // a window became the active one
};

// What happened to a gadget, where it matters to its handler. Picked: the
// user chose a day in a calendar, as against the calendar moving on its own
// (to another month, say). Selected: the selection of a tree moved to
// another item, by whatever means. Released: the user let go of a slider.
// Dropped: the user let go of a dragged row over another row.
enum class GadgetAction {
  Other,
  LeftClick,
  RightClick,
  DoubleClick,
  Picked,
  Selected,
  Released,
  Dropped
};

struct Event {
  EventKind kind = EventKind::Menu;
  int window = 0;   // the number of the window it came from
  int gadget = 0;   // for gadget events
  int command = 0;  // for menu events
  GadgetAction action = GadgetAction::Other;
  POINT cursor{};  // the mouse cursor on the screen when it happened
};

class EventQueue {
 public:
  void Post(const Event& event) { events_.push_back(event); }
  // An event of window `window`, with the cursor where it is now.
  void Post(EventKind kind, int window, int gadget);

  // The oldest event, without waiting for messages.
  std::optional<Event> Take();

  // Pumps messages until an event is queued and returns it. A quit message
  // (WM_QUIT) counts once as a request to close the program: an event of
  // kind CloseWindow from window 0, which the loop that sees it may decline.
  Event WaitEvent();

  // For the loop of a window of its own (options, about...): the next event of
  // window `window`. The other windows' events are dropped, except a request
  // to close the program, which waits for the main loop: ReleaseCloseRequest
  // posts it again once that window has closed.
  Event WaitEventOf(int window);
  void ReleaseCloseRequest();

  // Dispatches every message already waiting, without waiting for more.
  void PumpUntilIdle();

  // The keyboard shortcuts of `window`, turned into its menu commands
  // before the messages are dispatched, for keys typed in that window. A
  // plain Delete typed in a text box stays there.
  void SetAccelerators(HWND window, HACCEL accelerators);
  // Keys that are commands of that window only while `control` has the
  // focus: elsewhere they keep their Windows meaning.
  void SetControlKeys(HWND control, HACCEL keys);
  // Keys typed in `companion`, a window of its own beside the shortcuts'
  // window, that are commands of the shortcuts' window; null: none.
  void SetCompanionKeys(HWND companion, HACCEL keys);

 private:
  bool IsShortcut(const MSG& message) const;
  void Deliver(MSG& message);
  void QuitReceived();

  std::deque<Event> events_;
  std::optional<Event> close_request_;
  HWND accelerator_window_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HWND keys_control_ = nullptr;
  HACCEL control_keys_ = nullptr;
  HWND companion_ = nullptr;
  HACCEL companion_keys_ = nullptr;
};

}  // namespace lumvik
