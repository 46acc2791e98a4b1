#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "GameFixture.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;

// Default exchange rates (THB per unit): THB 1, GBP 49, JPY 0.4, SGD 25, USD 31, HKD 4.
constexpr const char* kFixture =
    "INSERT INTO profile (version) VALUES (670);"
    "INSERT INTO stock (symbol, marketTitle, currentPrice, closeprice) VALUES"
    " ('ALPHA', 'Thai', 10, 10), ('BETA', 'London', 20, 20), ('OTHER', 'Thai', 5, 5);";

using Budgets = std::array<double, 6>;

struct Holding {
  std::string symbol;
  std::string market;
  double vol;
  float avg;
  bool operator<(const Holding& o) const {
    return std::tie(symbol, market, vol, avg) < std::tie(o.symbol, o.market, o.vol, o.avg);
  }
  bool operator==(const Holding& o) const {
    return symbol == o.symbol && market == o.market && vol == o.vol && avg == o.avg;
  }
};

std::ostream& operator<<(std::ostream& out, const Holding& h) {
  return out << h.symbol << "/" << h.market << " " << h.vol << " @ " << h.avg;
}

class SettlementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.file("game.db");
    testsupport::openFixtureGame(core_, file_, kFixture);
  }

  double value(const std::string& sql) { return testsupport::queryValue(*core_.database, sql); }

  void reset(const std::vector<Holding>& holdings, const Budgets& budgets, float best = 0, float worst = 0) {
    core_.database->execSQL("DELETE FROM portfolio");
    core_.database->execSQL("DELETE FROM queue");
    for (const Holding& h : holdings)
      testsupport::insertHolding(*core_.database, h.symbol, h.market, h.vol, h.avg, 3);
    qxProfile& p = core_.database->profile;
    std::copy(budgets.begin(), budgets.end(), p.budget);
    p.statHighestProfit_Val = best;
    p.statHighestLoss_Val = worst;
    p.statHighestProfit_Symbol[0] = p.statHighestLoss_Symbol[0] = '\0';
    p.statHighestBudget = p.statHighestPortVal = 0;
    core_.database->writeProfile();
  }

  // Places the order, then a second order of the same symbol and one of another symbol; returns the
  // first as read back from the queue.
  qxQueue place(bool bid, const std::string& symbol, const std::string& market, float price, float qty,
                bool isUserReq = true) {
    EXPECT_TRUE(bid ? core_.addBid(symbol, market, price, qty, isUserReq)
                    : core_.addOffer(symbol, market, price, qty, isUserReq));
    const pList<qxQueue> rows = core_.getQueueBySymbol(symbol);
    EXPECT_EQ(rows.count(), 1);
    EXPECT_TRUE(core_.addOffer(symbol, market, 99, 1, true));
    EXPECT_TRUE(core_.addBid("OTHER", "Thai", 5, 1, true));
    return rows.at(0);
  }

  std::vector<Holding> holdings() {
    std::vector<Holding> out;
    for (const qxShare& s : core_.getPortfolio().items)
      out.push_back({s.symbol, s.marketTitle, s.vol, s.avg_price});
    std::sort(out.begin(), out.end());
    return out;
  }

  testsupport::TempDir dir_;
  std::filesystem::path file_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_};
};

