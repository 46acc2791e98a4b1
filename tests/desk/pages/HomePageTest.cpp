#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCoreApplication>
#include <QLineSeries>
#include <QMessageBox>
#include <QResizeEvent>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>

#include "DbConnection.h"
#include "DoubleClick.h"
#include "GameWindowTest.h"
#include "NumberText.h"
#include "RateSparkline.h"
#include "SampleGame.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"
#include "f_CWHome.h"
#include "f_Gadget.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "qx_RefreshDisp.h"

namespace {

using namespace std::chrono_literals;
using Qorvex6::DEBUG_SQL_TRIGGER;

const QString kNotValid = "The name you entered is not valid. \nPlease try another name.";
const QString kProcessing = "PROCESSING: Please wait.";
const QString kNothingToSell = "DENIED|You don't have any stuff to sell.";

// Raises one of the main window's busy flags for a scope: a flag left raised would make the window's
// close wait for a tick that never ends.
class RaisedFlag {
 public:
  explicit RaisedFlag(std::atomic<bool>& flag) : flag_(flag) { flag_ = true; }
  ~RaisedFlag() { flag_ = false; }
  RaisedFlag(const RaisedFlag&) = delete;
  RaisedFlag& operator=(const RaisedFlag&) = delete;

 private:
  std::atomic<bool>& flag_;
};

// The texts of a list row's cells after the picture column, joined by '|'.
std::string rowText(const QTreeWidgetItem* row) {
  QStringList cells;
  for (int c = 1; c < row->columnCount(); ++c)
    cells << row->text(c);
  return cells.join('|').toStdString();
}

bool sameImage(const QIcon& icon, const QPixmap& picture) {
  return !picture.isNull() && icon.pixmap(picture.size()).toImage().convertToFormat(QImage::Format_ARGB32) ==
                                  picture.toImage().convertToFormat(QImage::Format_ARGB32);
}

std::vector<double> chartPoints(const desk::RateSparkline* chart) {
  std::vector<double> values;
  for (const QPointF& p : chart->series()->points())
    values.push_back(p.y());
  return values;
}

// Whether another thread could take the game lock right now.
bool lockFreeForOthers(std::recursive_mutex& lock) {
  bool free = false;
  std::thread probe([&] {
    std::unique_lock attempt(lock, std::try_to_lock);
    free = attempt.owns_lock();
  });
  probe.join();
  return free;
}

// The Home page inside a main window with a new game in a temporary user folder, with the popup and note
// windows; the page's input box and message box answer from the test.
class HomePageTest : public GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    if (HasFatalFailure()) return;
    frmMain = main_.get();
    page_ = new TfrmCwHome(main_.get());
    frmCwHome = page_;
    page_->askText = [this](const QString& caption, const QString& prompt, const QString& text) {
      asked_ << caption + "|" + prompt + "|" + text;
      clockRanWhileAsked_ = main_->timerClock->isActive();
      return answer_;
    };
    page_->showMessage = [this](const QString& text) { messages_ << text; };
  }
  void TearDown() override {
    GameWindowTest::TearDown();  // frees the page with the main window
    frmMain = nullptr;
    frmCwHome = nullptr;
  }

  void sql(const std::string& statement) { db().debugExecSQL(DEBUG_SQL_TRIGGER, statement); }
  void fill(const sample::SampleSize& size) { ASSERT_TRUE(sample::fillSampleGame(*main_->core, size)); }
  // Runs the queued refreshes.
  static void settle() { QCoreApplication::processEvents(); }
  void showHome() {
    main_->mnuHomeClick();
    settle();
  }
  std::vector<int> belongingsOnDisk() {
    const platform::DbResult rows = onDisk("SELECT ID FROM belonging ORDER BY ID");
    std::vector<int> ids;
    for (std::size_t i = 0; i < rows.rowCount(); ++i)
      ids.push_back(rows.at(i, 0).asInteger());
    return ids;
  }
  double usdOnDisk() { return onDisk("SELECT budget_USD FROM profile").at(0, 0).asFloat(); }
  QString popupText() const { return QString::fromStdString(GameWindowTest::popupText()); }
  void clearMessages() {
    popup_->lblTitle->clear();
    popup_->lblMsg->clear();
    quote_->lblMsg->clear();
    messages_.clear();
    asked_.clear();
  }
  std::vector<std::string> listRows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < page_->lstPortFolio->topLevelItemCount(); ++i)
      rows.push_back(rowText(page_->lstPortFolio->topLevelItem(i)));
    return rows;
  }
  std::string money(double amount, int currency) { return main_->core->formatMoney(amount, currency, false); }
  // One clock period, and the tick it starts run to its end.
  void tickAndWait() {
    main_->timerClockTimer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main_->isProcessing; }, 30000));
  }

  TfrmCwHome* page_ = nullptr;
  std::optional<QString> answer_;
  QStringList asked_;
  QStringList messages_;
  bool clockRanWhileAsked_ = false;
};

