// Random documents for property tests: levels that jump down and up by
// several steps, first rows deeper than later ones, tasks with deeper rows
// under them, progress values of any sign, and texts full of the bytes that
// the file format gives a meaning to.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include "document/document.h"
#include "document/stored_form.h"

namespace lumvik::testing {

inline int RandomInt(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

// Any text without a line break: bytes and pieces of file syntax.
inline std::string RandomName(std::mt19937& random) {
  static constexpr std::array<std::string_view, 18> kPieces = {
      "\"",           "\x1A",       "\x1B",  "<",           ">",      "=",
      "\t",           " ",          "\xE9",  "\xFF",        "\x80",   std::string_view("\0", 1),
      " level=\"3\"", "<categorie", "<task", " level=\x1A", "level=", " avancement=\""};
  std::string text;
  const int pieces = RandomInt(random, 0, 8);
  for (int i = 0; i < pieces; ++i) {
    if (RandomInt(random, 0, 2) == 0) {
      text += kPieces[RandomInt(random, 0, kPieces.size() - 1)];
    } else {
      text += static_cast<char>(RandomInt(random, 'a', 'z'));
    }
  }
  return text;
}

// A description or date as held: in stored form, so without double quotes.
inline std::string RandomStoredText(std::mt19937& random) {
  std::string text = RandomName(random);
  std::replace(text.begin(), text.end(), '"', kStoredQuote);
  return text;
}

inline std::int16_t RandomProgress(std::mt19937& random) {
  switch (RandomInt(random, 0, 9)) {
    case 0:
      return static_cast<std::int16_t>(RandomInt(random, -32768, 32767));
    case 1:
      return static_cast<std::int16_t>(RandomInt(random, -12, -1));
    default:
      return static_cast<std::int16_t>(RandomInt(random, 0, 11));
  }
}

inline std::int32_t NextLevel(std::mt19937& random, std::int32_t previous) {
  switch (RandomInt(random, 0, 19)) {
    case 0:
      return previous + RandomInt(random, 2, 4);
    case 1:
      return std::max(0, previous - RandomInt(random, 2, 4));
    case 2:
      return -1;
    default:
      return std::max(0, previous + RandomInt(random, -1, 1));
  }
}

// Rows with their records in row order, as a read leaves them.
inline Document RandomDocument(std::mt19937& random, int max_rows) {
  Document document;
  const int rows = RandomInt(random, 0, max_rows);
  std::int32_t walk = RandomInt(random, 0, 3);
  for (int i = 0; i < rows; ++i) {
    if (i > 0) walk = NextLevel(random, walk);
    std::int32_t level = walk;
    if (RandomInt(random, 0, 99) == 0) {
      level = RandomInt(random, 0, 1) ? std::numeric_limits<std::int32_t>::max()
                                      : std::numeric_limits<std::int32_t>::min();
    }
    if (RandomInt(random, 0, 4) < 3) {
      document.rows.push_back(
          {kCategoryRow, static_cast<std::int32_t>(document.categories.size()), level});
      document.categories.push_back(
          {RandomName(random), RandomStoredText(random), RandomProgress(random)});
    } else {
      document.rows.push_back({kTaskRow, static_cast<std::int32_t>(document.tasks.size()), level});
      document.tasks.push_back({RandomName(random), RandomStoredText(random),
                                RandomStoredText(random), RandomStoredText(random),
                                RandomProgress(random), RandomProgress(random),
                                RandomProgress(random)});
    }
  }
  return document;
}

}  // namespace lumvik::testing
