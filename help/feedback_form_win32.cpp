#include "help/feedback_form_win32.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <utility>

#include "config/text_numbers.h"
#include "help/feedback_mail.h"
#include "help/mail_date.h"
#include "platform/dialog_keys_win32.h"
#include "platform/window_classes_win32.h"

namespace lumvik {

namespace {

constexpr char kFormClass[] = "LumvikFeedbackForm";
constexpr SIZE kInsideSize{400, 300};
constexpr int kFirstSubjectText = 46;
constexpr int kSubjectCount = 4;

RECT Place(int x, int y, int width, int height) { return {x, y, width, height}; }

// The name this computer has on the network, as the mail's greeting gives it.
std::string HostName() {
  char name[256] = {};
  DWORD size = sizeof name;
  return ::GetComputerNameExA(ComputerNameDnsHostname, name, &size) && size > 0
             ? std::string(name, size)
             : std::string("localhost");
}

LocalDateTime Now() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

bool IsInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

FeedbackForm::FeedbackForm(const FeedbackScope& scope) : scope_(scope) {
  RegisterTopWindowClass(scope.program, kFormClass,
                         OwnedWindowProcedure<FeedbackForm, &FeedbackForm::Receive>);
  // A title bar without system menu, minimise or maximise box.
  window_.reset(CreateCentredWindow(scope.program, kFormClass, scope.texts[kTextFeedbackTitle],
                                    WS_OVERLAPPED | WS_CAPTION, kInsideSize, scope.owner, this));
  if (!window_) return;
  const TextTable& texts = scope.texts;
  // Made in the order Tab visits them; each label just before its field.
  AddControl(kGadgetFeedbackNameCaption, WC_STATICA, texts[44], 0, Place(10, 10, 60, 20));
  AddControl(kGadgetFeedbackName, WC_EDITA, "", WS_TABSTOP | ES_AUTOHSCROLL, Place(70, 10, 150, 20),
             WS_EX_CLIENTEDGE);
  AddControl(kGadgetFeedbackSubjectCaption, WC_STATICA, texts[45], 0, Place(10, 40, 50, 20));
  HWND subjects = AddControl(kGadgetFeedbackSubject, WC_COMBOBOXA, "",
                             WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, Place(70, 40, 150, 100));
  for (int k = 0; k < kSubjectCount; ++k) {
    ::SendMessageA(subjects, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(texts[kFirstSubjectText + k].c_str()));
  }
  AddControl(kGadgetFeedbackMessageCaption, WC_STATICA, texts[52], 0, Place(10, 70, 60, 20));
  AddControl(kGadgetFeedbackMessage, WC_EDITA, "",
             WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
             Place(10, 100, 380, 155), WS_EX_CLIENTEDGE);
  AddControl(kGadgetFeedbackSend, WC_BUTTONA, texts[53], WS_TABSTOP | BS_DEFPUSHBUTTON,
             Place(200, 265, 90, 30));
  AddControl(kGadgetFeedbackCancel, WC_BUTTONA, texts[51], WS_TABSTOP | BS_PUSHBUTTON,
             Place(300, 265, 90, 30));
  ::ShowWindow(window_.get(), SW_SHOW);
  ::SetFocus(controls_[kGadgetFeedbackName]);
}

FeedbackForm::~FeedbackForm() {
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

HWND FeedbackForm::Control(int gadget) const {
  return gadget >= 0 && gadget < static_cast<int>(controls_.size()) ? controls_[gadget] : nullptr;
}

HWND FeedbackForm::AddControl(int gadget, const char* window_class, const std::string& text,
                              DWORD style, RECT place, DWORD ex_style) {
  controls_[gadget] =
      CreateControl(window_.get(), gadget, window_class, text, WS_VISIBLE | style, place, ex_style);
  return controls_[gadget];
}

std::string FeedbackForm::TextOf(int gadget) const { return WindowText(controls_[gadget]); }

void FeedbackForm::Run() {
  while (window_) {
    const Event event = scope_.events.WaitEventOf(kWindowFeedback);
    if (event.kind == EventKind::CloseWindow) {
      window_.reset();
    } else if (event.kind == EventKind::Gadget && event.gadget == kGadgetFeedbackCancel) {
      window_.reset();
    } else if (event.kind == EventKind::Gadget && event.gadget == kGadgetFeedbackSend) {
      Send();
    }
  }
  scope_.events.ReleaseCloseRequest();
}

bool FeedbackForm::CheckFields() {
  const struct {
    int gadget;
    int text;
    bool empty;
  } fields[] = {
      {kGadgetFeedbackName, kTextNameMissing, TextOf(kGadgetFeedbackName).empty()},
      {kGadgetFeedbackSubject, kTextSubjectMissing,
       ::SendMessageA(controls_[kGadgetFeedbackSubject], CB_GETCURSEL, 0, 0) == CB_ERR},
      {kGadgetFeedbackMessage, kTextMessageMissing, TextOf(kGadgetFeedbackMessage).empty()},
  };
  for (const auto& field : fields) {
    if (!field.empty) continue;
    scope_.prompt.Message(scope_.texts[kTextProgramName], scope_.texts[field.text], Buttons::Ok);
    ::SetFocus(controls_[field.gadget]);
    return false;
  }
  return true;
}

void FeedbackForm::Send() {
  if (!CheckFields()) return;
  HWND send = controls_[kGadgetFeedbackSend];
  ::EnableWindow(send, FALSE);
  ::SetWindowTextA(window_.get(), scope_.texts[kTextSending].c_str());
  ::UpdateWindow(window_.get());
  const FeedbackFields fields{TextOf(kGadgetFeedbackName), TextOf(kGadgetFeedbackSubject),
                              TextOf(kGadgetFeedbackMessage)};
  const OutgoingMail mail = FeedbackMail(fields, scope_.langage, HostName(), Now());
  sending_ = true;
  const MailRoute& route = scope_.route;
  const std::unique_ptr<SmtpTransport> transport = route.transport();
  const SendOutcome outcome =
      SendMail(*transport, route.server, route.port, mail, route.timeouts, [this] { KeepDrawn(); });
  sending_ = false;
  ::SetWindowTextA(window_.get(), scope_.texts[kTextFeedbackTitle].c_str());
  const bool delivered = outcome == SendOutcome::kDelivered;
  scope_.prompt.Message(scope_.texts[kTextProgramName],
                        scope_.texts[delivered ? kTextThanks : kTextMailNotSent], Buttons::Ok);
  if (delivered) {
    window_.reset();
  } else {
    // Nothing is lost: the form keeps what was typed, ready for another try.
    ::EnableWindow(send, TRUE);
    ::SetFocus(send);
  }
  // A quit asked for while sending comes after the user has read the outcome.
  if (quit_code_ >= 0) ::PostQuitMessage(std::exchange(quit_code_, -1));
}

void FeedbackForm::KeepDrawn() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit_code_ = static_cast<int>(message.wParam);
      return;
    }
    if (IsInput(message.message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

LRESULT FeedbackForm::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (sending_) return 0;
      if (lparam == 0 && id == IDCANCEL) {
        // Escape.
        scope_.events.Post(EventKind::Gadget, kWindowFeedback, kGadgetFeedbackCancel);
      } else if ((id == kGadgetFeedbackSend || id == kGadgetFeedbackCancel) &&
                 HIWORD(wparam) == BN_CLICKED) {
        scope_.events.Post(EventKind::Gadget, kWindowFeedback, id);
      }
      return 0;
    }
    case DM_GETDEFID:
      // Enter presses the focused button, else Send: moving the focus takes
      // the default look off a button, but Send stays what Enter means.
      return DefaultButtonReply(window_.get(), kGadgetFeedbackSend);
    case WM_NEXTDLGCTL:
      // The message box asks to move on with Tab, as in a dialog box.
      if (HWND next = ::GetNextDlgTabItem(window_.get(), ::GetFocus(), wparam != 0)) {
        ::SetFocus(next);
      }
      return 0;
    case WM_CLOSE:
      if (!sending_) scope_.events.Post(EventKind::CloseWindow, kWindowFeedback, 0);
      return 0;
    default:
      return ::DefWindowProcA(window_.get(), message, wparam, lparam);
  }
}

}  // namespace lumvik
