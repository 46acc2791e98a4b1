#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

// Runs a helper program under a time limit and collects what it writes to its standard output.
namespace platform {

struct ProcessOutcome {
  enum Kind {
    Exited,      // ended by itself; `status` is its exit status
    Signalled,   // killed by a signal of its own; `status` is the signal
    TimedOut,    // still running at the deadline: killed
    NotStarted,  // could not be started or watched; `status` is the errno value
  } kind = NotStarted;
  int status = 0;
  std::string output;  // the standard output, at most the asked number of bytes

  bool succeeded() const { return kind == Exited && status == 0; }
  // "exit status 3", "signal 11", "no answer within the time limit", "cannot start: ...".
  std::string describe() const;
};

// Starts `program` with `arguments` (standard input and error on /dev/null, no other inherited file),
// waits for it to end without polling, and kills it when it is still running after `limit`. Never throws.
ProcessOutcome runProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          std::chrono::milliseconds limit, std::size_t maxOutput = 4096);

}  // namespace platform
