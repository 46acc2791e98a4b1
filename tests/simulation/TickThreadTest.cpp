#include <gtest/gtest.h>

#include <sqlcipher/sqlite3.h>

#include <atomic>
#include <set>

#include "GameFixture.h"
#include "Qorvex6class.h"
#include "RecordingHost.h"
#include "TestDatabase.h"
#include "qx_Thread.h"

namespace {

using namespace Qorvex6;
using Events = std::vector<std::string>;

// Sixty New York stocks at popularity 0: all trade in every cycle New York is open (0 to 9).
const std::string kFixture =
    "INSERT INTO profile (version, joinDate, rateExchange_Thai, rateExchange_London, rateExchange_Japan,"
    " rateExchange_Singapore, rateExchange_NewYork, rateExchange_HongKong, budget_USD) VALUES"
    " (670, '01/01/2500', 1, 49, 0.4, 25, 31, 4, 100000);"
    "INSERT INTO factors (pol_nextconsider) VALUES (10);" +
    testsupport::kSixMarkets +
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60)"
    " INSERT INTO stock (symbol, marketTitle, vol, currentPrice, closeprice, closepriceY, popularity, pe,"
    " div_numdays, div_dayleft) SELECT 'NY' || i, 'NewYork', 1000000, 50, 50, 50, 0, 15, 60, 50 FROM n;"
    "INSERT INTO stock (symbol, marketTitle, vol, currentPrice, closeprice, closepriceY, div_numdays, "
    "div_dayleft)"
    " VALUES ('THAI1', 'Thai', 1000, 10, 10, 10, 60, 50);";

class TickThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.file("game.db");
    testsupport::openFixtureGame(core_, file_, kFixture);
  }
  void TearDown() override {
    QorvexCore::setTraceSink(nullptr);
    setDrawSource(nullptr);
  }
  int count(const std::string& sql) { return testsupport::queryCount(*core_.database, sql); }
  void runTicks(qxTickRunner& runner, int n) {
    for (int i = 0; i < n; ++i)
      runner.runTick();
  }

  testsupport::TempDir dir_;
  std::filesystem::path file_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_};
};

TEST_F(TickThreadTest, TicksHandOffToTheWindowsOutsideTheLock) {
  qxTickRunner runner(core_);
  runner.runTick(true);
  EXPECT_EQ(host_.handOffs(), (Events{"tickStarted", "repaint", "tickFinished save"}))
      << "a tick inside a cycle";
  EXPECT_EQ(core_.database->clockTick, 0);

  host_.clear();
  runTicks(runner, 9);
  const Events all = host_.handOffs();
  const Events last(all.end() - 8, all.end());
  EXPECT_EQ(last, (Events{"tickStarted", "repaint", "writing on", "writing off", "writing on", "writing off",
                          "cycleFinished", "tickFinished cycle"}));
  EXPECT_EQ(host_.handOffsUnderLock(), 0);
  EXPECT_EQ(core_.database->clockTick, 1);
  EXPECT_EQ(count("SELECT count(*) FROM price") + count("SELECT count(*) FROM stock WHERE status IN (4, 8)"),
            60)
      << "every chosen stock got its price step, or drew a halt or a suspension";
  EXPECT_EQ(count("SELECT count(*) FROM [index] WHERE MarketTitle='NewYork'"), 1)
      << "one conclusion per market";
  EXPECT_EQ(count("SELECT count(*) FROM [index]"), 1);
}

