#include "help/about_box_win32.h"

#include "document/format_version.h"
#include "help/build_values.h"
#include "platform/dialog_keys_win32.h"
#include "platform/window_classes_win32.h"

namespace lumvik {

namespace {

constexpr char kAboutClass[] = "LumvikAboutBox";
constexpr SIZE kInsideSize{415, 270};
constexpr SIZE kPictureSize{400, 100};

RECT Place(int x, int y, int width, int height) { return {x, y, width, height}; }

// The picture drawn anew at the box's size, smoothed.
UniqueBitmap ScaledPicture(HBITMAP picture) {
  if (picture == nullptr) return {};
  BITMAP source{};
  if (::GetObjectA(picture, sizeof source, &source) == 0) return {};
  void* bits = nullptr;
  UniqueBitmap scaled = CreateDib24(kPictureSize.cx, kPictureSize.cy, &bits);
  if (!scaled) return {};
  const UniqueMemoryDc from(::CreateCompatibleDC(nullptr));
  const UniqueMemoryDc to(::CreateCompatibleDC(nullptr));
  {
    const SavedDcState from_state(from.get());
    const SavedDcState to_state(to.get());
    ::SelectObject(from.get(), picture);
    ::SelectObject(to.get(), scaled.get());
    ::SetStretchBltMode(to.get(), HALFTONE);
    ::SetBrushOrgEx(to.get(), 0, 0, nullptr);
    ::StretchBlt(to.get(), 0, 0, kPictureSize.cx, kPictureSize.cy, from.get(), 0, 0, source.bmWidth,
                 source.bmHeight, SRCCOPY);
  }
  return scaled;
}

std::string Fact(const TextTable& texts, int text, std::string_view value) {
  return texts[text] + " : " + std::string(value);
}

}  // namespace

AboutBox::AboutBox(const AboutScope& scope)
    : scope_(scope), scaled_picture_(ScaledPicture(scope.picture)) {
  RegisterTopWindowClass(scope.program, kAboutClass,
                         OwnedWindowProcedure<AboutBox, &AboutBox::Receive>);
  // A title bar, but no system menu and so no close box.
  window_.reset(CreateCentredWindow(scope.program, kAboutClass, scope.texts[54],
                                    WS_OVERLAPPED | WS_CAPTION, kInsideSize, scope.owner, this));
  if (!window_) return;

  HWND picture = AddControl(kGadgetAboutPicture, WC_STATICA, "", SS_BITMAP | SS_REALSIZECONTROL,
                            Place(5, 10, kPictureSize.cx, kPictureSize.cy));
  ::SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(scaled_picture_.get()));
  const TextTable& texts = scope.texts;
  const struct {
    int gadget;
    int y;
    std::string text;
  } facts[] = {
      {kGadgetAboutProgram, 120, Fact(texts, 88, texts[54])},
      {kGadgetAboutVersion, 140, Fact(texts, 89, kFormatVersion)},
      {kGadgetAboutAuthor, 160, Fact(texts, 90, build_values::kAboutAuthor)},
      {kGadgetAboutTool, 180, Fact(texts, 91, build_values::kAboutTool)},
  };
  for (const auto& fact : facts) {
    AddControl(fact.gadget, WC_STATICA, fact.text, SS_CENTER, Place(5, fact.y, 400, 15));
  }
  HWND button = AddControl(kGadgetAboutClose, WC_BUTTONA, texts[50], WS_TABSTOP | BS_DEFPUSHBUTTON,
                           Place(153, 220, 100, 40));
  ::ShowWindow(window_.get(), SW_SHOW);
  ::SetFocus(button);
}

AboutBox::~AboutBox() {
  // The window goes before the picture it shows.
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
  window_.reset();
}

HWND AboutBox::Control(int gadget) const {
  return gadget >= 0 && gadget < static_cast<int>(controls_.size()) ? controls_[gadget] : nullptr;
}

HWND AboutBox::AddControl(int gadget, const char* window_class, const std::string& text,
                          DWORD style, RECT place) {
  controls_[gadget] =
      CreateControl(window_.get(), gadget, window_class, text, WS_VISIBLE | style, place);
  return controls_[gadget];
}

void AboutBox::Run() {
  while (window_) {
    const Event event = scope_.events.WaitEventOf(kWindowAbout);
    if (event.kind == EventKind::Gadget && event.gadget == kGadgetAboutClose) window_.reset();
  }
  scope_.events.ReleaseCloseRequest();
}

LRESULT AboutBox::Receive(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == kGadgetAboutClose && HIWORD(wparam) == BN_CLICKED) {
        scope_.events.Post(EventKind::Gadget, kWindowAbout, kGadgetAboutClose);
      }
      return 0;
    case DM_GETDEFID:
      // Enter presses the box's one button.
      return DefaultButtonReply(window_.get(), kGadgetAboutClose);
    case WM_CLOSE:
      return 0;  // only the button closes the box
    default:
      return ::DefWindowProcA(window_.get(), message, wparam, lparam);
  }
}

}  // namespace lumvik
