// A main window with a new game, its Market page, the order dialog and the popup and note windows, as the
// program creates them; the globals the windows reach each other through point at them.

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QCoreApplication>
#include <QTest>

#include "ScopedEnv.h"
#include "TestDatabase.h"
#include "f_BidOffer.h"
#include "f_CWMarket.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "qx_RefreshDisp.h"

class MarketTest : public ::testing::Test {
 protected:
  static constexpr int kThai = 0;
  static constexpr int kJapan = 2;
  static constexpr int kNewYork = 4;

  void SetUp() override {
    popup_ = std::make_unique<TfrmMsgPopup>();
    quote_ = std::make_unique<TfrmMsgQuote>();
    frmMsgPopup = popup_.get();
    frmMsgQuote = quote_.get();
    main_ = std::make_unique<TfrmMain>();
    frmMain = main_.get();
    ASSERT_TRUE(main_->core->createGame(std::string("Tester")));
    main_->resize(1366, 768);
    page_ = new TfrmCwMarket(main_.get());
    frmCwMarket = page_;
    dialog_ = std::make_unique<TfrmBidOffer>();
    frmBidOffer = dialog_.get();
    main_->updateClock(false, true);
  }
  void TearDown() override {
    dialog_.reset();
    main_.reset();
    frmMain = nullptr;
    frmMsgPopup = nullptr;
    frmMsgQuote = nullptr;
  }

  Qorvex6::QorvexCore& core() { return *main_->core; }
  Qorvex6::qxSaveGame& db() { return *main_->core->database; }
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

  testsupport::TempDir user_;
  ScopedEnv userEnv_{"QORVEX_USER_DIR", QByteArray::fromStdString(user_.path().string())};
  ScopedEnv resourceEnv_{"QORVEX_RESOURCE_DIR", QCoreApplication::applicationDirPath().toUtf8()};
  std::unique_ptr<TfrmMsgPopup> popup_;
  std::unique_ptr<TfrmMsgQuote> quote_;
  std::unique_ptr<TfrmMain> main_;
  TfrmCwMarket* page_ = nullptr;
  std::unique_ptr<TfrmBidOffer> dialog_;
};
