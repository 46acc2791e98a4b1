#include "f_CWShop.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <optional>

#include <QPainter>

#include "JpegLoader.h"
#include "NumberText.h"
#include "PageWidgets.h"
#include "SkinWidgets.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"

TfrmCwShop* frmCwShop = nullptr;

namespace {

constexpr std::uint32_t kValueColour = 0x2B7942;
constexpr std::uint32_t kTitleColour = 0x113127;

// The design size's places.
constexpr int kLeft = 10;
constexpr int kTopTop = 6;
constexpr int kTopHeight = 76;
constexpr int kBodyTop = 90;
constexpr int kStoreLeft = 3;
constexpr int kStoreTop = 3;
constexpr int kSlotLeft = 24;
constexpr int kSlotTop = 16;
constexpr int kSlotWidth = 140;
constexpr int kSlotHeight = 196;
constexpr int kSlotStepX = 158;
constexpr int kSlotStepY = 212;
constexpr int kPicture = 105;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 24;

QPoint slotPlace(int n) {
  return {kSlotLeft + (n % 5) * kSlotStepX, kSlotTop + (n / 5) * kSlotStepY};
}

// The products of a category as the database yields them; none when the read fails.
std::optional<Qorvex6::pList<Qorvex6::qxProductInfo>> readProducts(TfrmMain& main, int category) {
  try {
    std::lock_guard lock(main.gameLock());
    return main.core->getProducts(category);
  } catch (const std::exception& e) {
    qWarning("reading the shop's products: %s", e.what());
    return std::nullopt;
  }
}

}  // namespace

TfrmCwShop::TfrmCwShop(TfrmMain* main) : QWidget(main, Qt::FramelessWindowHint), main_(main) {
  resize(1007, 701);
  setFont(desk::windowFont(15));
  for (int i = 0; i < kProductCount; ++i)
    imlProduct[i] = QPixmap::fromImage(desk::skin(QString("imlProduct_%1").arg(i)));
  buildHeader();
  buildStore();
  FormResize();
  hide();

  if (main_ != nullptr)
    connect(main_, &TfrmMain::pageChanged, this, [this](int page) {
      if (page != TfrmMain::PAGE_SHOP) hide();
    });
}

TfrmCwShop::~TfrmCwShop() {
  if (frmCwShop == this) frmCwShop = nullptr;
}

