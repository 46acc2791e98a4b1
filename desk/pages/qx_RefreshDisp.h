// The display refresh: whenever a page may have gone stale (a page switch, a selection, the end of a
// cycle) one refresh request rebuilds the visible page from the game in one pass on the main thread.

#pragma once

#include <cstdint>
#include <string>

class TfrmCwHome;
class TfrmCwMarket;

namespace Qorvex6 {
struct qxStockWithCompany;
template <typename T>
class pList;
}  // namespace Qorvex6

class qxRefreshDisp {
 public:
  // A request; it runs once Resume posts it, and frees itself after its run.
  explicit qxRefreshDisp(bool createSuspended);
  ~qxRefreshDisp() = default;
  qxRefreshDisp(const qxRefreshDisp&) = delete;
  qxRefreshDisp& operator=(const qxRefreshDisp&) = delete;

  // Queues Execute on the main thread. Nobody keeps the object after this call.
  void Resume();
  // Drops the request while the tick master writes; otherwise refreshes the page the main window shows.
  void Execute();
  // Refills the Home page under the game lock, the profile reloaded first.
  void refreshHome();
  // Refills the Market page under the game lock, the clock timer held; a failure is reported after the
  // unlock.
  void refreshMarket();

  bool skipRefresh = false;
  bool fullRefresh = false;
  bool redrawIndexChart = false;
  std::int32_t viewMode = 0;

  // Requests a refresh the way every creator does: skipRefresh off, both full flags as given.
  static void request(bool full);

 private:
  void fillHome(TfrmCwHome& page);
  // The steps of the Home refill that show money, belongings, milestones and the inbox.
  void fillAccounts(TfrmCwHome& page);
  void fillInbox(TfrmCwHome& page);
  void fillMoney(TfrmCwHome& page);
  void fillBelongings(TfrmCwHome& page);
  void fillMilestones(TfrmCwHome& page);
  void fillPortfolioValue(TfrmCwHome& page, double value);
  void fillHoldings(TfrmCwHome& page);
  void fillStats(TfrmCwHome& page);
  // The steps of the Market refill.
  using Stocks = Qorvex6::pList<Qorvex6::qxStockWithCompany>;
  void fillMarket(TfrmCwMarket& page);
  void fillMarketTable(TfrmCwMarket& page, const Stocks& stocks, int market, bool open);
  void fillMarketQueue(TfrmCwMarket& page, const Stocks& stocks, int market);
  void fillMarketRankings(TfrmCwMarket& page, const std::string& title, int market, bool open, int n);
};

// The state picture of a holdings-list row: a holding's by its stock status and profit percent, a
// wishlist row's by the status alone.
int holdingStateImage(int status, float percent);
int wishlistStateImage(int status);
