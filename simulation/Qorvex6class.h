#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <queue>
#include <string>
#include <string_view>
#include <vector>

#include "CheckedSaveCopy.h"
#include "Prandom.h"
#include "Qorvex6engine.h"
#include "pTask.h"
#include "qxHost.h"

namespace Qorvex6 {

// Taken by the price workers around every database query and every push of a pending task.
inline std::mutex dbLock;

// Where the core finds its files: the read-only resources (the template), the player's own folder, and
// the program that checks a save before it is loaded (without it no save is loaded).
struct CoreFolders {
  std::filesystem::path resources;
  std::filesystem::path user;
  SaveChecker saveChecker;
};

// What selling a belonging came to: the USD budget gained only when it was sold.
struct BelongingSale {
  enum Outcome { Sold, NotOwned, Failed } outcome = Failed;
  double gained = 0;
};

// Taken: another game is saved under the name.
enum class RenameResult { Renamed, Unchanged, Invalid, Taken, Failed };

// The two sides of a money transfer between currency accounts.
struct TransferQuote {
  double debit = 0;   // the amount and its 0.1% fee, in the source currency
  double credit = 0;  // the amount converted into the target currency
};

enum class TransferResult { Transferred, Refused, Failed };

// What buying a product in the shop came to; `budget` is the USD budget afterwards (as it stands when
// refused).
struct Purchase {
  enum Outcome { Bought, TooMany, NoProduct, TooExpensive, Failed } outcome = Failed;
  double budget = 0;
};

// The settings the Setting page edits.
struct GameSettings {
  bool autoUpdate = false;
  bool enableLargeDB = false;
  bool enableWizard = false;
  int autoSaveFreq = 0;
  int timelineMode = 0;
  bool operator==(const GameSettings&) const = default;
};

// The game core: the one object through which every window and thread reaches a running game.
class QorvexCore {
 public:
  static constexpr int STEPS_PER_CYCLE = 10;

  explicit QorvexCore(qxHost& host, CoreFolders folders = {});
  ~QorvexCore();
  QorvexCore(const QorvexCore&) = delete;
  QorvexCore& operator=(const QorvexCore&) = delete;

  // --- Clock -----------------------------------------------------------------------------------
  // Advances one tick; the tenth closes a cycle: then the stocks that trade and the next cycle are
  // filled in. The tick master calls it holding the game lock.
  void tick(bool* newCycle, std::queue<qxStockInfo>* stocks, int* nextCycle);
  // The work of a cycle boundary, in one transaction that a failure rolls back.
  void nextCycle(std::queue<qxStockInfo>* stocks, int* next);
  // Stores the next cycle and rolls the day; called under the game lock after the cycle's tasks.
  void concludeAfterCycle(std::uint16_t next);
  int getWorkHour(int market, int cycle) const;
  int getMarketHour(int market) const;  // -1 while the market is closed
  // The work hour at whose end a market closes: its stocks do not trade in it and the close clears its queue.
  static constexpr int CLOSING_WORK_HOUR = 10;
  // Whether an order for the market's stocks can still fill: the market is open and not in its closing hour.
  bool acceptsOrders(int market) const;
  // The index samples the market's open session has stored so far: one per visited work hour before
  // the current one (h - 1 in the twenty-cycle timeline); 0 while the market is closed.
  int getSessionSamples(int market) const;
  // The newest sample's change in percent since the last sample before the market's open session, from
  // the market's index history newest first (at least getSessionSamples + 1 samples); none while the
  // market is closed, with too few samples or a reference not above 0.
  std::optional<double> getSessionChange(int market, const pList<qxMktIndex>& newestFirst) const;
  void openMarket(const std::string& title);
  void closeMarket(const std::string& title);
  void getStep(int& currentStep, int& steps) const;
  void setBusy() { busy = true; }
  void clearBusy() { busy = false; }
  bool isBusy() const { return busy; }
  float getIndexBase(int market) const { return qxSaveGame::indexBase(market); }

