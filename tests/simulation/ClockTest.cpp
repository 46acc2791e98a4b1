#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "GameFixture.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;
using Titles = std::set<std::string>;

// Two stocks per exchange, all at popularity 0, so every stock of an open exchange trades.
const std::string kFixture =
    "INSERT INTO profile (version, joinDate, rateExchange_Thai, rateExchange_London, rateExchange_Japan,"
    " rateExchange_Singapore, rateExchange_NewYork, rateExchange_HongKong) VALUES"
    " (670, '01/01/2500', 1, 49, 0.4, 25, 31, 4);"
    "INSERT INTO factors (pol_nextconsider) VALUES (10);" +
    testsupport::kSixMarkets +
    "INSERT INTO stock (symbol, marketTitle, vol, currentPrice, closeprice, closepriceY, popularity,"
    " div_numdays, div_dayleft) SELECT m.title || n.i, m.title, 1000, 10, 10, 10, 0, 60, 50"
    " FROM market m, (SELECT 1 AS i UNION SELECT 2) n;";

class ClockTest : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::openFixtureGame(core_, dir_.file("game.db"), kFixture); }

  struct Boundary {
    Titles opened, closed, priced;
    int next = 0;
  };

  int count(const std::string& sql) { return testsupport::queryCount(*core_.database, sql); }

  // Runs the ten ticks of the stored cycle and reads what its boundary did.
  Boundary runCycle() {
    core_.database->execSQL("UPDATE stock SET todayHigh=99");
    std::map<std::string, int> archivedBefore;
    for (const char* t : {"Thai", "London", "Japan", "Singapore", "NewYork", "HongKong"}) {
      archivedBefore[t] =
          count(std::string("SELECT count(*) FROM dailyPrice WHERE symbol LIKE '") + t + "%'");
    }
    Boundary b;
    std::queue<qxStockInfo> chosen;
    bool newCycle = false;
    for (int i = 1; i <= 10; ++i) {
      core_.tick(&newCycle, &chosen, &b.next);
      EXPECT_EQ(newCycle, i == 10) << "tick " << i;
    }
    for (; !chosen.empty(); chosen.pop())
      b.priced.insert(chosen.front().marketTitle);
    for (const auto& [title, before] : archivedBefore) {
      if (count("SELECT count(*) FROM dailyPrice WHERE symbol LIKE '" + title + "%'") > before)
        b.closed.insert(title);
      if (count("SELECT count(*) FROM stock WHERE todayHigh=0 AND marketTitle='" + title + "'") == 2) {
        b.opened.insert(title);
      }
    }
    return b;
  }

  testsupport::TempDir dir_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_};
};

struct Expected {
  int cycle;
  Titles opened, closed, priced;
};

const Titles kAsia = {"Japan", "HongKong"};
const std::vector<Expected> kRealtimeDay = {
    {0, {"NewYork"}, {"London"}, {"NewYork"}},
    {1, {}, {}, {"NewYork"}},
    {2, {"Japan", "HongKong"}, {}, {"NewYork", "Japan", "HongKong"}},
    {3, {}, {}, {"NewYork", "Japan", "HongKong"}},
    {8, {}, {}, {"NewYork", "Japan", "HongKong"}},
    {9, {"Thai", "Singapore"}, {"NewYork"}, {"Thai", "Singapore", "Japan", "HongKong"}},
    {10, {}, {}, {"Thai", "Singapore", "Japan", "HongKong"}},
    {11, {"London"}, {"Japan", "HongKong"}, {"Thai", "Singapore", "London"}},
    {17, {}, {}, {"Thai", "Singapore", "London"}},
    {18, {}, {"Thai", "Singapore"}, {"London"}},
    {19, {}, {}, {"London"}},
};

TEST_F(ClockTest, RealtimeDayOpensClosesAndPricesEachExchangeOnSchedule) {
  std::map<int, Boundary> seen;
  for (int cycle = 0; cycle < 20; ++cycle) {
    ASSERT_EQ(core_.database->clockTick, cycle);
    seen[cycle] = runCycle();
    EXPECT_EQ(seen[cycle].next, cycle + 1);
    core_.concludeAfterCycle(static_cast<std::uint16_t>(seen[cycle].next));
  }
  EXPECT_EQ(core_.database->clockTick, 0);
  EXPECT_EQ(core_.database->daycount, 1);
  for (const Expected& e : kRealtimeDay) {
    SCOPED_TRACE("cycle " + std::to_string(e.cycle));
    EXPECT_EQ(seen[e.cycle].opened, e.opened);
    EXPECT_EQ(seen[e.cycle].closed, e.closed);
    EXPECT_EQ(seen[e.cycle].priced, e.priced);
  }
  std::map<std::string, int> opens, closes;
  for (const auto& [cycle, b] : seen) {
    for (const auto& t : b.opened)
      ++opens[t];
    for (const auto& t : b.closed)
      ++closes[t];
  }
  for (const char* t : {"Thai", "London", "Japan", "Singapore", "NewYork", "HongKong"}) {
    EXPECT_EQ(opens[t], 1) << t;
    EXPECT_EQ(closes[t], 1) << t;
  }
  // London closes in cycle 0 of the next day.
  const Boundary nextDay = runCycle();
  EXPECT_EQ(nextDay.closed, Titles{"London"});
}

