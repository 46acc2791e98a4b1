// One QApplication for every desk test, on the offscreen platform so no display is needed.

#include <gtest/gtest.h>

#include <memory>

#include <QApplication>

namespace {

class DeskEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[11] = "desk_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new DeskEnvironment);

}  // namespace
