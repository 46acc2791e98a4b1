#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "Qorvex6engine.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;
using T = qxSUBORDER;

constexpr const char* kFixture =
    "INSERT INTO profile (version, joinDate, rateExchange_Thai, rateExchange_NewYork) VALUES (670, "
    "'01/01/2500', 1, 31);"
    "INSERT INTO factors (pol_nextconsider, heal_nextconsider, seas_nextconsider) VALUES (0, 5, 1);"
    "INSERT INTO market (title) VALUES ('Thai'), ('London'), ('Japan'), ('Singapore'), ('NewYork'), "
    "('HongKong');"
    "INSERT INTO company (company, symbol, sector, balance) VALUES "
    "('Rise Co', 'RISE', 3, 1e6), ('Fall Co', 'FALL', 3, 2e6), ('Flat Co', 'FLAT', 5, 3e6), ('Zero Co', "
    "'ZERO', 3, 4e6);"
    "INSERT INTO stock (symbol, company, marketTitle, vol, currentPrice, closeprice, closepriceY, "
    "tradedAmount) VALUES "
    "('RISE', 'Rise Co', 'Thai', 100, 11, 10, 12, 500),"   // +10 %; day move -16.7 %
    "('FALL', 'Fall Co', 'Thai', 200, 8, 10, 9, 900),"     // -20 %; day move +11 %
    "('FLAT', 'Flat Co', 'Thai', 300, 10, 10, 10, 100),"   // 0
    "('ZERO', 'Zero Co', 'London', 400, 0.5, 0, 0, 50);";  // close 0: ranks by the difference x 1e6

class MarketAccessorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.file("game.db");
    testsupport::createGameDatabase(file_, kFixture);
    game_.openDatabase(file_.string(), testsupport::kPassword);
    game_.readProfile();
  }
  double value(const std::string& sql) { return game_.connection->query(sql).at(0, 0).asFloat(); }
  template <typename R>
  static std::vector<std::string> symbols(const pList<R>& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.count(); ++i)
      out.emplace_back(list.at(i).symbol);
    return out;
  }

  testsupport::TempDir dir_;
  std::filesystem::path file_;
  qxSaveGame game_;
};

using Symbols = std::vector<std::string>;

TEST_F(MarketAccessorsTest, StockRankings) {
  EXPECT_EQ(symbols(game_.getStocksByChange(nullptr)), (Symbols{"FALL", "FLAT", "RISE", "ZERO"}));
  const qxORDER thai{T::textTerm("marketTitle", "Thai")};
  EXPECT_EQ(symbols(game_.getStocksByChange(&thai)), (Symbols{"FALL", "FLAT", "RISE"}));
  EXPECT_EQ(symbols(game_.getStocksByDayChange(&thai)), (Symbols{"RISE", "FLAT", "FALL"}));
  EXPECT_EQ(symbols(game_.getStocksByTradedAmount(nullptr)), (Symbols{"FALL", "RISE", "FLAT", "ZERO"}));
  EXPECT_EQ(game_.getStocks(&thai).count(), 3);
}

TEST_F(MarketAccessorsTest, TheLastSessionRanksByTheNewestDailyHistoryAmount) {
  // RISE and FALL had an older session; FLAT has no history; ZERO is on another exchange.
  ASSERT_TRUE(game_.execSQL(
      "INSERT INTO dailyPrice (symbol, tradedAmount) VALUES ('RISE', 9000), ('FALL', 10), ('ZERO', 5000), "
      "('RISE', 300), ('FALL', 700)"));
  const qxORDER thai{T::textTerm("marketTitle", "Thai")};
  const pList<qxStockInfo> ranked = game_.getStocksByLastSessionAmount(&thai);
  EXPECT_EQ(symbols(ranked), (Symbols{"FALL", "RISE", "FLAT"}));
  EXPECT_EQ(ranked.at(0).tradedAmount, 700);
  EXPECT_EQ(ranked.at(1).tradedAmount, 300);
  EXPECT_EQ(ranked.at(2).tradedAmount, 0);
  EXPECT_EQ(ranked.at(0).currentPrice, 8) << "the other columns as stored";
  EXPECT_EQ(ranked.at(0).vol, 200);
}

