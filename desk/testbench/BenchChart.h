// The test bench's chart look: a gradient background with rounded border, no title, no legend, no bottom
// axis and bold left-axis labels, with axes that fit what the series hold.

#pragma once

#include <cstdint>

#include <QChartView>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace desk {

class BenchChart : public QChartView {
  Q_OBJECT

 public:
  explicit BenchChart(QWidget* parent);

  // A line series of the colour (the framework's 0x00BBGGRR value), or a series of 17 x 17 diamonds at
  // 60 % transparency, both on the chart's axes.
  QLineSeries* addLine(std::uint32_t colour);
  QScatterSeries* addDiamonds(std::uint32_t colour);
  // Sets the axes to the extent of every series' points; call after each refill.
  void fitAxes();

 private:
  QValueAxis* axisX_;
  QValueAxis* axisY_;
};

}  // namespace desk
