#include "ListSort.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

#include <QTreeWidget>

namespace desk {

namespace {

constexpr std::size_t kMaxNumberChars = 299;

}  // namespace

std::string keepNumberChars(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (kept.size() == kMaxNumberChars) break;
    if ((c >= '0' && c <= '9') || c == '-' || c == '.') kept += c;
  }
  return kept;
}

std::optional<double> cellNumber(std::string_view text) {
  double scale = 1;
  // Money texts write millions and billions as "USD 1.50 Mil." and "USD 2.00 Bil.".
  if (text.ends_with("Mil.")) {
    scale = 1e6;
    text.remove_suffix(4);
  } else if (text.ends_with("Bil.")) {
    scale = 1e9;
    text.remove_suffix(4);
  }
  const std::string digits = keepNumberChars(text);
  if (digits.empty()) return std::nullopt;
  double value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value * scale;
}

int compareCells(int column, std::string_view a, std::string_view b) {
  if (column == 1) {
    const int order = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (order != 0) return order < 0 ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }
  if (column < 1) return 0;
  const std::optional<double> x = cellNumber(a);
  const std::optional<double> y = cellNumber(b);
  if (!x || !y) return x ? -1 : (y ? 1 : 0);
  return *x < *y ? -1 : (*y < *x ? 1 : 0);
}

void sortByColumn(QTreeWidget* list, int column) {
  std::vector<QTreeWidgetItem*> rows;
  QTreeWidgetItem* current = list->currentItem();
  while (list->topLevelItemCount() > 0)
    rows.push_back(list->takeTopLevelItem(0));
  std::vector<std::pair<std::string, QTreeWidgetItem*>> keyed;
  keyed.reserve(rows.size());
  for (QTreeWidgetItem* row : rows)
    keyed.emplace_back(row->text(column).toStdString(), row);
  std::stable_sort(keyed.begin(), keyed.end(), [column](const auto& x, const auto& y) {
    return compareCells(column, x.first, y.first) < 0;
  });
  for (const auto& entry : keyed)
    list->addTopLevelItem(entry.second);
  if (current != nullptr) list->setCurrentItem(current);
}

}  // namespace desk
