#include "SampleGame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "AsciiText.h"
#include "DbConnection.h"

namespace sample {

namespace {

using Qorvex6::qxORDER;
using T = Qorvex6::qxSUBORDER;

// Average prices against the current price: +50 %, +5 %, flat, -20 %, -150 % on the current price.
constexpr float kAverageFactors[] = {0.5f, 0.95f, 1.0f, 1.2f, 2.5f};

}  // namespace

bool fillSampleGame(Qorvex6::QorvexCore& core, const SampleSize& size, std::string* failure) {
  Qorvex6::qxSaveGame& db = *core.database;
  platform::DbTransaction transaction(*db.connection);
  bool ok = true;
  const auto check = [&](bool written, const char* what) {
    if (!written && ok && failure != nullptr) *failure = what;
    ok = ok && written;
  };
  const Qorvex6::pList<Qorvex6::qxStockInfo> stocks = db.getStocks(nullptr);
  int next = 0;
  for (int i = 0; i < size.holdings && next < stocks.count(); ++i, ++next) {
    const Qorvex6::qxStockInfo stock = stocks.get(next);
    Qorvex6::qxShare share;
    platform::copyBounded(share.symbol, stock.symbol);
    platform::copyBounded(share.marketTitle, stock.marketTitle);
    share.avg_price = stock.currentPrice * kAverageFactors[i % std::size(kAverageFactors)];
    share.vol = 1000.0 * (1 + i % 7);
    share.heldlength = 3 + (i * 11) % 90;
    check(db.insertPortfolio(&share), "a holding");
    const qxORDER held{T::numberTerm("heldlength", share.heldlength)};
    const qxORDER which{T::textTerm("symbol", share.symbol)};
    check(db.updatePortfolio(&held, &which), "a holding's age");
  }
  if (size.holdings >= 4) {
    const int statuses[3] = {8, 4, 1};
    for (int i = 0; i < 3; ++i)
      check(core.setStockStatus(stocks.get(i).symbol, statuses[i]), "a stock status");
  }
  for (int i = 0; i < size.wishlist && next < stocks.count(); ++i, ++next) {
    const qxORDER mark{T::numberTerm("wishlist", 1)};
    const qxORDER which{T::textTerm("symbol", stocks.get(next).symbol)};
    check(db.updateStock(&mark, &which), "a wishlist mark");
  }
  const Qorvex6::pList<Qorvex6::qxProductInfo> products = db.getProducts(nullptr);
  for (int i = 0; i < size.belongings && products.count() > 0; ++i) {
    const Qorvex6::qxProductInfo product = products.get((i * 5) % products.count());
    check(db.insertBelonging(&product), "a belonging");
  }
  for (int i = 0; i < size.unreadMessages; ++i)
    check(db.insertInbox(("Market news #" + std::to_string(i + 1) +
                          ": the exchange closed higher on strong trading in banks and energy.")
                             .c_str()),
          "a message");
  float base[6];
  std::copy(std::begin(db.rateExchange), std::end(db.rateExchange), base);
  float rates[6];
  for (int day = 0; day < size.rateDays; ++day) {
    const double wave = std::sin(day * 0.7);
    for (int m = 0; m < 6; ++m)
      rates[m] = static_cast<float>(base[m] *
                                    (1 + 0.02 * wave * (m % 2 == 0 ? 1 : -1) + 0.003 * m * (day % 30) / 10));
    check(db.recordExchangeRates(rates), "an exchange-rate day");
  }
  for (int id = 1; id <= size.milestones; ++id)
    check(db.passMilestone(id), "a milestone");
  if (size.records) {
    Qorvex6::qxProfile& p = db.profile;
    platform::copyBounded(p.statHighestProfit_Symbol, stocks.get(0).symbol);
    p.statHighestProfit_Val = 12500.75f;
    platform::copyBounded(p.statHighestLoss_Symbol, stocks.get(1).symbol);
    p.statHighestLoss_Val = -3200.5f;
    platform::copyBounded(p.statLongestHolding_Symbol, stocks.get(2).symbol);
    p.statLongestHolding_Val = 1234;
    p.statHighestBudget = 1250000;
    p.statHighestPortVal = 98765.43;
  }
  check(db.writeProfile(), "the profile");
  check(transaction.commit(), "the commit");
  db.loadMilestones();
  db.readProfile();
  return ok;
}

}  // namespace sample
