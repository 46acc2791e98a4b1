#include <gtest/gtest.h>

#include <thread>

#include "DbError.h"
#include "Qorvex6domain.h"
#include "Qorvex6engine.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;
using T = qxSUBORDER;

constexpr const char* kFixture =
    "INSERT INTO profile (version) VALUES (670);"
    "INSERT INTO stock (symbol, marketTitle, vol, currentPrice, closeprice, openPrice) VALUES "
    "('PENNY', 'Thai', 10, 0.05, 0.05, 0.04), ('MID', 'Thai', 20, 10, 10, 9), ('BIG', 'London', 30, 300, "
    "300, 0);"
    "INSERT INTO price (symbol, price) VALUES ('PENNY', 0.05), ('MID', 10), ('BIG', 300);"
    "INSERT INTO dailyPrice (symbol, open, close, high, low) VALUES ('PENNY', 0.04, 0.05, 0.06, 0.03);"
    "INSERT INTO milestone (id, passed, star, type, description) VALUES "
    "(1, 0, 1, 'First', 'Buy a share'), (2, 1, 2, 'Second', 'Sell a share'), (3, 0, 3, 'Third', 'Hold it');";

class SaveGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.file("game.db");
    testsupport::createGameDatabase(file_, kFixture);
    game_.openDatabase(file_.string(), testsupport::kPassword);
    game_.setTrace([this](std::string_view line) { traced_.emplace_back(line); });
  }
  double value(const std::string& sql) { return game_.connection->query(sql).at(0, 0).asFloat(); }

  testsupport::TempDir dir_;
  std::filesystem::path file_;
  qxSaveGame game_;
  std::vector<std::string> traced_;
};

