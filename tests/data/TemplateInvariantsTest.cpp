// Checks the built template database: the rows a new game starts from.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "DbConnection.h"
#include "DbError.h"
#include "TestDatabase.h"

namespace {

using platform::DbConnection;
using platform::DbResult;
using platform::DbValue;

constexpr std::array<const char*, 6> kMarkets = {"Thai",      "London",  "Japan",
                                                 "Singapore", "NewYork", "HongKong"};

// The capitalisation at which each market's index stands at 100, in market-index order.
constexpr std::array<double, 6> kIndexBases = {566000025600.0, 371999997952.0, 236999999488.0,
                                               100000000.0,    750000013312.0, 99999997952.0};

// A query result whose cells are addressed by column name.
class Rows {
 public:
  explicit Rows(DbResult result) : result_(std::move(result)) {}

  std::size_t count() const { return result_.rowCount(); }

  // Columns are matched without regard to case, as the game's readers match them.
  const DbValue& at(std::size_t row, std::string_view column) const {
    for (std::size_t c = 0; c < result_.columns.size(); ++c) {
      if (sameName(result_.columns[c], column)) return result_.at(row, c);
    }
    ADD_FAILURE() << "no column " << column;
    static const DbValue null;
    return null;
  }
  double number(std::size_t row, std::string_view column) const { return at(row, column).asFloat(); }
  std::int64_t integer(std::size_t row, std::string_view column) const { return at(row, column).asInt64(); }
  std::string text(std::size_t row, std::string_view column) const { return at(row, column).asString(); }

 private:
  static bool sameName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
  }

  DbResult result_;
};

// The first `n` bytes of a file.
std::string head(const std::filesystem::path& file, std::size_t n) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes(n, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(n));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

bool isSymbol(const std::string& s) {
  return !s.empty() && s.size() <= 9 && std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  });
}

// The price bands of price generation: the first bound that exceeds a price gives its band.
int priceBand(double price) {
  constexpr std::array<double, 11> bounds = {1, 2, 5, 10, 25, 50, 100, 250, 500, 1000, 2000};
  return static_cast<int>(std::upper_bound(bounds.begin(), bounds.end(), price) - bounds.begin());
}

// The pe classes that bias the direction of a price step.
int peBand(double pe) {
  if (pe < 0) return 0;
  if (pe <= 1.1) return 1;
  if (pe > 100) return 3;
  return 2;
}

class TemplateTest : public ::testing::Test {
 protected:
  // Every test reads a private copy, so nothing can touch the built file.
  static void SetUpTestSuite() {
    dir_ = std::make_unique<testsupport::TempDir>();
    const auto copy = dir_->file("template.db");
    testsupport::copyTemplate(copy);
    db_ = std::make_unique<DbConnection>();
    db_->open(copy, testsupport::kPassword);
  }
  static void TearDownTestSuite() {
    db_.reset();
    dir_.reset();
  }

  static Rows query(std::string_view sql) { return Rows(db_->query(sql)); }

  inline static std::unique_ptr<testsupport::TempDir> dir_;
  inline static std::unique_ptr<DbConnection> db_;
};

TEST(TemplateFile, IsEncryptedAndOpensOnlyWithTheGamePassword) {
  const auto original = testsupport::templateFile();
  ASSERT_TRUE(std::filesystem::exists(original)) << original;
  const std::string plainHeader("SQLite format 3\0", 16);
  const std::string bytes = head(original, 16);
  ASSERT_EQ(bytes.size(), 16u);
  EXPECT_NE(bytes, plainHeader) << "the template is stored unencrypted";

  testsupport::TempDir dir;
  const auto copy = dir.file("template.db");
  testsupport::copyTemplate(copy);
  DbConnection db;
  EXPECT_THROW(db.open(copy, "wrong password"), platform::ProviderError);
  EXPECT_THROW(db.open(copy, ""), platform::ProviderError);
  EXPECT_FALSE(db.isOpen());
  EXPECT_NO_THROW(db.open(copy, testsupport::kPassword));
}

TEST_F(TemplateTest, HoldsExactlyTheSixteenTables) {
  const Rows tables = query(
      "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
      "ORDER BY name");
  std::set<std::string> names;
  for (std::size_t r = 0; r < tables.count(); ++r)
    names.insert(tables.text(r, "name"));
  const std::set<std::string> expected = {
      "belonging", "company",   "companyFinance", "dailyPrice", "exchHistory", "factors", "index", "inbox",
      "market",    "milestone", "portfolio",      "price",      "product",     "profile", "queue", "stock"};
  EXPECT_EQ(names, expected);

  // Only the tables a new game starts with rows in are filled.
  for (const char* table : {"belonging", "companyFinance", "dailyPrice", "exchHistory", "[index]", "inbox",
                            "portfolio", "price", "queue"}) {
    EXPECT_EQ(query(std::string("SELECT count(*) AS n FROM ") + table).integer(0, "n"), 0) << table;
  }
}

