#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "Prandom.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;
using T = qxSUBORDER;
using Draws = std::vector<float>;
using Types = std::vector<int>;

const std::string kFixture =
    "INSERT INTO profile DEFAULT VALUES;" + testsupport::kSixMarkets +
    "INSERT INTO stock (symbol, company, marketTitle, currentPrice, closeprice) VALUES "
    "('ALPHA', 'Alpha Works', 'Thai', 3, 3), ('BETA', 'Beta Mills', 'Thai', 3, 3);";

// Draws of a priced step at popularity 256 (f = 1): an amount of 150 (no halt or suspension possible), no
// spread, a direction, a halt draw of 10, then the weighted pick.
constexpr float kAmount150 = 0.0005f;
constexpr float kUp = 0.1f;                                   // below every bias
constexpr float kDown = 0.9f;                                 // above every bias
constexpr float kCalm = 0.1f;                                 // b = 10
const Draws kFarthest = {0.5f, 0.1f, 0.05f, 0.02f, 0.01f};    // the last candidate wins
const Draws kNearest = {0.01f, 0.02f, 0.03f, 0.04f, 0.041f};  // each draw beats the one before

Draws concat(Draws head, const Draws& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

Draws pricedUp(const Draws& picks = kFarthest) {
  return concat({kAmount150, 0, 0, kUp, kCalm}, picks);
}

Types typesOf(const std::vector<pTask>& tasks) {
  Types types;
  for (const pTask& task : tasks)
    types.push_back(task.type);
  return types;
}

class PriceStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::openFixtureGame(core_, dir_.file("game.db"), kFixture);
    setDrawSource([this](float max) {
      maxes_.push_back(max);
      if (script_.empty()) {
        ADD_FAILURE() << "a draw beyond the script (max " << max << ")";
        return max;
      }
      const float value = script_.front();
      script_.pop_front();
      return value;
    });
  }
  void TearDown() override {
    setDrawSource(nullptr);
    resetDigitPool();
  }

  static qxStockInfo stock(float cur, float close, int popularity = 256) {
    qxStockInfo s;
    std::strcpy(s.symbol, "ALPHA");
    std::strcpy(s.marketTitle, "Thai");
    s.currentPrice = cur;
    s.closeprice = close;
    s.popularity = popularity;
    s.pe = 5;  // bias 0.4
    return s;
  }

  // One step with the given draws, every one of which it must take.
  std::vector<pTask> step(qxStockInfo s, const Draws& draws) {
    script_.assign(draws.begin(), draws.end());
    maxes_.clear();
    TaskQueue queue;
    core_.generateNewPrice(&s, &queue);
    EXPECT_TRUE(script_.empty()) << script_.size() << " scripted draws left over";
    std::vector<pTask> tasks;
    for (; !queue.empty(); queue.pop())
      tasks.push_back(queue.front());
    return tasks;
  }

  // The price of a step that was priced.
  static float priceOf(const std::vector<pTask>& tasks) {
    const Types tail = {TASK_ADD_PRICE, TASK_UPDATE_STOCK};
    const Types types = typesOf(tasks);
    if (types.size() < 2 || Types(types.end() - 2, types.end()) != tail) {
      ADD_FAILURE() << "the step was not priced";
      return -1;
    }
    return tasks[tasks.size() - 2].price;
  }

  int addQueueRow(const char* symbol, float price, float qty, bool isBid) {
    char sql[256];
    std::snprintf(sql, sizeof sql,
                  "INSERT INTO queue (symbol, marketTitle, price, qty, isUserReq, isBid) "
                  "VALUES ('%s', 'Thai', %.9g, %.9g, 1, %d)",
                  symbol, static_cast<double>(price), static_cast<double>(qty), isBid ? 1 : 0);
    core_.database->execSQL(sql);
    return core_.database->connection->query("SELECT max(ID) FROM queue").at(0, 0).asInteger();
  }

  testsupport::TempDir dir_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_};
  std::deque<float> script_;
  std::vector<float> maxes_;
};

