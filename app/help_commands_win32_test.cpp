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

// How the test's mail server behaves.
enum class Server {
  kTakesTheMail,
  kUnreachable,
  kSilent,            // takes the connection and never says a word
  kNoVerdict,         // never answers the message's final "."
  kAsksAgainAndAgain  // answers DATA with a thousand invitations to send
};

// What the server is and what it heard, kept across the form's sendings.
struct ServerState {
  Server behaviour = Server::kTakesTheMail;
  bool waiting = false;  // it has come to the point where it says nothing more
  std::vector<std::string> heard;
};

// A mail server in the test itself, over the transport seam: it answers as
// a real one does, or as `state` says.
class ScriptedServer : public SmtpTransport {
 public:
  explicit ScriptedServer(ServerState* state) : state_(state) {}
  LookUp Addresses(std::string_view, std::uint16_t) override { return {true, {{"192.0.2.1", 25}}}; }
  bool Connect(const ServerAddress&, std::chrono::milliseconds, const WaitSlices&) override {
    if (state_->behaviour == Server::kUnreachable) return false;
    state_->waiting = state_->behaviour == Server::kSilent;
    if (!state_->waiting) pending_ = "220 ready\r\n";
    return true;
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
    state_->heard.push_back(line);
    if (in_data_) {
      if (line == ".") {
        in_data_ = false;
        state_->waiting = state_->behaviour == Server::kNoVerdict;
        if (!state_->waiting) pending_ += "250 queued\r\n";
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
      const int invitations = state_->behaviour == Server::kAsksAgainAndAgain ? 1000 : 1;
      for (int k = 0; k < invitations; ++k) pending_ += "354 go on\r\n";
    } else if (line == "QUIT") {
      pending_ += "221 bye\r\n";
    }
  }

  ServerState* state_;
  std::string received_;
  std::string pending_;
  bool in_data_ = false;
  int login_lines_ = 0;
};

class FeedbackFormTest : public LumvikAppTest {
 protected:
  void StartWithServer(Server behaviour,
                       MailTimeouts timeouts = {.reply = std::chrono::milliseconds(200),
                                                .exchange = std::chrono::milliseconds(2000),
                                                .verdict = std::chrono::milliseconds(2000),
                                                .slice = std::chrono::milliseconds(20)}) {
    Start();
    server_.behaviour = behaviour;
    MailRoute route;
    route.server = "mail.test";
    route.transport = [this] { return std::make_unique<ScriptedServer>(&server_); };
    route.timeouts = timeouts;
    app->SetMailRoute(route);
  }
  // Plays the steps while the form is open: while a mail is on its way, only
  // once the server has come to say nothing more, so that a step can stop
  // the sending at a known point (through Stop, which then waits for the
  // sending to end).
  void WithForm(std::vector<std::function<void()>> steps) {
    WhileOpen(
        kCmdFeedback,
        [this] {
          return app->feedback() != nullptr && app->feedback()->open() &&
                 (!app->feedback()->sending() || server_.waiting);
        },
        std::move(steps),
        [this] {
          // A test that failed ends with the form closed, whatever it asks.
          prompt.Then(Answer::Yes);
          PressCancel();
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
  void PressSend() {
    server_.waiting = false;
    ::SendMessageA(Field(kGadgetFeedbackSend), BM_CLICK, 0, 0);
  }
  void PressCancel() { ::SendMessageA(Field(kGadgetFeedbackCancel), BM_CLICK, 0, 0); }
  void Stop(const std::function<void()>& action) {
    server_.waiting = false;
    action();
  }
  AskedMessage Said(int text) { return {app->texts()[54], app->texts()[text], Buttons::Ok}; }
  AskedMessage DiscardQuestion() { return {app->texts()[54], app->texts()[202], Buttons::YesNo}; }
  std::size_t MessagesHeard() const {
    return std::count(server_.heard.begin(), server_.heard.end(), "X-Mailer: Lumvik 1.0");
  }

  ServerState server_;
};

TEST_F(FeedbackFormTest, EachEmptyFieldIsSaidAndFocusedInTurn) {
  StartWithServer(Server::kTakesTheMail);
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
              EXPECT_TRUE(server_.heard.empty()) << "nothing is sent before every field is filled";
              testing::PostKey(::GetFocus(), VK_ESCAPE);
            }});
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{Said(56), Said(58), Said(57)}));
}

TEST_F(FeedbackFormTest, AMailThatDidNotGoKeepsTheFormAndItsText) {
  StartWithServer(Server::kUnreachable);
  prompt.Then(Answer::Ok).Then(Answer::Yes);
  WithForm(
      {[&] {
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
         for (int gadget : {kGadgetFeedbackName, kGadgetFeedbackSubject, kGadgetFeedbackMessage}) {
           EXPECT_TRUE(::IsWindowEnabled(Field(gadget))) << gadget;
         }
         PressCancel();
       }});
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{Said(156), DiscardQuestion()}));
}

TEST_F(FeedbackFormTest, AServerThatAsksForTheMessageAgainAndAgainHearsItOnceAtMost) {
  StartWithServer(Server::kAsksAgainAndAgain);
  prompt.Then(Answer::Ok).Then(Answer::Yes);
  WithForm({[&] {
              Fill("Ann", 1, "Once is enough");
              PressSend();
            },
            [&] {
              EXPECT_LE(MessagesHeard(), 1u);
              EXPECT_EQ(TextIn(kGadgetFeedbackMessage), "Once is enough");
              PressCancel();
            }});
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{Said(156), DiscardQuestion()}));
}

