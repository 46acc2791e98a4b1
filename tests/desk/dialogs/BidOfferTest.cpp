#include <string>

#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include "../pages/MarketTestFixture.h"
#include "Qorvex6class.h"

namespace {

class BidOfferTest : public MarketTest {
 protected:
  // The first stock of an exchange, priced as given; the dialog opened for it in the mode.
  std::string open(const std::string& market, const std::string& prices, int mode, int pageMarket = -1) {
    const std::string symbol = core().getStocksWithCompany(market, 0).items.at(0).stock.symbol;
    sql("UPDATE stock SET " + prices + " WHERE symbol='" + symbol + "'");
    frmBidOffer->symbol = symbol;
    frmBidOffer->mode = mode;
    frmBidOffer->marketIndex = pageMarket >= 0 ? pageMarket : Qorvex6::marketIndexOf(market);
    frmBidOffer->avgBuyPrice = 0;
    frmBidOffer->lblWarning->clear();
    frmBidOffer->FormShow();
    return symbol;
  }
  void choose(int price, int qty, int multiplier) {
    frmBidOffer->selPrice->setCurrentIndex(price);
    frmBidOffer->selQty->setCurrentIndex(qty - 1);
    frmBidOffer->selMulp->setCurrentIndex(multiplier);
    frmBidOffer->selQtyClick();
  }
  QStringList stepTexts() {
    QStringList texts;
    for (int i = 0; i < frmBidOffer->selPrice->count(); ++i)
      texts << frmBidOffer->selPrice->itemText(i);
    return texts;
  }
  QColor colourOf(QLabel* label) { return label->palette().color(QPalette::WindowText); }
};

TEST_F(BidOfferTest, PriceStepsAreListedAroundThePriceOrTheCloseWithoutOne) {
  const struct {
    const char* prices;
    int mode;
    const char* steps;
  } cases[] = {
      {"currentPrice=0.02", TfrmBidOffer::MODE_BID, "0.02180 0.02200 0.02220 0.02240 0.02260"},
      {"currentPrice=0.02", TfrmBidOffer::MODE_OFFER, "0.01820 0.01800 0.01780 0.01760 0.01740"},
      {"currentPrice=3", TfrmBidOffer::MODE_BID, "2.980 3.060 3.140 3.220 3.300"},
      {"currentPrice=3", TfrmBidOffer::MODE_OFFER, "3.020 2.940 2.860 2.780 2.700"},
      {"currentPrice=0, closeprice=3", TfrmBidOffer::MODE_BID, "2.980 3.060 3.140 3.220 3.300"},
  };
  for (const auto& c : cases) {
    open("NewYork", c.prices, c.mode);
    EXPECT_EQ(stepTexts().join(" ").toStdString(), c.steps) << c.prices << " mode " << c.mode;
    EXPECT_EQ(frmBidOffer->selPrice->currentIndex(), 0);
    EXPECT_FALSE(frmBidOffer->selPrice->isEditable());
  }
}

TEST_F(BidOfferTest, ABidOfTheWholeBudgetIsQueuedAndACentMoreIsRefused) {
  const struct {
    double budget;
    bool queued;
  } cases[] = {{998999.99, false}, {999000, true}};
  for (const auto& c : cases) {
    db().profile.budget[kNewYork] = c.budget;
    const std::string symbol = open("NewYork", "currentPrice=2500", TfrmBidOffer::MODE_BID);
    ASSERT_EQ(stepTexts().first(), "2497.500");
    choose(0, 4, 1);  // 400 shares at 2,497.50: 999,000
    EXPECT_EQ(frmBidOffer->lblAmount->text(), "Sub Total : USD 999,000.00");
    EXPECT_EQ(colourOf(frmBidOffer->lblAmount), c.queued ? QColor(70, 91, 47) : QColor(255, 0, 0));
    frmBidOffer->Button1Click();
    EXPECT_EQ(frmBidOffer->lblWarning->text(), c.queued ? "" : "Not enough budget");
    const auto rows = core().getQueueBySymbol(symbol);
    ASSERT_EQ(rows.count(), c.queued ? 1 : 0) << c.budget;
    if (c.queued) {
      EXPECT_EQ(rows.at(0).price, 2497.5f);
      EXPECT_EQ(rows.at(0).qty, 400);
      EXPECT_TRUE(rows.at(0).isBid);
    }
  }
}

TEST_F(BidOfferTest, AnOfferNeedsTheHoldingAndIsColouredByTheAverageBuyPrice) {
  const std::string symbol = open("NewYork", "currentPrice=12.44", TfrmBidOffer::MODE_OFFER);
  Qorvex6::qxShare share;
  std::snprintf(share.symbol, sizeof(share.symbol), "%s", symbol.c_str());
  std::snprintf(share.marketTitle, sizeof(share.marketTitle), "NewYork");
  share.avg_price = 12.3f;
  share.vol = 300;
  ASSERT_TRUE(db().insertPortfolio(&share));
  frmBidOffer->avgBuyPrice = 12.3f;
  frmBidOffer->FormShow();
  EXPECT_EQ(frmBidOffer->lblPortInfo->text(), "300 shares in your port. (Avg USD 12.30)");
  const struct {
    int step, qty;
    bool green, qtyRed;
  } colours[] = {{0, 3, true, false}, {4, 4, false, true}};
  for (const auto& c : colours) {
    choose(c.step, c.qty, 1);
    EXPECT_EQ(colourOf(frmBidOffer->lblAmount), c.green ? QColor(0, 128, 0) : QColor(255, 0, 0)) << c.step;
    EXPECT_EQ(colourOf(frmBidOffer->lblQty), c.qtyRed ? QColor(255, 0, 0) : QColor(70, 91, 47));
  }
  frmBidOffer->Button1Click();  // 400 of 300
  EXPECT_EQ(frmBidOffer->lblWarning->text(), "Not enough stock to offer");
  EXPECT_EQ(queueRows(symbol), 0);
  choose(0, 3, 1);  // exactly the holding
  frmBidOffer->Button1Click();
  ASSERT_EQ(queueRows(symbol), 1);
  EXPECT_EQ(core().getQueueBySymbol(symbol).at(0).price, frmBidOffer->priceSteps[0])
      << "the step, not its text";
}

// A refusal stays until a choice it was about changes: the price and the quantity for the budget, only
// the quantity for the holding; nothing changes while the master writes.
TEST_F(BidOfferTest, ARefusalClearsWhenWhatItWarnedAboutChanges) {
  const auto pick = [](QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
  };
  const struct {
    int mode;
    const char* refusal;
    bool priceClears;
  } cases[] = {{TfrmBidOffer::MODE_BID, "Not enough budget", true},
               {TfrmBidOffer::MODE_OFFER, "Not enough stock to offer", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refusal);
    db().profile.budget[kNewYork] = 1000;
    const std::string symbol = open("NewYork", "currentPrice=5", c.mode);
    choose(0, 98, 1);  // 9,800 shares: over the budget, and none held
    frmBidOffer->Button1Click();
    ASSERT_EQ(frmBidOffer->lblWarning->text(), c.refusal);

    main_->isWritingData = true;
    pick(frmBidOffer->selQty, 0);
    EXPECT_EQ(frmBidOffer->lblWarning->text(), c.refusal) << "refused while the master writes";
    main_->isWritingData = false;

    pick(frmBidOffer->selPrice, 1);
    EXPECT_EQ(frmBidOffer->lblWarning->text(), c.priceClears ? "" : c.refusal);
    pick(frmBidOffer->selMulp, 0);
    EXPECT_EQ(frmBidOffer->lblWarning->text(), "");
    EXPECT_EQ(queueRows(symbol), 0);
  }
}

TEST_F(BidOfferTest, QuantityCurrencyRefusalsAndAFailedWriteKeepTheDialogOpen) {
  // A Japan stock opened from the Thai page is priced in yen.
  db().profile.budget[kJapan] = 1e6;
  const std::string symbol = open("Japan", "currentPrice=300", TfrmBidOffer::MODE_BID, kThai);
  EXPECT_EQ(frmBidOffer->marketIndex, kJapan);
  choose(0, 98, 3);
  EXPECT_EQ(frmBidOffer->lblQty->text(), "QTY : 98,000,000");
  EXPECT_TRUE(frmBidOffer->lblAmount->text().startsWith("Sub Total : JPY "))
      << frmBidOffer->lblAmount->text().toStdString();

  choose(0, 1, 0);
  main_->isProcessing = true;
  frmBidOffer->Button1Click();
  EXPECT_EQ(noteText(), "PROCESSING: Please wait.");
  EXPECT_EQ(queueRows(symbol), 0);
  main_->isProcessing = false;

  main_->isWritingData = true;
  frmBidOffer->selQty->setCurrentIndex(9);
  frmBidOffer->selQtyClick();
  EXPECT_EQ(frmBidOffer->lblQty->text(), "QTY : 1") << "the labels keep their values while the master writes";
  main_->isWritingData = false;

  db().connection->executeScript("ALTER TABLE queue RENAME TO queue_gone");
  bool closed = false;
  QObject::connect(frmBidOffer, &QDialog::finished, [&] { closed = true; });
  frmBidOffer->Button1Click();
  EXPECT_EQ(frmBidOffer->lblWarning->text(), "The order could not be placed.");
  EXPECT_FALSE(closed);
  db().connection->executeScript("ALTER TABLE queue_gone RENAME TO queue");

  // Cancel queues nothing; Submit closes the dialog.
  QTimer::singleShot(0, [] { frmBidOffer->Button2Click(); });
  EXPECT_EQ(frmBidOffer->exec(), QDialog::Rejected);
  EXPECT_EQ(queueRows(symbol), 0);
  QTimer::singleShot(0, [] { frmBidOffer->Button1Click(); });
  QTimer::singleShot(5000, [] { frmBidOffer->reject(); });  // a Submit that stays open fails, not hangs
  EXPECT_EQ(frmBidOffer->exec(), QDialog::Accepted);
  EXPECT_EQ(queueRows(symbol), 1);
}

}  // namespace
