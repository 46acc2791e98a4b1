#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "GameFixture.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;
using T = qxSUBORDER;

const std::string kFixture =
    "INSERT INTO profile (version, joinDate, rateExchange_Thai, rateExchange_London, rateExchange_Japan,"
    " rateExchange_Singapore, rateExchange_NewYork, rateExchange_HongKong, budget_USD) VALUES"
    " (670, '01/01/2500', 1, 49, 0.4, 25, 31, 4, 100);"
    "INSERT INTO factors (ecoLevel, heal_stability, seas_stability, pol_stability, pol_nextconsider)"
    " VALUES (0.75, 0.85, 0.6, 0.72, 10);" +
    testsupport::kSixMarkets +
    "INSERT INTO milestone (id, passed, star) VALUES (1, 0, 5), (2, 0, 7);"
    "INSERT INTO company (company, symbol, sector, balance) VALUES ('Alpha Works', 'ALPHA', 3, 1000000),"
    " ('Beta Mills', 'BETA', 0, 2000000);"
    "INSERT INTO stock (symbol, company, marketTitle, vol, currentPrice, closeprice, closepriceY, popularity,"
    " div_numdays, div_dayleft, div_perShare, div_yield) VALUES"
    " ('ALPHA', 'Alpha Works', 'Thai', 1000, 10, 10, 10, 100, 30, 50, 2, 5),"
    " ('BETA', 'Beta Mills', 'London', 1000, 20, 20, 20, 100, 1, 50, 2, 5);";

class CalendarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.file("game.db");
    testsupport::openFixtureGame(core_, file_, kFixture);
  }
  void TearDown() override {
    setMonthlySeedSource(nullptr);
    setDrawSource(nullptr);
  }
  double value(const std::string& sql) { return testsupport::queryValue(*core_.database, sql); }
  void holding(const char* symbol, const char* market, double vol, int heldlength) {
    testsupport::insertHolding(*core_.database, symbol, market, vol, 1, heldlength);
  }

  testsupport::TempDir dir_;
  std::filesystem::path file_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_};
};

