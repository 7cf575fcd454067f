// The mail that the feedback tests send, with an account to log in with or,
// given an empty one, without.
#pragma once

#include <string>
#include <utility>

#include "help/smtp_exchange.h"

namespace lumvik::testing {

inline OutgoingMail TestMail(std::string account = "acct") {
  return {.sender_name = "Lumvik-App",
          .from = "me@a.test",
          .to = "you@b.test",
          .account = std::move(account),
          .password = "secret",
          .host_name = "pc1",
          .subject = "Question",
          .date_text = "01/02/2024 @ 03:04:05",
          .body = "<b>hi</b>"};
}

}  // namespace lumvik::testing
