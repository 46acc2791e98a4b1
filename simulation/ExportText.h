#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The text export of a game: what it holds, its tagged text and the byte scrambler of its stored file.
namespace Qorvex6 {

// The longest symbol the export carries into the game, in bytes.
inline constexpr std::size_t MAX_EXPORT_SYMBOL = 11;

// The most holdings an export may carry into a game; far above the listed stocks of any game.
inline constexpr std::size_t MAX_EXPORT_HOLDINGS = 50000;

struct ExportRecord {
  struct Holding {
    std::string symbol;
    float avg_price = 0;
    double vol = 0;
    int heldlength = 0;
  };

  std::string playerName;
  double budget[6] = {};  // by market index: THB, GBP, JPY, SGD, USD, HKD
  double statHighestBudget = 0;
  double statHighestPortVal = 0;
  std::string statHighestProfit_Symbol;
  float statHighestProfit_Val = 0;
  std::string statHighestLoss_Symbol;
  float statHighestLoss_Val = 0;
  std::string statLongestHolding_Symbol;
  float statLongestHolding_Val = 0;
  std::vector<Holding> holdings;
};

// One byte of the scrambler: the high nibble stays, the low nibble is bit-reversed and complemented.
// Its own inverse; line feed and '#' map to themselves.
constexpr unsigned char scrambleByte(unsigned char b) noexcept {
  const unsigned low = b & 0x0Fu;
  const unsigned reversed = ((low & 1u) << 3) | ((low & 2u) << 1) | ((low & 4u) >> 1) | ((low & 8u) >> 3);
  return static_cast<unsigned char>((b & 0xF0u) | (0x0Fu ^ reversed));
}

// The plain text: "#0 " name, "#1" and six "@" budgets, "#2" to "#6" the statistics, "#7 " the count of
// the holding lines "@r symbol avg vol held" that follow; every line ends with a line feed. A statistic
// symbol of two bytes or fewer is written as "-".
std::string writeExportText(const ExportRecord& record);

// The tags 0 to 7 of an export whose values were all taken.
using ExportTags = std::bitset<8>;

// Reads plain text over `record`. Every value read replaces the record's; a missing tag, a value that
// does not parse (or is not finite) and a name that is not a valid player name leave the record's value.
// A holding line whose number is not the expected one, or that does not parse, is skipped; the others are
// appended; a symbol with a control byte is not taken. Quirks kept: the name ends at a '#', a statistic
// symbol keeps its closing space, and a statistic symbol starting with '-' reads as empty. Names are cut to
// 31 bytes, symbols to 11. Returns the tags that were present and gave every value of their line (for tag
// 7, the count of holding lines).
ExportTags readExportText(std::string_view text, ExportRecord& record);

// The stored file: the scrambled text with each line feed stored as carriage return and line feed.
std::string encodeExportFile(std::string_view plain);
// The plain text of a stored file; bare line feeds read as well.
std::string decodeExportFile(std::string_view stored);

}  // namespace Qorvex6