TEST_F(HomePageTest, ANewGameShowsTheStartingMoneyAndRatesAndNothingElse) {
  showHome();

  EXPECT_EQ(page_->lblUsername->text(), "Tester");
  EXPECT_EQ(page_->lblLevel->text(), "Level: Starter");
  struct Text {
    const char* name;
    const QLabel* label;
    const char* text;
  };
  const Text texts[] = {
      {"lblAccTHB", page_->lblAccTHB, "THB 1,000,000"},
      {"lblAccGBP", page_->lblAccGBP, "GBP 5,000"},
      {"lblAccJPY", page_->lblAccJPY, "JPY 0"},
      {"lblAccSGD", page_->lblAccSGD, "SGD 0"},
      {"lblAccUSD", page_->lblAccUSD, "USD 4,500"},
      {"lblAccHKD", page_->lblAccHKD, "HKD 40,250"},
      {"lblExGBP", page_->lblExGBP, "1.581"},
      {"lblExJPY", page_->lblExJPY, "0.013"},
      {"lblExSGD", page_->lblExSGD, "0.806"},
      {"lblExTHB", page_->lblExTHB, "0.032"},
      {"lblExHKD", page_->lblExHKD, "0.129"},
      {"lblStatHighestProfit", page_->lblStatHighestProfit, "--"},
      {"lblStatHighestLoss", page_->lblStatHighestLoss, "--"},
      {"lblStatHighestBudget", page_->lblStatHighestBudget, "--"},
      {"lblStatHighestPortVal", page_->lblStatHighestPortVal, "--"},
      {"lblStatLongestHolding", page_->lblStatLongestHolding, "--"},
      {"lblPortValue", page_->lblPortValue, "Your port folio yields : USD 0.00"},
      {"lblMilestone", page_->lblMilestone, "--"},
      {"lblStar", page_->lblStar, "0"},
  };
  for (const Text& t : texts)
    EXPECT_EQ(t.label->text(), t.text) << t.name;
  EXPECT_TRUE(page_->Button2->isHidden());
  EXPECT_TRUE(page_->lblInbox->isHidden());
  EXPECT_TRUE(page_->Shape11->isHidden());
  EXPECT_EQ(page_->lstPortFolio->topLevelItemCount(), 0);
  for (int n = 0; n < TfrmCwHome::kSlots; ++n) {
    EXPECT_TRUE(page_->product[n]->isHidden() && page_->L[n]->isHidden() && page_->sell[n]->isHidden() &&
                page_->Shape[n]->isHidden())
        << "slot " << n + 1;
    EXPECT_EQ(page_->slotBelonging[n], -1);
  }
  for (const desk::RateSparkline* chart :
       {page_->chartRateLondon, page_->chartRateJapan, page_->chartRateThai, page_->chartRateSingapore,
        page_->chartRateHongkong})
    EXPECT_EQ(chart->series()->count(), 0) << "no rate history yet";
}

