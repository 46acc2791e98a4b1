#include "qx_RefreshDisp.h"

#include <exception>
#include <memory>
#include <mutex>
#include <string>

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QTreeWidget>

#include "Colors.h"
#include "HoldingProfit.h"
#include "NumberText.h"
#include "Qorvex6class.h"
#include "SkinWidgets.h"
#include "f_CWHome.h"
#include "f_CWMarket.h"
#include "f_Main.h"

namespace {

using Qorvex6::QorvexCore;

constexpr std::uint32_t kLossColour = 0x204F6F;
constexpr std::uint32_t kGainColour = 0x2F5F10;

QString text(const std::string& s) {
  return QString::fromStdString(s);
}

// One refresh-failure box at a time; failures while it is open go to the log.
void showRefreshFailure(const QString& message) {
  static bool boxOpen = false;
  if (boxOpen) {
    qWarning("display refresh: %s", qPrintable(message));
    return;
  }
  boxOpen = true;
  QMessageBox box(QMessageBox::NoIcon, "Qorvex", message, QMessageBox::Ok, frmCwHome);
  box.setTextFormat(Qt::PlainText);
  box.exec();
  boxOpen = false;
}

void setColour(QLabel* label, std::uint32_t colour) {
  desk::setTextColour(label, desk::fromTColor(colour));
}

}  // namespace

int holdingStateImage(int status, float percent) {
  if (status == 8) return 3;
  if (status == 4) return 4;
  if (status == 1) return 5;
  if (percent >= 50) return 6;
  if (percent >= 2.5f) return 7;
  if (percent > -2.5f) return 8;
  if (percent > -50) return 9;
  return 10;
}

int wishlistStateImage(int status) {
  if (status == 8) return 3;
  if (status == 4) return 4;
  if (status == 1) return 5;
  return 11;
}

qxRefreshDisp::qxRefreshDisp(bool) {}

void qxRefreshDisp::request(bool full) {
  auto* refresh = new qxRefreshDisp(true);
  refresh->skipRefresh = false;
  refresh->fullRefresh = full;
  refresh->redrawIndexChart = full;
  refresh->Resume();
}

void qxRefreshDisp::Resume() {
  // The queued call owns the request: it is freed after its run, or with the call when the page that
  // carries it is gone first.
  std::shared_ptr<qxRefreshDisp> self(this);
  QObject* context = frmCwHome != nullptr ? static_cast<QObject*>(frmCwHome) : qApp;
  if (context == nullptr) return;
  QMetaObject::invokeMethod(
      context, [self] { self->Execute(); }, Qt::QueuedConnection);
}

void qxRefreshDisp::Execute() {
  if (frmMain == nullptr || frmMain->isWritingData) return;
  viewMode = frmCwMarket != nullptr ? frmCwMarket->viewMode : 0;
  if (skipRefresh) return;
  switch (frmMain->currentPage) {
    case TfrmMain::PAGE_HOME:
      refreshHome();
      break;
    case TfrmMain::PAGE_MARKET:
      refreshMarket();
      break;
    default:
      break;
  }
}

void qxRefreshDisp::refreshHome() {
  if (frmMain == nullptr || frmCwHome == nullptr || !frmMain->core) return;
  QString failure;
  {
    std::lock_guard lock(frmMain->gameLock());
    if (!frmMain->core) return;
    try {
      fillHome(*frmCwHome);
    } catch (const std::exception& e) {
      failure = QString::fromUtf8(e.what());
    } catch (...) {
      failure = "The page could not be refreshed.";
    }
  }
  // The box runs its own event loop, so it opens only after the lock is released.
  if (!failure.isEmpty()) showRefreshFailure(failure);
}

void qxRefreshDisp::fillHome(TfrmCwHome& page) {
  QorvexCore& core = *frmMain->core;
  core.database->syncProfile(Qorvex6::PROFILE_READ);
  page.showPlayerName(QString::fromUtf8(core.database->profile.playerName));
  // The rank and the value line share one valuation of the holdings.
  const double value = core.getPortfolioValue();
  page.lblLevel->setText("Level: " + text(core.getRank(value)));
  fillAccounts(page);
  fillPortfolioValue(page, value);
  fillInbox(page);
  page.lstPortFolio->setUpdatesEnabled(false);
  try {
    fillHoldings(page);
  } catch (...) {
    page.lstPortFolio->setUpdatesEnabled(true);
    throw;
  }
  page.lstPortFolio->setUpdatesEnabled(true);
  fillStats(page);
  fillMoney(page);
  fillBelongings(page);
  fillMilestones(page);
}