TEST_F(MarketAccessorsTest, StocksWithCompanyFilterOnQualifiedColumns) {
  const qxORDER mining{T::numberTerm("company.sector", 3), T::textTerm("stock.marketTitle", "thai")};
  const auto rows = game_.getStocksWithCompany(&mining);
  ASSERT_EQ(rows.count(), 2);
  for (int i = 0; i < rows.count(); ++i) {
    EXPECT_STREQ(rows.at(i).stock.symbol, rows.at(i).company.symbol);
    EXPECT_EQ(rows.at(i).company.sector, 3);
  }
  EXPECT_EQ(game_.getStocksWithCompany(nullptr).count(), 4);
}

TEST_F(MarketAccessorsTest, MarketsComeInTableOrder) {
  const auto markets = game_.getMarkets(nullptr);
  ASSERT_EQ(markets.count(), 6);
  for (int i = 0; i < 6; ++i) {
    std::string title;
    marketTitleOf(title, i);
    EXPECT_EQ(markets.at(i).title, title);
  }
}

TEST_F(MarketAccessorsTest, PricesAreTheNewestRowsNewestFirst) {
  for (int i = 1; i <= 150; ++i) {
    game_.daycount = static_cast<std::uint16_t>(i);
    game_.recordPrice("RISE", static_cast<float>(i));
    game_.recordPrice("FALL", static_cast<float>(-i));
  }
  const qxORDER rise{T::textTerm("symbol", "RISE")};
  struct Case {
    int limit;
    int count;
  } cases[] = {{0, 128}, {-5, 128}, {20, 20}, {500, 150}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limit);
    const auto prices = game_.getPrices(&rise, c.limit);
    ASSERT_EQ(prices.count(), c.count);
    for (int i = 0; i < prices.count(); ++i)
      EXPECT_EQ(prices.at(i).price, 150 - i);
  }
  EXPECT_EQ(value("SELECT clock FROM price ORDER BY ID DESC LIMIT 1"), 150 * 10 + game_.clockTick);
}

TEST_F(MarketAccessorsTest, IndexHistoryOrderFollowsTheFlag) {
  for (int i = 1; i <= 3; ++i)
    game_.insertIndex("Thai", i, static_cast<float>(i) * 566e9f);
  game_.insertIndex("London", 9, 1);
  const qxORDER thai{T::textTerm("MarketTitle", "Thai")};
  const auto oldest = game_.getIndexHistory(&thai, false);
  const auto newest = game_.getIndexHistory(&thai, true);
  ASSERT_EQ(oldest.count(), 3);
  ASSERT_EQ(newest.count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(oldest.at(i).index, 100.0f * static_cast<float>(i + 1));
    EXPECT_FLOAT_EQ(newest.at(i).index, 100.0f * static_cast<float>(3 - i));
  }
  EXPECT_FLOAT_EQ(game_.getMktCapHistory(&thai, true).first().mktcap, 3 * 566e9f);
}

