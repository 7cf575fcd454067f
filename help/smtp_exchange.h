// The SMTP dialogue of the feedback mail as a state machine of its own, with
// no socket in it: it is fed the bytes the server sent and answers with the
// lines to send back, so every turn of the dialogue can be tested without a
// network.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumvik {

// One mail as the dialogue sends it.
struct OutgoingMail {
  std::string sender_name;  // shown before the sender address
  std::string from;
  std::string to;
  std::string account;  // empty: greet with HELO and send without logging in
  std::string password;
  std::string host_name;  // this computer's name, for the greeting
  std::string subject;
  std::string date_text;  // MailDateText of the moment of sending
  std::string body;       // FeedbackBody: HTML, encoded into mail lines when sent
};

// The numbers are the ones the dialogue has always used for its states.
enum class SmtpState : int {
  kStart = 0,              // connected, waiting for the greeting
  kGreetedExtended = 126,  // "Ehlo" sent
  kAuthAsked = 127,        // "AUTH LOGIN" sent
  kUserSent = 128,         // encoded account name sent
  kPasswordSent = 129,     // encoded password sent
  kGreetedPlain = 130,     // "HELO" sent
  kSenderGiven = 131,      // "MAIL FROM" sent
  kRecipientGiven = 132,   // "RCPT TO" sent
  kDataAsked = 133,        // "DATA" sent
  kClosing = 134,          // the server said goodbye
};

class SmtpExchange {
 public:
  // Header values lose their CR and LF bytes here, so that no field of the
  // form can add a header or a command of its own.
  explicit SmtpExchange(OutgoingMail mail);

  struct Reaction {
    std::vector<std::string> lines;  // to send in this order, each followed by CR LF
    std::size_t replies = 0;         // complete replies among the bytes, acted on or not
  };

  // Takes whatever bytes arrived, in any pieces: each complete reply is acted
  // on in turn, a reply of several lines once, by its code, when its last
  // line is in; an unfinished line waits for the next bytes. Lines that are
  // not replies are skipped, and nothing is acted on once the dialogue is done.
  Reaction Receive(std::string_view bytes);

  // The server said goodbye (221), refused the recipient (550) or answered
  // out of turn.
  bool done() const { return done_; }
  // The server took the message: its first reply after the final "." was 250.
  bool accepted() const { return accepted_; }
  // The message went with its final "." and the server has not replied yet.
  bool awaiting_verdict() const { return awaiting_verdict_; }
  bool rejected() const { return rejected_; }
  // A 354 that was no answer to DATA, or came after the message had gone:
  // nothing more goes to such a server, not even what the same bytes led to.
  bool out_of_turn() const { return out_of_turn_; }
  SmtpState state() const { return state_; }

 private:
  void Act(int code, std::vector<std::string>& out);
  void AppendMessage(std::vector<std::string>& out) const;

  OutgoingMail mail_;
  SmtpState state_ = SmtpState::kStart;
  std::string line_;  // the start of the reply line being received: code and separator
  bool message_sent_ = false;
  bool awaiting_verdict_ = false;
  bool done_ = false;
  bool accepted_ = false;
  bool rejected_ = false;
  bool out_of_turn_ = false;
};

}  // namespace lumvik
