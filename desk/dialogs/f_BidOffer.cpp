#include "f_BidOffer.h"

#include <exception>
#include <mutex>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "Colors.h"
#include "JpegLoader.h"
#include "NumberText.h"
#include "Qorvex6class.h"
#include "SkinWidgets.h"
#include "TradeMoney.h"
#include "f_Main.h"
#include "f_MsgQuote.h"

TfrmBidOffer* frmBidOffer = nullptr;

namespace {

using desk::fromTColor;
using desk::windowFont;

const QColor kNormal = fromTColor(desk::kMessageText);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
constexpr int kQuantities = 98;

QLabel* dialogLabel(QWidget* parent, const QString& caption, QRect at, int pixels, bool bold = false) {
  auto* label = new QLabel(caption, parent);
  label->setTextFormat(Qt::PlainText);
  label->setFont(windowFont(pixels, bold));
  desk::setTextColour(label, kNormal);
  label->setGeometry(at);
  return label;
}

QComboBox* choice(QWidget* parent, QRect at) {
  auto* box = new QComboBox(parent);
  box->setEditable(false);
  box->setFont(windowFont(15));
  box->setGeometry(at);
  return box;
}

QPushButton* dialogButton(QWidget* parent, const QString& caption, QRect at) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(at);
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setFont(windowFont(15, true));
  button->setCursor(Qt::PointingHandCursor);
  button->setStyleSheet(
      QString("QPushButton { color: %1; background: %2; border: 1px solid %3; border-radius: 4px; }"
              "QPushButton:hover { background: #c8e27a; }")
          .arg(desk::cssColour(desk::kDialogText), desk::cssColour(desk::kInboxFill),
               desk::cssColour(desk::kFrameGreen)));
  return button;
}

}  // namespace

TfrmBidOffer::TfrmBidOffer(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setWindowTitle("Qorvex");
  setModal(true);
  const QImage picture = desk::skin("frmBidOffer_Image1");
  const QSize size = picture.isNull() ? QSize(400, 300) : picture.size();
  setFixedSize(size);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, kNormal);
  setPalette(palette);
  Image1 = new QLabel(this);
  Image1->setGeometry(QRect(QPoint(0, 0), size));
  Image1->setPixmap(QPixmap::fromImage(picture));

  lblTitle = dialogLabel(this, "BID for DDDDD", QRect(18, 8, 364, 30), 21, true);
  desk::setTextColour(lblTitle, QColor(244, 238, 218));
  dialogLabel(this, "Price", QRect(30, 62, 90, 26), 16);
  selPrice = choice(this, QRect(130, 60, 150, 28));
  dialogLabel(this, "Quantity", QRect(30, 98, 90, 26), 16);
  selQty = choice(this, QRect(130, 96, 70, 28));
  selMulp = choice(this, QRect(210, 96, 80, 28));
  selMulp->addItems({"x 1", "x 100", "x 1K", "x 1M"});
  lblPortInfo = dialogLabel(this, "PORT", QRect(30, 134, 350, 22), 14);
  lblQty = dialogLabel(this, "dddd", QRect(30, 160, 350, 24), 16, true);
  lblAmount = dialogLabel(this, "Amount : SSSS", QRect(30, 186, 350, 24), 16, true);
  lblWarning = dialogLabel(this, "WARNING", QRect(30, 212, 350, 22), 15, true);
  desk::setTextColour(lblWarning, kRed);
  Button1 = dialogButton(this, "Submit", QRect(196, 256, 90, 30));
  Button2 = dialogButton(this, "Cancel", QRect(294, 256, 90, 30));

  connect(selPrice, &QComboBox::activated, this, &TfrmBidOffer::selPriceClick);
  connect(selQty, &QComboBox::activated, this, &TfrmBidOffer::selQtyClick);
  connect(selMulp, &QComboBox::activated, this, &TfrmBidOffer::selMulpClick);
  connect(Button1, &QPushButton::clicked, this, &TfrmBidOffer::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TfrmBidOffer::Button2Click);
}

TfrmBidOffer::~TfrmBidOffer() {
  if (frmBidOffer == this) frmBidOffer = nullptr;
}

double TfrmBidOffer::multiplierOf(int index) {
  switch (index) {
    case 1:
      return 100;
    case 2:
      return 1000;
    case 3:
      return 1000000;
    default:
      return 1;
  }
}

QString TfrmBidOffer::stepText(float step) {
  return QString::fromStdString(platform::formatNumber(
      Qorvex6::listedPriceDecimals(step) == 5 ? "%0.5f" : "%0.3f", Qorvex6::listedPrice(step)));
}

void TfrmBidOffer::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    desk::centreOnScreen(this);
    FormShow();
  }
  QDialog::showEvent(event);
}

