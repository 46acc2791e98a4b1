#include "PriceHistoryChart.h"

#include <algorithm>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>

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

void fitAxis(QValueAxis* axis, double low, double high) {
  const double pad = high > low ? (high - low) * 0.08 : std::max(1e-6, std::abs(high) * 0.05);
  axis->setRange(low - pad, high + pad);
}

QFont axisFont() {
  return windowFont(11);
}

}  // namespace

PriceHistoryChart::PriceHistoryChart(QWidget* parent, const QString& title) : QChartView(parent) {
  QChart* chart = titledChart(title);
  axisX_ = new QValueAxis;
  axisY_ = new QValueAxis;
  axisX_->setLabelsVisible(false);
  axisY_->setLabelsFont(axisFont());
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
  if (points.empty()) return;
  const auto [low, high] = std::minmax_element(
      points.begin(), points.end(), [](const Point& a, const Point& b) { return a.value < b.value; });
  axisX_->setRange(0, std::max<double>(1, static_cast<double>(points.size() - 1)));
  fitAxis(axisY_, low->value, high->value);
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
  axisY_->setLabelFormat("%.0f");
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
  const double high = values.empty() ? 1 : *std::max_element(values.begin(), values.end());
  axisY_->setRange(0, high > 0 ? high * 1.08 : 1);
}

}  // namespace desk
