#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "DbError.h"
#include "Qorvex6engine.h"
#include "TestDatabase.h"

namespace {

using namespace Qorvex6;
using T = qxSUBORDER;

// A game database with the default profile (rates THB 1, GBP 49, JPY 0.4, SGD 25, USD 31, HKD 4) and
// the rows of `fixture`; the profile is read into memory.
class OrderAccessorsTest : public ::testing::Test {
 protected:
  void open(const std::string& fixture = {}) {
    game_.closeDatabase();
    file_ = dir_.file("game" + std::to_string(++files_) + ".db");
    testsupport::createGameDatabase(file_, "INSERT INTO profile (version) VALUES (670);" + fixture);
    game_.openDatabase(file_.string(), testsupport::kPassword);
    game_.setTrace([this](std::string_view line) { traced_.emplace_back(line); });
    game_.readProfile();
  }
  void SetUp() override { open(); }

  platform::DbResult rows(const std::string& sql) { return game_.connection->query(sql); }
  double value(const std::string& sql) { return rows(sql).at(0, 0).asFloat(); }
  std::string text(const std::string& sql) { return rows(sql).at(0, 0).asString(); }

  static qxQueue order(const char* symbol, const char* market, float price, float qty, bool bid = true) {
    qxQueue q;
    std::snprintf(q.symbol, sizeof q.symbol, "%s", symbol);
    std::snprintf(q.marketTitle, sizeof q.marketTitle, "%s", market);
    q.price = price;
    q.qty = qty;
    q.clockTick = 7;
    q.isUserReq = true;
    q.isBid = bid;
    return q;
  }

