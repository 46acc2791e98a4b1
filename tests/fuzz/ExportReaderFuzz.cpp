// libFuzzer target: the reader of stored export files. Any input must read without a fault and give only
// bounded, finite and valid values; writing and reading them again must settle on one text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ExportText.h"
#include "PlayerName.h"

namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "export reader: %s\n", what);
    std::abort();
  }
}

bool symbolFits(const std::string& symbol) {
  return symbol.size() <= Qorvex6::MAX_EXPORT_SYMBOL;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace Qorvex6;
  const std::string plain = decodeExportFile(std::string_view(reinterpret_cast<const char*>(data), size));
  check(decodeExportFile(encodeExportFile(plain)) == plain, "stored form does not read back");

  ExportRecord record;
  record.playerName = "Start";
  readExportText(plain, record);

  check(record.playerName == "Start" || isValidPlayerName(record.playerName), "invalid name taken");
  check(symbolFits(record.statHighestProfit_Symbol) && symbolFits(record.statHighestLoss_Symbol) &&
            symbolFits(record.statLongestHolding_Symbol),
        "statistic symbol too long");
  for (const double amount : record.budget)
    check(std::isfinite(amount), "budget not finite");
  check(std::isfinite(record.statHighestBudget) && std::isfinite(record.statHighestPortVal) &&
            std::isfinite(record.statHighestProfit_Val) && std::isfinite(record.statHighestLoss_Val) &&
            std::isfinite(record.statLongestHolding_Val),
        "statistic not finite");
  for (const ExportRecord::Holding& h : record.holdings) {
    check(!h.symbol.empty() && symbolFits(h.symbol), "holding symbol empty or too long");
    check(std::isfinite(h.avg_price) && std::isfinite(h.vol), "holding value not finite");
  }

  // The export is lossy: a statistic symbol read at a line's end gains its closing space on the next
  // round, a short one becomes "-". From the second round on the text is stable.
  std::string text = writeExportText(record);
  for (int round = 0; round < 2; ++round) {
    ExportRecord again;
    readExportText(text, again);
    check(again.holdings.size() == record.holdings.size(), "holdings lost when read again");
    const std::string next = writeExportText(again);
    if (round == 1) check(next == text, "text not stable after two rounds");
    text = next;
  }
  return 0;
}
