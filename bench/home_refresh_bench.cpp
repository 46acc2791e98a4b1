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
#include "f_CWHome.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "qx_RefreshDisp.h"

using bench::option;
using bench::percentile;

int main(int argc, char** argv) {
  const int refreshes = std::max(1, option(argc, argv, "--refreshes", 100));
  const int cycles = std::max(1, option(argc, argv, "--cycles", 20));
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir user;
  qputenv("QORVEX_USER_DIR", user.path().toUtf8());
  if (qEnvironmentVariableIsEmpty("QORVEX_RESOURCE_DIR"))
    qputenv("QORVEX_RESOURCE_DIR", QByteArray(QORVEX_RESOURCE_DIR));
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

  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(refreshes));
  for (int i = 0; i < refreshes; ++i) {
    qxRefreshDisp refresh(true);
    const auto start = std::chrono::steady_clock::now();
    refresh.refreshHome();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::printf("home refresh (%d rows, %d refreshes): p50 %.2f ms  p95 %.2f ms  max %.2f ms\n",
              frmCwHome->lstPortFolio->topLevelItemCount(), refreshes, percentile(times, 0.5),
              percentile(times, 0.95), *std::max_element(times.begin(), times.end()));
  // Where a refresh's time goes: the core's reads it makes, each timed alone.
  {
    std::lock_guard lock(frmMain->gameLock());
    Qorvex6::QorvexCore& core = *frmMain->core;
    const auto timed = [](const char* what, int repeat, const auto& read) {
      const auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < repeat; ++i)
        read();
      const double ms =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      std::printf("  %-34s %6.2f ms\n", what, ms / repeat);
    };
    timed("profile reload", 20, [&] { core.database->syncProfile(Qorvex6::PROFILE_READ); });
    timed("rank", 20, [&] { core.getRank(); });
    timed("portfolio value and cost", 20, [&] {
      core.getPortfolioValue();
      core.getPortfolioCost();
    });
    timed("holding rows' stock reads", 20, [&] {
      for (const Qorvex6::qxShare& row : core.getPortfolio().items)
        core.getStockInfo(row.symbol);
    });
    timed("wishlist", 20, [&] { core.getWishlist(); });
    timed("unread inbox", 20, [&] { core.getInbox(true); });
    timed("exchange-rate days", 20, [&] { core.getExchangeHistory(9); });
    timed("belongings and products", 20, [&] {
      for (const Qorvex6::qxBelonging& row : core.database->getBelongings(nullptr).items) {
        const Qorvex6::qxORDER criteria{Qorvex6::qxSUBORDER::numberTerm("ID", row.productID)};
        core.database->getProducts(&criteria);
      }
    });
  }
  std::fflush(stdout);

  // The clock at Fast with the Home page current; a 10 ms timer notes how late the loop serves it.
  frmMain->Fast1Click();
  const Qorvex6::qxSaveGame& db = *frmMain->core->database;
  const auto cyclesPlayed = [&db] { return db.daycount * 20 + db.clockTick; };
  const int firstCycle = cyclesPlayed();
  double worstLateness = 0;
  int lastDay = 0;
  QElapsedTimer since;
  since.start();
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    worstLateness = std::max(worstLateness, static_cast<double>(since.nsecsElapsed()) / 1e6 - 10.0);
    since.restart();
    if (cyclesPlayed() - firstCycle >= cycles && !frmMain->isProcessing) {
      lastDay = db.daycount;
      // Quitting closes the windows, and the main window frees the game.
      QApplication::quit();
    }
  });
  probe.start(10);
  frmMain->timerClock->start();
  const auto playStart = std::chrono::steady_clock::now();
  app.exec();
  const double played = std::chrono::duration<double>(std::chrono::steady_clock::now() - playStart).count();
  std::printf("event loop over %d cycles at Fast (%.0f s, day %d): worst lateness of a 10 ms timer %.1f ms\n",
              cycles, played, lastDay, worstLateness);

  delete frmMain;  // waits for a running tick, frees the page with it
  frmMain = nullptr;
  delete frmMsgQuote;
  delete frmMsgPopup;
  return 0;
}
