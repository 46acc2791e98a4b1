#include "DbConnection.h"
#include "Qorvex6class.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

constexpr int CYCLES_PER_DAY = 20;

// The cycle after `current`; both timelines end a day by moving to 20.
int followingCycle(int current, int timelineMode) {
  if (timelineMode == 0) return current + 1 > CYCLES_PER_DAY ? 0 : current + 1;
  for (const int visited : {2, 9, 11, 18, 20}) {
    if (current < visited) return visited;
  }
  return 0;
}

// Whether the timeline plays the cycle: every one in Realtime, five of them in Swift.
bool isVisitedCycle(int cycle, int timelineMode) {
  if (timelineMode == 0) return cycle >= 0 && cycle < CYCLES_PER_DAY;
  return cycle == 0 || cycle == 2 || cycle == 9 || cycle == 11 || cycle == 18;
}

}  // namespace

void QorvexCore::tick(bool* newCycle, std::queue<qxStockInfo>* stocks, int* next) {
  *newCycle = false;
  int current = step.load() + 1;
  if (current >= stepsPerCycle) current = 0;
  step.store(current);
  if (current == 0) {
    nextCycle(stocks, next);
    *newCycle = true;
  }
}

void QorvexCore::nextCycle(std::queue<qxStockInfo>* stocks, int* next) {
  // A boundary that fails part-way leaves nothing behind, so its retry never closes a market twice.
  platform::DbTransaction transaction(*database->connection);
  database->loadMilestones();
  const int current = database->clockTick;
  *next = followingCycle(current, database->timelineMode);
  *stocks = {};

  const pList<qxMarketInfo> markets = database->getMarkets(nullptr);
  for (const qxMarketInfo& market : markets.items) {
    const std::string title = market.title;
    const int hour = getWorkHour(marketIndexOf(title), current);
    if (hour >= CLOSING_WORK_HOUR) {
      closeMarket(title);
    } else if (hour >= 1) {
      if (hour == 1) openMarket(title);
      const qxORDER byMarket{T::textTerm("marketTitle", title)};
      const pList<qxStockInfo> listed = database->getStocks(&byMarket);
      for (const qxStockInfo& stock : listed.items) {
        // Two named draws: the first spread raises the value, the second lowers it.
        const float raise = randomFloat(0.09f);
        const float lower = randomFloat(0.09f);
        double p = stock.popularity / 255.0 + raise - lower;
        if (p > 0.85) p = 0.85;
        if (p < 0.1) p = 0.1;
        const double r = 0.4 + randomFloat(0.6f);
        if (r >= p) stocks->push(stock);
      }
    }
  }
  transaction.commit();
}

void QorvexCore::concludeAfterCycle(std::uint16_t next) {
  // One transaction for the cycle's conclusion and the roll-overs. A failing step is traced and the
  // others still run: the clock always moves on, so a cycle never runs twice.
  platform::DbTransaction transaction(*database->connection);
  const auto attempt = [](const char* what, const auto& step) {
    try {
      step();
    } catch (const std::exception& e) {
      debugLog(std::string("concludeAfterCycle: ") + what + " failed: " + e.what());
    }
  };
  attempt("the portfolio value", [this] {
    const double portfolioValue = getPortfolioValue();
    // Stored with the profile write below.
    if (portfolioValue > database->profile.statHighestPortVal)
      database->profile.statHighestPortVal = portfolioValue;
  });
  database->clockTick = next;
  if (next >= CYCLES_PER_DAY) {
    database->clockTick = 0;
    attempt("the day roll-over", [this] { nextDay(); });
    if (database->daycount % 30 == 1) attempt("the month roll-over", [this] { nextMonth(); });
    if (database->daycount % 360 == 1) attempt("the year roll-over", [this] { nextYear(); });
  }
  database->syncProfile(PROFILE_WRITE);
  attempt("the milestone check", [this] { checkCycleMilestones(); });
  transaction.commit();
}

int QorvexCore::getWorkHour(int market, int cycle) const {
  switch (market) {
    case 0:  // Thai
    case 3:  // Singapore
      return cycle >= 9 && cycle <= 18 ? cycle - 8 : 0;
    case 1:  // London: its tenth hour falls in cycle 0 of the next day
      if (cycle == 0) return 10;
      return cycle >= 11 && cycle <= 20 ? cycle - 10 : 0;
    case 2:  // Japan
    case 5:  // HongKong
      return cycle >= 2 && cycle <= 11 ? cycle - 1 : 0;
    case 4:  // NewYork
      return cycle >= 0 && cycle <= 9 ? cycle + 1 : 0;
    default:
      return 0;
  }
}

int QorvexCore::getMarketHour(int market) const {
  const int hour = getWorkHour(market, database->clockTick);
  return hour == 0 ? -1 : hour;
}

bool QorvexCore::acceptsOrders(int market) const {
  const int hour = getWorkHour(market, database->clockTick);
  return hour >= 1 && hour < CLOSING_WORK_HOUR;
}

int QorvexCore::getSessionSamples(int market) const {
  const int hour = getMarketHour(market);
  int samples = 0;
  // Each work hour falls in one cycle of the day; a visited hour before the current one stored a sample.
  for (int cycle = 0; cycle < CYCLES_PER_DAY; ++cycle) {
    const int h = getWorkHour(market, cycle);
    if (h >= 1 && h < hour && isVisitedCycle(cycle, database->timelineMode)) ++samples;
  }
  return samples;
}

std::optional<double> QorvexCore::getSessionChange(int market, const pList<qxMktIndex>& newestFirst) const {
  if (getMarketHour(market) == -1) return std::nullopt;
  const int reference = getSessionSamples(market);
  if (newestFirst.count() <= reference) return std::nullopt;
  const float base = newestFirst.at(reference).index;
  if (!(base > 0)) return std::nullopt;
  return (static_cast<double>(newestFirst.at(0).index) - base) * 100 / base;
}

void QorvexCore::openMarket(const std::string& title) {
  debugLog("--OPEN MARKET--");
  database->resetStockDay(title);
}

void QorvexCore::closeMarket(const std::string& title) {
  debugLog("--CLOSE MARKET--");
  for (const int status : {8, 4}) {
    const qxORDER clear{T::numberTerm("status", 0)};
    const qxORDER which{T::numberTerm("status", status), T::textTerm("marketTitle", title)};
    database->updateStock(&clear, &which);
  }
  database->clearMarketQueue(title);
  const std::string ofMarket = " WHERE [marketTitle]=" + sqlText(title);
  database->debugExecSQL(DEBUG_SQL_TRIGGER, "UPDATE [stock] SET [closePriceY]=[closePrice]" + ofMarket);
  database->debugExecSQL(DEBUG_SQL_TRIGGER, "UPDATE [stock] SET [closePrice]=[currentPrice]" + ofMarket);
  database->archiveDailyPrices(title);
  database->debugExecSQL(DEBUG_SQL_TRIGGER, "UPDATE [stock] SET [tradedVol]=0, [tradedAmount]=0" + ofMarket);
}

}  // namespace Qorvex6