TEST_F(HomePageTest, ASampleGameFillsTheListChartsSlotsRecordsAndMilestones) {
  fill({.holdings = 5,
        .wishlist = 3,
        .belongings = 11,
        .unreadMessages = 0,
        .rateDays = 20,
        .milestones = 4,
        .records = true});
  // Holding lengths of the test's own (a new holding starts at 0 days): the list's order follows them.
  sql("UPDATE portfolio SET heldlength = 10 * rowid");
  showHome();

  // Holdings, longest held first; the sample buys at 0.5, 0.95, 1, 1.2 and 2.5 times the current price
  // and halts, suspends and marks ex-dividend its first three stocks. The percent is taken on the cost.
  const Qorvex6::pList<Qorvex6::qxShare> holdings = main_->core->getPortfolio();
  ASSERT_EQ(holdings.count(), 5);
  struct Expected {
    const char* percent;
    const char* quantity;
    const char* days;
    int picture;
  };
  const Expected expected[5] = {{"-60.000 %", "5,000", "50", 10},
                                {"-16.667 %", "4,000", "40", 9},
                                {"0.000 %", "3,000", "30", 5},
                                {"5.263 %", "2,000", "20", 4},
                                {"100.000 %", "1,000", "10", 3}};
  ASSERT_EQ(page_->lstPortFolio->topLevelItemCount(), 5);
  for (int i = 0; i < 5; ++i) {
    const Qorvex6::qxShare share = holdings.get(i);
    const int m = Qorvex6::marketIndexOf(share.marketTitle);
    const QTreeWidgetItem* row = page_->lstPortFolio->topLevelItem(i);
    const std::string want =
        QStringList{share.symbol,
                    QString::fromStdString(money(share.avg_price, m)),
                    QString::fromStdString(money(main_->core->getCurrentPrice(share.symbol), m)),
                    expected[i].percent,
                    expected[i].quantity,
                    expected[i].days}
            .join('|')
            .toStdString();
    EXPECT_EQ(rowText(row), want) << "row " << i;
    EXPECT_TRUE(sameImage(row->icon(0), page_->imlStates[expected[i].picture])) << "row " << i;
  }

  // The wishlist rows follow only with the box checked.
  const std::vector<std::string> holdingRows = listRows();
  page_->chkWishlist->click();
  settle();
  std::vector<std::string> withWishlist = holdingRows;
  const Qorvex6::pList<Qorvex6::qxStockInfo> wishlist = main_->core->getWishlist();
  ASSERT_EQ(wishlist.count(), 3);
  for (const Qorvex6::qxStockInfo& stock : wishlist.items)
    withWishlist.push_back(stock.symbol +
                           ("|--|" + money(stock.currentPrice, Qorvex6::marketIndexOf(stock.marketTitle))) +
                           "|||WISH");
  EXPECT_EQ(listRows(), withWishlist);
  EXPECT_TRUE(sameImage(page_->lstPortFolio->topLevelItem(5)->icon(0), page_->imlStates[11]));
  page_->chkWishlist->click();
  settle();
  EXPECT_EQ(listRows(), holdingRows);

  // Each chart: the dollar value of its currency over the newest nine days, the newest first.
  const Qorvex6::pList<Qorvex6::qxExchangeRate> history = main_->core->getExchangeHistory();
  ASSERT_GE(history.count(), 20);
  using Rate = float Qorvex6::qxExchangeRate::*;
  const std::pair<const desk::RateSparkline*, Rate> charts[] = {
      {page_->chartRateLondon, &Qorvex6::qxExchangeRate::rateExchange_London},
      {page_->chartRateJapan, &Qorvex6::qxExchangeRate::rateExchange_Japan},
      {page_->chartRateThai, &Qorvex6::qxExchangeRate::rateExchange_Thai},
      {page_->chartRateSingapore, &Qorvex6::qxExchangeRate::rateExchange_Singapore},
      {page_->chartRateHongkong, &Qorvex6::qxExchangeRate::rateExchange_Hongkong},
  };
  for (const auto& [chart, rate] : charts) {
    std::vector<double> want;
    for (int i = history.count() - 1; i >= history.count() - 9; --i) {
      const Qorvex6::qxExchangeRate row = history.get(i);
      want.push_back(static_cast<double>(row.*rate) / row.rateExchange_NewYork);
    }
    const std::vector<double> shown = chartPoints(chart);
    ASSERT_EQ(shown.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i)
      EXPECT_NEAR(shown[i], want[i], 1e-6 * std::abs(want[i])) << "point " << i;
  }

  // Ten of the eleven belongings, by ID, each slot remembering the one it shows.
  const std::vector<int> ids = belongingsOnDisk();
  ASSERT_EQ(ids.size(), 11u);
  for (int n = 0; n < TfrmCwHome::kSlots; ++n) {
    EXPECT_EQ(page_->slotBelonging[n], ids[n]);
    const platform::DbResult item = onDisk(
        "SELECT p.brandserie, b.currentValue, p.ID FROM belonging b JOIN product p ON p.ID = b.productID "
        "WHERE b.ID = " +
        std::to_string(ids[n]));
    const QString caption =
        QString::fromStdString(item.at(0, 0).asString()) + "\n" +
        QString::fromStdString(platform::formatNumber("$ %0.0n", item.at(0, 1).asFloat()));
    EXPECT_EQ(page_->L[n]->text(), caption);
    EXPECT_FALSE(page_->sell[n]->isHidden() || page_->Shape[n]->isHidden() || page_->product[n]->isHidden());
    EXPECT_FALSE(page_->product[n]->pixmap().isNull());
    EXPECT_EQ(page_->product[n]->pixmap().toImage(), page_->imlProduct[item.at(0, 2).asInteger()].toImage())
        << "slot " << n + 1;
  }

  // The lifetime records.
  const Qorvex6::pList<Qorvex6::qxStockInfo> stocks = db().getStocks(nullptr);
  const QString first = stocks.get(0).symbol, second = stocks.get(1).symbol, third = stocks.get(2).symbol;
  EXPECT_EQ(page_->lblStatHighestProfit->text(), first + " ... USD 12,500.75");
  EXPECT_EQ(page_->lblStatHighestLoss->text(), second + " ... USD -3,200.50");
  EXPECT_EQ(page_->lblStatLongestHolding->text(), third + "  ...  1,234 days");
  EXPECT_EQ(page_->lblStatHighestBudget->text(), "USD 1.25 Mil.");
  EXPECT_EQ(page_->lblStatHighestPortVal->text(), "USD 98,765.43");

  // The passed milestones in ID order, and their stars.
  const platform::DbResult passed =
      onDisk("SELECT type, description FROM milestone WHERE passed = 1 ORDER BY id");
  ASSERT_EQ(passed.rowCount(), 4u);
  QString list;
  for (std::size_t i = 0; i < passed.rowCount(); ++i)
    list += QString::fromStdString("[" + passed.at(i, 0).asString() + " achievement] ... " +
                                   passed.at(i, 1).asString() + "\n");
  EXPECT_EQ(page_->lblMilestone->text(), list);
  EXPECT_EQ(page_->lblStar->text(),
            QString::number(onDisk("SELECT SUM(star) FROM milestone WHERE passed = 1").at(0, 0).asInteger()));
  EXPECT_NE(page_->lblStar->text(), "0");
}

