#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DbConnection.h"
#include "DbDataset.h"
#include "Qorvex6criteria.h"
#include "Qorvex6data.h"
#include "Qorvex6list.h"

namespace Qorvex6 {

constexpr std::uint16_t PROFILE_WRITE = 0;
constexpr std::uint16_t PROFILE_READ = 15;

// The password of every game database file.
inline constexpr const char* DATABASE_PASSWORD = "_vexlim_";

// The key that lets debugExecSQL run a statement; known to its callers, never printed.
inline constexpr const char* DEBUG_SQL_TRIGGER = "ledger.keeper@qorvex.invalid";

// A money text without its currency: "1,234.50", "1.50 Mil.", "1.500 Bil." (the billions' decimals
// follow the currency); a currency outside 0..5 writes the USD forms.
std::string moneyFigure(double amount, int currency);

// The player profile held in memory: the working copy of the single profile row.
struct qxProfile {
  char playerName[32] = {};
  double budget[6] = {};  // by market index: THB, GBP, JPY, SGD, USD, HKD
  std::uint16_t joinDay = 0, joinMonth = 0, joinYear = 0;
  std::uint16_t debutDay = 0, debutMonth = 0, debutYear = 0;
  char statHighestProfit_Symbol[12] = {};
  float statHighestProfit_Val = 0;
  char statHighestLoss_Symbol[12] = {};
  float statHighestLoss_Val = 0;
  char statLongestHolding_Symbol[12] = {};
  float statLongestHolding_Val = 0;
  double statHighestBudget = 0;
  double statHighestPortVal = 0;
  qxMilestone milestones;
};

// One table of a game database: its name and its columns with their declared types.
struct qxTableShape {
  struct Column {
    std::string name;
    std::string type;
  };
  std::string name;
  std::vector<Column> columns;
};

// The first difference of the tables `found` from the `expected` ones (a table missing or extra, a
// column missing, extra or of another declared type; names and types compare without ASCII case); empty
// when they agree.
std::string tableShapeDifference(const std::vector<qxTableShape>& expected,
                                 const std::vector<qxTableShape>& found);

// What checking a save file came to: the version it holds when it is safe to use, else why not.
struct qxSaveCheck {
  std::string fault;  // empty when the file may be opened by the game
  int version = 0;
};

// Checks a save file before the game opens it: a regular file that opens with the password, passes the
// quick check and holds no view, trigger, table made from a query, nor WAL journal mode. A save of the
// template's version must also hold the template's tables and columns. Never throws.
qxSaveCheck checkSaveFile(const std::string& save, const std::string& templateFile);

// A one-value query: the value of a column in a row of its result.
class pSingleField {
 public:
  pSingleField(platform::DbConnection& db, const std::string& sql);
  virtual ~pSingleField() = default;

  // The column's value `row` rows after the first (stopping at the last row); 0 when there is no row.
  virtual float getFloat(int row, const std::string& column);

  std::unique_ptr<platform::DbDataset> dataSet;
  platform::DbConnection* connection = nullptr;  // not owned
};

// The game database object: the one owner of the connection, the profile, the settings, the stored
// clock and the exchange rates. Every SQL statement of the game is issued by one of its members.
class qxSaveGame {
 public:
  qxSaveGame();
  ~qxSaveGame();
  qxSaveGame(const qxSaveGame&) = delete;
  qxSaveGame& operator=(const qxSaveGame&) = delete;

  // Opens the file with the password; a failure (no file, wrong password, not a database) throws
  // platform::ProviderError. Returns whether the connection is open.
  bool openDatabase(const std::string& path, const std::string& password,
                    platform::DbConnection::Access access = platform::DbConnection::Access::ReadWrite);
  bool closeDatabase();
  // Whether the engine's quick check finds the open file sound; false on any fault it reports and when
  // the check itself fails. Never throws.
  bool checkIntegrity();
  // The first stored number of a table other than the profile that lies outside its domain, as
  // "table.column (row N)"; nothing when every one is sound. Raises the provider's error.
  std::optional<std::string> firstValueOutOfDomain();
  // The profile's player name as stored, uncut; empty without a profile row.
  std::string storedPlayerName();

