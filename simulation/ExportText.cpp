#include "ExportText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>
#include <type_traits>

#include "NumberText.h"
#include "PlayerName.h"

namespace Qorvex6 {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

// A number that fills the whole (trimmed) field; nothing for anything else, infinities and NaN included.
template <typename Number>
std::optional<Number> parseNumber(std::string_view field) {
  field = trimmed(field);
  if (field.empty()) return std::nullopt;
  Number value{};
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec != std::errc() || end != field.data() + field.size()) return std::nullopt;
  if constexpr (std::is_floating_point_v<Number>) {
    if (!std::isfinite(value)) return std::nullopt;
  }
  return value;
}

// At most `limit` bytes, cut before a UTF-8 continuation byte rather than inside a character.
std::string bounded(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return std::string(text);
  std::size_t n = limit;
  for (int back = 0; back < 3 && n > 1 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u; ++back)
    --n;
  if ((static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) n = limit;  // not UTF-8 after all
  return std::string(text.substr(0, n));
}

bool hasControlByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

std::string_view upTo(std::string_view text, char stop) {
  return text.substr(0, text.find(stop));
}

std::string_view skipSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  return text;
}

// The next space-separated token of `text`, which then starts after it.
std::string_view nextToken(std::string_view& text) {
  text = skipSpaces(text);
  const std::size_t end = std::min(text.find(' '), text.size());
  const std::string_view token = text.substr(0, end);
  text.remove_prefix(end);
  return token;
}

std::string_view statisticSymbol(const std::string& symbol) {
  return symbol.size() <= 2 ? std::string_view("-") : std::string_view(symbol);
}

// "#4 ABC 12.50": the symbol runs to and includes the next space; "-" stands for none. True when the
// value was taken.
bool readStatistic(std::string_view rest, std::string& symbol, float& value) {
  rest = skipSpaces(rest);
  if (rest.empty()) return false;
  const std::size_t space = rest.find(' ');
  const std::string_view token = space == std::string_view::npos ? rest : rest.substr(0, space + 1);
  if (token.front() == '-') {
    symbol.clear();
  } else if (!hasControlByte(token)) {
    symbol = bounded(token, MAX_EXPORT_SYMBOL);
  }
  rest.remove_prefix(token.size());
  const auto number = parseNumber<float>(upTo(rest, '#'));
  if (number) value = *number;
  return number.has_value();
}

// "@r SYM avg vol held"; nothing when the line is not holding number `expected` or does not parse.
std::optional<ExportRecord::Holding> readHolding(std::string_view line, int expected) {
  if (line.empty() || line.front() != '@') return std::nullopt;
  line.remove_prefix(1);
  const auto number = parseNumber<int>(nextToken(line));
  if (!number || *number != expected) return std::nullopt;
  const std::string_view symbol = nextToken(line);
  const auto avg = parseNumber<float>(nextToken(line));
  const auto vol = parseNumber<double>(nextToken(line));
  const auto held = parseNumber<int>(nextToken(line));
  if (symbol.empty() || hasControlByte(symbol) || !avg || !vol || !held) return std::nullopt;
  return ExportRecord::Holding{bounded(symbol, MAX_EXPORT_SYMBOL), *avg, *vol, *held};
}

}  // namespace