TEST_F(SettlementTest, SettlementTable) {
  struct Case {
    const char* name;
    std::vector<Holding> before;
    Budgets budgets;
    bool bid;
    const char* symbol;
    const char* market;
    float price, qty;
    bool traded;
    std::vector<Holding> after;
    Budgets budgetsAfter;
    float best = 0;
    const char* bestSymbol = "";
    float worst = 0;
    const char* worstSymbol = "";
    float bestBefore = 0;
  };
  const Case cases[] = {
      {"a bid of exactly the budget settles",
       {},
       {1000, 0, 0, 0, 0, 0},
       true,
       "ALPHA",
       "Thai",
       10,
       100,
       true,
       {{"ALPHA", "Thai", 100, 10}},
       {0, 0, 0, 0, 0, 0}},
      {"a bid above the budget lapses",
       {},
       {999.5, 0, 0, 0, 0, 0},
       true,
       "ALPHA",
       "Thai",
       10,
       100,
       false,
       {},
       {999.5, 0, 0, 0, 0, 0}},
      {"a bid below the budget opens a holding",
       {},
       {1000.5, 0, 0, 0, 0, 0},
       true,
       "ALPHA",
       "Thai",
       10,
       100,
       true,
       {{"ALPHA", "Thai", 100, 10}},
       {0.5, 0, 0, 0, 0, 0}},
      {"a bid for a held stock averages by volume",
       {{"ALPHA", "Thai", 100, 10}},
       {5000, 0, 0, 0, 0, 0},
       true,
       "ALPHA",
       "Thai",
       12,
       100,
       true,
       {{"ALPHA", "Thai", 200, 11}},
       {3800, 0, 0, 0, 0, 0}},
      {"a bid pays from the order's market",
       {},
       {10000, 1000, 0, 0, 0, 0},
       true,
       "BETA",
       "London",
       20,
       10,
       true,
       {{"BETA", "London", 10, 20}},
       {10000, 800, 0, 0, 0, 0}},
      {"a bid for an unknown market lapses",
       {},
       {1e6, 1e6, 1e6, 1e6, 1e6, 1e6},
       true,
       "ALPHA",
       "Mars",
       10,
       1,
       false,
       {},
       {1e6, 1e6, 1e6, 1e6, 1e6, 1e6}},
      {"a bid of a negative quantity lapses",
       {},
       {1000, 0, 0, 0, 0, 0},
       true,
       "ALPHA",
       "Thai",
       10,
       -5,
       false,
       {},
       {1000, 0, 0, 0, 0, 0}},
      {"an offer of the whole holding removes it",
       {{"ALPHA", "Thai", 100, 10}},
       {0, 0, 0, 0, 0, 0},
       false,
       "ALPHA",
       "Thai",
       12,
       100,
       true,
       {},
       {1200, 0, 0, 0, 0, 0},
       200.0f / 31,
       "ALPHA"},
      {"a partial offer keeps the average",
       {{"ALPHA", "Thai", 100, 10}},
       {0, 0, 0, 0, 0, 0},
       false,
       "ALPHA",
       "Thai",
       12,
       40,
       true,
       {{"ALPHA", "Thai", 60, 10}},
       {480, 0, 0, 0, 0, 0},
       80.0f / 31,
       "ALPHA"},
      {"a loss sets only the worst sale",
       {{"ALPHA", "Thai", 100, 10}},
       {0, 0, 0, 0, 0, 0},
       false,
       "ALPHA",
       "Thai",
       8,
       100,
       true,
       {},
       {800, 0, 0, 0, 0, 0},
       5,
       "",
       -200.0f / 31,
       "ALPHA",
       5},
      {"a profit below the best sets no statistic",
       {{"ALPHA", "Thai", 100, 10}},
       {0, 0, 0, 0, 0, 0},
       false,
       "ALPHA",
       "Thai",
       11,
       100,
       true,
       {},
       {1100, 0, 0, 0, 0, 0},
       5,
       "",
       0,
       "",
       5},
      {"an offer credits the holding's market",
       {{"BETA", "London", 10, 20}},
       {0, 0, 0, 0, 0, 0},
       false,
       "BETA",
       "Thai",
       25,
       10,
       true,
       {},
       {0, 250, 0, 0, 0, 0},
       2450.0f / 31,
       "BETA"},
      {"an offer above the held volume sells what is held",
       {{"ALPHA", "Thai", 100, 10}},
       {0, 0, 0, 0, 0, 0},
       false,
       "ALPHA",
       "Thai",
       12,
       150,
       true,
       {},
       {1200, 0, 0, 0, 0, 0},
       200.0f / 31,
       "ALPHA"},
      {"an offer without a holding lapses",
       {},
       {7, 0, 0, 0, 0, 0},
       false,
       "ALPHA",
       "Thai",
       12,
       10,
       false,
       {},
       {7, 0, 0, 0, 0, 0}},
      {"an offer of a symbol held twice lapses",
       {{"ALPHA", "Thai", 50, 10}, {"ALPHA", "Thai", 50, 10}},
       {7, 0, 0, 0, 0, 0},
       false,
       "ALPHA",
       "Thai",
       12,
       10,
       false,
       {{"ALPHA", "Thai", 50, 10}, {"ALPHA", "Thai", 50, 10}},
       {7, 0, 0, 0, 0, 0}},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    reset(c.before, c.budgets, c.bestBefore);
    qxQueue row = place(c.bid, c.symbol, c.market, c.price, c.qty);

    EXPECT_EQ(core_.completeQueue(&row), c.traded);

    EXPECT_EQ(holdings(), c.after);
    const qxProfile& p = core_.database->profile;
    for (int i = 0; i < 6; ++i)
      EXPECT_DOUBLE_EQ(p.budget[i], c.budgetsAfter[i]) << "budget " << i;
    EXPECT_FLOAT_EQ(p.statHighestProfit_Val, c.best);
    EXPECT_STREQ(p.statHighestProfit_Symbol, c.bestSymbol);
    EXPECT_FLOAT_EQ(p.statHighestLoss_Val, c.worst);
    EXPECT_STREQ(p.statHighestLoss_Symbol, c.worstSymbol);
    const bool soldSomething = c.traded && !c.bid;
    const bool boughtSomething = c.traded && c.bid;
    EXPECT_DOUBLE_EQ(p.statHighestBudget, soldSomething ? core_.database->totalBudget() : 0);
    EXPECT_DOUBLE_EQ(p.statHighestPortVal, boughtSomething ? core_.getPortfolioValue() : 0);

    EXPECT_EQ(core_.getQueueBySymbol(c.symbol).count(), 0) << "every row of the symbol is deleted";
    EXPECT_EQ(core_.getQueueBySymbol("OTHER").count(), 1);

    qxSaveGame disk;
    disk.openDatabase(file_.string(), testsupport::kPassword);
    disk.readProfile();
    // Stored numbers keep 15 significant digits.
    const auto stored = [](double expected) { return 1e-12 * std::max(1.0, std::abs(expected)); };
    for (int i = 0; i < 6; ++i)
      EXPECT_NEAR(disk.profile.budget[i], p.budget[i], stored(p.budget[i])) << "stored budget " << i;
    EXPECT_FLOAT_EQ(disk.profile.statHighestProfit_Val, p.statHighestProfit_Val);
    EXPECT_FLOAT_EQ(disk.profile.statHighestLoss_Val, p.statHighestLoss_Val);
    EXPECT_NEAR(disk.profile.statHighestBudget, p.statHighestBudget, stored(p.statHighestBudget));
    EXPECT_NEAR(disk.profile.statHighestPortVal, p.statHighestPortVal, stored(p.statHighestPortVal));
  }
}