TEST_F(MarketAccessorsTest, NewestIndexHistoryIsBoundedAndOrdered) {
  for (int i = 1; i <= 5; ++i) {
    game_.insertIndex("Thai", i, static_cast<float>(i) * 566e9f);
    game_.insertIndex("London", i, 1);
  }
  const qxORDER thai{T::textTerm("MarketTitle", "Thai")};
  const auto indices = [](const pList<qxMktIndex>& rows) {
    std::vector<int> out;
    for (int i = 0; i < rows.count(); ++i)
      out.push_back(static_cast<int>(rows.at(i).index + 0.5f) / 100);
    return out;
  };
  EXPECT_EQ(indices(game_.getNewestIndexHistory(&thai, 3, true)), (std::vector<int>{5, 4, 3}));
  EXPECT_EQ(indices(game_.getNewestIndexHistory(&thai, 3, false)), (std::vector<int>{3, 4, 5}));
  EXPECT_EQ(indices(game_.getNewestIndexHistory(&thai, 11, false)), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(game_.getNewestIndexHistory(&thai, 0, true).count(), 0);
}

TEST_F(MarketAccessorsTest, IndexBasesPutEveryMarketAt100OnItsBase) {
  for (int m = 0; m < 6; ++m) {
    std::string title;
    marketTitleOf(title, m);
    SCOPED_TRACE(title);
    const float base = qxSaveGame::indexBase(m);
    EXPECT_GT(base, 1.0f);
    EXPECT_EQ(qxSaveGame::indexBaseOf(title), base);
    ASSERT_TRUE(game_.insertIndex(title, 1, base));
    EXPECT_FLOAT_EQ(static_cast<float>(value("SELECT [index] FROM [index] ORDER BY ID DESC LIMIT 1")),
                    100.0f);
  }
  EXPECT_EQ(qxSaveGame::indexBase(3), 100000000.0f);
  EXPECT_EQ(qxSaveGame::indexBase(0), 566000025600.0f);
  EXPECT_EQ(qxSaveGame::indexBase(6), 1.0f);
  EXPECT_EQ(qxSaveGame::indexBaseOf("Mars"), 1.0f);
}

TEST_F(MarketAccessorsTest, DailyPricesAreTheNewest200NewestFirst) {
  game_.execSQL(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 250) "
      "INSERT INTO dailyPrice (symbol, close) SELECT CASE WHEN i % 2 THEN 'RISE' ELSE 'FALL' END, i FROM n");
  const auto all = game_.getDailyPrices(nullptr);
  ASSERT_EQ(all.count(), 200);
  EXPECT_EQ(all.first().close, 250);
  EXPECT_EQ(all.last().close, 51);
  const qxORDER rise{T::textTerm("symbol", "RISE")};
  const auto one = game_.getDailyPrices(&rise);
  ASSERT_EQ(one.count(), 125);
  EXPECT_EQ(one.first().close, 249);
  EXPECT_EQ(one.last().close, 1);
}

TEST_F(MarketAccessorsTest, RecordPriceMovesTheDayFieldsOneStepBehind) {
  ASSERT_TRUE(game_.resetStockDay("thai"));
  const auto day = [this] {
    const qxORDER rise{T::textTerm("symbol", "RISE")};
    return game_.getStocks(&rise).first();
  };
  struct Step {
    float price;
    float current, open, high, low;
  } steps[] = {
      // The first price of the day: open, high and low take the previous price (11).
      {12, 12, 11, 11, 11},
      {9, 9, 11, 12, 11},
      {10, 10, 11, 12, 9},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.price);
    EXPECT_TRUE(game_.recordPrice("RISE", s.price));
    const qxStockInfo st = day();
    EXPECT_EQ(st.currentPrice, s.current);
    EXPECT_EQ(st.openPrice, s.open);
    EXPECT_EQ(st.todayhigh, s.high);
    EXPECT_EQ(st.todaylow, s.low);
  }
  EXPECT_FALSE(game_.recordPrice("NOSUCH", 5));
  EXPECT_EQ(value("SELECT count(*) FROM price WHERE symbol='NOSUCH'"), 1) << "the price row is still written";
}

TEST_F(MarketAccessorsTest, MarketDayStatements) {
  game_.execSQL("UPDATE stock SET todayHigh=13, todayLow=7, openPrice=9, tradedVol=5");
  ASSERT_TRUE(game_.archiveDailyPrices("Thai"));
  const qxORDER rise{T::textTerm("symbol", "RISE")};
  const qxStockHistory row = game_.getDailyPrices(&rise).first();
  EXPECT_EQ(row.high, 13);
  EXPECT_EQ(row.low, 7);
  EXPECT_EQ(row.open, 9);
  EXPECT_EQ(row.close, 10);
  EXPECT_EQ(row.tradedVol, 5);
  EXPECT_DOUBLE_EQ(row.tradedAmount, 500);
  EXPECT_EQ(value("SELECT count(*) FROM dailyPrice"), 3);

  ASSERT_TRUE(game_.resetStockDay("Thai"));
  EXPECT_EQ(value("SELECT sum(todayHigh + todayLow + openPrice + tradedVol + tradedAmount) FROM stock "
                  "WHERE marketTitle='Thai'"),
            0);
  EXPECT_EQ(value("SELECT todayHigh FROM stock WHERE symbol='ZERO'"), 13) << "other markets untouched";
}

