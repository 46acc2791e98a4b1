#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QTreeWidget>

#include "MarketTestFixture.h"
#include "PriceHistoryChart.h"
#include "RateSparkline.h"

namespace {

QTreeWidgetItem* rowOf(QTreeWidget* list, const std::string& symbol) {
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    if (list->topLevelItem(i)->text(1).toStdString() == symbol) return list->topLevelItem(i);
  return nullptr;
}

class MarketPageTest : public MarketTest {
 protected:
  std::vector<std::string> symbolsOf(const std::string& title) {
    std::vector<std::string> symbols;
    for (const auto& row : core().getStocksWithCompany(title, 0).items)
      symbols.push_back(row.stock.symbol);
    return symbols;
  }
  void setStock(const std::string& symbol, const std::string& assignments) {
    sql("UPDATE stock SET " + assignments + " WHERE symbol='" + symbol + "'");
  }
  // The symbols of the table, top to bottom.
  std::vector<std::string> tableSymbols() {
    std::vector<std::string> symbols;
    for (int i = 0; i < page_->lstTable->topLevelItemCount(); ++i)
      symbols.push_back(page_->lstTable->topLevelItem(i)->text(TfrmCwMarket::COL_SYMBOL).toStdString());
    return symbols;
  }
  void chooseMarket(int market) {
    page_->selMarket->setCurrentIndex(market);
    emit page_->selMarket->activated(market);
  }
  void hold(const std::string& symbol, const std::string& market, float avg, double vol) {
    Qorvex6::qxShare share;
    std::snprintf(share.symbol, sizeof(share.symbol), "%s", symbol.c_str());
    std::snprintf(share.marketTitle, sizeof(share.marketTitle), "%s", market.c_str());
    share.avg_price = avg;
    share.vol = vol;
    ASSERT_TRUE(db().insertPortfolio(&share));
  }
};

TEST_F(MarketPageTest, TheTableShowsAnOpenAndAClosedExchange) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  ASSERT_GE(ny.size(), 5u);
  setStock(ny[0], "currentPrice=0.05, closeprice=0.04");
  setStock(ny[1], "currentPrice=0.1, closeprice=0.1");
  setStock(ny[2], "currentPrice=0, closeprice=12");
  setStock(ny[3], "wishlist=1, status=8, currentPrice=20, closeprice=10");
  setStock(ny[4], "currentPrice=9, closeprice=10, todayHigh=0, todayLow=8.5");
  atCycle(2);  // NewYork in its third work hour, Thai closed
  showMarket(kNewYork);
  refresh();
  EXPECT_EQ(page_->lblMarketStatus->text(), " -OPEN (3/10) -");
  EXPECT_EQ(page_->tableColour(), QColor(146, 231, 194));
  EXPECT_EQ(page_->lstTable->headerItem()->text(TfrmCwMarket::COL_PRICE), "Price ($)");
  EXPECT_EQ(page_->lstTable->topLevelItemCount(), static_cast<int>(ny.size()));
  const struct {
    std::string symbol;
    const char* price;
    const char* change;
    int image;
  } rows[] = {{ny[0], "0.050", "25.00 %", 2},
              {ny[1], "0.10", "--", 0},
              {ny[2], "12.00", "--", 0},  // no price today: the close, no change
              {ny[3], "20.00", "100.00 %", 6},
              {ny[4], "9.00", "-10.00 %", 1}};
  for (const auto& r : rows) {
    QTreeWidgetItem* row = rowOf(page_->lstTable, r.symbol);
    ASSERT_NE(row, nullptr) << r.symbol;
    EXPECT_EQ(row->text(TfrmCwMarket::COL_PRICE), r.price) << r.symbol;
    EXPECT_EQ(row->text(TfrmCwMarket::COL_CHANGE), r.change) << r.symbol;
    EXPECT_EQ(row->data(0, Qt::UserRole).toInt(), r.image) << r.symbol;
  }
  EXPECT_EQ(rowOf(page_->lstTable, ny[4])->text(TfrmCwMarket::COL_HIGH), "--");
  EXPECT_EQ(rowOf(page_->lstTable, ny[4])->text(TfrmCwMarket::COL_LOW), "USD 8.50");
  EXPECT_EQ(page_->lstQueue->topLevelItemCount(), 0) << "the table view leaves the queue empty";

