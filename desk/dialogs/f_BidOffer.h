// The order-entry dialog of the Market page: five candidate prices around the stock's price, a quantity
// and a multiplier; the amount and quantity with their warning colours; Submit checks the budget (bid) or
// the holding (offer) and queues the order. Nothing is paid or delivered here.

#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class TfrmBidOffer : public QDialog {
  Q_OBJECT

 public:
  static constexpr int MODE_BID = 1;
  static constexpr int MODE_OFFER = 2;

  explicit TfrmBidOffer(QWidget* parent = nullptr);
  ~TfrmBidOffer() override;

  // The multiplier of a selMulp item index: 1, 100, 1000, 1000000.
  static double multiplierOf(int index);
  // The text a price step is listed with.
  static QString stepText(float step);

  std::string symbol;
  int marketIndex = 0;
  int mode = MODE_BID;
  float avgBuyPrice = 0;
  std::vector<float> priceSteps;

  QLabel* Image1;
  QLabel* lblTitle;
  QComboBox* selPrice;
  QComboBox* selQty;
  QComboBox* selMulp;
  QLabel* lblPortInfo;
  QLabel* lblQty;
  QLabel* lblAmount;
  QLabel* lblWarning;
  QPushButton* Button1;
  QPushButton* Button2;

 public slots:
  void FormShow();
  void selPriceClick();
  void selQtyClick();
  void selMulpClick();
  void updateQtyLabel();
  void updateSubTotal();
  void Button1Click();
  void Button2Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The quantity the boxes give: the selected count times the multiplier.
  double quantity() const;
  // The selected price step; 0 without one.
  float selectedStep() const;
  // Checks and queues the order; the reason when it was refused, empty when it was queued.
  QString submit();
  // Refuses a selection while the tick master writes; true when refused.
  bool refusedWhileWriting();
  // Clears a refusal of Submit once a choice it depends on changed (the price only for the budget).
  void clearRefusal(bool priceChanged);

  // What the warning of the last refused Submit is about.
  enum class Refusal { None, Budget, Holding };
  Refusal refusal_ = Refusal::None;
};

extern TfrmBidOffer* frmBidOffer;
