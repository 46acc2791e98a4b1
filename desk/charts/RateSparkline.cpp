#include "RateSparkline.h"

#include <algorithm>

#include <QChart>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

namespace desk {

RateSparkline::RateSparkline(QWidget* parent, QColor colour) : QChartView(parent) {
  // The chart is configured before the view is sized: a view sized first keeps a taller minimum.
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setMargins(QMargins(0, 0, 0, 0));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setBackgroundRoundness(0);
  chart->setBackgroundVisible(false);
  series_ = new QLineSeries;
  QPen pen(colour);
  pen.setWidth(2);
  series_->setPen(pen);
  chart->addSeries(series_);
  axisX_ = new QValueAxis;
  axisY_ = new QValueAxis;
  chart->addAxis(axisX_, Qt::AlignBottom);
  chart->addAxis(axisY_, Qt::AlignLeft);
  series_->attachAxis(axisX_);
  series_->attachAxis(axisY_);
  axisX_->hide();
  axisY_->hide();
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
  setFrameShape(QFrame::NoFrame);
  setStyleSheet("background: transparent");
  setMinimumSize(1, 1);
}

void RateSparkline::setValues(const std::vector<double>& values) {
  values_ = values;
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(values.size()));
  for (std::size_t i = 0; i < values.size(); ++i)
    points.append(QPointF(static_cast<double>(i), values[i]));
  series_->replace(points);
  if (values.empty()) return;
  auto [low, high] = std::minmax_element(values.begin(), values.end());
  double bottom = *low;
  double top = *high;
  const double pad = top > bottom ? (top - bottom) * 0.1 : std::max(1e-9, std::abs(top) * 0.01);
  axisX_->setRange(0, std::max<double>(1, static_cast<double>(values.size() - 1)));
  axisY_->setRange(bottom - pad, top + pad);
}

}  // namespace desk
