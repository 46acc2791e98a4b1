#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include "ResourceFolders.h"
#include "ScopedEnv.h"

namespace {

TEST(ResourceFolders, EnvironmentFirstThenTheBuildTree) {
  ScopedEnv resource("QORVEX_RESOURCE_DIR");
  qputenv("QORVEX_RESOURCE_DIR", "/opt/qorvex-res/");
  EXPECT_EQ(desk::resourceFolder(), "/opt/qorvex-res");
  // The tests run from the build tree, which has no ../share/qorvex next to the binaries.
  qunsetenv("QORVEX_RESOURCE_DIR");
  EXPECT_EQ(desk::resourceFolder(), QCoreApplication::applicationDirPath());
  EXPECT_TRUE(QDir(desk::resourceFolder()).exists("skins/frmMain_imgBK.jpg"));
}

TEST(ResourceFolders, UserFolderFromTheEnvironmentOrTheDataLocation) {
  ScopedEnv user("QORVEX_USER_DIR");
  ScopedEnv data("XDG_DATA_HOME");
  qputenv("QORVEX_USER_DIR", "/tmp/player");
  EXPECT_EQ(desk::userFolder(), "/tmp/player");
  qunsetenv("QORVEX_USER_DIR");
  qputenv("XDG_DATA_HOME", "/tmp/xdg-data");
  EXPECT_EQ(desk::userFolder(), "/tmp/xdg-data/qorvex");
}

}  // namespace