  // The first thing in the open file that makes reading it unsafe (WAL journal mode, a schema entry other
  // than a table or index, a table not made from a column list, a fault the quick check finds); empty
  // when there is none. Throws platform::DbError when the file cannot be read.
  std::string findUnsafeSchema();
  // The open file's tables with their columns, in name order. Throws platform::DbError.
  std::vector<qxTableShape> readTableShapes();

  // The profile's version; 600 for a database whose profile has no version column.
  int readVersion();

  // Runs one statement without rows; true when it changed at least one row. Never throws.
  bool execSQL(const std::string& sql);

  // PROFILE_WRITE writes, PROFILE_READ reads, both return true whatever the outcome; other modes do
  // nothing and return false.
  bool syncProfile(std::uint16_t mode);
  bool writeProfile();
  void readProfile();

  void loadMilestones();
  std::vector<qxMilestoneInfo> getMilestoneInfos(const qxORDER* criteria);
  bool passMilestone(int id);

  // Money text: "THB 1,234.50", "USD 1.50 Mil." ...; a currency outside 0..5 writes the USD forms.
  std::string formatMoney(double amount, int currency, bool whole) const;
  // The short name of a currency by market index ("THB"); USD outside 0..5, as formatMoney writes it.
  static const char* currencyCode(int currency);
  // The profile column of the budget of a market index 0..5 ("budget_THB" ... "budget_HKD").
  static const char* budgetColumn(int market);
  // The six budgets in USD.
  double totalBudget() const;

  bool debugExecSQL(const std::string& key, const std::string& sql);
  // Multiplies the prices below 2 by 200 and those from 2 to 20 by 2.5; true when all six ran.
  bool boostPrices();

  float readSingleFloat(const std::string& sql, const std::string& column);

  // Stocks, prices, markets and economy. Readers raise the provider's error; writers return whether
  // their statement changed a row.
  pList<qxStockInfo> getStocks(const qxORDER* criteria);
  // Ranked by the relative move since the last close, the largest fall first.
  pList<qxStockInfo> getStocksByChange(const qxORDER* criteria);
  // Ranked by the last completed day's relative move, the largest fall first.
  pList<qxStockInfo> getStocksByDayChange(const qxORDER* criteria);
  pList<qxStockInfo> getStocksByTradedAmount(const qxORDER* criteria);
  // Ranked by the amount traded in the last completed session (the newest daily history row; 0 without
  // one), the largest first; each row's tradedAmount is that amount.
  pList<qxStockInfo> getStocksByLastSessionAmount(const qxORDER* criteria);
  pList<qxStockInfo> getStocksByID(const qxORDER* criteria);
  pList<qxStockWithCompany> getStocksWithCompany(const qxORDER* criteria);
  pList<qxCompanyInfo> getCompanies(const qxORDER* criteria);
  pList<qxMarketInfo> getMarkets(const qxORDER* criteria);
  pList<qxExchangeRate> getExchangeHistory(const qxORDER* criteria);  // oldest first
  // The `count` newest rows, the oldest of them first; reads no more than those.
  pList<qxExchangeRate> getNewestExchangeRates(int count);
  // Every sample, or with a limit above 0 that many of the newest (newest first) or the oldest.
  pList<qxMktCap> getMktCapHistory(const qxORDER* criteria, bool newestFirst, int limit = 0);
  pList<qxMktIndex> getIndexHistory(const qxORDER* criteria, bool newestFirst, int limit = 0);
  // The `count` newest index rows, in the order asked for; reads no more than those, none when count <= 0.
  pList<qxMktIndex> getNewestIndexHistory(const qxORDER* criteria, int count, bool newestFirst);
  // The `limit` newest price rows (128 when limit <= 0), newest first.
  pList<qxStockPrice> getPrices(const qxORDER* criteria, int limit);
  // The 200 newest daily rows, newest first.
  pList<qxStockHistory> getDailyPrices(const qxORDER* criteria);
  qxEconomicFactor getFactors();

