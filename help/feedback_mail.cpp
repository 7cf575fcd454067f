#include "help/feedback_mail.h"

#include "help/build_values.h"
#include "help/feedback_body.h"

namespace lumvik {

OutgoingMail FeedbackMail(const FeedbackFields& fields, std::string_view langage,
                          std::string_view host_name, const LocalDateTime& now) {
  return OutgoingMail{.sender_name = "Lumvik-App",
                      .from = std::string(build_values::kMailFrom),
                      .to = std::string(build_values::kMailTo),
                      .account = std::string(build_values::kSmtpAccount),
                      .password = std::string(build_values::kSmtpPassword),
                      .host_name = std::string(host_name),
                      .subject = fields.subject,
                      .date_text = MailDateText(now),
                      .body = FeedbackBody(fields.name, langage, fields.message)};
}

}  // namespace lumvik
