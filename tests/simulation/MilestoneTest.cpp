#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;

// Milestones 1..23, described "M<id>", worth id % 4 + 1 stars. Default exchange rates: USD 31 THB.
std::string fixture() {
  std::string sql =
      "INSERT INTO profile (version) VALUES (670);"
      "INSERT INTO stock (symbol, marketTitle, currentPrice, closeprice, wishlist) VALUES"
      " ('NYA', 'NewYork', 10, 10, 0), ('WISH', 'Thai', 10, 10, 1), ('PLAIN', 'Thai', 10, 10, 0);"
      "INSERT INTO milestone (id, passed, star, type, description) VALUES ";
  for (int id = 1; id <= 23; ++id) {
    sql += "(" + std::to_string(id) + ", 0, " + std::to_string(id % 4 + 1) + ", 'type', 'M" +
           std::to_string(id) + "')" + (id < 23 ? "," : ";");
  }
  return sql;
}

struct Holding {
  std::string symbol;
  std::string market;
  double vol = 1;
  int heldlength = 0;
};

// n holdings of stocks that are not listed (price 0) in one market.
std::vector<Holding> many(int n, const std::string& market, int heldlength = 0) {
  std::vector<Holding> out;
  for (int i = 0; i < n; ++i)
    out.push_back({market.substr(0, 2) + std::to_string(i), market, 1, heldlength});
  return out;
}

std::vector<Holding> operator+(std::vector<Holding> a, const std::vector<Holding>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class MilestoneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.file("game.db");
    testsupport::openFixtureGame(core_, file_, fixture());
  }

  double value(const std::string& sql) { return testsupport::queryValue(*core_.database, sql); }

  void reset(double cashUSD, const std::vector<Holding>& holdings, const std::set<int>& passed = {}) {
    core_.database->execSQL("DELETE FROM portfolio");
    core_.database->execSQL("DELETE FROM queue");
    core_.database->execSQL("DELETE FROM inbox");
    core_.database->execSQL("UPDATE milestone SET passed=0");
    for (const int id : passed)
      core_.database->execSQL("UPDATE milestone SET passed=1 WHERE id=" + std::to_string(id));
    for (const Holding& h : holdings)
      testsupport::insertHolding(*core_.database, h.symbol, h.market, h.vol, 1, h.heldlength);
    core_.database->loadMilestones();
    for (double& b : core_.database->profile.budget)
      b = 0;
    core_.database->profile.budget[4] = cashUSD;
    host_.clear();
  }

  std::set<int> passedInDatabase() {
    std::set<int> ids;
    const platform::DbResult rows =
        core_.database->connection->query("SELECT id FROM milestone WHERE passed=1");
    for (std::size_t r = 0; r < rows.rowCount(); ++r)
      ids.insert(rows.at(r, 0).asInteger());
    return ids;
  }

  // The awards since the last reset: one popup and one inbox message each, in ascending id order (other
  // messages, such as a lapsed bid's, aside), and the flags stored and reloaded.
  void expectAwarded(const std::set<int>& ids, const std::set<int>& passedBefore = {}) {
    std::vector<std::string> texts, messages;
    for (const int id : ids) {
      texts.push_back("M" + std::to_string(id));
      messages.push_back("You achieved a milestone:\nM" + std::to_string(id));
    }
    std::vector<std::string> shown;
    for (const auto& popup : host_.popups()) {
      EXPECT_EQ(popup.title, "Achievement");
      EXPECT_EQ(popup.stars, 0);
      shown.push_back(popup.text);
    }
    EXPECT_EQ(shown, texts);
    std::vector<std::string> inbox;
    for (const qxInbox& row : core_.getInbox(false).items) {
      if (std::string(row.Message).rfind("You achieved a milestone:", 0) == 0) inbox.push_back(row.Message);
    }
    EXPECT_EQ(inbox, messages);

    std::set<int> all = ids;
    all.insert(passedBefore.begin(), passedBefore.end());
    EXPECT_EQ(passedInDatabase(), all);
    int stars = 0;
    for (const int id : all)
      stars += id % 4 + 1;
    EXPECT_EQ(core_.database->profile.milestones.totalStars, stars);
    for (const int id : all)
      EXPECT_TRUE(core_.database->profile.milestones.passed.at(id)) << id;
  }

  testsupport::TempDir dir_;
  std::filesystem::path file_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_};
};