// A holding worth 40 % of its cost has lost 60 %, as the gadget says.
TEST_F(HomePageTest, ProfitIsAPercentOfTheAverageBuyPriceAndPicksThePicture) {
  const Qorvex6::qxStockInfo stock = db().getStocks(nullptr).get(0);
  const struct {
    float average, current;
    const char* percent;
    int picture;
  } cases[] = {
      {43.01f, 37.31f, "-13.253 %", 9}, {100, 40, "-60.000 %", 10}, {10, 6.5f, "-35.000 %", 9},
      {10, 16, "60.000 %", 6},          {10, 10.25f, "2.500 %", 7}, {10, 9.8f, "-2.000 %", 8},
  };
  for (const auto& c : cases) {
    sql("DELETE FROM portfolio");
    sql("UPDATE stock SET status = 0, currentPrice = " + std::to_string(c.current) + " WHERE symbol = '" +
        stock.symbol + "'");
    Qorvex6::qxShare share;
    std::string(stock.symbol).copy(share.symbol, sizeof share.symbol - 1);
    std::string(stock.marketTitle).copy(share.marketTitle, sizeof share.marketTitle - 1);
    share.avg_price = c.average;
    share.vol = 100;
    ASSERT_TRUE(db().insertPortfolio(&share));
    showHome();
    ASSERT_EQ(page_->lstPortFolio->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = page_->lstPortFolio->topLevelItem(0);
    EXPECT_EQ(row->text(4), c.percent) << c.average << " -> " << c.current;
    EXPECT_TRUE(sameImage(row->icon(0), page_->imlStates[c.picture])) << c.average << " -> " << c.current;
  }
}

TEST_F(HomePageTest, ThePortfolioValueLineShowsGainAndLossInTheirColours) {
  const Qorvex6::qxStockInfo stock = db().getStocks(nullptr).get(0);
  const QColor loss(111, 79, 32), gain(16, 95, 47);
  struct Case {
    const char* what;
    float priceFactor;  // the buying price against the current one
    const char* sign;   // none when nothing is added
    QColor colour;
  };
  const Case cases[] = {
      {"a loss", 1.5f, "-", loss},
      {"value equal to cost keeps the last colour", 1.0f, nullptr, loss},
      {"a gain", 0.8f, "+", gain},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sql("DELETE FROM portfolio");
    Qorvex6::qxShare share;
    std::string(stock.symbol).copy(share.symbol, sizeof share.symbol - 1);
    std::string(stock.marketTitle).copy(share.marketTitle, sizeof share.marketTitle - 1);
    share.avg_price = stock.currentPrice * c.priceFactor;
    share.vol = 2000;
    share.heldlength = 4;
    ASSERT_TRUE(db().insertPortfolio(&share));
    showHome();

    const double value = main_->core->getPortfolioValue();
    const double cost = main_->core->getPortfolioCost();
    std::string want = "Your port folio yields : " + money(value, 4);
    if (c.sign != nullptr)
      want += std::string("      (") + c.sign + " " + money(std::abs(value - cost), 4) + ")";
    EXPECT_EQ(page_->lblPortValue->text().toStdString(), want);
    EXPECT_EQ(page_->lblPortValue->palette().color(QPalette::WindowText), c.colour);
  }
}

TEST_F(HomePageTest, NextWalksTheUnreadInboxNewestFirstAndMarksEachRead) {
  fill({.holdings = 0,
        .wishlist = 0,
        .belongings = 0,
        .unreadMessages = 3,
        .rateDays = 0,
        .milestones = 0,
        .records = false});
  const auto unreadOnDisk = [this] {
    const platform::DbResult rows = onDisk("SELECT Message FROM inbox WHERE isRead = 0 ORDER BY ID");
    QStringList messages;
    for (std::size_t i = 0; i < rows.rowCount(); ++i)
      messages << QString::fromStdString(rows.at(i, 0).asString());
    return messages;
  };
  const QStringList messages = unreadOnDisk();
  ASSERT_EQ(messages.size(), 3);
  showHome();
  EXPECT_EQ(page_->lblInbox->text(), "INBOX #3\n" + messages[2]);

  {
    RaisedFlag busy(main_->isProcessing);
    page_->Button2->click();
    EXPECT_EQ(quote_->lblMsg->text(), kProcessing);
    EXPECT_EQ(page_->inbox.size(), 3u);
    EXPECT_EQ(page_->lblInbox->text(), "INBOX #3\n" + messages[2]);
    EXPECT_EQ(unreadOnDisk(), messages);
  }

  for (int left = 2; left >= 0; --left) {
    page_->Button2->click();
    EXPECT_EQ(unreadOnDisk(), messages.mid(0, left));
    if (left > 0) {
      EXPECT_FALSE(page_->Shape11->isHidden());
      EXPECT_EQ(page_->lblInbox->text(), "INBOX #" + QString::number(left) + "\n" + messages[left - 1]);
    }
  }
  EXPECT_TRUE(page_->Button2->isHidden() && page_->lblInbox->isHidden() && page_->Shape11->isHidden());
  showHome();
  EXPECT_TRUE(page_->Button2->isHidden()) << "the refresh agrees with the database";
}

TEST_F(HomePageTest, SellingCreditsTheSlotsOwnBelongingOnlyWhenWritten) {
  fill({.holdings = 0,
        .wishlist = 0,
        .belongings = 3,
        .unreadMessages = 0,
        .rateDays = 0,
        .milestones = 0,
        .records = false});
  showHome();
  const std::vector<int> ids = belongingsOnDisk();
  ASSERT_EQ(ids.size(), 3u);
  ASSERT_EQ(std::vector<int>(page_->slotBelonging.begin(), page_->slotBelonging.begin() + 3), ids);
  const double usd = db().profile.budget[4];

  clearMessages();
  {
    RaisedFlag busy(main_->isProcessing);
    page_->sell[0]->click();
    EXPECT_EQ(quote_->lblMsg->text(), kProcessing);
    EXPECT_EQ(popupText(), "|");
    EXPECT_EQ(belongingsOnDisk(), ids);
  }

  sql("CREATE TEMP TRIGGER kept BEFORE DELETE ON belonging BEGIN SELECT RAISE(ABORT, 'kept'); END");
  clearMessages();
  page_->sell[0]->click();
  EXPECT_EQ(popupText(), "DENIED|The sale could not be written. Nothing was changed.");
  EXPECT_EQ(belongingsOnDisk(), ids);
  EXPECT_EQ(db().profile.budget[4], usd);
  EXPECT_EQ(usdOnDisk(), usd);
  sql("DROP TRIGGER kept");

  // The first row goes behind the page's back: the second slot still sells the belonging it shows.
  sql("DELETE FROM belonging WHERE ID = " + std::to_string(ids[0]));
  const double gain =
      0.8 *
      onDisk("SELECT currentValue FROM belonging WHERE ID = " + std::to_string(ids[1])).at(0, 0).asFloat();
  ASSERT_GT(gain, 0);
  clearMessages();
  page_->sell[1]->click();
  EXPECT_EQ(popupText(),
            QString::fromStdString("ITEM SOLD|You gain $ " + platform::formatNumber("%0.0n", gain) + "."));
  EXPECT_DOUBLE_EQ(db().profile.budget[4], usd + gain);
  EXPECT_DOUBLE_EQ(usdOnDisk(), usd + gain);
  EXPECT_EQ(belongingsOnDisk(), std::vector<int>{ids[2]});
  clearMessages();
  page_->sell[0]->click();
  EXPECT_EQ(popupText(), kNothingToSell) << "the first slot's belonging is gone";
  EXPECT_DOUBLE_EQ(usdOnDisk(), usd + gain);

  settle();  // the refresh the sale asked for
  EXPECT_EQ(page_->slotBelonging[0], ids[2]);
  EXPECT_TRUE(page_->sell[1]->isHidden());
  clearMessages();
  page_->sellBelonging(TfrmCwHome::kSlots - 1);
  EXPECT_EQ(popupText(), kNothingToSell) << "an empty slot";
  EXPECT_EQ(belongingsOnDisk(), std::vector<int>{ids[2]});
}

// The first click's refresh moves the second belonging into the first slot and the next message into the
// inbox block before the second press arrives: the second press must not act on them.
TEST_F(HomePageTest, ADoubleClickOnSellOrNextActsOnce) {
  fill({.holdings = 0,
        .wishlist = 0,
        .belongings = 2,
        .unreadMessages = 2,
        .rateDays = 0,
        .milestones = 0,
        .records = false});
  showHome();
  page_->submnuLifeClick();
  const struct {
    const char* name;
    QPushButton* control;
    std::string left;
  } cases[] = {
      {"sell in the first slot", page_->sell[0], "SELECT COUNT(*) FROM belonging"},
      {"Next >", page_->Button2, "SELECT COUNT(*) FROM inbox WHERE isRead = 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(onDisk(c.left).at(0, 0).asInteger(), 2);
    doubleClick(c.control);
    settle();
    EXPECT_EQ(onDisk(c.left).at(0, 0).asInteger(), 1);
  }
}

TEST_F(HomePageTest, RenameChecksWritesAndShowsTheNameWithTheClockStoppedMeanwhile) {
  showHome();
  struct Case {
    const char* what;
    std::optional<QString> answer;
    QStringList messages;
    QString name;
  };
  const Case cases[] = {
      {"a slash", "Te/ster", {kNotValid}, "Tester"},
      {"cancelled", std::nullopt, {}, "Tester"},
      {"the same name", "Tester", {}, "Tester"},
      {"a new name, shown as typed", "<i>Bob", {}, "<i>Bob"},
      {"blanks alone", "   ", {kNotValid}, "<i>Bob"},
      {"blanks at the ends go", "  Ann  ", {}, "Ann"},
      {"blanks inside stay", "A  B", {}, "A  B"},
      {"the same name with blanks around it", " A  B ", {}, "A  B"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clearMessages();
    answer_ = c.answer;
    const QString current = page_->lblUsername->text();
    main_->timerClock->start();
    QTest::mouseClick(page_->lblUsername, Qt::LeftButton);
    ASSERT_EQ(asked_.size(), 1);
    EXPECT_EQ(asked_[0], "Change your name|>>|" + current);
    EXPECT_FALSE(clockRanWhileAsked_);
    EXPECT_TRUE(main_->timerClock->isActive()) << "the clock runs again";
    main_->timerClock->stop();
    settle();
    EXPECT_EQ(messages_, c.messages);
    EXPECT_EQ(page_->lblUsername->text(), c.name);
    EXPECT_EQ(QString::fromStdString(onDisk("SELECT playerName FROM profile").at(0, 0).asString()), c.name);
  }
  EXPECT_EQ(page_->lblUsername->textFormat(), Qt::PlainText);

  // While a tick runs, neither the click nor the Alt gesture asks for a name.
  RaisedFlag busy(main_->isProcessing);
  clearMessages();
  QTest::mouseClick(page_->lblUsername, Qt::LeftButton);
  EXPECT_EQ(quote_->lblMsg->text(), kProcessing);
  quote_->lblMsg->clear();
  QTest::mouseClick(page_->lblUsername, Qt::LeftButton, Qt::AltModifier);
  EXPECT_EQ(quote_->lblMsg->text(), kProcessing);
  EXPECT_TRUE(asked_.isEmpty());
}

TEST_F(HomePageTest, ARefreshIsDroppedWhileWritingOrOnAnotherPage) {
  showHome();
  struct Case {
    const char* what;
    bool writing;
    int page;
  };
  const Case cases[] = {
      {"while the master writes", true, TfrmMain::PAGE_HOME},
      {"on the Shop page", false, TfrmMain::PAGE_SHOP},
      {"on the Setting page", false, TfrmMain::PAGE_SETTING},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString before = page_->lblUsername->text();
    const QString renamed = before + "x";
    ASSERT_EQ(main_->core->renamePlayer(renamed.toStdString()), Qorvex6::RenameResult::Renamed);
    main_->currentPage = c.page;
    {
      std::optional<RaisedFlag> writing;
      if (c.writing) writing.emplace(main_->isWritingData);
      qxRefreshDisp::request(false);
      settle();
    }
    main_->currentPage = TfrmMain::PAGE_HOME;
    settle();
    EXPECT_EQ(page_->lblUsername->text(), before) << "dropped, not postponed";
    qxRefreshDisp::request(false);
    settle();
    EXPECT_EQ(page_->lblUsername->text(), renamed);
  }
}

TEST_F(HomePageTest, WithoutAGameARefreshAndTheActionsDoNothing) {
  showHome();
  const QString name = page_->lblUsername->text();
  const QString usd = page_->lblAccUSD->text();
  main_->timerClock->stop();
  main_->core.reset();

  // Another thread holds the game lock for a while: a refresh that waited for it would take as long.
  std::atomic<bool> held{false}, done{false};
  std::thread holder([&] {
    std::lock_guard lock(main_->gameLock());
    held = true;
    const auto until = std::chrono::steady_clock::now() + 3s;
    while (!done && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(5ms);
  });
  while (!held)
    std::this_thread::yield();
  const auto start = std::chrono::steady_clock::now();
  main_->mnuHomeClick();
  settle();
  const auto took = std::chrono::steady_clock::now() - start;
  done = true;
  holder.join();
  EXPECT_LT(took, 1s) << "no lock taken";

  page_->Button2->click();
  page_->sellBelonging(0);
  QTest::mouseClick(page_->lblUsername, Qt::LeftButton);
  settle();
  EXPECT_TRUE(asked_.isEmpty());
  EXPECT_TRUE(messages_.isEmpty());
  EXPECT_EQ(page_->lblUsername->text(), name);
  EXPECT_EQ(page_->lblAccUSD->text(), usd);
}

TEST_F(HomePageTest, AFailedRefreshShowsOneBoxAfterTheUnlockAndTheNextRefreshWorks) {
  showHome();
  // Every box that comes up is counted and closed; the first one also probes the game lock.
  std::set<QWidget*> boxes;
  QString shown;
  bool lockFree = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    if (boxes.empty()) {
      shown = box->text();
      lockFree = lockFreeForOthers(main_->gameLock());
    }
    boxes.insert(box);
    box->accept();
  });
  closer.start(20);

  ASSERT_EQ(main_->core->renamePlayer("Halfway"), Qorvex6::RenameResult::Renamed);
  sql("ALTER TABLE inbox RENAME TO inbox_away");
  // The second request runs while the first one's box is open.
  qxRefreshDisp::request(false);
  qxRefreshDisp::request(false);
  settle();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == nullptr; }, 5000));
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(shown.contains("inbox")) << shown.toStdString();
  EXPECT_TRUE(lockFree) << "no box under the game lock";
  EXPECT_TRUE(messages_.isEmpty());
  EXPECT_EQ(page_->lblUsername->text(), "Halfway") << "what the steps before the failure wrote stays";

  sql("ALTER TABLE inbox_away RENAME TO inbox");
  ASSERT_TRUE(db().insertInbox("Back again"));
  qxRefreshDisp::request(false);
  settle();
  EXPECT_EQ(page_->lblInbox->text(), "INBOX #1\nBack again");
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(lockFreeForOthers(main_->gameLock()));
}

