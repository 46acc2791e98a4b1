// The desktop gadget: its lines, sizes and placement, the fade and turns, the ways back to the main window,
// and the tick's hand-offs on a real game.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QThread>

#include "AsciiText.h"
#include "GadgetLines.h"
#include "GameWindowTest.h"
#include "Qorvex6class.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"
#include "f_Gadget.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "pages/MarketTestFixture.h"

namespace {

using desk::gadget::holdingLine;
using desk::gadget::indexLine;
using desk::gadget::linesHeight;

TEST(GadgetLines, HoldingLinesAndLevels) {
  const struct {
    char letter;
    double current, average;
    const char* text;
    int level;
  } cases[] = {
      {'$', 15, 10, "AAA   $15.00 (+50.00%)", 2},
      {'$', 5, 10, "AAA   $5.00 (-50.00%)", -1},
      {'$', 4.99, 10, "AAA   $4.99 (-50.10%)", -2},
      {'$', 10, 10, "AAA   $10.00 (--)", 0},
      {'$', 10, 0, "AAA   $10.00 (--)", 0},
      {'$', 10, -1, "AAA   $10.00 (--)", 0},
      {'$', 0, 10, "AAA   $0.00 (--)", 0},  // no price
      {'B', 10.25, 10, "AAA   B10.25 (+2.50%)", 1},
      {'P', 10.24, 10, "AAA   P10.24 (+2.40%)", 0},
      {'Y', 9.75, 10, "AAA   Y9.75 (-2.50%)", 0},
      {'B', 9.74, 10, "AAA   B9.74 (-2.60%)", -1},
      {'B', 1234567.5, 1000000, "AAA   B1,234,567.50 (+23.46%)", 1},
  };
  for (const auto& c : cases) {
    const pGadgetDisplayUnit line = holdingLine("AAA", c.letter, c.current, c.average);
    EXPECT_EQ(line.text, c.text);
    EXPECT_EQ(line.trendLevel, c.level) << c.text;
  }
  EXPECT_EQ(Qorvex6::QorvexCore::getCurrencySymbol(0), 'B');
  EXPECT_EQ(Qorvex6::QorvexCore::getCurrencySymbol(4), '$');
}

TEST(GadgetLines, IndexLinesShowAChangeOnlyWhenThereIsOne) {
  const struct {
    double current;
    std::optional<double> change;
    const char* text;
  } cases[] = {
      {110, 4.7619, "Thai   110.00 (4.76%)"}, {100, -9.0909, "Thai   100.00 (-9.09%)"},
      {110, 0.0, "Thai   110.00 "},  // nothing moved
      {110, std::nullopt, "Thai   110.00 "},  {1234.5, std::nullopt, "Thai   1,234.50 "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(indexLine("Thai", c.current, c.change).text, c.text);
}

TEST(GadgetLines, HeightAndPlacement) {
  const int heights[][2] = {{0, 230}, {4, 230}, {9, 230}, {10, 240}, {11, 264}, {40, 960}};
  for (const auto& h : heights)
    EXPECT_EQ(linesHeight(h[0]), h[1]) << h[0];

  const QRect screen(0, 0, 1920, 1080);
  const QRect available(0, 0, 1920, 1040);
  EXPECT_EQ(TfrmGadget::placement({210, 290}, screen, available), QRect(1690, 726, 210, 290));
  // Taller than the room above the gap: kept inside the available area.
  EXPECT_EQ(TfrmGadget::placement({210, 1020}, screen, available), QRect(1690, 0, 210, 1020));
  EXPECT_EQ(TfrmGadget::placement({210, 2000}, screen, available), QRect(1690, 0, 210, 1040));
  // A second screen to the right, with a panel on the left.
  EXPECT_EQ(TfrmGadget::placement({210, 290}, {1920, 0, 800, 600}, {1950, 0, 770, 600}),
            QRect(2490, 246, 210, 290));
}

// A main window with a new game, its gadget, and the popup and note windows they talk to.
class GadgetTest : public GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    if (HasFatalFailure()) return;
    gadget_ = std::make_unique<TfrmGadget>(main_.get());
    frmGadget = gadget_.get();
    main_->showGadget = [this] { gadget_->showGadget(); };
  }
  void TearDown() override {
    GameWindowTest::TearDown();
    frmGadget = nullptr;
    gadget_.reset();
  }
  void addHoldings(int n) {
    std::lock_guard lock(main_->gameLock());
    const auto stocks = main_->core->database->getStocks(nullptr);
    ASSERT_GE(stocks.count(), n);
    for (int i = 0; i < n; ++i) {
      Qorvex6::qxShare share;
      const Qorvex6::qxStockInfo stock = stocks.at(i);
      platform::copyBounded(share.symbol, stock.symbol);
      platform::copyBounded(share.marketTitle, stock.marketTitle);
      share.avg_price = 1;
      share.vol = 100;
      ASSERT_TRUE(main_->core->database->insertPortfolio(&share));
    }
  }
  // The minimise button's release.
  void minimise() { main_->btnMinMouseUp(Qt::LeftButton, Qt::NoModifier); }

  std::unique_ptr<TfrmGadget> gadget_;
};

TEST_F(GadgetTest, MinimiseShowsIndicesSizedAndPlacedOnScreen) {
  main_->show();
  minimise();
  EXPECT_FALSE(main_->isVisible());
  ASSERT_TRUE(gadget_->isVisible());
  EXPECT_EQ(gadget_->displayMode, TfrmGadget::MODE_INDICES);
  ASSERT_EQ(gadget_->indexLines.size(), 6u);
  EXPECT_EQ(gadget_->indexLines[0].text.rfind("Thai   ", 0), 0u);
  EXPECT_EQ(gadget_->indexLines[5].text.rfind("HongKong   ", 0), 0u);
  EXPECT_TRUE(gadget_->lblTitle->text().startsWith("Thai   "));
  EXPECT_EQ(gadget_->height(), 34 + 230 + 26);
  EXPECT_TRUE(gadget_->timerToggle->isActive());
  const QRect available = gadget_->screen()->availableGeometry();
  EXPECT_TRUE(available.contains(gadget_->geometry())) << gadget_->geometry().y();

  // Holdings: an empty portfolio says so; ten lines make the label 240 high in both turns.
  gadget_->displayMode = TfrmGadget::MODE_HOLDINGS;
  gadget_->renderText();
  EXPECT_EQ(gadget_->lblTitle->text(), "Empty port folio");
  addHoldings(10);
  gadget_->refreshAfterCycle();
  EXPECT_EQ(gadget_->portfolioLines.size(), 10u);
  EXPECT_EQ(gadget_->lblTitle->height(), 240);
  gadget_->displayMode = TfrmGadget::MODE_HOLDINGS;
  gadget_->renderText();
  EXPECT_EQ(gadget_->lblTitle->height(), 240);
  EXPECT_EQ(gadget_->lblTitle->text().count('\n'), 10);
}

TEST_F(GadgetTest, TallPortfolioIsCappedToTheScreen) {
  addHoldings(60);
  gadget_->refreshData();
  gadget_->renderText();
  const int room = gadget_->screen()->availableGeometry().height();
  EXPECT_EQ(gadget_->height(), std::min(room, 34 + 24 * 60 + 26));
  EXPECT_LE(gadget_->lblTitle->geometry().bottom(), gadget_->height());
}

TEST_F(GadgetTest, FadeTakesSeventyTwoTicksEachWayAndTheTurnsAlternate) {
  gadget_->refreshData();
  gadget_->timerToggleTimer();
  EXPECT_EQ(gadget_->displayMode, TfrmGadget::MODE_HOLDINGS);
  EXPECT_TRUE(gadget_->timerFadeOut->isActive());
  EXPECT_FALSE(gadget_->timerToggle->isActive());
  int ticks = 0;
  while (gadget_->timerFadeOut->isActive() && ticks < 500) {
    gadget_->timerFadeOutTimer();
    ++ticks;
  }
  EXPECT_EQ(ticks, 72);
  EXPECT_EQ(gadget_->titleColour(), TfrmGadget::kFaded);
  EXPECT_EQ(gadget_->lblTitle->text(), "Empty port folio");  // drawn while faded
  EXPECT_TRUE(gadget_->timerFadeIn->isActive());
  EXPECT_TRUE(gadget_->timerToggle->isActive());
  ticks = 0;
  while (gadget_->timerFadeIn->isActive() && ticks < 500) {
    gadget_->timerFadeInTimer();
    ++ticks;
  }
  EXPECT_EQ(ticks, 72);
  EXPECT_EQ(gadget_->titleColour(), TfrmGadget::kNormal);
  gadget_->timerToggleTimer();
  EXPECT_EQ(gadget_->displayMode, TfrmGadget::MODE_INDICES);

  // While the core is marked busy nothing is drawn.
  main_->core->setBusy();
  gadget_->displayMode = TfrmGadget::MODE_INDICES;
  gadget_->renderText();
  EXPECT_EQ(gadget_->lblTitle->text(), "Empty port folio");
  main_->core->clearBusy();
  gadget_->renderText();
  EXPECT_TRUE(gadget_->lblTitle->text().startsWith("Thai   "));
}

TEST_F(GadgetTest, EveryWayBackShowsTheMainWindow) {
  const std::vector<std::function<void()>> ways = {
      [this] { QTest::mouseClick(gadget_->lblTitle, Qt::LeftButton); },
      [this] { QTest::mouseClick(gadget_->lblClock, Qt::LeftButton); },
      [this] { gadget_->close(); },
  };
  for (std::size_t i = 0; i < ways.size(); ++i) {
    main_->show();
    minimise();
    ASSERT_TRUE(gadget_->isVisible()) << i;
    ways[i]();
    EXPECT_FALSE(gadget_->isVisible()) << i;
    EXPECT_TRUE(main_->isVisible()) << i;
    EXPECT_EQ(gadget_->displayMode, TfrmGadget::MODE_LEFT) << i;
    EXPECT_FALSE(gadget_->timerToggle->isActive()) << i;
  }
  // A right click is no way back.
  main_->show();
  minimise();
  QTest::mouseClick(gadget_->lblTitle, Qt::RightButton);
  EXPECT_TRUE(gadget_->isVisible());
}

TEST_F(GadgetTest, TickTurnsTheClockRedThenGreenAndACycleRefreshesOnTheGuiThread) {
  main_->show();
  minimise();
  const QThread* gui = QThread::currentThread();
  std::vector<std::string> seen;
  bool redDuringTick = false;
  bool cycleOnGui = false;
  std::size_t linesAtCycle = 0;
  main_->handOffObserver = [&](std::string_view name) {
    seen.emplace_back(name);
    if (name == "repaint")
      redDuringTick = gadget_->lblClock->palette().color(QPalette::WindowText) == TfrmGadget::kBusyClock;
    if (name == "cycleFinished") cycleOnGui = QThread::currentThread() == gui;
  };
  gadget_->indexLines.clear();
  for (int tick = 0; tick < 12 && std::find(seen.begin(), seen.end(), "cycleFinished") == seen.end();
       ++tick) {
    main_->timerClockTimer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main_->isProcessing; }, 30000));
  }
  linesAtCycle = gadget_->indexLines.size();
  EXPECT_TRUE(redDuringTick);
  EXPECT_TRUE(cycleOnGui);
  EXPECT_EQ(linesAtCycle, 6u);
  EXPECT_EQ(gadget_->lblClock->palette().color(QPalette::WindowText), TfrmGadget::kIdleClock);
  EXPECT_EQ(gadget_->lblClock->text(), TfrmMain::dayText(main_->core->database->daycount));
  EXPECT_TRUE(gadget_->timerToggle->isActive());
}

