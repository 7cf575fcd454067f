// The prompts as the user sees them: message boxes, the common file, colour
// and font dialogs and a one-line name prompt, owned by one window, or by the
// active window when none is given.
#pragma once

#include <windows.h>

#include <array>

#include "platform/prompt.h"

namespace lumvik {

class WindowPrompt : public Prompt {
 public:
  explicit WindowPrompt(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  Answer Message(const std::string& title, const std::string& text, Buttons buttons) override;
  std::optional<std::string> OpenFileName(const FileQuestion& question) override;
  std::optional<std::string> SaveFileName(const FileQuestion& question) override;
  std::optional<TypedFileName> SaveTypedFileName(const FileQuestion& question) override;
  std::optional<std::int32_t> AskColour(std::int32_t start) override;
  std::optional<FontAnswer> AskFont(const std::string& face, std::int32_t points) override;
  std::optional<std::string> AskName(const NameQuestion& question) override;
  bool OpenAddress(const std::string& address) override;

 private:
  HWND Owner() const;
  HWND owner_;
  // The colour dialog's custom colours, kept from one question to the next.
  std::array<COLORREF, 16> custom_colours_{};
};

}  // namespace lumvik
