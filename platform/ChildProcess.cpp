#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace platform {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { reset(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  void reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// The file layout of the child: stdin and stderr on /dev/null, stdout the pipe, nothing else open.
class SpawnFiles {
 public:
  explicit SpawnFiles(int output) {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions_, output, 1);
    ::posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
  }
  ~SpawnFiles() { ::posix_spawn_file_actions_destroy(&actions_); }
  SpawnFiles(const SpawnFiles&) = delete;
  SpawnFiles& operator=(const SpawnFiles&) = delete;
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

// No blocked signals and the default action for those a caller may have ignored or caught.
class SpawnSignals {
 public:
  SpawnSignals() {
    ::posix_spawnattr_init(&attributes_);
    sigset_t none;
    sigemptyset(&none);
    ::posix_spawnattr_setsigmask(&attributes_, &none);
    sigset_t reset;
    sigemptyset(&reset);
    for (int sig : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2})
      sigaddset(&reset, sig);
    ::posix_spawnattr_setsigdefault(&attributes_, &reset);
    ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSignals() { ::posix_spawnattr_destroy(&attributes_); }
  SpawnSignals(const SpawnSignals&) = delete;
  SpawnSignals& operator=(const SpawnSignals&) = delete;
  const posix_spawnattr_t* get() const { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
};

// Reads what the pipe holds now; false once it is closed (or failed).
bool drain(int fd, std::string& output, std::size_t maxOutput) {
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      const std::size_t room = maxOutput - std::min(maxOutput, output.size());
      output.append(buffer, std::min(room, static_cast<std::size_t>(n)));
      continue;
    }
    if (n == 0) return false;
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK;
  }
}

ProcessOutcome notStarted(int error) {
  ProcessOutcome outcome;
  outcome.kind = ProcessOutcome::NotStarted;
  outcome.status = error;
  return outcome;
}

// Reaps the child, which has ended or was killed.
int reap(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

}  // namespace

std::string ProcessOutcome::describe() const {
  switch (kind) {
    case Exited:
      return "exit status " + std::to_string(status);
    case Signalled:
      return "signal " + std::to_string(status) + " (" + ::strsignal(status) + ")";
    case TimedOut:
      return "no answer within the time limit";
    case NotStarted:
      break;
  }
  return std::string("cannot start: ") + std::strerror(status);
}

ProcessOutcome runProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          std::chrono::milliseconds limit, std::size_t maxOutput) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return notStarted(errno);
  Descriptor reader(ends[0]);
  Descriptor writer(ends[1]);
  if (::fcntl(reader.get(), F_SETFL, O_NONBLOCK) != 0) return notStarted(errno);

  std::vector<std::string> words;
  words.push_back(program.string());
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);

  const SpawnFiles files(writer.get());
  const SpawnSignals signals;
  pid_t pid = -1;
  if (const int error =
          ::posix_spawn(&pid, program.c_str(), files.get(), signals.get(), argv.data(), environ);
      error != 0) {
    return notStarted(error);
  }
  writer.reset();

  // Becomes readable when the child ends: the wait needs neither SIGCHLD nor polling.
  Descriptor exited(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
  if (exited.get() < 0) {
    const int error = errno;
    ::kill(pid, SIGKILL);
    reap(pid);
    return notStarted(error);
  }

  ProcessOutcome outcome;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  bool pipeOpen = true;
  for (;;) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      ::kill(pid, SIGKILL);
      reap(pid);
      outcome.kind = ProcessOutcome::TimedOut;
      return outcome;
    }
    pollfd watched[2] = {{exited.get(), POLLIN, 0}, {reader.get(), POLLIN, 0}};
    const int ready = ::poll(watched, pipeOpen ? 2 : 1, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR) {
      const int error = errno;
      ::kill(pid, SIGKILL);
      reap(pid);
      return notStarted(error);
    }
    if (ready <= 0) continue;
    if (pipeOpen && watched[1].revents != 0) pipeOpen = drain(reader.get(), outcome.output, maxOutput);
    if (watched[0].revents != 0) break;
  }
  if (pipeOpen) drain(reader.get(), outcome.output, maxOutput);
  const int status = reap(pid);
  if (WIFSIGNALED(status)) {
    outcome.kind = ProcessOutcome::Signalled;
    outcome.status = WTERMSIG(status);
  } else {
    outcome.kind = ProcessOutcome::Exited;
    outcome.status = WEXITSTATUS(status);
  }
  return outcome;
}

}  // namespace platform
