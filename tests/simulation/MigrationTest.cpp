// Loading an old save through its export: the migrated game is saved at once, keeps its holdings' days
// held, and a large export goes through in one transaction.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "DbConnection.h"
#include "ExportText.h"
#include "FileOps.h"
#include "GameFixture.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"

namespace {

namespace fs = std::filesystem;
using namespace Qorvex6;
using testsupport::readBytes;
using testsupport::writeBytes;

// Ann's export: her cash and two listed holdings, QUOR held 120 days and VESR 3.
ExportRecord annRecord() {
  ExportRecord r;
  r.playerName = "Ann";
  r.budget[0] = 123456.78;
  r.budget[4] = 4500;
  r.holdings = {{"QUOR", 33.5f, 1000, 120}, {"VESR", 100.25f, 20, 3}};
  return r;
}

// Holdings a migration takes with some care: a symbol in other letter cases, and days held out of range.
const std::vector<ExportRecord::Holding> kOddHoldings = {
    {"calt", 1, 10, 5}, {"DURR", 1, 10, 2147483647}, {"NERR", 1, 10, -1}};

class MigrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(resources_.path() / "data");
    testsupport::copyTemplate(core_->templatePath());
    fs::create_directories(core_->saveFolder());
  }
  void TearDown() override { platform::setFileFaultHook(nullptr); }

  fs::path saveFolder() const { return QorvexCore::saveFolderIn(user_.path()); }
  fs::path save(const std::string& name) const { return saveFolder() / name; }
  double value(const std::string& sql) { return testsupport::queryValue(*core_->database, sql); }

  // A save of version 700 with its export beside it.
  void writeOldSave(const std::string& name, const ExportRecord& record) {
    fs::copy_file(core_->templatePath(), save(name));
    platform::DbConnection db;
    db.open(save(name), testsupport::kPassword);
    db.executeScript("UPDATE profile SET version=700;");
    writeBytes(save(name + ".exp"), encodeExportFile(writeExportText(record)));
  }

  // What the start dialog lists: the files of Save/ without the exports.
  std::vector<std::string> loadList() const {
    std::vector<std::string> names;
    for (const std::string& name : platform::listFolder(saveFolder(), false))
      if (name.find(".exp") == std::string::npos) names.push_back(name);
    return names;
  }

  testsupport::TempDir resources_, user_;
  testsupport::RecordingHost host_;
  std::unique_ptr<QorvexCore> core_ = std::make_unique<QorvexCore>(
      host_, CoreFolders{resources_.path(), user_.path(), {testsupport::saveCheckerProgram()}});
};

TEST_F(MigrationTest, AMigratedGameAbandonedBeforeASaveLoadsAgainWithItsDaysHeld) {
  ExportRecord ann = annRecord();
  ann.holdings.insert(ann.holdings.end(), kOddHoldings.begin(), kOddHoldings.end());
  writeOldSave("Ann", ann);
  const std::string oldSave = readBytes(save("Ann"));
  const std::string oldExport = readBytes(save("Ann.exp"));

  ASSERT_TRUE(core_->loadGame(save("Ann").string()));
  EXPECT_EQ(value("SELECT heldlength FROM portfolio WHERE symbol='QUOR'"), 120);
  core_.reset();  // the player quits without saving

  EXPECT_EQ(loadList(), (std::vector<std::string>{"Ann", "Ann [backup]"}));
  EXPECT_TRUE(readBytes(save("Ann [backup]")) == oldSave);
  EXPECT_TRUE(readBytes(save("Ann.exp")) == oldExport);

  core_ = std::make_unique<QorvexCore>(
      host_, CoreFolders{resources_.path(), user_.path(), {testsupport::saveCheckerProgram()}});
  ASSERT_TRUE(core_->loadGame(save("Ann").string()));
  EXPECT_FALSE(fs::exists(save("Ann [backup 2]"))) << "loaded as it is, not migrated again";
  EXPECT_STREQ(core_->database->profile.playerName, "Ann");
  EXPECT_DOUBLE_EQ(core_->database->profile.budget[0], 123456.78);
  EXPECT_EQ(value("SELECT heldlength FROM portfolio WHERE symbol='QUOR'"), 120);
  EXPECT_EQ(value("SELECT heldlength FROM portfolio WHERE symbol='VESR'"), 3);
  EXPECT_EQ(value("SELECT vol FROM portfolio WHERE symbol='QUOR' AND marketTitle='Thai'"), 1000);
  EXPECT_EQ(value("SELECT heldlength FROM portfolio WHERE symbol='CALT' AND marketTitle='Thai'"), 5);
  EXPECT_EQ(value("SELECT count(*) FROM portfolio"), 3) << "no holding held out of range";
}

