#include <cmath>
#include <mutex>

#include "Qorvex6class.h"
#include "Qorvex6domain.h"

namespace Qorvex6 {
namespace {

using T = qxSUBORDER;

constexpr int kCandidates = 5;

// The direction bias before its random spread: the trend class first, else the price/earnings ratio.
// The pe bounds compare in single precision, so a stored 1.1 still counts as "0 to 1.1".
float directionBias(std::uint8_t trend, float pe) {
  switch (trend) {
    case 1:
      return 0.6f;
    case 2:
      return 0.7f;
    case 3:
      return 0.4f;
    case 4:
      return 0.2f;
    default:
      break;
  }
  if (pe < 0.0f) return 0.33f;
  if (pe <= 1.1f) return 0.63f;
  if (pe > 100.0f) return 0.3f;
  return 0.4f;
}

// The candidate drawn from the widest range wins most often: the last one draws from 2/3, the one
// before from half of that, and so on; only a strictly greater draw takes over.
float pickCandidate(const std::vector<float>& candidates) {
  std::size_t best = 0;
  float bestWeight = 0.0f;
  float range = 2.0f / 3.0f;
  for (std::size_t i = candidates.size(); i-- > 0;) {
    const float r = randomFloat(range);
    if (r > bestWeight) {
      best = i;
      bestWeight = r;
    }
    range *= 0.5f;
  }
  return candidates[best];
}

void push(TaskQueue* tasks, pTask task) {
  std::lock_guard<std::mutex> hold(dbLock);
  addPendingTask(tasks, std::move(task));
}

}  // namespace

void addPendingTask(TaskQueue* tasks, pTask task) {
  tasks->push(std::move(task));
}

void QorvexCore::getPriceBand(float price, float& gap, float& priceStep) {
  struct Band {
    float bound, gap, step;
  };
  static constexpr Band kBands[] = {
      {2.0f, 0.03f, 0.02f},   {5.0f, 0.06f, 0.08f},   {10.0f, 0.07f, 0.1f},  {25.0f, 0.1f, 0.16f},
      {50.0f, 0.15f, 0.32f},  {100.0f, 0.2f, 0.4f},   {250.0f, 0.5f, 0.65f}, {500.0f, 0.75f, 0.9f},
      {1000.0f, 0.85f, 1.1f}, {2000.0f, 1.0f, 2.25f},
  };
  if (price < 1.0f) {
    gap = static_cast<float>(0.1 * price);
    priceStep = static_cast<float>(0.01 * price);
    return;
  }
  for (const Band& band : kBands) {
    if (price < band.bound) {
      gap = band.gap;
      priceStep = band.step;
      return;
    }
  }
  gap = 1.0f;
  priceStep = 3.5f;
}

void QorvexCore::getPriceLimits(float price, float& ceiling, float& floor) {
  float gap = 0;
  float priceStep = 0;
  getPriceBand(price, gap, priceStep);
  ceiling = price + gap + 7.0f * priceStep;
  floor = price - gap - 7.0f * priceStep;
  if (floor < 0.01f) floor = 0.01f;
}

namespace {

// The five steps on one side of a price: price +- gap +- (i - 1) x step for i = 0 to 4, added left to right.
std::vector<float> priceSteps(float price, float side) {
  float gap = 0;
  float priceStep = 0;
  QorvexCore::getPriceBand(price, gap, priceStep);
  std::vector<float> steps;
  steps.reserve(kCandidates);
  for (int i = 0; i < kCandidates; ++i)
    steps.push_back(price + side * gap + side * static_cast<float>(i - 1) * priceStep);
  return steps;
}

}  // namespace

std::vector<float> QorvexCore::getPriceStepsAbove(float price) {
  return priceSteps(price, 1.0f);
}

std::vector<float> QorvexCore::getPriceStepsBelow(float price) {
  return priceSteps(price, -1.0f);
}

void QorvexCore::generateNewPrice(qxStockInfo* stock, TaskQueue* tasks) {
  if (stock == nullptr || tasks == nullptr) return;
  debugLog("--GENERATE PRICE--");
  const std::string symbol = stock->symbol;
  const float cur = stock->currentPrice;

  pList<qxQueue> queue;
  {
    const qxORDER bySymbol{T::textTerm("symbol", symbol)};
    std::lock_guard<std::mutex> hold(dbLock);
    queue = database->getQueue(&bySymbol);
  }

  switch (stock->status) {
    case STATUS_XD:
    case STATUS_SP:
      return;
    case STATUS_HALT:
      push(tasks, pTask(TASK_CLEAR_STATUS, symbol));
      return;
    default:
      break;
  }

  int pop = stock->popularity;
  if (pop <= 0) pop = static_cast<int>(std::trunc(randomFloat(1) * 100.0f + 1.0f));
  const float f = static_cast<float>(pop) / 256.0f;

  int a = static_cast<int>(std::trunc(randomFloat(1) * f * 100000.0f + 100.0f));
  if (cur > 2000.0f && a > 1000) a >>= 8;

  // The two spreads are drawn in this order: the first raises the bias, the second lowers it.
  float bias = directionBias(stock->trend, stock->pe);
  const float raise = randomFloat(0.1333f);
  const float lower = randomFloat(0.1333f);
  bias = bias + raise - lower;
  bool up = randomFloat(1) < bias;
  if (cur < 1.0f && f >= 2.0f / 3.0f) up = randomFloat(1) > 1.0f / 3.0f;

  const int b = static_cast<int>(std::trunc(randomFloat(1) * 100.0f));
  if (a >= 180 && b > 90) {
    push(tasks, pTask(TASK_SET_SP, symbol));
    return;
  }
  if (a >= 160 && b > 80) {
    push(tasks, pTask(TASK_SET_HALT, symbol));
    return;
  }

  std::vector<float> candidates = up ? getPriceStepsAbove(cur) : getPriceStepsBelow(cur);
  float ceiling = 0;
  float floor = 0;
  getPriceLimits(stock->closeprice, ceiling, floor);
  while (!candidates.empty() && (candidates.back() > ceiling || candidates.back() < floor))
    candidates.pop_back();
  const float p = candidates.empty() ? cur : pickCandidate(candidates);

  const double vol = 1000.0 * a;
  const double tradedVol = domain::clampedAmount(stock->tradedVol + vol);
  const double tradedAmount = domain::clampedAmount(stock->tradedAmount + vol * p);

  const int market = marketIndexOf(stock->marketTitle);
  for (const qxQueue& row : queue.items) {
    if (row.isBid && row.price >= p) {
      pTask wishlistReset(TASK_UPDATE_STOCK, symbol, qxORDER{T::numberTerm("wishlist", 0)});
      wishlistReset.settles = row.ID;
      {
        std::lock_guard<std::mutex> hold(dbLock);
        addPendingTask(tasks, pTask(TASK_COMPLETE_QUEUE, symbol, row));
        addPendingTask(tasks, std::move(wishlistReset));
      }
      pTask message(TASK_INBOX, settlementMessage(row, symbol, row.qty, market));
      message.settles = row.ID;
      push(tasks, std::move(message));
    } else if (!row.isBid && row.price <= p) {
      push(tasks, pTask(TASK_COMPLETE_QUEUE, symbol, row));
      pTask message(TASK_INBOX, settlementMessage(row, symbol, row.qty, market));
      message.settles = row.ID;
      push(tasks, std::move(message));
    }
  }

  push(tasks, pTask(TASK_ADD_PRICE, symbol, p));

  // A statistic of 0 has not been set yet.
  const float wk52High = (p > stock->wk52high || stock->wk52high == 0) ? p : stock->wk52high;
  const float wk52Low = (p < stock->wk52low || stock->wk52low == 0) ? p : stock->wk52low;
  const float todayHigh = (p > stock->todayhigh || stock->todayhigh == 0) ? p : stock->todayhigh;
  const float todayLow = (p < stock->todaylow || stock->todaylow == 0) ? p : stock->todaylow;
  push(tasks, pTask(TASK_UPDATE_STOCK, symbol,
                    qxORDER{T::numberTerm("tradedVol", tradedVol),
                            T::numberTerm("tradedAmount", tradedAmount), T::numberTerm("currentPrice", p),
                            T::numberTerm("wk52Low", wk52Low), T::numberTerm("wk52High", wk52High),
                            T::numberTerm("todayLow", todayLow), T::numberTerm("todayHigh", todayHigh)}));
}

}  // namespace Qorvex6
