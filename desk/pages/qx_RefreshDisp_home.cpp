// The Home refill of the accounts, the inbox, the exchange rates, the belongings and the milestones.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <QPainter>

#include "NumberText.h"
#include "Qorvex6class.h"
#include "RateSparkline.h"
#include "f_CWHome.h"
#include "f_Main.h"
#include "qx_RefreshDisp.h"

namespace {

using Qorvex6::qxORDER;
using Qorvex6::qxSUBORDER;

// The exchange-rate rows the charts show.
constexpr int kRateDays = 9;

QString text(const std::string& s) {
  return QString::fromStdString(s);
}

bool usableRate(float rate) {
  return std::isfinite(rate) && rate > 0;
}

}  // namespace

void qxRefreshDisp::fillAccounts(TfrmCwHome& page) {
  const Qorvex6::QorvexCore& core = *frmMain->core;
  const double* budget = core.database->profile.budget;
  QLabel* const labels[6] = {page.lblAccTHB, page.lblAccGBP, page.lblAccJPY,
                             page.lblAccSGD, page.lblAccUSD, page.lblAccHKD};
  for (int i = 0; i < 6; ++i)
    labels[i]->setText(text(core.formatMoney(budget[i], i, true)));
}

void qxRefreshDisp::fillInbox(TfrmCwHome& page) {
  const Qorvex6::pList<Qorvex6::qxInbox> unread = frmMain->core->getInbox(true);
  page.inbox = {};
  for (int i = 0; i < unread.count(); ++i) {
    const Qorvex6::qxInbox row = unread.get(i);
    page.inbox.emplace(row.ID, std::string(row.Message));
  }
  page.refreshInbox();
}

void qxRefreshDisp::fillMoney(TfrmCwHome& page) {
  Qorvex6::QorvexCore& core = *frmMain->core;
  const float* rate = core.database->rateExchange;
  QLabel* const rateLabels[5] = {page.lblExGBP, page.lblExJPY, page.lblExSGD, page.lblExTHB, page.lblExHKD};
  if (usableRate(rate[4])) {
    const float base = 1.0f / rate[4];
    const float values[5] = {base * rate[1], base * rate[2], base * rate[3], base, base * rate[5]};
    for (int i = 0; i < 5; ++i)
      rateLabels[i]->setText(text(platform::formatNumber("%0.3n", values[i])));
  } else {
    for (QLabel* label : rateLabels)
      label->setText("--");
  }

  // The newest day first, at the left; a row without a dollar rate is left out.
  const Qorvex6::pList<Qorvex6::qxExchangeRate> history = core.getExchangeHistory(kRateDays);
  std::vector<double> london, thai, singapore, japan, hongkong;
  for (int i = history.count() - 1; i >= 0 && i >= history.count() - kRateDays; --i) {
    const Qorvex6::qxExchangeRate row = history.get(i);
    if (!usableRate(row.rateExchange_NewYork)) continue;
    const float f = 1.0f / row.rateExchange_NewYork;
    const float values[5] = {row.rateExchange_London * f, row.rateExchange_Thai * f,
                             row.rateExchange_Singapore * f, row.rateExchange_Japan * f,
                             row.rateExchange_Hongkong * f};
    if (!std::all_of(std::begin(values), std::end(values), [](float v) { return std::isfinite(v); }))
      continue;
    london.push_back(values[0]);
    thai.push_back(values[1]);
    singapore.push_back(values[2]);
    japan.push_back(values[3]);
    hongkong.push_back(values[4]);
  }
  page.chartRateLondon->setValues(london);
  page.chartRateThai->setValues(thai);
  page.chartRateSingapore->setValues(singapore);
  page.chartRateJapan->setValues(japan);
  page.chartRateHongkong->setValues(hongkong);

  const Qorvex6::qxEconomicFactor factors = core.database->getFactors();
  page.lblFactorEcon->setText(text(platform::formatNumber("%0.0n %%", factors.ecoLevel * 100)));
  page.lblFactorSeas->setText(text(platform::formatNumber("%0.0n %%", factors.seas_stability * 100)));
  page.lblFactorPolitic->setText(text(platform::formatNumber("%0.0n %%", factors.pol_stability * 100)));
  page.lblFactorHealth->setText(text(platform::formatNumber("%0.0n %%", factors.heal_stability * 100)));
}

void qxRefreshDisp::fillBelongings(TfrmCwHome& page) {
  Qorvex6::qxSaveGame& db = *frmMain->core->database;
  for (int n = 0; n < TfrmCwHome::kSlots; ++n) {
    QPixmap blank(105, 105);
    blank.fill(Qt::white);
    page.product[n]->setPixmap(blank);
    page.product[n]->hide();
    page.L[n]->hide();
    page.sell[n]->hide();
    page.Shape[n]->hide();
    page.slotBelonging[n] = -1;
  }
  const Qorvex6::pList<Qorvex6::qxBelonging> belongings = db.getBelongings(nullptr);
  for (int n = 0; n < TfrmCwHome::kSlots && n < belongings.count(); ++n) {
    const Qorvex6::qxBelonging row = belongings.get(n);
    const qxORDER criteria{qxSUBORDER::numberTerm("ID", row.productID)};
    const Qorvex6::pList<Qorvex6::qxProductInfo> products = db.getProducts(&criteria);
    // A missing product row shows no picture rather than the picture of product 0.
    const bool known = products.count() > 0;
    const Qorvex6::qxProductInfo item = products.first();
    page.L[n]->setText((known ? QString::fromUtf8(item.brandserie) : QString("--")) + "\n" +
                       text(platform::formatNumber("$ %0.0n", row.currentValue)));
    if (known && item.ID >= 0 && item.ID < TfrmCwHome::kProductCount && !page.imlProduct[item.ID].isNull())
      page.product[n]->setPixmap(page.imlProduct[item.ID]);
    page.slotBelonging[n] = row.ID;
    page.product[n]->show();
    page.L[n]->show();
    page.sell[n]->show();
    page.Shape[n]->show();
  }
}

void qxRefreshDisp::fillMilestones(TfrmCwHome& page) {
  Qorvex6::qxSaveGame& db = *frmMain->core->database;
  page.lblStar->setText(QString::number(db.profile.milestones.totalStars));
  page.lblStar->adjustSize();
  page.placeStarText();
  const qxORDER criteria{qxSUBORDER::flagTerm("passed", true)};
  const std::vector<Qorvex6::qxMilestoneInfo> passed = db.getMilestoneInfos(&criteria);
  if (passed.empty()) {
    page.lblMilestone->setText("--");
  } else {
    QString list;
    for (const Qorvex6::qxMilestoneInfo& info : passed)
      list += "[" + QString::fromUtf8(info.type) + " achievement] ... " +
              QString::fromUtf8(info.description) + "\n";
    page.lblMilestone->setText(list);
  }
  page.lblMilestone->adjustSize();
}