void qxRefreshDisp::fillPortfolioValue(TfrmCwHome& page, double value) {
  QorvexCore& core = *frmMain->core;
  const double cost = core.getPortfolioCost();
  QString caption = "Your port folio yields : " + text(core.formatMoney(value, 4, false));
  if (cost > value) {
    setColour(page.lblPortValue, kLossColour);
    caption += "      (- " + text(core.formatMoney(cost - value, 4, false)) + ")";
  } else if (cost < value) {
    setColour(page.lblPortValue, kGainColour);
    caption += "      (+ " + text(core.formatMoney(value - cost, 4, false)) + ")";
  }
  page.lblPortValue->setText(caption);
}

void qxRefreshDisp::fillHoldings(TfrmCwHome& page) {
  QorvexCore& core = *frmMain->core;
  QTreeWidget* list = page.lstPortFolio;
  list->clear();
  auto addRow = [&](int image, const QStringList& cells) {
    auto* item = new QTreeWidgetItem(QStringList{QString()} + cells);
    if (image >= 0 && image < TfrmCwHome::kStateCount) item->setIcon(0, QIcon(page.imlStates[image]));
    for (int column = 2; column <= 5; ++column)
      item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    list->addTopLevelItem(item);
  };
  const Qorvex6::pList<Qorvex6::qxShare> holdings = core.getPortfolio();
  for (int i = 0; i < holdings.count(); ++i) {
    const Qorvex6::qxShare row = holdings.get(i);
    const float avg = row.avg_price;
    // One read of the stock gives both its price and its status.
    const Qorvex6::qxStockInfo stock = core.getStockInfo(row.symbol);
    const float cur = QorvexCore::getPrice(stock);
    const auto percent = static_cast<float>(Qorvex6::holdingProfitPercent(cur, avg));
    const int status = stock.status;
    const int m = Qorvex6::marketIndexOf(row.marketTitle);
    addRow(holdingStateImage(status, percent),
           {QString::fromUtf8(row.symbol), text(core.formatMoney(avg, m, false)),
            text(core.formatMoney(cur, m, false)), text(platform::formatNumber("%0.3f %%", percent)),
            text(platform::formatNumber("%0.0n", row.vol)), QString::number(row.heldlength)});
  }
  if (!page.chkWishlist->isChecked()) return;
  const Qorvex6::pList<Qorvex6::qxStockInfo> wishlist = core.getWishlist();
  for (int i = 0; i < wishlist.count(); ++i) {
    const Qorvex6::qxStockInfo stock = wishlist.get(i);
    addRow(wishlistStateImage(stock.status),
           {QString::fromUtf8(stock.symbol), "--",
            text(core.formatMoney(stock.currentPrice, Qorvex6::marketIndexOf(stock.marketTitle), false)),
            QString(), QString(), "WISH"});
  }
}

void qxRefreshDisp::fillStats(TfrmCwHome& page) {
  QorvexCore& core = *frmMain->core;
  const Qorvex6::qxProfile& p = core.database->profile;
  auto money = [&](double v) { return text(core.formatMoney(v, 4, false)); };
  auto show = [](QLabel* label, double value, const QString& caption) {
    label->setText(value == 0 ? QString("--") : caption);
  };
  show(page.lblStatHighestProfit, p.statHighestProfit_Val,
       QString::fromUtf8(p.statHighestProfit_Symbol) + " ... " + money(p.statHighestProfit_Val));
  show(page.lblStatHighestLoss, p.statHighestLoss_Val,
       QString::fromUtf8(p.statHighestLoss_Symbol) + " ... " + money(p.statHighestLoss_Val));
  show(page.lblStatLongestHolding, p.statLongestHolding_Val,
       QString::fromUtf8(p.statLongestHolding_Symbol) + "  ...  " +
           text(platform::formatNumber("%0.0n days", p.statLongestHolding_Val)));
  show(page.lblStatHighestBudget, p.statHighestBudget, money(p.statHighestBudget));
  show(page.lblStatHighestPortVal, p.statHighestPortVal, money(p.statHighestPortVal));
}
