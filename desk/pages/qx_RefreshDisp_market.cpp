// The Market refill: the top band with the index, its change and chart, the hours, the stock table, the
// pending orders, the statistics and the rankings of the exchange shown.

#include <algorithm>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <QTreeWidget>

#include "ClockHold.h"
#include "Colors.h"
#include "NumberText.h"
#include "Qorvex6class.h"
#include "RateSparkline.h"
#include "f_CWMarket.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "qx_RefreshDisp.h"

namespace {

using Qorvex6::QorvexCore;
using Qorvex6::qxStockInfo;

constexpr std::uint32_t kClosedColour = 0x9297E2;
constexpr std::uint32_t kOpenColour = 0xC2E792;
constexpr int kIndexPoints = 119;
constexpr int kRanked = 3;

QString text(const std::string& s) {
  return QString::fromStdString(s);
}

QString number(const char* pattern, double value) {
  return text(platform::formatNumber(pattern, value));
}

// A relative move in percent, or none for a zero base.
QString percentText(double value, double base) {
  if (base == 0) return "--";
  return number("%0.4f %%", (value - base) * 100 / base);
}

}  // namespace

void qxRefreshDisp::refreshMarket() {
  if (frmMain == nullptr || frmCwMarket == nullptr) return;
  // Declared first, so the timer is given back after the lock is released, on every way out.
  desk::ClockHold hold(frmMain->timerClock);
  if (!frmMain->core || frmMain->isWritingData) return;
  QString failure;
  {
    std::lock_guard lock(frmMain->gameLock());
    try {
      fillMarket(*frmCwMarket);
    } catch (const std::exception& e) {
      failure = QString::fromUtf8(e.what());
    } catch (...) {
      failure = "an unknown failure";
    }
    frmMain->imgRefreshing->hide();
  }
  if (failure.isEmpty()) return;
  // Reported after the unlock, without a nested event loop: the next cycle tries again.
  qWarning("market refresh: %s", qPrintable(failure));
  if (frmMsgPopup != nullptr)
    frmMsgPopup->showPopup("Market", "The market could not be refreshed: " + failure, 0);
}

void qxRefreshDisp::fillMarket(TfrmCwMarket& page) {
  QorvexCore& core = *frmMain->core;
  const int m = page.marketIndex();
  const int s = std::max(0, page.selSector->currentIndex());
  const std::string title = page.selMarket->itemText(m).mid(1).toStdString();

  const Qorvex6::qxMarketInfo market = core.getMarketInfo(title);
  const int h = core.getMarketHour(m);
  // Only the samples shown are read: the chart's and the change's reference, and the newest capitalisation.
  const int reference = core.getSessionSamples(m);
  const Qorvex6::pList<Qorvex6::qxMktIndex> indexes =
      core.getIndexHistory(title, true, std::max(kIndexPoints, reference + 1));
  const Qorvex6::pList<Qorvex6::qxMktCap> caps = core.getMktCapHistory(title, true, 1);
  const bool open = h != -1;

  // Index line: the change since the last sample of the previous session.
  const float index = indexes.at(0).index;
  QString change;
  if (const std::optional<double> moved = core.getSessionChange(m, indexes)) {
    change = number(" (%0.2n%%)", *moved);
    if (*moved > 0) {
      page.imgIndexUp->show();
      page.imgIndexDown->hide();
    } else if (*moved < 0) {
      page.imgIndexUp->hide();
      page.imgIndexDown->show();
    }
  }
  if (change.isEmpty()) page.imgIndexDown->hide();
  page.lblIndex->setText(number("%0.2n", index) + " " + change);
  page.lblAmount->setText(text(core.formatMoney(caps.at(0).mktcap, m, false)));

  const TfrmCwMarket::IndexChartKey key{m, indexes.count(), index};
  if (redrawIndexChart || key != page.indexChartKey) {
    const int k = std::min(kIndexPoints, indexes.count());
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(k));
    for (int i = k - 1; i >= 0; --i)
      values.push_back(indexes.at(i).index);
    page.chartIndex->setValues(values);
    page.indexChartKey = key;
  }

  if (!open)
    page.lblMarketStatus->setText(" -CLOSED-");
  else if (h == 10)
    page.lblMarketStatus->setText(" Last work hour");
  else
    page.lblMarketStatus->setText(" -OPEN (" + QString::number(h) + "/10) -");
  page.setTableColour(desk::fromTColor(open ? kOpenColour : kClosedColour));

  const Stocks stocks = core.getStocksWithCompany(title, s);
  page.lstTable->headerItem()->setText(TfrmCwMarket::COL_PRICE,
                                       QString("Price (%1)").arg(QChar(QorvexCore::getCurrencySymbol(m))));
  fillMarketTable(page, stocks, m, open);
  fillMarketQueue(page, stocks, m);

  page.lblMktCap->setText(caps.count() == 0 ? QString("--")
                                            : text(core.formatMoney(caps.at(0).mktcap, m, false)));
  // The range is stored on the level scale; it is shown beside the index, on the index's scale.
  page.lbl52WkHigh->setText(number("%0.2n", market.wk52high * Qorvex6::qxSaveGame::kIndexPerLevel));
  page.lbl52WkLow->setText(number("%0.2n", market.wk52low * Qorvex6::qxSaveGame::kIndexPerLevel));
  fillMarketRankings(page, title, m, open, stocks.count());
}

