#include "config/view_settings.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

TEST(ViewSettings, KeptInTheirOwnGroupBesideEverythingElse) {
  TempDir dir;
  EXPECT_EQ(ReadViewSettings(dir.path()), ViewSettings{}) << "no settings file yet";
  WriteTestFile(dir.File("Lumvik.ini"), "[Application]\nlastfile=C:\\x.lvk\n[view]\nONLYDUE=2\n");
  EXPECT_EQ(ReadViewSettings(dir.path()), (ViewSettings{false, true, false}));

  ASSERT_TRUE(WriteViewSettings(dir.path(), {true, false, true}));
  EXPECT_EQ(ReadWholeFile(dir.File("Lumvik.ini")),
            "[Application]\r\nlastfile = C:\\x.lvk\r\n[view]\r\nONLYDUE = 0\r\n"
            "hidefinished = 1\r\nonlyurgent = 1\r\n");
  EXPECT_EQ(ReadViewSettings(dir.path()), (ViewSettings{true, false, true}));
}

}  // namespace
}  // namespace lumvik
