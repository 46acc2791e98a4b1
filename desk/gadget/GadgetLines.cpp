#include "GadgetLines.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "HoldingProfit.h"
#include "NumberText.h"

namespace desk::gadget {

int trendLevelOf(double percent) {
  if (percent >= 50) return 2;
  if (percent >= 2.5) return 1;
  if (percent >= -2.5) return 0;
  if (percent >= -50) return -1;
  return -2;
}

pGadgetDisplayUnit holdingLine(std::string_view symbol, char currency, double current, double average) {
  pGadgetDisplayUnit line;
  line.text = std::string(symbol) + "   " + currency + platform::formatNumber("%0.2n", current);
  const double percent = Qorvex6::holdingProfitPercent(current, average);
  if (percent == 0) {
    line.text += " (--)";
    return line;
  }
  line.text += platform::formatNumber(percent > 0 ? " (+%0.2f%%)" : " (-%0.2f%%)", std::fabs(percent));
  line.trendLevel = trendLevelOf(percent);
  return line;
}

pGadgetDisplayUnit indexLine(std::string_view title, double current, std::optional<double> change) {
  std::string text = std::string(title) + "   " + platform::formatNumber("%0.2n", current) + " ";
  if (change && std::isfinite(*change) && *change != 0) text += platform::formatNumber("(%0.2f%%)", *change);
  return {text, 0};
}

int linesHeight(int holdings) {
  return std::max(230, holdings < 5 ? 6 * holdings : 24 * holdings);
}

}  // namespace desk::gadget
