#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "DbConnection.h"
#include "FileOps.h"
#include "GameFixture.h"
#include "Prandom.h"
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

constexpr int TICKS_PER_CYCLE = QorvexCore::STEPS_PER_CYCLE;
const std::string kIntMax = std::to_string(std::numeric_limits<int>::max());

std::string exact(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

void runSql(const fs::path& file, const std::string& sql) {
  platform::DbConnection db;
  db.open(file, testsupport::kPassword);
  db.executeScript(sql);
}

// A row in each table of the domain list that the played game may have left empty.
const std::string kEveryTableFilled =
    "INSERT INTO queue (symbol, marketTitle, price, qty) SELECT 'QUOR', 'Thai', 30, 100 "
    "WHERE NOT EXISTS (SELECT 1 FROM queue);"
    "INSERT INTO belonging (productID, boughtValue, currentValue) SELECT ID, saleprice, saleprice FROM "
    "product "
    "WHERE NOT EXISTS (SELECT 1 FROM belonging) ORDER BY ID LIMIT 1;"
    "INSERT INTO inbox (isRead, Message) SELECT 0, 'hello' WHERE NOT EXISTS (SELECT 1 FROM inbox);"
    "INSERT INTO dailyPrice (symbol, high, low, open, close) SELECT 'QUOR', 31, 29, 30, 30 "
    "WHERE NOT EXISTS (SELECT 1 FROM dailyPrice);"
    "INSERT INTO [index] (MarketTitle, clock, mktcap, [index]) SELECT 'Thai', 0, 1, 1 "
    "WHERE NOT EXISTS (SELECT 1 FROM [index]);"
    "INSERT INTO price (symbol, clock, price) SELECT 'QUOR', 0, 30 WHERE NOT EXISTS (SELECT 1 FROM price);"
    "INSERT INTO exchHistory DEFAULT VALUES;";

// Sets every column of the domain list, in every row, to the high or the low end of its range.
std::string everyColumnAtItsEnd(bool high) {
  const auto assignments = [high](const std::vector<domain::ColumnDomain>& columns) {
    std::string list;
    for (const domain::ColumnDomain& c : columns)
      list += (list.empty() ? "[" : ", [") + std::string(c.column) + "]=" + exact(high ? c.high : c.low);
    return list;
  };
  std::string sql;
  for (const domain::TableDomain& t : domain::tableDomains())
    sql += "UPDATE [" + std::string(t.table) + "] SET " + assignments(t.columns) + ";";
  return sql + "UPDATE profile SET " + assignments(domain::profileDomains()) + ";";
}

// A game "Ann" played for a cycle with two holdings and two passed milestones, saved in Save/.
class HostileSaveValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(resources_.path() / "data");
    testsupport::copyTemplate(core_.templatePath());
    fs::create_directories(core_.saveFolder());

    qxShare quor, vesr;
    std::strcpy(quor.symbol, "QUOR");
    quor.avg_price = 33.5f;
    quor.vol = 1000;
    std::strcpy(vesr.symbol, "VESR");
    vesr.avg_price = 100;
    vesr.vol = 20;
    ASSERT_TRUE(core_.createGame("Ann", {quor, vesr}));
    db().execSQL("UPDATE portfolio SET marketTitle='Thai', heldlength=40");
    db().passMilestone(1);
    db().passMilestone(8);
    db().loadMilestones();
    play(1);
    ASSERT_TRUE(core_.saveGame(annSave().string()));
    written_ = readBytes(annSave());
  }
  void TearDown() override { setDrawSource(nullptr); }

  qxSaveGame& db() { return *core_.database; }
  fs::path annSave() const { return core_.saveFolder() / "Ann"; }
  std::string trace() { return traces_.text(); }
  void clearTrace() { traces_.clear(); }

  void play(int cycles) {
    TickOptions options;
    options.serial = true;
    qxTickRunner runner(core_, options);
    for (int i = 0; i < cycles * TICKS_PER_CYCLE; ++i)
      runner.runTick();
  }

  // The game's own save with `sql` run on it, loaded as the Load dialog loads it.
  bool loadSpoiled(const std::string& sql) {
    writeBytes(annSave(), written_);
    runSql(annSave(), sql);
    fs::remove(annSave().string() + ".exp");
    clearTrace();
    return core_.loadGame(annSave().string());
  }

  // What a reload must give back: the profile in memory (to the twelve digits a save keeps of any
  // number, and more) and the rows of the small tables.
  std::string state() {
    const qxSaveGame& d = db();
    const qxProfile& p = d.profile;
    std::string s;
    const auto add = [&s](double v) {
      char text[32];
      std::snprintf(text, sizeof text, "%.12g|", v);
      s += text;
    };
    s += std::string(p.playerName) + "|";
    for (const double v :
         {double(d.daycount), double(d.clockTick), double(d.speed), double(d.timelineMode),
          double(d.autoSaveFreq), double(p.milestones.totalStars), p.statHighestBudget, p.statHighestPortVal,
          double(p.statLongestHolding_Val), double(p.statHighestProfit_Val)})
      add(v);
    for (int i = 0; i < 6; ++i) {
      add(p.budget[i]);
      add(d.rateExchange[i]);
    }
    const char* rows[][2] = {
        {"portfolio", "quote(symbol)||quote(vol)||quote(avg_price)||quote(heldlength)"},
        {"factors", "quote(pol_nextconsider)||quote(heal_nextconsider)||quote(seas_nextconsider)"},
        {"milestone", "quote(passed)||quote(star)"},
        {"queue", "quote(price)||quote(qty)"},
        {"market", "quote(mktCap)||quote(wk52high)"},
        {"stock",
         "quote(currentPrice)||quote(closeprice)||quote(popularity)||quote(div_dayleft)||quote(status)"},
        {"company", "quote(balance)"},
    };
    for (const auto& [table, columns] : rows) {
      s += db().connection
               ->query(std::string("SELECT group_concat(") + columns + ") FROM (SELECT * FROM [" + table +
                       "] ORDER BY rowid)")
               .at(0, 0)
               .asString();
    }
    for (const char* table : {"price", "index", "dailyPrice", "exchHistory", "inbox"})
      s += "|" +
           db().connection->query(std::string("SELECT count(*) FROM [") + table + "]").at(0, 0).asString();
    return s;
  }

  // An accepted save plays, keeps every number in its domain, saves and reloads to the same state.
  void expectPlaysSavesAndReloads(int cycles) {
    play(cycles);
    EXPECT_EQ(db().firstValueOutOfDomain(), std::nullopt);
    for (const double budget : db().profile.budget)
      EXPECT_TRUE(std::isfinite(budget));
    ASSERT_TRUE(core_.saveGame(annSave().string())) << trace();
    const std::string before = state();
    ASSERT_TRUE(core_.loadGame(annSave().string())) << trace();
    EXPECT_EQ(state(), before);
  }

  testsupport::TraceRecorder traces_;  // first in, last out: it hears the core's whole life
  testsupport::TempDir resources_, user_;
  testsupport::RecordingHost host_;
  QorvexCore core_{host_, {resources_.path(), user_.path(), {testsupport::saveCheckerProgram()}}};
  std::string written_;
};

