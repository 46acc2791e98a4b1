#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "NumberText.h"
#include "Ptrendanalytic.h"
#include "Qorvex6class.h"
#include "Qorvex6domain.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

// How the economic level and the health, seasonal and political stability act on each sector.
constexpr std::array<std::array<float, 4>, 15> kSectorWeights = {{
    {0.45f, 0.01f, 0.1f, 0.15f},   // 1 Industry
    {0.56f, 0.05f, 0.7f, 0.15f},   // 2 Agriculture / Food
    {0.35f, 0.0f, 0.01f, 0.1f},    // 3 Mining
    {0.1f, 0.6f, 0.1f, 0.05f},     // 4 Medical Services
    {0.7f, 0.25f, 0.15f, 0.15f},   // 5 Commerce
    {0.2f, 0.1f, 0.0f, 0.09f},     // 6 Assurance
    {0.35f, 0.1f, 0.1f, 0.05f},    // 7 Technologies
    {0.67f, 0.1f, 0.25f, 0.25f},   // 8 Property & Construction
    {0.5f, 0.1f, 0.0f, 0.25f},     // 9 Bank & Finance
    {0.35f, 0.15f, 0.15f, 0.1f},   // 10 Communication
    {0.2f, 0.0f, 0.01f, 0.09f},    // 11 Power
    {0.65f, 0.15f, 0.05f, 0.25f},  // 12 Vehicles
    {0.18f, 0.01f, 0.01f, 0.05f},  // 13 Media & Publishing
    {0.55f, 0.01f, 0.76f, 0.33f},  // 14 Textile & Clothings
    {0.63f, 0.5f, 0.4f, 0.32f},    // 15 Transportation
}};

// The monthly draw's bound: an eighth of the balance as a 32-bit whole number, clamped to its range.
std::int32_t eighthOf(double balance) {
  const double bound = std::trunc(balance * 0.125);
  if (!(bound > 0)) return 0;
  if (bound >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(bound);
}

// One foreign exchange rate's daily move: up or down by 1.25 % or unchanged, a third of the chance each;
// never past the range a save may hold.
float movedRate(float rate) {
  const float r0 = randomFloat(1.0f);
  const float r1 = randomFloat(1.0f);
  const float r2 = randomFloat(1.0f);
  float moved = rate;
  if (r0 > r2 && r0 > r1) moved = rate * 1.0125f;
  if (r2 > r0 && r2 > r1) moved = rate * 0.9875f;
  return std::clamp(moved, static_cast<float>(domain::MIN_RATE), static_cast<float>(domain::MAX_RATE));
}

}  // namespace

void QorvexCore::concludeMarket(const qxMarketInfo* market) {
  const std::string title = market->title;
  const int m = marketIndexOf(title);
  // The sum as a float (at most FLT_MAX) is the market's; the index sample and the level are figures.
  const double capitalisation = database->readSingleFloat(
      "SELECT SUM([vol]*[currentPrice]) AS [c] FROM [Stock] WHERE MarketTitle=" + sqlText(title), "c");
  const float level = domain::clampedFigure(capitalisation / getIndexBase(m));
  database->insertIndex(title, 0, domain::clampedFigure(capitalisation));
  const qxORDER byTitle{T::textTerm("title", title)};
  const qxORDER cap{T::numberTerm("mktcap", capitalisation)};
  database->updateMarket(&cap, &byTitle);

  // The range lives on the level scale, compared as the floats it was written from.
  const float high = static_cast<float>(market->wk52high);
  const float low = static_cast<float>(market->wk52low);
  const float newHigh = (level > high || high == 0) ? level : high;
  const float newLow = (level < low || low == 0) ? level : low;
  if (newHigh != high || newLow != low) {
    const qxORDER range{T::numberTerm("wk52High", newHigh), T::numberTerm("wk52Low", newLow)};
    database->updateMarket(&range, &byTitle);
  }
}

void QorvexCore::nextDay() {
  qxSaveGame& db = *database;
  ++db.daycount;
  db.syncProfile(PROFILE_WRITE);
  db.ageHoldings();
  db.countDownDividends();
  db.deleteQueue(nullptr);

  std::string payments;
  if (db.payDividends(payments)) {
    host_.postPopup("You earn dividend revenue.", payments, 0);
    addInbox(payments);
  }
  db.resetDividendCountdown();
  const qxORDER exDividend{T::numberTerm("status", 1)};
  const qxORDER weekBefore{T::numberTerm("div_dayleft", 7)};
  db.updateStock(&exDividend, &weekBefore);

  // The holding-period dividend, on the days a holding's age completes another dividend period.
  const pList<qxShare> holdings = db.getPortfolio(nullptr);
  for (const qxShare& holding : holdings.items) {
    const int m = marketIndexOf(holding.marketTitle);
    const qxORDER bySymbol{T::textTerm("symbol", holding.symbol)};
    const qxStockInfo stock = db.getStocks(&bySymbol).first();
    if (m < 0 || !stock.isLoaded || stock.vol <= 0 || stock.div_numdays <= 0) continue;
    if (holding.heldlength % stock.div_numdays != 1 || stock.div_numdays > holding.heldlength) continue;
    // In floats, each step kept inside the float range.
    const float share = domain::narrowed(holding.vol / stock.vol);
    float amount = domain::narrowed(stock.div_perShare * share * 0.01f);
    amount = domain::narrowed(holding.vol * amount);
    amount = domain::narrowed(stock.div_yield * amount);
    db.profile.budget[m] = domain::clampedAmount(db.profile.budget[m] + amount);
  }
  db.syncProfile(PROFILE_WRITE);

  float rates[6];
  rates[0] = db.rateExchange[0];
  for (int i = 1; i < 6; ++i)
    rates[i] = movedRate(db.rateExchange[i]);
  db.recordExchangeRates(rates);

  if (db.daycount % 10 == 1) updateTrends();
  db.countDownFactors();
}