TEST_F(CalendarTest, RollOversFollowTheDayCount) {
  struct Case {
    int before;
    bool trends, month;
  } cases[] = {{0, true, true},   {29, false, false}, {30, true, true}, {359, false, false},
               {360, true, true}, {9, false, false},  {10, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("day " + std::to_string(c.before));
    core_.database->daycount = static_cast<std::uint16_t>(c.before);
    core_.database->clockTick = 19;
    core_.database->execSQL("UPDATE stock SET popularity=999");
    const double reports = value("SELECT count(*) FROM companyFinance");
    const double rates = value("SELECT count(*) FROM exchHistory");

    core_.concludeAfterCycle(20);

    EXPECT_EQ(core_.database->daycount, c.before + 1);
    EXPECT_EQ(core_.database->clockTick, 0);
    EXPECT_EQ(value("SELECT count(*) FROM exchHistory"), rates + 1) << "the rates move every day";
    EXPECT_EQ(value("SELECT count(*) FROM stock WHERE popularity=999") == 0, c.trends);
    EXPECT_EQ(value("SELECT count(*) FROM companyFinance") - reports, c.month ? 2 : 0);
  }
  qxSaveGame onDisk;
  onDisk.openDatabase(file_.string(), testsupport::kPassword);
  onDisk.readProfile();
  EXPECT_EQ(onDisk.daycount, core_.database->daycount);
  EXPECT_EQ(onDisk.clockTick, 0);
}

TEST_F(CalendarTest, ConcludeMarketWritesTheIndexAndKeepsTheRange) {
  // Thai's capitalisation at exactly its base: index 100, level 1.
  const double base = qxSaveGame::indexBase(0);
  core_.database->execSQL("UPDATE stock SET vol=" + std::to_string(base / 10) + " WHERE symbol='ALPHA'");
  const auto conclude = [this] {
    const qxMarketInfo thai = core_.getMarketInfo("Thai");
    core_.concludeMarket(&thai);
    return core_.getMarketInfo("Thai");
  };
  qxMarketInfo m = conclude();
  EXPECT_FLOAT_EQ(static_cast<float>(value("SELECT [index] FROM [index] ORDER BY ID DESC LIMIT 1")), 100.0f);
  EXPECT_EQ(value("SELECT clock FROM [index] ORDER BY ID DESC LIMIT 1"), 0);
  EXPECT_FLOAT_EQ(static_cast<float>(m.mktCap), static_cast<float>(base));
  EXPECT_FLOAT_EQ(static_cast<float>(m.wk52high), 1.0f);
  EXPECT_FLOAT_EQ(static_cast<float>(m.wk52low), 1.0f);

  const auto statements = core_.database->connection->statementCount();
  core_.concludeMarket(&m);
  EXPECT_EQ(core_.database->connection->statementCount() - statements, 3u)
      << "the sum, the index row and the capitalisation: the same level writes no range update";

  core_.database->execSQL("UPDATE stock SET currentPrice=11 WHERE symbol='ALPHA'");
  m = conclude();
  EXPECT_FLOAT_EQ(static_cast<float>(m.wk52high), 1.1f);
  EXPECT_FLOAT_EQ(static_cast<float>(m.wk52low), 1.0f);
  core_.database->execSQL("UPDATE stock SET currentPrice=9 WHERE symbol='ALPHA'");
  m = conclude();
  EXPECT_FLOAT_EQ(static_cast<float>(m.wk52high), 1.1f);
  EXPECT_FLOAT_EQ(static_cast<float>(m.wk52low), 0.9f);

  const qxMarketInfo empty = core_.getMarketInfo("HongKong");
  core_.concludeMarket(&empty);
  EXPECT_EQ(value("SELECT [index] FROM [index] ORDER BY ID DESC LIMIT 1"), 0) << "a market without stocks";
}

TEST_F(CalendarTest, ExchangeRatesWalkByAnEighthOfAPercentAtMost) {
  std::set<int> moves;
  for (int day = 0; day < 20; ++day) {
    const std::vector<float> before(core_.database->rateExchange, core_.database->rateExchange + 6);
    core_.nextDay();
    EXPECT_EQ(core_.database->rateExchange[0], 1.0f);
    for (int i = 1; i < 6; ++i) {
      const float now = core_.database->rateExchange[i];
      const int move = now == before[i]             ? 0
                       : now == before[i] * 1.0125f ? 1
                       : now == before[i] * 0.9875f ? -1
                                                    : 9;
      EXPECT_NE(move, 9) << "currency " << i << ": " << before[i] << " -> " << now;
      moves.insert(move);
    }
  }
  EXPECT_EQ(moves, (std::set<int>{-1, 0, 1}));
  EXPECT_EQ(value("SELECT count(*) FROM exchHistory"), 20);
  EXPECT_FLOAT_EQ(static_cast<float>(value("SELECT rateExchange_London FROM profile")),
                  core_.database->rateExchange[1]);

  // The largest of each currency's three draws, in the order r0, r1, r2, decides; a tie at the top keeps
  // the rate. Day 4: no trend update draws as well.
  const struct {
    float r0, r1, r2, factor;
  } walks[] = {{0.9f, 0.5f, 0.1f, 1.0125f}, {0.1f, 0.5f, 0.9f, 0.9875f}, {0.5f, 0.9f, 0.1f, 1},
               {0.9f, 0.1f, 0.9f, 1},       {0.9f, 0.9f, 0.1f, 1},       {0.1f, 0.9f, 0.9f, 1}};
  for (const auto& w : walks) {
    core_.database->daycount = 4;
    const std::vector<float> before(core_.database->rateExchange, core_.database->rateExchange + 6);
    int call = 0;
    const float draws[3] = {w.r0, w.r1, w.r2};
    setDrawSource([&](float max) { return max * draws[call++ % 3]; });
    core_.nextDay();
    setDrawSource(nullptr);
    EXPECT_EQ(call, 15) << "three draws for each of the five currencies";
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(core_.database->rateExchange[i], i == 0 ? 1.0f : before[i] * w.factor)
          << "currency " << i << " draws " << w.r0 << " " << w.r1 << " " << w.r2;
  }
}

TEST_F(CalendarTest, HoldingPeriodDividendOnEveryCompletedPeriod) {
  // After the day's ageing: 31 and 61 days of a 30-day stock pay 5 x (100 x (2 x 0.1 x 0.01)) = 1 THB each;
  // 30 days does not, and a 1-day stock never does.
  struct Case {
    const char* symbol;
    const char* market;
    int heldBefore;
    double paid;
    int m;
  } cases[] = {{"ALPHA", "Thai", 30, 1, 0},
               {"ALPHA", "Thai", 60, 1, 0},
               {"ALPHA", "Thai", 29, 0, 0},
               {"BETA", "London", 30, 0, 1},
               {"BETA", "London", 1, 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.symbol) + " held " + std::to_string(c.heldBefore));
    core_.database->execSQL("DELETE FROM portfolio");
    holding(c.symbol, c.market, 100, c.heldBefore);
    const double before = core_.database->profile.budget[c.m];
    core_.nextDay();
    EXPECT_NEAR(core_.database->profile.budget[c.m] - before, c.paid, 1e-6);
    EXPECT_NEAR(value("SELECT budget_THB FROM profile"), core_.database->profile.budget[0], 1e-6);
  }
  EXPECT_TRUE(host_.popups().empty()) << "the holding-period dividend shows nothing";
}

