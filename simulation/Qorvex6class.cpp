#include "Qorvex6class.h"

#include <functional>
#include <mutex>

namespace Qorvex6 {
namespace {

using TraceSink = std::function<void(std::string_view)>;
std::mutex traceLock;
std::shared_ptr<const TraceSink>& traceSink() {
  static std::shared_ptr<const TraceSink> sink;
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
  std::shared_ptr<const TraceSink> sink;
  {
    std::lock_guard lock(traceLock);
    sink = traceSink();
  }
  if (sink) (*sink)(text);
}

void QorvexCore::setTraceSink(std::function<void(std::string_view)> sink) {
  auto installed = sink ? std::make_shared<const TraceSink>(std::move(sink)) : nullptr;
  std::lock_guard lock(traceLock);
  traceSink() = std::move(installed);
}

}  // namespace Qorvex6
