#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "GameFixture.h"
#include "Qorvex6class.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;
using Symbols = std::vector<std::string>;

// Starting rates (THB per unit): GBP 49, JPY 0.4, SGD 25, USD 31, HKD 4.
constexpr const char* kFixture =
    "INSERT INTO profile DEFAULT VALUES;"
    "INSERT INTO company (company, symbol, sector) VALUES "
    "('Live Co', 'LIVE', 3), ('Close Co', 'CLOSE', 5), ('Japan A', 'JPA', 3), ('Japan B', 'JPB', 7), "
    "('London Co', 'LDN', 3);"
    "INSERT INTO stock (symbol, company, marketTitle, currentPrice, closeprice) VALUES "
    "('LIVE', 'Live Co', 'Thai', 12.5, 10), ('CLOSE', 'Close Co', 'Thai', 0, 8), "
    "('JPA', 'Japan A', 'Japan', 0, 250), ('JPB', 'Japan B', 'Japan', 50, 45), "
    "('LDN', 'London Co', 'London', 3, 3);"
    "INSERT INTO portfolio (symbol, avg_price, vol, heldlength, marketTitle) VALUES "
    "('LIVE', 10, 100, 5, 'Thai'), ('JPA', 200, 40, 3, 'Japan'), ('JPB', 40, 10, 1, 'Japan');"
    "INSERT INTO inbox (isRead, Message) VALUES (1, 'read one'), (0, 'unread one'), (0, 'unread two');"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 130) "
    "INSERT INTO price (symbol, clock, price) SELECT 'LIVE', i, i FROM n;"
    "INSERT INTO price (symbol, clock, price) VALUES ('CLOSE', 1, 999);";

class PageQueriesTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::openFixtureGame(core_, dir_.file("game.db"), kFixture); }

  template <typename R>
  static Symbols symbols(const pList<R>& list) {
    Symbols out;
    for (const R& row : list.items)
      out.emplace_back(row.symbol);
    return out;
  }
  // The join gives no order: sorted.
  static Symbols symbols(const pList<qxStockWithCompany>& list) {
    Symbols out;
    for (const qxStockWithCompany& row : list.items)
      out.emplace_back(row.stock.symbol);
    std::sort(out.begin(), out.end());
    return out;
  }
  static std::vector<std::string> messages(const pList<qxInbox>& list) {
    std::vector<std::string> out;
    for (const qxInbox& row : list.items)
      out.emplace_back(row.Message);
    return out;
  }

  testsupport::TempDir dir_;
  qxNullHost host_;
  QorvexCore core_{host_};
};

TEST_F(PageQueriesTest, PriceFallsBackToCloseWhenNoTradeYet) {
  qxStockInfo stock;
  stock.closeprice = 8;
  EXPECT_FLOAT_EQ(QorvexCore::getPrice(stock), 8);
  stock.currentPrice = 12.5f;
  EXPECT_FLOAT_EQ(QorvexCore::getPrice(stock), 12.5f);

  EXPECT_FLOAT_EQ(core_.getCurrentPrice("CLOSE"), 8);
  EXPECT_FLOAT_EQ(core_.getCurrentPrice("live"), 12.5f);
  EXPECT_FLOAT_EQ(core_.getCurrentPrice("NOPE"), 0);
}

TEST_F(PageQueriesTest, ConvertCurrency) {
  struct Case {
    double amount;
    int from, to;
    double expected;
  };
  const Case cases[] = {
      {100, 4, 0, 3100},
      {100, 0, 4, 100.0 / 31},
      {12.5, -1, -1, 12.5},
      {100, 9, 4, 100.0 / 31},  // unknown index counts as THB
      {100, 4, 9, 3100},
      {100, -7, 4, 100.0 / 31},
      {100, 2, 1, 40.0 / 49},
      {0.1, 0, 4, static_cast<double>(0.1f) / 31},  // the product is held in single precision
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.amount << " from " << c.from << " to " << c.to);
    EXPECT_DOUBLE_EQ(core_.convertCurrency(c.amount, c.from, c.to), c.expected);
  }
  EXPECT_NEAR(core_.convertCurrency(100, 0, 4), 3.2258, 1e-4);
}

TEST_F(PageQueriesTest, ConvertCurrencyNeverDividesByANonPositiveRate) {
  core_.database->rateExchange[1] = 0;
  core_.database->rateExchange[5] = -4;
  EXPECT_EQ(core_.convertCurrency(100, 4, 1), 0);
  EXPECT_EQ(core_.convertCurrency(100, 4, 5), 0);
  EXPECT_EQ(core_.convertCurrency(100, 1, 4), 0);
  EXPECT_DOUBLE_EQ(core_.convertCurrency(100, 4, 0), 3100);
}