TEST_F(ClockTest, SwiftDayVisitsFiveCyclesAndASwitchContinuesFromTheStoredCycle) {
  core_.database->timelineMode = 1;
  std::vector<int> visited;
  std::map<std::string, int> opens, closes;
  do {
    visited.push_back(core_.database->clockTick);
    const Boundary b = runCycle();
    for (const auto& t : b.opened)
      ++opens[t];
    for (const auto& t : b.closed)
      ++closes[t];
    if (visited.back() == 9) {
      EXPECT_EQ(b.priced, (Titles{"Thai", "Singapore", "Japan", "HongKong"}));
    }
    core_.concludeAfterCycle(static_cast<std::uint16_t>(b.next));
  } while (core_.database->clockTick != 0);
  EXPECT_EQ(visited, (std::vector<int>{0, 2, 9, 11, 18}));
  for (const char* t : {"Thai", "London", "Japan", "Singapore", "NewYork", "HongKong"}) {
    EXPECT_EQ(opens[t], 1) << t;
    EXPECT_EQ(closes[t], 1) << t;
  }

  core_.database->clockTick = 5;  // a Realtime day switched to Swift in mid-day
  EXPECT_EQ(runCycle().next, 9);
  core_.database->timelineMode = 0;
  core_.database->clockTick = 19;
  EXPECT_EQ(runCycle().next, 20);
}

// An exchange takes orders in exactly the cycles whose boundary trades its stocks: never in its closing
// hour, whose boundary closes it and clears its queue (London's falls in cycle 0 of the next day).
TEST_F(ClockTest, OrdersAreTakenInTheCyclesWhoseBoundaryTradesTheExchange) {
  const char* const titles[6] = {"Thai", "London", "Japan", "Singapore", "NewYork", "HongKong"};
  for (const int timeline : {0, 1}) {
    core_.database->timelineMode = timeline;
    core_.database->execSQL("UPDATE stock SET popularity=0");  // the month's results of day 1 change it
    int refusingCycles = 0;
    do {
      const int cycle = core_.database->clockTick;
      Titles taking;
      for (int m = 0; m < 6; ++m) {
        if (core_.acceptsOrders(m)) taking.insert(titles[m]);
        if (core_.getMarketHour(m) != -1 && !core_.acceptsOrders(m)) ++refusingCycles;
      }
      const Boundary b = runCycle();
      EXPECT_EQ(taking, b.priced) << "timeline " << timeline << " cycle " << cycle;
      core_.concludeAfterCycle(static_cast<std::uint16_t>(b.next));
    } while (core_.database->clockTick != 0);
    EXPECT_EQ(refusingCycles, 6) << "one closing hour per exchange, timeline " << timeline;
  }
}

TEST_F(ClockTest, MarketHoursAndAClosedDayLeavePricesInPlace) {
  const struct {
    int market, cycle, hour;
  } hours[] = {{1, 0, 10}, {1, 1, -1}, {1, 10, -1}, {1, 11, 1}, {1, 19, 9},  {4, 10, -1},
               {4, 9, 10}, {0, 9, 1},  {3, 18, 10}, {2, 2, 1},  {5, 11, 10}, {0, 8, -1}};
  for (const auto& h : hours) {
    core_.database->clockTick = static_cast<std::uint16_t>(h.cycle);
    EXPECT_EQ(core_.getMarketHour(h.market), h.hour) << h.market << "@" << h.cycle;
  }

  core_.database->execSQL(
      "UPDATE stock SET currentPrice=12, closeprice=10, closepriceY=8 WHERE symbol='Thai1'");
  // Halts, suspensions, orders and the day's trading of the closing market end; another market's stay.
  core_.database->execSQL("UPDATE stock SET tradedVol=5000, tradedAmount=60000, status=1");
  core_.database->execSQL("UPDATE stock SET status=8 WHERE symbol IN ('Thai1', 'London1')");
  core_.database->execSQL("UPDATE stock SET status=4 WHERE symbol IN ('Thai2', 'Singapore1')");
  ASSERT_TRUE(core_.addBid("Thai1", "Thai", 11, 100, true));
  ASSERT_TRUE(core_.addOffer("Thai2", "Thai", 11, 100, true));
  ASSERT_TRUE(core_.addBid("London1", "London", 11, 100, true));
  core_.closeMarket("Thai");
  const qxStockInfo closed = core_.getStockInfo("Thai1");
  EXPECT_EQ(closed.closepriceY, 10) << "yesterday's close is the previous close";
  EXPECT_EQ(closed.closeprice, 12) << "the close is the day's last price";
  const qxStockInfo untraded = core_.getStockInfo("Thai2");
  EXPECT_EQ(untraded.closeprice, untraded.closepriceY);
  const struct {
    const char* symbol;
    int status;
    double tradedVol, tradedAmount;
  } after[] = {{"Thai1", 0, 0, 0},
               {"Thai2", 0, 0, 0},
               {"London1", 8, 5000, 60000},
               {"Singapore1", 4, 5000, 60000},
               {"London2", 1, 5000, 60000}};
  for (const auto& a : after) {
    const qxStockInfo stock = core_.getStockInfo(a.symbol);
    EXPECT_EQ(stock.status, a.status) << a.symbol;
    EXPECT_EQ(stock.tradedVol, a.tradedVol) << a.symbol;
    EXPECT_EQ(stock.tradedAmount, a.tradedAmount) << a.symbol;
  }
  EXPECT_EQ(count("SELECT count(*) FROM queue WHERE marketTitle='Thai'"), 0);
  EXPECT_EQ(count("SELECT count(*) FROM queue WHERE symbol='London1'"), 1);
}

