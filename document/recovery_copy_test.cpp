#include "document/recovery_copy.h"

#include <gtest/gtest.h>

#include "document/testing/edited_document.h"

namespace lumvik {
namespace {

const LocalDateTime kWhen{2026, 12, 8, 9, 30, 5};

Document Edited(std::string path) {
  Document document = testing::OutlineDocument("House0=5 mow1=5 Garden1 weed2");
  document.tasks.Edit(0).designation =
      "cut \x1A"
      "all\x1B"
      "the grass";
  document.tasks.Edit(1).dateecheance = "24/12/2026";
  document.file_path = std::move(path);
  document.saved = 0;
  return document;
}

TEST(RecoveryCopy, GivesBackTheRowsTheRecordsThePathAndTheTime) {
  for (const std::string path : {"C:\\Lists\\Home = work.lvk", ""}) {
    const Document document = Edited(path);
    const auto recovered = ReadRecoveryText(RecoveryText(document, "Lumvik", kWhen));
    ASSERT_TRUE(recovered.has_value()) << path;
    EXPECT_EQ(recovered->path, path);
    EXPECT_EQ(recovered->time, "2026-12-08 09:30:05");
    EXPECT_TRUE(testing::SameRowsAndRecords(recovered->document, document));
    EXPECT_EQ(recovered->document.saved, 0) << "recovered changes are unsaved";
  }
}

TEST(RecoveryCopy, ACopyCutShortOrAnotherFileIsNoCopy) {
  const std::string text = RecoveryText(Edited("C:\\a.lvk"), "Lumvik", kWhen);
  for (std::size_t cut : {std::size_t{0}, std::size_t{10}, text.find("size="), text.size() - 1}) {
    EXPECT_FALSE(ReadRecoveryText(text.substr(0, cut)).has_value()) << cut;
  }
  EXPECT_FALSE(ReadRecoveryText(text + "x").has_value());
  EXPECT_FALSE(ReadRecoveryText("<xml version=\"2.1\" logiciel=\"Lumvik\">\r\n").has_value());
  std::string bad_size = text;
  bad_size.replace(bad_size.find("size=") + 5, 1, "x");
  EXPECT_FALSE(ReadRecoveryText(bad_size).has_value());
}

TEST(RecoveryCopy, TheNewestCopyNoRunningLumvikHolds) {
  EXPECT_FALSE(CopyToOffer({}).has_value());
  const std::vector<RecoveryCandidate> copies = {
      {"a.lvkr", "2026-12-08 09:30:05", false},
      {"b.lvkr", "2026-12-08 10:00:00", true},  // another Lumvik is running with it
      {"c.lvkr", "2026-12-08 09:45:00", false},
      {"d.lvkr", "2026-11-30 23:59:59", false},
  };
  EXPECT_EQ(CopyToOffer(copies), std::optional<std::size_t>(2));
  EXPECT_FALSE(CopyToOffer({{"b.lvkr", "2026-12-08 10:00:00", true}}).has_value());
}

}  // namespace
}  // namespace lumvik