  // The trace sink of the core and its threads; discards unless a sink is installed.
  static void debugLog(std::string_view text);
  static void setTraceSink(std::function<void(std::string_view)> sink);

  // --- Price generation -----------------------------------------------------------------------
  static void getPriceBand(float price, float& gap, float& priceStep);
  static void getPriceLimits(float price, float& ceiling, float& floor);
  static std::vector<float> getPriceStepsAbove(float price);
  static std::vector<float> getPriceStepsBelow(float price);
  // One price step of a chosen stock; everything it wants written is pushed as tasks. Workers only.
  void generateNewPrice(qxStockInfo* stock, TaskQueue* tasks);

  // --- Order book and settlement ---------------------------------------------------------------
  bool addBid(const std::string& symbol, const std::string& marketTitle, float price, float qty,
              bool isUserReq);
  bool addOffer(const std::string& symbol, const std::string& marketTitle, float price, float qty,
                bool isUserReq);
  pList<qxQueue> getUserQueue(const std::string& symbol);
  pList<qxQueue> getQueueBySymbol(const std::string& symbol);
  bool setStockStatus(const std::string& symbol, int status);
  // Settles one matched order for its trade amount (TradeMoney.h); true when shares and money moved,
  // with the number of shares that moved in `settledQty` (an offer for more than is held sells what is
  // held). A bid the budget no longer covers lapses and says so in the inbox. Under the game lock.
  bool completeQueue(qxQueue* row, double* settledQty = nullptr);
  // The inbox message of a settlement of `qty` shares of the stock `symbol` for the trade amount at the
  // order's price, in the currency of `market`: "You paid ... for ..." or "You earned ... after selling ...".
  std::string settlementMessage(const qxQueue& row, const std::string& symbol, double qty, int market) const;

  // --- Milestones and trader rank --------------------------------------------------------------
  void awardMilestone(int id);
  void checkCycleMilestones();
  void checkSaleMilestones(double profitUSD, const std::string& marketTitle, int heldlength);
  void checkPurchaseMilestones(const std::string& symbol);
  std::string getRank();
  // The rank for a portfolio value (USD) already read.
  std::string getRank(double portfolioValue);

  // --- Day, month and year ---------------------------------------------------------------------
  void concludeMarket(const qxMarketInfo* market);
  void nextDay();
  void nextMonth();
  void nextYear();
  bool updateTrends();
  std::vector<float> getSectorFactorWeights(int sector) const;

  // A second turning-point finder over the last 20 values of a series.
  static void findTurningPoints(std::vector<float> series, std::vector<int>& points, float& maxValue,
                                float& minValue);

  // --- Queries for the pages -------------------------------------------------------------------
  static char getCurrencySymbol(int market);
  std::string formatMoney(double amount, int currency, bool whole) const;
  double getPortfolioValue();  // USD
  double getPortfolioCost();   // USD
  qxCompanyInfo getCompanyInfo(const std::string& symbol);
  qxStockInfo getStockInfo(const std::string& symbol);
  pList<qxStockPrice> getPriceHistory(const std::string& symbol);
  float getCurrentPrice(const std::string& symbol);
  static float getPrice(const qxStockInfo& stock);
  pList<qxStockHistory> getDailyHistory(const std::string& symbol);
  static std::string getSectorName(int sector);
  double convertCurrency(double amount, int from, int to) const;
  pList<qxExchangeRate> getExchangeHistory();
  // The `newest` latest rates, the oldest of them first; empty when newest <= 0.
  pList<qxExchangeRate> getExchangeHistory(int newest);
  pList<qxShare> getPortfolio();
  pList<qxShare> getPortfolioByMarket(const std::string& title);
  pList<qxStockInfo> getWishlist();  // by stock ID
  pList<qxStockWithCompany> getStocksWithCompany(const std::string& title, int sector);
  qxMarketInfo getMarketInfo(const std::string& title);
  // Every sample of the exchange, or with a limit above 0 only the `limit` newest, in the order asked for.
  pList<qxMktIndex> getIndexHistory(const std::string& title, bool newestFirst, int limit = 0);
  pList<qxMktCap> getMktCapHistory(const std::string& title, bool newestFirst, int limit = 0);
  qxShare getShare(const std::string& symbol);
  double getHeldVolume(const std::string& symbol);
  pList<qxInbox> getInbox(bool unreadOnly);
  bool markInboxRead(int id);
  void addInbox(const std::string& message);

