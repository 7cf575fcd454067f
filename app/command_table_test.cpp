#include "app/command_table.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace lumvik {
namespace {

TEST(CommandTableTest, ACommandRunsWithItsNumberOnlyWhileItsRuleAllowsAndGreysByTheSameRule) {
  CommandTable table;
  std::vector<int> ran;
  bool something_to_undo = false;
  table.Add({10, 20}, [&](int command) { ran.push_back(command); });
  table.Add(
      {30}, [&](int command) { ran.push_back(command); }, [&] { return something_to_undo; });

  EXPECT_TRUE(table.Run(20));
  EXPECT_TRUE(table.Run(10));
  EXPECT_FALSE(table.Run(30));
  EXPECT_FALSE(table.Run(40)) << "no module has it";
  EXPECT_EQ(ran, (std::vector<int>{20, 10}));

  std::vector<std::pair<int, bool>> shown;
  const auto show = [&](int command, bool available) { shown.emplace_back(command, available); };
  table.ForEachRuled(show);
  something_to_undo = true;
  table.ForEachRuled(show);
  EXPECT_EQ(shown, (std::vector<std::pair<int, bool>>{{30, false}, {30, true}}));
  EXPECT_TRUE(table.Run(30));
  EXPECT_EQ(ran.back(), 30);
}

}  // namespace
}  // namespace lumvik
