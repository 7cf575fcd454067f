// Alone in its file: a build for a test server links its own copy instead.
#include "help/build_values.h"
#include "help/feedback_form_win32.h"

namespace lumvik {

MailRoute BuildMailRoute() {
  MailRoute route;
  route.server = std::string(build_values::kSmtpServer);
  route.port = build_values::kSmtpPort;
  return route;
}

}  // namespace lumvik