TEST_F(SettlementTest, AnOrderTheGameDidNotPlaceStaysUnsettled) {
  reset({}, {1e6, 0, 0, 0, 0, 0});
  qxQueue row = place(true, "ALPHA", "Thai", 10, 5, false);

  EXPECT_FALSE(core_.completeQueue(&row));

  EXPECT_TRUE(holdings().empty());
  EXPECT_EQ(core_.database->profile.budget[0], 1e6);
  EXPECT_EQ(core_.getQueueBySymbol("ALPHA").count(), 2) << "the queue is left as it was";
  const pList<qxQueue> user = core_.getUserQueue("ALPHA");
  ASSERT_EQ(user.count(), 1);
  EXPECT_FALSE(user.at(0).isBid) << "only the offer placed for the player";
}

TEST_F(SettlementTest, AHoldingThatCannotBeWrittenCostsNothing) {
  core_.database->connection->executeScript(
      "CREATE TRIGGER portfolio_locked BEFORE INSERT ON portfolio BEGIN SELECT RAISE(ABORT, 'locked'); END;"
      "CREATE TRIGGER portfolio_kept BEFORE DELETE ON portfolio BEGIN SELECT RAISE(ABORT, 'locked'); END;");
  ASSERT_EQ(value("SELECT count(*) FROM sqlite_master WHERE type='trigger'"), 2);

  reset({}, {1000, 0, 0, 0, 0, 0});
  qxQueue bid = place(true, "ALPHA", "Thai", 10, 5);
  EXPECT_FALSE(core_.completeQueue(&bid));
  EXPECT_TRUE(holdings().empty());
  EXPECT_EQ(core_.database->profile.budget[0], 1000);
  EXPECT_EQ(core_.getQueueBySymbol("ALPHA").count(), 0);

  core_.database->execSQL("DROP TRIGGER portfolio_locked");
  reset({{"ALPHA", "Thai", 100, 10}}, {0, 0, 0, 0, 0, 0});
  qxQueue offer = place(false, "ALPHA", "Thai", 12, 100);
  EXPECT_FALSE(core_.completeQueue(&offer));
  EXPECT_EQ(holdings(), (std::vector<Holding>{{"ALPHA", "Thai", 100, 10}}));
  EXPECT_EQ(core_.database->profile.budget[0], 0);
  EXPECT_EQ(core_.database->profile.statHighestProfit_Val, 0);
}

