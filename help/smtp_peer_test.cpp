// The feedback mail sent to a real SMTP server on loopback, which must take
// the login and give back, unchanged, everything the user typed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <utility>

#include "help/build_values.h"
#include "help/feedback_body.h"
#include "help/feedback_mail.h"
#include "help/send_mail.h"
#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"
#include "platform/unique_fd.h"

extern char** environ;

namespace lumvik {
namespace {

// testing/smtp_peer.py as a child process, stopped when the test ends.
class SmtpPeer {
 public:
  explicit SmtpPeer(const std::string& folder) {
    int to_child[2];
    int from_child[2];
    if (::pipe2(to_child, O_CLOEXEC) != 0 || ::pipe2(from_child, O_CLOEXEC) != 0) return;
    const UniqueFd child_in(to_child[0]);
    const UniqueFd child_out(from_child[1]);
    input_ = UniqueFd(to_child[1]);
    output_ = UniqueFd(from_child[0]);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, child_in.get(), 0);
    ::posix_spawn_file_actions_adddup2(&actions, child_out.get(), 1);
    std::string python = "/usr/bin/python3";
    std::string script = LUMVIK_SMTP_PEER_SCRIPT;
    std::string output = folder;
    char* argv[] = {python.data(), script.data(), output.data(), nullptr};
    if (::posix_spawn(&pid_, python.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
    ::posix_spawn_file_actions_destroy(&actions);
    if (pid_ > 0) first_line_ = ReadFirstLine();
  }
  ~SmtpPeer() {
    input_.reset();  // the server stops at the end of its input
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  SmtpPeer(const SmtpPeer&) = delete;
  SmtpPeer& operator=(const SmtpPeer&) = delete;

  // "port N" once it listens, else why it did not start.
  const std::string& first_line() const { return first_line_; }
  std::uint16_t port() const {
    return first_line_.starts_with("port ")
               ? static_cast<std::uint16_t>(std::stoi(first_line_.substr(5)))
               : 0;
  }

 private:
  std::string ReadFirstLine() {
    std::string line;
    pollfd entry{output_.get(), POLLIN, 0};
    char c = 0;
    while (::poll(&entry, 1, 30'000) > 0 && ::read(output_.get(), &c, 1) == 1 && c != '\n') {
      line += c;
    }
    return line.empty() ? "no answer from " LUMVIK_SMTP_PEER_SCRIPT : line;
  }

  pid_t pid_ = -1;
  UniqueFd input_;
  UniqueFd output_;
  std::string first_line_;
};

// The user's text back from the body's HTML, for the few references that
// the test's texts produce.
std::string TextFromHtml(std::string_view html) {
  static const std::pair<std::string_view, std::string_view> kReferences[] = {
      {"<br>", "\r\n"},    {"&amp;", "&"},    {"&lt;", "<"},      {"&gt;", ">"},
      {"&quot;", "\""},    {"&#39;", "'"},    {"&#233;", "\xE9"}, {"&#239;", "\xEF"},
      {"&#8364;", "\x80"}, {"&#339;", "\x9C"}};
  std::string text;
  while (!html.empty()) {
    bool replaced = false;
    for (const auto& [reference, character] : kReferences) {
      if (html.starts_with(reference)) {
        text += character;
        html.remove_prefix(reference.size());
        replaced = true;
        break;
      }
    }
    if (!replaced) {
      text += html.front();
      html.remove_prefix(1);
    }
  }
  return text;
}

// 5 000 characters with markup, quotes, accents, equal signs, a line of only
// ".", a long run of dots that the soft breaks must start lines with, and a
// word of 1 200 letters.
std::string UserMessage() {
  std::string message = "Bonjour,\r\n.\r\n" + std::string(1200, '.') + "\r\n=\r\n";
  for (int k = 0; k < 1200; ++k) message += static_cast<char>('a' + k % 26);
  const std::string piece =
      "He said \"it's <script>alert(1)</script>\" & left: caf\xE9 \x80 \x9C na\xEFve. a=b==c\r\n";
  while (message.size() + piece.size() <= 5000) message += piece;
  message.append(5000 - message.size(), 'z');
  return message;
}

std::string Read(const testing::TempDir& folder, const std::string& name) {
  return ReadWholeFile(folder.File(name)).value_or("(missing)");
}

TEST(MailToARealServer, ArrivesWholeAfterTheLogin) {
  const testing::TempDir folder;
  const SmtpPeer peer(folder.path());
  ASSERT_NE(peer.port(), 0) << "the SMTP server did not start: " << peer.first_line();

  const FeedbackFields fields{
      .name = "Zo\xE9 \"Z\" <b>", .subject = "Question", .message = UserMessage()};
  const auto transport = MakeSystemTransport();
  ASSERT_EQ(SendMail(*transport, "127.0.0.1", peer.port(),
                     FeedbackMail(fields, "Francais", "testpc", {2024, 3, 7, 9, 5, 2})),
            SendOutcome::kDelivered);

  const std::string from(build_values::kMailFrom);
  const std::string to(build_values::kMailTo);
  // Compared, never shown: the account and password are the build's own.
  EXPECT_TRUE(Read(folder, "login") == "LOGIN\n" + std::string(build_values::kSmtpAccount) + "\n" +
                                           std::string(build_values::kSmtpPassword) + "\n")
      << "the server was not given this build's account and password";
  EXPECT_EQ(Read(folder, "envelope"), from + "\n" + to + "\n");
  const std::string mail = Read(folder, "mail");
  const std::string headers = "X-Mailer: Lumvik 1.0\r\nTo: " + to + "\r\nFrom: Lumvik-App <" +
                              from + ">\r\nReply-To: " + from +
                              "\r\nDate:07/03/2024 @ 09:05:02\r\nSubject: Question\r\n"
                              "MIME-Version: 1.0\r\nContent-Type: text/html; charset=us-ascii\r\n"
                              "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
  ASSERT_TRUE(mail.starts_with(headers)) << mail.substr(0, 600);
  std::size_t line_length = 0;
  for (char c : mail.substr(headers.size())) {
    EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    line_length = c == '\n' ? 0 : line_length + 1;
    EXPECT_LE(line_length, kMaxEncodedLine + 1);  // and its CR
  }

  // The body as the mail reader decodes it is the body built, byte for byte,
  // and it gives back everything the user typed.
  const std::string body = Read(folder, "body");
  EXPECT_EQ(body, FeedbackBody(fields.name, "Francais", fields.message));
  const std::string name_start = "<b>De : ";
  const std::string message_start = "<p><u>Message :</u><br>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
  ASSERT_TRUE(body.starts_with(name_start)) << body.substr(0, 200);
  EXPECT_EQ(TextFromHtml(body.substr(name_start.size(), body.find("</b>") - name_start.size())),
            fields.name);
  ASSERT_NE(body.find(message_start), std::string::npos);
  EXPECT_EQ(TextFromHtml(body.substr(body.find(message_start) + message_start.size())),
            fields.message);
}

}  // namespace
}  // namespace lumvik