  atCycle(9);
  refresh(false);
  EXPECT_EQ(page_->lblMarketStatus->text(), " Last work hour");

  atCycle(2);
  page_->selMarket->setCurrentIndex(kThai);
  refresh();
  EXPECT_EQ(page_->lblMarketStatus->text(), " -CLOSED-");
  EXPECT_EQ(page_->tableColour(), QColor(226, 151, 146));
  EXPECT_EQ(page_->lstTable->headerItem()->text(TfrmCwMarket::COL_PRICE), "Price (B)");
  ASSERT_GT(page_->lstTable->topLevelItemCount(), 0);
  for (int i = 0; i < page_->lstTable->topLevelItemCount(); ++i)
    EXPECT_EQ(page_->lstTable->topLevelItem(i)->text(TfrmCwMarket::COL_CHANGE), "--");
  EXPECT_TRUE(page_->lblIndex->text().endsWith(" ")) << "no change beside a closed exchange's index";
}

TEST_F(MarketPageTest, TheIndexChangeIsTakenFromThePreviousSessionsLastSample) {
  // Samples 1 .. 500, the newest last; the capitalisation is ten times the index.
  sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500) "
      "INSERT INTO [index] (MarketTitle, [clock], [mktcap], [index]) SELECT 'NewYork', 0, i * 10, i FROM n");
  const struct {
    int timeline, cycle;
    const char* index;
    bool up;
  } cases[] = {
      {0, 3, "500.00  (0.60%)", true},  // hour 4: three samples today, the reference is 497
      {1, 9, "500.00  (0.40%)", true},  // Swift, hour 10: cycles 0 and 2 stored today, the reference is 498
      {0, 0, "500.00  (0.00%)", true},  // hour 1: the newest sample is the previous close; the arrow stays
      {0, 12, "500.00 ", true},         // closed: no change, no down arrow, the up arrow as it was
  };
  showMarket(kNewYork);
  for (const auto& c : cases) {
    db().timelineMode = c.timeline;
    atCycle(c.cycle);
    refresh();
    EXPECT_EQ(page_->lblIndex->text(), c.index) << c.timeline << "@" << c.cycle;
    EXPECT_EQ(page_->imgIndexUp->isVisibleTo(page_->panelTop), c.up) << c.timeline << "@" << c.cycle;
    EXPECT_FALSE(page_->imgIndexDown->isVisibleTo(page_->panelTop));
  }
  EXPECT_EQ(page_->lblMktCap->text(), "USD 5,000.00") << "the newest capitalisation";
  ASSERT_EQ(page_->chartIndex->values().size(), 119u);
  EXPECT_EQ(page_->chartIndex->values().back(), 500);
  EXPECT_EQ(page_->chartIndex->values().front(), 382);

  // A new sample redraws the chart even when the refresh does not ask for it.
  sql("INSERT INTO [index] (MarketTitle, [clock], [mktcap], [index]) VALUES ('NewYork', 0, 4000, 400)");
  refresh(false);
  EXPECT_EQ(page_->chartIndex->values().back(), 400);
}

TEST_F(MarketPageTest, RankingsCoverTheWholeExchangeAndShowNoneForAZeroClose) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  ASSERT_GE(ny.size(), 8u);
  sql("UPDATE stock SET currentPrice=closeprice, tradedAmount=0 WHERE marketTitle='NewYork'");
  setStock(ny[0], "currentPrice=10, closeprice=0");  // no divisor
  setStock(ny[1], "currentPrice=105, closeprice=100, tradedAmount=900");
  setStock(ny[2], "currentPrice=104, closeprice=100, tradedAmount=800");
  setStock(ny[3], "currentPrice=90, closeprice=100, tradedAmount=700");
  setStock(ny[4], "currentPrice=95, closeprice=100");
  atCycle(2);
  showMarket(kNewYork);
  page_->submnuStatsClick();
  refresh(false);
  EXPECT_EQ(page_->lstTable->topLevelItemCount(), 0) << "the stats view leaves both lists empty";
  EXPECT_EQ(page_->lstQueue->topLevelItemCount(), 0);
  EXPECT_EQ(page_->lblMostRiser[0]->text().toStdString(), ny[0]);
  EXPECT_EQ(page_->lblMostRiserVal[0]->text(), "--");
  EXPECT_EQ(page_->lblMostRiser[1]->text().toStdString(), ny[1]);
  EXPECT_EQ(page_->lblMostRiserVal[1]->text(), "5.0000 %");
  EXPECT_EQ(page_->lblMostFaller[0]->text().toStdString(), ny[3]);
  EXPECT_EQ(page_->lblMostFaller[1]->text().toStdString(), ny[4]);
  EXPECT_EQ(page_->lblActive[0]->text().toStdString(), ny[1]);
  EXPECT_EQ(page_->lblActiveVal[0]->text(), "USD 900");
}

