// One running game per user folder, tried with the game's own executable.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include <QCoreApplication>

#include "GameWindowTest.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"
#include "UserFolderLock.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The game started in this process's environment, its standard error read back.
class GameRun {
 public:
  GameRun() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return;
    reader_ = ends[0];
    ::fcntl(reader_, F_SETFL, O_NONBLOCK);
    posix_spawn_file_actions_t files;
    ::posix_spawn_file_actions_init(&files);
    ::posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_adddup2(&files, ends[1], 2);
    const std::string program = testsupport::gameProgram().string();
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    if (::posix_spawn(&pid_, program.c_str(), &files, nullptr, argv, environ) != 0) pid_ = -1;
    ::posix_spawn_file_actions_destroy(&files);
    ::close(ends[1]);
  }
  ~GameRun() {
    stop();
    if (reader_ >= 0) ::close(reader_);
  }
  GameRun(const GameRun&) = delete;
  GameRun& operator=(const GameRun&) = delete;

  pid_t pid() const { return pid_; }
  const std::string& errors() const { return errors_; }

  // Reads the standard error until `done` holds, for at most a minute (a sanitizer build starts slowly).
  bool waitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      pollfd watched{reader_, POLLIN, 0};
      if (::poll(&watched, 1, 20) > 0) {
        char buffer[4096];
        const ssize_t n = ::read(reader_, buffer, sizeof buffer);
        if (n > 0) errors_.append(buffer, static_cast<std::size_t>(n));
        if (n == 0) std::this_thread::sleep_for(20ms);  // ended: only `done` can still change
      }
    }
    return true;
  }
  bool waitForLine(const std::string& line) {
    return waitFor([&] { return errors_.find(line + "\n") != std::string::npos; });
  }

  // kill -9, and waits until it has ended.
  void stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int reader_ = -1;
  std::string errors_;
};

// The process whose flock holds `file`, from the system's lock table; -1 for none.
pid_t lockHolder(const fs::path& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) return -1;
  std::ifstream table("/proc/locks");
  std::string line;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string number, kind, mode, access, device;
    pid_t pid = -1;
    fields >> number >> kind >> mode >> access >> pid >> device;
    const auto inode = device.substr(device.rfind(':') + 1);
    if (kind == "FLOCK" && access == "WRITE" && inode == std::to_string(status.st_ino)) return pid;
  }
  return -1;
}

// Every entry under a folder: its kind, size, last write time and, for a file, its bytes.
std::map<std::string, std::string> folderState(const fs::path& folder) {
  std::map<std::string, std::string> state;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    struct stat status {};
    ::lstat(entry.path().c_str(), &status);
    std::string& description = state[fs::relative(entry.path(), folder).string()];
    description = std::to_string(status.st_mode) + " " + std::to_string(status.st_size) + " " +
                  std::to_string(status.st_mtim.tv_sec) + "." + std::to_string(status.st_mtim.tv_nsec);
    if (entry.is_regular_file()) description += " " + testsupport::readBytes(entry.path());
  }
  return state;
}

// A main window playing in a user folder that it locked the way the game does at start.
class UserFolderLockTest : public GameWindowTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(desk::lockUserFolder(lock_), std::nullopt);
    GameWindowTest::SetUp();
  }
  platform::FolderLock lock_;
};

TEST_F(UserFolderLockTest, ASecondGameOnTheFolderIsRefusedAndTheFirstStillSaves) {
  main_->btnSaveClick();
  ASSERT_EQ(popupText(), "Save|Saved completed!");
  const auto before = folderState(user_.path());
  ASSERT_TRUE(before.count(std::string("data/sharp.dde")));

  {
    GameRun second;
    ASSERT_GT(second.pid(), 0);
    EXPECT_TRUE(second.waitForLine(desk::kAlreadyRunning)) << second.errors();
  }  // killed while it shows the refusal
  EXPECT_EQ(folderState(user_.path()), before) << "the refused game changed nothing in the folder";

  db().profile.budget[0] += 1000;
  main_->btnSaveClick();
  EXPECT_EQ(popupText(), "Save|Save overwritten.");
  platform::DbConnection saved;
  saved.open(user_.file("Save/Tester"), testsupport::kPassword);
  EXPECT_EQ(saved.query("SELECT budget_THB FROM profile").at(0, 0).asFloat(), db().profile.budget[0]);
}

TEST(UserFolderLock, AGameStartedRightAfterTheHoldingGameIsKilledTakesTheFolder) {
  testsupport::TempDir user;
  ScopedEnv userEnv("QORVEX_USER_DIR", QByteArray::fromStdString(user.path().string()));
  ScopedEnv resourceEnv("QORVEX_RESOURCE_DIR", QCoreApplication::applicationDirPath().toUtf8());
  const fs::path lockFile = user.file(desk::kUserFolderLockName);

  GameRun first;
  ASSERT_TRUE(first.waitFor([&] { return lockHolder(lockFile) == first.pid(); })) << first.errors();
  first.stop();

  GameRun next;
  EXPECT_TRUE(next.waitFor([&] { return lockHolder(lockFile) == next.pid(); })) << next.errors();
  EXPECT_EQ(next.errors().find(desk::kAlreadyRunning), std::string::npos) << next.errors();
  platform::FolderLock lock;
  EXPECT_EQ(desk::lockUserFolder(lock), QString(desk::kAlreadyRunning)) << "while that game runs";
}

}  // namespace
