#include <cstdio>

#include "NumberText.h"
#include "Qorvex6domain.h"
#include "Qorvex6engine.h"

namespace Qorvex6 {

const char* qxSaveGame::currencyCode(int currency) {
  switch (currency) {
    case 0:
      return "THB";
    case 1:
      return "GBP";
    case 2:
      return "JPY";
    case 3:
      return "SGD";
    case 5:
      return "HKD";
    default:
      return "USD";
  }
}

std::string moneyFigure(double amount, int currency) {
  if (amount < 1000000) return platform::formatNumber("%0.2n", amount);
  if (amount < 1000000000) return platform::formatNumber("%0.2n Mil.", amount * 0.000001);
  const char* billions = currency == 5                      ? "%0.0n Bil."
                         : (currency >= 0 && currency <= 3) ? "%0.3n Bil."
                                                            : "%0.2n Bil.";
  return platform::formatNumber(billions, amount * 0.000000001);
}

std::string qxSaveGame::formatMoney(double amount, int currency, bool whole) const {
  const std::string prefix = std::string(currencyCode(currency)) + " ";
  if (whole) return platform::formatNumber(prefix + "%0.0n", amount);
  return prefix + moneyFigure(amount, currency);
}

double qxSaveGame::totalBudget() const {
  // Without a USD rate (no profile read yet) there is nothing to convert into.
  if (rateExchange[4] == 0) return 0;
  double thb = 0;
  for (int i = 0; i < 6; ++i)
    thb += profile.budget[i] * rateExchange[i];
  return thb / rateExchange[4];
}

bool qxSaveGame::debugExecSQL(const std::string& key, const std::string& sql) {
  if (key != DEBUG_SQL_TRIGGER) return false;
  return execSQL(sql);
}

bool qxSaveGame::boostPrices() {
  // A boosted price stops at the figures' bound, whatever other price of the row chose it.
  static const char* const kStockPrices =
      "[currentPrice]=MIN([currentPrice]*%1,%2), [closePrice]=MIN([closePrice]*%1,%2), "
      "[closePriceY]=MIN([closePriceY]*%1,%2), [openPrice]=MIN([openPrice]*%1,%2), "
      "[todayHigh]=MIN([todayHigh]*%1,%2), [todayLow]=MIN([todayLow]*%1,%2), "
      "[wk52High]=MIN([wk52High]*%1,%2), [wk52low]=MIN([wk52low]*%1,%2)";
  static const char* const kCandles =
      "[high]=MIN([high]*%1,%2), [low]=MIN([low]*%1,%2), [open]=MIN([open]*%1,%2), "
      "[close]=MIN([close]*%1,%2)";
  static const char* const kPrice = "[price]=MIN([price]*%1,%2)";
  const auto withFactor = [](std::string assignments, const char* factor) {
    char bound[32];
    std::snprintf(bound, sizeof bound, "%.17g", domain::MAX_FIGURE);
    for (std::size_t at; (at = assignments.find("%1")) != std::string::npos;)
      assignments.replace(at, 2, factor);
    for (std::size_t at; (at = assignments.find("%2")) != std::string::npos;)
      assignments.replace(at, 2, bound);
    return assignments;
  };
  const std::string statements[6] = {
      "UPDATE STOCK SET " + withFactor(kStockPrices, "200") + " WHERE [currentPrice]<2",
      "UPDATE STOCK SET " + withFactor(kStockPrices, "2.5") +
          " WHERE [currentPrice]>=2 AND [currentPrice]<=20",
      "UPDATE [DAILYPRICE] SET " + withFactor(kCandles, "200") + " WHERE [open] < 2",
      "UPDATE [DAILYPRICE] SET " + withFactor(kCandles, "2.5") + " WHERE [open] >= 2 AND [open] <= 20",
      "UPDATE [PRICE] SET " + withFactor(kPrice, "200") + " WHERE [price] < 2",
      "UPDATE [PRICE] SET " + withFactor(kPrice, "2.5") + " WHERE [price] >=2 AND [price] <= 20",
  };
  for (const std::string& sql : statements) {
    if (!execSQL(sql)) return false;
  }
  return true;
}

}  // namespace Qorvex6