  // --- Home page actions ------------------------------------------------------------------------
  // Sells a belonging for 80% of its current value into the USD budget: the row goes and the budget is
  // written in one transaction under the game lock. NotOwned (nothing changed) when no row has the ID;
  // Failed, with nothing changed on disk or in memory, when any step fails. Never throws.
  BelongingSale sellBelonging(int belongingID);
  // Gives the player a new name (the typed one without the blanks at its ends) and writes the profile,
  // under the game lock; never a name another game is saved under (Taken). The save under the old name stays
  // until the game is saved under the new one. Never throws.
  RenameResult renamePlayer(const std::string& name);
  // The same checks, but the name is only set in memory, under the game lock; nothing is written.
  RenameResult setPlayerNameInMemory(const std::string& name);

  // --- Transfer, shop and settings ------------------------------------------------------------------
  // Whether the profile as last loaded marks the milestone passed; an id it does not cover counts as
  // passed.
  bool isMilestonePassed(int id) const;

  static constexpr int MAX_BELONGINGS = 10;
  // The debit and credit of a transfer of `amount` (source currency) from account `from` to `to`.
  TransferQuote quoteTransfer(double amount, int from, int to) const;
  // Whether such a transfer may go: two different accounts 0..5, an amount above 0, and a debit below
  // the source budget (strictly).
  static bool transferAllowed(double amount, int from, int to, double debit, double fromBudget);
  // Moves the money under the game lock in one transaction with the profile write, checked against the
  // live budgets (Refused, nothing written; so is a transfer of no amount). On success the transfer
  // milestones are awarded for a credit worth USD 1,000,000 and 10,000,000. Failed, with nothing changed on
  // disk or in memory, when a write fails. Never throws.
  TransferResult transferMoney(double amount, int from, int to);

  // The shop's products of a category (256 vehicles, 1536 assets, 2048 jewellery), in query order.
  pList<qxProductInfo> getProducts(int category);
  // Buys a product for its sale price from the USD budget: refused with MAX_BELONGINGS owned, without a
  // product, or when the budget is not above the price; otherwise the belonging is added and the budget
  // written in one transaction under the game lock, and milestone 11 (first vehicle) or 12 (first asset)
  // awarded after it. Failed, with nothing changed on disk or in memory, when a write fails. Never throws.
  Purchase buyProduct(const qxProductInfo* product);

  GameSettings settings() const;
  // Stores the settings with the profile under the game lock; on a failed write the old ones stay in
  // memory. Never throws.
  bool applySettings(const GameSettings& settings);

  // --- Market page actions ---------------------------------------------------------------------
  // Marks the stock on or off the wishlist and awards milestone 19 at the 18th wishlist stock, in one
  // transaction under the game lock. False, with nothing changed, when the stock was not written. Never
  // throws.
  bool setWishlist(const std::string& symbol, bool on);
  // Queues one of the player's bids (or offers) under the game lock; false when no row was written. Never
  // throws.
  bool placeOrder(bool bid, const std::string& symbol, const std::string& marketTitle, float price,
                  float qty);