TEST_F(HomePageTest, MenusSelectTheirSubPageAndADoubleClickOpensTheMarket) {
  fill({.holdings = 3,
        .wishlist = 0,
        .belongings = 0,
        .unreadMessages = 0,
        .rateDays = 0,
        .milestones = 0,
        .records = false});
  showHome();
  desk::MainPicture* const entries[5] = {page_->submnuPort, page_->submnuStats, page_->submnuMoney,
                                         page_->submnuLife, page_->submnuMilestone};
  desk::MainPicture* const highlights[5] = {page_->hil1, page_->hil2, page_->hil3, page_->hil4, page_->hil5};
  QWidget* const panels[5] = {page_->panelPort, page_->panelStats, page_->panelMoney, page_->panelLife,
                              page_->panelMilestone};
  const auto expectSubPage = [&](int index) {
    EXPECT_EQ(page_->panelBody->currentWidget(), panels[index]);
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(highlights[i]->isVisibleTo(page_), i == index) << "highlight " << i + 1;
  };
  for (int i : {1, 2, 3, 4, 0}) {
    SCOPED_TRACE(i);
    QTest::mouseClick(entries[i], Qt::LeftButton);
    expectSubPage(i);
  }
  main_->lblBudgetHeaderClick();
  expectSubPage(2);
  main_->mnuHomeClick();
  expectSubPage(0);
  settle();

  std::vector<std::string> details;
  page_->showStockDetails = [&](const std::string& symbol) { details.push_back(symbol); };
  QTreeWidgetItem* row = page_->lstPortFolio->topLevelItem(1);
  ASSERT_NE(row, nullptr);
  page_->lstPortFolio->clearSelection();
  page_->lstPortFolioDblClick();
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_HOME) << "no row selected";
  page_->lstPortFolio->setCurrentItem(row);
  {
    RaisedFlag writing(main_->isWritingData);
    emit page_->lstPortFolio->itemDoubleClicked(row, 1);
    EXPECT_EQ(quote_->lblMsg->text(), "WRITING DATA: Please wait.");
    EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_HOME);
  }
  EXPECT_TRUE(details.empty());
  emit page_->lstPortFolio->itemDoubleClicked(row, 1);
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_MARKET);
  EXPECT_EQ(details, std::vector<std::string>{row->text(1).toStdString()});
  EXPECT_TRUE(page_->isHidden()) << "the Market page takes the place";
}