TEST_F(CalendarTest, PaymentDayDividendIsShownAndKeptInTheInbox) {
  core_.database->execSQL("UPDATE stock SET div_dayleft=1 WHERE symbol='ALPHA'");
  holding("ALPHA", "Thai", 100, 40);
  core_.nextDay();
  // 1e6 balance x 5 % x 100 / 1000 shares.
  const auto popups = host_.popups();
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].title, "You earn dividend revenue.");
  EXPECT_EQ(popups[0].text, "ALPHA pays you THB 5,000.00.  ");
  EXPECT_EQ(popups[0].stars, 0);
  EXPECT_STREQ(core_.getInbox(false).last().Message, "ALPHA pays you THB 5,000.00.  ");
  const qxStockInfo alpha = core_.getStockInfo("ALPHA");
  EXPECT_EQ(alpha.div_dayleft, 30) << "the countdown starts again";
  EXPECT_EQ(alpha.status, 0);
}

TEST_F(CalendarTest, ExDividendAWeekBeforePayment) {
  core_.database->execSQL("UPDATE stock SET div_dayleft=8 WHERE symbol='ALPHA'");
  core_.nextDay();
  EXPECT_EQ(core_.getStockInfo("ALPHA").status, 1);
  EXPECT_EQ(core_.getStockInfo("BETA").status, 0);
}