TEST_F(FeedbackFormTest, CancelEscapeAndAltF4StopASendingAndSayWhetherTheMailWent) {
  // Time-outs long enough that only the user can end these sendings soon.
  const auto long_wait = std::chrono::milliseconds(60'000);
  StartWithServer(Server::kSilent, {.reply = long_wait,
                                    .exchange = long_wait,
                                    .verdict = long_wait,
                                    .slice = std::chrono::milliseconds(20)});
  prompt.Then(Answer::Ok).Then(Answer::Ok).Then(Answer::Ok).Then(Answer::Yes);
  const auto start = std::chrono::steady_clock::now();
  const auto expect_sending = [&] {
    ASSERT_TRUE(app->feedback()->sending());
    char title[128] = {};
    ::GetWindowTextA(app->feedback()->window(), title, sizeof title);
    EXPECT_EQ(std::string(title), app->texts()[155]);
    EXPECT_FALSE(::IsWindowEnabled(Field(kGadgetFeedbackMessage)));
    EXPECT_FALSE(::IsWindowEnabled(Field(kGadgetFeedbackSend)));
    EXPECT_EQ(::GetFocus(), Field(kGadgetFeedbackCancel));
  };
  WithForm({[&] {
              Fill("Ann", 1, "Hello");
              PressSend();
            },
            [&] {
              expect_sending();
              Stop([&] { PressCancel(); });  // before the server even greeted
            },
            [&] {
              EXPECT_FALSE(app->feedback()->sending());
              EXPECT_EQ(TextIn(kGadgetFeedbackMessage), "Hello");
              server_.behaviour = Server::kNoVerdict;
              PressSend();
            },
            [&] {
              expect_sending();
              Stop([] { testing::PostKey(::GetFocus(), VK_ESCAPE); });  // after the message went
            },
            [&] { PressSend(); },
            [&] {
              expect_sending();
              Stop([] { testing::PostKey(::GetFocus(), VK_F4, {.alt = true}); });
            },
            [&] {
              EXPECT_EQ(TextIn(kGadgetFeedbackMessage), "Hello");
              PressCancel();
            }});
  EXPECT_EQ(prompt.asked(),
            (std::vector<AskedMessage>{Said(156), Said(201), Said(201), DiscardQuestion()}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, long_wait / 4);
  EXPECT_EQ(MessagesHeard(), 2u);
}

TEST_F(FeedbackFormTest, ClosingWithATypedMessageAsksFirstAndWithoutOneAtOnce) {
  StartWithServer(Server::kTakesTheMail);
  prompt.Then(Answer::No).Then(Answer::No).Then(Answer::Yes);
  WithForm({[&] {
              Fill("Ann", 1, "A long story");
              ::SetFocus(Field(kGadgetFeedbackMessage));
              testing::PostKey(::GetFocus(), VK_ESCAPE);
            },
            [&] {
              EXPECT_EQ(TextIn(kGadgetFeedbackMessage), "A long story");
              PressCancel();
            },
            [&] {
              EXPECT_EQ(TextIn(kGadgetFeedbackMessage), "A long story");
              testing::PostKey(::GetFocus(), VK_F4, {.alt = true});
            }});
  EXPECT_EQ(prompt.asked(),
            (std::vector<AskedMessage>{DiscardQuestion(), DiscardQuestion(), DiscardQuestion()}));

  WithForm({[&] {
    Fill("Ann", 1, "");
    testing::PostKey(::GetFocus(), VK_F4, {.alt = true});
  }});
  EXPECT_EQ(prompt.asked().size(), 3u) << "an empty message is closed without a question";
  EXPECT_TRUE(server_.heard.empty());
}

TEST_F(FeedbackFormTest, AMailTheServerTookThanksTheUserAndClosesTheForm) {
  StartWithServer(Server::kTakesTheMail);
  prompt.Then(Answer::Ok);
  WithForm({[&] {
    Fill("Ann <b>", 0, "Hello\r\nworld");
    PressSend();
  }});
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{Said(55)}));
  EXPECT_NE(std::find(server_.heard.begin(), server_.heard.end(), "Subject: " + app->texts()[46]),
            server_.heard.end());
  // The body, its lines joined again without their soft breaks.
  const auto blank = std::find(server_.heard.begin(), server_.heard.end(), "");
  ASSERT_NE(blank, server_.heard.end());
  const auto end = std::find(blank, server_.heard.end(), ".");
  std::string body;
  for (auto line = blank + 1; line != end; ++line) body += line->substr(0, line->size() - 1);
  EXPECT_NE(body.find("Ann &lt;b&gt;"), std::string::npos) << body;
  EXPECT_NE(body.find("Hello<br>world"), std::string::npos) << body;
  ASSERT_GE(server_.heard.size(), 2u);
  EXPECT_EQ(server_.heard[server_.heard.size() - 2], "QUIT");
  EXPECT_EQ(server_.heard.back(), "[connection closed]");
}

TEST_F(FeedbackFormTest, TabGoesRoundTheFormAndEnterSends) {
  StartWithServer(Server::kTakesTheMail);
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
