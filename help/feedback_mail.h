// The feedback mail as the form hands it over: the user's fields with this
// build's fixed sender, account and recipient.
#pragma once

#include <string>
#include <string_view>

#include "help/mail_date.h"
#include "help/smtp_exchange.h"

namespace lumvik {

// What the user typed and chose in the feedback form.
struct FeedbackFields {
  std::string name;
  std::string subject;  // the text of the chosen subject entry
  std::string message;
};

// `langage` is the program's language setting, `host_name` this computer's
// name and `now` the local time of sending.
OutgoingMail FeedbackMail(const FeedbackFields& fields, std::string_view langage,
                          std::string_view host_name, const LocalDateTime& now);

}  // namespace lumvik
