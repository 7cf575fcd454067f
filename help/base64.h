// Base64 as the mail server's AUTH LOGIN expects the account and password.
#pragma once

#include <string>
#include <string_view>

namespace lumvik {

// The standard alphabet with "=" padding, in one line without breaks.
std::string Base64(std::string_view bytes);

}  // namespace lumvik