TEST(PriceStepBandTest, BandsAndLimitsAtEveryBound) {
  struct Case {
    float price, gap, step, ceiling, floor;
  } cases[] = {
      {0, 0, 0, 0, 0.01f},
      {0.01f, 0.001f, 0.0001f, 0.0117f, 0.01f},  // 0.0083 raised to the floor
      {0.0125f, 0.00125f, 0.000125f, 0.014625f, 0.010375f},
      {0.5f, 0.05f, 0.005f, 0.585f, 0.415f},
      {0.999999f, 0.0999999f, 0.00999999f, 1.16999883f, 0.82999917f},
      {1, 0.03f, 0.02f, 1.17f, 0.83f},
      {1.99f, 0.03f, 0.02f, 2.16f, 1.82f},
      {2, 0.06f, 0.08f, 2.62f, 1.38f},
      {4.99f, 0.06f, 0.08f, 5.61f, 4.37f},
      {5, 0.07f, 0.1f, 5.77f, 4.23f},
      {9.99f, 0.07f, 0.1f, 10.76f, 9.22f},
      {10, 0.1f, 0.16f, 11.22f, 8.78f},
      {24.99f, 0.1f, 0.16f, 26.21f, 23.77f},
      {25, 0.15f, 0.32f, 27.39f, 22.61f},
      {49.99f, 0.15f, 0.32f, 52.38f, 47.6f},
      {50, 0.2f, 0.4f, 53.0f, 47.0f},
      {99.99f, 0.2f, 0.4f, 102.99f, 96.99f},
      {100, 0.5f, 0.65f, 105.05f, 94.95f},
      {249.99f, 0.5f, 0.65f, 255.04f, 244.94f},
      {250, 0.75f, 0.9f, 257.05f, 242.95f},
      {499.99f, 0.75f, 0.9f, 507.04f, 492.94f},
      {500, 0.85f, 1.1f, 508.55f, 491.45f},
      {999.99f, 0.85f, 1.1f, 1008.54f, 991.44f},
      {1000, 1.0f, 2.25f, 1016.75f, 983.25f},
      {1999.99f, 1.0f, 2.25f, 2016.74f, 1983.24f},
      {2000, 1.0f, 3.5f, 2025.5f, 1974.5f},
      {5000, 1.0f, 3.5f, 5025.5f, 4974.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("price " + std::to_string(c.price));
    float gap = -1, priceStep = -1, ceiling = -1, floor = -1;
    QorvexCore::getPriceBand(c.price, gap, priceStep);
    QorvexCore::getPriceLimits(c.price, ceiling, floor);
    EXPECT_FLOAT_EQ(gap, c.gap);
    EXPECT_FLOAT_EQ(priceStep, c.step);
    EXPECT_NEAR(ceiling, c.ceiling, 1e-6 * c.ceiling + 1e-9);
    EXPECT_NEAR(floor, c.floor, 1e-6 * c.floor);
  }
}

TEST(PriceStepBandTest, StepsAboveAndBelow) {
  struct Case {
    float price;
    std::vector<float> above, below;
  } cases[] = {
      // From 2 up the step exceeds the gap: the first step above lies below the price and vice versa.
      {3, {2.98f, 3.06f, 3.14f, 3.22f, 3.30f}, {3.02f, 2.94f, 2.86f, 2.78f, 2.70f}},
      {1.5f, {1.51f, 1.53f, 1.55f, 1.57f, 1.59f}, {1.49f, 1.47f, 1.45f, 1.43f, 1.41f}},
      {0.5f, {0.545f, 0.55f, 0.555f, 0.56f, 0.565f}, {0.455f, 0.45f, 0.445f, 0.44f, 0.435f}},
      {2500, {2497.5f, 2501, 2504.5f, 2508, 2511.5f}, {2502.5f, 2499, 2495.5f, 2492, 2488.5f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("price " + std::to_string(c.price));
    const std::vector<float> above = QorvexCore::getPriceStepsAbove(c.price);
    const std::vector<float> below = QorvexCore::getPriceStepsBelow(c.price);
    ASSERT_EQ(above.size(), 5u);
    ASSERT_EQ(below.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_FLOAT_EQ(above[i], c.above[i]) << "above " << i;
      EXPECT_FLOAT_EQ(below[i], c.below[i]) << "below " << i;
    }
  }
}

TEST_F(PriceStepTest, StatusAndHaltDrawDecideWhatIsEmitted) {
  struct Case {
    const char* name;
    int status;
    Draws draws;
    Types types;
  } cases[] = {
      {"ex-dividend", STATUS_XD, {}, {}},
      {"suspended", STATUS_SP, {}, {}},
      {"halted: only cleared", STATUS_HALT, {}, {TASK_CLEAR_STATUS}},
      {"a 180, b 91: suspension", STATUS_NORMAL, {0.000805f, 0, 0, kUp, 0.915f}, {TASK_SET_SP}},
      {"a 180, b 90: halt", STATUS_NORMAL, {0.000805f, 0, 0, kUp, 0.905f}, {TASK_SET_HALT}},
      {"a 180, b 81: halt", STATUS_NORMAL, {0.000805f, 0, 0, kUp, 0.815f}, {TASK_SET_HALT}},
      {"a 180, b 80: priced",
       STATUS_NORMAL,
       concat({0.000805f, 0, 0, kUp, 0.805f}, kFarthest),
       {TASK_ADD_PRICE, TASK_UPDATE_STOCK}},
      {"a 179, b 91: halt", STATUS_NORMAL, {0.000795f, 0, 0, kUp, 0.915f}, {TASK_SET_HALT}},
      {"a 160, b 81: halt", STATUS_NORMAL, {0.000605f, 0, 0, kUp, 0.815f}, {TASK_SET_HALT}},
      {"a 159, b 91: priced",
       STATUS_NORMAL,
       concat({0.000595f, 0, 0, kUp, 0.915f}, kFarthest),
       {TASK_ADD_PRICE, TASK_UPDATE_STOCK}},
  };
  addQueueRow("ALPHA", 100, 10, true);  // a bid any priced step fills: status steps must not touch it
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    qxStockInfo s = stock(3, 3);
    s.status = c.status;
    const std::vector<pTask> tasks = step(s, c.draws);
    Types expected = c.types;
    if (expected.size() == 2)  // priced: the bid is filled first
      expected.insert(expected.begin(), {TASK_COMPLETE_QUEUE, TASK_UPDATE_STOCK, TASK_INBOX});
    EXPECT_EQ(typesOf(tasks), expected);
    for (const pTask& task : tasks) {
      if (task.type != TASK_INBOX) {
        EXPECT_EQ(task.symbol, "ALPHA");
      }
    }
  }
}

TEST_F(PriceStepTest, WeightedPickWithinTheLimits) {
  const float third = 1.0f / 3.0f;
  struct Case {
    const char* name;
    float cur, close;
    Draws draws;
    float price;
    std::size_t picks;
  } cases[] = {
      {"farthest wins", 3, 3, pricedUp(kFarthest), 3.30f, 5},
      {"a greater draw takes over", 3, 3, pricedUp({0.2f, 0.3f, 0.1f, 0.05f, 0.01f}), 3.22f, 5},
      {"a tie keeps the farther", 3, 3, pricedUp({0.2f, 0.2f, 0.1f, 0.05f, 0.01f}), 3.30f, 5},
      {"nearest wins", 3, 3, pricedUp(kNearest), 2.98f, 5},
      {"down, farthest", 3, 3, concat({kAmount150, 0, 0, kDown, kCalm}, kFarthest), 2.70f, 5},
      {"ceiling trims the tail", 3.5f, 3, pricedUp({0.5f, 0.1f}), 3.56f, 2},
      {"floor trims the tail", 2.5f, 3, concat({kAmount150, 0, 0, kDown, kCalm}, {0.5f, 0.1f}), 2.44f, 2},
      {"the first is not tested", 2.35f, 3, pricedUp(kNearest), 2.33f, 5},
      {"close 0 trims every candidate", 3, 0, pricedUp({}), 3, 0},
  };
  const Draws weights = {2 * third, third, third / 2, third / 4, third / 8};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<pTask> tasks = step(stock(c.cur, c.close), c.draws);
    EXPECT_FLOAT_EQ(priceOf(tasks), c.price);
    ASSERT_EQ(maxes_.size(), 5 + c.picks);
    const Draws before = {1, 0.1333f, 0.1333f, 1, 1};
    for (std::size_t i = 0; i < 5; ++i)
      EXPECT_FLOAT_EQ(maxes_[i], before[i]) << "draw " << i;
    for (std::size_t i = 0; i < c.picks; ++i)
      EXPECT_FLOAT_EQ(maxes_[5 + i], weights[i]) << "pick " << i;
  }
}

TEST_F(PriceStepTest, DirectionBias) {
  // With no spread the bias is exact: a direction draw equal to it goes down, one just below goes up.
  struct Case {
    int trend;
    float pe, bias;
  } cases[] = {
      {1, 5, 0.6f},       {2, 5, 0.7f},      {3, 500, 0.4f},   {4, 5, 0.2f},
      {0, -0.01f, 0.33f}, {0, 0, 0.63f},     {0, 1.1f, 0.63f}, {0, 1.11f, 0.4f},
      {0, 100, 0.4f},     {0, 100.5f, 0.3f}, {7, 0, 0.63f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("trend " + std::to_string(c.trend) + " pe " + std::to_string(c.pe));
    qxStockInfo s = stock(3, 3);
    s.trend = static_cast<std::uint8_t>(c.trend);
    s.pe = c.pe;
    EXPECT_FLOAT_EQ(priceOf(step(s, concat({kAmount150, 0, 0, c.bias, kCalm}, kFarthest))), 2.70f);
    const float below = std::nextafter(c.bias, 0.0f);
    EXPECT_FLOAT_EQ(priceOf(step(s, concat({kAmount150, 0, 0, below, kCalm}, kFarthest))), 3.30f);
  }
  // The first spread raises the bias of 0.4, the second lowers it.
  EXPECT_FLOAT_EQ(priceOf(step(stock(3, 3), concat({kAmount150, 0.1f, 0, 0.45f, kCalm}, kFarthest))), 3.30f);
  EXPECT_FLOAT_EQ(priceOf(step(stock(3, 3), concat({kAmount150, 0, 0.1f, 0.35f, kCalm}, kFarthest))), 2.70f);
}

TEST_F(PriceStepTest, PopularStocksBelowOneDrawTheDirectionAgain) {
  const float amount = 0.0005f;  // a = 133 at popularity 170 or 171
  struct Case {
    const char* name;
    int popularity;
    float cur;
    Draws draws;
    float price;
  } cases[] = {
      {"171, drawn down, re-drawn up", 171, 0.5f, concat({amount, 0, 0, kDown, 0.5f, kCalm}, kFarthest),
       0.565f},
      {"171, drawn up, re-drawn down", 171, 0.5f, concat({amount, 0, 0, kUp, 0.3f, kCalm}, kFarthest),
       0.435f},
      {"170: no re-draw", 170, 0.5f, concat({amount, 0, 0, kDown, kCalm}, kFarthest), 0.435f},
      {"171 at 1: no re-draw", 171, 1, concat({amount, 0, 0, kDown, kCalm}, kFarthest), 0.91f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FLOAT_EQ(priceOf(step(stock(c.cur, c.cur, c.popularity), c.draws)), c.price);
  }
}

TEST_F(PriceStepTest, TradedVolumeAndStatistics) {
  struct Case {
    const char* name;
    float cur;
    int popularity;
    Draws amountDraws;
    double volume;
  } cases[] = {
      {"above 2000, a 50100 shifted to 195", 2500, 256, {0.5f}, 195000},
      {"at 2000 not shifted", 2000, 256, {0.5f}, 50100000},
      {"above 2000, a 1000 not shifted", 2500, 256, {0.009005f}, 1000000},
      {"popularity 0 drawn as 51", 10, 0, {0.5f, 0.5f}, 10060000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    qxStockInfo s = stock(c.cur, c.cur, c.popularity);
    s.tradedVol = 5000;
    s.tradedAmount = 1000;
    const std::vector<pTask> tasks = step(s, concat(c.amountDraws, concat({0, 0, kUp, kCalm}, kFarthest)));
    const float p = priceOf(tasks);
    const qxORDER& stats = tasks.back().order;
    ASSERT_EQ(stats.count, 7);
    EXPECT_DOUBLE_EQ(stats.subOrders[0].number, 5000 + c.volume);
    EXPECT_DOUBLE_EQ(stats.subOrders[1].number, 1000 + c.volume * p);
  }

  // 0 counts as unset; p = 3.30.
  struct Stats {
    float wk52High, wk52Low, todayHigh, todayLow;
  };
  const float p = 3.30f;
  struct StatsCase {
    Stats before, after;
  } statsCases[] = {
      {{0, 0, 0, 0}, {p, p, p, p}},
      {{5, 1, 3.5f, 3.2f}, {5, 1, 3.5f, 3.2f}},
      {{3, 3.31f, 3.29f, 3.31f}, {p, p, p, p}},
      {{0, 3.5f, 4, 0}, {p, p, 4, p}},
  };
  const std::vector<std::string> fields = {"tradedVol", "tradedAmount", "currentPrice", "wk52Low",
                                           "wk52High",  "todayLow",     "todayHigh"};
  for (const StatsCase& c : statsCases) {
    SCOPED_TRACE("52 weeks " + std::to_string(c.before.wk52Low) + ".." + std::to_string(c.before.wk52High) +
                 ", today " + std::to_string(c.before.todayLow) + ".." + std::to_string(c.before.todayHigh));
    qxStockInfo s = stock(3, 3);
    s.wk52high = c.before.wk52High;
    s.wk52low = c.before.wk52Low;
    s.todayhigh = c.before.todayHigh;
    s.todaylow = c.before.todayLow;
    const std::vector<pTask> tasks = step(s, pricedUp());
    const qxORDER& stats = tasks.back().order;
    ASSERT_EQ(stats.subOrders.size(), fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i)
      EXPECT_EQ(stats.subOrders[i].field, fields[i]);
    EXPECT_FLOAT_EQ(stats.subOrders[2].number, p);
    EXPECT_FLOAT_EQ(stats.subOrders[3].number, c.after.wk52Low);
    EXPECT_FLOAT_EQ(stats.subOrders[4].number, c.after.wk52High);
    EXPECT_FLOAT_EQ(stats.subOrders[5].number, c.after.todayLow);
    EXPECT_FLOAT_EQ(stats.subOrders[6].number, c.after.todayHigh);

    // The assignments name real columns.
    const qxORDER bySymbol{T::textTerm("symbol", "ALPHA")};
    ASSERT_TRUE(core_.database->updateStock(&stats, &bySymbol));
    const qxStockInfo written = core_.getStockInfo("ALPHA");
    EXPECT_FLOAT_EQ(written.currentPrice, p);
    EXPECT_FLOAT_EQ(written.wk52low, c.after.wk52Low);
    EXPECT_FLOAT_EQ(written.todayhigh, c.after.todayHigh);
  }
}

TEST_F(PriceStepTest, MatchesEveryOrderThatReachesThePrice) {
  const std::vector<float> steps = QorvexCore::getPriceStepsAbove(3);
  const float p = steps[4];  // the farthest step up, as the order dialog offers it
  const int highBid = addQueueRow("ALPHA", 3.5f, 1000, true);
  const int bidAtP = addQueueRow("ALPHA", p, 100, true);
  addQueueRow("ALPHA", steps[3], 100, true);  // one step short
  const int offerAtP = addQueueRow("ALPHA", p, 50, false);
  const int lowOffer = addQueueRow("ALPHA", 3.0f, 10, false);
  addQueueRow("ALPHA", 3.38f, 10, false);  // above p
  addQueueRow("BETA", 9.0f, 10, true);     // another stock's order

  const std::vector<pTask> tasks = step(stock(3, 3), pricedUp());
  ASSERT_FLOAT_EQ(priceOf(tasks), p);

  // Each matched row: its settlement, for a bid the wishlist reset, then the message; both linked to the row.
  std::vector<int> matched;
  std::map<int, std::string> messages;
  std::size_t i = 0;
  while (i < tasks.size() && tasks[i].type == TASK_COMPLETE_QUEUE) {
    const qxQueue& row = tasks[i].queueRow;
    EXPECT_EQ(tasks[i].settles, 0) << "the settlement itself stands alone";
    matched.push_back(row.ID);
    ++i;
    if (row.isBid) {
      ASSERT_LT(i, tasks.size());
      EXPECT_EQ(tasks[i].type, TASK_UPDATE_STOCK);
      ASSERT_EQ(tasks[i].order.subOrders.size(), 1u);
      EXPECT_EQ(tasks[i].order.subOrders[0].field, "wishlist");
      EXPECT_EQ(tasks[i].order.subOrders[0].number, 0);
      EXPECT_EQ(tasks[i].settles, row.ID);
      ++i;
    }
    ASSERT_LT(i, tasks.size());
    EXPECT_EQ(tasks[i].type, TASK_INBOX);
    EXPECT_EQ(tasks[i].settles, row.ID);
    messages[row.ID] = tasks[i].symbol;
    ++i;
  }
  EXPECT_EQ(tasks.size() - i, 2u) << "then the price and the statistics";

  ASSERT_EQ(matched.size(), 4u);
  EXPECT_EQ(matched.front(), highBid) << "rows in price order, highest first";
  EXPECT_EQ(matched.back(), lowOffer);
  EXPECT_EQ((std::set<int>{matched[1], matched[2]}), (std::set<int>{bidAtP, offerAtP}));
  EXPECT_EQ(messages[highBid], "You paid THB 3,500.00 for ALPHA");
  EXPECT_EQ(messages[bidAtP], "You paid THB 330.00 for ALPHA");
  EXPECT_EQ(messages[offerAtP], "You earned THB 165.00 after selling ALPHA");
  EXPECT_EQ(messages[lowOffer], "You earned THB 30.00 after selling ALPHA");
}

}  // namespace