// The Home tab's hover picture, up when the holding is double clicked, goes with the page switch.
TEST_F(HomePageTest, ADoubleClickedHoldingLightsOnlyTheMarketTab) {
  fill({.holdings = 2,
        .wishlist = 0,
        .belongings = 0,
        .unreadMessages = 0,
        .rateDays = 0,
        .milestones = 0,
        .records = false});
  showHome();
  QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(main_->Image1, &move);
  ASSERT_TRUE(main_->mnuHome->isVisibleTo(main_.get()));

  const QTreeWidgetItem* row = page_->lstPortFolio->topLevelItem(1);
  ASSERT_NE(row, nullptr);
  doubleClick(page_->lstPortFolio->viewport(), page_->lstPortFolio->visualItemRect(row).center());
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_MARKET);
  const desk::MainPicture* const hovers[4] = {main_->mnuHome, main_->mnuMarket, main_->mnuShop,
                                              main_->mnuSetting};
  const desk::MainPicture* const markers[4] = {main_->mnuHomeX, main_->mnuMarketX, main_->mnuShopX,
                                               main_->mnuSettingX};
  const char* const tabs[4] = {"Home", "Market", "Shop", "Setting"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(hovers[i]->isVisibleTo(main_.get())) << tabs[i];
    EXPECT_EQ(markers[i]->isVisibleTo(main_.get()), i == 1) << tabs[i];
  }
}