TEST_F(TemplateTest, ProfileHoldsTheStartingValuesOfANewGame) {
  const Rows profile = query("SELECT * FROM profile");
  ASSERT_EQ(profile.count(), 1u);

  struct NumberColumn {
    const char* column;
    double value;
  };
  const NumberColumn numbers[] = {
      {"version", 670},
      {"budget_THB", 1000000},
      {"budget_GBP", 5000},
      {"budget_JPY", 0},
      {"budget_SGD", 0},
      {"budget_USD", 4500},
      {"budget_HKD", 40250},
      {"rateExchange_Thai", 1},
      {"rateExchange_London", 49},
      {"rateExchange_Japan", 0.4},
      {"rateExchange_Singapore", 25},
      {"rateExchange_NewYork", 31},
      {"rateExchange_HongKong", 4},
      {"daycount", 0},
      {"clockTick", 0},
      {"autoUpdate", 1},
      {"enableLargeDB", 0},
      {"enableWizard", 0},
      {"autoSaveFreq", 1},
      {"speed", 0},
      {"timelineMode", 0},
      {"statHighestProfit_Val", 0},
      {"statHighestLoss_Val", 0},
      {"statLongestHolding_Val", 0},
      {"statHighestBudget", 0},
      {"statHighestPortVal", 0},
  };
  for (const auto& [column, value] : numbers) {
    EXPECT_FALSE(profile.at(0, column).isNull()) << column;
    EXPECT_DOUBLE_EQ(profile.number(0, column), value) << column;
  }
  struct TextColumn {
    const char* column;
    const char* value;
  };
  const TextColumn texts[] = {
      {"playerName", ""},
      {"joinDate", "01/01/2500"},
      {"debutDate", "01/01/2012"},
      {"statHighestProfit_Symbol", ""},
      {"statHighestLoss_Symbol", ""},
      {"statLongestHolding_Symbol", ""},
  };
  for (const auto& [column, value] : texts)
    EXPECT_EQ(profile.text(0, column), value) << column;
}

TEST_F(TemplateTest, FactorsAndMarketsStartSettled) {
  const Rows factors = query("SELECT * FROM factors");
  ASSERT_EQ(factors.count(), 1u);
  for (const char* level : {"pol_stability", "heal_stability", "seas_stability", "ecoLevel"}) {
    EXPECT_GT(factors.number(0, level), 0) << level;
    EXPECT_LE(factors.number(0, level), 1) << level;
  }
  for (const char* status : {"pol_status", "heal_status", "seas_status"})
    EXPECT_EQ(factors.integer(0, status), 0) << status;
  for (const char* days : {"pol_nextconsider", "heal_nextconsider", "seas_nextconsider"})
    EXPECT_GT(factors.integer(0, days), 0) << days;

  // The natural row order is the market-index order; the cycles are the trading hours.
  const Rows markets = query("SELECT * FROM market ORDER BY rowid");
  ASSERT_EQ(markets.count(), kMarkets.size());
  const std::array<std::array<int, 2>, 6> cycles = {{{9, 18}, {11, 0}, {2, 11}, {9, 18}, {0, 9}, {2, 11}}};
  for (std::size_t m = 0; m < kMarkets.size(); ++m) {
    SCOPED_TRACE(kMarkets[m]);
    EXPECT_EQ(markets.text(m, "title"), kMarkets[m]);
    EXPECT_EQ(markets.integer(m, "cycleOpen"), cycles[m][0]);
    EXPECT_EQ(markets.integer(m, "cycleClose"), cycles[m][1]);
    EXPECT_EQ(markets.number(m, "wk52high"), 0);
    EXPECT_EQ(markets.number(m, "wk52low"), 0);
    EXPECT_EQ(markets.number(m, "mktCap"), 0);
  }
}