void QorvexCore::nextMonth() {
  qxSaveGame& db = *database;
  monthlyRandom_.seed(monthlySeed());
  const qxEconomicFactor factors = db.getFactors();
  const pList<qxCompanyInfo> companies = db.getCompanies(nullptr);
  for (const qxCompanyInfo& company : companies.items) {
    const qxORDER bySymbol{T::textTerm("symbol", company.symbol)};
    const pList<qxStockInfo> stocks = db.getStocks(&bySymbol);
    if (stocks.count() == 0) continue;

    const std::vector<float> w = getSectorFactorWeights(company.sector);
    const float e0 = factors.ecoLevel * w[0];
    const float e1 = factors.heal_stability * w[1];
    const float e2 = factors.seas_stability * w[2];
    const float e3 = factors.pol_stability * w[3];
    const double balance = company.balance;
    double income = monthlyRandom_.below(eighthOf(balance)) + 0.25 * balance;
    double expenditure = monthlyRandom_.below(eighthOf(balance)) + 0.2 * balance;
    income += 0.15 * e0 * balance + 0.09 * e1 * balance + 0.12 * e3 * balance + 0.11 * e2 * balance;
    expenditure += 0.14 * e0 * balance + 0.08 * e1 * balance + 0.11 * e3 * balance + 0.1 * e2 * balance;
    const double profit = income - expenditure;
    const double newBalance = domain::clampedAmount(balance + profit);

    const qxStockInfo stock = stocks.first();
    const float eps = stock.vol == 0 ? 0.0f : domain::clampedFigure(profit / stock.vol);
    const float pe = eps == 0 ? 0.0f : domain::clampedFigure(stock.currentPrice / eps);
    const qxORDER ratios{T::numberTerm("pe", pe), T::numberTerm("eps", eps)};
    db.updateStock(&ratios, &bySymbol);

    qxFinanceReport report;
    report.balance = newBalance;
    report.incomes = income;
    report.expenditures = expenditure;
    report.Company = company.company;
    db.insertCompanyFinance(&report);
    const qxORDER newBalanceTerm{T::numberTerm("balance", newBalance)};
    const qxORDER byName{T::textTerm("company", company.company)};
    db.updateCompany(&newBalanceTerm, &byName);
  }

  const double pay = 2000.0 * db.profile.milestones.totalStars;
  if (pay > 0) {
    db.profile.budget[4] = domain::clampedAmount(db.profile.budget[4] + pay);
    db.syncProfile(PROFILE_WRITE);
    host_.postPopup("Monthly Income",
                    platform::formatNumber("You are paid $%0.0n for conquering achievement milestones.", pay),
                    0);
  }
}

void QorvexCore::nextYear() {}

bool QorvexCore::updateTrends() {
  using namespace TrendAnalytic;
  const pList<qxStockInfo> stocks = database->getStocks(nullptr);
  pTrendFitter fitter;
  for (const qxStockInfo& stock : stocks.items) {
    const int r0 = static_cast<int>(randomFloat(1.0f) * 100);
    const int r1 = static_cast<int>(randomFloat(1.0f) * 1005);
    const int r2 = static_cast<int>(randomFloat(1.0f) * 100255);

    fitter.clear();
    const qxORDER bySymbol{T::textTerm("symbol", stock.symbol)};
    const pList<qxStockPrice> prices = database->getPrices(&bySymbol, 20);
    for (const qxStockPrice& price : prices.items)
      fitter.add(price.price);
    // A series too short to fit counts as of no direction.
    std::uint8_t trendClass = TREND_UNKNOWN;
    std::uint8_t strength = 0;
    fitter.fit(&trendClass, &strength);

    const int p = stock.popularity & 0xFF;
    int newPopularity = 0;
    int newTrend = 0;
    switch (trendClass) {
      case TREND_UNKNOWN:
        newPopularity = r2 % 256;
        newTrend = r1 % 256;
        break;
      case TREND_RISING:
        newPopularity = p < 240 ? p + 10 : 250;
        newTrend = strength > 150 ? 1 : (r0 > 50 ? 3 : 1);
        break;
      case TREND_SHARP_RISING:
        newPopularity = p < 210 ? p + 40 : 250;
        newTrend = 3;
        break;
      case TREND_FALLING:
        newPopularity = p < 240 ? p + 10 : 250;
        newTrend = strength > 150 ? (r0 > 30 ? 1 : 3) : (r0 > 50 ? 1 : 3);
        break;
      case TREND_SHARP_FALLING:
        newPopularity = p >= 40 ? p - 40 : 0;  // never below 0
        newTrend = 1;
        break;
      default:
        break;
    }
    const qxORDER assignments{T::numberTerm("trend", newTrend), T::numberTerm("popularity", newPopularity)};
    database->updateStock(&assignments, &bySymbol);
  }
  return true;
}

std::vector<float> QorvexCore::getSectorFactorWeights(int sector) const {
  if (sector < 1 || sector > static_cast<int>(kSectorWeights.size())) return {0, 0, 0, 0};
  const auto& row = kSectorWeights[static_cast<std::size_t>(sector - 1)];
  return {row.begin(), row.end()};
}

}  // namespace Qorvex6
