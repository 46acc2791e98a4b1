#include "f_Transfer.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <initializer_list>

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "Colors.h"
#include "NumberText.h"
#include "PageLook.h"
#include "SkinWidgets.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"

TfrmTransfer* frmTransfer = nullptr;

namespace {

constexpr std::uint32_t kFeeCovered = 3246661;  // red 69, green 138, blue 49
constexpr std::uint32_t kFeeShort = 3226245;    // red 133, green 58, blue 49
constexpr std::uint32_t kTitle = 0x7CD2F6;      // the header's gold
constexpr int kCaptionLeft = 34;
constexpr int kValueLeft = 200;

const char* const kAccounts[6] = {"Thai (THB)",      "London (GBP)",   "Japan (JPY)",
                                  "Singapore (SGD)", "New York (USD)", "Hongkong (HKD)"};

QComboBox* accountList(QWidget* parent, QRect at) {
  auto* list = new QComboBox(parent);
  for (const char* account : kAccounts)
    list->addItem(account);
  list->setGeometry(at);
  desk::dropDownLook(list, 16);
  return list;
}

}  // namespace

TfrmTransfer::TfrmTransfer(TfrmMain* main) : QDialog(main), main_(main) {
  imgBK = desk::shapedBackground(this, "frmTransfer_imgBK", desk::skinSize("frmTransfer_imgBK"));
  Image2 = desk::skinPicture(this, "frmTransfer_Image2", desk::spotOf(skins::kTransferIcon));
  lblTitle = desk::plainLabel(this, "Cash Transfer", QRect(70, 12, 360, 40), 28, kTitle, true);

  lblMsg = desk::plainLabel(this, "From:", QRect(kCaptionLeft, 78, 150, 28), 18, desk::kDialogText, true);
  Label1 =
      desk::plainLabel(this, "To Account:", QRect(kCaptionLeft, 112, 150, 28), 18, desk::kDialogText, true);
  selFrom = accountList(this, QRect(kValueLeft, 78, 220, 28));
  selTo = accountList(this, QRect(kValueLeft, 112, 220, 28));

  const char* const captions[3] = {"Amount :", "Plus fee charged :", "Amount received :"};
  QLabel** rows[3] = {&Label2, &Label3, &Label4};
  for (int i = 0; i < 3; ++i)
    *rows[i] = desk::plainLabel(this, captions[i], QRect(kCaptionLeft, 160 + i * 32, 160, 28), 17,
                                desk::kDialogText);
  lblAmount = new desk::MainPicture(this);
  lblAmount->setTextFormat(Qt::PlainText);
  lblAmount->setText("-Click to set-");
  lblAmount->setFont(desk::windowFont(17, true));
  desk::setTextColour(lblAmount, desk::fromTColor(0x2B7942));
  lblAmount->setGeometry(kValueLeft, 160, 220, 28);
  lblAmount->setCursor(Qt::PointingHandCursor);
  lblAmount->setFocusPolicy(Qt::StrongFocus);
  lblAmount->installEventFilter(this);
  lblPlusFee = desk::plainLabel(this, "--", QRect(kValueLeft, 192, 220, 28), 17, kFeeCovered, true);
  lblReceived = desk::plainLabel(this, "--", QRect(kValueLeft, 224, 220, 28), 17, 0x2B7942, true);

  Button1 = desk::pageButton(this, "Confirm", QRect(200, 278, 105, 32));
  Button2 = desk::pageButton(this, "Cancel", QRect(315, 278, 105, 32));

  lstAmount = new QListWidget(this);
  lstAmount->setGeometry(kValueLeft, 188, 220, 132);
  lstAmount->setFont(desk::windowFont(16));
  lstAmount->setStyleSheet(
      QString("QListWidget { color: %1; background: %2; border: 1px solid #286e6e; }"
              "QListWidget::item:selected { background: #286e6e; color: #faf4dc; }")
          .arg(desk::cssColour(desk::kDialogText), desk::cssColour(desk::kFieldBackground)));
  lstAmount->hide();
  lstAmount->installEventFilter(this);
  FormCreate();

  connect(lblAmount, &desk::MainPicture::clicked, this, &TfrmTransfer::lblAmountClick);
  connect(lstAmount, &QListWidget::itemClicked, this, &TfrmTransfer::lstAmountClick);
  connect(selFrom, &QComboBox::activated, this, &TfrmTransfer::selFromSelect);
  connect(selTo, &QComboBox::activated, this, &TfrmTransfer::selFromSelect);
  connect(Button1, &QPushButton::clicked, this, &TfrmTransfer::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TfrmTransfer::Button2Click);
}

TfrmTransfer::~TfrmTransfer() {
  if (frmTransfer == this) frmTransfer = nullptr;
}

double TfrmTransfer::amountOf(int entry) {
  if (entry < 0 || entry >= kAmountCount) return 0;
  return (entry % 9 + 1) * std::pow(10.0, entry / 9 + 2);
}

void TfrmTransfer::FormCreate() {
  for (int i = 0; i < kAmountCount; ++i)
    lstAmount->addItem(QString::fromStdString(platform::formatNumber("%0.0n", amountOf(i))));
}

