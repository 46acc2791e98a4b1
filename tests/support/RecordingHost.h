#pragma once

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
  void trace(std::string_view line) override {
    std::lock_guard lock(recordLock_);
    traces_.emplace_back(line);
  }

  std::vector<Popup> popups() const {
    std::lock_guard lock(recordLock_);
    return popups_;
  }
  void clear() {
    std::lock_guard lock(recordLock_);
    popups_.clear();
    traces_.clear();
  }

 private:
  mutable std::mutex recordLock_;
  std::recursive_mutex gameLock_;
  std::vector<Popup> popups_;
  std::vector<std::string> traces_;
};

}  // namespace testsupport
