// The lines the desktop gadget shows: one per holding with its gain or loss, one per market index with
// its change since the market opened that day.

#pragma once

#include <optional>
#include <string>
#include <string_view>

// One line of the gadget and the trend level of a holding line (0 for index lines).
struct pGadgetDisplayUnit {
  std::string text;
  int trendLevel = 0;
};

namespace desk::gadget {

// 2 from +50 %, 1 from +2.5 %, 0 from -2.5 %, -1 from -50 %, -2 below; each bound belongs to the higher
// level.
int trendLevelOf(double percent);

// "SYM   $12.50 (+25.00%)": the symbol, the currency letter, the current price and the change from the
// average price; "(--)" and level 0 when there is no change, no price or no average price.
pGadgetDisplayUnit holdingLine(std::string_view symbol, char currency, double current, double average);

// "Thai   1,234.56 (1.50%)": the market title, its newest index and its change in percent since the
// market's session opened (QorvexCore::getSessionChange). The change is left out (a trailing blank
// stays) when there is none or nothing moved.
pGadgetDisplayUnit indexLine(std::string_view title, double current, std::optional<double> change);

// The height of the lines label for `holdings` holding lines: 6 per line below five, 24 per line from
// five, at least 230.
int linesHeight(int holdings);

}  // namespace desk::gadget
