#include <algorithm>
#include <string>

#include "AsciiText.h"
#include "Qorvex6class.h"
#include "Qorvex6domain.h"
#include "TradeMoney.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

constexpr int USD = 4;

qxQueue makeOrder(const std::string& symbol, const std::string& marketTitle, float price, float qty,
                  bool isUserReq, bool isBid, int clockTick) {
  qxQueue row;
  platform::copyBounded(row.symbol, symbol);
  platform::copyBounded(row.marketTitle, marketTitle);
  row.price = price;
  row.qty = qty;
  row.isUserReq = isUserReq;
  row.isBid = isBid;
  row.isCompleted = false;
  row.clockTick = clockTick;
  return row;
}

}  // namespace

bool QorvexCore::addBid(const std::string& symbol, const std::string& marketTitle, float price, float qty,
                        bool isUserReq) {
  const qxQueue row = makeOrder(symbol, marketTitle, price, qty, isUserReq, true, database->clockTick);
  return database->insertQueue(&row);
}

bool QorvexCore::addOffer(const std::string& symbol, const std::string& marketTitle, float price, float qty,
                          bool isUserReq) {
  const qxQueue row = makeOrder(symbol, marketTitle, price, qty, isUserReq, false, database->clockTick);
  return database->insertQueue(&row);
}

pList<qxQueue> QorvexCore::getUserQueue(const std::string& symbol) {
  const qxORDER criteria{T::flagTerm("isUserReq", true), T::textTerm("symbol", symbol)};
  return database->getQueue(&criteria);
}

pList<qxQueue> QorvexCore::getQueueBySymbol(const std::string& symbol) {
  const qxORDER criteria{T::textTerm("symbol", symbol)};
  return database->getQueue(&criteria);
}

bool QorvexCore::setStockStatus(const std::string& symbol, int status) {
  const qxORDER assignment{T::numberTerm("status", status)};
  const qxORDER criteria{T::textTerm("symbol", symbol)};
  return database->updateStock(&assignment, &criteria);
}

std::string QorvexCore::settlementMessage(const qxQueue& row, const std::string& symbol, double qty,
                                          int market) const {
  const std::string money = formatMoney(tradeAmount(row.price, qty), market, false);
  return row.isBid ? "You paid " + money + " for " + symbol
                   : "You earned " + money + " after selling " + symbol;
}

