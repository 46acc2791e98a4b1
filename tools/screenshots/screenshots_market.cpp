// The Market page's pictures: an open and a closed exchange's table, the statistics, the queue with a bid
// and an offer, the details with both charts and a status picture, 90 candles, the bid dialog, the offer
// dialog refusing too large an offer, and the statistics once the session has closed.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include "SampleMarket.h"
#include "ScreenshotSteps.h"
#include "f_BidOffer.h"
#include "f_CWMarket.h"
#include "f_Main.h"

namespace shots {

namespace {

constexpr const char* kExchange = "NewYork";
constexpr int kNewYork = 4;
constexpr int kThai = 0;

struct Step {
  std::function<void()> act;
  QWidget* (*window)();
  const char* name;
};

QWidget* mainWindow() {
  return frmMain;
}

void chooseMarket(int index) {
  frmCwMarket->selMarket->setCurrentIndex(index);
  frmCwMarket->selMarketChange();
}

// Shows the order dialog over the page and pictures it once it is up; `prepare` sets it up inside.
void pictureDialog(const Save& save, const char* name, const std::function<void()>& prepare) {
  frmCwMarket->runBidOffer = [save, name, prepare] {
    QTimer::singleShot(300, [save, name, prepare] {
      prepare();
      QTimer::singleShot(150, [save, name] {
        save(frmBidOffer, name);
        frmBidOffer->reject();
      });
    });
    frmBidOffer->exec();
  };
}

// Closes the exchange's session and moves the still clock to an hour the exchange is closed, then shows
// its statistics: the last session's rankings.
void closedStats() {
  constexpr std::uint16_t kCyclesPerDay = 20;
  Qorvex6::QorvexCore& core = *frmMain->core;
  {
    std::lock_guard lock(frmMain->gameLock());
    core.closeMarket(kExchange);
    for (std::uint16_t c = 0; c < kCyclesPerDay; ++c) {
      core.database->clockTick = c;
      if (core.getMarketHour(kNewYork) == -1) break;
    }
  }
  chooseMarket(kNewYork);
  frmCwMarket->submnuStatsClick();
}

}  // namespace

void marketPages(const Save& save, std::function<void()> done) {
  Qorvex6::QorvexCore& core = *frmMain->core;
  std::vector<std::string> symbols;
  {
    std::lock_guard lock(frmMain->gameLock());
    std::string failure;
    sample::MarketHistory history;
    // The featured stock trades billions: its amount chart shows the largest labels.
    history.firstStockAmounts = 40000;
    if (!sample::fillMarketHistory(core, kExchange, history, &failure))
      std::printf("the market history could not be written: %s\n", failure.c_str());
    for (const auto& row : core.getStocksWithCompany(kExchange, 0).items)
      symbols.push_back(row.stock.symbol);
    if (symbols.size() >= 4) {
      // A bid and an offer waiting, an ex-dividend stock and a holding to offer from.
      core.placeOrder(true, symbols[1], kExchange, core.getCurrentPrice(symbols[1]) * 0.99f, 500);
      core.placeOrder(false, symbols[2], kExchange, core.getCurrentPrice(symbols[2]) * 1.01f, 200);
      core.setStockStatus(symbols[0], 1);
      Qorvex6::qxShare share;
      std::snprintf(share.symbol, sizeof(share.symbol), "%s", symbols[3].c_str());
      std::snprintf(share.marketTitle, sizeof(share.marketTitle), "%s", kExchange);
      share.avg_price = core.getCurrentPrice(symbols[3]) * 1.04f;
      share.vol = 3000;
      core.database->insertPortfolio(&share);
    }
  }
  if (symbols.size() < 4) {
    std::printf("the %s exchange has too few stocks to picture\n", kExchange);
    done();
    return;
  }
  const std::string featured = symbols[0];
  const std::string held = symbols[3];
  auto steps = std::make_shared<std::vector<Step>>(std::vector<Step>{
      {[] {
         frmMain->mnuMarketClick();
         chooseMarket(kNewYork);
       },
       mainWindow, "10-market-table-open"},
      {[] { chooseMarket(kThai); }, mainWindow, "11-market-table-closed"},
      {[] {
         chooseMarket(kNewYork);
         frmCwMarket->submnuStatsClick();
       },
       mainWindow, "12-market-stats"},
      {[] { frmCwMarket->submnuQueueClick(); }, mainWindow, "13-market-queue"},
      {[featured] {
         frmCwMarket->submnuTableClick();
         frmCwMarket->detailsOrigin = TfrmCwMarket::ORIGIN_TABLE;
         frmCwMarket->showStockDetails(featured);
       },
       mainWindow, "14-market-details"},
      {[] { frmCwMarket->chartStockClick(); }, mainWindow, "15-market-candles"},
      {[save, featured] {
         frmCwMarket->Button2Click();
         pictureDialog(save, "16-bid-dialog", [] {});
         frmCwMarket->btnBidClick();
       },
       nullptr, nullptr},
      {[save, held] {
         frmCwMarket->showStockDetails(held);
         pictureDialog(save, "17-offer-dialog", [] {
           frmBidOffer->selQty->setCurrentIndex(97);
           frmBidOffer->selMulp->setCurrentIndex(1);
           frmBidOffer->selQtyClick();
           frmBidOffer->Button1Click();
         });
         frmCwMarket->btnOfferClick();
       },
       nullptr, nullptr},
      {[] { closedStats(); }, mainWindow, "12-market-stats-closed"},
  });
  // Each step is timed from the end of the one before, so that a late timer never runs a step inside the
  // dialog of the previous one.
  constexpr int kStepMs = 700;
  auto run = std::make_shared<std::function<void(std::size_t)>>();
  *run = [steps, save, run, done = std::move(done)](std::size_t i) {
    if (i == steps->size()) {
      QTimer::singleShot(2 * kStepMs, [run, done] {
        done();
        *run = nullptr;
      });
      return;
    }
    const Step& step = (*steps)[i];
    step.act();
    if (step.window != nullptr) {
      const char* name = step.name;
      QWidget* (*window)() = step.window;
      QTimer::singleShot(250, [save, window, name] { save(window(), name); });
    }
    QTimer::singleShot(kStepMs, [run, i] { (*run)(i + 1); });
  };
  QTimer::singleShot(kStepMs, [run] { (*run)(0); });
}

}  // namespace shots
