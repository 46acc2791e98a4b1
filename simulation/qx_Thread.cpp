#include "qx_Thread.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <thread>

#include "DbConnection.h"

namespace Qorvex6 {
namespace {

using Clock = std::chrono::steady_clock;
using T = qxSUBORDER;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Holds the game lock and one transaction, and measures the hold.
class WritingHold {
 public:
  WritingHold(QorvexCore& core, TickReport& report)
      : core_(core),
        report_(report),
        lock_(core.host().gameLock()),
        transaction_(*core.database->connection),
        start_(Clock::now()) {}
  ~WritingHold() {
    // What ran stays written even after a failure: the clock and the profile in memory moved with it.
    // When the commit did not bring it all to disk, memory follows the disk instead.
    if (!transaction_.commit()) readProfileAgain();
    const double held = millisecondsSince(start_);
    if (held > report_.longestLockMs) report_.longestLockMs = held;
  }

 private:
  void readProfileAgain() noexcept {
    try {
      QorvexCore::debugLog(
          "TICK ERROR - the writes were not committed; the profile and the clock are read again");
      core_.database->syncProfile(PROFILE_READ);
    } catch (const std::exception& e) {
      QorvexCore::debugLog(std::string("TICK ERROR - reading the profile again: ") + e.what());
    } catch (...) {
    }
  }

