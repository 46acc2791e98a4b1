#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <queue>
#include <string>
#include <string_view>
#include <vector>

#include "Prandom.h"
#include "Qorvex6engine.h"
#include "qxHost.h"

namespace Qorvex6 {

// Taken by the price workers around every database query and every push of a pending task.
inline std::mutex dbLock;

// Where the core finds its files: the read-only resources (the template) and the player's own folder.
struct CoreFolders {
  std::filesystem::path resources;
  std::filesystem::path user;
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
  pList<qxShare> getPortfolio();
  pList<qxShare> getPortfolioByMarket(const std::string& title);
  pList<qxStockInfo> getWishlist();
  pList<qxStockWithCompany> getStocksWithCompany(const std::string& title, int sector);
  qxMarketInfo getMarketInfo(const std::string& title);
  pList<qxMktIndex> getIndexHistory(const std::string& title, bool newestFirst);
  pList<qxMktCap> getMktCapHistory(const std::string& title, bool newestFirst);
  qxShare getShare(const std::string& symbol);
  double getHeldVolume(const std::string& symbol);
  pList<qxInbox> getInbox(bool unreadOnly);
  bool markInboxRead(int id);
  void addInbox(const std::string& message);

  // --- Shell -----------------------------------------------------------------------------------
  qxHost& host() const { return host_; }
  const CoreFolders& folders() const { return folders_; }

  std::unique_ptr<qxSaveGame> database;
  bool busy = false;         // main thread only
  std::atomic<int> step{0};  // the sub-step inside the cycle, in memory only
  int stepsPerCycle = STEPS_PER_CYCLE;

 private:
  qxHost& host_;
  CoreFolders folders_;
  FrameworkRandom monthlyRandom_;
};

}  // namespace Qorvex6