TEST_F(MilestoneTest, CycleEndConditionsAtTheirBounds) {
  struct Case {
    const char* name;
    double cashUSD;
    std::vector<Holding> holdings;
    std::set<int> awarded;
    std::set<int> passedBefore = {};
  };
  const std::vector<Holding> sixMarkets = many(1, "Thai") + many(1, "London") + many(1, "Japan") +
                                          many(1, "Singapore") + many(1, "NewYork") + many(1, "HongKong");
  const Case cases[] = {
      {"cash below a million", 999999.99, {}, {}},
      {"a million of cash", 1e6, {}, {1}},
      {"cash below ten million", 9999999.99, {}, {1}},
      {"ten million of cash", 1e7, {}, {1, 2}},
      {"cash below a hundred million", 99999999.99, {}, {1, 2}},
      {"a hundred million of cash", 1e8, {}, {1, 2, 3}},
      {"10 holdings", 1000, many(10, "Thai"), {}},
      {"11 holdings", 1000, many(11, "Thai"), {6}},
      {"11 holdings, 6 passed already", 1000, many(11, "Thai"), {}, {6}},
      {"19 holdings", 1000, many(19, "Thai"), {6}},
      {"20 holdings", 1000, many(20, "Thai"), {6, 20}},
      {"25 holdings", 1000, many(25, "Thai"), {6, 20}},
      {"26 holdings", 1000, many(26, "Thai"), {6, 7, 20}},
      {"held 99 days", 1000, many(1, "Thai", 99), {}},
      {"held 100 days", 1000, many(1, "Thai", 100), {8}},
      {"7 Japan holdings", 1000, many(7, "Japan"), {}},
      {"8 Japan holdings", 1000, many(8, "Japan"), {13}},
      {"portfolio of 500,000", 600000, {{"NYA", "NewYork", 50000}}, {}},
      {"portfolio above 500,000", 600000, {{"NYA", "NewYork", 50001}}, {16}},
      {"portfolio just below the cash", 1000, {{"NYA", "NewYork", 99}}, {}},
      {"portfolio equal to the cash", 1000, {{"NYA", "NewYork", 100}}, {18}},
      {"all six markets", 1000, sixMarkets, {17}},
      {"five markets in six holdings",
       1000,
       many(1, "Thai") + many(1, "London") + many(1, "Japan") + many(1, "Singapore") + many(2, "NewYork"),
       {}},
      {"two HongKong holdings among six", 1000, many(2, "HongKong") + many(4, "Thai"), {17}},
      {"two HongKong holdings among five", 1000, many(2, "HongKong") + many(3, "Thai"), {}},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    reset(c.cashUSD, c.holdings, c.passedBefore);
    core_.checkCycleMilestones();
    expectAwarded(c.awarded, c.passedBefore);

    host_.clear();
    core_.checkCycleMilestones();
    EXPECT_TRUE(host_.popups().empty()) << "a passed milestone is not awarded again";
  }
}