std::string writeExportText(const ExportRecord& r) {
  using platform::formatFixed;
  std::string text = "#0 " + r.playerName + "\n#1";
  for (const double amount : r.budget)
    text += "@" + formatFixed(amount, 2, false);
  text += "\n#2 " + formatFixed(r.statHighestBudget, 2, false);
  text += "\n#3 " + formatFixed(r.statHighestPortVal, 2, false);
  const auto statistic = [&text](char tag, const std::string& symbol, const std::string& value) {
    text += "\n#";
    text += tag;
    text += ' ';
    text += statisticSymbol(symbol);
    text += ' ';
    text += value;
  };
  statistic('4', r.statHighestProfit_Symbol, formatFixed(r.statHighestProfit_Val, 2, false));
  statistic('5', r.statHighestLoss_Symbol, formatFixed(r.statHighestLoss_Val, 2, false));
  statistic('6', r.statLongestHolding_Symbol, formatFixed(r.statLongestHolding_Val, 0, false));
  text += "\n#7 " + std::to_string(r.holdings.size()) + "\n";
  int row = 0;
  for (const ExportRecord::Holding& h : r.holdings) {
    text += "@" + std::to_string(++row) + " " + h.symbol + " " + formatFixed(h.avg_price, 3, false) + " " +
            formatFixed(h.vol, 0, false) + " " + std::to_string(h.heldlength) + "\n";
  }
  return text;
}

ExportTags readExportText(std::string_view text, ExportRecord& record) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    lines.push_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }

  bool seen[8] = {};
  ExportTags taken;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.size() < 2 || line.front() != '#') continue;
    int tag = -1;
    const auto [afterTag, ec] = std::from_chars(line.data() + 1, line.data() + line.size(), tag);
    if (ec != std::errc() || tag < 0 || tag > 7 || seen[tag]) continue;
    seen[tag] = true;
    std::string_view rest(afterTag, static_cast<std::size_t>(line.data() + line.size() - afterTag));
    if (!rest.empty()) rest.remove_prefix(1);  // the space after the tag, or the '@' after tag 1

    switch (tag) {
      case 0: {
        std::string name = bounded(upTo(rest, '#'), MAX_PLAYER_NAME);
        if (isValidPlayerName(name)) {
          record.playerName = std::move(name);
          taken.set(0);
        }
        break;
      }
      case 1: {
        int amounts = 0;
        for (double& amount : record.budget) {
          const std::size_t end = std::min(rest.find_first_of("@#"), rest.size());
          if (const auto number = parseNumber<double>(rest.substr(0, end))) {
            amount = *number;
            ++amounts;
          }
          if (end == rest.size()) break;
          rest.remove_prefix(end + 1);
        }
        taken.set(1, amounts == 6);
        break;
      }
      case 2:
      case 3:
        if (const auto number = parseNumber<double>(upTo(rest, '#'))) {
          (tag == 2 ? record.statHighestBudget : record.statHighestPortVal) = *number;
          taken.set(static_cast<std::size_t>(tag));
        }
        break;
      case 4:
        taken.set(4, readStatistic(rest, record.statHighestProfit_Symbol, record.statHighestProfit_Val));
        break;
      case 5:
        taken.set(5, readStatistic(rest, record.statHighestLoss_Symbol, record.statHighestLoss_Val));
        break;
      case 6:
        taken.set(6, readStatistic(rest, record.statLongestHolding_Symbol, record.statLongestHolding_Val));
        break;
      case 7: {
        const std::optional<int> parsed = parseNumber<int>(rest);
        taken.set(7, parsed.has_value());
        const int count = parsed.value_or(0);
        for (int r = 1; r <= count && i + static_cast<std::size_t>(r) < lines.size(); ++r) {
          if (auto holding = readHolding(lines[i + static_cast<std::size_t>(r)], r)) {
            record.holdings.push_back(std::move(*holding));
          }
        }
        break;
      }
    }
  }
  return taken;
}

std::string encodeExportFile(std::string_view plain) {
  std::string stored;
  stored.reserve(plain.size() + plain.size() / 16);
  for (const char c : plain) {
    const auto b = static_cast<char>(scrambleByte(static_cast<unsigned char>(c)));
    if (b == '\n') stored += '\r';
    stored += b;
  }
  return stored;
}

std::string decodeExportFile(std::string_view stored) {
  std::string plain;
  plain.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') continue;
    plain += static_cast<char>(scrambleByte(static_cast<unsigned char>(stored[i])));
  }
  return plain;
}

}  // namespace Qorvex6
