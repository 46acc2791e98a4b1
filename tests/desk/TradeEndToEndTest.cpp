// A trade played through the windows: the Market page, a bid at the highest step, the clock until it
// fills, the holding on the Home page, an offer at the lowest step, the clock until it fills, and the
// inbox messages of both; and the money a trade moves, from the dialog's sub-total to the inbox.

#include <cstdio>
#include <string>

#include <QComboBox>
#include <QTimer>
#include <QTreeWidget>

#include "Prandom.h"
#include "Qorvex6class.h"
#include "f_CWHome.h"
#include "pages/MarketTestFixture.h"

namespace {

class TradeEndToEndTest : public MarketTest {
 protected:
  void SetUp() override {
    MarketTest::SetUp();
    home_ = new TfrmCwHome(main_.get());
    frmCwHome = home_;
    home_->showStockDetails = [this](const std::string& symbol) { page_->showHomeStock(symbol); };
  }
  void TearDown() override {
    Qorvex6::setDrawSource(nullptr);
    frmCwHome = nullptr;
    MarketTest::TearDown();
  }

  // One clock period, and the tick it starts run to its end, its refreshes served.
  void tick() {
    main_->timerClockTimer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main_->isProcessing; }, 30000));
    QCoreApplication::processEvents();
  }
  // Ticks until `done` holds or the exchange's session has passed. The stock is kept out of halts and
  // suspensions, so an order waits for a price and not for a status the draws may give.
  bool tickUntil(const std::string& symbol, const std::function<bool()>& done) {
    for (int i = 0; i < 90 && !done(); ++i) {
      db().execSQL("UPDATE stock SET status=0 WHERE symbol='" + symbol + "'");
      tick();
      if (HasFatalFailure()) return false;
    }
    return done();
  }
  // Answers the order dialog: the price step and the lots of 100 shares, then Submit.
  void answerDialog(int step, int lots) {
    page_->runBidOffer = [step, lots] {
      QTimer::singleShot(0, [step, lots] {
        frmBidOffer->selPrice->setCurrentIndex(step);
        frmBidOffer->selQty->setCurrentIndex(lots - 1);
        frmBidOffer->selMulp->setCurrentIndex(1);
        frmBidOffer->selQtyClick();
        frmBidOffer->Button1Click();
      });
      QTimer::singleShot(5000, [] { frmBidOffer->reject(); });
      frmBidOffer->exec();
    };
  }
  QTreeWidgetItem* tableRow(QTreeWidget* list, int column, const std::string& symbol) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      if (list->topLevelItem(i)->text(column).toStdString() == symbol) return list->topLevelItem(i);
    return nullptr;
  }

  TfrmCwHome* home_ = nullptr;
};

TEST_F(TradeEndToEndTest, ABidAndAnOfferFillThroughTheWindows) {
  // The first NewYork stock, picked in every cycle its exchange trades.
  const std::string symbol = core().getStocksWithCompany("NewYork", 0).items.at(0).stock.symbol;
  sql("UPDATE stock SET popularity=0 WHERE symbol='" + symbol + "'");
  ASSERT_NE(core().getMarketHour(kNewYork), -1) << "NewYork trades from the first cycle";

  main_->mnuMarketClick();
  page_->selMarket->setCurrentIndex(kNewYork);
  page_->selMarketChange();
  ASSERT_TRUE(QTest::qWaitFor([&] { return tableRow(page_->lstTable, 1, symbol) != nullptr; }, 5000));
  EXPECT_EQ(page_->lblMarketStatus->text().left(7), " -OPEN ");
  page_->lstTable->setCurrentItem(tableRow(page_->lstTable, 1, symbol));
  page_->lstTableClick();

  answerDialog(4, 1);  // the highest of the five steps above the price, 100 shares
  page_->btnBidClick();
  ASSERT_EQ(queueRows(symbol), 1) << frmBidOffer->lblWarning->text().toStdString();
  const float bidPrice = frmBidOffer->priceSteps[4];
  const double budgetBefore = db().profile.budget[kNewYork];
  ASSERT_TRUE(tickUntil(symbol, [&] { return core().getHeldVolume(symbol) > 0; })) << "the bid did not fill";
  EXPECT_EQ(core().getHeldVolume(symbol), 100);
  EXPECT_EQ(queueRows(symbol), 0);
  EXPECT_NEAR(db().profile.budget[kNewYork], budgetBefore - 100.0 * bidPrice, 0.01);

  // The holding on the Home page, and back to its details on the Market page by a double click.
  main_->mnuHomeClick();
  ASSERT_TRUE(QTest::qWaitFor([&] { return tableRow(home_->lstPortFolio, 1, symbol) != nullptr; }, 5000));
  QTreeWidgetItem* held = tableRow(home_->lstPortFolio, 1, symbol);
  EXPECT_EQ(held->text(5), "100");
  home_->lstPortFolio->setCurrentItem(held);
  home_->lstPortFolioDblClick();
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_MARKET);
  EXPECT_EQ(page_->panelBody->currentWidget(), page_->panelStockDetails);
  EXPECT_EQ(page_->lblSymbol->text().toStdString(), symbol);
  EXPECT_TRUE(page_->lblPortLabel->text().contains("[x100]"));

  answerDialog(4, 1);  // the lowest of the five steps below the price
  page_->btnOfferClick();
  ASSERT_EQ(queueRows(symbol), 1) << frmBidOffer->lblWarning->text().toStdString();
  ASSERT_TRUE(tickUntil(symbol, [&] { return core().getHeldVolume(symbol) == 0; }))
      << "the offer did not fill";
  EXPECT_EQ(queueRows(symbol), 0);

  QStringList messages;
  for (const auto& message : core().getInbox(false).items)
    messages << QString::fromUtf8(message.Message);
  const QString both = messages.join("\n");
  EXPECT_TRUE(both.contains(QString::fromStdString("You paid USD ")) &&
              both.contains(QString::fromStdString(symbol)))
      << both.toStdString();
  EXPECT_TRUE(both.contains("You earned USD ")) << both.toStdString();
}