TEST_F(HomePageTest, ALongNameIsElidedBeforeTheInboxBlock) {
  const QString wide(31, QChar('W'));
  sql("UPDATE profile SET playerName = '" + wide.toStdString() + "'");
  sql("INSERT INTO inbox (message, isRead) VALUES ('Welcome', 0)");
  const struct {
    QSize screen;
    bool elided;
  } cases[] = {{{1366, 768}, true}, {{1920, 1080}, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.screen.width());
    main_->resize(c.screen);
    main_->layoutControls();
    main_->mnuHomeClick();
    // The hidden page lays itself out for its new size as a shown one would.
    QResizeEvent resized(page_->size(), QSize());
    QCoreApplication::sendEvent(page_, &resized);
    settle();
    ASSERT_EQ(page_->width(), c.screen.width() - 10);
    const QLabel* name = page_->lblUsername;
    EXPECT_LT(name->geometry().right(), page_->Shape11->x()) << "the name runs into the inbox";
    EXPECT_LE(name->fontMetrics().horizontalAdvance(name->text()), name->width()) << "the name is cut off";
    if (c.elided) {
      EXPECT_TRUE(name->text().endsWith(QChar(0x2026))) << name->text().toStdString();
      EXPECT_TRUE(wide.startsWith(name->text().chopped(1)));
      EXPECT_EQ(name->toolTip(), wide);
    } else {
      EXPECT_EQ(name->text(), wide);
    }
  }
}