TEST_F(TemplateTest, MilestonesRunFromOneToTwentyThreeWithoutGaps) {
  const Rows milestones = query("SELECT * FROM milestone ORDER BY id");
  ASSERT_EQ(milestones.count(), 23u);
  std::set<std::string> descriptions;
  for (std::size_t r = 0; r < milestones.count(); ++r) {
    SCOPED_TRACE("milestone row " + std::to_string(r));
    EXPECT_EQ(milestones.integer(r, "id"), static_cast<std::int64_t>(r + 1));
    EXPECT_EQ(milestones.integer(r, "passed"), 0);
    EXPECT_GE(milestones.integer(r, "star"), 1);
    EXPECT_LE(milestones.integer(r, "star"), 5);
    const std::string type = milestones.text(r, "type");
    const std::string description = milestones.text(r, "description");
    EXPECT_FALSE(type.empty());
    EXPECT_LE(type.size(), 14u) << type;
    EXPECT_FALSE(description.empty());
    EXPECT_LE(description.size(), 254u) << description;
    EXPECT_TRUE(descriptions.insert(description).second) << "repeated description: " << description;
  }
}

TEST_F(TemplateTest, ShopHoldsTwentyFourProductsInThreeCategories) {
  const Rows products = query("SELECT * FROM product ORDER BY ID");
  ASSERT_EQ(products.count(), 24u);
  std::map<std::int64_t, int> perCategory;
  for (std::size_t r = 0; r < products.count(); ++r) {
    SCOPED_TRACE("product " + products.text(r, "ID"));
    EXPECT_EQ(products.integer(r, "ID"), static_cast<std::int64_t>(r))
        << "IDs are the picture indexes 0 to 23";
    const std::int64_t category = products.integer(r, "category");
    EXPECT_TRUE(category == 256 || category == 1536 || category == 2048) << category;
    ++perCategory[category];
    for (const char* column : {"brandname", "brandserie"}) {
      EXPECT_FALSE(products.text(r, column).empty()) << column;
      EXPECT_LE(products.text(r, column).size(), 19u) << column;
    }
    EXPECT_FALSE(products.text(r, "company").empty());
    EXPECT_LE(products.text(r, "company").size(), 255u);
    EXPECT_GT(products.number(r, "saleprice"), 0);
  }
  for (const std::int64_t category : {256, 1536, 2048}) {
    EXPECT_GE(perCategory[category], 1) << category;
    EXPECT_LE(perCategory[category], 10) << category << ": the shop shows ten products of a category";
  }
}

TEST_F(TemplateTest, EveryStockHasOneCompanyOfTheSameSymbolAndName) {
  const Rows counts = query(
      "SELECT (SELECT count(*) FROM stock) AS stocks, (SELECT count(*) FROM company) AS companies, "
      "(SELECT count(*) FROM stock JOIN company ON stock.symbol = company.symbol "
      "AND stock.company = company.company) AS matched");
  EXPECT_EQ(counts.integer(0, "companies"), counts.integer(0, "stocks"));
  EXPECT_EQ(counts.integer(0, "matched"), counts.integer(0, "stocks"));

  const Rows companies = query("SELECT * FROM company ORDER BY rowid");
  std::set<std::string> names;
  for (std::size_t r = 0; r < companies.count(); ++r) {
    const std::string name = companies.text(r, "company");
    SCOPED_TRACE(companies.text(r, "symbol") + " " + name);
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 254u);
    EXPECT_TRUE(names.insert(name).second) << "company name used twice";
    EXPECT_GE(companies.integer(r, "sector"), 1);
    EXPECT_LE(companies.integer(r, "sector"), 15);
    EXPECT_GE(companies.number(r, "balance"), 1e6);
    EXPECT_LE(companies.number(r, "balance"), 1e9);
  }
}