// The money of a trade is the price as the dialog lists it times the quantity, in whole cents, whatever
// single-precision value the step has: the sub-total, the budget check at its edge, the fill's debit or
// credit and the inbox message are one figure.
TEST_F(TradeEndToEndTest, ATradeMovesTheListedPriceTimesTheQuantityInWholeCents) {
  const struct {
    const char* price;  // the stock's price; the dialog's second step is traded
    int mode;
    int count, multiplier;  // the quantity boxes: count, and x 1K (2) or x 1M (3)
    const char* step;
    double amount;
    const char* subTotal;
    const char* message;  // followed by the symbol
  } cases[] = {
      {"35.47", TfrmBidOffer::MODE_BID, 2, 2, "35.620", 71240.00, "Sub Total : THB 71,240.00",
       "You paid THB 71,240.00 for "},
      {"33.57", TfrmBidOffer::MODE_OFFER, 3, 2, "33.420", 100260.00, "Sub Total : THB 100,260.00",
       "You earned THB 100,260.00 after selling "},
      {"0.45", TfrmBidOffer::MODE_BID, 1, 3, "0.495", 495000.00, "Sub Total : THB 495,000.00",
       "You paid THB 495,000.00 for "},
  };
  // Mid-range draws: every chosen stock gets a price, down for a falling trend and up for a rising one.
  Qorvex6::setDrawSource([](float max) { return max * 0.5f; });
  db().timelineMode = 0;
  int next = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.subTotal);
    const bool bid = c.mode == TfrmBidOffer::MODE_BID;
    const std::string symbol = core().getStocksWithCompany("Thai", 0).items.at(next++).stock.symbol;
    sql(std::string("UPDATE stock SET status=0, popularity=0, currentPrice=") + c.price +
        ", closeprice=" + c.price + ", trend=" + (bid ? "4" : "1") + " WHERE symbol='" + symbol + "'");
    const double qty = c.count * TfrmBidOffer::multiplierOf(c.multiplier);
    if (!bid) {
      Qorvex6::qxShare share;
      std::snprintf(share.symbol, sizeof(share.symbol), "%s", symbol.c_str());
      std::snprintf(share.marketTitle, sizeof(share.marketTitle), "Thai");
      share.avg_price = 30;
      share.vol = qty;
      ASSERT_TRUE(db().insertPortfolio(&share));
    }
    db().profile.budget[kThai] = bid ? c.amount : 0;  // a bid of exactly the budget
    atCycle(10);                                      // the Thai exchange in its second work hour

    frmBidOffer->symbol = symbol;
    frmBidOffer->mode = c.mode;
    frmBidOffer->marketIndex = kThai;
    frmBidOffer->avgBuyPrice = bid ? 0 : 30;
    frmBidOffer->lblWarning->clear();
    frmBidOffer->FormShow();
    ASSERT_EQ(frmBidOffer->selPrice->itemText(1).toStdString(), c.step);
    frmBidOffer->selPrice->setCurrentIndex(1);
    frmBidOffer->selQty->setCurrentIndex(c.count - 1);
    frmBidOffer->selMulp->setCurrentIndex(c.multiplier);
    frmBidOffer->selQtyClick();
    EXPECT_EQ(frmBidOffer->lblAmount->text().toStdString(), c.subTotal);
    if (bid) {
      EXPECT_EQ(frmBidOffer->lblAmount->palette().color(QPalette::WindowText), QColor(70, 91, 47))
          << "the budget covers it";
    }
    frmBidOffer->Button1Click();
    EXPECT_EQ(frmBidOffer->lblWarning->text().toStdString(), "");
    ASSERT_EQ(queueRows(symbol), 1);

    ASSERT_TRUE(tickUntil(symbol, [&] { return core().getHeldVolume(symbol) == (bid ? qty : 0); }))
        << "the order did not fill";
    EXPECT_EQ(db().profile.budget[kThai], bid ? 0 : c.amount);
    bool reported = false;
    for (const auto& message : core().getInbox(false).items)
      reported |= std::string(message.Message) == c.message + symbol;
    EXPECT_TRUE(reported) << c.message << symbol;
  }
}

}  // namespace
