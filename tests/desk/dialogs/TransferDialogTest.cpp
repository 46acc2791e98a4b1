#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "GameWindowTest.h"
#include "f_CWHome.h"
#include "f_Transfer.h"

namespace {

constexpr int THB = 0;
constexpr int GBP = 1;
constexpr int USD = 4;
constexpr int k1000 = 9;  // the amount list's entry of 1,000

class TransferDialogTest : public GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    dialog_ = new TfrmTransfer(main_.get());  // freed with the main window
  }

  double diskBudget(const char* column) {
    return onDisk(std::string("SELECT ") + column + " FROM profile").at(0, 0).asFloat();
  }
  void choose(int entry) {
    dialog_->lstAmount->setCurrentRow(entry);
    dialog_->lstAmountClick();
  }
  void select(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  // Opens the dialog over the live budgets without a nested event loop.
  void open() {
    for (int i = 0; i < 6; ++i)
      dialog_->budgets[i] = db().profile.budget[i];
    dialog_->show();
  }
  std::string preview() const {
    return (dialog_->lblAmount->text() + " | " + dialog_->lblPlusFee->text() + " | " +
            dialog_->lblReceived->text())
        .toStdString();
  }
  QColor feeColour() const { return dialog_->lblPlusFee->palette().color(QPalette::WindowText); }

  TfrmTransfer* dialog_ = nullptr;
};

TEST(TransferAmounts, FortyFiveEntriesFromOneHundredToNineMillion) {
  const std::pair<int, double> entries[] = {{0, 100},   {8, 900},      {9, 1000},
                                            {17, 9000}, {44, 9000000}, {45, 0}};
  for (const auto& [entry, amount] : entries)
    EXPECT_EQ(TfrmTransfer::amountOf(entry), amount) << entry;
}

TEST_F(TransferDialogTest, PreviewShowsFeeAndReceivedAndEnablesConfirm) {
  open();
  EXPECT_EQ(dialog_->lstAmount->count(), 45);
  EXPECT_EQ(dialog_->lstAmount->item(44)->text(), "9,000,000") << "grouped whatever the locale";
  EXPECT_EQ(dialog_->selFrom->currentText(), "New York (USD)");
  EXPECT_EQ(dialog_->selTo->currentText(), "Thai (THB)");
  EXPECT_EQ(preview(), "-Click to set- | -- | --");
  EXPECT_FALSE(dialog_->Button1->isEnabled()) << "no amount chosen yet";

  choose(k1000);
  EXPECT_FALSE(dialog_->lstAmount->isVisible());
  EXPECT_EQ(preview(), "USD 1,000 | USD 1,001 | THB 31,000");
  EXPECT_EQ(feeColour(), QColor(69, 138, 49));
  EXPECT_TRUE(dialog_->Button1->isEnabled());

  select(dialog_->selTo, USD);
  EXPECT_FALSE(dialog_->Button1->isEnabled()) << "the same account";
  select(dialog_->selTo, THB);

  struct Case {
    int entry;
    double budget;
    bool enabled;
  } cases[] = {{k1000, 1001, false}, {k1000, 1001.01, true}, {2, 300.3, false}, {2, 300.31, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.budget));
    dialog_->budgets[USD] = c.budget;
    choose(c.entry);
    EXPECT_EQ(dialog_->Button1->isEnabled(), c.enabled);
    EXPECT_EQ(feeColour(), c.enabled ? QColor(69, 138, 49) : QColor(133, 58, 49));
  }
}

TEST_F(TransferDialogTest, ConfirmMovesTheMoneyAndReopeningStartsEmpty) {
  const double thb = db().profile.budget[THB];
  bool transferred = false;
  QTimer::singleShot(0, [&] {
    choose(k1000);
    QTest::mouseClick(dialog_->Button1, Qt::LeftButton);
  });
  transferred = dialog_->run();
  EXPECT_TRUE(transferred);
  EXPECT_EQ(dialog_->result(), TfrmTransfer::kTransferred);
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 3499);
  EXPECT_DOUBLE_EQ(db().profile.budget[THB], thb + 31000);
  EXPECT_DOUBLE_EQ(diskBudget("budget_USD"), 3499);
  EXPECT_DOUBLE_EQ(diskBudget("budget_THB"), thb + 31000);
  EXPECT_EQ(dialog_->budgets[USD], 4500) << "the copy was made when the dialog opened";

  std::string shown;
  bool enabled = false;
  QTimer::singleShot(0, [&] {
    shown = preview() + " | " +
            (dialog_->selFrom->currentText() + " > " + dialog_->selTo->currentText()).toStdString();
    enabled = dialog_->Button1->isEnabled();
    dialog_->Button2Click();
  });
  EXPECT_FALSE(dialog_->run());
  EXPECT_EQ(shown, "-Click to set- | -- | -- | New York (USD) > Thai (THB)");
  EXPECT_EQ(dialog_->budgets[USD], 3499);
  EXPECT_FALSE(enabled);
  EXPECT_EQ(dialog_->amount, 0);
}

TEST_F(TransferDialogTest, ConfirmWithoutAnAmountTransfersNothing) {
  const double thb = db().profile.budget[THB];
  open();
  dialog_->Button1Click();
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_NE(dialog_->result(), TfrmTransfer::kTransferred);
  EXPECT_FALSE(dialog_->Button1->isEnabled());
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 4500);
  EXPECT_DOUBLE_EQ(db().profile.budget[THB], thb);
}

