// A game never takes, or saves under, the name of another game's save.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "DbConnection.h"
#include "ExportText.h"
#include "FileOps.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"

namespace {

namespace fs = std::filesystem;
using namespace Qorvex6;

class SaveNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(resources_.path() / "data");
    testsupport::copyTemplate(core_.templatePath());
    fs::create_directories(core_.saveFolder());
    // Another game, saved as "Other" by a program run of its own.
    QorvexCore other(host_, {resources_.path(), user_.path(), {testsupport::saveCheckerProgram()}});
    ASSERT_TRUE(other.createGame("Other"));
    other.database->profile.budget[0] = 777;
    ASSERT_TRUE(other.saveGame(save("Other")));
    others_ = bytes("Other");
  }

  std::string save(const std::string& name) const { return QorvexCore::saveFolderIn(user_.path()) / name; }
  std::string bytes(const std::string& name) const {
    std::string content;
    std::error_code ec;
    platform::readFile(save(name), std::size_t{1} << 26, content, ec);
    return content;
  }
  std::string storedName() {
    return core_.database->connection->query("SELECT playerName FROM profile").at(0, 0).asString();
  }
  // This game, saved as "Ann" and loaded from there.
  void playAnn() {
    ASSERT_TRUE(core_.createGame("Ann"));
    ASSERT_TRUE(core_.saveGame(save("Ann")));
    ASSERT_TRUE(core_.loadGame(save("Ann")));
  }

  testsupport::TempDir resources_, user_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_, {resources_.path(), user_.path(), {testsupport::saveCheckerProgram()}}};
  std::string others_;
};

TEST_F(SaveNamesTest, ARenameOntoAnotherGamesSaveIsRefusedAndChangesNothing) {
  playAnn();

  EXPECT_EQ(core_.renamePlayer("Other"), RenameResult::Taken);
  EXPECT_EQ(core_.setPlayerNameInMemory("Other"), RenameResult::Taken);
  EXPECT_STREQ(core_.database->profile.playerName, "Ann");
  EXPECT_EQ(storedName(), "Ann");
  EXPECT_TRUE(core_.saveGame(save("Ann"))) << "saving under its own name still goes";
  EXPECT_TRUE(bytes("Other") == others_);

  // Away and back to its own save's name is no clash.
  ASSERT_EQ(core_.renamePlayer("Ann2"), RenameResult::Renamed);
  EXPECT_EQ(core_.renamePlayer("Ann"), RenameResult::Renamed);
  EXPECT_EQ(core_.setPlayerNameInMemory("   "), RenameResult::Invalid);
  EXPECT_EQ(core_.setPlayerNameInMemory(" Bea "), RenameResult::Renamed);
  EXPECT_STREQ(core_.database->profile.playerName, "Bea");
  EXPECT_EQ(storedName(), "Ann") << "the gesture writes nothing";
}

TEST_F(SaveNamesTest, SavingNeverReplacesAnotherGamesSave) {
  struct Case {
    const char* what;
    std::function<void()> arrive;  // leaves a game whose player is named "Other"
  } cases[] = {
      {"a new game of that name", [&] { ASSERT_TRUE(core_.createGame("Other")); }},
      {"a name set in memory behind the checks",
       [&] {
         playAnn();
         std::snprintf(core_.database->profile.playerName, sizeof core_.database->profile.playerName,
                       "Other");
       }},
      {"a save whose player has another name",
       [&] {
         fs::copy_file(save("Other"), save("Copy"));
         ASSERT_TRUE(core_.loadGame(save("Copy")));
       }},
      {"an old save whose export names another player",
       [&] {
         fs::copy_file(core_.templatePath(), save("Old"));
         platform::DbConnection old;
         old.open(save("Old"), testsupport::kPassword);
         old.executeScript("UPDATE profile SET version=700;");
         ExportRecord record;
         record.playerName = "Other";
         std::ofstream(save("Old.exp"), std::ios::binary) << encodeExportFile(writeExportText(record));
         ASSERT_TRUE(core_.loadGame(save("Old")));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.arrive();
    if (HasFatalFailure()) return;
    ASSERT_STREQ(core_.database->profile.playerName, "Other");
    const std::vector<std::string> before = platform::listFolder(core_.saveFolder(), false);

    EXPECT_TRUE(core_.isAnotherGamesSave("Other"));
    EXPECT_FALSE(core_.saveGame(save("Other")));

    EXPECT_TRUE(bytes("Other") == others_);
    EXPECT_EQ(platform::listFolder(core_.saveFolder(), false), before) << "nothing removed either";
  }
}

}  // namespace