TEST_F(MigrationTest, AMigrationThatCannotBeKeptLeavesTheSaveWhereItWas) {
  struct Case {
    const char* what;
    const char* step;
    const char* file;
  } cases[] = {
      {"the backup cannot be written", "create", "Ann [backup]"},
      {"the migrated game cannot be saved", "rename", "Ann"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& name : platform::listFolder(saveFolder(), false))
      fs::remove(save(name));
    writeOldSave("Ann", annRecord());
    const std::string oldSave = readBytes(save("Ann"));
    platform::setFileFaultHook([&c](std::string_view step, const fs::path& file) {
      return step == c.step && file.filename() == c.file ? EIO : 0;
    });

    EXPECT_FALSE(core_->loadGame(save("Ann").string()));

    platform::setFileFaultHook(nullptr);
    EXPECT_FALSE(core_->database->connection->isOpen());
    EXPECT_TRUE(readBytes(save("Ann")) == oldSave);
    EXPECT_EQ(platform::listFolder(saveFolder(), false), (std::vector<std::string>{"Ann", "Ann.exp"}));
  }
}

TEST_F(MigrationTest, ALargeExportMigratesInOneTransaction) {
  std::vector<std::string> symbols;
  {
    platform::DbConnection db;
    db.open(core_->templatePath(), testsupport::kPassword);
    const platform::DbResult rows = db.query("SELECT symbol FROM stock ORDER BY ID");
    for (std::size_t i = 0; i < rows.rowCount(); ++i)
      symbols.push_back(rows.at(i, 0).asString());
  }
  ASSERT_FALSE(symbols.empty());
  constexpr int kHoldings = 20000;
  ExportRecord record = annRecord();
  record.holdings.clear();
  long long daysHeld = 0;
  for (int i = 0; i < kHoldings; ++i) {
    record.holdings.push_back({symbols[static_cast<std::size_t>(i) % symbols.size()], 10, 5, i % 400});
    daysHeld += i % 400;
  }
  writeOldSave("Ann", record);

  const platform::DbConnection& connection = *core_->database->connection;
  const std::uint64_t statementsBefore = connection.statementCount();
  const std::uint64_t commitsBefore = connection.commitCount();
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(core_->loadGame(save("Ann").string()));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("migrating %d holdings took %.2f s\n", kHoldings, seconds);

  // One insert per holding and a few statements more, never a query per holding; committed once.
  EXPECT_LT(connection.statementCount() - statementsBefore, static_cast<std::uint64_t>(kHoldings) + 100);
  EXPECT_EQ(connection.commitCount() - commitsBefore, 1u);
  EXPECT_EQ(value("SELECT count(*) FROM portfolio"), kHoldings);
  EXPECT_EQ(value("SELECT sum(heldlength) FROM portfolio"), static_cast<double>(daysHeld));
}

TEST_F(MigrationTest, AnExportWithTooManyHoldingsIsRefused) {
  ExportRecord record = annRecord();
  record.holdings.assign(MAX_EXPORT_HOLDINGS + 1, {"A", 0, 0, 0});
  writeOldSave("Ann", record);
  const std::string oldSave = readBytes(save("Ann"));

  EXPECT_FALSE(core_->loadGame(save("Ann").string()));
  EXPECT_FALSE(core_->database->connection->isOpen());
  EXPECT_TRUE(readBytes(save("Ann")) == oldSave);
  EXPECT_EQ(platform::listFolder(saveFolder(), false), (std::vector<std::string>{"Ann", "Ann.exp"}));
}

}  // namespace
