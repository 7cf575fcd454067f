#include "app/first_document.h"

#include <gtest/gtest.h>

#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

TEST(FirstCommandLineParameter, TakesTheFirstParameterWithoutItsQuotes) {
  EXPECT_EQ(FirstCommandLineParameter(""), "");
  EXPECT_EQ(FirstCommandLineParameter("   "), "");
  EXPECT_EQ(FirstCommandLineParameter("list.lvk"), "list.lvk");
  EXPECT_EQ(FirstCommandLineParameter("  list.lvk second"), "list.lvk");
  EXPECT_EQ(FirstCommandLineParameter("\"C:\\Mes documents\\Été 2026.lvk\""),
            "C:\\Mes documents\\Été 2026.lvk");
  EXPECT_EQ(FirstCommandLineParameter("\"a b.lvk\" \"c.lvk\""), "a b.lvk");
  EXPECT_EQ(FirstCommandLineParameter("\"unclosed quote.lvk"), "unclosed quote.lvk");
}

class ChooseFirstDocumentTest : public ::testing::Test {
 protected:
  TempDir folder;
  std::string existing = folder.File("existing.lvk");
  Settings settings;
  void SetUp() override {
    WriteTestFile(existing, "");
    settings.loadlastfile = 1;
    settings.lastfile = existing;
  }
};

TEST_F(ChooseFirstDocumentTest, CommandLineComesFirst) {
  const std::string other = folder.File("other file.txt");
  WriteTestFile(other, "");
  const FirstDocument first = ChooseFirstDocument(other, settings);
  EXPECT_EQ(first.path, other);
  EXPECT_TRUE(first.from_command_line);
}

TEST_F(ChooseFirstDocumentTest, MissingCommandLineFileGivesNewDocumentNotTheLastFile) {
  const FirstDocument first = ChooseFirstDocument(folder.File("missing.lvk"), settings);
  EXPECT_EQ(first.path, "");
  EXPECT_TRUE(first.from_command_line);
}

TEST_F(ChooseFirstDocumentTest, LastFileOnlyWhenAskedForAndStillThere) {
  EXPECT_EQ(ChooseFirstDocument("", settings).path, existing);
  EXPECT_FALSE(ChooseFirstDocument("", settings).from_command_line);

  Settings not_asked = settings;
  not_asked.loadlastfile = 0;
  EXPECT_EQ(ChooseFirstDocument("", not_asked).path, "");

  Settings gone = settings;
  gone.lastfile = folder.File("gone.lvk");
  EXPECT_EQ(ChooseFirstDocument("", gone).path, "");

  Settings a_folder = settings;
  a_folder.lastfile = folder.path();
  EXPECT_EQ(ChooseFirstDocument("", a_folder).path, "");

  Settings empty = settings;
  empty.lastfile = "";
  EXPECT_EQ(ChooseFirstDocument("", empty).path, "");
}

}  // namespace
}  // namespace lumvik