TEST_F(MarketPageTest, AFailingRefreshGivesBackTheClockAndTheLockAndTheNextOneWorks) {
  showMarket(kNewYork);
  main_->timerClock->start();
  db().connection->executeScript("ALTER TABLE [index] RENAME TO index_gone");
  refresh();
  EXPECT_TRUE(main_->timerClock->isActive());
  EXPECT_TRUE(popupText().startsWith("Market|")) << popupText().toStdString();
  std::atomic<bool> locked{false};
  std::thread other([&] {
    if (main_->gameLock().try_lock()) {
      locked = true;
      main_->gameLock().unlock();
    }
  });
  other.join();
  EXPECT_TRUE(locked);
  db().connection->executeScript("ALTER TABLE index_gone RENAME TO [index]");
  sql("INSERT INTO [index] (MarketTitle, [clock], [mktcap], [index]) VALUES ('NewYork', 0, 10, 123.5)");
  refresh();
  EXPECT_EQ(page_->lblIndex->text(), "123.50  (0.00%)");
  // A paused clock stays paused.
  main_->timerClock->stop();
  refresh();
  EXPECT_FALSE(main_->timerClock->isActive());
}

TEST_F(MarketPageTest, TheTradeCheckFollowsTheStocksOwnExchangeInItsOrder) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  const std::vector<std::string> thai = symbolsOf("Thai");
  const std::vector<std::string> japan = symbolsOf("Japan");
  setStock(ny[1], "status=4");
  setStock(ny[2], "status=8");
  setStock(ny[3], "status=1");
  hold(ny[4], "NewYork", 7.5f, 1000);
  ASSERT_TRUE(core().addBid(ny[5], "NewYork", 10, 100, true));
  hold(thai[0], "Thai", 3, 100);
  atCycle(2);                                // NewYork and Japan open, Thai closed
  page_->selMarket->setCurrentIndex(kThai);  // the page's exchange does not decide
  const struct {
    std::string symbol;
    bool bid, offer;
    float avg;
  } cases[] = {
      {ny[0], true, false, 0},     {ny[1], false, false, 0},   {ny[2], false, false, 0},
      {ny[3], true, false, 0},     {ny[4], true, true, 7.5f},  {ny[5], false, false, 0},
      {thai[0], false, false, -1}, {japan[0], true, false, 0}, {"--", false, false, -1},
  };
  for (const auto& c : cases) {
    bool bid = true;
    bool offer = true;
    float avg = -1;
    page_->canTrade(c.symbol, bid, offer, avg);
    EXPECT_EQ(bid, c.bid) << c.symbol;
    EXPECT_EQ(offer, c.offer) << c.symbol;
    EXPECT_EQ(avg, c.avg) << c.symbol << ": untouched (-1) when the exchange is closed or the stock unknown";
  }
}

// In an exchange's closing hour no stock of it trades and the close clears the queue: an order then is
// refused as on a closed exchange; one in the cycle before is taken.
TEST_F(MarketPageTest, AnOrderInTheClosingHourIsRefusedAsOnAClosedExchange) {
  const struct {
    const char* market;
    int timeline, cycle;
    bool taken;
  } cases[] = {
      {"Thai", 0, 18, false},  {"Thai", 0, 17, true},   {"Thai", 1, 18, false},  {"Thai", 1, 11, true},
      {"London", 0, 0, false}, {"London", 0, 19, true}, {"London", 1, 0, false}, {"London", 1, 18, true},
  };
  int opened = 0;
  page_->runBidOffer = [&] { ++opened; };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.market) + " timeline " + std::to_string(c.timeline) + " cycle " +
                 std::to_string(c.cycle));
    const std::string symbol = symbolsOf(c.market).at(0);
    setStock(symbol, "status=0");
    db().timelineMode = c.timeline;
    atCycle(c.cycle);
    popup_->lblTitle->clear();
    popup_->lblMsg->clear();
    const int before = opened;
    page_->showStockDetails(symbol);
    page_->btnBidClick();
    EXPECT_EQ(opened - before, c.taken ? 1 : 0);
    EXPECT_EQ(popupText().toStdString(),
              c.taken ? "|" : "Denied|You cannot bid for this stock at this moment.");
  }
}

