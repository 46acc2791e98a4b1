#include "SampleMarket.h"

#include <algorithm>
#include <cmath>

#include "DbConnection.h"

namespace sample {

namespace {

using Qorvex6::qxORDER;
using T = Qorvex6::qxSUBORDER;

// A wandering price around the base: slow and fast waves, different for each stock.
float wave(float base, int stock, double t) {
  const double phase = stock * 0.9;
  return static_cast<float>(base *
                            (1 + 0.12 * std::sin(t * 0.07 + phase) + 0.04 * std::sin(t * 0.61 + phase)));
}

}  // namespace

bool fillMarketHistory(Qorvex6::QorvexCore& core, const std::string& title, const MarketHistory& size,
                       std::string* failure) {
  Qorvex6::qxSaveGame& db = *core.database;
  platform::DbTransaction transaction(*db.connection);
  bool ok = true;
  const auto check = [&](bool written, const char* what) {
    if (!written && ok && failure != nullptr) *failure = what;
    ok = ok && written;
  };
  const qxORDER byMarket{T::textTerm("marketTitle", title)};
  const Qorvex6::pList<Qorvex6::qxStockInfo> stocks = db.getStocks(&byMarket);
  std::vector<float> bases;
  for (const Qorvex6::qxStockInfo& stock : stocks.items)
    bases.push_back(stock.currentPrice > 0 ? stock.currentPrice
                    : stock.closeprice > 0 ? stock.closeprice
                                           : 10);

  const auto setDay = [&](int i, int day, bool today) {
    const float base = bases[static_cast<std::size_t>(i)];
    const float open = wave(base, i, day - 0.5);
    const float close = wave(base, i, day);
    const float high = std::max(open, close) * 1.015f;
    const float low = std::min(open, close) * 0.985f;
    const double scale = i == 0 ? size.firstStockAmounts : 1;
    const double amount = std::round(base * 1000 * scale * (3 + 2 * std::sin(day * 0.3 + i)));
    const qxORDER fields{
        T::numberTerm("openPrice", open),      T::numberTerm(today ? "currentPrice" : "closeprice", close),
        T::numberTerm("todayHigh", high),      T::numberTerm("todayLow", low),
        T::numberTerm("tradedAmount", amount), T::numberTerm("tradedVol", std::round(amount / close))};
    const qxORDER which{T::textTerm("symbol", stocks.get(i).symbol)};
    check(db.updateStock(&fields, &which), "a stock's day");
  };
  for (int day = 0; day < size.days; ++day) {
    for (int i = 0; i < stocks.count(); ++i)
      setDay(i, day, false);
    check(db.archiveDailyPrices(title), "a day's rows");
  }
  for (int i = 0; i < stocks.count(); ++i) {
    for (int k = 0; k < size.prices; ++k)
      check(db.recordPrice(stocks.get(i).symbol,
                           wave(bases[static_cast<std::size_t>(i)], i, size.days + k * 0.1)),
            "a price sample");
    setDay(i, size.days, true);
  }
  double cap = 0;
  for (const Qorvex6::qxStockInfo& stock : db.getStocks(&byMarket).items)
    cap += stock.vol * stock.currentPrice;
  for (int k = 0; k < size.indexSamples; ++k)
    check(db.insertIndex(title, 0,
                         static_cast<float>(cap * (1 + 0.05 * std::sin(k * 0.05) + 0.01 * std::sin(k)))),
          "an index sample");
  check(transaction.commit(), "the commit");
  return ok;
}

}  // namespace sample