void qxRefreshDisp::fillMarketTable(TfrmCwMarket& page, const Stocks& stocks, int m, bool open) {
  QorvexCore& core = *frmMain->core;
  QTreeWidget* list = page.lstTable;
  list->setUpdatesEnabled(false);
  list->clear();
  if (viewMode == TfrmCwMarket::VIEW_TABLE) {
    QList<QTreeWidgetItem*> rows;
    rows.reserve(stocks.count());
    for (const Qorvex6::qxStockWithCompany& row : stocks.items) {
      const qxStockInfo& stock = row.stock;
      const float price = QorvexCore::getPrice(stock);
      const float close = stock.closeprice;
      int image = 0;
      QString changeText = "--";
      if (open && price != close && close != 0) {
        const float moved = (price - close) * 100 / close;
        changeText = number("%0.2f %%", moved);
        image = moved > 0 ? 2 : 1;
      }
      if (stock.wishlist)
        image = 6;
      else if (stock.status == 8)
        image = 3;
      else if (stock.status == 4)
        image = 4;
      else if (stock.status == 1)
        image = 5;
      const auto money = [&](float v) { return v > 0 ? text(core.formatMoney(v, m, false)) : QString("--"); };
      auto* item = new QTreeWidgetItem(
          QStringList{QString(), QString::fromUtf8(stock.symbol),
                      number(price >= 0.1f ? "%0.2f" : "%0.3f", price), changeText, number("%0.2n", close),
                      number("%0.0n", stock.tradedAmount), money(stock.todayhigh), money(stock.todaylow)});
      item->setIcon(TfrmCwMarket::COL_IMAGE, QIcon(page.imlStates[static_cast<std::size_t>(image)]));
      item->setData(TfrmCwMarket::COL_IMAGE, Qt::UserRole, image);
      for (int c = TfrmCwMarket::COL_PRICE; c <= TfrmCwMarket::COL_LOW; ++c)
        item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
      rows.append(item);
    }
    list->addTopLevelItems(rows);
    page.sortTable();
    for (QTreeWidgetItem* item : rows) {
      if (item->text(TfrmCwMarket::COL_SYMBOL).toStdString() == page.selectedSymbol) {
        list->setCurrentItem(item);
        break;
      }
    }
  }
  list->setUpdatesEnabled(true);
}

void qxRefreshDisp::fillMarketQueue(TfrmCwMarket& page, const Stocks& stocks, int m) {
  QorvexCore& core = *frmMain->core;
  QTreeWidget* list = page.lstQueue;
  list->clear();
  if (viewMode != TfrmCwMarket::VIEW_QUEUE) return;
  QList<QTreeWidgetItem*> rows;
  for (const Qorvex6::qxStockWithCompany& row : stocks.items) {
    const Qorvex6::pList<Qorvex6::qxQueue> orders = core.getQueueBySymbol(row.stock.symbol);
    for (const Qorvex6::qxQueue& order : orders.items) {
      auto* item = new QTreeWidgetItem(QStringList{QString(), QString::fromUtf8(row.stock.symbol),
                                                   text(core.formatMoney(order.price, m, false)),
                                                   number("%0.0n", order.qty), QString::number(order.ID)});
      item->setIcon(0, QIcon(page.imlQueue[order.isBid ? 1 : 0]));
      item->setData(0, Qt::UserRole, order.isBid ? 1 : 0);
      for (int c = 2; c <= 4; ++c)
        item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
      rows.append(item);
    }
  }
  list->addTopLevelItems(rows);
}

void qxRefreshDisp::fillMarketRankings(TfrmCwMarket& page, const std::string& title, int m, bool open,
                                       int n) {
  QorvexCore& core = *frmMain->core;
  if (n <= kRanked) {
    for (auto* labels : {&page.lblMostRiser, &page.lblMostFaller, &page.lblActive})
      for (QLabel* label : *labels)
        label->setText("--");
    for (auto* labels : {&page.lblMostRiserVal, &page.lblMostFallerVal, &page.lblActiveVal})
      for (QLabel* label : *labels)
        label->clear();
    return;
  }
  // The rankings cover the whole exchange, whatever sector the table shows.
  const Qorvex6::qxORDER criteria{Qorvex6::qxSUBORDER::textTerm("marketTitle", title)};
  const Qorvex6::pList<qxStockInfo> ranked =
      open ? core.database->getStocksByChange(&criteria) : core.database->getStocksByDayChange(&criteria);
  // A closed exchange has traded nothing since its close: its last session ranks, as for the moves.
  const Qorvex6::pList<qxStockInfo> active = open ? core.database->getStocksByTradedAmount(&criteria)
                                                  : core.database->getStocksByLastSessionAmount(&criteria);
  const auto percent = [open](const qxStockInfo& stock) {
    return open ? percentText(stock.currentPrice, stock.closeprice)
                : percentText(stock.closeprice, stock.closepriceY);
  };
  for (int i = 0; i < kRanked; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    const qxStockInfo riser = ranked.at(ranked.count() - 1 - i);
    page.lblMostRiser[slot]->setText(QString::fromUtf8(riser.symbol));
    page.lblMostRiserVal[slot]->setText(percent(riser));
    const qxStockInfo faller = ranked.at(i);
    page.lblMostFaller[slot]->setText(QString::fromUtf8(faller.symbol));
    page.lblMostFallerVal[slot]->setText(percent(faller));
    const qxStockInfo busiest = active.at(i);
    page.lblActive[slot]->setText(QString::fromUtf8(busiest.symbol));
    page.lblActiveVal[slot]->setText(text(core.formatMoney(busiest.tradedAmount, m, true)));
  }
}
