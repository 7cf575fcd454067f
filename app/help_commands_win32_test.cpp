#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "help/build_values.h"
#include "help/feedback_form_win32.h"

namespace lumvik {
namespace {

using testing::AskedMessage;
using testing::LumvikAppTest;

TEST_F(LumvikAppTest, WebLinksAskFirstAndOpenOnlyOnYes) {
  Start();
  const AskedMessage question{app->texts()[54], app->texts()[61], Buttons::YesNo};
  prompt.Then(Answer::No);
  Command(kCmdWebSite);
  EXPECT_TRUE(prompt.opened().empty());
  prompt.Then(Answer::Yes).Then(Answer::Yes);
  Command(kCmdWebSite);
  Command(kCmdSupportPage);
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{question, question, question}));
  EXPECT_EQ(prompt.opened(), (std::vector<std::string>{std::string(build_values::kWebHome),
                                                       std::string(build_values::kWebSupport)}));
  EXPECT_TRUE(std::string(build_values::kWebSupport).ends_with("soutien.php"));
}

class AboutBoxTest : public LumvikAppTest {
 protected:
  void WithAbout(std::vector<std::function<void()>> steps) {
    WhileOpen(
        kCmdAbout, [this] { return app->about() != nullptr && app->about()->open(); },
        std::move(steps),
        [this] { ::SendMessageA(app->about()->Control(kGadgetAboutClose), BM_CLICK, 0, 0); });
    EXPECT_EQ(app->about(), nullptr);
  }
  std::string TextIn(int gadget) {
    char text[256] = {};
    ::GetWindowTextA(app->about()->Control(gadget), text, sizeof text);
    return text;
  }
  SIZE PictureSize() {
    auto* shown = reinterpret_cast<HBITMAP>(
        ::SendMessageA(app->about()->Control(kGadgetAboutPicture), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    ::GetObjectA(shown, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
  }
};

TEST_F(AboutBoxTest, ShowsThePictureAtHalfSizeEveryTimeAndTheFacts) {
  Start();
  const TextTable& texts = app->texts();
  for (int opening = 0; opening < 2; ++opening) {
    WithAbout({[&] {
                 HWND box = app->about()->window();
                 RECT inside{};
                 ::GetClientRect(box, &inside);
                 EXPECT_EQ(inside.right, 415);
                 EXPECT_EQ(inside.bottom, 270);
                 EXPECT_FALSE(::GetWindowLongPtrA(box, GWL_STYLE) & WS_SYSMENU);
                 const SIZE picture = PictureSize();
                 EXPECT_EQ(picture.cx, 400) << opening;
                 EXPECT_EQ(picture.cy, 100) << opening;
                 EXPECT_EQ(TextIn(kGadgetAboutProgram), texts[88] + " : " + texts[54]);
                 EXPECT_EQ(TextIn(kGadgetAboutVersion), texts[89] + " : 2.1");
                 EXPECT_EQ(TextIn(kGadgetAboutAuthor),
                           texts[90] + " : " + std::string(build_values::kAboutAuthor));
                 EXPECT_EQ(TextIn(kGadgetAboutTool),
                           texts[91] + " : " + std::string(build_values::kAboutTool));
                 EXPECT_EQ(TextIn(kGadgetAboutClose), texts[50]);
                 // Neither a close request nor Escape closes it.
                 ::SendMessageA(box, WM_CLOSE, 0, 0);
                 testing::PostKey(::GetFocus(), VK_ESCAPE);
               },
               [&] {
                 EXPECT_TRUE(app->about()->open());
                 testing::PostKey(::GetFocus(), VK_RETURN);
               }});
  }
  EXPECT_FALSE(app->quitting());
}

class HelpWindowTest : public LumvikAppTest {
 protected:
  void WithHelp(std::vector<std::function<void()>> steps) {
    WhileOpen(
        kCmdHelp, [this] { return app->help() != nullptr && app->help()->open(); },
        std::move(steps), [this] { ::SendMessageA(app->help()->window(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(app->help(), nullptr);
  }
  RECT BrowserPlace() {
    HWND browser = app->help()->Control(kGadgetHelpBrowser);
    RECT place{};
    ::GetWindowRect(browser, &place);
    ::MapWindowPoints(nullptr, app->help()->window(), reinterpret_cast<POINT*>(&place), 2);
    return place;
  }
};

TEST_F(HelpWindowTest, TheBrowserFillsTheWindowBelowItsBandAfterEveryResize) {
  Start();
  const std::string page = folder.path() + "/help/index.html";
  WithHelp({[&] {
              HWND window = app->help()->window();
              char title[128] = {};
              ::GetWindowTextA(window, title, sizeof title);
              EXPECT_EQ(std::string(title), app->texts()[40]);
              ASSERT_NE(app->help()->Control(kGadgetHelpBrowser), nullptr);
              RECT inside{};
              ::GetClientRect(window, &inside);
              const RECT place = BrowserPlace();
              EXPECT_EQ(place.left, 0);
              EXPECT_EQ(place.top, 31);
              EXPECT_EQ(place.right, inside.right);
              EXPECT_EQ(place.bottom, inside.bottom) << "not cut off at the bottom";
              ::SetWindowPos(window, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
            },
            [&] {
              RECT inside{};
              ::GetClientRect(app->help()->window(), &inside);
              EXPECT_EQ(BrowserPlace().right, inside.right);
              EXPECT_EQ(BrowserPlace().bottom, inside.bottom);
              ::SendMessageA(app->help()->Control(kGadgetHelpInBrowser), BM_CLICK, 0, 0);
            },
            [&] {
              EXPECT_EQ(prompt.opened(), (std::vector<std::string>{page}));
              ::SendMessageA(app->help()->window(), WM_CLOSE, 0, 0);
            }});
  EXPECT_FALSE(app->quitting());
}

TEST_F(HelpWindowTest, WithoutTheBrowserControlTheDefaultBrowserShowsTheHelp) {
  Start(SampleFile("list.lvk"));
  app->document().saved = 0;
  app->SetHelpLibrary("no-such-control-host.dll");
  Command(kCmdHelp);
  EXPECT_EQ(prompt.opened(), (std::vector<std::string>{folder.path() + "/help/index.html"}));
  EXPECT_FALSE(app->quitting());
  EXPECT_EQ(app->document().rows.size(), 4u) << "the document stays open, changes and all";
  EXPECT_EQ(app->document().saved, 0);
}

// A mail server in the test itself, over the transport seam: it answers as
// a real one does, or not at all.
class ScriptedServer : public SmtpTransport {
 public:
  explicit ScriptedServer(bool reachable, std::vector<std::string>* heard)
      : reachable_(reachable), heard_(heard) {}
  ConnectStatus Connect(std::string_view, std::uint16_t, std::chrono::milliseconds,
                        const WaitSlices&) override {
    if (!reachable_) return ConnectStatus::kNoConnection;
    pending_ = "220 ready\r\n";
    return ConnectStatus::kConnected;
  }
  bool Send(std::string_view bytes, std::chrono::milliseconds) override {
    received_ += bytes;
    for (std::size_t end; (end = received_.find("\r\n")) != std::string::npos;) {
      Answer(received_.substr(0, end));
      received_.erase(0, end + 2);
    }
    return true;
  }
  Received Receive(std::chrono::milliseconds) override {
    if (pending_.empty()) return {ReceiveStatus::kTimedOut, {}};
    return {ReceiveStatus::kData, std::exchange(pending_, {})};
  }
  void Close() override {}

 private:
  void Answer(const std::string& line) {
    heard_->push_back(line);
    if (in_data_) {
      if (line == ".") {
        in_data_ = false;
        pending_ += "250 queued\r\n";
      }
    } else if (line.starts_with("Ehlo") || line.starts_with("HELO") || line.starts_with("MAIL") ||
               line.starts_with("RCPT")) {
      pending_ += "250 fine\r\n";
    } else if (line == "AUTH LOGIN") {
      pending_ += "334 VXNlcm5hbWU6\r\n";
      login_lines_ = 2;
    } else if (login_lines_ > 0) {
      pending_ += --login_lines_ == 1 ? "334 UGFzc3dvcmQ6\r\n" : "235 welcome\r\n";
    } else if (line == "DATA") {
      in_data_ = true;
      pending_ += "354 go on\r\n";
    } else if (line == "QUIT") {
      pending_ += "221 bye\r\n";
    }
  }

  bool reachable_;
  std::vector<std::string>* heard_;
  std::string received_;
  std::string pending_;
  bool in_data_ = false;
  int login_lines_ = 0;
};

class FeedbackFormTest : public LumvikAppTest {
 protected:
  void StartWithServer(bool reachable) {
    Start();
    MailRoute route;
    route.server = "mail.test";
    route.transport = [this, reachable] {
      return std::make_unique<ScriptedServer>(reachable, &heard_);
    };
    route.timeouts = {.reply = std::chrono::milliseconds(200),
                      .exchange = std::chrono::milliseconds(2000),
                      .slice = std::chrono::milliseconds(20)};
    app->SetMailRoute(route);
  }
  void WithForm(std::vector<std::function<void()>> steps) {
    WhileOpen(
        kCmdFeedback,
        // While the mail is on its way the form keeps drawn, and the steps wait.
        [this] {
          return app->feedback() != nullptr && app->feedback()->open() &&
                 !app->feedback()->sending();
        },
        std::move(steps),
        [this] {
          ::SendMessageA(app->feedback()->Control(kGadgetFeedbackCancel), BM_CLICK, 0, 0);
        });
    EXPECT_EQ(app->feedback(), nullptr);
  }
  HWND Field(int gadget) { return app->feedback()->Control(gadget); }
  std::string TextIn(int gadget) {
    char text[512] = {};
    ::GetWindowTextA(Field(gadget), text, sizeof text);
    return text;
  }
  void Fill(const char* name, int subject, const char* message) {
    ::SetWindowTextA(Field(kGadgetFeedbackName), name);
    ::SendMessageA(Field(kGadgetFeedbackSubject), CB_SETCURSEL, subject, 0);
    ::SetWindowTextA(Field(kGadgetFeedbackMessage), message);
  }
  void PressSend() { ::SendMessageA(Field(kGadgetFeedbackSend), BM_CLICK, 0, 0); }
  AskedMessage Said(int text) { return {app->texts()[54], app->texts()[text], Buttons::Ok}; }

  std::vector<std::string> heard_;
};

TEST_F(FeedbackFormTest, EachEmptyFieldIsSaidAndFocusedInTurn) {
  StartWithServer(true);
  prompt.Then(Answer::Ok).Then(Answer::Ok).Then(Answer::Ok);
  WithForm({[&] { PressSend(); },
            [&] {
              EXPECT_EQ(::GetFocus(), Field(kGadgetFeedbackName));
              ::SetWindowTextA(Field(kGadgetFeedbackName), "Ann");
              PressSend();
            },
            [&] {
              EXPECT_EQ(::GetFocus(), Field(kGadgetFeedbackSubject));
              ::SendMessageA(Field(kGadgetFeedbackSubject), CB_SETCURSEL, 2, 0);
              PressSend();
            },
            [&] {
              EXPECT_EQ(::GetFocus(), Field(kGadgetFeedbackMessage));
              EXPECT_TRUE(heard_.empty()) << "nothing is sent before every field is filled";
              testing::PostKey(::GetFocus(), VK_ESCAPE);
            }});
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{Said(56), Said(58), Said(57)}));
}

TEST_F(FeedbackFormTest, AMailThatDidNotGoKeepsTheFormAndItsText) {
  StartWithServer(false);
  prompt.Then(Answer::Ok);
  WithForm({[&] {
              Fill("Ann", 1, "Line one\r\nLine two");
              PressSend();
            },
            [&] {
              EXPECT_TRUE(app->feedback()->open());
              EXPECT_EQ(TextIn(kGadgetFeedbackName), "Ann");
              EXPECT_EQ(TextIn(kGadgetFeedbackMessage), "Line one\r\nLine two");
              EXPECT_TRUE(::IsWindowEnabled(Field(kGadgetFeedbackSend)));
              EXPECT_EQ(::GetFocus(), Field(kGadgetFeedbackSend)) << "Enter tries again";
              char title[128] = {};
              ::GetWindowTextA(app->feedback()->window(), title, sizeof title);
              EXPECT_EQ(std::string(title), app->texts()[42]) << "no longer sending";
              ::SendMessageA(Field(kGadgetFeedbackCancel), BM_CLICK, 0, 0);
            }});
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{Said(156)}));
}

TEST_F(FeedbackFormTest, AMailTheServerTookThanksTheUserAndClosesTheForm) {
  StartWithServer(true);
  prompt.Then(Answer::Ok);
  WithForm({[&] {
    Fill("Ann <b>", 0, "Hello\r\nworld");
    PressSend();
  }});
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{Said(55)}));
  EXPECT_NE(std::find(heard_.begin(), heard_.end(), "Subject: " + app->texts()[46]), heard_.end());
  EXPECT_NE(std::find_if(heard_.begin(), heard_.end(),
                         [](const std::string& line) {
                           return line.find("Ann &lt;b&gt;") != std::string::npos &&
                                  line.find("Hello<br>world") != std::string::npos;
                         }),
            heard_.end());
  ASSERT_GE(heard_.size(), 2u);
  EXPECT_EQ(heard_[heard_.size() - 2], "QUIT");
  EXPECT_EQ(heard_.back(), "[connection closed]");
}

TEST_F(FeedbackFormTest, TabGoesRoundTheFormAndEnterSends) {
  StartWithServer(true);
  prompt.Then(Answer::Ok);
  std::vector<int> visited;
  const auto focus = [] { return ::GetDlgCtrlID(::GetFocus()); };
  WithForm({[&] {
              visited.push_back(focus());
              Fill("Ann", 0, "Hi");
              testing::PostKey(::GetFocus(), VK_TAB);
            },
            [&] {
              visited.push_back(focus());
              testing::PostKey(::GetFocus(), VK_TAB);
            },
            [&] {
              visited.push_back(focus());
              testing::PostKey(::GetFocus(), VK_TAB);  // out of the message, as in a dialog box
            },
            [&] {
              visited.push_back(focus());
              testing::PostKey(::GetFocus(), VK_TAB, {.shift = true});
            },
            [&] {
              visited.push_back(focus());
              testing::PostKey(::GetFocus(), VK_TAB);
            },
            [&] { testing::PostKey(::GetFocus(), VK_RETURN); }});
  EXPECT_EQ(visited,
            (std::vector<int>{kGadgetFeedbackName, kGadgetFeedbackSubject, kGadgetFeedbackMessage,
                              kGadgetFeedbackSend, kGadgetFeedbackMessage}));
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{Said(55)})) << "Enter on Send sent it";
}

}  // namespace
}  // namespace lumvik