void TfrmCwShop::buildHeader() {
  panelTop = new QWidget(this);
  panelTop->setObjectName("panelTop");
  desk::panelLook(panelTop, 200);
  panelTop->setGeometry(kLeft, kTopTop, 977, kTopHeight);

  const char* const names[3] = {"submnuCar", "submnuAsset", "submnuJew"};
  desk::MainPicture** entries[3] = {&submnuCar, &submnuAsset, &submnuJew};
  desk::MainPicture** highlights[3] = {&hil1, &hil2, &hil3};
  for (int i = 0; i < 3; ++i) {
    const QPoint at(12 + i * 160, (kTopHeight - 40) / 2);
    *entries[i] = new desk::MainPicture(panelTop, QString("frmCwShop_") + names[i]);
    (*entries[i])->setObjectName(names[i]);
    *highlights[i] = new desk::MainPicture(panelTop, QString("frmCwShop_hil%1").arg(i + 1));
    (*highlights[i])->setObjectName(QString("hil%1").arg(i + 1));
    for (desk::MainPicture* picture : {*entries[i], *highlights[i]}) {
      picture->move(at);
      if (picture->pixmap().isNull()) picture->resize(150, 40);
    }
    (*entries[i])->setCursor(Qt::PointingHandCursor);
    desk::MainPicture* entry = *entries[i];
    connect(entry, &desk::MainPicture::clicked, this, [this, entry] { cateVehicleClick(entry); });
    (*highlights[i])->setVisible(i == 0);
  }
  lblBudget = desk::plainLabel(panelTop, QString(), QRect(500, (kTopHeight - 32) / 2, 460, 32), 22,
                               kTitleColour, true);
  lblBudget->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmCwShop::buildStore() {
  panelBody = new QWidget(this);
  panelBody->setObjectName("panelBody");
  desk::panelLook(panelBody, 225);
  panelBody->setGeometry(kLeft, kBodyTop, 977, 531);
  panelStore = new QWidget(panelBody);
  panelStore->setGeometry(kStoreLeft, kStoreTop, 970, 524);

  for (int n = 0; n < kSlots; ++n) {
    const QPoint at = slotPlace(n);
    Shape[n] = desk::slotFrame(panelStore, QRect(at, QSize(kSlotWidth, kSlotHeight)));
    product[n] = new QLabel(panelStore);
    product[n]->setGeometry(at.x() + (kSlotWidth - kPicture) / 2, at.y() + 6, kPicture, kPicture);
    bitmaps_[n] = QPixmap(kPicture, kPicture);
    Label[n] = desk::plainLabel(panelStore, QString(), QRect(at.x() + 4, at.y() + 116, kSlotWidth - 8, 42),
                                15, kValueColour);
    Label[n]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The second row's buttons belong to the page; placeOuterButtons puts them over their slots.
    QWidget* owner = n < 5 ? panelStore : static_cast<QWidget*>(this);
    buy[n] = desk::pageButton(owner, "buy",
                              QRect(at.x() + (kSlotWidth - kButtonWidth) / 2, at.y() + kSlotHeight - 32,
                                    kButtonWidth, kButtonHeight));
    connect(buy[n], &QPushButton::clicked, this, [this, n] { buyClick(n + 1); });
    for (QWidget* w : {static_cast<QWidget*>(Shape[n]), static_cast<QWidget*>(product[n]),
                       static_cast<QWidget*>(Label[n]), static_cast<QWidget*>(buy[n])})
      w->hide();
  }
  placeOuterButtons();
}

void TfrmCwShop::placeOuterButtons() {
  const QPoint store = panelBody->pos() + panelStore->pos();
  for (int n = 5; n < kSlots; ++n) {
    const QPoint at = store + slotPlace(n);
    buy[n]->move(at.x() + (kSlotWidth - kButtonWidth) / 2, at.y() + kSlotHeight - 32);
    buy[n]->raise();
  }
}

// --- Showing ------------------------------------------------------------------------------------------

void TfrmCwShop::showPage() {
  if (main_ == nullptr) return;
  renderPage();
  main_->placePage(this);
}

void TfrmCwShop::renderPage() {
  if (main_ == nullptr || !main_->core) return;
  if (main_->isWritingData) {
    note("WRITING DATA: Please wait.");
    return;
  }
  const auto products = readProducts(*main_, categoryCode);
  if (!products) return;

  for (int n = 0; n < kSlots; ++n) {
    QPainter blank(&bitmaps_[n]);
    blank.fillRect(QRect(0, 0, kPicture, kPicture), Qt::white);
    blank.end();
    product[n]->setPixmap(bitmaps_[n]);
    for (QWidget* w : {static_cast<QWidget*>(product[n]), static_cast<QWidget*>(Label[n]),
                       static_cast<QWidget*>(buy[n]), static_cast<QWidget*>(Shape[n])})
      w->hide();
  }
  const int shown = std::min(kSlots, products->count());
  for (int n = 0; n < shown; ++n) {
    const Qorvex6::qxProductInfo& p = products->items[static_cast<std::size_t>(n)];
    Label[n]->setText(QString::fromUtf8(p.brandserie) + "\n" +
                      QString::fromStdString(platform::formatNumber("$ %0.0n", p.saleprice)));
    if (p.ID >= 0 && p.ID < kProductCount) {
      QPainter picture(&bitmaps_[n]);
      picture.drawPixmap(0, 0, imlProduct[static_cast<std::size_t>(p.ID)]);
    }
    product[n]->setPixmap(bitmaps_[n]);
    for (QWidget* w : {static_cast<QWidget*>(product[n]), static_cast<QWidget*>(Label[n]),
                       static_cast<QWidget*>(buy[n]), static_cast<QWidget*>(Shape[n])})
      w->show();
  }
  lblBudget->setText("US Budget : " + QString::fromStdString(main_->core->formatMoney(
                                          main_->core->database->profile.budget[4], 4, false)));
}

// --- Buying -------------------------------------------------------------------------------------------

void TfrmCwShop::cateVehicleClick(QObject* sender) {
  const QObject* const entries[3] = {submnuCar, submnuAsset, submnuJew};
  const int codes[3] = {kVehicles, kAssets, kJewellery};
  desk::MainPicture* const highlights[3] = {hil1, hil2, hil3};
  const auto chosen = std::find(std::begin(entries), std::end(entries), sender);
  if (sender == nullptr || chosen == std::end(entries)) return;
  const auto index = static_cast<std::size_t>(chosen - std::begin(entries));
  categoryCode = codes[index];
  for (std::size_t i = 0; i < 3; ++i)
    highlights[i]->setVisible(i == index);
  highlights[index]->raise();
  renderPage();
}

void TfrmCwShop::buyClick(int k) {
  if (main_ == nullptr || !main_->core) return;
  if (main_->isProcessing) {
    note("PROCESSING: Please wait.");
    return;
  }
  buyItem(k - 1);
}

void TfrmCwShop::buyItem(int slot) {
  if (main_ == nullptr || !main_->core) return;
  const auto products = readProducts(*main_, categoryCode);
  if (!products) return;
  const bool inList = slot >= 0 && slot < std::min(kSlots, products->count());
  const Qorvex6::qxProductInfo p =
      inList ? products->items[static_cast<std::size_t>(slot)] : Qorvex6::qxProductInfo{};
  const Qorvex6::Purchase purchase = main_->core->buyProduct(inList ? &p : nullptr);
  switch (purchase.outcome) {
    case Qorvex6::Purchase::TooMany:
      popup("DENIED",
            "You cannot buy more than 10 stuffs. If you want to buy this item, try selling the unwanted item "
            "from "
            "'Life' page in 'Home' menu.");
      return;
    case Qorvex6::Purchase::NoProduct:
      return;
    case Qorvex6::Purchase::TooExpensive:
      popup("TOO EXPENSIVE",
            QString::fromStdString(platform::formatNumber(
                "You cannot afford to buy this stuff because you have only $ %0.0n in your account.",
                purchase.budget)));
      return;
    case Qorvex6::Purchase::Failed:
      popup("BUY FAILED", "The purchase could not be saved; nothing was bought.");
      renderPage();
      return;
    case Qorvex6::Purchase::Bought:
      popup("BUY COMPLETED", "You bought " + QString::fromUtf8(p.brandname) + " " +
                                 QString::fromUtf8(p.brandserie) + " for " +
                                 QString::fromStdString(platform::formatNumber("$ %0.0n.", p.saleprice)));
      main_->updateClock(false, false);
      renderPage();
      return;
  }
}

// --- Layout and painting ------------------------------------------------------------------------------

void TfrmCwShop::FormResize() {
  const int w = width();
  const int h = height();
  panelTop->resize(w - panelTop->x() - 20, panelTop->height());
  panelBody->resize(w - panelTop->x() - 20, h - panelBody->y() - 80);
  panelStore->resize(w - panelStore->x() - 12, panelBody->height() - 7);
  lblBudget->move(panelTop->width() - lblBudget->width() - 16, lblBudget->y());
  placeOuterButtons();
}

void TfrmCwShop::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TfrmCwShop::paintEvent(QPaintEvent*) {
  background_.paint(this);
}

void TfrmCwShop::popup(const QString& title, const QString& text) {
  if (frmMsgPopup != nullptr) frmMsgPopup->showPopup(title, text, 0);
}

void TfrmCwShop::note(const QString& text) {
  if (frmMsgQuote != nullptr) frmMsgQuote->showQuote(text);
}
