#include "ExportValues.h"

#include <unordered_map>

#include "AsciiText.h"
#include "Qorvex6domain.h"
#include "Qorvex6engine.h"

namespace Qorvex6 {
namespace {

// Whether `value`, stored in `table`.`column`, lies in that column's domain.
bool fits(const char* table, const char* column, double value) {
  const domain::ColumnDomain* d = domain::findDomain(table, column);
  return d != nullptr && domain::inDomain(*d, value);
}

}  // namespace

std::optional<std::string> firstExportValueOutOfDomain(const ExportRecord& r) {
  for (int i = 0; i < 6; ++i) {
    const char* column = qxSaveGame::budgetColumn(i);
    if (!fits("profile", column, r.budget[i])) return std::string("profile.") + column;
  }
  const struct {
    const char* column;
    double value;
  } statistics[] = {
      {"statHighestBudget", r.statHighestBudget},           {"statHighestPortVal", r.statHighestPortVal},
      {"statHighestProfit_Val", r.statHighestProfit_Val},   {"statHighestLoss_Val", r.statHighestLoss_Val},
      {"statLongestHolding_Val", r.statLongestHolding_Val},
  };
  for (const auto& s : statistics)
    if (!fits("profile", s.column, s.value)) return std::string("profile.") + s.column;

  std::unordered_map<std::string, std::size_t> firstRowOf;
  for (std::size_t i = 0; i < r.holdings.size(); ++i) {
    const ExportRecord::Holding& h = r.holdings[i];
    const std::string at = " (holding " + std::to_string(i + 1) + ")";
    if (!fits("portfolio", "avg_price", h.avg_price)) return "portfolio.avg_price" + at;
    if (!fits("portfolio", "vol", h.vol)) return "portfolio.vol" + at;
    if (!fits("portfolio", "heldlength", h.heldlength)) return "portfolio.heldlength" + at;
    const auto [first, isNew] = firstRowOf.emplace(platform::asciiLowered(h.symbol), i + 1);
    if (!isNew)
      return "portfolio.symbol" + at + ": " + h.symbol + " of holding " + std::to_string(first->second);
  }
  return std::nullopt;
}

}  // namespace Qorvex6
