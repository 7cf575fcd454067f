// A Prompt for tests: plays scripted answers in order, records every question,
// and fails the test at once on a question nobody scripted.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
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

enum class FileDialog { Open, Save };

struct AskedFile {
  FileDialog dialog;
  FileQuestion question;
  bool operator==(const AskedFile&) const = default;
};

class ScriptedPrompt : public Prompt {
 public:
  ScriptedPrompt& Then(Answer answer) {
    answers_.push_back(answer);
    return *this;
  }
  // The path the next file dialog returns; nothing plays Cancel.
  ScriptedPrompt& ThenFile(std::optional<std::string> path) {
    files_.push_back(std::move(path));
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

  std::optional<std::string> OpenFileName(const FileQuestion& question) override {
    return NextFile(FileDialog::Open, question);
  }
  std::optional<std::string> SaveFileName(const FileQuestion& question) override {
    return NextFile(FileDialog::Save, question);
  }

  const std::vector<AskedMessage>& asked() const { return asked_; }
  const std::vector<AskedFile>& asked_files() const { return asked_files_; }
  bool AllAnswersUsed() const { return answers_.empty() && files_.empty(); }

 private:
  std::optional<std::string> NextFile(FileDialog dialog, const FileQuestion& question) {
    asked_files_.push_back({dialog, question});
    if (files_.empty()) {
      ADD_FAILURE() << "unscripted file dialog \"" << question.title << "\"";
      return std::nullopt;
    }
    std::optional<std::string> path = std::move(files_.front());
    files_.pop_front();
    return path;
  }

  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> files_;
  std::vector<AskedMessage> asked_;
  std::vector<AskedFile> asked_files_;
};

}  // namespace lumvik::testing
