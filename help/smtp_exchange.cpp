#include "help/smtp_exchange.h"

#include <utility>

#include "help/base64.h"
#include "help/feedback_body.h"

namespace lumvik {

namespace {

// A reply line starts with three digits and a blank, a "-" when more lines
// of the same reply follow, or nothing more.
constexpr std::size_t kReplyLineStart = 4;

std::string OneLine(std::string value) {
  std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
  return value;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The code of a reply's last line, 0 for a line of a longer reply or no reply.
int FinalReplyCode(std::string_view start) {
  if (start.size() < 3 || !IsDigit(start[0]) || !IsDigit(start[1]) || !IsDigit(start[2])) return 0;
  if (start.size() > 3 && start[3] != ' ' && start[3] != '\r') return 0;
  return (start[0] - '0') * 100 + (start[1] - '0') * 10 + (start[2] - '0');
}

}  // namespace

SmtpExchange::SmtpExchange(OutgoingMail mail) : mail_(std::move(mail)) {
  for (std::string* field : {&mail_.sender_name, &mail_.from, &mail_.to, &mail_.host_name,
                             &mail_.subject, &mail_.date_text}) {
    *field = OneLine(std::move(*field));
  }
}

SmtpExchange::Reaction SmtpExchange::Receive(std::string_view bytes) {
  Reaction reaction;
  for (char c : bytes) {
    // Only a line's first bytes tell anything, so a server that never ends
    // its line costs no memory.
    if (c != '\n') {
      if (line_.size() < kReplyLineStart) line_ += c;
      continue;
    }
    const int code = FinalReplyCode(std::exchange(line_, {}));
    if (code == 0 || done_) continue;
    ++reaction.replies;
    Act(code, reaction.lines);
  }
  return reaction;
}

void SmtpExchange::Act(int code, std::vector<std::string>& out) {
  // The first reply after the message's final "." is the server's verdict on it.
  if (std::exchange(awaiting_verdict_, false) && code == 250) accepted_ = true;
  const std::string mail_from = "MAIL FROM: <" + mail_.from + ">";
  switch (code) {
    case 220:
      out.push_back((mail_.account.empty() ? "HELO " : "Ehlo ") + mail_.host_name);
      state_ = mail_.account.empty() ? SmtpState::kGreetedPlain : SmtpState::kGreetedExtended;
      break;
    case 221:
      out.push_back("[connection closed]");
      state_ = SmtpState::kClosing;
      done_ = true;
      break;
    case 235:
      out.push_back(mail_from);
      state_ = SmtpState::kSenderGiven;
      break;
    case 334:
      // The password goes at once, unasked: a second prompt gets nothing.
      if (state_ == SmtpState::kAuthAsked) {
        out.push_back(Base64(mail_.account));
        out.push_back(Base64(mail_.password));
        state_ = SmtpState::kPasswordSent;
      }
      break;
    case 250:
      switch (state_) {
        case SmtpState::kGreetedExtended:
          out.push_back("AUTH LOGIN");
          state_ = SmtpState::kAuthAsked;
          break;
        case SmtpState::kGreetedPlain:
          out.push_back(mail_from);
          state_ = SmtpState::kSenderGiven;
          break;
        case SmtpState::kSenderGiven:
          out.push_back("RCPT TO: <" + mail_.to + ">");
          state_ = SmtpState::kRecipientGiven;
          break;
        case SmtpState::kRecipientGiven:
          out.push_back("DATA");
          state_ = SmtpState::kDataAsked;
          break;
        case SmtpState::kDataAsked:
          out.push_back("QUIT");
          break;
        default:
          break;
      }
      break;
    case 251:
      out.push_back("DATA");
      state_ = SmtpState::kDataAsked;
      break;
    case 354:
      // The message goes once, in answer to DATA: a server that asks for it
      // again would otherwise be sent a copy for every 354 it can repeat.
      if (state_ == SmtpState::kDataAsked && !message_sent_) {
        AppendMessage(out);
        message_sent_ = true;
        awaiting_verdict_ = true;
      } else {
        out.clear();
        out_of_turn_ = true;
        done_ = true;
      }
      break;
    case 550:
      rejected_ = true;
      done_ = true;
      break;
    default:
      break;
  }
}

void SmtpExchange::AppendMessage(std::vector<std::string>& out) const {
  out.insert(out.end(),
             {"X-Mailer: Lumvik 1.0", "To: " + mail_.to,
              "From: " + mail_.sender_name + " <" + mail_.from + ">", "Reply-To: " + mail_.from,
              "Date:" + mail_.date_text, "Subject: " + mail_.subject, "MIME-Version: 1.0",
              "Content-Type: text/html; charset=us-ascii",
              "Content-Transfer-Encoding: quoted-printable", ""});
  for (std::string& line : MailBodyLines(mail_.body)) out.push_back(std::move(line));
  out.push_back(".");
}

}  // namespace lumvik
