#include "PriceHistoryChart.h"

#include <algorithm>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>

#include "AxisTicks.h"
#include "DoubleClickGuard.h"
#include "SkinWidgets.h"

namespace desk {

namespace {

QFont axisFont() {
  return windowFont(11);
}

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

// The view's height that the plot does not get: the frame, the margins, the title and the bottom axis.
constexpr int kOutsidePlot = 48;
// Above and below a label's line: the text item's margins and a gap to the next label.
constexpr int kAroundLabel = 8;
constexpr int kMostTicks = 7;

// The ticks the axis has room for: a label's height apart, so that Qt Charts hides none of them.
int tickRoom(const QChartView* view) {
  const int label = QFontMetrics(axisFont()).height() + kAroundLabel;
  return std::clamp((view->height() - kOutsidePlot) / label + 1, 2, kMostTicks);
}

// Round ticks over the values, each labelled with the game's number text of the currency.
void fitAxis(QCategoryAxis* axis, double low, double high, int currency, int maxTicks) {
  const std::vector<AxisTick> ticks = axisTicks(low, high, maxTicks, currency);
  for (const QString& label : axis->categoriesLabels())
    axis->remove(label);
  // Each label sits on its tick, the first on the scale's foot: its category starts below it.
  axis->setStartValue(2 * ticks[0].value - ticks[1].value);
  for (const AxisTick& tick : ticks)
    axis->append(QString::fromStdString(tick.text), tick.value);
  axis->setRange(ticks.front().value, ticks.back().value);
  axis->setLabelsVisible(true);
}

// An empty chart shows no scale at all.
void clearAxis(QCategoryAxis* axis) {
  for (const QString& label : axis->categoriesLabels())
    axis->remove(label);
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

QCategoryAxis* labelledAxis() {
  auto* axis = new QCategoryAxis;
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axis->setLabelsFont(axisFont());
  // Qt Charts would cut a label to "..." once it is higher than the axis' height shared out among
  // the ticks and one more; the ticks are spaced for whole labels instead.
  axis->setTruncateLabels(false);
  clearAxis(axis);
  return axis;
}

}  // namespace

PriceHistoryChart::PriceHistoryChart(QWidget* parent, const QString& title) : QChartView(parent) {
  markClickOnly(viewport());
  QChart* chart = titledChart(title);
  axisX_ = new QValueAxis;
  axisY_ = labelledAxis();
  axisX_->setLabelsVisible(false);
  chart->addAxis(axisX_, Qt::AlignBottom);
  chart->addAxis(axisY_, Qt::AlignLeft);
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
  setCursor(Qt::PointingHandCursor);
  setMinimumSize(1, 1);
}

void PriceHistoryChart::setPoints(const std::vector<Point>& points, int currency) {
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
  fitAxis(axisY_, low->value, high->value, currency, tickRoom(this));
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
  axisY_ = labelledAxis();
  chart->addAxis(axisX_, Qt::AlignBottom);
  chart->addAxis(axisY_, Qt::AlignLeft);
  series->attachAxis(axisX_);
  series->attachAxis(axisY_);
  setChart(chart);
  setMinimumSize(1, 1);
}

void AmountBars::setValues(const std::vector<double>& values, int currency) {
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
  fitAxis(axisY_, std::min(0.0, *low), std::max(0.0, *high), currency, tickRoom(this));
}

void AmountBars::showEvent(QShowEvent* event) {
  QChartView::showEvent(event);
  measureLabels(axisY_);
}

}  // namespace desk
