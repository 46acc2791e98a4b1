#include <gtest/gtest.h>

#include "DbError.h"
#include "Qorvex6engine.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;

class RecordsTest : public ::testing::Test {
 protected:
  void open(std::string_view fixture) {
    const auto file = dir_.file("game.db");
    testsupport::createGameDatabase(file, fixture);
    db_.open(file, testsupport::kPassword);
  }

  testsupport::TempDir dir_;
  platform::DbConnection db_;
};

TEST_F(RecordsTest, StockRowsAreCopiedWithBoundedTextsAndConvertedFields) {
  open(
      "INSERT INTO stock (symbol, company, marketTitle, vol, currentPrice, wishlist, trend, status) VALUES "
      "('ABCDEFGHIJKLMNO', 'Fifteen Co', 'Thai', 1e12, 12.5, 2, 300, 4),"
      "('ABCDEFGHIJKLMNOP', NULL, 'Japan', NULL, NULL, 0, NULL, NULL);");
  const pList<qxStockInfo> stocks(db_, "SELECT * FROM stock ORDER BY id");
  ASSERT_EQ(stocks.count(), 2);

  const qxStockInfo a = stocks.at(0);
  EXPECT_STREQ(a.symbol, "ABCDEFGHIJKLMNO") << "15 characters fit";
  EXPECT_STREQ(a.symbolCopy, a.symbol);
  EXPECT_TRUE(a.isLoaded);
  EXPECT_DOUBLE_EQ(a.vol, 1e12);
  EXPECT_FLOAT_EQ(a.currentPrice, 12.5f);
  EXPECT_TRUE(a.wishlist) << "any non-zero wishlist value is true";
  EXPECT_EQ(a.trend, 44) << "the low 8 bits of 300";
  EXPECT_EQ(a.status, 4);

  const qxStockInfo b = stocks.at(1);
  EXPECT_STREQ(b.symbol, "ABCDEFGHIJKLMNO") << "a 16th character is cut";
  EXPECT_STREQ(b.company, "");
  EXPECT_EQ(b.vol, 0);
  EXPECT_EQ(b.currentPrice, 0);
  EXPECT_FALSE(b.wishlist);
  EXPECT_EQ(b.trend, 0);

  const qxStockInfo none = stocks.at(2);
  EXPECT_FALSE(none.isLoaded);
  EXPECT_STREQ(none.symbol, "");
}

TEST_F(RecordsTest, ListAccessOutsideTheListGivesDefaultRecords) {
  open("INSERT INTO inbox (Message) VALUES ('only one');");
  const pList<qxInbox> one(db_, "SELECT * FROM inbox");
  EXPECT_STREQ(one.last().Message, "only one");
  EXPECT_STREQ(one.first().Message, "only one");
  EXPECT_EQ(one.at(-1).ID, 0);
  EXPECT_EQ(one.at(one.count()).ID, 0);

  const pList<qxInbox> empty(db_, "SELECT * FROM inbox WHERE 0");
  EXPECT_EQ(empty.count(), 0);
  EXPECT_STREQ(empty.first().Message, "");
  EXPECT_STREQ(empty.last().Message, "");

  pList<qxStockInfo> unloaded;
  EXPECT_EQ(unloaded.count(), 0);
  EXPECT_EQ(unloaded.connection, nullptr);
}

TEST_F(RecordsTest, AMissingColumnRaisesAndKeepsTheFieldsReadBeforeIt) {
  open("INSERT INTO queue (symbol, marketTitle, price) VALUES ('AAA', 'Thai', 3.5);");
  platform::DbDataset ds(db_, "SELECT ID, symbol, marketTitle FROM queue");
  qxQueue q;
  EXPECT_THROW(q.loadRow(ds), platform::DatabaseError);
  EXPECT_TRUE(ds.active()) << "loadRow opens a dataset that is not open";
  EXPECT_EQ(q.ID, 1);
  EXPECT_STREQ(q.symbol, "AAA");
  EXPECT_STREQ(q.marketTitle, "Thai");
  EXPECT_EQ(q.price, 0);

  EXPECT_THROW((pList<qxQueue>(db_, "SELECT * FROM nowhere")), platform::ProviderError);
}

TEST_F(RecordsTest, MilestoneSummaryWalksEveryRow) {
  open("INSERT INTO milestone (id, passed, star) VALUES (1, 1, 1), (2, 0, 2), (3, 1, 3);");
  platform::DbDataset none(db_, "SELECT * FROM milestone WHERE 0");
  const qxMilestone empty(none);
  EXPECT_EQ(empty.totalStars, 0);
  EXPECT_EQ(empty.passed, std::vector<bool>{false});

  platform::DbDataset rows(db_, "SELECT * FROM milestone ORDER BY id");
  const qxMilestone summary(rows);
  EXPECT_EQ(summary.totalStars, 4);
  EXPECT_EQ(summary.passed, (std::vector<bool>{false, true, false, true}));
  EXPECT_TRUE(rows.eof());

  EXPECT_EQ(qxMilestone{}.passed.size(), 0u);
}

TEST_F(RecordsTest, JoinRowFillsBothPartsFromAliasedColumns) {
  open(
      "INSERT INTO company (company, symbol, sector, balance) VALUES ('Lotus Mills', 'LOTUS', 3, 2.5e8);"
      "INSERT INTO stock (symbol, company, marketTitle, currentPrice) VALUES ('LOTUS', 'Lotus Mills', "
      "'Japan', 9);");
  const pList<qxStockWithCompany> rows(
      db_,
      "SELECT company.company AS Expr1, company.symbol AS Expr2, company.sector, company.balance, stock.* "
      "FROM (stock INNER JOIN company ON stock.symbol = company.symbol)");
  ASSERT_EQ(rows.count(), 1);
  const qxStockWithCompany r = rows.at(0);
  EXPECT_STREQ(r.stock.symbol, "LOTUS");
  EXPECT_STREQ(r.company.symbol, "LOTUS");
  EXPECT_STREQ(r.company.company, "Lotus Mills");
  EXPECT_EQ(r.company.sector, 3);
  EXPECT_DOUBLE_EQ(r.company.balance, 2.5e8);
  EXPECT_FLOAT_EQ(r.stock.currentPrice, 9);
}

TEST(MarketTitles, IndexAndTitleTranslateExactly) {
  const char* titles[] = {"Thai", "London", "Japan", "Singapore", "NewYork", "HongKong"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(marketIndexOf(titles[i]), i);
    std::string text;
    marketTitleOf(text, i);
    EXPECT_EQ(text, titles[i]);
  }
  for (const char* other : {"thai", "THAI", "", "Mars"})
    EXPECT_EQ(marketIndexOf(other), -1) << other;
  for (int index : {-1, 6}) {
    std::string text = "kept";
    marketTitleOf(text, index);
    EXPECT_EQ(text, "kept");
  }
}

}  // namespace
