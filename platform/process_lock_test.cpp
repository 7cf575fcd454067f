#include "platform/process_lock.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/file_io.h"
#include "platform/testing/temp_dir.h"

namespace lumvik {
namespace {

using testing::TempDir;

TEST(ProcessLock, IsHeldWhileItsOwnerRunsAndFreeOnceItEnds) {
  TempDir dir;
  const std::string path = dir.File("owner.lock");
  EXPECT_FALSE(IsLockHeld(path));  // no such file
  {
    ProcessLock lock(path);
    ASSERT_TRUE(lock.held());
    EXPECT_TRUE(IsLockHeld(path));
    EXPECT_FALSE(ProcessLock(path).held());
  }
  // The file stays, as after a program that was killed; nobody holds it.
  EXPECT_TRUE(PathExists(path));
  EXPECT_FALSE(IsLockHeld(path));
  ProcessLock next(path);
  EXPECT_TRUE(next.held());
}

#ifndef _WIN32
TEST(ProcessLock, AnotherProgramSeesItHeldUntilTheOwnerIsKilled) {
  TempDir dir;
  const std::string path = dir.File("owner.lock");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t owner = ::fork();
  ASSERT_GE(owner, 0);
  if (owner == 0) {
    ProcessLock lock(path);
    const char taken = lock.held() ? 'y' : 'n';
    if (::write(ready[1], &taken, 1) != 1) ::_exit(1);
    ::pause();
    ::_exit(0);
  }
  char taken = 0;
  ASSERT_EQ(::read(ready[0], &taken, 1), 1);
  EXPECT_EQ(taken, 'y');
  EXPECT_TRUE(IsLockHeld(path));
  ::kill(owner, SIGKILL);
  ::waitpid(owner, nullptr, 0);
  EXPECT_FALSE(IsLockHeld(path));
  ::close(ready[0]);
  ::close(ready[1]);
}
#endif

}  // namespace
}  // namespace lumvik
