// Fills one exchange of a running game with a made-up past: daily rows for every stock, price samples
// for its stocks and index samples for the exchange, so the Market page's charts and candles have
// something to show without playing the days. Used by the screenshot tool, the benchmark and the tests.

#pragma once

#include <string>

#include "Qorvex6class.h"

namespace sample {

struct MarketHistory {
  int days = 100;                // daily rows per stock
  int prices = 120;              // price samples per stock
  int indexSamples = 200;        // index samples of the exchange
  double firstStockAmounts = 1;  // a factor on the first stock's traded amounts
};

// Writes the history in one transaction; false when a write failed, naming it in `failure`. The stocks
// end on the last made-up day: moved from their close, with a high, a low and a traded amount.
bool fillMarketHistory(Qorvex6::QorvexCore& core, const std::string& marketTitle, const MarketHistory& size,
                       std::string* failure = nullptr);

}  // namespace sample