  testsupport::TempDir dir_;
  std::filesystem::path file_;
  int files_ = 0;
  qxSaveGame game_;
  std::vector<std::string> traced_;
};

TEST_F(OrderAccessorsTest, InsertQueueRefusesQtyZeroAndStoresTheFlags) {
  const qxQueue empty = order("AAA", "Thai", 10, 0);
  EXPECT_FALSE(game_.insertQueue(&empty));
  EXPECT_EQ(value("SELECT count(*) FROM queue"), 0);

  const qxQueue bid = order("AAA", "Thai", 10.5f, 100);
  qxQueue offer = order("BBB", "London", 2.25f, 30, false);
  offer.isUserReq = false;
  EXPECT_TRUE(game_.insertQueue(&bid));
  EXPECT_TRUE(game_.insertQueue(&offer));

  const pList<qxQueue> queue = game_.getQueue(nullptr);
  ASSERT_EQ(queue.count(), 2);
  const qxQueue a = queue.at(0), b = queue.at(1);
  EXPECT_STREQ(a.symbol, "AAA");
  EXPECT_STREQ(a.marketTitle, "Thai");
  EXPECT_EQ(a.price, 10.5f);
  EXPECT_EQ(a.qty, 100);
  EXPECT_EQ(a.clockTick, 7);
  EXPECT_TRUE(a.isBid);
  EXPECT_TRUE(a.isUserReq);
  EXPECT_FALSE(a.isCompleted);
  EXPECT_GT(a.ID, 0);
  EXPECT_FALSE(b.isBid);
  EXPECT_FALSE(b.isUserReq);
  EXPECT_TRUE(traced_.empty());
}

TEST_F(OrderAccessorsTest, QueueIsReadBySymbolThenHighestPriceAndDeletedBySymbolOrMarket) {
  open(
      "INSERT INTO queue (symbol, marketTitle, price, qty) VALUES "
      "('BBB', 'London', 5, 1), ('AAA', 'Thai', 10, 1), ('CCC', 'Thai', 1, 1), ('AAA', 'Thai', 12, 1), "
      "('BBB', 'London', 7, 1), ('AAA', 'Thai', 11, 1);");
  const auto listed = [this](const qxORDER* criteria) {
    std::vector<std::pair<std::string, float>> out;
    for (const qxQueue& q : game_.getQueue(criteria).items)
      out.emplace_back(q.symbol, q.price);
    return out;
  };
  using L = std::vector<std::pair<std::string, float>>;
  EXPECT_EQ(listed(nullptr), (L{{"AAA", 12}, {"AAA", 11}, {"AAA", 10}, {"BBB", 7}, {"BBB", 5}, {"CCC", 1}}));
  const qxORDER bbb{T::textTerm("symbol", "bbb")};
  EXPECT_EQ(listed(&bbb), (L{{"BBB", 7}, {"BBB", 5}}));

  const qxORDER aaa{T::textTerm("symbol", "AAA")};
  EXPECT_TRUE(game_.deleteQueue(&aaa));
  EXPECT_EQ(listed(nullptr), (L{{"BBB", 7}, {"BBB", 5}, {"CCC", 1}})) << "every order of the symbol goes";

  EXPECT_TRUE(game_.clearMarketQueue("LONDON"));
  EXPECT_EQ(listed(nullptr), (L{{"CCC", 1}}));
  EXPECT_FALSE(game_.clearMarketQueue("O'Hare")) << "nothing to clear";

  EXPECT_TRUE(game_.deleteQueue(nullptr));
  EXPECT_EQ(value("SELECT count(*) FROM queue"), 0);
  EXPECT_FALSE(game_.deleteQueue(nullptr));
  EXPECT_TRUE(traced_.empty()) << "a quote in a title is no syntax error";
}

TEST_F(OrderAccessorsTest, PortfolioChangesNeedCriteria) {
  qxShare share;
  std::snprintf(share.symbol, sizeof share.symbol, "AAA");
  std::snprintf(share.marketTitle, sizeof share.marketTitle, "Thai");
  share.avg_price = 12.5f;
  share.vol = 300;
  EXPECT_TRUE(game_.insertPortfolio(&share));
  game_.execSQL(
      "INSERT INTO portfolio (symbol, vol, heldlength, marketTitle) VALUES ('BBB', 10, 5, 'London')");

  const pList<qxShare> held = game_.getPortfolio(nullptr);
  ASSERT_EQ(held.count(), 2);
  EXPECT_STREQ(held.at(0).symbol, "BBB") << "the longest held first";
  const qxShare aaa = held.at(1);
  EXPECT_EQ(aaa.heldlength, 0);
  EXPECT_EQ(aaa.avg_price, 12.5f);
  EXPECT_EQ(aaa.vol, 300);
  EXPECT_STREQ(aaa.marketTitle, "Thai");

  const qxORDER bySymbol{T::textTerm("symbol", "AAA")};
  const qxORDER noTerms{};
  EXPECT_EQ(game_.countPortfolio(nullptr), 2);
  EXPECT_EQ(game_.countPortfolio(&bySymbol), 1);

  const qxORDER assign{T::numberTerm("vol", 50)};
  for (const qxORDER* missing : {static_cast<const qxORDER*>(nullptr), &noTerms}) {
    EXPECT_FALSE(game_.updatePortfolio(&assign, missing));
    EXPECT_FALSE(game_.deletePortfolio(missing));
  }
  EXPECT_EQ(value("SELECT count(*) FROM portfolio WHERE vol=50"), 0);
  EXPECT_EQ(game_.countPortfolio(nullptr), 2);

  EXPECT_TRUE(game_.updatePortfolio(&assign, &bySymbol));
  EXPECT_EQ(value("SELECT vol FROM portfolio WHERE symbol='AAA'"), 50);
  EXPECT_EQ(value("SELECT vol FROM portfolio WHERE symbol='BBB'"), 10);
  EXPECT_TRUE(game_.deletePortfolio(&bySymbol));
  EXPECT_EQ(game_.countPortfolio(nullptr), 1);
  EXPECT_EQ(game_.countPortfolio(&bySymbol), 0);
}

TEST_F(OrderAccessorsTest, BelongingIsBoughtAtItsSalePriceWithoutDecimals) {
  struct Case {
    float saleprice;
    double stored;
  } cases[] = {{1234.25f, 1234}, {1234.5f, 1235}, {2.5f, 3}, {0.4f, 0}, {480000, 480000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.saleprice);
    qxProductInfo product;
    product.ID = 7;
    product.saleprice = c.saleprice;
    EXPECT_TRUE(game_.insertBelonging(&product));
    const platform::DbResult row =
        rows("SELECT productID, boughtValue, currentValue FROM belonging ORDER BY ID DESC LIMIT 1");
    EXPECT_EQ(row.at(0, 0).asInteger(), 7);
    EXPECT_EQ(row.at(0, 1).asFloat(), c.stored);
    EXPECT_EQ(row.at(0, 2).asFloat(), c.stored);
  }
  qxProductInfo broken;
  broken.saleprice = INFINITY;
  EXPECT_FALSE(game_.insertBelonging(&broken));
  EXPECT_EQ(value("SELECT count(*) FROM belonging"), 5);

  const qxORDER first{T::numberTerm("ID", game_.getBelongings(nullptr).first().ID)};
  EXPECT_TRUE(game_.deleteBelongings(&first));
  EXPECT_EQ(game_.getBelongings(nullptr).count(), 4);
  EXPECT_TRUE(game_.deleteBelongings(nullptr));
  EXPECT_EQ(game_.getBelongings(nullptr).count(), 0);
}

TEST_F(OrderAccessorsTest, InboxStoresAQuoteAndIsMarkedRead) {
  EXPECT_TRUE(game_.insertInbox("Don't miss the dividend"));
  EXPECT_TRUE(game_.insertInbox("Second"));
  const pList<qxInbox> inbox = game_.getInbox(nullptr);
  ASSERT_EQ(inbox.count(), 2);
  EXPECT_STREQ(inbox.at(0).Message, "Don't miss the dividend");
  EXPECT_FALSE(inbox.at(0).isRead);

  const qxORDER read{T::numberTerm("isRead", 1)};
  const qxORDER second{T::numberTerm("ID", inbox.at(1).ID)};
  EXPECT_TRUE(game_.updateInbox(&read, &second));
  const qxORDER unread{T::numberTerm("isRead", 0)};
  ASSERT_EQ(game_.getInbox(&unread).count(), 1);
  EXPECT_STREQ(game_.getInbox(&unread).at(0).Message, "Don't miss the dividend");
  EXPECT_TRUE(traced_.empty());
}

// The engine returns unordered rows backwards under this pragma: a reader that leaned on the natural row
// order would come back reversed.
TEST_F(OrderAccessorsTest, InboxBelongingsAndProductsComeInInsertionOrder) {
  open(
      "INSERT INTO inbox (Message) VALUES ('one'), ('two'), ('three');"
      "INSERT INTO belonging (productID) VALUES (5), (3), (9);"
      "INSERT INTO product (ID, brandname) VALUES (0, 'A'), (1, 'B'), (2, 'C');");
  game_.connection->execute("PRAGMA reverse_unordered_selects=1");
  const pList<qxInbox> inbox = game_.getInbox(nullptr);
  ASSERT_EQ(inbox.count(), 3);
  EXPECT_STREQ(inbox.at(0).Message, "one");
  EXPECT_STREQ(inbox.at(2).Message, "three");
  const pList<qxBelonging> goods = game_.getBelongings(nullptr);
  ASSERT_EQ(goods.count(), 3);
  EXPECT_EQ(goods.at(0).productID, 5);
  EXPECT_EQ(goods.at(2).productID, 9);
  const qxORDER cheap{T::numberTerm("saleprice", 0)};
  const pList<qxProductInfo> products = game_.getProducts(&cheap);
  ASSERT_EQ(products.count(), 3);
  EXPECT_STREQ(products.at(0).brandname, "A");
  EXPECT_STREQ(products.at(2).brandname, "C");
}

TEST_F(OrderAccessorsTest, DividendCountdownStopsAtZeroAndRestarts) {
  open(
      "INSERT INTO stock (symbol, marketTitle, div_numdays, div_dayleft, status) VALUES "
      "('TWO', 'Thai', 10, 2, 1), ('ONE', 'Thai', 10, 1, 1), ('DUE', 'Thai', 10, 0, 1);");
  const auto dayLeft = [this](const char* symbol) {
    return value(std::string("SELECT div_dayleft FROM stock WHERE symbol='") + symbol + "'");
  };
  const auto status = [this](const char* symbol) {
    return value(std::string("SELECT status FROM stock WHERE symbol='") + symbol + "'");
  };
  EXPECT_TRUE(game_.countDownDividends());
  EXPECT_EQ(dayLeft("TWO"), 1);
  EXPECT_EQ(dayLeft("ONE"), 0);
  EXPECT_EQ(dayLeft("DUE"), 0) << "never below zero";

  EXPECT_TRUE(game_.resetDividendCountdown());
  EXPECT_EQ(dayLeft("TWO"), 1);
  EXPECT_EQ(status("TWO"), 1) << "not due: untouched";
  EXPECT_EQ(dayLeft("ONE"), 10);
  EXPECT_EQ(status("ONE"), 0);
  EXPECT_EQ(dayLeft("DUE"), 10);
  EXPECT_EQ(status("DUE"), 0);
}

// AAA (Thai): 1000 shares, 10 % yield, balance 100 -> 100 shares earn THB 1.
// BBB (London): 2000 shares, 5 % yield, balance 40000 -> 500 shares earn GBP 500.
constexpr const char* kDividendMarket =
    "INSERT INTO stock (symbol, marketTitle, vol, div_yield, div_dayleft) VALUES "
    "('AAA', 'Thai', 1000, 10, 0), ('BBB', 'London', 2000, 5, 0), ('SOON', 'Thai', 1000, 10, 1), "
    "('NOVOL', 'Thai', 0, 10, 0);"
    "INSERT INTO company (company, symbol, balance) VALUES "
    "('A Co', 'AAA', 100), ('B Co', 'BBB', 40000), ('Soon Co', 'SOON', 1000), ('No Vol Co', 'NOVOL', 1000);";

TEST_F(OrderAccessorsTest, PayDividendsPaysLongStandingHoldersOnPaymentDay) {
  struct Case {
    const char* name;
    const char* holdings;  // portfolio rows (symbol, vol, heldlength, marketTitle)
    bool paid;
    const char* message;
    double thb, gbp;
  } cases[] = {
      {"held 30 days", "('AAA', 100, 30, 'Thai')", false, "", 0, 0},
      {"held 31 days", "('AAA', 100, 31, 'Thai')", true, "AAA pays you THB 1.00.  ", 1, 0},
      {"one day to go", "('SOON', 100, 40, 'Thai')", false, "", 0, 0},
      {"no stock row", "('GONE', 100, 40, 'Thai')", false, "", 0, 0},
      {"stock without shares", "('NOVOL', 100, 40, 'Thai')", false, "", 0, 0},
      {"unknown market", "('AAA', 100, 40, 'Atlantis')", false, "", 0, 0},
      {"two payments", "('BBB', 500, 31, 'London'), ('AAA', 100, 45, 'Thai')", true,
       "AAA pays you THB 1.00.  BBB pays you GBP 500.00.  ", 1, 500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    open(std::string(kDividendMarket) +
         "INSERT INTO portfolio (symbol, vol, heldlength, marketTitle) VALUES " + c.holdings + ";");
    game_.profile.budget[0] = 100;
    game_.profile.budget[1] = 10;
    game_.writeProfile();
    std::string message = "yesterday";
    EXPECT_EQ(game_.payDividends(message), c.paid);
    EXPECT_EQ(message, c.message);
    EXPECT_NEAR(game_.profile.budget[0], 100 + c.thb, 1e-6);
    EXPECT_NEAR(game_.profile.budget[1], 10 + c.gbp, 1e-6);
    EXPECT_NEAR(value("SELECT budget_THB FROM profile"), 100 + c.thb, 1e-6) << "the profile row follows";
    EXPECT_NEAR(value("SELECT budget_GBP FROM profile"), 10 + c.gbp, 1e-6);
    for (const double budget : game_.profile.budget)
      EXPECT_TRUE(std::isfinite(budget));
    EXPECT_TRUE(traced_.empty());
  }
}

TEST_F(OrderAccessorsTest, PayDividendsOnAnEmptyPortfolioLeavesTheMessage) {
  open(kDividendMarket);
  std::string message = "yesterday";
  EXPECT_FALSE(game_.payDividends(message));
  EXPECT_EQ(message, "yesterday");
}

// The company of the second holding cannot be read: the first payment is undone with the rest.
TEST_F(OrderAccessorsTest, PayDividendsThatFailsHalfWayPaysNothing) {
  open(std::string(kDividendMarket) +
       "ALTER TABLE company RENAME TO company_rows;"
       "CREATE VIEW company AS SELECT company, symbol, sector, "
       "CASE WHEN symbol='BBB' THEN abs(-9223372036854775807 - 1) ELSE balance END AS balance "
       "FROM company_rows;"
       "INSERT INTO portfolio (symbol, vol, heldlength, marketTitle) VALUES "
       "('AAA', 100, 45, 'Thai'), ('BBB', 500, 31, 'London');");
  std::string message = "yesterday";
  EXPECT_THROW(game_.payDividends(message), platform::ProviderError);
  EXPECT_EQ(message, "yesterday");
  EXPECT_EQ(game_.profile.budget[0], 0);
  EXPECT_EQ(value("SELECT budget_THB FROM profile"), 0);
}

TEST_F(OrderAccessorsTest, AgeHoldingsKeepsTheLongestHoldingStatistic) {
  struct Case {
    int longest;
    float statistic;
    const char* symbol;
  } cases[] = {{10, 11, "OLD"}, {9, 10, "PREV"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.longest);
    open("INSERT INTO portfolio (symbol, vol, heldlength, marketTitle) VALUES ('OLD', 10, " +
         std::to_string(c.longest) + ", 'Thai'), ('NEW', 10, 2, 'Thai'), ('EMPTY', 0, 3, 'Thai');");
    game_.profile.statLongestHolding_Val = 10;
    std::snprintf(game_.profile.statLongestHolding_Symbol, sizeof game_.profile.statLongestHolding_Symbol,
                  "PREV");
    game_.writeProfile();

    EXPECT_TRUE(game_.ageHoldings());
    EXPECT_EQ(game_.profile.statLongestHolding_Val, c.statistic);
    EXPECT_STREQ(game_.profile.statLongestHolding_Symbol, c.symbol);
    EXPECT_EQ(value("SELECT statLongestHolding_Val FROM profile"), c.statistic);
    EXPECT_EQ(text("SELECT statLongestHolding_Symbol FROM profile"), c.symbol);
    EXPECT_EQ(value("SELECT heldlength FROM portfolio WHERE symbol='OLD'"), c.longest + 1);
    EXPECT_EQ(value("SELECT heldlength FROM portfolio WHERE symbol='NEW'"), 3);
    EXPECT_EQ(value("SELECT heldlength FROM portfolio WHERE symbol='EMPTY'"), 3) << "no shares, no ageing";
  }

  open();
  game_.profile.statLongestHolding_Val = 10;
  EXPECT_FALSE(game_.ageHoldings());
  EXPECT_EQ(game_.profile.statLongestHolding_Val, 10);
  EXPECT_EQ(value("SELECT statLongestHolding_Val FROM profile"), 0) << "nothing written";
}

}  // namespace
