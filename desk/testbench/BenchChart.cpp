#include "BenchChart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <QChart>
#include <QFont>
#include <QLineSeries>
#include <QLinearGradient>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include "Colors.h"

namespace desk {

namespace {
constexpr std::uint32_t kBorder = 2121808;
}

BenchChart::BenchChart(QWidget* parent) : QChartView(parent) {
  auto* chart = new QChart;
  chart->legend()->hide();
  QLinearGradient gradient(0, 0, 0, 1);
  gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
  gradient.setColorAt(0, Qt::white);
  gradient.setColorAt(1, QColor(232, 238, 220));
  chart->setBackgroundBrush(gradient);
  chart->setBackgroundRoundness(16);
  chart->setBackgroundPen(QPen(fromTColor(kBorder), 2));
  axisX_ = new QValueAxis;
  axisY_ = new QValueAxis;
  QFont bold = axisY_->labelsFont();
  bold.setBold(true);
  axisY_->setLabelsFont(bold);
  chart->addAxis(axisX_, Qt::AlignBottom);
  chart->addAxis(axisY_, Qt::AlignLeft);
  axisX_->hide();
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
  setMinimumSize(1, 1);
}

QLineSeries* BenchChart::addLine(std::uint32_t colour) {
  auto* series = new QLineSeries;
  series->setPen(QPen(fromTColor(colour), 2));
  chart()->addSeries(series);
  series->attachAxis(axisX_);
  series->attachAxis(axisY_);
  return series;
}

QScatterSeries* BenchChart::addDiamonds(std::uint32_t colour) {
  auto* series = new QScatterSeries;
  series->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
  series->setMarkerSize(17);
  QColor fill = fromTColor(colour);
  fill.setAlphaF(0.4);
  series->setBrush(fill);
  series->setPen(Qt::NoPen);
  chart()->addSeries(series);
  series->attachAxis(axisX_);
  series->attachAxis(axisY_);
  return series;
}

void BenchChart::fitAxes() {
  double left = 0, right = 1, bottom = 0, top = 1;
  bool any = false;
  for (QAbstractSeries* abstract : chart()->series()) {
    const auto* series = qobject_cast<QXYSeries*>(abstract);
    if (series == nullptr) continue;
    for (const QPointF& p : series->points()) {
      if (!std::isfinite(p.x()) || !std::isfinite(p.y())) continue;
      if (!any) {
        left = right = p.x();
        bottom = top = p.y();
        any = true;
      }
      left = std::min(left, p.x());
      right = std::max(right, p.x());
      bottom = std::min(bottom, p.y());
      top = std::max(top, p.y());
    }
  }
  if (right <= left) right = left + 1;
  const double pad = top > bottom ? (top - bottom) * 0.1 : std::max(1.0, std::fabs(top) * 0.1);
  axisX_->setRange(left, right);
  axisY_->setRange(bottom - pad, top + pad);
}

}  // namespace desk