TEST_F(MarketPageTest, OrderButtonsRefuseWhileProcessingAndPrepareTheDialog) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  hold(ny[4], "NewYork", 7.5f, 1000);
  atCycle(2);
  showMarket(kNewYork);
  refresh();
  int opened = 0;
  bool clockStoppedInside = false;
  page_->runBidOffer = [&] {
    ++opened;
    clockStoppedInside = !main_->timerClock->isActive();
  };
  page_->lstTable->setCurrentItem(rowOf(page_->lstTable, ny[4]));
  main_->timerClock->start();
  main_->isProcessing = true;
  page_->btnBidClick();
  EXPECT_EQ(noteText(), "PROCESSING: Please wait.");
  EXPECT_EQ(opened, 0);
  EXPECT_TRUE(main_->timerClock->isActive());
  main_->isProcessing = false;

  page_->btnOfferClick();
  ASSERT_EQ(opened, 1);
  EXPECT_TRUE(clockStoppedInside);
  EXPECT_TRUE(main_->timerClock->isActive()) << "the clock is given back after the dialog";
  EXPECT_EQ(frmBidOffer->symbol, ny[4]);
  EXPECT_EQ(frmBidOffer->mode, TfrmBidOffer::MODE_OFFER);
  EXPECT_EQ(frmBidOffer->avgBuyPrice, 7.5f);
  EXPECT_EQ(frmBidOffer->lblTitle->text().toStdString(), "REQUEST to SELL " + ny[4]);
  page_->btnBidClick();
  ASSERT_EQ(opened, 2);
  EXPECT_EQ(frmBidOffer->avgBuyPrice, 0);
  EXPECT_EQ(frmBidOffer->mode, TfrmBidOffer::MODE_BID);

  // Not held: the offer is denied; the details panel's stock is the one acted on.
  page_->showStockDetails(ny[0]);
  page_->btnOfferClick();
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(popupText(), "Denied|You cannot offer for this stock at this moment.");
  main_->timerClock->stop();
}

TEST_F(MarketPageTest, DetailsAreRefusedWhileWritingAndShowTheHoldingAndHistory) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  const std::string symbol = ny[0];
  hold(symbol, "NewYork", 7.5f, 1000);
  for (int i = 0; i < 130; ++i)
    ASSERT_TRUE(db().recordPrice(symbol.c_str(), 5.0f + static_cast<float>(i % 7)));
  setStock(symbol, "todayHigh=0, todayLow=5, currentPrice=6, status=4");
  showMarket(kNewYork);
  page_->showStockDetails(ny[1]);

  main_->isWritingData = true;
  EXPECT_FALSE(page_->fillStockDetails(symbol));
  page_->showStockDetails(symbol);
  EXPECT_EQ(noteText(), "WRITING DATA: Please wait.");
  EXPECT_EQ(page_->selectedSymbol, ny[1]) << "a refused fill changes nothing";
  EXPECT_EQ(page_->lblSymbol->text().toStdString(), ny[1]);
  page_->chartStockClick();
  EXPECT_EQ(page_->panelBody->currentWidget(), page_->panelStockDetails);
  main_->isWritingData = false;

  page_->showStockDetails(symbol);
  EXPECT_EQ(page_->selectedSymbol, symbol);
  EXPECT_EQ(page_->panelBody->currentWidget(), page_->panelStockDetails);
  EXPECT_EQ(page_->lblHL->text(), "-- / USD 5.00");
  EXPECT_EQ(page_->lblPortLabel->text(), "Bought at USD 7.50 [x1,000] \nfor 0 days");
  EXPECT_TRUE(page_->imgStatusSP->isVisibleTo(page_->panelStockDetails));
  EXPECT_FALSE(page_->imgStatusH->isVisibleTo(page_->panelStockDetails));
  ASSERT_EQ(page_->chartStock->points().size(), 121u) << "the newest 121 of 130 samples";
  for (const auto& point : page_->chartStock->points())
    EXPECT_EQ(point.colour, point.value > 7.5 ? QColor(0, 128, 0) : QColor(255, 0, 0));
  EXPECT_GT(page_->chartStock->runCount(), 1);

  page_->chartStockClick();
  EXPECT_EQ(page_->panelBody->currentWidget(), page_->panelIndicator);
  page_->Button2Click();
  EXPECT_EQ(page_->panelBody->currentWidget(), page_->panelStockDetails);
}

