// The advisory lock that keeps one holder per folder.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "FolderLock.h"
#include "TestDatabase.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using platform::FolderLock;

const std::error_code kHeldElsewhere = std::make_error_code(std::errc::resource_unavailable_try_again);

// A process of its own that takes the lock and keeps it until killed.
class HoldingProcess {
 public:
  explicit HoldingProcess(const fs::path& file) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      FolderLock lock;
      std::error_code ec;
      const char answer = lock.lock(file, ec) ? 'y' : 'n';
      if (::write(ready[1], &answer, 1) != 1) ::_exit(1);
      for (;;)
        ::pause();
    }
    ::close(ready[1]);
    char answer = 0;
    held_ = pid_ > 0 && ::read(ready[0], &answer, 1) == 1 && answer == 'y';
    ::close(ready[0]);
  }
  ~HoldingProcess() { kill(); }
  HoldingProcess(const HoldingProcess&) = delete;
  HoldingProcess& operator=(const HoldingProcess&) = delete;

  bool held() const { return held_; }
  // kill -9, and waits until it has ended.
  void kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool held_ = false;
};

TEST(FolderLock, OneHolderAtATimeAndAKilledHolderKeepsNothing) {
  testsupport::TempDir dir;
  const fs::path file = dir.file("player/qorvex.lock");
  HoldingProcess holder(file);
  ASSERT_TRUE(holder.held()) << "the first holder creates the folder and the file";
  const auto written = fs::last_write_time(file);

  FolderLock second;
  std::error_code ec;
  EXPECT_FALSE(second.lock(file, ec));
  EXPECT_EQ(ec, kHeldElsewhere);
  EXPECT_FALSE(second.held());
  EXPECT_EQ(fs::file_size(file), 0u);
  EXPECT_EQ(fs::last_write_time(file), written) << "a refused lock leaves the file as it was";

  holder.kill();
  EXPECT_TRUE(second.lock(file, ec)) << "at once after the holder's kill -9: " << ec.message();
  EXPECT_TRUE(second.held());
}

TEST(FolderLock, ReleasedWhenItsObjectDiesAndNotInheritedByStartedPrograms) {
  testsupport::TempDir dir;
  const fs::path file = dir.file("qorvex.lock");
  std::error_code ec;
  auto first = std::make_unique<FolderLock>();
  ASSERT_TRUE(first->lock(file, ec)) << ec.message();
  FolderLock second;
  EXPECT_FALSE(second.lock(file, ec));
  EXPECT_EQ(ec, kHeldElsewhere) << "a second lock in the same process is refused as well";

  // A program started with every open descriptor of its parent, still running when the lock is freed.
  pid_t sleeper = -1;
  char program[] = "/bin/sleep";
  char seconds[] = "30";
  char* argv[] = {program, seconds, nullptr};
  ASSERT_EQ(::posix_spawn(&sleeper, program, nullptr, nullptr, argv, environ), 0);
  first.reset();
  EXPECT_TRUE(second.lock(file, ec)) << ec.message();
  ::kill(sleeper, SIGKILL);
  ::waitpid(sleeper, nullptr, 0);
}

TEST(FolderLock, ALockFileThatIsNoRegularFileIsRefused) {
  testsupport::TempDir dir;
  const fs::path target = dir.file("target");
  testsupport::writeBytes(target, "kept");
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
  fs::create_symlink(target, dir.file("link"));
  for (const char* name : {"fifo", "link"}) {
    SCOPED_TRACE(name);
    FolderLock lock;
    std::error_code ec;
    EXPECT_FALSE(lock.lock(dir.file(name), ec));
    EXPECT_EQ(ec, std::make_error_code(std::errc::invalid_argument));
    EXPECT_FALSE(lock.held());
  }
  EXPECT_EQ(testsupport::readBytes(target), "kept");
}

}  // namespace
