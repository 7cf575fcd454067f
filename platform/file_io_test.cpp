#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <future>
#include <iterator>
#include <memory>

#include "platform/local_time.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

TEST(FileIo, AtomicWriteCreatesAndReplaces) {
  TempDir dir;
  const std::string path = dir.File("a b \xE9.lvk");  // a blank and an accented letter
  EXPECT_FALSE(PathExists(path));
  ASSERT_TRUE(WriteFileAtomically(path, std::string("one\r\n\0two", 10)));
  EXPECT_EQ(ReadWholeFile(path), std::string("one\r\n\0two", 10));
  ASSERT_TRUE(WriteFileAtomically(path, "x"));
  EXPECT_EQ(ReadWholeFile(path), "x");
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(ReadWholeFile(path), "");
}

TEST(FileIo, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  TempDir dir;
  ASSERT_FALSE(WriteFileAtomically(dir.File("missing folder/x.lvk"), "x"));
  const std::string folder = dir.path();
  // A folder under the target name cannot be replaced by a file.
  ASSERT_FALSE(WriteFileAtomically(folder.substr(0, folder.size() - 1), "x"));
  EXPECT_TRUE(IsDirectory(folder));
}

TEST(FileIo, LeftoverOfAStoppedWriteIsTakenOverByTheNextWrite) {
  TempDir dir;
  const std::string path = dir.File("list.lvk");
  WriteTestFile(path, "old");
  // What a write stopped before its rename leaves: a part of the new bytes.
  WriteTestFile(SavingFileOf(path), "half of a much longer new vers");
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(ReadWholeFile(path), "new");
  EXPECT_FALSE(PathExists(SavingFileOf(path)));
}

TEST(FileIo, SecondWriterWaitsForTheFirstAndReadsWhatItWrote) {
  TempDir dir;
  const std::string path = dir.File("shared.lvk");
  WriteTestFile(path, "base");
  auto first = std::make_unique<FileWrite>(path, std::chrono::milliseconds(0));
  ASSERT_TRUE(first->held());
  EXPECT_FALSE(WriteFileAtomically(path, "impatient"));
  EXPECT_FALSE(FileWrite(path, std::chrono::milliseconds(60)).held());
  // A patient second writer reads the file once the lock is its own.
  std::future<std::optional<std::string>> second = std::async(std::launch::async, [&] {
    FileWrite write(path, std::chrono::seconds(20));
    std::optional<std::string> read = ReadWholeFile(path);
    if (!write.held() || !read || !write.Commit(*read + "+second"))
      return std::optional<std::string>();
    return read;
  });
  EXPECT_EQ(second.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
  ASSERT_TRUE(first->Commit("first"));
  first.reset();
  EXPECT_EQ(second.get(), "first");
  EXPECT_EQ(ReadWholeFile(path), "first+second");
  // A write given up, before or at its commit, leaves the file and no temporary.
  {
    FileWrite dropped(path, std::chrono::milliseconds(0));
    EXPECT_TRUE(dropped.held());
  }
  {
    FileWrite refused(path, std::chrono::milliseconds(0));
    EXPECT_FALSE(refused.Commit("refused", [] { return false; }));
  }
  EXPECT_EQ(ReadWholeFile(path), "first+second");
  EXPECT_FALSE(PathExists(SavingFileOf(path)));
}

TEST(FileIo, ReadOnlyFileIsNotReplaced) {
  TempDir dir;
  const std::string path = dir.File("kept.lvk");
  WriteTestFile(path, "old");
  {
    testing::ReadOnlyFile read_only(path);
    EXPECT_FALSE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(ReadWholeFile(path), "old");
  }
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
  // Writable again, it is replaced as any file is.
  EXPECT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(ReadWholeFile(path), "new");
}

TEST(FileIo, ReadingSomethingThatIsNoFile) {
  TempDir dir;
  EXPECT_FALSE(ReadWholeFile(dir.File("none")).has_value());
  EXPECT_TRUE(PathExists(dir.path()));
  EXPECT_TRUE(IsDirectory(dir.path()));
  WriteTestFile(dir.File("f"), "abc");
  EXPECT_FALSE(IsDirectory(dir.File("f")));
  const std::optional<std::time_t> written = LastWriteTime(dir.File("f"));
  ASSERT_TRUE(written.has_value());
  EXPECT_LE(std::abs(static_cast<long long>(*written - std::time(nullptr))), 60);
  const std::optional<std::time_t> now = MomentOf(LocalNow());
  ASSERT_TRUE(now.has_value());
  EXPECT_LE(std::abs(static_cast<long long>(*now - std::time(nullptr))), 1)
      << "local time read back";
  EXPECT_FALSE(LastWriteTime(dir.File("none")).has_value());
  EXPECT_TRUE(RemoveFile(dir.File("f")));
  EXPECT_FALSE(PathExists(dir.File("f")));
}

TEST(FileIo, FolderOf) {
  EXPECT_EQ(FolderOf("C:\\a.b\\c"), "C:\\a.b\\");
  EXPECT_EQ(FolderOf("/x/y"), "/x/");
  EXPECT_EQ(FolderOf("plain.lvk"), "");
}

}  // namespace
}  // namespace lumvik
