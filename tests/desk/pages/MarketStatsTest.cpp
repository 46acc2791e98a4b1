#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QStringList>

#include "MarketTestFixture.h"

namespace {

using MarketStatsTest = MarketTest;

TEST_F(MarketStatsTest, TheYearsRangeIsShownOnTheIndexsScale) {
  sql("UPDATE market SET wk52high = 0.99, wk52low = 0.9803 WHERE title = 'NewYork'");
  sql("INSERT INTO [index] (MarketTitle, [clock], [mktcap], [index]) VALUES ('NewYork', 0, 0, 98.03)");
  showMarket(kNewYork);
  page_->submnuStatsClick();
  refresh(false);
  EXPECT_TRUE(page_->lblIndex->text().startsWith("98.03 ")) << page_->lblIndex->text().toStdString();
  EXPECT_EQ(page_->lbl52WkHigh->text(), "99.00");
  EXPECT_EQ(page_->lbl52WkLow->text(), "98.03");
  const Qorvex6::qxMarketInfo stored = core().getMarketInfo("NewYork");
  EXPECT_DOUBLE_EQ(stored.wk52high, 0.99) << "the stored range keeps the level scale";
  EXPECT_DOUBLE_EQ(stored.wk52low, 0.9803);
}

// The close archives the session into the daily history and sets the traded amounts to 0: while the
// exchange is closed the most active are those of that session; once it trades again, the live ones.
TEST_F(MarketStatsTest, TheMostActiveOfAClosedExchangeAreThoseOfItsLastSession) {
  std::vector<std::string> ny;
  for (const auto& row : core().getStocksWithCompany("NewYork", 0).items)
    ny.push_back(row.stock.symbol);
  ASSERT_GE(ny.size(), 8u);
  const auto traded = [&](std::size_t i, int amount) {
    sql("UPDATE stock SET tradedAmount=" + std::to_string(amount) + " WHERE symbol='" + ny[i] + "'");
  };
  sql("UPDATE stock SET tradedAmount=0 WHERE marketTitle='NewYork'");
  traded(5, 700);
  traded(6, 900);
  traded(2, 800);
  traded(7, 100);
  core().closeMarket("NewYork");
  showMarket(kNewYork);
  page_->submnuStatsClick();

  struct Case {
    const char* what;
    bool open;
    std::vector<std::size_t> active;
    QStringList amounts;
  };
  const Case cases[] = {
      {"closed", false, {6, 2, 5}, {"USD 900", "USD 800", "USD 700"}},
      {"open again", true, {3, 1, 4}, {"USD 60", "USD 50", "USD 40"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.open) {
      core().openMarket("NewYork");
      traded(3, 60);
      traded(1, 50);
      traded(4, 40);
    }
    atCycle(c.open ? 2 : 15);
    ASSERT_EQ(core().getMarketHour(kNewYork) != -1, c.open);
    refresh(false);
    for (std::size_t slot = 0; slot < 3; ++slot) {
      EXPECT_EQ(page_->lblActive[slot]->text().toStdString(), ny[c.active[slot]]) << slot;
      EXPECT_EQ(page_->lblActiveVal[slot]->text(), c.amounts[static_cast<int>(slot)]) << slot;
    }
  }
}

}  // namespace