  // --- Game files ------------------------------------------------------------------------------
  // The template is resources/data/wvh.lyf; the working copy user/data/sharp.dde; the saves live in
  // user/Save/, each named by its player, with its export beside it (name + ".exp").
  std::filesystem::path templatePath() const;
  std::filesystem::path workingCopyPath() const;
  std::filesystem::path templateExportPath() const;
  std::filesystem::path saveFolder() const;
  // The Save folder of a user folder.
  static std::filesystem::path saveFolderIn(const std::filesystem::path& userFolder);
  // Save/<name>; empty when the name is not a valid player name.
  std::filesystem::path savePath(std::string_view playerName) const;
  // Whether the path names an entry directly inside Save/.
  bool isInSaveFolder(const std::filesystem::path& path) const;
  // Whether Save/ holds an entry of that name; false for a name that is not a valid player name.
  bool hasSave(std::string_view playerName) const;
  // Whether Save/ holds an entry of that name that is not the running game's own save (the one it was last
  // loaded or saved under).
  bool isAnotherGamesSave(std::string_view playerName) const;

  // A new game from the template, which must exist, open with the password and be of the current
  // version; its export is written to templateExportPath(). Without a name the template's game stays
  // open and the result is false. Each row is inserted as a holding.
  bool createGame(std::optional<std::string> playerName, std::vector<qxShare> rows = {});
  // Writes the profile and copies the working copy over the save; false when either fails. The path must
  // be Save/<valid player name>, and not another game's save (false, nothing written). After a save under
  // another name than the game was last loaded or saved under, the save (and its export) of that name is
  // removed.
  bool saveGame(const std::string& path);
  // Puts a save of Save/ in place of the working copy. A copy of the save is checked by the save checker
  // first; when the checker refuses it (or its version), fails or runs past its time limit, the result
  // is false and the running game and the save stay as they were. The current version is opened and its
  // export rewritten; versions 571 to 769 (a missing version reads as 600) are migrated through the
  // export and saved in place at once, the old save copied to " [backup]" (or " [backup 2]" ...). False,
  // with no game open and the save as it was, when the checked copy cannot be put in place or read, its
  // values are out of range, or the migration fails.
  bool loadGame(const std::string& path);
  // Writes the scrambled text export of the running game; false when the file cannot be written.
  bool exportGame(const std::string& path);
  // Starts a fresh game from the template and reads an export over its profile in memory (name, budgets,
  // statistics); the export's holdings are appended to `rows`. Nothing is written to the database. False
  // when the export is no regular file (a symbolic link, a FIFO) or cannot be read, when it holds more
  // than MAX_EXPORT_HOLDINGS holdings, a value outside the domain of the column that stores it or a
  // symbol twice (no game open then), or when the template cannot be started.
  bool importGame(const std::string& path, std::vector<qxShare>* rows);
  // The export scrambler, its own inverse; works on every byte, NUL included.
  static void scrambleText(char* text, std::size_t length);
  static std::string scrambleText(std::string text);
  static std::string toBinary(unsigned char value);          // eight '0'/'1', most significant bit first
  static unsigned char fromBinary(std::string_view digits);  // bit 7 - i is character i
  static void replaceChar(char* buffer, int length, char find, char replacement);

  // --- Shell -----------------------------------------------------------------------------------
  qxHost& host() const { return host_; }
  const CoreFolders& folders() const { return folders_; }

  std::unique_ptr<qxSaveGame> database;
  bool busy = false;         // main thread only
  std::atomic<int> step{0};  // the sub-step inside the cycle, in memory only
  int stepsPerCycle = STEPS_PER_CYCLE;

 private:
  // Runs `change` on the database object under the game lock in one transaction. When it returns false,
  // throws, or the commit fails, the profile and settings in memory are put back: false. Never throws.
  bool changeProfile(const char* what, const std::function<bool(qxSaveGame&)>& change);

  qxHost& host_;
  CoreFolders folders_;
  FrameworkRandom monthlyRandom_;
  // The save name the running game was last loaded or saved under; empty for a game not saved yet.
  std::string saveName_;
};

// Appends the names of the files (or, with `folders`, of the sub-folders) of a folder, sorted; returns 0.
int listFolder(std::string path, std::vector<std::string>* list, bool folders);

// Removes the temporary files that saves killed part-way through left in a Save folder; one written in
// the last minute may be a save still running and stays.
void removeStaleSaveTemporaries(const std::filesystem::path& saveFolder);

}  // namespace Qorvex6