TEST_F(MarketPageTest, TheWishlistBoxWritesOnceAndTheEighteenthStockAwardsTheMilestoneOnce) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  ASSERT_GE(ny.size(), 19u);
  showMarket(kNewYork);
  page_->showStockDetails(ny[0]);
  main_->isProcessing = true;
  page_->chkWishlist->click();
  EXPECT_EQ(noteText(), "PROCESSING: Please wait.");
  EXPECT_FALSE(page_->chkWishlist->isChecked()) << "the refused toggle is put back";
  EXPECT_FALSE(core().getStockInfo(ny[0]).wishlist);
  main_->isProcessing = false;

  const auto inbox = [&] { return core().getInbox(false).count(); };
  const int before = inbox();
  for (int i = 0; i < 18; ++i) {
    page_->showStockDetails(ny[static_cast<std::size_t>(i)]);
    page_->chkWishlist->click();
    EXPECT_TRUE(core().getStockInfo(ny[static_cast<std::size_t>(i)]).wishlist);
    EXPECT_EQ(inbox(), before + (i == 17 ? 1 : 0)) << i;
  }
  EXPECT_TRUE(db().profile.milestones.passed[19]);
  page_->chkWishlist->click();  // off, and on again: nothing more
  page_->chkWishlist->click();
  page_->showStockDetails(ny[18]);
  page_->chkWishlist->click();
  EXPECT_EQ(inbox(), before + 1);
  EXPECT_TRUE(page_->imgFav->isVisibleTo(page_->panelStockDetails));
}

TEST_F(MarketPageTest, AFailedWishlistWriteGivesBackTheBoxAndTheStar) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  showMarket(kNewYork);
  page_->showStockDetails(ny[0]);
  db().connection->executeScript(
      "CREATE TRIGGER stock_locked BEFORE UPDATE ON stock BEGIN SELECT RAISE(ABORT, 'locked'); END;");
  page_->chkWishlist->click();
  EXPECT_FALSE(page_->chkWishlist->isChecked());
  EXPECT_FALSE(page_->imgFav->isVisibleTo(page_->panelStockDetails));
  EXPECT_EQ(popupText(), "DENIED|The wishlist could not be changed.");
  EXPECT_FALSE(core().getStockInfo(ny[0]).wishlist);
}

TEST_F(MarketPageTest, ARefillKeepsTheSortAndTheSelectedRow) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  ASSERT_GE(ny.size(), 3u);
  // Priced against the query's order, so that sorting by price reverses it.
  for (std::size_t i = 0; i < ny.size(); ++i)
    setStock(ny[i], "currentPrice=" + std::to_string(500 - static_cast<int>(i)));
  std::vector<std::string> byPrice(ny.rbegin(), ny.rend());
  atCycle(2);
  showMarket(kNewYork);
  refresh();
  ASSERT_EQ(tableSymbols(), ny);
  page_->lstTableColumnClick(TfrmCwMarket::COL_PRICE);
  ASSERT_EQ(tableSymbols(), byPrice);
  page_->lstTable->setCurrentItem(rowOf(page_->lstTable, ny[1]));
  page_->lstTableClick();

  for (const bool full : {true, false}) {
    refresh(full);
    EXPECT_EQ(tableSymbols(), byPrice) << full;
    const QTreeWidgetItem* current = page_->lstTable->currentItem();
    ASSERT_NE(current, nullptr) << full;
    EXPECT_EQ(current->text(TfrmCwMarket::COL_SYMBOL).toStdString(), ny[1]);
    EXPECT_TRUE(current->isSelected());
  }
}