TEST_F(MilestoneTest, SaleConditionsThroughSettlement) {
  struct Case {
    const char* name;
    const char* market;
    float avg, price;
    int heldlength;
    std::set<int> awarded;
  };
  // 1,000 shares each, in USD unless the market says otherwise.
  const Case cases[] = {
      {"profit of exactly 1,000,000", "NewYork", 1, 1001, 5, {}},
      {"profit above 1,000,000", "NewYork", 1, 1002, 5, {9}},
      {"profit of exactly 5,000,000", "NewYork", 1, 5001, 5, {9}},
      {"profit above 5,000,000", "NewYork", 1, 5002, 5, {9, 10}},
      {"a Thai sale at a loss", "Thai", 10, 9, 5, {14}},
      {"a London sale at a loss", "London", 10, 9, 5, {}},
      {"profit after 0 days", "NewYork", 10, 11, 0, {21}},
      {"profit after 1 day", "NewYork", 10, 11, 1, {21}},
      {"profit after 2 days", "NewYork", 10, 11, 2, {}},
      {"profit after 29 days", "NewYork", 10, 11, 29, {}},
      {"profit after 30 days", "NewYork", 10, 11, 30, {22}},
      {"break-even after 1 day", "NewYork", 10, 10, 1, {}},
      {"loss after 1 day", "NewYork", 10, 9, 1, {}},
      {"loss after 30 days", "NewYork", 10, 9, 30, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    reset(0, {});
    core_.database->execSQL(
        std::string("INSERT INTO portfolio (symbol, marketTitle, vol, avg_price, heldlength) "
                    "VALUES ('SELL', '") +
        c.market + "', 1000, " + std::to_string(c.avg) + ", " + std::to_string(c.heldlength) + ")");
    ASSERT_TRUE(core_.addOffer("SELL", c.market, c.price, 1000, true));
    qxQueue row = core_.getQueueBySymbol("SELL").at(0);
    ASSERT_TRUE(core_.completeQueue(&row));
    expectAwarded(c.awarded);
  }
}

TEST_F(MilestoneTest, WishlistPurchaseOpensANewHoldingOnly) {
  struct Case {
    const char* name;
    const char* symbol;
    bool held;
    double budgetTHB;
    std::set<int> awarded;
  };
  const Case cases[] = {
      {"a wishlisted stock bought new", "WISH", false, 1e6, {23}},
      {"a wishlisted stock topped up", "WISH", true, 1e6, {}},
      {"a stock not on the wishlist", "PLAIN", false, 1e6, {}},
      {"a wishlisted stock the budget does not cover", "WISH", false, 99.99, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    reset(0, c.held ? std::vector<Holding>{{c.symbol, "Thai", 10}} : std::vector<Holding>{});
    core_.database->profile.budget[0] = c.budgetTHB;
    ASSERT_TRUE(core_.addBid(c.symbol, "Thai", 10, 10, true));
    qxQueue row = core_.getQueueBySymbol(c.symbol).at(0);
    EXPECT_EQ(core_.completeQueue(&row), c.budgetTHB >= 100);
    expectAwarded(c.awarded);
  }
}

TEST_F(MilestoneTest, AwardAnnouncesStoresAndReloads) {
  reset(0, {});
  core_.awardMilestone(6);
  expectAwarded({6});
  EXPECT_FALSE(core_.database->profile.milestones.passed.at(7));

  qxSaveGame disk;
  disk.openDatabase(file_.string(), testsupport::kPassword);
  disk.readProfile();
  EXPECT_TRUE(disk.profile.milestones.passed.at(6));
  EXPECT_EQ(disk.profile.milestones.totalStars, 6 % 4 + 1);

  reset(0, {});
  core_.awardMilestone(99);
  core_.awardMilestone(0);
  expectAwarded({});
}

TEST_F(MilestoneTest, AFailedPassAnnouncesNothingAndIsRetriedLater) {
  core_.database->execSQL(
      "CREATE TRIGGER milestone_locked BEFORE UPDATE ON milestone BEGIN SELECT RAISE(ABORT, 'locked'); END");
  ASSERT_EQ(value("SELECT count(*) FROM sqlite_master WHERE name='milestone_locked'"), 1);
  reset(1e6, {});  // its flag reset fails too: nothing is passed yet

  core_.awardMilestone(1);
  core_.checkCycleMilestones();
  core_.checkCycleMilestones();
  expectAwarded({});

  core_.database->execSQL("DROP TRIGGER milestone_locked");
  core_.checkCycleMilestones();
  core_.checkCycleMilestones();
  expectAwarded({1});
}

TEST_F(MilestoneTest, RankTitlesAtTheirThresholds) {
  struct Case {
    int stars;
    double cashUSD;
    double heldShares;  // of NYA at 10 USD
    double belongings;  // bought value
    const char* rank;
  };
  // score = 0.75 per star + 0.016 per 1,000 USD of cash + 1.016 per 1,000 USD of shares + 0.5 per 10,000
  // bought.
  const Case cases[] = {
      {0, 3000, 0, 0, "Starter"},
      {1, 46000, 0, 0, "Starter"},
      {2, 0, 0, 0, "Novice"},
      {1, 46875, 0, 0, "Novice"},
      {0, 0, 100, 0, "Starter"},
      {0, 0, 100, 10000, "Novice"},
      {3, 46000, 0, 0, "Novice"},
      {4, 0, 0, 0, "Trader"},
      {6, 31000, 0, 0, "Trader"},
      {6, 31250, 0, 0, "Skilled Trader"},
      {12, 62000, 0, 0, "Skilled Trader"},
      {12, 62500, 0, 0, "Professional"},
      {39, 0, 0, 0, "Professional"},
      {40, 0, 0, 0, "Expert"},
      {59, 0, 0, 0, "Expert"},
      {60, 0, 0, 0, "Legendary Trader"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.stars) + " stars, " + std::to_string(c.cashUSD) + " USD, " +
                 std::to_string(c.heldShares) + " shares, " + std::to_string(c.belongings) + " bought");
    reset(c.cashUSD,
          c.heldShares > 0 ? std::vector<Holding>{{"NYA", "NewYork", c.heldShares}} : std::vector<Holding>{});
    core_.database->execSQL("UPDATE milestone SET passed=1, star=" + std::to_string(c.stars) + " WHERE id=1");
    core_.database->loadMilestones();
    core_.database->execSQL("DELETE FROM belonging");
    if (c.belongings > 0)
      core_.database->execSQL("INSERT INTO belonging (productID, boughtValue) VALUES (1, " +
                              std::to_string(c.belongings) + ")");
    EXPECT_EQ(core_.getRank(), c.rank);
  }
}

}  // namespace
