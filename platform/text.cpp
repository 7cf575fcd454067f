#include "platform/text.h"

namespace lumvik {

std::int64_t ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint64_t value = 0;  // unsigned, so that overlong numbers wrap instead of overflowing
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint64_t>(text[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int64_t>(value);
}

std::int16_t ParseDecimal16(std::string_view text) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(ParseDecimal(text)));
}

std::int32_t ParseDecimal32(std::string_view text) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ParseDecimal(text)));
}

char LowerLatin1(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE)) return static_cast<char>(u + 0x20);
  return c;
}

std::string LowerLatin1(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = LowerLatin1(c);
  return folded;
}

char UpperLatin1(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) {
    return static_cast<char>(u - 0x20);
  }
  return c;
}

std::string CapitalisedLatin1(std::string_view text) {
  std::string name = LowerLatin1(text);
  if (!name.empty()) name.front() = UpperLatin1(name.front());
  return name;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerLatin1(a[i]) != LowerLatin1(b[i])) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string FillPlaceholder(std::string_view text, std::string_view value) {
  const std::string values[] = {std::string(value)};
  return FillPlaceholders(text, values);
}

std::string FillPlaceholders(std::string_view text, std::span<const std::string> values) {
  std::string filled;
  for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%')) {
    const std::size_t number =
        at + 1 < text.size() ? static_cast<std::size_t>(text[at + 1] - '1') : values.size();
    filled.append(text.substr(0, at));
    if (number < values.size()) {
      filled.append(values[number]);
      text.remove_prefix(at + 2);
    } else {
      filled.push_back('%');
      text.remove_prefix(at + 1);
    }
  }
  return filled.append(text);
}

std::string GroupedNumber(long long count) {
  const std::string digits = std::to_string(count);
  const std::size_t first = count < 0 ? 1 : 0;
  std::string grouped = digits.substr(0, first);
  for (std::size_t k = first; k < digits.size(); ++k) {
    if (k > first && (digits.size() - k) % 3 == 0) grouped += '\xA0';
    grouped += digits[k];
  }
  return grouped;
}

}  // namespace lumvik
