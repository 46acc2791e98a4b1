// One application object, the program's own, for every desk test, on the offscreen platform so no display is
// needed.

#include <gtest/gtest.h>

#include <memory>

#include "QorvexApplication.h"

namespace {

class DeskEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A locale whose decimal separator is a comma, which the program must not write numbers with.
    qputenv("LC_NUMERIC", "de_DE.UTF-8");
    app_ = std::make_unique<desk::QorvexApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[11] = "desk_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<desk::QorvexApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new DeskEnvironment);

}  // namespace