TEST_F(CalendarTest, MonthBooksCompanyResultsAndPaysForStars) {
  setMonthlySeedSource([] { return 12345u; });
  core_.database->execSQL("UPDATE milestone SET passed=1");
  core_.database->loadMilestones();
  core_.nextMonth();

  EXPECT_DOUBLE_EQ(core_.database->profile.budget[4], 100 + 24000);
  EXPECT_DOUBLE_EQ(value("SELECT budget_USD FROM profile"), 24100);
  const auto popups = host_.popups();
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].title, "Monthly Income");
  EXPECT_EQ(popups[0].text, "You are paid $24,000 for conquering achievement milestones.");

  // Profit = 5 % of the balance, the weighted factors' 1 %, and a swing of less than an eighth either way.
  const double b = 1e6;
  const auto w = core_.getSectorFactorWeights(3);
  const double factors = 0.01 * (0.75f * w[0] + 0.85f * w[1] + 0.6f * w[2] + 0.72f * w[3]) * b;
  const qxCompanyInfo alpha = core_.getCompanyInfo("ALPHA");
  const double profit = alpha.balance - b;
  EXPECT_GT(profit, 0.05 * b + factors - b / 8);
  EXPECT_LT(profit, 0.05 * b + factors + b / 8);
  const qxStockInfo stock = core_.getStockInfo("ALPHA");
  EXPECT_NEAR(stock.eps, profit / 1000, std::fabs(profit / 1000) * 1e-6);
  EXPECT_NEAR(stock.pe, 10 / stock.eps, std::fabs(10 / stock.eps) * 1e-5);
  EXPECT_DOUBLE_EQ(value("SELECT balance FROM companyFinance WHERE Company='Alpha Works'"), alpha.balance);

  // The same seed books the same results.
  const double booked = alpha.balance;
  core_.database->execSQL("UPDATE company SET balance=1000000 WHERE symbol='ALPHA'");
  core_.nextMonth();
  EXPECT_DOUBLE_EQ(core_.getCompanyInfo("ALPHA").balance, booked);

  EXPECT_EQ(core_.getSectorFactorWeights(0), (std::vector<float>{0, 0, 0, 0}));
  EXPECT_EQ(core_.getSectorFactorWeights(16), (std::vector<float>{0, 0, 0, 0}));
  EXPECT_EQ(core_.getSectorFactorWeights(15), (std::vector<float>{0.63f, 0.5f, 0.4f, 0.32f}));
}

TEST_F(CalendarTest, MonthWithoutStarsPaysNothing) {
  core_.nextMonth();
  EXPECT_TRUE(host_.popups().empty());
  EXPECT_DOUBLE_EQ(core_.database->profile.budget[4], 100);
  EXPECT_EQ(value("SELECT count(*) FROM companyFinance"), 2);
}

TEST_F(CalendarTest, TrendUpdateSetsPopularityByTheFittedClass) {
  // The fit reads the newest price first: prices that fell over time read as a rising series.
  const auto prices = [this](const char* symbol, const std::vector<float>& oldestFirst) {
    core_.database->execSQL(std::string("DELETE FROM price WHERE symbol='") + symbol + "'");
    for (const float p : oldestFirst)
      core_.database->recordPrice(symbol, p);
  };
  std::vector<float> falling, rising, zigzagReversed, halvingReversed;
  for (int i = 20; i >= 1; --i)
    falling.push_back(static_cast<float>(i));
  rising.assign(falling.rbegin(), falling.rend());
  const float zigzag[20] = {1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14, 17, 16, 19, 18};
  for (int i = 19; i >= 0; --i)
    zigzagReversed.push_back(zigzag[i]);
  // Read newest first: a sharp fall in class 4.
  const float halving[20] = {1048576, 65536, 524288, 16384, 262144, 4096, 131072, 1024, 65536, 256,
                             32768,   64,    16384,  16,    8192,   4,    4096,   1,    2048,  0.5f};
  for (int i = 19; i >= 0; --i)
    halvingReversed.push_back(halving[i]);
  // Every draw of the update is `draw` of its range: r0 = 100 x draw decides the trend byte of classes 1
  // and 3 (of strength 0 here).
  struct Case {
    const std::vector<float>* series;
    int popularity, expected;
    float draw;
    int trend;
  } cases[] = {{&falling, 245, 250, 0.6f, 3},        {&falling, 235, 245, 0.4f, 1},
               {&zigzagReversed, 200, 240, 0.6f, 3}, {&zigzagReversed, 210, 250, 0.4f, 3},
               {&rising, 100, 110, 0.6f, 1},         {&rising, 245, 250, 0.4f, 3},
               {&halvingReversed, 100, 60, 0.6f, 1}, {&halvingReversed, 20, 0, 0.4f, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.popularity);
    prices("ALPHA", *c.series);
    core_.database->execSQL("UPDATE stock SET popularity=" + std::to_string(c.popularity) +
                            " WHERE symbol='ALPHA'");
    setDrawSource([&](float max) { return max * c.draw; });
    EXPECT_TRUE(core_.updateTrends());
    setDrawSource(nullptr);
    const qxStockInfo alpha = core_.getStockInfo("ALPHA");
    EXPECT_EQ(alpha.popularity, c.expected);
    EXPECT_EQ(alpha.trend, c.trend);
  }
  // BETA has no prices: no fit, so a random popularity and trend byte.
  const qxStockInfo beta = core_.getStockInfo("BETA");
  EXPECT_GE(beta.popularity, 0);
  EXPECT_LE(beta.popularity, 255);
}