  QorvexCore& core_;
  TickReport& report_;
  std::lock_guard<std::recursive_mutex> lock_;
  platform::DbTransaction transaction_;
  Clock::time_point start_;
};

void traceFailure(const char* where, const std::exception* e) {
  QorvexCore::debugLog(std::string("TICK ERROR - ") + where +
                       (e ? std::string(": ") + e->what() : std::string()));
}

}  // namespace

qxThread::qxThread(bool createSuspended, int threadMode, QorvexCore& core, TickOptions options)
    : mode(threadMode), core_(core), options_(std::move(options)) {
  if (!createSuspended) start();
}

void qxThread::start() {
  if (started_.exchange(true)) return;  // a thread runs once and deletes itself
  std::thread([this] {
    Execute();
    std::function<void()> finished = mode == MODE_WORKER ? nullptr : std::move(options_.finished);
    delete this;
    if (finished) finished();
  }).detach();
}

void qxThread::Execute() {
  if (mode == MODE_WORKER) {
    processSingleStock(&stock);
  } else {
    processTick();
  }
}

void qxThread::processSingleStock(qxStockInfo* stockRow) {
  struct CountOut {
    qxThread* self;
    ~CountOut() { self->countOut(); }
  } countOut{this};
  const std::string symbol = stockRow->symbol;
  try {
    QorvexCore::debugLog("BEGIN THREAD PROCESS Stock: " + symbol);
    try {
      core_.generateNewPrice(stockRow, &cycle_->pendingTasks);
    } catch (const std::exception& e) {
      QorvexCore::debugLog("ERROR while generateNewPrice " + symbol + " : " + e.what());
    }
    QorvexCore::debugLog("END THREAD PROCESS Stock: " + symbol);
  } catch (...) {
    // A failure that is no standard exception, or a failing trace; the worker still counts itself out.
    try {
      QorvexCore::debugLog("THREAD ERROR - while processSingleStock");
    } catch (...) {
    }
  }
}

void qxThread::countOut() {
  if (cycle_ == nullptr) return;
  std::lock_guard lock(cycle_->runningLock);
  --cycle_->runningThreads;
  cycle_->workerEnded.notify_all();
}

void qxThread::runWorkers(std::queue<qxStockInfo>& chosen) {
  CycleState& state = ownCycle_;
  state.pendingTasks = {};
  state.runningThreads = 0;
  const Clock::time_point firstStart = Clock::now();
  Clock::time_point lastStart = firstStart - std::chrono::milliseconds(1);
  int started = 0;
  const int maxWorkers = std::max(1, options_.maxWorkers);
  for (; !chosen.empty(); chosen.pop()) {
    if (options_.serial) {
      {
        std::lock_guard lock(state.runningLock);
        ++state.runningThreads;
      }
      qxThread worker(true, MODE_WORKER, core_);
      worker.cycle_ = &state;
      worker.stock = chosen.front();
      worker.processSingleStock(&worker.stock);
      continue;
    }
    {
      std::unique_lock lock(state.runningLock);
      state.workerEnded.wait(lock, [&] { return state.runningThreads < maxWorkers; });
      ++state.runningThreads;
    }
    // A price step reseeds its draws from the millisecond field: at most one start per millisecond keeps
    // the stocks' steps independent. The starts follow a fixed grid, so the sleeps' overshoot does not
    // add up, and never come closer than a millisecond after a wait for a free worker.
    std::this_thread::sleep_until(std::max(firstStart + std::chrono::milliseconds(started++),
                                           lastStart + std::chrono::milliseconds(1)));
    lastStart = Clock::now();
    auto* worker = new qxThread(true, MODE_WORKER, core_);
    worker->cycle_ = &state;
    worker->stock = chosen.front();
    try {
      worker->start();
    } catch (const std::system_error& e) {
      // No thread to be had: the stock's step runs here instead.
      traceFailure("starting a worker", &e);
      worker->processSingleStock(&worker->stock);
      delete worker;
    }
  }
  std::unique_lock lock(state.runningLock);
  state.workerEnded.wait(lock, [&] { return state.runningThreads == 0; });
}

void qxThread::processTick() {
  try {
    processTickSteps();
    return;
  } catch (const std::exception& e) {
    traceFailure("tick", &e);
  } catch (...) {
    traceFailure("tick", nullptr);
  }
  // The busy state is always cleared, so the clock goes on.
  try {
    core_.host().setWriting(false);
    core_.host().tickFinished(newCycle, autoSave);
  } catch (...) {
  }
}

void qxThread::processTickSteps() {
  qxHost& host = core_.host();
  const Clock::time_point tickStart = Clock::now();
  const auto statementsBefore = core_.database->connection->statementCount();
  const auto commitsBefore = core_.database->connection->commitCount();
  newCycle = false;
  try {
    host.tickStarted();
    host.repaint();
  } catch (const std::exception& e) {
    traceFailure("busy on", &e);
  }

  std::queue<qxStockInfo> chosen;
  int next = 0;
  try {
    // The boundary opens and closes markets and rebuilds the milestone flags: under the game lock.
    std::lock_guard lock(host.gameLock());
    const Clock::time_point held = Clock::now();
    core_.tick(&newCycle, &chosen, &next);
    report_.longestLockMs = millisecondsSince(held);
  } catch (const std::exception& e) {
    traceFailure("cycle boundary", &e);
    newCycle = false;
  }
  report_.boundaryMs = millisecondsSince(tickStart);

  if (newCycle) {
    report_.chosenStocks = static_cast<int>(chosen.size());
    std::set<std::string> titles;
    {
      std::queue<qxStockInfo> copy = chosen;
      for (; !copy.empty(); copy.pop())
        titles.insert(copy.front().marketTitle);
    }
    Clock::time_point phase = Clock::now();
    runWorkers(chosen);
    report_.workersMs = millisecondsSince(phase);

    phase = Clock::now();
    if (!ownCycle_.pendingTasks.empty()) {
      host.setWriting(true);
      try {
        WritingHold hold(core_, report_);
        settlements_.clear();
        while (!ownCycle_.pendingTasks.empty()) {
          pTask task = std::move(ownCycle_.pendingTasks.front());
          ownCycle_.pendingTasks.pop();
          // A task that fails leaves the following ones to be applied.
          try {
            processPendingTask(&task);
          } catch (const std::exception& e) {
            QorvexCore::debugLog("TICK ERROR - task " + std::to_string(task.type) + " of " + task.symbol +
                                 ": " + e.what());
          }
        }
      } catch (const std::exception& e) {
        traceFailure("applying the tasks", &e);
      }
      host.setWriting(false);
    }
    report_.applyMs = millisecondsSince(phase);

    phase = Clock::now();
    host.setWriting(true);
    try {
      WritingHold hold(core_, report_);
      for (const std::string& title : titles) {
        try {
          const qxMarketInfo market = core_.getMarketInfo(title);
          core_.concludeMarket(&market);
        } catch (const std::exception& e) {
          traceFailure(("concluding " + title).c_str(), &e);
        }
      }
      core_.concludeAfterCycle(static_cast<std::uint16_t>(next));
    } catch (const std::exception& e) {
      traceFailure("concluding the cycle", &e);
    }
    host.setWriting(false);
    report_.concludeMs = millisecondsSince(phase);
    try {
      host.cycleFinished();
    } catch (const std::exception& e) {
      traceFailure("gadget refresh", &e);
    }
  }

  report_.newCycle = newCycle;
  report_.totalMs = millisecondsSince(tickStart);
  report_.statements = core_.database->connection->statementCount() - statementsBefore;
  report_.commits = core_.database->connection->commitCount() - commitsBefore;
  if (options_.report) options_.report(report_);
  try {
    host.tickFinished(newCycle, autoSave);
  } catch (const std::exception& e) {
    traceFailure("busy off", &e);
  }
}

void qxThread::processPendingTask(pTask* task) {
  if (task == nullptr) return;
  // The wishlist reset and the message of a settlement stand only when it traded; the message tells what
  // it did.
  const Settlement* settled = task->settles != 0 ? settlementOf(task->settles) : nullptr;
  if (task->settles != 0 && settled == nullptr) return;
  qxSaveGame& db = *core_.database;
  const qxORDER bySymbol{T::textTerm("symbol", task->symbol)};
  switch (task->type) {
    case TASK_SET_HALT:
      core_.setStockStatus(task->symbol, STATUS_HALT);
      break;
    case TASK_SET_SP:
      core_.setStockStatus(task->symbol, STATUS_SP);
      break;
    case TASK_CLEAR_STATUS:
      core_.setStockStatus(task->symbol, STATUS_NORMAL);
      break;
    case TASK_COMPLETE_QUEUE: {
      const qxStockInfo before = core_.getStockInfo(task->symbol);
      double qty = 0;
      if (core_.completeQueue(&task->queueRow, &qty))
        settlements_.push_back({task->queueRow, task->symbol, qty, marketIndexOf(before.marketTitle)});
      if (before.openPrice == 0) {
        // Settling writes no stock row: the price read before still holds.
        const qxORDER open{T::numberTerm("openPrice", QorvexCore::getPrice(before))};
        db.updateStockFields(&open, &bySymbol);
      }
      break;
    }
    case TASK_UPDATE_STOCK:
      db.updateStock(&task->order, &bySymbol);
      break;
    case TASK_INBOX:
      core_.addInbox(settled != nullptr ? core_.settlementMessage(settled->row, settled->symbol, settled->qty,
                                                                  settled->market)
                                        : task->symbol);
      break;
    case TASK_ADD_PRICE: {
      db.recordPrice(task->symbol.c_str(), task->price);
      const qxStockInfo after = core_.getStockInfo(task->symbol);
      if (after.openPrice == 0 || after.openPrice == after.closeprice) {
        const qxORDER open{T::numberTerm("openPrice", task->price)};
        db.updateStockFields(&open, &bySymbol);
      }
      break;
    }
    default:
      break;
  }
}

const qxThread::Settlement* qxThread::settlementOf(int rowId) const {
  const auto found = std::find_if(settlements_.begin(), settlements_.end(),
                                  [rowId](const Settlement& s) { return s.row.ID == rowId; });
  return found == settlements_.end() ? nullptr : &*found;
}

qxTickRunner::qxTickRunner(QorvexCore& core, TickOptions options)
    : core_(core), options_(std::move(options)) {}

qxTickRunner::~qxTickRunner() {
  waitIdle();
}

bool qxTickRunner::startTick(bool autoSave) {
  {
    std::lock_guard lock(lock_);
    if (processing_) return false;
    processing_ = true;
  }
  TickOptions options = options_;
  options.finished = [this] {
    std::lock_guard lock(lock_);
    processing_ = false;
    idle_.notify_all();
  };
  try {
    auto* master = new qxThread(true, qxThread::MODE_MASTER, core_, std::move(options));
    master->autoSave = autoSave;
    master->start();
  } catch (const std::exception& e) {
    // No thread to be had: the tick is refused and the next one may try again.
    traceFailure("starting the master", &e);
    std::lock_guard lock(lock_);
    processing_ = false;
    idle_.notify_all();
    return false;
  }
  return true;
}

void qxTickRunner::waitIdle() {
  std::unique_lock lock(lock_);
  idle_.wait(lock, [this] { return !processing_; });
}

void qxTickRunner::runTick(bool autoSave) {
  waitIdle();
  startTick(autoSave);
  waitIdle();
}

bool qxTickRunner::isProcessing() const {
  std::lock_guard lock(lock_);
  return processing_;
}

}  // namespace Qorvex6