TEST_F(MarketAccessorsTest, WritersRefuseMissingListsAndChangeNothing) {
  const qxORDER status{T::numberTerm("status", 4)};
  const qxORDER rise{T::textTerm("symbol", "RISE")};
  EXPECT_FALSE(game_.updateStock(&status, nullptr));
  EXPECT_FALSE(game_.updateMarket(nullptr, nullptr));
  EXPECT_FALSE(game_.updateCompany(nullptr, &rise));
  EXPECT_FALSE(game_.updateStockFields(nullptr, &rise));
  EXPECT_EQ(value("SELECT count(*) FROM stock WHERE status<>0"), 0);

  EXPECT_TRUE(game_.updateStock(&status, &rise));
  const qxORDER cap{T::numberTerm("mktCap", 5e9), T::numberTerm("wk52High", 101.5)};
  const qxORDER thai{T::textTerm("title", "Thai")};
  EXPECT_TRUE(game_.updateMarket(&cap, &thai));
  EXPECT_EQ(game_.getMarkets(&thai).first().mktCap, 5e9);
  const qxORDER balance{T::numberTerm("balance", 7.5e6)};
  const qxORDER name{T::textTerm("company", "Rise Co")};
  EXPECT_TRUE(game_.updateCompany(&balance, &name));
  EXPECT_EQ(game_.getCompanies(&rise).first().balance, 7.5e6);
}

TEST_F(MarketAccessorsTest, FactorsCountDownBelowZero) {
  EXPECT_TRUE(game_.countDownFactors());
  EXPECT_TRUE(game_.countDownFactors());
  const qxEconomicFactor f = game_.getFactors();
  EXPECT_EQ(f.pol_nextconsider, -2);
  EXPECT_EQ(f.heal_nextconsider, 3);
  EXPECT_EQ(f.seas_nextconsider, -1);

  game_.execSQL("DELETE FROM factors");
  EXPECT_EQ(game_.getFactors().pol_nextconsider, 0);
}

TEST_F(MarketAccessorsTest, ExchangeRatesAreStoredWithFourDecimalsAndKeptOnFailure) {
  const float rates[6] = {1, 49.123456f, 0.40001f, 25, 31.5f, 4.25f};
  ASSERT_TRUE(game_.recordExchangeRates(rates));
  const auto stored = game_.connection->query(
      "SELECT rateExchange_Thai, rateExchange_London, rateExchange_Japan, rateExchange_Singapore, "
      "rateExchange_NewYork, rateExchange_Hongkong FROM exchHistory");
  const double expected[6] = {1, 49.1235, 0.4, 25, 31.5, 4.25};
  for (int i = 0; i < 6; ++i)
    EXPECT_DOUBLE_EQ(stored.at(0, static_cast<std::size_t>(i)).asFloat(), expected[i]) << i;
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(game_.rateExchange[i], rates[i]);
  EXPECT_NEAR(value("SELECT rateExchange_London FROM profile"), 49.123456, 1e-5) << "the profile is written";

  const qxExchangeRate history = game_.getExchangeHistory(nullptr).last();
  EXPECT_FLOAT_EQ(history.rateExchange_NewYork, 31.5f);
  EXPECT_FLOAT_EQ(history.rateExchange_London, 49.1235f);

  const float broken[6] = {1, std::numeric_limits<float>::quiet_NaN(), 1, 1, 1, 1};
  EXPECT_FALSE(game_.recordExchangeRates(broken));
  EXPECT_EQ(game_.rateExchange[1], rates[1]);
  EXPECT_EQ(game_.getExchangeHistory(nullptr).count(), 1);
}

TEST_F(MarketAccessorsTest, CompanyFinanceKeepsNamesWithQuotes) {
  qxFinanceReport report;
  report.Company = "Baker's Dozen";
  report.balance = 1.5e7;
  report.incomes = 2e5;
  report.expenditures = 1e5;
  ASSERT_TRUE(game_.insertCompanyFinance(&report));
  EXPECT_EQ(game_.connection->query("SELECT Company FROM companyFinance").at(0, 0).asString(),
            "Baker's Dozen");
  EXPECT_EQ(value("SELECT balance FROM companyFinance"), 1.5e7);
}

}  // namespace
