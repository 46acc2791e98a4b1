// The Market page's handlers: sub-pages, selectors, the stock table, the rankings, the trade check and the
// order buttons, the wishlist toggle and the links.

#include <exception>
#include <mutex>

#include <QCheckBox>

#include "ClockHold.h"
#include "ListSort.h"
#include "Qorvex6class.h"
#include "SkinWidgets.h"
#include "f_BidOffer.h"
#include "f_CWMarket.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"
#include "qx_RefreshDisp.h"

namespace {

constexpr const char* kWriting = "WRITING DATA: Please wait.";
constexpr const char* kProcessing = "PROCESSING: Please wait.";
constexpr const char* kArticleHost = "https://en.wikipedia.org";

}  // namespace

void TfrmCwMarket::showPage() {
  if (main_ != nullptr) main_->placePage(this);
}

void TfrmCwMarket::requestRefresh(bool full) {
  if (main_ == nullptr) return;
  if (main_->isWritingData) {
    note(kWriting);
    return;
  }
  main_->updateBudgetHeader();
  qxRefreshDisp::request(full);
}

// --- Sub-pages ----------------------------------------------------------------------------------------

void TfrmCwMarket::selectSubPage(int index) {
  desk::MainPicture* const highlights[3] = {hil1, hil2, hil3};
  QWidget* const panels[3] = {panelTable, panelStats, panelQueue};
  static constexpr int modes[3] = {VIEW_TABLE, VIEW_STATS, VIEW_QUEUE};
  for (int i = 0; i < 3; ++i)
    highlights[i]->setVisible(i == index);
  highlights[index]->raise();
  panelBody->setCurrentWidget(panels[index]);
  viewMode = modes[index];
}

void TfrmCwMarket::submnuTableClick() {
  selectSubPage(0);
  requestRefresh(lstTable->topLevelItemCount() == 0);
}

void TfrmCwMarket::submnuStatsClick() {
  selectSubPage(1);
  requestRefresh(false);
}

void TfrmCwMarket::submnuQueueClick() {
  selectSubPage(2);
  requestRefresh(false);
}

void TfrmCwMarket::selMarketChange() {
  // The details and the candles were opened under another exchange: the page goes back to its sub-page,
  // which the refresh fills with the exchange chosen.
  QWidget* const front = panelBody->currentWidget();
  if ((front == panelStockDetails || front == panelIndicator) && marketIndex() != detailsMarket_)
    selectSubPage(viewMode == VIEW_STATS ? 1 : viewMode == VIEW_QUEUE ? 2 : 0);
  if (main_ != nullptr && main_->isWritingData) {
    note(kWriting);
    return;
  }
  requestRefresh(true);
}

void TfrmCwMarket::selSectorClick() {
  submnuTableClick();
}

// --- Stock table --------------------------------------------------------------------------------------

void TfrmCwMarket::lstTableClick() {
  const QTreeWidgetItem* row = lstTable->currentItem();
  if (row == nullptr || !row->isSelected()) return;
  symbolFromList = false;
  selectedSymbol = row->text(COL_SYMBOL).toStdString();
}

void TfrmCwMarket::lstTableDblClick() {
  const QTreeWidgetItem* row = lstTable->currentItem();
  if (row == nullptr || !row->isSelected()) return;
  symbolFromList = false;
  const std::string symbol = row->text(COL_SYMBOL).toStdString();
  detailsOrigin = ORIGIN_TABLE;
  // A refused fill leaves the panel in front and the selected symbol as they were.
  if (fillStockDetails(symbol)) {
    selectedSymbol = symbol;
    panelBody->setCurrentWidget(panelStockDetails);
  }
}

void TfrmCwMarket::lstTableColumnClick(int column) {
  lstTable->setProperty("Tag", column);
  sortTable();
}

void TfrmCwMarket::sortTable() {
  const QVariant tag = lstTable->property("Tag");
  if (tag.isValid()) desk::sortByColumn(lstTable, tag.toInt());
}

void TfrmCwMarket::lblMostRiser1Click(QLabel* label) {
  detailsOrigin = ORIGIN_TABLE;
  showStockDetails(label->text().toStdString());
}

// --- Trading ------------------------------------------------------------------------------------------

void TfrmCwMarket::canTrade(const std::string& symbol, bool& canBid, bool& canOffer, float& avgPrice) {
  canBid = false;
  canOffer = false;
  if (main_ == nullptr || !main_->core) return;
  Qorvex6::QorvexCore& core = *main_->core;
  std::lock_guard lock(main_->gameLock());
  // The stock's own exchange decides, whatever exchange the page shows.
  const Qorvex6::qxStockInfo stock = core.getStockInfo(symbol);
  if (!stock.isLoaded) return;
  // An order in the exchange's closing hour could never fill: it is refused as on a closed exchange.
  if (!core.acceptsOrders(Qorvex6::marketIndexOf(stock.marketTitle))) return;
  avgPrice = 0;
  if (stock.status == 4 || stock.status == 8) return;
  if (core.getUserQueue(symbol).count() > 0) return;
  const Qorvex6::qxShare share = core.getShare(symbol);
  canBid = true;
  if (share.vol == 0) return;
  canOffer = true;
  avgPrice = share.avg_price;
}