void TfrmBidOffer::FormShow() {
  refusal_ = Refusal::None;
  priceSteps.clear();
  selPrice->clear();
  lblPortInfo->clear();
  if (frmMain != nullptr && frmMain->core) {
    Qorvex6::QorvexCore& core = *frmMain->core;
    std::lock_guard lock(frmMain->gameLock());
    try {
      const Qorvex6::qxStockInfo stock = core.getStockInfo(symbol);
      marketIndex = Qorvex6::marketIndexOf(stock.marketTitle);
      const Qorvex6::qxShare share = core.getShare(symbol);
      if (share.vol > 0)
        lblPortInfo->setText(QString::fromStdString(platform::formatNumber("%0.0n", share.vol)) +
                             " shares in your port. (Avg " +
                             QString::fromStdString(core.formatMoney(share.avg_price, marketIndex, false)) +
                             ")");
      // A stock without a price today is priced at its close: a step of 0 would buy for nothing.
      const float price = Qorvex6::QorvexCore::getPrice(stock);
      priceSteps = mode == MODE_BID ? Qorvex6::QorvexCore::getPriceStepsAbove(price)
                                    : Qorvex6::QorvexCore::getPriceStepsBelow(price);
    } catch (const std::exception& e) {
      lblWarning->setText("The stock could not be read.");
      qWarning("bid/offer dialog: %s", e.what());
    }
  }
  for (const float step : priceSteps)
    selPrice->addItem(stepText(step));
  selQty->clear();
  for (int i = 1; i <= kQuantities; ++i)
    selQty->addItem(QString::number(i));
  selPrice->setCurrentIndex(selPrice->count() > 0 ? 0 : -1);
  selQty->setCurrentIndex(0);
  selMulp->setCurrentIndex(0);
  updateSubTotal();
  updateQtyLabel();
}

double TfrmBidOffer::quantity() const {
  return static_cast<double>(selQty->currentIndex() + 1) * multiplierOf(selMulp->currentIndex());
}

float TfrmBidOffer::selectedStep() const {
  const int index = selPrice->currentIndex();
  return index >= 0 && index < static_cast<int>(priceSteps.size())
             ? priceSteps[static_cast<std::size_t>(index)]
             : 0.0f;
}

bool TfrmBidOffer::refusedWhileWriting() {
  if (frmMain == nullptr || !frmMain->isWritingData) return false;
  if (frmMsgQuote != nullptr) frmMsgQuote->showQuote("WRITING DATA: Please wait.");
  return true;
}

void TfrmBidOffer::clearRefusal(bool priceChanged) {
  if (refusal_ == Refusal::None || (priceChanged && refusal_ != Refusal::Budget)) return;
  refusal_ = Refusal::None;
  lblWarning->clear();
}

void TfrmBidOffer::selPriceClick() {
  if (refusedWhileWriting()) return;
  clearRefusal(true);
  updateSubTotal();
}

void TfrmBidOffer::selQtyClick() {
  if (refusedWhileWriting()) return;
  clearRefusal(false);
  updateSubTotal();
  updateQtyLabel();
}

void TfrmBidOffer::selMulpClick() {
  selQtyClick();
}

void TfrmBidOffer::updateQtyLabel() {
  const double q = quantity();
  lblQty->setText(QString::fromStdString(platform::formatNumber("QTY : %0.0n", q)));
  QColor colour = kNormal;
  if (mode == MODE_OFFER && frmMain != nullptr && frmMain->core && frmMain->core->getHeldVolume(symbol) < q)
    colour = kRed;
  desk::setTextColour(lblQty, colour);
  updateSubTotal();
}

void TfrmBidOffer::updateSubTotal() {
  if (frmMain == nullptr || !frmMain->core) return;
  const Qorvex6::QorvexCore& core = *frmMain->core;
  const float p = selectedStep();
  const double t = Qorvex6::tradeAmount(p, quantity());
  lblAmount->setText("Sub Total : " + QString::fromStdString(core.formatMoney(t, marketIndex, false)));
  QColor colour = kNormal;
  if (mode == MODE_BID && marketIndex >= 0 && marketIndex < 6 &&
      core.database->profile.budget[marketIndex] < t)
    colour = kRed;
  if (mode == MODE_OFFER) colour = avgBuyPrice < p ? kGreen : kRed;
  desk::setTextColour(lblAmount, colour);
}

void TfrmBidOffer::Button1Click() {
  if (frmMain == nullptr || !frmMain->core) return;
  if (frmMain->isProcessing) {
    if (frmMsgQuote != nullptr) frmMsgQuote->showQuote("PROCESSING: Please wait.");
    return;
  }
  QString refusal;
  refusal_ = Refusal::None;
  try {
    refusal = submit();
  } catch (const std::exception& e) {
    qWarning("placing an order: %s", e.what());
    refusal = "The order could not be placed.";
  }
  if (refusal.isEmpty())
    accept();
  else
    lblWarning->setText(refusal);
}

QString TfrmBidOffer::submit() {
  Qorvex6::QorvexCore& core = *frmMain->core;
  const float price = selectedStep();
  const double qty = quantity();
  if (marketIndex < 0 || marketIndex > 5 || !(price > 0)) return "The order could not be placed.";
  std::string marketTitle;
  Qorvex6::marketTitleOf(marketTitle, marketIndex);
  if (mode == MODE_BID) {
    if (Qorvex6::tradeAmount(price, qty) > core.database->profile.budget[marketIndex]) {
      refusal_ = Refusal::Budget;
      return "Not enough budget";
    }
  } else if (core.getHeldVolume(symbol) < qty) {
    refusal_ = Refusal::Holding;
    return "Not enough stock to offer";
  }
  if (!core.placeOrder(mode == MODE_BID, symbol, marketTitle, price, static_cast<float>(qty)))
    return "The order could not be placed.";
  return {};
}

void TfrmBidOffer::Button2Click() {
  reject();
}
