// Stops the game clock for a scope (a modal dialog, a page refill) and gives it back its earlier state:
// a clock that was paused stays paused.

#pragma once

#include <QTimer>

namespace desk {

class ClockHold {
 public:
  explicit ClockHold(QTimer* timer) : timer_(timer), wasRunning_(timer != nullptr && timer->isActive()) {
    if (wasRunning_) timer_->stop();
  }
  ~ClockHold() {
    if (wasRunning_ && !timer_->isActive()) timer_->start();
  }
  ClockHold(const ClockHold&) = delete;
  ClockHold& operator=(const ClockHold&) = delete;

 private:
  QTimer* timer_;
  bool wasRunning_;
};

}  // namespace desk
