// Loading an old save through its export: the migrated game is saved at once, keeps its holdings' days
// held, and a large export goes through in one transaction; an export the game could not load again once
// saved is refused.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "DbConnection.h"
#include "ExportText.h"
#include "FileOps.h"
#include "GameFixture.h"
#include "Qorvex6class.h"
#include "Qorvex6domain.h"
#include "RecordingHost.h"
#include "TestDatabase.h"
#include "TraceRecorder.h"
#include "qx_Thread.h"

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

class MigrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(resources_.path() / "data");
    testsupport::copyTemplate(core_->templatePath());
    fs::create_directories(core_->saveFolder());
  }
  void TearDown() override { platform::setFileFaultHook(nullptr); }

  std::string trace() { return traces_.text(); }
  void clearTrace() { traces_.clear(); }

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

  // Loads the save on another thread; false, with `finished` false, when that does not end within
  // seconds (a FIFO in the place of its export is then opened for writing, which frees a reader blocked on
  // it).
  bool loadPromptly(const fs::path& file, bool& finished) {
    auto loading = std::async(std::launch::async, [&] { return core_->loadGame(file.string()); });
    finished = loading.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!finished) {
      const int writer = ::open((file.string() + ".exp").c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) ::close(writer);
    }
    return loading.get();
  }

  void playADay() {
    TickOptions options;
    options.serial = true;
    qxTickRunner runner(*core_, options);
    for (int i = 0; i < (domain::LAST_CYCLE + 1) * QorvexCore::STEPS_PER_CYCLE; ++i)
      runner.runTick();
  }

  testsupport::TraceRecorder traces_;  // first in, last out: it hears the core's whole life
  testsupport::TempDir resources_, user_;
  testsupport::RecordingHost host_;
  std::unique_ptr<QorvexCore> core_ = std::make_unique<QorvexCore>(
      host_, CoreFolders{resources_.path(), user_.path(), {testsupport::saveCheckerProgram()}});
};

