// A trade played through the windows: the Market page, a bid at the highest step, the clock until it
// fills, the holding on the Home page, an offer at the lowest step, the clock until it fills, and the
// inbox messages of both.

#include <string>

#include <QComboBox>
#include <QTimer>
#include <QTreeWidget>

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

}  // namespace
