#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <vector>

#include <QTreeWidget>

#include "ListSort.h"
#include "qx_RefreshDisp.h"

namespace {

struct CellCase {
  int column;
  const char* a;
  const char* b;
  int expected;
};

TEST(ListSort, ComparesCellsByColumnKindUnderAnyLocale) {
  const std::vector<CellCase> cases = {
      {1, "ABC", "abc", -1},
      {1, "AB", "ABC", -1},
      {1, "\xC3\x84X", "ZZ", 1},  // bytes compare unsigned: a UTF-8 letter sorts after ASCII
      {1, "SAME", "SAME", 0},
      {2, "THB 1,234.50", "THB 999.00", 1},
      {2, "USD 12.00", "--", -1},
      {2, "--", "USD 12.00", 1},
      {2, "--", "--", 0},
      {3, "JPY 1.50 Mil.", "JPY 999,999.00", 1},
      {3, "USD 1.00 Bil.", "USD 999.00 Mil.", 1},
      {4, "-12.345 %", "3.000 %", -1},
      {4, "0.000 %", "", -1},
      {5, "1,000", "999", 1},
      {6, "12", "WISH", -1},
      {6, "1.2.3", "7", 1},
      {0, "anything", "else", 0},
      // The Market table's cells: prices of three and two decimals, changes, a zero-divisor change.
      {2, "0.050", "0.10", -1},
      {3, "-2.50 %", "1.00 %", -1},
      {3, "INF %", "1.00 %", 1},
      {3, "--", "-0.50 %", 1},
  };
  for (const char* locale : {"C", "de_DE.UTF-8"}) {
    std::setlocale(LC_ALL, locale);
    for (const CellCase& c : cases)
      EXPECT_EQ(desk::compareCells(c.column, c.a, c.b), c.expected)
          << locale << ": column " << c.column << " '" << c.a << "' vs '" << c.b << "'";
  }
  std::setlocale(LC_ALL, "C");
}

TEST(ListSort, KeepsNumberCharactersAndReadsWholeNumbersOnly) {
  EXPECT_EQ(desk::keepNumberChars("SGD -2,000,000.00"), "-2000000.00");
  EXPECT_EQ(desk::keepNumberChars("WISH"), "");
  EXPECT_EQ(desk::keepNumberChars(std::string(400, '7')).size(), 299u);
  const std::vector<std::pair<const char*, std::optional<double>>> numbers = {{".5", 0.5},
                                                                              {"5.", 5.0},
                                                                              {"-12.345 %", -12.345},
                                                                              {"HKD 3 Bil.", 3e9},
                                                                              {"", std::nullopt},
                                                                              {"-", std::nullopt},
                                                                              {"--", std::nullopt},
                                                                              {"1.2.3", std::nullopt},
                                                                              {"USD 1.50.", std::nullopt}};
  for (const auto& [text, value] : numbers)
    EXPECT_EQ(desk::cellNumber(text), value) << text;
}

// Every cell that shows no number must end after the numbers, in its earlier order; a sort with an
// order that is not strict weak would be undefined.
TEST(ListSort, SortIsStableWithTextCellsLast) {
  QTreeWidget list;
  list.setColumnCount(3);
  const std::vector<std::pair<QString, QString>> rows = {
      {"W1", "WISH"}, {"B", "THB 20.00"}, {"W2", "--"}, {"A", "THB 3.00"}, {"W3", ""}, {"C", "THB 3.00"}};
  for (const auto& [symbol, value] : rows)
    list.addTopLevelItem(new QTreeWidgetItem(QStringList{QString(), symbol, value}));
  desk::sortByColumn(&list, 2);
  QStringList order;
  for (int i = 0; i < list.topLevelItemCount(); ++i)
    order << list.topLevelItem(i)->text(1);
  EXPECT_EQ(order, QStringList({"A", "C", "B", "W1", "W2", "W3"}));
  desk::sortByColumn(&list, 0);  // the picture column keeps the order
  EXPECT_EQ(list.topLevelItem(0)->text(1), "A");
}

TEST(ListSort, StatePicturesFollowStatusThenProfitLevel) {
  struct Case {
    int status;
    float percent;
    int holding;
    int wishlist;
  };
  const std::vector<Case> cases = {{8, 90, 3, 3},       {4, 90, 4, 4},      {1, -90, 5, 5},
                                   {0, 50, 6, 11},      {0, 49.99f, 7, 11}, {0, 2.5f, 7, 11},
                                   {2, 2.49f, 8, 11},   {0, 0, 8, 11},      {0, -2.5f, 9, 11},
                                   {0, -49.99f, 9, 11}, {0, -50, 10, 11},   {0, -100, 10, 11}};
  for (const Case& c : cases) {
    EXPECT_EQ(holdingStateImage(c.status, c.percent), c.holding) << c.status << " " << c.percent;
    EXPECT_EQ(wishlistStateImage(c.status), c.wishlist) << c.status;
  }
}

}  // namespace