bool TfrmTransfer::run() {
  if (main_ == nullptr || !main_->core) return false;
  for (int i = 0; i < 6; ++i)
    budgets[i] = main_->core->database->profile.budget[i];
  return exec() == kTransferred;
}

void TfrmTransfer::showEvent(QShowEvent* event) {
  desk::centreOnScreen(this);
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfrmTransfer::FormShow() {
  amount = 0;
  amountReceived = 0;
  amountPlusFee = 0;
  selFrom->setCurrentIndex(4);
  selTo->setCurrentIndex(0);
  lstAmount->hide();
  lstAmount->clearSelection();
  desk::setTextColour(lblPlusFee, desk::fromTColor(kFeeCovered));
  updatePreview();
}

void TfrmTransfer::lblAmountClick() {
  // The keys start from the amount chosen, or the first one.
  int entry = 0;
  for (int i = 0; i < kAmountCount; ++i)
    if (amountOf(i) == amount) entry = i;
  lstAmount->setCurrentRow(entry);
  lstAmount->show();
  lstAmount->raise();
  lstAmount->setFocus();
}

void TfrmTransfer::lstAmountClick() {
  const QList<QListWidgetItem*> chosen = lstAmount->selectedItems();
  amount = chosen.isEmpty() ? 0 : amountOf(lstAmount->row(chosen.first()));
  updatePreview();
  const bool hadFocus = lstAmount->hasFocus();
  lstAmount->hide();
  if (hadFocus) lblAmount->setFocus();
}

bool TfrmTransfer::eventFilter(QObject* watched, QEvent* event) {
  const auto isKey = [event](std::initializer_list<int> keys) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
  };
  if (watched == lblAmount) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
      QFont font = lblAmount->font();
      font.setUnderline(event->type() == QEvent::FocusIn);
      lblAmount->setFont(font);
    } else if (isKey({Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Down})) {
      lblAmountClick();
      return true;
    }
  } else if (watched == lstAmount) {
    if (event->type() == QEvent::FocusOut) {
      lstAmount->hide();
    } else if (isKey({Qt::Key_Return, Qt::Key_Enter})) {
      // Taken here, so the dialog's default button does not confirm at the same time.
      if (QListWidgetItem* item = lstAmount->currentItem()) item->setSelected(true);
      lstAmountClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmTransfer::selFromSelect() {
  updatePreview();
}

void TfrmTransfer::updatePreview() {
  if (main_ == nullptr || !main_->core) return;
  const Qorvex6::QorvexCore& core = *main_->core;
  const int f = selFrom->currentIndex();
  const int t = selTo->currentIndex();
  const Qorvex6::TransferQuote quote = core.quoteTransfer(amount, f, t);
  const bool allowed =
      f >= 0 && f < 6 && Qorvex6::QorvexCore::transferAllowed(amount, f, t, quote.debit, budgets[f]);
  if (amount == 0) {
    lblAmount->setText("-Click to set-");
    lblPlusFee->setText("--");
    lblReceived->setText("--");
    Button1->setEnabled(allowed);
    return;
  }
  amountPlusFee = quote.debit;
  amountReceived = quote.credit;
  lblAmount->setText(QString::fromStdString(core.formatMoney(amount, f, true)));
  lblPlusFee->setText(QString::fromStdString(core.formatMoney(amountPlusFee, f, true)));
  lblReceived->setText(QString::fromStdString(core.formatMoney(amountReceived, t, true)));
  desk::setTextColour(lblPlusFee, desk::fromTColor(allowed ? kFeeCovered : kFeeShort));
  Button1->setEnabled(allowed);
}

bool TfrmTransfer::refusedWhileProcessing() {
  if (main_ == nullptr || !main_->isProcessing) return false;
  if (frmMsgQuote != nullptr) frmMsgQuote->showQuote("PROCESSING: Please wait.");
  return true;
}

void TfrmTransfer::Button1Click() {
  if (refusedWhileProcessing() || main_ == nullptr || !main_->core) return;
  Qorvex6::QorvexCore& core = *main_->core;
  switch (core.transferMoney(amount, selFrom->currentIndex(), selTo->currentIndex())) {
    case Qorvex6::TransferResult::Transferred:
      done(kTransferred);
      break;
    case Qorvex6::TransferResult::Refused:
      // The budgets changed since the dialog opened: the preview shows what the live ones allow.
      for (int i = 0; i < 6; ++i)
        budgets[i] = core.database->profile.budget[i];
      updatePreview();
      break;
    case Qorvex6::TransferResult::Failed:
      // A popup cannot be dismissed while this dialog is modal: it is shown once the dialog is gone.
      done(kCancelled);
      if (frmMsgPopup != nullptr)
        frmMsgPopup->postPopup("TRANSFER FAILED", "The transfer could not be saved; nothing was moved.", 0);
      break;
  }
}

void TfrmTransfer::Button2Click() {
  if (refusedWhileProcessing()) return;
  done(kCancelled);
}

void TfrmTransfer::reject() {
  Button2Click();
}

void TfrmTransfer::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (isVisible()) Button2Click();
}
