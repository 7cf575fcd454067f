// The feedback form: the user's name, a subject and a message, sent to the
// maker as a mail. The form closes only when the mail went, or when the user
// closes it and agrees to lose a typed message; otherwise it stays open with
// what was typed, so that the user can try again later.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "config/object_numbers.h"
#include "config/text_table.h"
#include "help/send_mail.h"
#include "help/smtp_transport.h"
#include "platform/event_queue_win32.h"
#include "platform/prompt.h"
#include "platform/window_owners_win32.h"

namespace lumvik {

// Where and how the mail goes: this build's server, over the system's sockets.
struct MailRoute {
  std::string server;
  std::uint16_t port = 25;
  std::function<std::unique_ptr<SmtpTransport>()> transport = MakeSystemTransport;
  MailTimeouts timeouts{};
};

// This build's server and port.
MailRoute BuildMailRoute();

struct FeedbackScope {
  HINSTANCE program = nullptr;
  HWND owner = nullptr;
  const TextTable& texts;
  std::string langage;  // the language setting, told to the maker
  Prompt& prompt;
  EventQueue& events;
  MailRoute route;
};

class FeedbackForm {
 public:
  // Builds the form, empty, and shows it centred.
  explicit FeedbackForm(const FeedbackScope& scope);
  ~FeedbackForm();
  FeedbackForm(const FeedbackForm&) = delete;
  FeedbackForm& operator=(const FeedbackForm&) = delete;

  // Until the form is cancelled, closed, or its mail has gone. Cancel,
  // Escape and Alt+F4 during a sending stop it instead.
  void Run();

  bool open() const { return static_cast<bool>(window_); }
  bool sending() const { return sending_; }
  HWND window() const { return window_.get(); }
  HWND Control(int gadget) const;

 private:
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  HWND AddControl(int gadget, const char* window_class, const std::string& text, DWORD style,
                  RECT place, DWORD ex_style = 0);
  std::string TextOf(int gadget) const;
  // The first empty field, said and focused; false when all are filled.
  bool CheckFields();
  // Whether the form may close: at once with an empty message, else when
  // the user agrees to lose it.
  bool MayClose();
  void Send();
  // While the mail is on its way only Cancel takes input: the fields keep
  // what is being sent.
  void ShowSending(bool sending);
  // Cancel, Escape or a close request: ends the form, or stops a sending.
  void AskToClose(EventKind kind);

  FeedbackScope scope_;
  UniqueWindow window_;
  std::array<HWND, kGadgetFeedbackCancel + 1> controls_{};
  bool sending_ = false;
  bool stop_asked_ = false;  // the user stopped the sending under way
};

}  // namespace lumvik
