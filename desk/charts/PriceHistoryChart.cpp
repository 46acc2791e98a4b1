#include "PriceHistoryChart.h"

#include <algorithm>
#include <cmath>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>

#include "DoubleClickGuard.h"
#include "SkinWidgets.h"

namespace desk {

namespace {

// A chart with a title and no legend, configured before its view is sized.
QChart* titledChart(const QString& title) {
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setTitle(title);
  chart->setTitleFont(windowFont(14, true));
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->setBackgroundRoundness(4);
  return chart;
}

// Round ticks over the values, never below 0, each label with the decimals its step needs.
void fitAxis(QValueAxis* axis, double low, double high) {
  const double pad = high > low ? (high - low) * 0.08 : (high != 0 ? std::abs(high) * 0.05 : 1.0);
  axis->setRange(low >= 0 ? std::max(0.0, low - pad) : low - pad, high + pad);
  axis->applyNiceNumbers();
  // The nice steps are 1, 2 or 5 times a power of ten.
  const double step = (axis->max() - axis->min()) / std::max(1, axis->tickCount() - 1);
  const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6);
  axis->setLabelFormat(QString("%.%1f").arg(decimals));
  axis->setLabelsVisible(true);
}

// An empty chart shows no scale at all.
void clearAxis(QValueAxis* axis) {
  axis->setLabelsVisible(false);
  axis->setRange(0, 1);
}

// Qt Charts measures the axis labels only while the view is shown: labels set while it was hidden
// would stay cut to "..." in the space the earlier ones took. Setting the range again measures them.
void measureLabels(QValueAxis* axis) {
  const double low = axis->min();
  const double high = axis->max();
  axis->setRange(low, high + (high - low) + 1);
  axis->setRange(low, high);
}

QFont axisFont() {
  return windowFont(11);
}

}  // namespace

PriceHistoryChart::PriceHistoryChart(QWidget* parent, const QString& title) : QChartView(parent) {
  markClickOnly(viewport());
  QChart* chart = titledChart(title);
  axisX_ = new QValueAxis;
  axisY_ = new QValueAxis;
  axisX_->setLabelsVisible(false);
  axisY_->setLabelsFont(axisFont());
  clearAxis(axisY_);
  chart->addAxis(axisX_, Qt::AlignBottom);
  chart->addAxis(axisY_, Qt::AlignLeft);
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
  setCursor(Qt::PointingHandCursor);
  setMinimumSize(1, 1);
}

void PriceHistoryChart::setPoints(const std::vector<Point>& points) {
  points_ = points;
  chart()->removeAllSeries();
  QLineSeries* run = nullptr;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (run == nullptr || points[i].colour != points[i - 1].colour) {
      run = new QLineSeries;
      QPen pen(points[i].colour);
      pen.setWidth(2);
      run->setPen(pen);
      // The segment into this point takes its colour: the run starts at the point before.
      if (i > 0) run->append(static_cast<double>(i - 1), points[i - 1].value);
      chart()->addSeries(run);
      run->attachAxis(axisX_);
      run->attachAxis(axisY_);
    }
    run->append(static_cast<double>(i), points[i].value);
  }
  if (points.empty()) {
    clearAxis(axisY_);
    return;
  }
  const auto [low, high] = std::minmax_element(
      points.begin(), points.end(), [](const Point& a, const Point& b) { return a.value < b.value; });
  axisX_->setRange(0, std::max<double>(1, static_cast<double>(points.size() - 1)));
  fitAxis(axisY_, low->value, high->value);
}

void PriceHistoryChart::showEvent(QShowEvent* event) {
  QChartView::showEvent(event);
  measureLabels(axisY_);
}

int PriceHistoryChart::runCount() const {
  return static_cast<int>(chart()->series().size());
}

void PriceHistoryChart::mouseReleaseEvent(QMouseEvent* event) {
  QChartView::mouseReleaseEvent(event);
  if (isLeftReleaseInside(this, event)) emit clicked();
}

AmountBars::AmountBars(QWidget* parent, const QString& title) : QChartView(parent) {
  QChart* chart = titledChart(title);
  auto* series = new QBarSeries;
  set_ = new QBarSet(QString());
  set_->setColor(QColor(0, 128, 0));
  set_->setBorderColor(QColor(0, 128, 0));
  series->append(set_);
  series->setBarWidth(0.8);
  chart->addSeries(series);
  axisX_ = new QBarCategoryAxis;
  axisX_->setLabelsVisible(false);
  axisX_->setGridLineVisible(false);
  axisY_ = new QValueAxis;
  axisY_->setLabelsFont(axisFont());
  clearAxis(axisY_);
  chart->addAxis(axisX_, Qt::AlignBottom);
  chart->addAxis(axisY_, Qt::AlignLeft);
  series->attachAxis(axisX_);
  series->attachAxis(axisY_);
  setChart(chart);
  setMinimumSize(1, 1);
}

void AmountBars::setValues(const std::vector<double>& values) {
  values_ = values;
  set_->remove(0, set_->count());
  QStringList categories;
  QList<qreal> bars;
  for (std::size_t i = 0; i < values.size(); ++i) {
    bars.append(values[i]);
    categories.append(QString::number(i));
  }
  set_->append(bars);
  axisX_->setCategories(categories);
  if (values.empty()) {
    clearAxis(axisY_);
    return;
  }
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  fitAxis(axisY_, std::min(0.0, *low), std::max(0.0, *high));
}

void AmountBars::showEvent(QShowEvent* event) {
  QChartView::showEvent(event);
  measureLabels(axisY_);
}

}  // namespace desk