bool QorvexCore::completeQueue(qxQueue* row, double* settledQty) {
  if (settledQty != nullptr) *settledQty = 0;
  // Orders the game did not place are left alone, in the queue.
  if (!row->isUserReq) return false;

  const std::string symbol = row->symbol;
  const std::string marketTitle = row->marketTitle;
  const float price = row->price;
  const float qty = row->qty;
  const double cost = tradeAmount(price, qty);
  const qxORDER bySymbol{T::textTerm("symbol", symbol)};
  qxProfile& profile = database->profile;
  bool traded = false;
  // Every queue row of the symbol goes, however the settlement ends: a row left behind would fill again.
  struct ClearQueue {
    qxSaveGame& db;
    const qxORDER& bySymbol;
    ~ClearQueue() { db.deleteQueue(&bySymbol); }
  } clearQueue{*database, bySymbol};
  // After shares and money moved, a failing read of the statistics or milestones must not undo the trade.
  const auto afterTrade = [this, &symbol](const char* what, const auto& step) {
    try {
      step();
    } catch (const std::exception& e) {
      debugLog("completeQueue: " + std::string(what) + " of " + symbol + " failed: " + e.what());
    }
  };

  // A quantity that is not positive would move shares and money the wrong way: it lapses.
  if (!(qty > 0)) {
    debugLog("completeQueue: no quantity to settle for " + symbol);
  } else if (row->isBid) {
    const int m = marketIndexOf(marketTitle);
    // A bid the budget covers, to the last cent, is filled, as the order dialog promised when it took it;
    // one it no longer covers lapses with a message; one for a market without a budget lapses.
    if (m >= 0 && profile.budget[m] >= cost) {
      bool delivered = false;
      const pList<qxShare> existing = database->getPortfolio(&bySymbol);
      if (existing.count() == 1) {
        const qxShare held = existing.at(0);
        const double vol = held.vol + qty;
        const double avg = (cost + static_cast<double>(held.avg_price) * held.vol) / vol;
        const qxORDER assignments{T::numberTerm("vol", vol), T::numberTerm("avg_price", avg)};
        delivered = database->updatePortfolio(&assignments, &bySymbol);
      } else {
        qxShare share;
        platform::copyBounded(share.symbol, symbol);
        share.avg_price = static_cast<float>(cost / qty);
        share.vol = qty;
        share.heldlength = 0;
        platform::copyBounded(share.marketTitle, marketTitle);
        delivered = database->insertPortfolio(&share);
        if (delivered) afterTrade("the purchase check", [&] { checkPurchaseMilestones(symbol); });
      }
      // Money is charged only for shares that were written.
      if (delivered) {
        profile.budget[m] -= cost;
        database->syncProfile(PROFILE_WRITE);
        traded = true;
        if (settledQty != nullptr) *settledQty = qty;
        afterTrade("the portfolio value", [&] {
          const double portfolioValue = getPortfolioValue();
          if (portfolioValue > profile.statHighestPortVal) {
            profile.statHighestPortVal = portfolioValue;
            database->syncProfile(PROFILE_WRITE);
          }
        });
      } else {
        debugLog("completeQueue: the holding of " + symbol + " was not written; the bid lapses");
      }
    } else if (m >= 0 && profile.budget[m] < cost) {
      addInbox("Your bid for " + symbol + " lapsed: not enough " + qxSaveGame::currencyCode(m) + ".");
    }
  } else if (const pList<qxShare> existing = database->getPortfolio(&bySymbol); existing.count() == 1) {
    const qxShare held = existing.at(0);
    const int m = marketIndexOf(held.marketTitle);
    // A holding outside the six markets has no budget to credit: the offer lapses and the shares stay.
    if (m >= 0) {
      // An offer for more than is held sells what is held, never shares the player does not own.
      const double sold = std::min(static_cast<double>(qty), held.vol);
      const double proceeds = tradeAmount(price, sold);
      const double profit = proceeds - static_cast<double>(held.avg_price) * sold;
      bool removed = false;
      if (sold >= held.vol) {
        removed = database->deletePortfolio(&bySymbol);
      } else {
        // A partial sale keeps the average buy price of the shares that stay.
        const qxORDER assignment{T::numberTerm("vol", held.vol - qty)};
        removed = database->updatePortfolio(&assignment, &bySymbol);
      }
      if (removed) {
        profile.budget[m] += proceeds;
        database->syncProfile(PROFILE_WRITE);
        traded = true;
        if (settledQty != nullptr) *settledQty = sold;
        const double profitUSD = convertCurrency(profit, m, USD);
        afterTrade("the sale check",
                   [&] { checkSaleMilestones(profitUSD, held.marketTitle, held.heldlength); });

        bool changed = false;
        if (profitUSD > profile.statHighestProfit_Val) {
          profile.statHighestProfit_Val = domain::clampedFigure(profitUSD);
          platform::copyBounded(profile.statHighestProfit_Symbol, held.symbol);
          changed = true;
        } else if (profitUSD < profile.statHighestLoss_Val) {
          profile.statHighestLoss_Val = domain::clampedFigure(profitUSD);
          platform::copyBounded(profile.statHighestLoss_Symbol, held.symbol);
          changed = true;
        }
        const double cash = database->totalBudget();
        if (cash > profile.statHighestBudget) {
          profile.statHighestBudget = cash;
          changed = true;
        }
        if (changed) database->syncProfile(PROFILE_WRITE);
      } else {
        debugLog("completeQueue: the holding of " + symbol + " was not written; the offer lapses");
      }
    }
  }

  return traded;
}

}  // namespace Qorvex6