TEST_F(TemplateTest, StockRowsAreConsistentAndReadyToTrade) {
  // Each market's prices, in its own currency, lie in a range that currency makes plausible.
  const std::map<std::string, std::array<double, 2>> priceRange = {
      {"Thai", {5, 1000}},      {"London", {0.1, 50}}, {"Japan", {100, 10000}},
      {"Singapore", {0.1, 10}}, {"NewYork", {5, 400}}, {"HongKong", {0.3, 300}}};

  const Rows stocks = query("SELECT * FROM stock ORDER BY id");
  std::set<std::string> symbols;
  std::map<std::string, int> perMarket;
  for (std::size_t r = 0; r < stocks.count(); ++r) {
    const std::string symbol = stocks.text(r, "symbol");
    const std::string market = stocks.text(r, "marketTitle");
    SCOPED_TRACE(market + " " + symbol);
    EXPECT_TRUE(isSymbol(symbol)) << "symbols are 1 to 9 of A-Z and 0-9";
    EXPECT_TRUE(symbols.insert(symbol).second) << "symbol used twice";
    ASSERT_TRUE(priceRange.count(market)) << "not one of the six market titles";
    ++perMarket[market];

    const double price = stocks.number(r, "currentPrice");
    EXPECT_GE(price, priceRange.at(market)[0]);
    EXPECT_LT(price, priceRange.at(market)[1]);
    EXPECT_EQ(stocks.number(r, "closeprice"), price);
    EXPECT_EQ(stocks.number(r, "closepriceY"), price);
    for (const char* zero : {"openPrice", "todayhigh", "todaylow", "tradedVol", "tradedAmount", "status",
                             "trend", "wishlist", "changeRecently"}) {
      EXPECT_FALSE(stocks.at(r, zero).isNull()) << zero;
      EXPECT_EQ(stocks.number(r, zero), 0) << zero;
    }
    const double high = stocks.number(r, "wk52high");
    const double low = stocks.number(r, "wk52low");
    if (high != 0 || low != 0) {
      EXPECT_GT(low, 0);
      EXPECT_LE(low, price);
      EXPECT_GE(high, price);
    }
    EXPECT_GT(stocks.number(r, "vol"), 0);
    EXPECT_GT(stocks.number(r, "par_value"), 0);

    const std::int64_t numdays = stocks.integer(r, "div_numdays");
    const std::int64_t dayleft = stocks.integer(r, "div_dayleft");
    EXPECT_GE(numdays, 30);
    EXPECT_LE(numdays, 180);
    EXPECT_GE(dayleft, 8) << "a stock goes ex-dividend 7 days before its payment day";
    EXPECT_LE(dayleft, numdays);
    const double perShare = stocks.number(r, "div_perShare");
    const double yield = stocks.number(r, "div_yield");
    EXPECT_GE(yield, 0);
    EXPECT_LE(yield, 10);
    EXPECT_NEAR(perShare, price * yield / 100, std::max(1e-4, 0.005 * perShare)) << "dividend against yield";

    const double pe = stocks.number(r, "pe");
    const double eps = stocks.number(r, "eps");
    if (pe == 0) {
      EXPECT_EQ(eps, 0);
    } else {
      EXPECT_NEAR(eps * pe, price, 0.002 * price) << "eps against price / pe";
    }
    EXPECT_GT(stocks.number(r, "beta"), 0);
    EXPECT_LE(stocks.number(r, "beta"), 3);
    EXPECT_GE(stocks.integer(r, "popularity"), 0);
    EXPECT_LE(stocks.integer(r, "popularity"), 255);
  }
  for (const char* market : kMarkets) {
    EXPECT_GE(perMarket[market], 30) << market;
    EXPECT_LE(perMarket[market], 40) << market;
  }
}

TEST_F(TemplateTest, StocksCoverEveryPriceBandPeClassSectorAndPopularityRange) {
  const Rows stocks = query(
      "SELECT stock.symbol, currentPrice, pe, popularity, sector FROM stock JOIN company "
      "ON stock.symbol = company.symbol");
  std::set<int> priceBands, peBands, popularityQuarters;
  std::set<std::int64_t> sectors;
  for (std::size_t r = 0; r < stocks.count(); ++r) {
    priceBands.insert(priceBand(stocks.number(r, "currentPrice")));
    peBands.insert(peBand(stocks.number(r, "pe")));
    popularityQuarters.insert(static_cast<int>(stocks.integer(r, "popularity") / 64));
    sectors.insert(stocks.integer(r, "sector"));
  }
  for (int band = 0; band <= 11; ++band)
    EXPECT_TRUE(priceBands.count(band)) << "no stock in price band " << band;
  for (int band = 0; band <= 3; ++band)
    EXPECT_TRUE(peBands.count(band)) << "no stock in pe class " << band;
  for (int quarter = 0; quarter <= 3; ++quarter)
    EXPECT_TRUE(popularityQuarters.count(quarter))
        << "no popularity in " << quarter * 64 << ".." << quarter * 64 + 63;
  for (std::int64_t sector = 1; sector <= 15; ++sector)
    EXPECT_TRUE(sectors.count(sector)) << "no company in sector " << sector;
}

TEST_F(TemplateTest, EachMarketStartsNearItsIndexBase) {
  for (std::size_t m = 0; m < kMarkets.size(); ++m) {
    SCOPED_TRACE(kMarkets[m]);
    const Rows cap =
        query(std::string("SELECT SUM([vol]*[currentPrice]) AS [c] FROM [Stock] WHERE MarketTitle='") +
              kMarkets[m] + "'");
    const double index = cap.number(0, "c") * 100 / kIndexBases[m];
    EXPECT_NEAR(index, 100, 10) << "capitalisation " << cap.number(0, "c");
  }
}

}  // namespace