TEST_F(HomePageTest, BackFromTheGadgetTheSubPageInFrontKeepsItsHighlight) {
  TfrmGadget gadget(main_.get());
  main_->showGadget = [&] { gadget.showGadget(); };
  main_->show();
  main_->mnuHomeClick();
  page_->submnuMoneyClick();
  main_->btnMinMouseUp(Qt::LeftButton, Qt::NoModifier);
  ASSERT_FALSE(main_->isVisible());
  gadget.lblTitleClick();
  ASSERT_TRUE(page_->isVisible());
  EXPECT_EQ(page_->panelBody->currentWidget(), page_->panelMoney);
  EXPECT_TRUE(page_->hil3->isVisibleTo(page_));
  EXPECT_FALSE(page_->hil1->isVisibleTo(page_));
  main_->hide();
}

// The Home page refreshed every 50 ms while the clock plays a whole game day at Fast (the race checker
// build runs this too).
TEST_F(HomePageTest, RefreshingWhileTheClockPlaysADayNeitherBlocksNorRaces) {
  fill({});
  showHome();
  main_->Fast1->trigger();
#if defined(__SANITIZE_THREAD__)
  // The milestone popups of the day go to the trace: Qt paints a shown window on its own thread pool,
  // which the race checker cannot see into.
  frmMsgPopup = nullptr;
#endif
  int refills = 0;
  QObject scope;
  QObject::connect(page_->lstPortFolio->model(), &QAbstractItemModel::rowsInserted, &scope,
                   [&](const QModelIndex&, int first) { refills += first == 0 ? 1 : 0; });
  QTimer refresher;
  QObject::connect(&refresher, &QTimer::timeout, page_, &TfrmCwHome::showPage);
  refresher.start(50);

  const int ticksPerDay = 20 * Qorvex6::QorvexCore::STEPS_PER_CYCLE;
  for (int i = 0; i < ticksPerDay; ++i) {
    tickAndWait();
    if (HasFatalFailure()) return;
  }
  refresher.stop();
  EXPECT_EQ(db().daycount, 1);
  EXPECT_GT(refills, 10);
  EXPECT_FALSE(main_->isWritingData);
  EXPECT_TRUE(lockFreeForOthers(main_->gameLock()));

  page_->showPage();
  settle();
  EXPECT_EQ(page_->lstPortFolio->topLevelItemCount(), main_->core->getPortfolio().count());
  EXPECT_GT(page_->lstPortFolio->topLevelItemCount(), 0);
}

}  // namespace
