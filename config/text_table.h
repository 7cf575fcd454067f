// The interface texts, by number, as the language file gives them.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace lumvik {

// Texts 0 to 150 are loaded up to the count that the settings give
// ("langagenb"); the texts added to the interface since, from 151 up, are
// loaded whatever that count says, so that no settings file hides them.
constexpr int kFirstAddedText = 151;
// The highest text Lumvik shows; its table ends there. Skinwright's table
// keeps 201 entries, so its own texts stay at or below 200.
constexpr int kLastLumvikText = 223;
constexpr std::size_t kLumvikTextCount = kLastLumvikText + 1;
constexpr std::size_t kSkinwrightTextCount = 201;

class TextTable {
 public:
  explicit TextTable(std::size_t size) : texts_(size) {}

  // Text `number`, or an empty text for a number outside the table.
  const std::string& operator[](int number) const {
    static const std::string kNone;
    return number >= 0 && static_cast<std::size_t>(number) < texts_.size() ? texts_[number] : kNone;
  }

  // Stores nothing for a number outside the table.
  void Set(int number, std::string text) {
    if (number >= 0 && static_cast<std::size_t>(number) < texts_.size()) {
      texts_[number] = std::move(text);
    }
  }

  std::size_t size() const { return texts_.size(); }

 private:
  std::vector<std::string> texts_;
};

}  // namespace lumvik