TEST_F(PageQueriesTest, ShareIsTheSingleHoldingOfASymbol) {
  const qxShare held = core_.getShare("LIVE");
  EXPECT_STREQ(held.symbol, "LIVE");
  EXPECT_EQ(held.vol, 100);
  EXPECT_FLOAT_EQ(held.avg_price, 10);
  EXPECT_STREQ(held.marketTitle, "Thai");
  EXPECT_EQ(core_.getHeldVolume("LIVE"), 100);

  const qxShare none = core_.getShare("CLOSE");
  EXPECT_EQ(none.vol, 0);
  EXPECT_STREQ(none.symbol, "");
  EXPECT_EQ(core_.getHeldVolume("CLOSE"), 0);

  qxShare row;
  std::snprintf(row.symbol, sizeof row.symbol, "LDN");
  std::snprintf(row.marketTitle, sizeof row.marketTitle, "London");
  row.avg_price = 3;
  row.vol = 7;
  ASSERT_TRUE(core_.database->insertPortfolio(&row));
  EXPECT_EQ(core_.getHeldVolume("LDN"), 7);
  ASSERT_TRUE(core_.database->insertPortfolio(&row));
  const qxShare twice = core_.getShare("LDN");
  EXPECT_EQ(twice.vol, 0);
  EXPECT_STREQ(twice.symbol, "");
  EXPECT_FLOAT_EQ(twice.avg_price, 0);
}

TEST_F(PageQueriesTest, SectorNamesAndCurrencyLetters) {
  const std::pair<int, const char*> sectors[] = {
      {0, "Unknown"}, {8, "Property && Construction"}, {15, "Transportation"}, {16, "--"}, {-1, "--"}};
  for (const auto& [sector, name] : sectors)
    EXPECT_EQ(QorvexCore::getSectorName(sector), name) << sector;

  const std::pair<int, char> letters[] = {{0, 'B'}, {1, 'P'}, {2, 'Y'}, {3, '$'},
                                          {4, '$'}, {5, '$'}, {9, '$'}, {-1, '$'}};
  for (const auto& [market, letter] : letters)
    EXPECT_EQ(QorvexCore::getCurrencySymbol(market), letter) << market;
}

TEST_F(PageQueriesTest, InboxReadUnreadAndAdd) {
  EXPECT_EQ(messages(core_.getInbox(false)),
            (std::vector<std::string>{"read one", "unread one", "unread two"}));
  const pList<qxInbox> unread = core_.getInbox(true);
  ASSERT_EQ(messages(unread), (std::vector<std::string>{"unread one", "unread two"}));

  EXPECT_TRUE(core_.markInboxRead(unread.at(0).ID));
  EXPECT_FALSE(core_.markInboxRead(999));
  core_.addInbox("it's new");
  EXPECT_EQ(messages(core_.getInbox(true)), (std::vector<std::string>{"unread two", "it's new"}));
  EXPECT_EQ(core_.getInbox(false).count(), 4);
}

TEST_F(PageQueriesTest, StocksWithCompanyBySector) {
  EXPECT_EQ(symbols(core_.getStocksWithCompany("Thai", 0)), (Symbols{"CLOSE", "LIVE"}));
  EXPECT_EQ(symbols(core_.getStocksWithCompany("Thai", -1)), (Symbols{"CLOSE", "LIVE"}));
  const auto mining = core_.getStocksWithCompany("Thai", 3);
  ASSERT_EQ(symbols(mining), (Symbols{"LIVE"}));
  EXPECT_EQ(mining.at(0).company.sector, 3);
  EXPECT_FLOAT_EQ(mining.at(0).stock.currentPrice, 12.5f);
  EXPECT_EQ(symbols(core_.getStocksWithCompany("Japan", 3)), (Symbols{"JPA"}));
}

TEST_F(PageQueriesTest, PortfolioByMarketIgnoresCase) {
  EXPECT_EQ(symbols(core_.getPortfolioByMarket("Japan")), (Symbols{"JPA", "JPB"}));
  EXPECT_EQ(symbols(core_.getPortfolioByMarket("JAPAN")), (Symbols{"JPA", "JPB"}));
  EXPECT_EQ(symbols(core_.getPortfolioByMarket("Thai")), (Symbols{"LIVE"}));
  EXPECT_EQ(symbols(core_.getPortfolio()), (Symbols{"LIVE", "JPA", "JPB"}));
}

TEST_F(PageQueriesTest, PriceHistoryIsTheNewest128) {
  const pList<qxStockPrice> history = core_.getPriceHistory("LIVE");
  ASSERT_EQ(history.count(), 128);
  EXPECT_FLOAT_EQ(history.at(0).price, 130);
  EXPECT_FLOAT_EQ(history.at(127).price, 3);
  EXPECT_EQ(core_.getPriceHistory("CLOSE").count(), 1);
}

TEST_F(PageQueriesTest, PortfolioValueAndCostWeighTheVolumeInUsd) {
  // Value in THB: LIVE 12.5 x 100 = 1250; JPA close 250 x 40 x 0.4 = 4000; JPB 50 x 10 x 0.4 = 200.
  EXPECT_NEAR(core_.getPortfolioValue(), 5450.0 / 31, 1e-9);
  // Cost in THB: LIVE 10 x 100 = 1000; JPA 200 x 40 x 0.4 = 3200; JPB 40 x 10 x 0.4 = 160.
  EXPECT_NEAR(core_.getPortfolioCost(), 4360.0 / 31, 1e-9);
}

}  // namespace