// Tab to the amount, open its list, walk it with the arrows and take an entry with Enter, which does
// not confirm as well; a list left open closes when the focus moves on.
TEST_F(TransferDialogTest, TheAmountIsChosenWithTheKeyboard) {
  open();
  dialog_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_));
  dialog_->selTo->setFocus();
  QTest::keyClick(dialog_->selTo, Qt::Key_Tab);
  ASSERT_TRUE(dialog_->lblAmount->hasFocus());
  QTest::keyClick(dialog_->lblAmount, Qt::Key_Down);
  ASSERT_TRUE(dialog_->lstAmount->isVisible());
  EXPECT_TRUE(dialog_->lstAmount->hasFocus());
  for (int i = 0; i < k1000; ++i)
    QTest::keyClick(dialog_->lstAmount, Qt::Key_Down);
  QTest::keyClick(dialog_->lstAmount, Qt::Key_Return);
  EXPECT_FALSE(dialog_->lstAmount->isVisible());
  EXPECT_EQ(dialog_->amount, 1000);
  EXPECT_EQ(preview(), "USD 1,000 | USD 1,001 | THB 31,000");
  EXPECT_TRUE(dialog_->isVisible()) << "Enter chose the amount and confirmed nothing";
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 4500);
  EXPECT_TRUE(dialog_->Button1->isEnabled());
  EXPECT_TRUE(dialog_->lblAmount->hasFocus());

  // Opened again, the list starts on the amount chosen; Up and Enter take the one before it.
  QTest::keyClick(dialog_->lblAmount, Qt::Key_Return);
  ASSERT_TRUE(dialog_->lstAmount->isVisible());
  QTest::keyClick(dialog_->lstAmount, Qt::Key_Up);
  QTest::keyClick(dialog_->lstAmount, Qt::Key_Enter);
  EXPECT_EQ(dialog_->amount, 900);

  dialog_->lblAmountClick();
  ASSERT_TRUE(dialog_->lstAmount->isVisible());
  dialog_->Button2->setFocus();
  EXPECT_FALSE(dialog_->lstAmount->isVisible()) << "nothing left covering Confirm and Cancel";
  EXPECT_EQ(dialog_->amount, 900);
}

TEST_F(TransferDialogTest, ConfirmChecksTheLiveBudget) {
  open();
  choose(k1000);
  ASSERT_TRUE(dialog_->Button1->isEnabled());
  db().profile.budget[USD] = 1000;  // spent since the dialog opened
  dialog_->Button1Click();
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_FALSE(dialog_->Button1->isEnabled());
  EXPECT_EQ(feeColour(), QColor(133, 58, 49));
  EXPECT_EQ(db().profile.budget[USD], 1000);
  EXPECT_EQ(diskBudget("budget_USD"), 4500);
}

TEST_F(TransferDialogTest, EveryWayOutIsRefusedWhileATickRuns) {
  open();
  choose(k1000);
  main_->isProcessing = true;
  const std::function<void()> ways[] = {
      [&] { dialog_->Button1Click(); },
      [&] { dialog_->Button2Click(); },
      [&] { QTest::keyClick(dialog_, Qt::Key_Escape); },
      [&] { dialog_->close(); },
  };
  for (std::size_t i = 0; i < std::size(ways); ++i) {
    SCOPED_TRACE(i);
    quote_->hide();
    ways[i]();
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_TRUE(quote_->isVisible());
    EXPECT_EQ(quote_->lblMsg->text(), "PROCESSING: Please wait.");
  }
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 4500);

  main_->isProcessing = false;
  QTest::keyClick(dialog_, Qt::Key_Escape);
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(dialog_->result(), TfrmTransfer::kCancelled);
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 4500);
}

TEST_F(TransferDialogTest, AFailedWriteMovesNothingAndSaysSo) {
  db().connection->executeScript(
      "CREATE TRIGGER locked BEFORE UPDATE ON profile BEGIN SELECT RAISE(ABORT, 'locked'); END;");
  open();
  choose(k1000);
  dialog_->Button1Click();
  EXPECT_NE(dialog_->result(), TfrmTransfer::kTransferred);
  EXPECT_FALSE(dialog_->isVisible()) << "closed, so the popup can be dismissed";
  EXPECT_DOUBLE_EQ(db().profile.budget[USD], 4500);
  EXPECT_DOUBLE_EQ(diskBudget("budget_USD"), 4500);
  QCoreApplication::processEvents();
  EXPECT_EQ(popupText(), "TRANSFER FAILED|The transfer could not be saved; nothing was moved.");
}

// The Home page's transfer button: the completion popup comes after the milestone popups it caused.
TEST_F(TransferDialogTest, TheCompletionPopupLandsAfterTheAwards) {
  TfrmCwHome home(main_.get());
  home.runTransfer = [this] { return dialog_->run(); };
  db().profile.budget[GBP] = 1e8;  // 9,000,000 GBP are worth over USD 14,000,000
  QTimer::singleShot(0, [&] {
    select(dialog_->selFrom, GBP);
    select(dialog_->selTo, USD);
    choose(44);
    dialog_->Button1Click();
  });
  home.Button1Click();
  QCoreApplication::processEvents();
  EXPECT_TRUE(main_->core->isMilestonePassed(4));
  EXPECT_TRUE(main_->core->isMilestonePassed(5));
  EXPECT_EQ(popupText(), "Transaction Completed|You money transfer is completed, check you account balance.");
}

}  // namespace
