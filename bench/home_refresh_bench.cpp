// The Home page's cost on the main thread, offscreen, on a large game: 40 holdings, 30 wishlist stocks, 10
// belongings, 300 unread messages and 400 days of exchange rates.
//   qorvex_home_bench [--refreshes N] [--cycles N]
// Prints the time of one Home refresh (p50, p95, max over N refreshes, 100 by default) and, while the clock
// plays N cycles at Fast (20 by default: one game day) with the Home page current, the worst lateness of a
// 10 ms timer: the longest the event loop was kept from serving it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchSupport.h"
#include "QorvexApplication.h"
#include "SampleGame.h"
#include "WindowBench.h"
#include "f_CWHome.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "qx_RefreshDisp.h"

using bench::option;

int main(int argc, char** argv) {
  const int refreshes = std::max(1, option(argc, argv, "--refreshes", 100));
  const int cycles = std::max(1, option(argc, argv, "--cycles", 20));
  const bench::OffscreenGame offscreen;
  desk::QorvexApplication app(argc, argv);

  frmMsgPopup = new TfrmMsgPopup;
  frmMsgQuote = new TfrmMsgQuote;
  frmMain = new TfrmMain;
  frmCwHome = new TfrmCwHome(frmMain);
  if (!frmMain->core->createGame(std::string("Bench"))) {
    std::fprintf(stderr, "cannot create a game\n");
    return 1;
  }
  {
    std::lock_guard lock(frmMain->gameLock());
    const sample::SampleSize size{40, 30, 10, 300, 400, 10, true};
    std::string failure;
    if (!sample::fillSampleGame(*frmMain->core, size, &failure)) {
      std::fprintf(stderr, "cannot fill the game: %s\n", failure.c_str());
      return 1;
    }
  }
  frmMain->resize(1920, 1080);
  frmMain->show();
  frmMain->Tag = 255;
  frmCwHome->chkWishlist->setChecked(true);
  frmMain->mnuHomeClick();
  QApplication::processEvents();

  std::printf("home page: %d rows\n", frmCwHome->lstPortFolio->topLevelItemCount());
  bench::report("home refresh", refreshes, [] {
    qxRefreshDisp refresh(true);
    refresh.refreshHome();
  });
  // Where a refresh's time goes: the core's reads it makes, each timed alone.
  {
    std::lock_guard lock(frmMain->gameLock());
    Qorvex6::QorvexCore& core = *frmMain->core;
    bench::report("profile reload", 20, [&] { core.database->syncProfile(Qorvex6::PROFILE_READ); });
    bench::report("rank (value read)", 20, [&] { core.getRank(0); });
    bench::report("portfolio value and cost", 20, [&] {
      core.getPortfolioValue();
      core.getPortfolioCost();
    });
    bench::report("holding rows' stock reads", 20, [&] {
      for (const Qorvex6::qxShare& row : core.getPortfolio().items)
        core.getStockInfo(row.symbol);
    });
    bench::report("wishlist", 20, [&] { core.getWishlist(); });
    bench::report("unread inbox", 20, [&] { core.getInbox(true); });
    bench::report("exchange-rate days", 20, [&] { core.getExchangeHistory(9); });
    bench::report("belongings and products", 20, [&] {
      for (const Qorvex6::qxBelonging& row : core.database->getBelongings(nullptr).items) {
        const Qorvex6::qxORDER criteria{Qorvex6::qxSUBORDER::numberTerm("ID", row.productID)};
        core.database->getProducts(&criteria);
      }
    });
  }
  std::fflush(stdout);

  // The clock at Fast with the Home page current.
  bench::playAtFast(cycles);

  delete frmMain;  // waits for a running tick, frees the page with it
  frmMain = nullptr;
  delete frmMsgQuote;
  delete frmMsgPopup;
  return 0;
}