// The gadget beside the Market page, on one game.
class GadgetBesideMarketTest : public MarketTest {
 protected:
  void SetUp() override {
    MarketTest::SetUp();
    if (HasFatalFailure()) return;
    gadget_ = std::make_unique<TfrmGadget>(main_.get());
  }
  void TearDown() override {
    gadget_.reset();
    MarketTest::TearDown();
  }
  std::unique_ptr<TfrmGadget> gadget_;
};

TEST_F(GadgetBesideMarketTest, TheIndexChangeIsTheMarketPagesInBothTimelines) {
  // Thai's samples 100 to 111, the newest last.
  for (int i = 0; i < 12; ++i)
    sql("INSERT INTO [index] (MarketTitle, [clock], [mktcap], [index]) VALUES ('Thai', 0, 0, " +
        std::to_string(100 + i) + ")");
  const struct {
    int timeline, cycle;
    const char* market;
    const char* gadget;
  } cases[] = {
      {0, 11, "111.00  (1.83%)", "Thai   111.00 (1.83%)"},  // hour 3: two samples today, from 109
      {0, 18, "111.00  (8.82%)", "Thai   111.00 (8.82%)"},  // hour 10: nine samples today, from 102
      {1, 11, "111.00  (0.91%)", "Thai   111.00 (0.91%)"},  // Swift visited cycle 9 only: from 110
      {1, 18, "111.00  (1.83%)", "Thai   111.00 (1.83%)"},  // cycles 9 and 11: from 109
      {1, 9, "111.00  (0.00%)", "Thai   111.00 "},          // the first hour: nothing moved yet
  };
  showMarket(kThai);
  for (const auto& c : cases) {
    db().timelineMode = c.timeline;
    atCycle(c.cycle);
    refresh();
    gadget_->refreshData();
    EXPECT_EQ(page_->lblIndex->text(), c.market) << c.timeline << "@" << c.cycle;
    ASSERT_EQ(gadget_->indexLines.size(), 6u);
    EXPECT_EQ(gadget_->indexLines[0].text, c.gadget) << c.timeline << "@" << c.cycle;
  }
}

}  // namespace
