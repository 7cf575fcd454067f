// Every modal question the programs ask goes through this interface, so that
// tests can answer them and check what was asked.
#pragma once

#include <string>

namespace lumvik {

// The standard message-box answers.
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

enum class Buttons { Ok, YesNo, YesNoCancel };

class Prompt {
 public:
  virtual ~Prompt() = default;
  virtual Answer Message(const std::string& title, const std::string& text, Buttons buttons) = 0;
};

}  // namespace lumvik
