// The cash-transfer dialog: moves money between two of the six currency accounts for a 0.1% fee.

#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class TfrmMain;

namespace desk {
class MainPicture;
}

class TfrmTransfer : public QDialog {
  Q_OBJECT

 public:
  // The modal result of a transfer made; Cancel gives kCancelled.
  static constexpr int kTransferred = 255;
  static constexpr int kCancelled = 2;
  static constexpr int kAmountCount = 45;

  explicit TfrmTransfer(TfrmMain* main);
  ~TfrmTransfer() override;

  // Runs the dialog modally over the player's current budgets; true when a transfer was made.
  bool run();
  // The amount entry i of the list stands for: (i mod 9 + 1) x 10^(i div 9 + 2).
  static double amountOf(int entry);

  double amount = 0;
  double amountReceived = 0;
  double amountPlusFee = 0;
  // The caller's copy of the six budgets (market-index order); only enables Confirm.
  double budgets[6] = {};

  QLabel* imgBK;
  QLabel* Image2;
  QLabel* lblTitle;
  QLabel* lblMsg;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QComboBox* selFrom;
  QComboBox* selTo;
  desk::MainPicture* lblAmount;
  QLabel* lblPlusFee;
  QLabel* lblReceived;
  QListWidget* lstAmount;
  QPushButton* Button1;
  QPushButton* Button2;

 public slots:
  void FormShow();
  void lblAmountClick();
  void lstAmountClick();
  void selFromSelect();
  void updatePreview();
  void Button1Click();
  void Button2Click();
  // Esc runs Cancel, refusal included.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // The keyboard on the amount and its list; the list closes when it loses the focus.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  // The refusal while a tick runs; true when refused.
  bool refusedWhileProcessing();

  TfrmMain* main_;
};

extern TfrmTransfer* frmTransfer;