TEST_F(SaveGameTest, ExecSqlIsTrueOnlyWhenRowsChanged) {
  struct Case {
    const char* sql;
    bool result;
  } cases[] = {
      {"UPDATE stock SET status=1 WHERE symbol='NONE'", false},
      {"UPDATE stock SET status=1 WHERE marketTitle='thai'", true},  // titles compare without case
      {"SELECT * FROM stock", false},
      {"UPDATE [stock] SET status=0  WHERE ", false},
      {"UPDATE stock SET status=2; DELETE FROM stock", false},
      {"UPDATE stock SET status=2 WHERE symbol='BIG'", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    EXPECT_EQ(game_.execSQL(c.sql), c.result);
  }
  EXPECT_EQ(value("SELECT count(*) FROM stock"), 3);
  EXPECT_EQ(traced_.size(), 2u) << "each failed statement leaves one trace line";

  game_.closeDatabase();
  EXPECT_FALSE(game_.execSQL("UPDATE stock SET status=0"));
}

TEST_F(SaveGameTest, DebugExecSqlRunsOnlyBehindItsTrigger) {
  EXPECT_FALSE(game_.debugExecSQL("someone@example.org", "DELETE FROM stock"));
  EXPECT_FALSE(game_.debugExecSQL("", "DELETE FROM stock"));
  EXPECT_EQ(value("SELECT count(*) FROM stock"), 3);
  EXPECT_TRUE(game_.debugExecSQL(DEBUG_SQL_TRIGGER, "DELETE FROM stock WHERE symbol='BIG'"));
  EXPECT_EQ(value("SELECT count(*) FROM stock"), 2);
  for (const auto& line : traced_)
    EXPECT_EQ(line.find(DEBUG_SQL_TRIGGER), std::string::npos);
}

TEST_F(SaveGameTest, BoostPricesMultipliesInSteps) {
  EXPECT_TRUE(game_.boostPrices());
  EXPECT_NEAR(value("SELECT currentPrice FROM stock WHERE symbol='PENNY'"), 0.05 * 200 * 2.5, 1e-9)
      << "a price below 0.1 is boosted twice";
  EXPECT_NEAR(value("SELECT openPrice FROM stock WHERE symbol='PENNY'"), 0.04 * 200 * 2.5, 1e-9);
  EXPECT_NEAR(value("SELECT currentPrice FROM stock WHERE symbol='MID'"), 25, 1e-9);
  EXPECT_NEAR(value("SELECT currentPrice FROM stock WHERE symbol='BIG'"), 300, 1e-9);
  EXPECT_NEAR(value("SELECT close FROM dailyPrice"), 0.05 * 200 * 2.5, 1e-9);
  EXPECT_NEAR(value("SELECT price FROM price WHERE symbol='MID'"), 25, 1e-9);
  EXPECT_NEAR(value("SELECT price FROM price WHERE symbol='BIG'"), 300, 1e-9);
}

TEST_F(SaveGameTest, BoostedPricesStopAtTheFiguresBound) {
  const std::string bound = "1267650600228229401496703205376";  // 2^100
  game_.execSQL("UPDATE stock SET wk52High=" + bound + " WHERE symbol='PENNY'");
  game_.execSQL("UPDATE dailyPrice SET high=" + bound);
  EXPECT_TRUE(game_.boostPrices());
  EXPECT_EQ(value("SELECT wk52High FROM stock WHERE symbol='PENNY'"), domain::MAX_FIGURE);
  EXPECT_EQ(value("SELECT high FROM dailyPrice"), domain::MAX_FIGURE);
  EXPECT_NEAR(value("SELECT currentPrice FROM stock WHERE symbol='PENNY'"), 0.05 * 200 * 2.5, 1e-9);
  EXPECT_EQ(game_.firstValueOutOfDomain(), std::nullopt);
}

TEST_F(SaveGameTest, BoostPricesStopsAtTheFirstStepThatChangesNothing) {
  game_.execSQL("UPDATE stock SET currentPrice=50");
  EXPECT_FALSE(game_.boostPrices());
  EXPECT_NEAR(value("SELECT price FROM price WHERE symbol='PENNY'"), 0.05, 1e-9) << "later steps never ran";
  EXPECT_NEAR(value("SELECT close FROM dailyPrice"), 0.05, 1e-9);
}

TEST_F(SaveGameTest, MilestonesAreListedAndPassed) {
  EXPECT_EQ(game_.getMilestoneInfos(nullptr).size(), 3u);
  const qxORDER passed{T::flagTerm("passed", true)};
  auto infos = game_.getMilestoneInfos(&passed);
  ASSERT_EQ(infos.size(), 1u);
  EXPECT_STREQ(infos[0].type, "Second");
  EXPECT_STREQ(infos[0].description, "Sell a share");

  EXPECT_TRUE(game_.passMilestone(3));
  EXPECT_FALSE(game_.passMilestone(99));
  EXPECT_EQ(game_.profile.milestones.totalStars, 0) << "passing does not touch the summary";
  game_.loadMilestones();
  EXPECT_EQ(game_.profile.milestones.totalStars, 5);
  EXPECT_EQ(game_.profile.milestones.passed, (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(game_.getMilestoneInfos(&passed).size(), 2u);
}

TEST_F(SaveGameTest, ReadSingleFloatReadsOneValue) {
  const char* sum = "SELECT SUM([vol]*[currentPrice]) AS [c] \t\tFROM [Stock] WHERE \t\tMarketTitle='Thai'";
  EXPECT_FLOAT_EQ(game_.readSingleFloat(sum, "c"), 10 * 0.05f + 20 * 10);
  EXPECT_EQ(game_.readSingleFloat("SELECT SUM(vol) AS c FROM stock WHERE marketTitle='HongKong'", "c"), 0);
  EXPECT_EQ(game_.readSingleFloat("SELECT vol AS c FROM stock WHERE 0", "c"), 0);
  EXPECT_THROW(game_.readSingleFloat("SELECT vol FROM stock", "c"), platform::DatabaseError);

  pSingleField field(*game_.connection, "SELECT vol FROM stock ORDER BY vol");
  EXPECT_EQ(field.getFloat(1, "vol"), 20);
  EXPECT_EQ(field.getFloat(7, "vol"), 30) << "the move stops at the last row";
}

TEST(FormatMoney, WritesTheCurrencyAndScale) {
  const qxSaveGame game;
  struct Case {
    double amount;
    int currency;
    bool whole;
    const char* text;
  } cases[] = {
      {999999.99, 0, false, "THB 999,999.99"},
      {1000000, 0, false, "THB 1.00 Mil."},
      {2500000, 1, true, "GBP 2,500,000"},
      {1.5e9, 0, false, "THB 1.500 Bil."},
      {1.5e9, 4, false, "USD 1.50 Bil."},
      {2.4e9, 5, false, "HKD 2 Bil."},
      {1e9, 2, false, "JPY 1.000 Bil."},
      {999999999, 3, false, "SGD 1,000.00 Mil."},
      {-2000000, 3, false, "SGD -2,000,000.00"},
      {12.5, 9, false, "USD 12.50"},
      {12.5, -1, false, "USD 12.50"},
      {0, 5, false, "HKD 0.00"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(game.formatMoney(c.amount, c.currency, c.whole), c.text);
}

TEST(TotalBudget, SumsTheBudgetsInUsd) {
  qxSaveGame game;
  EXPECT_EQ(game.totalBudget(), 0) << "no rates read yet";
  game.profile.budget[0] = 3100;
  game.profile.budget[4] = 100;
  game.rateExchange[0] = 1;
  game.rateExchange[4] = 31;
  EXPECT_DOUBLE_EQ(game.totalBudget(), 200);
  game.profile.budget[1] = 10;
  game.rateExchange[1] = 62;
  EXPECT_DOUBLE_EQ(game.totalBudget(), 220);
}

TEST_F(SaveGameTest, OneObjectServesManyThreads) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([this, t] {
      for (int i = 0; i < 30; ++i) {
        if (t == 0) {
          game_.execSQL("UPDATE stock SET tradedVol=tradedVol+1 WHERE symbol='MID'");
        } else {
          const pList<qxStockInfo> stocks(*game_.connection, "SELECT * FROM stock");
          EXPECT_EQ(stocks.count(), 3);
          game_.readSingleFloat("SELECT SUM(vol) AS c FROM stock", "c");
        }
      }
    });
  }
  for (auto& th : threads)
    th.join();
  EXPECT_EQ(value("SELECT tradedVol FROM stock WHERE symbol='MID'"), 30);
}

}  // namespace
