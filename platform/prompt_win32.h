// The prompts as the user sees them: message boxes and the common file
// dialogs, owned by one window, or by the active window when none is given.
#pragma once

#include <windows.h>

#include "platform/prompt.h"

namespace lumvik {

class WindowPrompt : public Prompt {
 public:
  explicit WindowPrompt(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  Answer Message(const std::string& title, const std::string& text, Buttons buttons) override;
  std::optional<std::string> OpenFileName(const FileQuestion& question) override;
  std::optional<std::string> SaveFileName(const FileQuestion& question) override;

 private:
  HWND Owner() const;
  HWND owner_;
};

}  // namespace lumvik
