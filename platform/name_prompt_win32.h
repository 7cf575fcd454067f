// A modal one-line prompt: a message above a text box, OK and Cancel.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/prompt.h"

namespace lumvik {

// The control numbers of the prompt's text box and message, for tests that
// answer it.
constexpr int kNamePromptEdit = 100;
constexpr int kNamePromptMessage = 101;

// What was typed when OK was chosen; nothing after Cancel or when the
// prompt could not be shown.
std::optional<std::string> AskOneLine(HWND owner, const NameQuestion& question);

}  // namespace lumvik
