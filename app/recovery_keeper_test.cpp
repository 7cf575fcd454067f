#include "app/recovery_keeper.h"

#include <gtest/gtest.h>

#include "document/testing/edited_document.h"
#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;

std::string CopyOf(const std::string& path, const LocalDateTime& when) {
  Document document = testing::OutlineDocument("House0=5 mow1=5");
  document.file_path = path;
  return RecoveryText(document, "Lumvik", when);
}

TEST(RecoveryKeeper, KeepsTheLatestBytesAskedForAndRemovesThemOnRequest) {
  TempDir dir;
  const std::string folder = JoinPath(JoinPath(dir.path(), "Lumvik"), "recovery");
  RecoveryKeeper keeper(folder, "one");
  EXPECT_TRUE(IsDirectory(folder)) << "made with its parent";
  EXPECT_EQ(keeper.own_file(), JoinPath(folder, "one.lvkr"));
  keeper.Keep("first");
  keeper.Keep(CopyOf("C:\\a.lvk", {2026, 12, 8, 10, 0, 0}));
  keeper.Flush();
  const auto kept = ReadRecoveryText(ReadWholeFile(keeper.own_file()).value_or(""));
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->path, "C:\\a.lvk");
  keeper.Remove();
  keeper.Flush();
  EXPECT_FALSE(PathExists(keeper.own_file()));
}

TEST(RecoveryKeeper, OffersTheNewestCopyOfAnEndedProgramNeverOneStillRunning) {
  TempDir dir;
  const std::string folder = dir.path();
  // Left by programs that ended: a lock nobody holds, or none at all.
  WriteFileAtomically(JoinPath(folder, "old.lvkr"), CopyOf("C:\\old.lvk", {2026, 12, 7, 9, 0, 0}));
  WriteFileAtomically(JoinPath(folder, "old.lock"), "");
  WriteFileAtomically(JoinPath(folder, "new.lvkr"), CopyOf("", {2026, 12, 8, 9, 0, 0}));
  WriteFileAtomically(JoinPath(folder, "cut.lvkr"), CopyOf("C:\\cut.lvk", {2026, 12, 9, 9, 0, 0}).substr(0, 40));
  WriteFileAtomically(JoinPath(folder, "stale.lock"), "");
  // Another Lumvik, running, with a newer copy; and this program's own.
  RecoveryKeeper running(folder, "running");
  running.Keep(CopyOf("C:\\running.lvk", {2026, 12, 10, 9, 0, 0}));
  running.Flush();
  RecoveryKeeper keeper(folder, "running");
  EXPECT_EQ(keeper.own_file(), JoinPath(folder, "running (2).lvkr")) << "a name of its own";
  EXPECT_FALSE(PathExists(JoinPath(folder, "stale.lock"))) << "a lock without a copy is cleared";
  keeper.Keep(CopyOf("C:\\mine.lvk", {2026, 12, 11, 9, 0, 0}));
  keeper.Flush();

  std::optional<LeftCopy> offered = keeper.CopyToOffer();
  ASSERT_TRUE(offered.has_value());
  EXPECT_EQ(offered->file, JoinPath(folder, "new.lvkr"));
  EXPECT_EQ(offered->recovered.path, "");
  // A Lumvik starting meanwhile offers the next one: never both the same.
  std::optional<LeftCopy> meanwhile = running.CopyToOffer();
  ASSERT_TRUE(meanwhile.has_value());
  EXPECT_EQ(meanwhile->file, JoinPath(folder, "old.lvkr"));
  EXPECT_EQ(meanwhile->recovered.path, "C:\\old.lvk");
  keeper.Discard(*offered);
  EXPECT_FALSE(keeper.CopyToOffer().has_value()) << "old is held by the other start";
  running.Discard(*meanwhile);
  EXPECT_FALSE(PathExists(JoinPath(folder, "old.lock")));
  EXPECT_FALSE(keeper.CopyToOffer().has_value()) << "the cut copy is no copy; the others run";
  EXPECT_TRUE(PathExists(JoinPath(folder, "cut.lvkr"))) << "left alone";
}

}  // namespace
}  // namespace lumvik