TEST_F(HostileSaveValuesTest, OutOfRangeValuesRefuseTheSaveAndNameTheField) {
  struct Case {
    std::string sql;
    const char* field;
  } cases[] = {
      {"UPDATE portfolio SET heldlength=" + kIntMax + " WHERE symbol='VESR'", "portfolio.heldlength (row 2)"},
      {"UPDATE milestone SET star=" + kIntMax + " WHERE id=8", "milestone.star (row 8)"},
      {"UPDATE stock SET currentPrice='NaN' WHERE symbol='QUOR'", "stock.currentPrice"},
      {"UPDATE stock SET vol=9e999 WHERE symbol='QUOR'", "stock.vol"},
      {"UPDATE portfolio SET vol='inf' WHERE symbol='QUOR'", "portfolio.vol (row 1)"},
      {"UPDATE portfolio SET avg_price=-1 WHERE symbol='QUOR'", "portfolio.avg_price (row 1)"},
      {"UPDATE stock SET closeprice=-0.5 WHERE symbol='VESR'", "stock.closeprice"},
      {"UPDATE stock SET popularity=" + kIntMax + " WHERE symbol='VESR'", "stock.popularity"},
      {"UPDATE stock SET status=3 WHERE symbol='VESR'", "stock.status"},
      {"UPDATE company SET balance=1e308 WHERE symbol='QUOR'", "company.balance"},
      {"INSERT INTO price (symbol, clock, price) VALUES ('QUOR', 0, 1e308)", "price.price"},
      {"UPDATE dailyPrice SET tradedVol='nan'; INSERT INTO dailyPrice (symbol, tradedVol) VALUES ('QUOR', "
       "'nan')",
       "dailyPrice.tradedVol"},
      {"INSERT INTO queue (symbol, marketTitle, price, qty) VALUES ('QUOR', 'Thai', 30, -100)", "queue.qty"},
      {"INSERT INTO queue (symbol, marketTitle, price, qty, clockTick) VALUES ('QUOR', 'Thai', 30, 1, 20)",
       "queue.clockTick"},
      {"INSERT INTO exchHistory (rateExchange_London) VALUES (9e999)", "exchHistory.rateExchange_London"},
      {"UPDATE market SET cycleOpen=25 WHERE title='Japan'", "market.cycleOpen (row 3)"},
      {"UPDATE factors SET ecoLevel=1e30", "factors.ecoLevel"},
      {"UPDATE factors SET heal_nextconsider=-2147483648", "factors.heal_nextconsider"},
      {"UPDATE profile SET budget_THB=-1", "profile.budget_THB"},
      {"UPDATE profile SET budget_USD=1e308", "profile.budget_USD"},
      {"UPDATE profile SET budget_GBP='Infinity'", "profile.budget_GBP"},
      {"UPDATE profile SET rateExchange_London='NaN'", "profile.rateExchange_London"},
      {"UPDATE profile SET rateExchange_Japan=0", "profile.rateExchange_Japan"},
      {"UPDATE profile SET rateExchange_NewYork=-31", "profile.rateExchange_NewYork"},
      {"UPDATE profile SET rateExchange_HongKong=9e999", "profile.rateExchange_HongKong"},
      {"UPDATE profile SET statHighestPortVal=9e999", "profile.statHighestPortVal"},
      {"UPDATE profile SET clockTick=20", "profile.clockTick"},
      {"UPDATE profile SET clockTick=-1", "profile.clockTick"},
      {"UPDATE profile SET daycount=65536", "profile.daycount"},
      {"UPDATE profile SET timelineMode=2", "profile.timelineMode"},
      {"UPDATE profile SET speed=5", "profile.speed"},
      {"UPDATE profile SET autoSaveFreq=" + kIntMax, "profile.autoSaveFreq"},
      {"UPDATE profile SET playerName='../x'", "profile.playerName"},
      {"UPDATE profile SET playerName='/abs'", "profile.playerName"},
      {"UPDATE profile SET playerName='a/b'", "profile.playerName"},
      {"UPDATE profile SET playerName='..'", "profile.playerName"},
      {"UPDATE profile SET playerName='" + std::string(40, 'n') + "'", "profile.playerName"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    ASSERT_TRUE(core_.createGame("Bob"));
    writeBytes(annSave(), written_);
    runSql(annSave(), c.sql);
    const std::string spoiled = readBytes(annSave());

    EXPECT_FALSE(core_.loadGame(annSave().string()));
    EXPECT_NE(trace().find(c.field), std::string::npos) << trace();
    EXPECT_FALSE(db().connection->isOpen());
    EXPECT_EQ(readBytes(annSave()), spoiled) << "the save is left as it was";
    EXPECT_FALSE(fs::exists(annSave().string() + ".exp"));
    clearTrace();
  }
}

TEST_F(HostileSaveValuesTest, ValuesAtTheirBoundsPlaySaveAndReload) {
  using namespace domain;
  const std::string cases[] = {
      "",  // the game's own save
      "UPDATE portfolio SET heldlength=" + std::to_string(MAX_DAYS),
      "UPDATE milestone SET passed=1, star=" + std::to_string(MAX_STARS),
      "UPDATE factors SET pol_nextconsider=" + std::to_string(-MAX_COUNTDOWN) +
          ", heal_nextconsider=" + std::to_string(MAX_COUNTDOWN),
      "UPDATE profile SET daycount=" + std::to_string(MAX_DAYCOUNT) + ", clockTick=19",
      "UPDATE profile SET budget_THB=1e150, budget_USD=1e150, statHighestBudget=1e150",
      "UPDATE profile SET rateExchange_London=" + exact(MIN_RATE) + ", rateExchange_Japan=" + exact(MAX_RATE),
      "UPDATE stock SET todayhigh=NULL, todaylow=NULL, pe=" + exact(-MAX_FIGURE) +
          ", wk52high=" + exact(MAX_FIGURE) + " WHERE symbol='QUOR'",
      "UPDATE profile SET timelineMode=1, speed=32, autoSaveFreq=3, clockTick=17",
      // Every column of the domain list at one end, in every row of every table.
      kEveryTableFilled + everyColumnAtItsEnd(true),
      kEveryTableFilled + everyColumnAtItsEnd(false),
      // At the high end, on the last cycle before a month's first day, with trading stocks, a holding's
      // dividend period ending and the dividend countdown running out.
      kEveryTableFilled + everyColumnAtItsEnd(true) +
          "UPDATE profile SET daycount=30; UPDATE stock SET status=0, "
          "div_dayleft=1, div_numdays=" +
          std::to_string(MAX_DAYS - 1) + "; UPDATE portfolio SET heldlength=" + std::to_string(MAX_DAYS - 1),
  };
  for (const std::string& sql : cases) {
    SCOPED_TRACE(sql);
    ASSERT_TRUE(loadSpoiled(sql)) << trace();
    // A whole day, so that every day-end count and sum runs on the stored values.
    expectPlaysSavesAndReloads(20);
  }
}

// One column of the domain list and the values to try in its first row.
struct ColumnCase {
  std::string table;  // "profile" for the profile's
  domain::ColumnDomain column;
};

std::vector<ColumnCase> everyColumn() {
  std::vector<ColumnCase> columns;
  for (const domain::TableDomain& t : domain::tableDomains())
    for (const domain::ColumnDomain& c : t.columns)
      columns.push_back({t.table, c});
  for (const domain::ColumnDomain& c : domain::profileDomains())
    columns.push_back({"profile", c});
  return columns;
}

// Values just outside the column's range: past each end by more than the rounding a save may add (a
// small negative below a low end of 0), NULL where 0 is outside, and a whole number of the range that is
// no code where the column has a list of codes.
std::vector<std::string> valuesOutside(const domain::ColumnDomain& c) {
  std::vector<std::string> values = {
      exact(c.low == 0 ? -1e-9 : c.low - std::fabs(c.low) * 1e-12),
      exact(c.high + std::fabs(c.high) * 1e-12),
  };
  if (!(c.low <= 0 && 0 <= c.high)) values.push_back("NULL");
  if (c.codes != nullptr) {
    for (double v = c.low; v <= c.high; ++v) {
      if (domain::inDomain(c, v)) continue;
      values.push_back(exact(v));
      break;
    }
  }
  return values;
}

// The load's check of the running game's database with one value changed in the first row of a table, or
// in the profile: the field it names, or "" when it takes the value. The change is rolled back.
TEST_F(HostileSaveValuesTest, EveryColumnIsRefusedJustOutsideItsRangeAndTakenAtEachEnd) {
  db().connection->executeScript(kEveryTableFilled);
  const auto checkWith = [this](const ColumnCase& c, const std::string& value) {
    const std::string table = "[" + c.table + "]";
    const std::string firstRow =
        db().connection->query("SELECT min(rowid) FROM " + table).at(0, 0).asString();
    platform::DbTransaction change(*db().connection);
    db().connection->execute("UPDATE " + table + " SET [" + c.column.column + "]=" + value +
                             " WHERE rowid=" + firstRow);
    std::string fault;
    if (c.table == "profile") {
      try {
        db().syncProfile(PROFILE_READ);
      } catch (const std::exception& e) {
        fault = e.what();
      }
    } else {
      fault = db().firstValueOutOfDomain().value_or("");
    }
    change.rollback();
    return fault;
  };
  // What the game never writes, whatever the list says: a negative number but in these columns, and a
  // sample's clock past the last cycle of the last day.
  const std::set<std::string> mayBeNegative = {"stock.pe",
                                               "stock.eps",
                                               "stock.beta",
                                               "stock.wishlist",
                                               "stock.changeRecently",
                                               "company.sector",
                                               "queue.isUserReq",
                                               "queue.isBid",
                                               "queue.isCompleted",
                                               "belonging.productID",
                                               "belonging.instAvailable",
                                               "product.category",
                                               "milestone.passed",
                                               "inbox.isRead",
                                               "factors.pol_status",
                                               "factors.pol_nextconsider",
                                               "factors.heal_status",
                                               "factors.heal_nextconsider",
                                               "factors.seas_status",
                                               "factors.seas_nextconsider",
                                               "profile.autoUpdate",
                                               "profile.enableLargeDB",
                                               "profile.enableWizard",
                                               "profile.statHighestProfit_Val",
                                               "profile.statHighestLoss_Val"};
  const std::string pastTheLastClock = std::to_string(domain::MAX_DAYCOUNT * 10 + domain::LAST_CYCLE + 1);
  for (const ColumnCase& c : everyColumn()) {
    const std::string name = c.table + "." + c.column.column;
    const std::string firstRow =
        db().connection->query("SELECT min(rowid) FROM [" + c.table + "]").at(0, 0).asString();
    const std::string field = name + (c.table == "profile" ? " out of range" : " (row " + firstRow + ")");
    std::vector<std::string> outside = valuesOutside(c.column);
    if (mayBeNegative.count(name) == 0) outside.push_back("-1e-9");
    if (name == "price.clock" || name == "index.clock") outside.push_back(pastTheLastClock);
    for (const std::string& value : outside) {
      SCOPED_TRACE(field + " = " + value);
      EXPECT_EQ(checkWith(c, value), field);
    }
    for (const double end : {c.column.low, c.column.high}) {
      SCOPED_TRACE(field + " = " + exact(end));
      EXPECT_EQ(checkWith(c, exact(end)), "");
    }
  }
}

TEST_F(HostileSaveValuesTest, EveryNumericColumnTheGameReadsHasADomain) {
  std::set<std::string> tables = {"profile"};
  for (const domain::TableDomain& t : domain::tableDomains())
    tables.insert(t.table);
  // The version is read for what it is.
  const std::set<std::string> withoutDomain = {"profile.version"};
  for (const std::string& table : tables) {
    const platform::DbResult columns = db().connection->query("PRAGMA table_info([" + table + "])");
    ASSERT_GT(columns.rowCount(), 0u) << table;
    for (std::size_t i = 0; i < columns.rowCount(); ++i) {
      const std::string column = columns.at(i, 1).asString();
      const std::string type = columns.at(i, 2).asString();
      const bool key = columns.at(i, 5).asInteger() != 0;
      if (key || (type != "INTEGER" && type != "REAL") || withoutDomain.count(table + "." + column) != 0)
        continue;
      EXPECT_NE(domain::findDomain(table, column), nullptr) << table << "." << column;
    }
  }
}

TEST_F(HostileSaveValuesTest, StoredValuesAtTheirLimitsStayInRangeThroughTheDay) {
  // Reached without the load's check: the sums and increments themselves stay in range.
  db().execSQL("UPDATE milestone SET passed=1, star=" + kIntMax + " WHERE id<=3");
  db().loadMilestones();
  EXPECT_EQ(db().profile.milestones.totalStars, std::numeric_limits<int>::max());

  db().execSQL("UPDATE portfolio SET heldlength=" + kIntMax + " WHERE symbol='QUOR'");
  db().execSQL("UPDATE factors SET pol_nextconsider=-2147483648");
  db().profile.statLongestHolding_Val = 0;
  db().ageHoldings();
  db().countDownFactors();
  EXPECT_EQ(testsupport::queryValue(db(), "SELECT heldlength FROM portfolio WHERE symbol='QUOR'"),
            std::numeric_limits<int>::max());
  EXPECT_EQ(db().profile.statLongestHolding_Val, static_cast<float>(domain::MAX_DAYS));
  EXPECT_EQ(db().getFactors().pol_nextconsider, -domain::MAX_COUNTDOWN);

  // Exchange rates at their bounds: a day's move up leaves the highest where it is, one down the lowest.
  const float low = static_cast<float>(domain::MIN_RATE), high = static_cast<float>(domain::MAX_RATE);
  db().rateExchange[1] = low;
  db().rateExchange[2] = high;
  db().daycount = 5;  // no trend day: the rates' moves are the day's only draws
  const auto dayWithDraws = [this](std::array<float, 3> draws) {
    int call = 0;
    setDrawSource([&](float max) { return max * draws[static_cast<std::size_t>(call++ % 3)]; });
    core_.nextDay();
    setDrawSource(nullptr);
  };
  dayWithDraws({0.9f, 0.1f, 0.5f});
  EXPECT_EQ(db().rateExchange[2], high);
  EXPECT_GT(db().rateExchange[1], low) << "moved up";
  db().rateExchange[1] = low;
  dayWithDraws({0.1f, 0.5f, 0.9f});
  EXPECT_EQ(db().rateExchange[1], low);
  EXPECT_LT(db().rateExchange[2], high) << "moved down";
}

TEST_F(HostileSaveValuesTest, SingleCellMutationsAreRefusedOrPlayToTheSameState) {
  struct Cell {
    const char* table;
    const char* column;
  } cells[] = {
      {"profile", "budget_THB"},
      {"profile", "rateExchange_London"},
      {"profile", "daycount"},
      {"profile", "clockTick"},
      {"profile", "statHighestProfit_Val"},
      {"portfolio", "vol"},
      {"portfolio", "avg_price"},
      {"portfolio", "heldlength"},
      {"stock", "currentPrice"},
      {"stock", "closeprice"},
      {"stock", "vol"},
      {"stock", "popularity"},
      {"stock", "div_dayleft"},
      {"stock", "div_numdays"},
      {"stock", "trend"},
      {"company", "balance"},
      {"market", "cycleClose"},
      {"factors", "seas_nextconsider"},
      {"milestone", "star"},
      {"price", "price"},
      {"market", "mktCap"},
  };
  const char* values[] = {"NULL",   "0",     "-1",  "3.5",        "1e30",        "1e308", "9e999",
                          "-9e999", "'NaN'", "'x'", "2147483647", "-2147483648", "1e-300"};
  std::mt19937 random(1234);
  int refused = 0, played = 0;
  for (int i = 0; i < 30; ++i) {
    const Cell& cell = cells[random() % std::size(cells)];
    const char* value = values[random() % std::size(values)];
    const std::string sql = std::string("UPDATE [") + cell.table + "] SET [" + cell.column + "]=" + value +
                            " WHERE rowid=(SELECT rowid FROM [" + cell.table +
                            "] ORDER BY rowid LIMIT 1 OFFSET " + std::to_string(random() % 8) +
                            " % (SELECT count(*) FROM [" + cell.table + "]))";
    SCOPED_TRACE(sql);
    if (!loadSpoiled(sql)) {
      ++refused;
      EXPECT_NE(trace().find(std::string(".") + cell.column), std::string::npos) << trace();
      continue;
    }
    ++played;
    expectPlaysSavesAndReloads(2);
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(played, 0);
}

}  // namespace
