#pragma once

#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include "qxHost.h"

namespace testsupport {

// A window shell that remembers what the core asked of it.
class RecordingHost : public Qorvex6::qxHost {
 public:
  struct Popup {
    std::string title;
    std::string text;
    int stars = 0;
  };

  void postPopup(const std::string& title, const std::string& text, int stars) override {
    std::lock_guard lock(recordLock_);
    popups_.push_back({title, text, stars});
  }
  std::recursive_mutex& gameLock() override { return gameLock_; }

  // The tick master's hand-offs, in order; each also checks that nobody holds the game lock then.
  void tickStarted() override { handOff("tickStarted"); }
  void repaint() override { handOff("repaint"); }
  void setWriting(bool on) override { handOff(on ? "writing on" : "writing off"); }
  void cycleFinished() override { handOff("cycleFinished"); }
  void tickFinished(bool newCycle, bool autoSave) override {
    handOff(std::string("tickFinished") + (newCycle ? " cycle" : "") + (autoSave ? " save" : ""));
  }

  std::vector<std::string> handOffs() const {
    std::lock_guard lock(recordLock_);
    return handOffs_;
  }
  int handOffsUnderLock() const {
    std::lock_guard lock(recordLock_);
    return handOffsUnderLock_;
  }
  // Called with every hand-off, on the master's thread; for tests that watch the order of events.
  std::function<void(const std::string&)> onHandOff;

  std::vector<Popup> popups() const {
    std::lock_guard lock(recordLock_);
    return popups_;
  }
  void clear() {
    std::lock_guard lock(recordLock_);
    popups_.clear();
    handOffs_.clear();
    handOffsUnderLock_ = 0;
  }

 private:
  void handOff(const std::string& name) {
    // Another thread tries the lock: the recursive lock would let the caller's own thread in.
    const bool free = std::async(std::launch::async, [this] {
                        if (!gameLock_.try_lock()) return false;
                        gameLock_.unlock();
                        return true;
                      }).get();
    if (onHandOff) onHandOff(name);
    std::lock_guard lock(recordLock_);
    handOffs_.push_back(name);
    if (!free) ++handOffsUnderLock_;
  }

  mutable std::mutex recordLock_;
  std::recursive_mutex gameLock_;
  std::vector<Popup> popups_;
  std::vector<std::string> handOffs_;
  int handOffsUnderLock_ = 0;
};

}  // namespace testsupport