TEST_F(MarketPageTest, RankingsNeedMoreThanThreeStocksAfterTheSectorFilter) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  const std::string textile = "14";
  atCycle(2);
  showMarket(kNewYork);
  page_->selSector->setCurrentIndex(std::stoi(textile));
  page_->submnuStatsClick();
  for (const std::size_t stocks : {4u, 3u}) {  // ranked first, so that the "--" is written over it
    SCOPED_TRACE(stocks);
    sql("UPDATE company SET sector=1 WHERE sector=" + textile);
    for (std::size_t i = 0; i < stocks; ++i)
      sql("UPDATE company SET sector=" + textile + " WHERE symbol='" + ny[i] + "'");
    refresh(false);
    for (auto* labels : {&page_->lblMostRiser, &page_->lblMostFaller, &page_->lblActive})
      for (QLabel* label : *labels)
        EXPECT_EQ(label->text() == "--", stocks == 3) << label->text().toStdString();
    for (auto* labels : {&page_->lblMostRiserVal, &page_->lblMostFallerVal, &page_->lblActiveVal})
      for (QLabel* label : *labels)
        EXPECT_EQ(label->text().isEmpty(), stocks == 3) << label->text().toStdString();
  }
}

TEST_F(MarketPageTest, PendingOrdersAreListedOnlyInTheQueueViewWithTheirPictures) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  hold(ny[1], "NewYork", 7.5f, 1000);
  ASSERT_TRUE(core().addBid(ny[0], "NewYork", 10, 100, true));
  ASSERT_TRUE(core().addOffer(ny[1], "NewYork", 12, 50, true));
  ASSERT_FALSE(page_->imlQueue[0].isNull());
  ASSERT_NE(page_->imlQueue[0].toImage(), page_->imlQueue[1].toImage()) << "an offer and a bid look apart";
  atCycle(2);
  showMarket(kNewYork);

  page_->submnuQueueClick();
  refresh(false);
  EXPECT_EQ(page_->lstTable->topLevelItemCount(), 0);
  ASSERT_EQ(page_->lstQueue->topLevelItemCount(), 2);
  const struct {
    std::string symbol;
    std::size_t picture;  // 1 a bid, 0 an offer
    const char* price;
  } orders[] = {{ny[0], 1, "USD 10.00"}, {ny[1], 0, "USD 12.00"}};
  for (const auto& o : orders) {
    const QTreeWidgetItem* row = rowOf(page_->lstQueue, o.symbol);
    ASSERT_NE(row, nullptr) << o.symbol;
    EXPECT_EQ(row->text(2), o.price);
    const QPixmap& expected = page_->imlQueue[o.picture];
    EXPECT_EQ(row->icon(0).pixmap(expected.size()).toImage(), expected.toImage()) << o.symbol;
  }

  for (const auto view : {&TfrmCwMarket::submnuStatsClick, &TfrmCwMarket::submnuTableClick}) {
    (page_->*view)();
    refresh(false);
    EXPECT_EQ(page_->lstQueue->topLevelItemCount(), 0) << page_->viewMode;
  }
  EXPECT_GT(page_->lstTable->topLevelItemCount(), 0) << "back in the table view, the table is filled";
}

