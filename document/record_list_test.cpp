// Random writes, insertions, removals and assignments on a record list: what
// it takes as its changes turns the list it started from into the list it
// became, and holds no unchanged element at the ends of its pieces.
#include "document/record_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace lumvik {
namespace {

int Pick(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

TEST(RecordList, TakesExactlyWhatChangedSinceTheLastTake) {
  std::mt19937 random(7);
  RecordList<std::string> list(std::vector<std::string>{"a", "b", "c", "d", "e", "f"});
  for (int round = 0; round < 3000; ++round) {
    const std::vector<std::string> start = list;
    for (int edit = Pick(random, 0, 5); edit > 0; --edit) {
      const int size = static_cast<int>(list.size());
      const std::string value(1, static_cast<char>('a' + Pick(random, 0, 7)));
      switch (Pick(random, 0, 6)) {
        case 0:
        case 1:
          if (size > 0) list.Edit(static_cast<std::size_t>(Pick(random, 0, size - 1))) = value;
          break;
        case 2:
          list.insert(list.begin() + Pick(random, 0, size), value);
          break;
        case 3:
          if (size > 0) {
            const int from = Pick(random, 0, size - 1);
            list.erase(list.begin() + from, list.begin() + Pick(random, from + 1, size));
          }
          break;
        case 4: {
          // The marks may stop short of the list's end.
          std::vector<bool> marked(static_cast<std::size_t>(Pick(random, 0, size)));
          for (std::size_t i = 0; i < marked.size(); ++i) marked[i] = Pick(random, 0, 3) == 0;
          list.EraseMarked(marked);
          break;
        }
        case 5:
          if (size < 12) list.push_back(value);
          break;
        default:
          if (Pick(random, 0, 9) == 0) list = std::vector<std::string>{value, "b", "c"};
          break;
      }
    }
    // The pieces, in order and apart, applied from the last as the history
    // applies them, turn the list it was into the list it is; each begins
    // and ends with a change.
    std::vector<std::string> rebuilt = start;
    const Patch<std::string> patch = list.TakeChanges();
    for (std::size_t k = 1; k < patch.pieces.size(); ++k) {
      const Splice<std::string>& before = patch.pieces[k - 1];
      ASSERT_LT(before.start + before.before.size(), patch.pieces[k].start) << round;
    }
    for (auto each = patch.pieces.rbegin(); each != patch.pieces.rend(); ++each) {
      const Splice<std::string>& piece = *each;
      const auto at = rebuilt.begin() + static_cast<std::ptrdiff_t>(piece.start);
      ASSERT_TRUE(std::equal(piece.before.begin(), piece.before.end(), at)) << round;
      rebuilt.erase(at, at + static_cast<std::ptrdiff_t>(piece.before.size()));
      rebuilt.insert(rebuilt.begin() + static_cast<std::ptrdiff_t>(piece.start),
                     piece.after.begin(), piece.after.end());
      if (!piece.before.empty() && !piece.after.empty()) {
        EXPECT_NE(piece.before.front(), piece.after.front()) << round;
        EXPECT_NE(piece.before.back(), piece.after.back()) << round;
      }
    }
    ASSERT_EQ(rebuilt, list.items()) << round;
  }
}

}  // namespace
}  // namespace lumvik