TEST_F(TickThreadTest, WorkersStayWithinTheLimitAndAllEndBeforeAnyTaskIsApplied) {
  std::mutex lock;
  std::atomic<int> alive{0};
  int mostAlive = 0;
  Events events;
  QorvexCore::setTraceSink([&](std::string_view line) {
    if (line.rfind("BEGIN THREAD PROCESS", 0) == 0) {
      const int now = ++alive;
      {
        std::lock_guard guard(lock);
        mostAlive = std::max(mostAlive, now);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
    } else if (line.rfind("END THREAD PROCESS", 0) == 0) {
      --alive;
      std::lock_guard guard(lock);
      events.emplace_back("end");
    }
  });
  host_.onHandOff = [&](const std::string& name) {
    std::lock_guard guard(lock);
    events.push_back(name);
  };
  qxTickRunner runner(core_);
  runTicks(runner, 10);

  EXPECT_EQ(mostAlive, 25);
  const auto firstWrite = std::find(events.begin(), events.end(), "writing on");
  ASSERT_NE(firstWrite, events.end());
  EXPECT_EQ(std::count(events.begin(), firstWrite, "end"), 60) << "all 60 price steps end first";
  EXPECT_EQ(std::count(firstWrite, events.end(), "end"), 0);
}

TEST_F(TickThreadTest, AnEmptyCycleIsConcludedToo) {
  core_.database->clockTick = 19;  // only London trades, and it lists nothing
  qxTickRunner runner(core_);
  runTicks(runner, 10);
  EXPECT_EQ(core_.database->clockTick, 0);
  EXPECT_EQ(core_.database->daycount, 1) << "the day rolled over";
  const Events all = host_.handOffs();
  EXPECT_EQ(Events(all.end() - 6, all.end()), (Events{"tickStarted", "repaint", "writing on", "writing off",
                                                      "cycleFinished", "tickFinished cycle"}));
}

TEST_F(TickThreadTest, AFailingMasterReleasesEverythingAndTheClockGoesOn) {
  core_.database->execSQL("ALTER TABLE portfolio RENAME TO portfolio_away");  // concluding the cycle fails
  qxTickRunner runner(core_);
  runTicks(runner, 10);
  EXPECT_EQ(host_.handOffs().back(), "tickFinished cycle");
  EXPECT_EQ(core_.database->clockTick, 1) << "the failed cycle is concluded: it never runs twice";
  ASSERT_TRUE(host_.gameLock().try_lock()) << "the game lock is free";
  host_.gameLock().unlock();

  core_.database->execSQL("ALTER TABLE portfolio_away RENAME TO portfolio");
  runTicks(runner, 10);
  EXPECT_EQ(core_.database->clockTick, 2);
}

TEST_F(TickThreadTest, AWorkerFailureOfAnyKindIsTracedAndTheCycleEnds) {
  std::mutex lock;
  Events traced;
  QorvexCore::setTraceSink([&](std::string_view line) {
    if (line.find("ERROR") == std::string_view::npos) return;
    std::lock_guard guard(lock);
    traced.emplace_back(line);
  });
  // The price step's first draw (the popularity of a stock at 0) fails; the boundary's draws do not.
  const auto failWith = [](auto failure) {
    setDrawSource([failure](float max) -> float {
      if (max == 1.0f) throw failure;
      return max * 0.5f;
    });
  };
  const struct {
    const char* kind;
    std::function<void()> install;
    std::string line;
    long times;
  } cases[] = {
      {"standard", [&] { failWith(std::runtime_error("no draw")); },
       "ERROR while generateNewPrice NY1 : no draw", 1},
      {"other", [&] { failWith(42); }, "THREAD ERROR - while processSingleStock", 60},
  };
  qxTickRunner runner(core_);
  int clockTick = core_.database->clockTick;
  for (const auto& c : cases) {
    traced.clear();
    c.install();
    runTicks(runner, 10);
    setDrawSource(nullptr);
    EXPECT_EQ(core_.database->clockTick, ++clockTick) << c.kind << ": the cycle is concluded";
    std::lock_guard guard(lock);
    EXPECT_EQ(std::count(traced.begin(), traced.end(), c.line), c.times) << c.kind;
  }
}

// The messages tell what the settlements did: a bid whose budget was spent elsewhere says it lapsed, an
// offer for more than is held reports the proceeds of the shares that were held.
TEST_F(TickThreadTest, OnlyWhatASettlementDidIsReportedAndClearsTheWishlist) {
  core_.database->execSQL("UPDATE stock SET wishlist=1 WHERE symbol IN ('NY1', 'NY2')");
  ASSERT_TRUE(core_.placeOrder(true, "NY1", "NewYork", 1000, 60));  // USD 60,000 of 100,000
  ASSERT_TRUE(core_.placeOrder(true, "NY2", "NewYork", 1000, 10));
  const double spent = core_.quoteTransfer(50000, 4, 0).debit;
  ASSERT_EQ(core_.transferMoney(50000, 4, 0), TransferResult::Transferred);  // NY1 is no longer covered
  core_.database->execSQL(
      "INSERT INTO portfolio (symbol, avg_price, vol, marketTitle) VALUES ('NY3', 40, 10, 'NewYork')");
  ASSERT_TRUE(core_.addOffer("NY3", "NewYork", 20, 25, true));
  // Mid-range draws: every chosen stock gets a price, none draws a halt or a suspension.
  setDrawSource([](float max) { return max * 0.5f; });
  qxTickRunner runner(core_);
  runTicks(runner, 10);
  setDrawSource(nullptr);

  EXPECT_EQ(core_.getHeldVolume("NY1"), 0);
  EXPECT_TRUE(core_.getStockInfo("NY1").wishlist) << "a lapsed bid leaves the wishlist alone";
  EXPECT_EQ(core_.getHeldVolume("NY2"), 10);
  EXPECT_FALSE(core_.getStockInfo("NY2").wishlist);
  std::vector<std::string> messages;
  for (const qxInbox& m : core_.getInbox(false).items)
    messages.emplace_back(m.Message);
  std::sort(messages.begin(), messages.end());
  EXPECT_EQ(messages, (std::vector<std::string>{"You earned USD 200.00 after selling NY3",
                                                "You paid USD 10,000.00 for NY2",
                                                "Your bid for NY1 lapsed: not enough USD."}));
  EXPECT_EQ(core_.getHeldVolume("NY3"), 0);
  EXPECT_DOUBLE_EQ(core_.database->profile.budget[4], 100000 - spent - 10000 + 200);
  EXPECT_EQ(count("SELECT count(*) FROM queue"), 0);
}

// A cycle's writes that do not reach the disk leave memory as the disk has it: a fill that was rolled
// back charges nothing in a later profile write, a conclusion rolled back leaves the clock where the disk
// has it. A busy commit is tried again.
TEST_F(TickThreadTest, AFailedCommitLeavesMemoryAsTheDiskHasIt) {
  const struct {
    const char* what;
    int failedCommit;  // of the cycle's commits: 1 the boundary, 2 the settlements, 3 the conclusion
    int code;
    double budget;
    double held;
    int clockTick;
  } cases[] = {
      {"settlements busy once", 2, SQLITE_BUSY, 90000, 10, 1},
      {"settlements", 2, SQLITE_IOERR_WRITE, 100000, 0, 1},
      {"conclusion", 3, SQLITE_FULL, 90000, 10, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempDir dir;
    testsupport::RecordingHost host;
    QorvexCore core(host);
    testsupport::openFixtureGame(core, dir.file("game.db"), kFixture);
    ASSERT_TRUE(core.addBid("NY2", "NewYork", 1000, 10, true));
    int commits = 0;
    core.database->connection->setCommitFaultHook([&] { return ++commits == c.failedCommit ? c.code : 0; });
    std::atomic<bool> reread{false};  // workers trace too
    QorvexCore::setTraceSink([&](std::string_view line) {
      if (line.find("read again") != line.npos) reread = true;
    });
    setDrawSource([](float max) { return max * 0.5f; });
    qxTickRunner runner(core);
    runTicks(runner, 10);
    setDrawSource(nullptr);
    QorvexCore::setTraceSink(nullptr);
    core.database->connection->setCommitFaultHook(nullptr);

    EXPECT_EQ(reread.load(), c.code != SQLITE_BUSY);
    EXPECT_DOUBLE_EQ(core.database->profile.budget[4], c.budget);
    EXPECT_DOUBLE_EQ(testsupport::queryValue(*core.database, "SELECT budget_USD FROM profile"), c.budget);
    EXPECT_EQ(core.getHeldVolume("NY2"), c.held);
    EXPECT_EQ(core.database->clockTick, c.clockTick);
    EXPECT_EQ(testsupport::queryValue(*core.database, "SELECT clockTick FROM profile"), c.clockTick);
  }
}

// The day's open price: a stock that settles an order or records a price opens at the price it had
// before; while the open is 0 or still the close once the price is recorded, the recorded price is the
// open.
TEST_F(TickThreadTest, TheOpenPriceIsFixedUpBySettlementsAndPriceSteps) {
  core_.database->clockTick = 1;  // New York trades and opens no new day
  const struct {
    const char* symbol;
    float current, open;
    bool settles;
    float expectedOpen;  // 0: the price the step recorded
  } cases[] = {{"NY1", 52, 0, true, 52},
               {"NY2", 50, 0, false, 0},
               {"NY3", 50, 50, false, 0},
               {"NY4", 50, 51, false, 51}};
  for (const auto& c : cases) {
    core_.database->execSQL("UPDATE stock SET currentPrice=" + std::to_string(c.current) +
                            ", openPrice=" + std::to_string(c.open) + " WHERE symbol='" + c.symbol + "'");
    if (c.settles) {
      ASSERT_TRUE(core_.addBid(c.symbol, "NewYork", 1000, 10, true));
    }
  }
  setDrawSource([](float max) { return max * 0.5f; });
  qxTickRunner runner(core_);
  runTicks(runner, 10);
  setDrawSource(nullptr);
  EXPECT_EQ(core_.getHeldVolume("NY1"), 10);
  for (const auto& c : cases) {
    const qxStockInfo stock = core_.getStockInfo(c.symbol);
    ASSERT_NE(stock.currentPrice, c.current) << c.symbol << " got a new price";
    EXPECT_FLOAT_EQ(stock.openPrice, c.expectedOpen == 0 ? stock.currentPrice : c.expectedOpen) << c.symbol;
  }
}

// Every draw scripted alike: all sixty New York stocks are chosen in each cycle New York trades, and the
// halt draw of their price steps decides (0.86 halts, 0.96 suspends, 0.5 prices).
TEST_F(TickThreadTest, HaltsLastOneChosenStepAndSuspensionsLastUntilTheMarketCloses) {
  core_.database->clockTick = 1;
  qxTickRunner runner(core_);
  const auto cycle = [&](float draw) {
    const std::string newYorkPrices = "SELECT count(*) FROM price WHERE symbol LIKE 'NY%'";
    const int pricesBefore = count(newYorkPrices);
    setDrawSource([draw](float max) { return max * draw; });
    runTicks(runner, 10);
    setDrawSource(nullptr);
    return count(newYorkPrices) - pricesBefore;
  };
  const auto inStatus = [&](int status) {
    return count("SELECT count(*) FROM stock WHERE marketTitle='NewYork' AND status=" +
                 std::to_string(status));
  };
  EXPECT_EQ(cycle(0.86f), 0);
  EXPECT_EQ(inStatus(8), 60) << "cycle 1 halts";
  EXPECT_EQ(cycle(0.5f), 0) << "the next chosen step only clears the halt";
  EXPECT_EQ(inStatus(0), 60);
  EXPECT_EQ(cycle(0.5f), 60) << "and the one after prices again";

  EXPECT_EQ(cycle(0.96f), 0);
  EXPECT_EQ(inStatus(4), 60) << "cycle 4 suspends";
  for (int c = 5; c <= 8; ++c) {
    EXPECT_EQ(cycle(0.5f), 0) << "cycle " << c;
    EXPECT_EQ(inStatus(4), 60) << "cycle " << c;
  }
  cycle(0.5f);  // cycle 9 closes New York
  EXPECT_EQ(inStatus(0), 60);
  while (core_.database->clockTick != 0)
    EXPECT_EQ(cycle(0.5f), 0) << "New York is closed";
  core_.database->execSQL("UPDATE stock SET popularity=0");  // as chosen as before the day's trend update
  EXPECT_EQ(cycle(0.5f), 60) << "the next day prices again";
}

TEST_F(TickThreadTest, SerialTicksAreRepeatable) {
  const auto play = [&](const std::filesystem::path& file) {
    testsupport::RecordingHost host;
    QorvexCore core(host);
    core.database->openDatabase(file.string(), testsupport::kPassword);
    core.database->readProfile();
    resetDigitPool();
    int millisecond = 0;
    setMillisecondSource([&] { return millisecond++ % 1000; });
    TickOptions options;
    options.serial = true;
    qxTickRunner runner(core, options);
    for (int i = 0; i < 30; ++i)
      runner.runTick();
    setMillisecondSource(nullptr);
    std::vector<double> prices;
    const auto rows = core.database->connection->query("SELECT price FROM price ORDER BY ID");
    for (std::size_t r = 0; r < rows.rowCount(); ++r)
      prices.push_back(rows.at(r, 0).asFloat());
    return prices;
  };
  const auto second = dir_.file("second.db");
  std::filesystem::copy_file(file_, second);
  const auto a = play(file_);
  const auto b = play(second);
  EXPECT_GT(a.size(), 100u);
  EXPECT_EQ(a, b);
  resetDigitPool();
}

// Plays the template with real tick threads: bids and offers placed as the dialog does fill into
// the portfolio.
TEST(TickThreadOnTheTemplate, BidsAndOffersFillOverGameDays) {
  testsupport::TempDir dir;
  const auto file = dir.file("game.db");
  testsupport::copyTemplate(file);
  testsupport::RecordingHost host;
  QorvexCore core(host);
  core.database->openDatabase(file.string(), testsupport::kPassword);
  core.database->readProfile();
  core.database->profile.budget[4] = 1e7;
  core.database->syncProfile(PROFILE_WRITE);

  const auto newYork = core.getStocksWithCompany("NewYork", 0);
  ASSERT_GE(newYork.count(), 10);
  for (int i = 0; i < 10; ++i) {
    const qxStockInfo s = newYork.at(i).stock;
    ASSERT_TRUE(core.addBid(s.symbol, s.marketTitle, s.currentPrice * 1.5f, 100, true));
  }
  qxTickRunner runner(core);
  while (core.database->clockTick < 10)
    runner.runTick();
  const auto held = core.getPortfolio();
  ASSERT_GT(held.count(), 0) << "bids at 1.5 times the price fill within New York's day";
  EXPECT_LT(core.database->profile.budget[4], 1e7);
  bool paid = false;
  for (const qxInbox& m : core.getInbox(false).items)
    paid |= std::string(m.Message).rfind("You paid ", 0) == 0;
  EXPECT_TRUE(paid);

  // The next day New York opens again; offers at the lowest price sell everything.
  while (core.database->daycount < 1)
    runner.runTick();
  for (const qxShare& h : held.items)
    ASSERT_TRUE(core.addOffer(h.symbol, h.marketTitle, 0.01f, h.vol, true));
  while (core.database->clockTick < 10)
    runner.runTick();
  EXPECT_LT(core.getPortfolio().count(), held.count()) << "offers fill too";
  EXPECT_EQ(host.handOffsUnderLock(), 0);
}

}  // namespace