void TfrmCwMarket::btnBidClick() {
  placeOrder(true);
}

void TfrmCwMarket::btnOfferClick() {
  placeOrder(false);
}

void TfrmCwMarket::placeOrder(bool bid) {
  if (main_ == nullptr || !main_->core) return;
  if (main_->isProcessing) {
    note(kProcessing);
    return;
  }
  const int market = marketIndex();
  // The stock the player sees: the one on the details panel, else the table's selected row.
  if (panelBody->currentWidget() != panelStockDetails) {
    const QTreeWidgetItem* row = lstTable->currentItem();
    if (row == nullptr || !row->isSelected()) return;
    selectedSymbol = row->text(COL_SYMBOL).toStdString();
  }
  if (selectedSymbol.empty()) return;
  bool canBid = false;
  bool canOffer = false;
  float avgPrice = 0;
  QString failure;
  try {
    canTrade(selectedSymbol, canBid, canOffer, avgPrice);
  } catch (const std::exception& e) {
    failure = QString::fromUtf8(e.what());
  }
  if (!(bid ? canBid : canOffer)) {
    popup("Denied", bid ? "You cannot bid for this stock at this moment."
                        : "You cannot offer for this stock at this moment.");
    if (!failure.isEmpty()) qWarning("trade check: %s", qPrintable(failure));
    return;
  }
  if (frmBidOffer == nullptr) return;
  frmBidOffer->symbol = selectedSymbol;
  frmBidOffer->lblTitle->setText(QString(bid ? "REQUEST to BUY " : "REQUEST to SELL ") +
                                 QString::fromStdString(selectedSymbol));
  frmBidOffer->mode = bid ? TfrmBidOffer::MODE_BID : TfrmBidOffer::MODE_OFFER;
  frmBidOffer->marketIndex = market;
  frmBidOffer->avgBuyPrice = bid ? 0 : avgPrice;
  frmBidOffer->lblWarning->clear();
  desk::ClockHold hold(main_->timerClock);
  runBidOffer();
}

// --- Details panel ------------------------------------------------------------------------------------

void TfrmCwMarket::Button1Click() {
  if (detailsOrigin == ORIGIN_HOME) {
    if (main_ != nullptr) main_->mnuHomeClick();
  } else if (detailsOrigin == ORIGIN_TABLE) {
    // Back to a filled table: the table sub-page refills an empty one.
    submnuTableClick();
    showPage();
  }
}

void TfrmCwMarket::Button2Click() {
  panelBody->setCurrentWidget(panelStockDetails);
}

void TfrmCwMarket::btnDetailsMouseDown(Qt::KeyboardModifiers modifiers) {
  if (modifiers.testFlag(Qt::ControlModifier) && runAddStock) runAddStock();
  requestRefresh(false);
}

void TfrmCwMarket::chkWishlistMouseUp() {
  const bool ticked = chkWishlist->isChecked();
  if (main_ == nullptr || !main_->core) return;
  if (main_->isProcessing) {
    note(kProcessing);
    chkWishlist->setChecked(!ticked);
    return;
  }
  imgFav->setVisible(ticked);
  if (!main_->core->setWishlist(lblSymbol->text().toStdString(), ticked)) {
    // Nothing was stored: the box and the star show what the game holds.
    chkWishlist->setChecked(!ticked);
    imgFav->setVisible(!ticked);
    popup("DENIED", "The wishlist could not be changed.");
  }
}

void TfrmCwMarket::openLink(const char* path) {
  const QUrl url(QString(kArticleHost) + path);
  bool opened = false;
  try {
    opened = openUrl && openUrl(url);
  } catch (const std::exception& e) {
    qWarning("opening %s: %s", qPrintable(url.toString()), e.what());
  }
  if (!opened) popup("Link", "The page cannot be opened: " + url.toString());
}

void TfrmCwMarket::Label38Click() {
  openLink("/wiki/Par_value");
}
void TfrmCwMarket::Label40Click() {
  openLink("/wiki/PE_ratio");
}
void TfrmCwMarket::Label42Click() {
  openLink("/wiki/Earnings_per_share");
}

// --- Messages -----------------------------------------------------------------------------------------

void TfrmCwMarket::popup(const QString& title, const QString& text) {
  if (frmMsgPopup != nullptr) frmMsgPopup->showPopup(title, text, 0);
}

void TfrmCwMarket::note(const QString& text) {
  if (frmMsgQuote != nullptr) frmMsgQuote->showQuote(text);
}