// A session's stored index samples: one per visited work hour before the current one.
TEST_F(ClockTest, SessionSamplesCountTheVisitedHoursBeforeTheCurrentOne) {
  const struct {
    int timeline, market, cycle, samples;
  } cases[] = {
      {0, 0, 9, 0},  {0, 0, 11, 2}, {0, 0, 18, 9}, {0, 0, 8, 0},  // Thai, Realtime: h - 1, closed 0
      {0, 1, 0, 9},  {0, 1, 11, 0}, {0, 4, 9, 9},                 // London's last hour after midnight
      {1, 0, 11, 1}, {1, 0, 18, 2}, {1, 0, 9, 0},                 // Swift visits 0, 2, 9, 11, 18
      {1, 4, 2, 1},  {1, 4, 9, 2},  {1, 1, 0, 2},  {1, 2, 11, 2}, {1, 2, 2, 0},
  };
  for (const auto& c : cases) {
    core_.database->timelineMode = c.timeline;
    core_.database->clockTick = static_cast<std::uint16_t>(c.cycle);
    EXPECT_EQ(core_.getSessionSamples(c.market), c.samples)
        << "timeline " << c.timeline << " market " << c.market << "@" << c.cycle;
  }
}

// The stock choice of a cycle with scripted draws, in the order they are made per stock: the spread
// added to the popularity, the spread taken off it, then the 0.6 draw that must reach the capped value.
TEST_F(ClockTest, TheCycleChoosesAStockByItsPopularityAndThreeDrawsInOrder) {
  const float justAbove045 = std::nextafter(0.45f, 1.0f);
  const struct {
    int popularity;
    float added, taken, reach;
    bool trades;
  } cases[] = {
      // Popularity 255 is capped at 0.85: it trades only when 0.4 + the draw reaches it.
      {255, 0.0f, 0.09f, justAbove045, true},
      {255, 0.09f, 0.0f, justAbove045, true},
      {255, 0.0f, 0.0f, 0.449f, false},
      {255, 0.09f, 0.0f, 0.6f, true},
      // 0.4 + 0.09 - 0 against 0.45: the first spread raises the value, the second lowers it.
      {102, 0.09f, 0.0f, 0.05f, false},
      {102, 0.0f, 0.09f, 0.05f, true},
  };
  // Cycle 1: only New York is open, and its two stocks are chosen alike.
  for (const auto& c : cases) {
    core_.database->clockTick = 1;
    core_.database->execSQL("UPDATE stock SET popularity=" + std::to_string(c.popularity));
    int call = 0;
    const float draws[3] = {c.added, c.taken, c.reach};
    setDrawSource([&](float) { return draws[call++ % 3]; });
    std::queue<qxStockInfo> chosen;
    int next = 0;
    core_.nextCycle(&chosen, &next);
    setDrawSource(nullptr);
    EXPECT_EQ(call, 6) << "three draws per listed stock of the open exchange";
    EXPECT_EQ(chosen.size(), c.trades ? 2u : 0u)
        << c.popularity << " " << c.added << " " << c.taken << " " << c.reach;
  }
}

TEST_F(ClockTest, AFailedBoundaryLeavesNothingBehind) {
  core_.database->clockTick = 18;  // Thai closes first, then London's stocks are read
  core_.database->execSQL("UPDATE stock SET currentPrice=11 WHERE marketTitle='Thai'");
  core_.database->execSQL("UPDATE stock SET popularity='unreadable' WHERE symbol='London1'");
  std::queue<qxStockInfo> chosen;
  int next = 0;
  EXPECT_ANY_THROW(core_.nextCycle(&chosen, &next));
  EXPECT_EQ(count("SELECT count(*) FROM dailyPrice"), 0);
  EXPECT_EQ(core_.getStockInfo("Thai1").closeprice, 10) << "the close was rolled back";

  core_.database->execSQL("UPDATE stock SET popularity=0 WHERE symbol='London1'");
  core_.nextCycle(&chosen, &next);
  EXPECT_EQ(count("SELECT count(*) FROM dailyPrice"), 4) << "the retry closes Thai and Singapore once";
  const qxStockInfo thai = core_.getStockInfo("Thai1");
  EXPECT_EQ(thai.closeprice, 11);
  EXPECT_EQ(thai.closepriceY, 10);
}

}  // namespace
