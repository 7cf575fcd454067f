// A Prompt for tests: plays scripted answers in order, records every question,
// and fails the test at once on a question nobody scripted.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/prompt.h"

namespace lumvik::testing {

struct AskedMessage {
  std::string title;
  std::string text;
  Buttons buttons;
  bool operator==(const AskedMessage&) const = default;
};

class ScriptedPrompt : public Prompt {
 public:
  ScriptedPrompt& Then(Answer answer) {
    answers_.push_back(answer);
    return *this;
  }

  Answer Message(const std::string& title, const std::string& text, Buttons buttons) override {
    asked_.push_back({title, text, buttons});
    if (answers_.empty()) {
      ADD_FAILURE() << "unscripted question \"" << title << "\": \"" << text << "\"";
      return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  const std::vector<AskedMessage>& asked() const { return asked_; }
  bool AllAnswersUsed() const { return answers_.empty(); }

 private:
  std::deque<Answer> answers_;
  std::vector<AskedMessage> asked_;
};

}  // namespace lumvik::testing