TEST_F(SettlementTest, OrdersAreStoredAsPlaced) {
  core_.database->clockTick = 7;
  EXPECT_FALSE(core_.addBid("ALPHA", "Thai", 10, 0, true)) << "no quantity, nothing written";
  EXPECT_EQ(value("SELECT count(*) FROM queue"), 0);

  ASSERT_TRUE(core_.addBid("ALPHA", "Thai", 10.5f, 300, true));
  ASSERT_TRUE(core_.addOffer("BETA", "London", 21.25f, 40, true));
  const qxQueue bid = core_.getUserQueue("ALPHA").at(0);
  const qxQueue offer = core_.getUserQueue("BETA").at(0);
  EXPECT_TRUE(bid.isBid);
  EXPECT_FALSE(offer.isBid);
  for (const qxQueue& row : {bid, offer}) {
    EXPECT_TRUE(row.isUserReq);
    EXPECT_FALSE(row.isCompleted);
    EXPECT_EQ(row.clockTick, 7);
    EXPECT_GT(row.ID, 0);
  }
  EXPECT_STREQ(bid.marketTitle, "Thai");
  EXPECT_FLOAT_EQ(bid.price, 10.5f);
  EXPECT_FLOAT_EQ(bid.qty, 300);
  EXPECT_STREQ(offer.symbol, "BETA");
  EXPECT_FLOAT_EQ(offer.price, 21.25f);
}

TEST_F(SettlementTest, StockStatusIsWrittenToTheSymbolOnly) {
  EXPECT_TRUE(core_.setStockStatus("ALPHA", STATUS_HALT));
  EXPECT_EQ(value("SELECT status FROM stock WHERE symbol='ALPHA'"), STATUS_HALT);
  EXPECT_EQ(value("SELECT status FROM stock WHERE symbol='BETA'"), STATUS_NORMAL);
  EXPECT_TRUE(core_.setStockStatus("alpha", STATUS_NORMAL)) << "symbols compare without case";
  EXPECT_EQ(value("SELECT status FROM stock WHERE symbol='ALPHA'"), STATUS_NORMAL);
  EXPECT_FALSE(core_.setStockStatus("NOSUCH", STATUS_SP));
}

}  // namespace
