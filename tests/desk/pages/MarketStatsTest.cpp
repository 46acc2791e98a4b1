#include <gtest/gtest.h>

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

}  // namespace
