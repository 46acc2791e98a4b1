#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "Qorvex6class.h"

namespace testsupport {

// Collects the game core's trace lines, from any thread, for as long as it lives.
class TraceRecorder {
 public:
  TraceRecorder() {
    Qorvex6::QorvexCore::setTraceSink([this](std::string_view line) {
      std::lock_guard lock(lock_);
      text_ += std::string(line) + "\n";
    });
  }
  ~TraceRecorder() { Qorvex6::QorvexCore::setTraceSink(nullptr); }
  TraceRecorder(const TraceRecorder&) = delete;
  TraceRecorder& operator=(const TraceRecorder&) = delete;

  // Every line so far, each ended by a line break.
  std::string text() {
    std::lock_guard lock(lock_);
    return text_;
  }
  void clear() {
    std::lock_guard lock(lock_);
    text_.clear();
  }

 private:
  std::mutex lock_;
  std::string text_;
};

}  // namespace testsupport
