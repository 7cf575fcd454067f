#include "help/feedback_form_win32.h"

// commctrl.h needs the types of windows.h
#include <commctrl.h>

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
    const bool cancel = event.kind == EventKind::Gadget && event.gadget == kGadgetFeedbackCancel;
    if ((event.kind == EventKind::CloseWindow || cancel) && MayClose()) {
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

bool FeedbackForm::MayClose() {
  return TextOf(kGadgetFeedbackMessage).empty() ||
         scope_.prompt.Message(scope_.texts[kTextProgramName], scope_.texts[kTextDiscardMessage],
                               Buttons::YesNo) == Answer::Yes;
}

void FeedbackForm::Send() {
  if (!CheckFields()) return;
  const FeedbackFields fields{TextOf(kGadgetFeedbackName), TextOf(kGadgetFeedbackSubject),
                              TextOf(kGadgetFeedbackMessage)};
  const OutgoingMail mail = FeedbackMail(fields, scope_.langage, HostName(), Now());
  ShowSending(true);
  const MailRoute& route = scope_.route;
  const std::unique_ptr<SmtpTransport> transport = route.transport();
  // The form stays drawn and its Cancel usable; anything else asked for
  // meanwhile (closing the program, say) waits in the queue.
  const SendOutcome outcome =
      SendMail(*transport, route.server, route.port, mail, route.timeouts, [this] {
        scope_.events.PumpUntilIdle();
        return !stop_asked_;
      });
  ShowSending(false);
  const int said = outcome == SendOutcome::kDelivered     ? kTextThanks
                   : outcome == SendOutcome::kUnconfirmed ? kTextMailUnconfirmed
                                                          : kTextMailNotSent;
  scope_.prompt.Message(scope_.texts[kTextProgramName], scope_.texts[said], Buttons::Ok);
  // Nothing is lost: unless the mail went, the form keeps what was typed,
  // ready for another try.
  if (outcome == SendOutcome::kDelivered) window_.reset();
}

void FeedbackForm::ShowSending(bool sending) {
  sending_ = sending;
  stop_asked_ = false;
  // The focus leaves a control before it is disabled, so that the keys still
  // reach the form; Enter then tries again with Send.
  HWND focus = controls_[sending ? kGadgetFeedbackCancel : kGadgetFeedbackSend];
  if (sending) ::SetFocus(focus);
  for (int gadget :
       {kGadgetFeedbackName, kGadgetFeedbackSubject, kGadgetFeedbackMessage, kGadgetFeedbackSend}) {
    ::EnableWindow(controls_[gadget], sending ? FALSE : TRUE);
  }
  if (!sending) ::SetFocus(focus);
  ::SetWindowTextA(window_.get(),
                   scope_.texts[sending ? kTextSending : kTextFeedbackTitle].c_str());
  ::UpdateWindow(window_.get());
}

void FeedbackForm::AskToClose(EventKind kind) {
  // A sending is stopped without a question: nothing typed is lost by it.
  if (sending_) {
    stop_asked_ = true;
  } else {
    scope_.events.Post(kind, kWindowFeedback,
                       kind == EventKind::Gadget ? kGadgetFeedbackCancel : 0);
  }
}

LRESULT FeedbackForm::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const bool clicked = HIWORD(wparam) == BN_CLICKED;
      if ((lparam == 0 && id == IDCANCEL) || (id == kGadgetFeedbackCancel && clicked)) {
        AskToClose(EventKind::Gadget);  // Escape or Cancel
      } else if (id == kGadgetFeedbackSend && clicked && !sending_) {
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
      AskToClose(EventKind::CloseWindow);
      return 0;
    default:
      return ::DefWindowProcA(window_.get(), message, wparam, lparam);
  }
}

}  // namespace lumvik
