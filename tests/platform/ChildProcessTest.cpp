#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace {

using platform::ProcessOutcome;
using namespace std::chrono_literals;

TEST(ChildProcess, ReportsHowTheProgramEndedAndWhatItWrote) {
  struct Case {
    const char* what;
    const char* program;
    std::vector<std::string> arguments;
    ProcessOutcome::Kind kind;
    int status;
    std::string output;
  } cases[] = {
      {"success",
       "/bin/sh",
       {"-c", "echo version 670; echo noise >&2"},
       ProcessOutcome::Exited,
       0,
       "version 670\n"},
      {"refusal", "/bin/sh", {"-c", "echo a view; exit 3"}, ProcessOutcome::Exited, 3, "a view\n"},
      {"crash", "/bin/sh", {"-c", "kill -SEGV $$"}, ProcessOutcome::Signalled, SIGSEGV, ""},
      {"output cut at the limit",
       "/bin/sh",
       {"-c", "head -c 100000 /dev/zero | tr '\\0' x"},
       ProcessOutcome::Exited,
       0,
       std::string(16, 'x')},
      {"no such program", "/nonexistent/checker", {}, ProcessOutcome::NotStarted, ENOENT, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ProcessOutcome outcome = platform::runProcess(c.program, c.arguments, 5s, 16);
    EXPECT_EQ(outcome.kind, c.kind);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.output, c.output);
  }
}

TEST(ChildProcess, AProgramStillRunningAtTheDeadlineIsKilled) {
  const auto start = std::chrono::steady_clock::now();
  const ProcessOutcome outcome =
      platform::runProcess("/bin/sh", {"-c", "echo started; exec sleep 30"}, 300ms);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(outcome.kind, ProcessOutcome::TimedOut);
  EXPECT_EQ(outcome.output, "started\n");
  EXPECT_GE(took, 300ms);
  EXPECT_LT(took, 3s);
}

}  // namespace