TEST_F(MarketPageTest, ADoubleClickOpensTheDetailsAndBackGoesWhereTheyCameFrom) {
#if defined(__SANITIZE_THREAD__)
  // The shown window draws its charts through Qt's own threads, which the race checker cannot see into.
  GTEST_SKIP() << "Qt's drawing threads are not instrumented";
#endif
  const std::vector<std::string> ny = symbolsOf("NewYork");
  main_->show();
  showMarket(kNewYork);
  refresh();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
  QTreeWidgetItem* row = rowOf(page_->lstTable, ny[2]);
  ASSERT_NE(row, nullptr);
  const QPoint at = page_->lstTable->visualItemRect(row).center();
  QTest::mouseClick(page_->lstTable->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(page_->lstTable->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(page_->panelBody->currentWidget(), page_->panelStockDetails);
  EXPECT_EQ(page_->lblSymbol->text().toStdString(), ny[2]);
  EXPECT_EQ(page_->selectedSymbol, ny[2]);
  EXPECT_EQ(page_->detailsOrigin, TfrmCwMarket::ORIGIN_TABLE);

  QTest::mouseClick(page_->Button1, Qt::LeftButton);
  EXPECT_EQ(page_->panelBody->currentWidget(), page_->panelTable);
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_MARKET);

  page_->showHomeStock(ny[3]);
  QTest::mouseClick(page_->Button1, Qt::LeftButton);
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_HOME);

  // Opened from nowhere the page knows: "< Back" stays.
  main_->mnuMarketClick();
  page_->showStockDetails(ny[4]);
  page_->detailsOrigin = 0;
  QTest::mouseClick(page_->Button1, Qt::LeftButton);
  EXPECT_EQ(page_->panelBody->currentWidget(), page_->panelStockDetails);
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_MARKET);
}

// A stock's details or candles opened under one exchange give way to the page's sub-page when another
// exchange is chosen, so nothing of the old exchange stays to be bid for under the new one's budget.
TEST_F(MarketPageTest, ChangingTheExchangeLeavesTheOldExchangesStock) {
  const std::vector<std::string> ny = symbolsOf("NewYork");
  const std::vector<std::string> thai = symbolsOf("Thai");
  int opened = 0;
  page_->runBidOffer = [&] { ++opened; };
  atCycle(2);
  const struct {
    const char* how;
    int market;
    QWidget* TfrmCwMarket::*front;
  } cases[] = {{"details from the table", kThai, &TfrmCwMarket::panelTable},
               {"candles from the rankings", kThai, &TfrmCwMarket::panelStats},
               {"the same exchange again", kNewYork, &TfrmCwMarket::panelStockDetails}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    showMarket(kNewYork);
    refresh();
    if (c.front == &TfrmCwMarket::panelStats) {
      page_->submnuStatsClick();
      refresh(false);
      page_->lblMostRiser1Click(page_->lblMostRiser[0]);
      page_->chartStockClick();
      ASSERT_EQ(page_->panelBody->currentWidget(), page_->panelIndicator);
    } else {
      page_->lstTable->setCurrentItem(rowOf(page_->lstTable, ny[0]));
      page_->lstTableDblClick();
      ASSERT_EQ(page_->panelBody->currentWidget(), page_->panelStockDetails);
    }
    chooseMarket(c.market);
    refresh();
    EXPECT_EQ(page_->panelBody->currentWidget(), page_->*c.front);
    if (c.market != kThai) continue;
    EXPECT_EQ(page_->hil2->isVisibleTo(page_), c.front == &TfrmCwMarket::panelStats);
    if (c.front == &TfrmCwMarket::panelTable) {
      EXPECT_EQ(tableSymbols(), thai);
      page_->btnBidClick();
      EXPECT_EQ(opened, 0) << "no stock of NewYork is acted on";
    }
  }
}

TEST_F(MarketPageTest, TheSellHighlightShowsUntilTheMouseFirstLeavesIt) {
  EXPECT_TRUE(page_->btnOfferx->isVisibleTo(page_->panelTable));
  EXPECT_FALSE(page_->btnBidX->isVisibleTo(page_->panelTable));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(page_->btnOfferx, &leave);
  EXPECT_FALSE(page_->btnOfferx->isVisibleTo(page_->panelTable));
}

TEST_F(MarketPageTest, APressOnTheDetailsWithCtrlOpensTheAddStockFormAndAlwaysRefreshes) {
  int added = 0;
  page_->runAddStock = [&] { ++added; };
  main_->isWritingData = true;  // a refresh asked for then shows its note
  const std::pair<Qt::KeyboardModifiers, int> presses[] = {
      {Qt::NoModifier, 0}, {Qt::ControlModifier, 1}, {Qt::ControlModifier | Qt::ShiftModifier, 2}};
  for (const auto& [modifiers, runs] : presses) {
    quote_->hide();
    page_->btnDetailsMouseDown(modifiers);
    EXPECT_EQ(added, runs);
    EXPECT_EQ(noteText(), "WRITING DATA: Please wait.");
  }
  main_->isWritingData = false;
}

}  // namespace
