// A main window with a new game, its Market page, the order dialog and the popup and note windows, as the
// program creates them; the globals the windows reach each other through point at them.

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QCoreApplication>
#include <QTest>

#include "GameWindowTest.h"
#include "f_BidOffer.h"
#include "f_CWMarket.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "qx_RefreshDisp.h"

class MarketTest : public GameWindowTest {
 protected:
  static constexpr int kThai = 0;
  static constexpr int kJapan = 2;
  static constexpr int kNewYork = 4;

  void SetUp() override {
    GameWindowTest::SetUp();
    if (HasFatalFailure()) return;
    frmMain = main_.get();
    main_->resize(1366, 768);
    page_ = new TfrmCwMarket(main_.get());
    frmCwMarket = page_;
    dialog_ = std::make_unique<TfrmBidOffer>();
    frmBidOffer = dialog_.get();
    main_->updateClock(false, true);
  }
  void TearDown() override {
    dialog_.reset();
    GameWindowTest::TearDown();
    frmMain = nullptr;
  }

  Qorvex6::QorvexCore& core() { return *main_->core; }
  void sql(const std::string& statement) { ASSERT_TRUE(db().execSQL(statement)) << statement; }
  void atCycle(int cycle) { db().clockTick = static_cast<std::uint16_t>(cycle); }
  void showMarket(int market) {
    main_->mnuMarketClick();
    page_->selMarket->setCurrentIndex(market);
  }
  // One refresh of the page as the clock asks for it, run now.
  void refresh(bool full = true) {
    main_->currentPage = TfrmMain::PAGE_MARKET;
    qxRefreshDisp run(false);
    run.fullRefresh = full;
    run.redrawIndexChart = full;
    run.Execute();
  }
  QString popupText() const { return popup_->lblTitle->text() + "|" + popup_->lblMsg->text(); }
  QString noteText() const { return quote_->isVisible() ? quote_->lblMsg->text() : QString(); }
  int queueRows(const std::string& symbol) { return core().getQueueBySymbol(symbol).count(); }

  TfrmCwMarket* page_ = nullptr;
  std::unique_ptr<TfrmBidOffer> dialog_;
};
