// A Prompt for tests: plays scripted answers in order, records every question,
// and fails the test at once on a question nobody scripted.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
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

struct AskedFont {
  std::string face;
  std::int32_t points;
  bool operator==(const AskedFont&) const = default;
};

using AskedName = NameQuestion;

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

  // The next colour dialog's answer; nothing plays Cancel.
  ScriptedPrompt& ThenTypedFile(std::optional<TypedFileName> file) {
    typed_files_.push_back(std::move(file));
    return *this;
  }
  ScriptedPrompt& ThenColour(std::optional<std::int32_t> colour) {
    colours_.push_back(colour);
    return *this;
  }
  ScriptedPrompt& ThenFont(std::optional<FontAnswer> font) {
    fonts_.push_back(std::move(font));
    return *this;
  }
  ScriptedPrompt& ThenName(std::optional<std::string> name) {
    names_.push_back(std::move(name));
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

  std::optional<TypedFileName> SaveTypedFileName(const FileQuestion& question) override {
    asked_files_.push_back({FileDialog::Save, question});
    return Next(typed_files_, "typed file dialog \"" + question.title + "\"");
  }

  std::optional<std::int32_t> AskColour(std::int32_t start) override {
    asked_colours_.push_back(start);
    return Next(colours_, "colour dialog");
  }
  std::optional<FontAnswer> AskFont(const std::string& face, std::int32_t points) override {
    asked_fonts_.push_back({face, points});
    return Next(fonts_, "font dialog \"" + face + "\"");
  }
  std::optional<std::string> AskName(const NameQuestion& question) override {
    asked_names_.push_back(question);
    return Next(names_, "name prompt \"" + question.title + "\"");
  }

  bool OpenAddress(const std::string& address) override {
    opened_.push_back(address);
    return opens_;
  }
  // Whether the system finds something to open addresses with.
  void SetOpens(bool opens) { opens_ = opens; }

  const std::vector<AskedMessage>& asked() const { return asked_; }
  // The web addresses the system was asked to open, in order.
  const std::vector<std::string>& opened() const { return opened_; }
  const std::vector<AskedFile>& asked_files() const { return asked_files_; }
  // The start colour of each colour dialog.
  const std::vector<std::int32_t>& asked_colours() const { return asked_colours_; }
  const std::vector<AskedFont>& asked_fonts() const { return asked_fonts_; }
  const std::vector<AskedName>& asked_names() const { return asked_names_; }
  bool AllAnswersUsed() const {
    return answers_.empty() && files_.empty() && typed_files_.empty() && colours_.empty() && fonts_.empty() &&
           names_.empty();
  }

 private:
  // An unscripted question fails the test and is cancelled.
  template <typename Value>
  static std::optional<Value> Next(std::deque<std::optional<Value>>& script,
                                   const std::string& question) {
    if (script.empty()) {
      ADD_FAILURE() << "unscripted " << question;
      return std::nullopt;
    }
    std::optional<Value> answer = std::move(script.front());
    script.pop_front();
    return answer;
  }

  std::optional<std::string> NextFile(FileDialog dialog, const FileQuestion& question) {
    asked_files_.push_back({dialog, question});
    return Next(files_, "file dialog \"" + question.title + "\"");
  }

  bool opens_ = true;
  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> files_;
  std::deque<std::optional<TypedFileName>> typed_files_;
  std::vector<AskedMessage> asked_;
  std::vector<AskedFile> asked_files_;
  std::deque<std::optional<std::int32_t>> colours_;
  std::deque<std::optional<FontAnswer>> fonts_;
  std::deque<std::optional<std::string>> names_;
  std::vector<std::int32_t> asked_colours_;
  std::vector<AskedFont> asked_fonts_;
  std::vector<AskedName> asked_names_;
  std::vector<std::string> opened_;
};

}  // namespace lumvik::testing
