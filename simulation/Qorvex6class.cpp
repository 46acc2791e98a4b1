#include "Qorvex6class.h"

#include <functional>
#include <mutex>

namespace Qorvex6 {
namespace {

std::mutex traceLock;
std::function<void(std::string_view)>& traceSink() {
  static std::function<void(std::string_view)> sink;
  return sink;
}

}  // namespace

QorvexCore::QorvexCore(qxHost& host, CoreFolders folders)
    : database(std::make_unique<qxSaveGame>()), host_(host), folders_(std::move(folders)) {
  database->setTrace([](std::string_view line) { debugLog(line); });
}

QorvexCore::~QorvexCore() = default;

void QorvexCore::getStep(int& currentStep, int& steps) const {
  currentStep = step.load();
  steps = stepsPerCycle;
}

void QorvexCore::debugLog(std::string_view text) {
  std::lock_guard lock(traceLock);
  if (traceSink()) traceSink()(text);
}

void QorvexCore::setTraceSink(std::function<void(std::string_view)> sink) {
  std::lock_guard lock(traceLock);
  traceSink() = std::move(sink);
}

}  // namespace Qorvex6
