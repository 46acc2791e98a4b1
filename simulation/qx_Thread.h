#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "Qorvex6class.h"
#include "pTask.h"

namespace Qorvex6 {

// What one tick cost, for measuring.
struct TickReport {
  bool newCycle = false;
  int chosenStocks = 0;
  double boundaryMs = 0;  // the clock tick with the cycle boundary
  double workersMs = 0;   // the price steps
  double applyMs = 0;     // applying the pending tasks
  double concludeMs = 0;  // concluding the markets, the cycle and the roll-overs
  double totalMs = 0;
  double longestLockMs = 0;  // the longest single hold of the game lock
  std::uint64_t statements = 0;
  std::uint64_t commits = 0;
};

struct TickOptions {
  int maxWorkers = 25;
  bool serial = false;  // price steps one after another on the master: deterministic order
  std::function<void(const TickReport&)> report;
  // Called by a master as the last thing it does, after the host's tickFinished.
  std::function<void()> finished;
};

// The tick thread. A master (mode 0) runs one tick of the clock; on a cycle it starts one worker
// (mode 1) per chosen stock, at most maxWorkers alive, waits for all of them, applies their pending
// tasks first in, first out, and concludes the markets that traded and the cycle. Every instance
// deletes itself when its body ends.
class qxThread {
 public:
  static constexpr int MODE_MASTER = 0;
  static constexpr int MODE_WORKER = 1;

  // A suspended thread does not run until start(); a thread made running may already be gone when the
  // constructor returns, so callers that set fields create it suspended.
  qxThread(bool createSuspended, int mode, QorvexCore& core, TickOptions options = {});
  qxThread(const qxThread&) = delete;
  qxThread& operator=(const qxThread&) = delete;

  void start();  // runs the thread once

  int mode;
  bool newCycle = false;
  bool autoSave = false;
  qxStockInfo stock;

 private:
  // The state one master shares with its workers for one cycle.
  struct CycleState {
    TaskQueue pendingTasks;  // pushed under dbLock
    std::mutex runningLock;
    std::condition_variable workerEnded;
    int runningThreads = 0;
  };

  ~qxThread() = default;
  void Execute();
  void processTick();
  void processTickSteps();
  void processSingleStock(qxStockInfo* stockRow);
  void processPendingTask(pTask* task);
  void runWorkers(std::queue<qxStockInfo>& chosen);
  void countOut();

  QorvexCore& core_;
  TickOptions options_;
  CycleState* cycle_ = nullptr;  // a worker's master's state
  CycleState ownCycle_;          // a master's
  // A queue row whose settlement traded in this cycle, and what it did.
  struct Settlement {
    qxQueue row;
    std::string symbol;
    double qty = 0;
    int market = -1;
  };
  const Settlement* settlementOf(int rowId) const;

  std::vector<Settlement> settlements_;
  TickReport report_;
  std::atomic<bool> started_{false};
};

// Runs ticks the way the clock timer does: one master at a time, never while one is processing.
// Tests and the benchmark drive the game with it, without windows.
class qxTickRunner {
 public:
  explicit qxTickRunner(QorvexCore& core, TickOptions options = {});
  ~qxTickRunner();

  // Starts a master unless a tick is still processing; false when refused.
  bool startTick(bool autoSave = false);
  // Waits until the running tick, if any, has finished. Never on a thread that serves the master's
  // blocking hand-offs (the GUI thread): that would wait for itself.
  void waitIdle();
  // startTick and waitIdle.
  void runTick(bool autoSave = false);
  bool isProcessing() const;

 private:
  QorvexCore& core_;
  TickOptions options_;
  mutable std::mutex lock_;
  std::condition_variable idle_;
  bool processing_ = false;
};

}  // namespace Qorvex6
