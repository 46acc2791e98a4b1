// The Market page's cost on the main thread, offscreen, on the largest exchange with 2,000 index samples,
// 400 days of daily rows, 120 price samples per stock and an order waiting for every stock.
//   qorvex_market_bench [--runs N] [--cycles N]
// Prints the time of one Market refresh in the table and in the queue view, of a details fill and of a
// candle paint (p50, p95, max over N runs, 100 by default) and, while the clock plays N cycles at Fast (20
// by default: one game day) with the Market page current, the worst lateness of a 10 ms timer.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchSupport.h"
#include "QorvexApplication.h"
#include "SampleMarket.h"
#include "WindowBench.h"
#include "f_BidOffer.h"
#include "f_CWMarket.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "qx_RefreshDisp.h"

using bench::option;
using bench::percentile;
using bench::report;

int main(int argc, char** argv) {
  const int runs = std::max(1, option(argc, argv, "--runs", 100));
  const int cycles = std::max(1, option(argc, argv, "--cycles", 20));
  const bench::OffscreenGame offscreen;
  desk::QorvexApplication app(argc, argv);

  frmMsgPopup = new TfrmMsgPopup;
  frmMsgQuote = new TfrmMsgQuote;
  frmMain = new TfrmMain;
  frmCwMarket = new TfrmCwMarket(frmMain);
  frmBidOffer = new TfrmBidOffer;
  Qorvex6::QorvexCore& core = *frmMain->core;
  if (!core.createGame(std::string("Bench"))) {
    std::fprintf(stderr, "cannot create a game\n");
    return 1;
  }
  // The exchange with the most stocks.
  int market = 0;
  int most = 0;
  for (int m = 0; m < 5; ++m) {
    std::string title;
    Qorvex6::marketTitleOf(title, m);
    const int n = core.getStocksWithCompany(title, 0).count();
    if (n > most) {
      most = n;
      market = m;
    }
  }
  std::string title;
  Qorvex6::marketTitleOf(title, market);
  std::string featured;
  {
    std::lock_guard lock(frmMain->gameLock());
    std::string failure;
    if (!sample::fillMarketHistory(core, title, sample::MarketHistory{400, 120, 2000}, &failure)) {
      std::fprintf(stderr, "cannot fill the market: %s\n", failure.c_str());
      return 1;
    }
    for (const auto& row : core.getStocksWithCompany(title, 0).items) {
      core.placeOrder(true, row.stock.symbol, title, row.stock.currentPrice, 100);
      if (featured.empty()) featured = row.stock.symbol;
    }
  }
  std::printf("%s: %d stocks, 2000 index samples, 400 days, an order per stock\n", title.c_str(), most);
  frmMain->resize(1920, 1080);
  frmMain->show();
  frmMain->Tag = 255;
  frmMain->mnuMarketClick();
  frmCwMarket->selMarket->setCurrentIndex(market);
  QApplication::processEvents();

  const auto refresh = [](int view) {
    frmCwMarket->viewMode = view;
    qxRefreshDisp run(false);
    run.redrawIndexChart = true;
    run.Execute();
  };
  report("market refresh, table view", runs, [&] { refresh(TfrmCwMarket::VIEW_TABLE); });
  report("market refresh, queue view", runs, [&] { refresh(TfrmCwMarket::VIEW_QUEUE); });
  report("details fill (400 days)", runs, [&] { frmCwMarket->fillStockDetails(featured); });
  frmCwMarket->showStockDetails(featured);
  frmCwMarket->chartStockClick();
  QApplication::processEvents();
  QImage canvas(frmCwMarket->MyCanvas->size(), QImage::Format_RGB32);
  report("candle load (click)", runs, [&] { frmCwMarket->chartStockClick(); });
  report("candle paint (90 candles)", runs, [&] { frmCwMarket->MyCanvas->render(&canvas); });

  // The clock at Fast with the Market table current.
  frmMain->mnuMarketClick();
  bench::playAtFast(cycles);

  delete frmMain;  // waits for a running tick, frees the page with it
  frmMain = nullptr;
  delete frmBidOffer;
  delete frmMsgQuote;
  delete frmMsgPopup;
  return 0;
}