TEST_F(MigrationTest, AMigratedGameAbandonedBeforeASaveLoadsAgainWithItsDaysHeld) {
  ExportRecord ann = annRecord();
  ann.holdings.push_back({"calt", 1, 10, 5});  // listed as CALT
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
  EXPECT_EQ(value("SELECT count(*) FROM portfolio"), 3);
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
  constexpr int kHoldings = 20000;
  // A market with a stock for each holding: an export holds a symbol once.
  {
    platform::DbConnection db;
    db.open(core_->templatePath(), testsupport::kPassword);
    db.executeScript(
        "INSERT INTO stock (symbol, marketTitle) WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL "
        "SELECT x + 1 FROM n WHERE x < " +
        std::to_string(kHoldings) + ") SELECT 'MANY' || x, 'Thai' FROM n;");
  }
  ExportRecord record = annRecord();
  record.holdings.clear();
  long long daysHeld = 0;
  for (int i = 0; i < kHoldings; ++i) {
    record.holdings.push_back({"MANY" + std::to_string(i + 1), 10, 5, i % 400});
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

TEST_F(MigrationTest, AnExportThatTheGameWouldNotLoadOnceSavedIsRefusedWithTheFieldNamed) {
  const auto exportOf = [](const std::function<void(ExportRecord&)>& change) {
    return [change](const fs::path& file) {
      ExportRecord r = annRecord();
      change(r);
      writeBytes(file, encodeExportFile(writeExportText(r)));
    };
  };
  const auto firstAvgPrice = [&](float price) {
    return exportOf([price](ExportRecord& r) { r.holdings[0].avg_price = price; });
  };
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> makeExport;
    const char* reason;  // what the trace names
  } cases[] = {
      {"average price -3.1", firstAvgPrice(-3.1f), "portfolio.avg_price (holding 1)"},
      {"average price -2147483648.224", firstAvgPrice(-2147483648.224f), "portfolio.avg_price (holding 1)"},
      {"average price -214748364800.39", firstAvgPrice(-214748364800.39f), "portfolio.avg_price (holding 1)"},
      {"average price above the figures' bound", firstAvgPrice(1e31f), "portfolio.avg_price (holding 1)"},
      {"volume -5", exportOf([](ExportRecord& r) { r.holdings[1].vol = -5; }), "portfolio.vol (holding 2)"},
      {"volume 1e308", exportOf([](ExportRecord& r) { r.holdings[1].vol = 1e308; }),
       "portfolio.vol (holding 2)"},
      {"held 2147483647 days", exportOf([](ExportRecord& r) { r.holdings[1].heldlength = 2147483647; }),
       "portfolio.heldlength (holding 2)"},
      {"held -1 days", exportOf([](ExportRecord& r) { r.holdings[0].heldlength = -1; }),
       "portfolio.heldlength (holding 1)"},
      {"USD budget 1e308", exportOf([](ExportRecord& r) { r.budget[4] = 1e308; }), "profile.budget_USD"},
      {"THB budget -0.01", exportOf([](ExportRecord& r) { r.budget[0] = -0.01; }), "profile.budget_THB"},
      {"HKD budget 1e201", exportOf([](ExportRecord& r) { r.budget[5] = 1e201; }), "profile.budget_HKD"},
      {"a budget NaN",
       [](const fs::path& f) { writeBytes(f, encodeExportFile("#0 Ann\n#1@1@2@3@4@nan@6\n")); },
       "no name or no budgets"},
      {"highest budget 1e300", exportOf([](ExportRecord& r) { r.statHighestBudget = 1e300; }),
       "profile.statHighestBudget"},
      {"highest portfolio value -1", exportOf([](ExportRecord& r) { r.statHighestPortVal = -1; }),
       "profile.statHighestPortVal"},
      {"highest profit 1e31", exportOf([](ExportRecord& r) { r.statHighestProfit_Val = 1e31f; }),
       "profile.statHighestProfit_Val"},
      {"highest loss -1e31", exportOf([](ExportRecord& r) { r.statHighestLoss_Val = -1e31f; }),
       "profile.statHighestLoss_Val"},
      {"longest holding -3 days", exportOf([](ExportRecord& r) { r.statLongestHolding_Val = -3; }),
       "profile.statLongestHolding_Val"},
      {"a symbol twice", exportOf([](ExportRecord& r) {
         r.holdings.push_back({"QUOR", 1, 1, 1});
       }),
       "portfolio.symbol (holding 3)"},
      {"a symbol twice in other letter cases", exportOf([](ExportRecord& r) {
         r.holdings.push_back({"vesR", 1, 1, 1});
       }),
       "portfolio.symbol (holding 3)"},
      {"an unlisted symbol twice", exportOf([](ExportRecord& r) {
         r.holdings.insert(r.holdings.end(), 2, {"GONE", 1, 1, 1});
       }),
       "portfolio.symbol (holding 4)"},
      {"a FIFO", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }, "not a regular file"},
      {"a symbolic link to a sound export",
       [this](const fs::path& f) {
         writeBytes(user_.file("elsewhere.exp"), encodeExportFile(writeExportText(annRecord())));
         fs::create_symlink(user_.file("elsewhere.exp"), f);
       },
       "not a regular file"},
  };
  const fs::path exportFile = save("Ann.exp");
  const auto exportAsItIs = [&] {
    const fs::file_type type = fs::symlink_status(exportFile).type();
    return std::make_pair(type, type == fs::file_type::regular ? readBytes(exportFile) : std::string());
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& name : platform::listFolder(saveFolder(), false))
      fs::remove(save(name));
    writeOldSave("Ann", annRecord());
    fs::remove(exportFile);
    c.makeExport(exportFile);
    const std::string oldSave = readBytes(save("Ann"));
    const auto oldExport = exportAsItIs();
    clearTrace();

    bool finished = false;
    EXPECT_FALSE(loadPromptly(save("Ann"), finished));

    EXPECT_TRUE(finished) << "the load waited on the export";
    EXPECT_NE(trace().find(c.reason), std::string::npos) << trace();
    EXPECT_FALSE(core_->database->connection->isOpen());
    EXPECT_TRUE(readBytes(save("Ann")) == oldSave);
    EXPECT_TRUE(exportAsItIs() == oldExport);
    EXPECT_EQ(platform::listFolder(saveFolder(), false), (std::vector<std::string>{"Ann", "Ann.exp"}))
        << "no backup";
  }
}

TEST_F(MigrationTest, AnExportAtTheBoundsMigratesPlaysSavesAndLoadsAgain) {
  using namespace domain;
  ExportRecord r = annRecord();
  r.budget[0] = MAX_AMOUNT;
  r.budget[1] = 0;
  r.statHighestBudget = MAX_AMOUNT;
  r.statHighestPortVal = 0;
  r.statHighestProfit_Val = static_cast<float>(MAX_FIGURE);
  r.statHighestLoss_Val = static_cast<float>(-MAX_FIGURE);
  r.statLongestHolding_Val = static_cast<float>(MAX_DAYS);
  r.holdings = {{"QUOR", static_cast<float>(MAX_FIGURE), MAX_AMOUNT, MAX_DAYS}, {"VESR", 0, 0, 0}};
  writeOldSave("Ann", r);

  ASSERT_TRUE(core_->loadGame(save("Ann").string())) << trace();
  EXPECT_EQ(core_->database->profile.budget[0], MAX_AMOUNT);
  EXPECT_NEAR(value("SELECT avg_price FROM portfolio WHERE symbol='QUOR'"), MAX_FIGURE, MAX_FIGURE * 1e-14)
      << "to the digits the game writes";
  EXPECT_EQ(value("SELECT heldlength FROM portfolio WHERE symbol='QUOR'"), MAX_DAYS);
  playADay();
  EXPECT_EQ(core_->database->firstValueOutOfDomain(), std::nullopt);
  ASSERT_TRUE(core_->saveGame(save("Ann").string())) << trace();
  ASSERT_TRUE(core_->loadGame(save("Ann").string())) << trace();
  EXPECT_EQ(value("SELECT count(*) FROM portfolio"), 2);
}

}  // namespace