// Plays the template without windows: ticks, boundaries, market conclusions and cycle conclusions as
// the tick master will, with no price steps.
TEST(CoreOnTheTemplate, SeveralGameDaysRollOverAndStayOnDisk) {
  testsupport::TempDir dir;
  const auto file = dir.file("game.db");
  testsupport::copyTemplate(file);
  testsupport::RecordingHost host;
  QorvexCore core(host);
  core.database->openDatabase(file.string(), testsupport::kPassword);
  core.database->readProfile();
  core.database->execSQL(
      "INSERT INTO portfolio (symbol, marketTitle, vol, avg_price, heldlength) "
      "SELECT symbol, marketTitle, 1000, currentPrice, 45 FROM stock ORDER BY id LIMIT 3");
  core.database->execSQL(
      "UPDATE stock SET div_dayleft=2 WHERE id IN (SELECT id FROM stock ORDER BY id LIMIT 1)");

  const int companies = core.database->getCompanies(nullptr).count();
  int cycles = 0;
  std::set<std::string> traded;
  while (core.database->daycount < 3) {
    std::lock_guard lock(host.gameLock());
    bool newCycle = false;
    std::queue<qxStockInfo> chosen;
    int next = 0;
    core.tick(&newCycle, &chosen, &next);
    if (!newCycle) continue;
    ++cycles;
    std::set<std::string> titles;
    for (; !chosen.empty(); chosen.pop())
      titles.insert(chosen.front().marketTitle);
    for (const auto& title : titles) {
      const qxMarketInfo market = core.getMarketInfo(title);
      core.concludeMarket(&market);
      traded.insert(title);
    }
    core.concludeAfterCycle(static_cast<std::uint16_t>(next));

    qxSaveGame disk;
    disk.openDatabase(file.string(), testsupport::kPassword);
    disk.readProfile();
    ASSERT_EQ(disk.daycount, core.database->daycount);
    ASSERT_EQ(disk.clockTick, core.database->clockTick);
    for (int i = 0; i < 6; ++i) {
      // Numbers are stored with 15 significant digits.
      const double budget = core.database->profile.budget[i];
      ASSERT_NEAR(disk.profile.budget[i], budget, std::fabs(budget) * 1e-14);
      ASSERT_FLOAT_EQ(disk.rateExchange[i], core.database->rateExchange[i]);
    }
  }
  EXPECT_EQ(cycles, 60);
  EXPECT_EQ(traded.size(), 6u);
  const auto count = [&](const char* sql) {
    return core.database->connection->query(sql).at(0, 0).asInteger();
  };
  EXPECT_EQ(count("SELECT count(*) FROM exchHistory"), 3);
  EXPECT_EQ(count("SELECT count(*) FROM companyFinance"), companies) << "the first roll-over books a month";
  EXPECT_EQ(count("SELECT count(*) FROM dailyPrice"), 3 * count("SELECT count(*) FROM stock"))
      << "every exchange closes once a day, London in each day's first cycle";
  EXPECT_EQ(count("SELECT min(heldlength) FROM portfolio"), 48);
  ASSERT_FALSE(host.popups().empty());
  EXPECT_EQ(host.popups()[0].title, "You earn dividend revenue.");
}

}  // namespace