  bool updateStock(const qxORDER* assignments, const qxORDER* criteria);  // criteria required
  bool updateStockFields(const qxORDER* assignments, const qxORDER* criteria);
  bool updateCompany(const qxORDER* assignments, const qxORDER* criteria);
  bool updateMarket(const qxORDER* assignments, const qxORDER* criteria);
  bool updateFactors(const qxORDER* assignments);
  bool resetStockDay(const std::string& marketTitle);
  bool archiveDailyPrices(const std::string& marketTitle);
  bool insertCompanyFinance(const qxFinanceReport* report);
  bool insertIndex(const std::string& marketTitle, int clock, float mktcap);
  bool recordExchangeRates(const float rates[6]);
  bool countDownFactors();
  bool recordPrice(const char* symbol, float price);

  // A market's index is its level (capitalisation / base) times this.
  static constexpr float kIndexPerLevel = 100;
  // The capitalisation at which a market's index stands at 100; 1 for an unknown market.
  static float indexBase(int marketIndex);
  static float indexBaseOf(const std::string& marketTitle);

  // Orders, holdings, shop and inbox.
  pList<qxQueue> getQueue(const qxORDER* criteria);
  pList<qxShare> getPortfolio(const qxORDER* criteria);  // the longest held first, then as inserted
  int countPortfolio(const qxORDER* criteria);
  pList<qxBelonging> getBelongings(const qxORDER* criteria);
  pList<qxProductInfo> getProducts(const qxORDER* criteria);
  pList<qxInbox> getInbox(const qxORDER* criteria);

  bool insertQueue(const qxQueue* row);  // false without writing when qty is 0
  bool deleteQueue(const qxORDER* criteria);
  bool clearMarketQueue(const std::string& marketTitle);
  bool insertPortfolio(const qxShare* share);
  bool updatePortfolio(const qxORDER* assignments, const qxORDER* criteria);  // criteria required
  bool deletePortfolio(const qxORDER* criteria);                              // criteria required
  bool insertBelonging(const qxProductInfo* product);
  bool deleteBelongings(const qxORDER* criteria);
  // Deletes the belonging with the ID; true only when exactly that one row went. Never throws.
  bool deleteBelonging(int id);
  bool insertInbox(const char* message);
  bool updateInbox(const qxORDER* assignments, const qxORDER* criteria);
  bool countDownDividends();
  bool resetDividendCountdown();
  // Pays the dividends due today to holdings kept more than 30 days; `message` lists the payments.
  bool payDividends(std::string& message);
  // Every holding with shares grows a day older; keeps the longest-holding statistic.
  bool ageHoldings();

  // Where failed statements are reported; empty by default.
  void setTrace(platform::DbConnection::TraceSink sink);

  std::unique_ptr<platform::DbConnection> connection;
  std::string userID;
  std::string password;
  qxProfile profile;
  bool autoUpdate = false;
  bool enableLargeDB = false;
  bool enableWizard = false;
  int autoSaveFreq = 0;  // 0 never, 1 every game day, 2 every seventh, 3 every thirtieth
  int speed = 0;         // 0 slow, 16 medium, 32 fast
  int timelineMode = 0;  // 0 twenty cycles a day, otherwise five
  std::uint16_t daycount = 0;
  std::uint16_t clockTick = 0;
  float rateExchange[6] = {};  // THB per unit of each currency, by market index

 private:
  void trace(std::string_view line) const;
  // Raises a DatabaseError naming the first number of the profile row outside its domain.
  static void checkProfileDomain(platform::DbDataset& row);
};

}  // namespace Qorvex6
