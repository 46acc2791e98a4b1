// The Market page's stock details: the value labels, the price and amount charts, and the candle panel.

#include <exception>
#include <mutex>

#include <QCheckBox>
#include <QPainter>

#include "Indicator.h"
#include "NumberText.h"
#include "PriceHistoryChart.h"
#include "Qorvex6class.h"
#include "f_CWMarket.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"

namespace {

using Qorvex6::QorvexCore;

constexpr int kHistoryPoints = 120;
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

QString text(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

void TfrmCwMarket::showStockDetails(const std::string& symbol) {
  if (symbol.empty()) return;
  if (!fillStockDetails(symbol)) return;
  selectedSymbol = symbol;
  panelBody->setCurrentWidget(panelStockDetails);
}

void TfrmCwMarket::showHomeStock(const std::string& symbol) {
  if (symbol.empty() || !fillStockDetails(symbol)) return;
  symbolFromList = true;
  selectedSymbol = symbol;
  detailsOrigin = ORIGIN_HOME;
  panelBody->setCurrentWidget(panelStockDetails);
}

bool TfrmCwMarket::fillStockDetails(const std::string& symbol) {
  if (main_ == nullptr || !main_->core) return false;
  if (main_->isWritingData) {
    note("WRITING DATA: Please wait.");
    return false;
  }
  if (symbol.empty()) return false;
  detailsMarket_ = marketIndex();
  QString failure;
  {
    std::lock_guard lock(main_->gameLock());
    try {
      QorvexCore& core = *main_->core;
      const Qorvex6::qxStockInfo stock = core.getStockInfo(symbol);
      const Qorvex6::qxCompanyInfo company = core.getCompanyInfo(symbol);
      const int c = Qorvex6::marketIndexOf(stock.marketTitle);
      const auto m = [&](double v) { return text(core.formatMoney(v, c, false)); };
      const auto mOrNone = [&](double v) { return v > 0 ? m(v) : QString("--"); };
      lblSymbol->setText(QString::fromUtf8(symbol.c_str()));
      lblStockTitleIndicator->setText(lblSymbol->text());
      lblPrice->setText(m(QorvexCore::getPrice(stock)));
      lblClose->setText(m(stock.closeprice));
      lblHL->setText(mOrNone(stock.todayhigh) + " / " + mOrNone(stock.todaylow));
      lblHL52wk->setText(mOrNone(stock.wk52high) + " / " + mOrNone(stock.wk52low));
      if (stock.isLoaded) {
        lblDivRate->setText(text(platform::formatNumber("%0.2n %%", stock.div_yield)));
        lblDivLeft->setText(QString("%1 days left").arg(stock.div_dayleft));
      } else {
        lblDivRate->setText("--");
        lblDivLeft->setText("--");
      }
      lblTradedAmount->setText(m(stock.tradedAmount));
      lblParValue->setText(m(stock.par_value));
      lblPE->setText(text(platform::formatNumber("%0.2n ", stock.pe)));
      lblEPS->setText(m(stock.eps));
      lblVol->setText(text(platform::formatNumber("%0.0n", stock.vol)));
      imgStatusXD->setVisible(stock.status == 1);
      imgStatusSP->setVisible(stock.status == 4);
      imgStatusH->setVisible(stock.status == 8);
      const Qorvex6::qxShare share = core.getShare(symbol);
      if (share.vol == 0)
        lblPortLabel->setText("--");
      else
        lblPortLabel->setText("Bought at " + m(share.avg_price) + " [x" +
                              text(platform::formatNumber("%0.0n", share.vol)) + "] \nfor " +
                              QString::number(share.heldlength) + " days");
      fillPriceChart(symbol, c, share.avg_price, share.vol > 0);
      fillAmountChart(symbol, c);
      lblCompany->setText(QString::fromUtf8(company.company));
      // The sector names write '&' doubled, as captions that mark shortcuts would need it.
      lblSection->setText(text(QorvexCore::getSectorName(company.sector)).replace("&&", "&"));
      lblBalance->setText(m(company.balance));
      chkWishlist->setChecked(stock.wishlist);
      imgFav->setVisible(stock.wishlist);
    } catch (const std::exception& e) {
      failure = QString::fromUtf8(e.what());
    }
  }
  if (!failure.isEmpty()) {
    qWarning("stock details of %s: %s", symbol.c_str(), qPrintable(failure));
    popup("Stock details", "The details could not be read: " + failure);
  }
  return true;
}

void TfrmCwMarket::fillPriceChart(const std::string& symbol, int currency, float avgPrice, bool held) {
  const Qorvex6::pList<Qorvex6::qxStockPrice> history = main_->core->getPriceHistory(symbol);
  const int n = std::min(history.count(), kHistoryPoints);
  std::vector<desk::PriceHistoryChart::Point> points;
  for (int i = n; i >= 0; --i) {
    const float price = history.at(i).price;
    if (price == 0) continue;
    const QColor colour = !held ? kBlue : (price > avgPrice ? kGreen : kRed);
    points.push_back({price, colour});
  }
  chartStock->setPoints(points, currency);
}

void TfrmCwMarket::fillAmountChart(const std::string& symbol, int currency) {
  const Qorvex6::pList<Qorvex6::qxStockHistory> days = main_->core->getDailyHistory(symbol);
  const int n = std::min(days.count(), kHistoryPoints);
  std::vector<double> amounts;
  for (int i = n; i >= 0; --i) {
    const double amount = days.at(i).tradedAmount;
    if (amount != 0) amounts.push_back(amount);
  }
  chartAmount->setValues(amounts, currency);
}

// --- Candle panel -------------------------------------------------------------------------------------

void TfrmCwMarket::chartStockClick() {
  if (main_ == nullptr || !main_->core) return;
  if (main_->isWritingData) {
    note("WRITING DATA: Please wait.");
    return;
  }
  const std::string symbol = lblSymbol->text().toStdString();
  QString failure;
  {
    std::lock_guard lock(main_->gameLock());
    try {
      QorvexCore& core = *main_->core;
      const Qorvex6::qxORDER criteria{Qorvex6::qxSUBORDER::textTerm("symbol", symbol)};
      candles = candlesOf(core.database->getDailyPrices(&criteria));
      candlePrice = QorvexCore::getPrice(core.getStockInfo(symbol));
    } catch (const std::exception& e) {
      candles.clear();
      failure = QString::fromUtf8(e.what());
    }
  }
  if (!failure.isEmpty()) popup("Candles", "The daily prices could not be read: " + failure);
  panelBody->setCurrentWidget(panelIndicator);
  FormResize();
  MyCanvas->update();
}

void TfrmCwMarket::MyCanvasPaint(QPainter& painter) {
  if (selectedSymbol.empty()) return;
  painter.setFont(MyCanvas->font());
  PainterCanvas canvas(painter);
  qxIndicator indicator(MyCanvas->width(), MyCanvas->height(), &canvas);
  indicator.markers = candles;
  indicator.currentPrice = candlePrice;
  indicator.prepareCandlestick();
}
